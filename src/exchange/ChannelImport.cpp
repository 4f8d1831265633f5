// Placing channel rows into a document.
#include "exchange/ChannelImport.h"

#include "model/ChannelTable.h"

#include <algorithm>
#include <set>

namespace zx::exchange {

namespace {

using model::ChannelEntry;
using model::ConfigRecord;
using model::Integer;

} // namespace

std::vector<int> replaceGroups(ConfigRecord& record, const std::vector<ChannelRow>& rows) {
    std::set<int> groups;
    for (const ChannelRow& row : rows)
        if (row.placed)
            groups.insert(row.slot.group);

    for (int group : groups) {
        std::vector<const ChannelRow*> mine;
        for (const ChannelRow& row : rows)
            if (row.placed && row.slot.group == group)
                mine.push_back(&row);
        std::stable_sort(mine.begin(), mine.end(), [](const ChannelRow* a, const ChannelRow* b) {
            return a->slot.number < b->slot.number;
        });
        int count = 0;
        for (const ChannelRow* row : mine) {
            if (count == model::kChannelsPerGroup)
                break;
            ChannelEntry& entry = record.channel(group, ++count);
            entry = row->entry;
            entry.number = Integer(row->slot.number);
            entry.inUse = 1;
        }
        record.channelCount[std::size_t(group)] = Integer(count);
        model::fixEmergencyChannel(record, group);
    }
    return {groups.begin(), groups.end()};
}

int setChannels(ConfigRecord& record, const std::vector<ChannelRow>& rows) {
    int set = 0;
    for (const ChannelRow& row : rows) {
        if (!row.placed || row.slot.group < 0 || row.slot.group >= model::kGroupCount)
            continue;
        const int group = row.slot.group;
        const int count = record.usedChannels(group);
        int position = 0;
        for (int p = 1; p <= count && position == 0; ++p)
            if (record.channel(group, p).number == row.slot.number)
                position = p;
        if (position == 0) {
            if (count == model::kChannelsPerGroup)
                continue;
            position = count + 1;
            record.channelCount[std::size_t(group)] = Integer(position);
        }
        ChannelEntry& entry = record.channel(group, position);
        if (row.keepsFlags && position <= count) {
            // Only frequencies came: the channel keeps its scan and flags.
            entry.rxFreq = row.entry.rxFreq;
            entry.txFreq = row.entry.txFreq;
        } else {
            entry = row.entry;
        }
        entry.number = Integer(row.slot.number);
        entry.inUse = 1;
        model::fixEmergencyChannel(record, group);
        ++set;
    }
    return set;
}

} // namespace zx::exchange
