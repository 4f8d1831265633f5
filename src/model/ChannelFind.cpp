// Finding channels by frequency.
#include "model/ChannelFind.h"

#include "model/Band.h"

#include <algorithm>
#include <tuple>

namespace zx::model {

namespace {

bool begins(const std::optional<std::string>& shown, std::string_view query) {
    return shown && !shown->empty() && std::string_view(*shown).starts_with(query);
}

auto order(const FoundChannel& f) {
    return std::tuple(f.group, f.number, f.column);
}

} // namespace

std::optional<std::string> frequencyQuery(std::string_view typed) {
    const std::size_t first = typed.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::nullopt;
    const std::size_t last = typed.find_last_not_of(" \t");
    std::string query(typed.substr(first, last - first + 1));
    std::replace(query.begin(), query.end(), ',', '.');
    if (std::count(query.begin(), query.end(), '.') > 1 ||
        !std::all_of(query.begin(), query.end(),
                     [](char c) { return c == '.' || (c >= '0' && c <= '9'); }))
        return std::nullopt;
    return query;
}

std::vector<FoundChannel> findFrequency(const ConfigRecord& record, std::string_view query) {
    std::vector<FoundChannel> found;
    if (query.empty())
        return found;
    for (int group = 0; group < kGroupCount; ++group) {
        for (int entry = 1; entry <= record.usedChannels(group); ++entry) {
            const ChannelEntry& channel = record.channel(group, entry);
            // Only what the grid shows can be found: numbers 1..60, each once.
            if (channel.number < 1 || channel.number > kChannelsPerGroup ||
                record.findChannel(group, channel.number) != entry)
                continue;
            if (begins(frequencyDisplayForm(channel.rxFreq.view()), query))
                found.push_back({group, channel.number, ColRxFreq});
            else if (begins(frequencyDisplayForm(channel.txFreq.view()), query))
                found.push_back({group, channel.number, ColTxFreq});
        }
    }
    std::sort(found.begin(), found.end(),
              [](const FoundChannel& a, const FoundChannel& b) { return order(a) < order(b); });
    return found;
}

std::optional<FoundChannel> nextFound(const std::vector<FoundChannel>& found,
                                      const FoundChannel& from, bool forward) {
    if (found.empty())
        return std::nullopt;
    if (forward) {
        for (const FoundChannel& f : found)
            if (order(f) > order(from))
                return f;
        return found.front();
    }
    for (auto it = found.rbegin(); it != found.rend(); ++it)
        if (order(*it) < order(from))
            return *it;
    return found.back();
}

} // namespace zx::model
