// The document through the image and back.
#include "link/WritePrecision.h"

#include "link/RadioImage.h"
#include "model/Band.h"
#include "model/RecordFields.h"
#include "text/Fill.h"
#include "text/labels/PrecisionLabels.h"

#include <optional>

namespace zx::link {

namespace labels = text::labels::precision;

model::ConfigRecord asWritten(const model::Workspace& ws) {
    RadioImage image;
    image.encode(ws.record, model::bandIndexFromText(ws.state.bandText));
    // Decoded over a copy, as a read decodes over the open document.
    model::Workspace read = ws;
    read.journal = nullptr;
    image.decode(read);
    return read.record;
}

std::vector<ShortenedFrequency> shortenedFrequencies(const model::Workspace& ws) {
    const model::ConfigRecord written = asWritten(ws);
    std::vector<ShortenedFrequency> found;
    for (int group = 0; group < model::kGroupCount; ++group) {
        for (int number = 1; number <= model::kChannelsPerGroup; ++number) {
            const int mine = ws.record.findChannel(group, number);
            const int theirs = written.findChannel(group, number);
            if (mine == 0 || theirs == 0)
                continue;
            const model::ChannelEntry& d = ws.record.channel(group, mine);
            const model::ChannelEntry& w = written.channel(group, theirs);
            for (const bool transmit : {false, true}) {
                const std::optional<std::string> before =
                    model::frequencyDisplayForm((transmit ? d.txFreq : d.rxFreq).view());
                const std::optional<std::string> after =
                    model::frequencyDisplayForm((transmit ? w.txFreq : w.rxFreq).view());
                // Only a frequency that arrives, with other digits, was shortened; one that
                // does not arrive at all is a damaged channel, not a matter of precision.
                if (before && after && !before->empty() && !after->empty() && *before != *after)
                    found.push_back({group, number, transmit, *before, *after});
            }
        }
    }
    return found;
}

std::string describe(const ShortenedFrequency& frequency, int language) {
    return text::fill(labels::kLine[language],
                      {model::channelName(frequency.group, frequency.number),
                       (frequency.transmit ? labels::kTx : labels::kRx)[language],
                       frequency.document, frequency.written});
}

std::string shortenedQuestion(const std::vector<ShortenedFrequency>& frequencies, int language,
                              std::size_t maxLines) {
    std::string lines;
    for (std::size_t i = 0; i < frequencies.size() && i < maxLines; ++i) {
        if (i > 0)
            lines += '\n';
        lines += describe(frequencies[i], language);
    }
    if (frequencies.size() > maxLines)
        lines += '\n' + text::fill(labels::kMore[language],
                                   {std::to_string(frequencies.size() - maxLines)});
    return text::fill(labels::kQuestion[language], {lines});
}

} // namespace zx::link
