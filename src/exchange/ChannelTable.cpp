// Writing and reading the channel table in CHIRP's columns.
#include "exchange/ChannelTable.h"

#include "exchange/DelimitedText.h"
#include "model/Band.h"
#include "model/RecordFields.h"
#include "text/labels/ExchangeLabels.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <optional>

namespace zx::exchange {

namespace {

namespace texts = text::labels::exchange;
using model::ChannelEntry;
using model::ConfigRecord;
using model::Integer;
using model::kChannelsPerGroup;
using model::kGroupCount;

// What CHIRP writes for a memory without tones, power level or D-STAR data.
constexpr std::string_view kToneFreq = "88.5";
constexpr std::string_view kDtcsCode = "023";
constexpr std::string_view kDtcsPolarity = "NN";
constexpr std::string_view kCrossMode = "Tone->Tone";
constexpr std::string_view kMode = "Auto";
constexpr std::string_view kTuningStep = "5.00";
constexpr std::string_view kSkipped = "S";

// The flags of a channel that the Comment column lists, in the order of the record: every
// field of a channel entry shown as Disable/Enable, named by its label.
class FlagWalk {
public:
    void number(model::FieldRef ref, Integer& value) {
        if (ref.field->shown == model::Shown::EnableFlag)
            flags.push_back({ref.field, &value});
    }
    template <class T> void text(model::FieldRef, T&) {}

    struct Found {
        const model::Field* field;
        Integer* value;
    };
    std::vector<Found> flags;
};

// The flags of an entry: each flag's field and where the entry holds its value.
std::vector<FlagWalk::Found> flagsOf(ChannelEntry& entry) {
    FlagWalk walk;
    model::visitChannel(walk, entry);
    return walk.flags;
}

std::string_view englishLabel(const model::Field& field) {
    return field.label[text::English];
}

std::string lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string trimmed(std::string_view s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = s.find_last_not_of(" \t");
    return std::string(s.substr(first, last - first + 1));
}

// Whole hertz of a frequency in MHz.
long long hertz(double mhz) {
    return std::llround(mhz * 1'000'000.0);
}

std::string mhzText(long long hz) {
    return model::formatMHz(double(hz) / 1'000'000.0);
}

Note note(const text::TextTable& text, std::vector<std::string> arguments) {
    return Note{&text, std::move(arguments)};
}

// ---- writing ----

std::vector<std::string> channelCells(ChannelSlot slot, const ChannelEntry& entry,
                                      std::vector<Note>& notes) {
    const std::string name = channelName(slot);
    const std::optional<std::string> rx = model::frequencyDisplayForm(entry.rxFreq.view());
    if (!rx || rx->empty()) {
        notes.push_back(note(texts::kNotWrittenNoRx, {name}));
        return {};
    }
    std::optional<std::string> tx = model::frequencyDisplayForm(entry.txFreq.view());
    if (!tx) {
        notes.push_back(note(texts::kTxUnreadable, {name, entry.txFreq.trimmed()}));
        tx = rx;
    } else if (tx->empty()) {
        tx = rx; // no transmit frequency means the receive frequency
    }

    const long long rxHz = hertz(model::toNumber(*rx));
    const long long txHz = hertz(model::toNumber(*tx));
    std::string duplex;
    if (txHz > rxHz)
        duplex = "+";
    else if (txHz < rxHz)
        duplex = "-";

    ChannelEntry copy = entry;
    std::string comment;
    for (const FlagWalk::Found& flag : flagsOf(copy)) {
        if (*flag.value == 0)
            continue;
        if (!comment.empty())
            comment += ' ';
        comment += englishLabel(*flag.field);
    }

    return {std::to_string(location(slot)),
            name,
            *rx,
            duplex,
            mhzText(std::llabs(txHz - rxHz)),
            "",
            std::string(kToneFreq),
            std::string(kToneFreq),
            std::string(kDtcsCode),
            std::string(kDtcsPolarity),
            std::string(kDtcsCode),
            std::string(kCrossMode),
            std::string(kMode),
            std::string(kTuningStep),
            entry.scan == 0 ? std::string(kSkipped) : std::string(),
            "",
            comment,
            "",
            "",
            "",
            ""};
}

std::string headerRow(char separator) {
    return writeRow(std::vector<std::string>(kChirpColumns.begin(), kChirpColumns.end()),
                    separator);
}

// The channels of a group by number: the entry position of each number, numbers outside
// 1..60 and repeated numbers noted and left out.
std::map<int, int> channelsByNumber(const ConfigRecord& record, int group,
                                    std::vector<Note>& notes) {
    std::map<int, int> byNumber;
    const int count = record.usedChannels(group);
    for (int position = 1; position <= count; ++position) {
        const int number = record.channel(group, position).number;
        if (number < 1 || number > kChannelsPerGroup) {
            notes.push_back(note(texts::kNotWrittenNumber,
                                 {channelName({group, 1}).substr(0, 1), std::to_string(number)}));
        } else if (!byNumber.emplace(number, position).second) {
            notes.push_back(note(texts::kNotWrittenTwice, {channelName({group, number})}));
        }
    }
    return byNumber;
}

// ---- reading ----

// The cells of a row by CHIRP column name.
class Columns {
public:
    // From a header row; false when it names no Frequency column (then it is not a header).
    bool readHeader(const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i)
            index_.emplace(lowered(trimmed(cells[i])), i);
        return has("Frequency");
    }
    void chirpOrder() {
        for (std::size_t i = 0; i < kChirpColumns.size(); ++i)
            index_.emplace(lowered(kChirpColumns[i]), i);
    }
    bool has(std::string_view name) const { return index_.contains(lowered(name)); }
    std::string cell(const TextRow& row, std::string_view name) const {
        const auto it = index_.find(lowered(name));
        if (it == index_.end() || it->second >= row.cells.size())
            return {};
        return trimmed(row.cells[it->second]);
    }

private:
    std::map<std::string, std::size_t> index_;
};

bool isBlank(const TextRow& row) {
    return std::all_of(row.cells.begin(), row.cells.end(),
                       [](const std::string& c) { return trimmed(c).empty(); });
}

// "A-05", "a-5": the channel a Name stands for.
std::optional<ChannelSlot> slotFromName(std::string_view name) {
    if (name.size() < 3 || name.size() > 4 || name[1] != '-')
        return std::nullopt;
    const char letter = char(std::toupper(static_cast<unsigned char>(name[0])));
    if (letter < 'A' || letter >= 'A' + kGroupCount)
        return std::nullopt;
    int number = 0;
    for (char c : name.substr(2)) {
        if (c < '0' || c > '9')
            return std::nullopt;
        number = number * 10 + (c - '0');
    }
    if (number < 1 || number > kChannelsPerGroup)
        return std::nullopt;
    return ChannelSlot{letter - 'A', number};
}

std::optional<ChannelSlot> slotFromLocation(std::string_view text) {
    if (!model::isNumeric(text))
        return std::nullopt;
    const double value = model::toNumber(text);
    if (value != std::floor(value) || value < 1 || value > kGroupCount * kChannelsPerGroup)
        return std::nullopt;
    const int n = int(value) - 1;
    return ChannelSlot{n / kChannelsPerGroup, n % kChannelsPerGroup + 1};
}

class RowReader {
public:
    RowReader(const model::RuntimeState& state, ReadTable& out) : state_(state), out_(out) {}

    // A frequency of the row checked against the band and put on the raster (told about when
    // `tell` is set); the display form, or nullopt with the row's bad note given.
    std::optional<std::string> frequency(int line, double mhz, bool tell = true) {
        const std::string given = model::formatMHz(mhz);
        if (mhz < state_.bandLow || mhz > state_.bandHigh) {
            bad(note(texts::kOutOfBand, {std::to_string(line), given, state_.bandText}));
            return std::nullopt;
        }
        const std::string onRaster = model::formatMHz(model::snapToRaster(mhz, state_.bandLow));
        if (tell && hertz(mhz) != hertz(model::toNumber(onRaster)))
            out_.warnings.push_back(
                note(texts::kSnapped, {std::to_string(line), mhzText(hertz(mhz)), onRaster}));
        return onRaster;
    }

    // A number of the row, or nullopt with the row's bad note given.
    std::optional<double> number(int line, std::string_view column, const std::string& text) {
        if (!model::isNumeric(text)) {
            bad(note(texts::kNotANumber, {std::to_string(line), std::string(column), text}));
            return std::nullopt;
        }
        return model::toNumber(text);
    }

    void bad(Note n) { out_.bad.push_back(std::move(n)); }

private:
    const model::RuntimeState& state_;
    ReadTable& out_;
};

} // namespace

std::string Note::describe(int language) const {
    return text ? model::fillIn((*text)[language], arguments) : std::string();
}

std::string channelName(ChannelSlot slot) {
    return model::channelName(slot.group, slot.number);
}

int location(ChannelSlot slot) {
    return slot.group * kChannelsPerGroup + slot.number;
}

WrittenTable writeChannelTable(const ConfigRecord& record, char separator) {
    WrittenTable out;
    out.text = headerRow(separator);
    for (int group = 0; group < kGroupCount; ++group) {
        for (const auto& [number, position] : channelsByNumber(record, group, out.notes)) {
            const std::vector<std::string> cells =
                channelCells({group, number}, record.channel(group, position), out.notes);
            if (!cells.empty())
                out.text += writeRow(cells, separator);
        }
    }
    return out;
}

WrittenTable writeChannelRows(const ConfigRecord& record, const std::vector<ChannelSlot>& slots,
                              char separator) {
    WrittenTable out;
    out.text = headerRow(separator);
    std::vector<std::map<int, int>> groups;
    std::vector<Note> ignored; // damaged entries are told about when the whole table is written
    for (int group = 0; group < kGroupCount; ++group)
        groups.push_back(channelsByNumber(record, group, ignored));
    for (const ChannelSlot& slot : slots) {
        if (slot.group < 0 || slot.group >= kGroupCount)
            continue;
        const auto found = groups[std::size_t(slot.group)].find(slot.number);
        if (found == groups[std::size_t(slot.group)].end())
            continue;
        const std::vector<std::string> cells =
            channelCells(slot, record.channel(slot.group, found->second), out.notes);
        if (!cells.empty())
            out.text += writeRow(cells, separator);
    }
    return out;
}

ReadTable readChannelTable(std::string_view text, const model::RuntimeState& state,
                           const ReadOptions& options) {
    ReadTable out;
    const char separator = options.separator ? options.separator : guessSeparator(text);
    std::vector<TextRow> rows = readRows(text, {separator, true});
    std::erase_if(rows, isBlank);
    if (rows.empty())
        return out;

    Columns columns;
    std::size_t first = 0;
    if (columns.readHeader(rows.front().cells)) {
        first = 1;
    } else if (options.headerOptional) {
        columns = Columns();
        columns.chirpOrder();
    } else {
        out.bad.push_back(note(texts::kNoHeader, {std::to_string(rows.front().line)}));
        return out;
    }
    if (options.placeByLocation && !columns.has("Location") && !columns.has("Name")) {
        out.bad.push_back(
            note(texts::kMissingColumn, {std::to_string(rows.front().line), "Location"}));
        return out;
    }

    RowReader reader(state, out);
    std::map<int, int> lineOfLocation; // location -> line of the row that gave it
    for (std::size_t r = first; r < rows.size(); ++r) {
        const TextRow& row = rows[r];
        const int line = row.line;
        const std::string lineText = std::to_string(line);
        ++out.rowCount;

        ChannelRow result;
        result.line = line;
        if (options.placeByLocation) {
            const std::string loc = columns.cell(row, "Location");
            const std::string name = columns.cell(row, "Name");
            std::optional<ChannelSlot> slot = slotFromLocation(loc);
            if (!slot)
                slot = slotFromName(name);
            if (!slot) {
                reader.bad(note(texts::kNoPlace, {lineText, loc, name}));
                continue;
            }
            const auto [it, fresh] = lineOfLocation.emplace(location(*slot), line);
            if (!fresh) {
                reader.bad(note(texts::kTwice,
                                {lineText, channelName(*slot), std::to_string(it->second)}));
                continue;
            }
            result.slot = *slot;
            result.placed = true;
        }

        const std::optional<double> rxMHz =
            reader.number(line, "Frequency", columns.cell(row, "Frequency"));
        if (!rxMHz)
            continue;
        const std::string duplex = lowered(columns.cell(row, "Duplex"));
        double txMHz = *rxMHz;
        if (duplex == "+" || duplex == "-" || duplex == "split") {
            const std::optional<double> offset =
                reader.number(line, "Offset", columns.cell(row, "Offset"));
            if (!offset)
                continue;
            // Offsets are added in whole hertz, so that 28.5 + 0.1 is 28.600000 exactly.
            const long long rxHz = hertz(*rxMHz);
            const long long offsetHz = hertz(*offset);
            txMHz = duplex == "split"
                        ? *offset
                        : double(duplex == "+" ? rxHz + offsetHz : rxHz - offsetHz) / 1'000'000.0;
        } else if (duplex == "off") {
            out.warnings.push_back(note(texts::kDuplexOff, {lineText}));
        } else if (!duplex.empty()) {
            reader.bad(note(texts::kBadDuplex, {lineText, columns.cell(row, "Duplex")}));
            continue;
        }
        const std::optional<std::string> rx = reader.frequency(line, *rxMHz);
        if (!rx)
            continue;
        // A transmit frequency equal to the receive one was told about with it.
        const std::optional<std::string> tx = reader.frequency(line, txMHz, txMHz != *rxMHz);
        if (!tx)
            continue;

        ChannelEntry& entry = result.entry;
        entry.number = Integer(result.placed ? result.slot.number : 0);
        entry.inUse = 1;
        entry.rxFreq = model::storedFromDisplay(*rx, state);
        entry.txFreq = model::storedFromDisplay(*tx, state);
        entry.scan = lowered(columns.cell(row, "Skip")) == "s" ? 0 : 1;
        std::vector<std::string> words;
        {
            const std::string comment = columns.cell(row, "Comment");
            std::size_t start = 0;
            while (start <= comment.size()) {
                const std::size_t end = std::min(comment.find(' ', start), comment.size());
                if (end > start)
                    words.push_back(lowered(comment.substr(start, end - start)));
                start = end + 1;
            }
        }
        for (const FlagWalk::Found& flag : flagsOf(entry))
            *flag.value = std::find(words.begin(), words.end(),
                                    lowered(englishLabel(*flag.field))) != words.end();
        out.rows.push_back(std::move(result));
    }
    return out;
}

} // namespace zx::exchange
