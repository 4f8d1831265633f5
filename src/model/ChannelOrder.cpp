// Inserting rows, moving channels and sorting a group.
#include "model/ChannelOrder.h"

#include "model/Band.h"
#include "model/ChannelTable.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numeric>
#include <vector>

namespace zx::model {

namespace {

bool validGroup(int group) {
    return group >= 0 && group < kGroupCount;
}

bool validRow(int row) {
    return row >= 1 && row <= kChannelsPerGroup;
}

// New numbers by old number (index 1..60); numbers outside 1..60 (a damaged file) stay.
using Renumbering = std::array<int, kChannelsPerGroup + 1>;

Renumbering unchanged() {
    Renumbering map{};
    std::iota(map.begin(), map.end(), 0);
    return map;
}

Integer& emergencySlot(ConfigRecord& record, int group) {
    return record.optionFeatures[std::size_t(kEmergencyChannelPosition + group)];
}

// Gives every channel of the group its new number; the emergency channel follows the channel
// it designated. Unchanged when no channel's number changes.
OrderChange renumber(ConfigRecord& record, int group, const Renumbering& map) {
    bool changed = false;
    for (int entry = 1; entry <= record.usedChannels(group); ++entry) {
        ChannelEntry& channel = record.channel(group, entry);
        if (validRow(channel.number) && map[std::size_t(channel.number)] != channel.number) {
            channel.number = Integer(map[std::size_t(channel.number)]);
            changed = true;
        }
    }
    if (!changed)
        return {OrderChange::Unchanged};
    Integer& slot = emergencySlot(record, group);
    if (validRow(slot + 1))
        slot = Integer(map[std::size_t(slot + 1)] - 1);
    fixEmergencyChannel(record, group);
    return {OrderChange::Changed};
}

// The receive frequency in hertz, or the largest value for one that cannot be read, so that
// such channels sort last.
long long sortKey(const ChannelEntry& channel) {
    const std::optional<std::string> shown = frequencyDisplayForm(channel.rxFreq.view());
    if (!shown || shown->empty())
        return std::numeric_limits<long long>::max();
    return std::llround(toNumber(*shown) * 1'000'000.0);
}

} // namespace

OrderChange insertChannelRow(ConfigRecord& record, int group, int number) {
    if (!validGroup(group) || !validRow(number))
        return {OrderChange::Invalid};
    if (record.findChannel(group, kChannelsPerGroup) != 0)
        return {OrderChange::Channel60InUse};
    Renumbering map = unchanged();
    for (int old = number; old < kChannelsPerGroup; ++old)
        map[std::size_t(old)] = old + 1;
    return renumber(record, group, map);
}

OrderChange moveChannelRows(ConfigRecord& record, int group, int first, int last, bool down) {
    if (!validGroup(group) || !validRow(first) || !validRow(last) || first > last)
        return {OrderChange::Invalid};
    if ((!down && first == 1) || (down && last == kChannelsPerGroup))
        return {OrderChange::AtEdge};
    Renumbering map = unchanged();
    const int step = down ? 1 : -1;
    for (int row = first; row <= last; ++row)
        map[std::size_t(row)] = row + step;
    // The row the block moves onto takes the place the block leaves.
    if (down)
        map[std::size_t(last + 1)] = first;
    else
        map[std::size_t(first - 1)] = last;
    return renumber(record, group, map);
}

OrderChange sortGroupByRxFrequency(ConfigRecord& record, int group) {
    if (!validGroup(group))
        return {OrderChange::Invalid};
    const int count = record.usedChannels(group);
    std::vector<ChannelEntry> channels;
    for (int entry = 1; entry <= count; ++entry)
        channels.push_back(record.channel(group, entry));
    std::stable_sort(channels.begin(), channels.end(),
                     [](const ChannelEntry& a, const ChannelEntry& b) {
                         const long long ka = sortKey(a);
                         const long long kb = sortKey(b);
                         return ka != kb ? ka < kb : a.number < b.number;
                     });

    // The emergency channel is the first entry carrying its number, as a look-up finds it.
    const int emergencyNumber = emergencySlot(record, group) + 1;
    const int emergencyEntry = record.findChannel(group, emergencyNumber);
    const ChannelEntry* emergency =
        emergencyEntry != 0 ? &record.channel(group, emergencyEntry) : nullptr;
    int newEmergency = 0;

    bool changed = false;
    std::vector<ChannelEntry> sorted;
    for (std::size_t i = 0; i < channels.size(); ++i) {
        ChannelEntry channel = channels[i];
        const Integer number = Integer(i + 1);
        if (emergency != nullptr && newEmergency == 0 && channel == *emergency)
            newEmergency = number;
        if (channel.number != number || !(channel == record.channel(group, int(i) + 1)))
            changed = true;
        channel.number = number;
        sorted.push_back(channel);
    }
    if (!changed)
        return {OrderChange::Unchanged};
    for (std::size_t i = 0; i < sorted.size(); ++i)
        record.channel(group, int(i) + 1) = sorted[i];
    if (newEmergency != 0)
        emergencySlot(record, group) = Integer(newEmergency - 1);
    fixEmergencyChannel(record, group);
    return {OrderChange::Changed};
}

} // namespace zx::model
