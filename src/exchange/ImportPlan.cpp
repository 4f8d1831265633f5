// The plan of an import and carrying it out.
#include "exchange/ImportPlan.h"

#include "exchange/ChannelImport.h"

#include <algorithm>
#include <map>
#include <set>

namespace zx::exchange {

std::vector<GroupImport> planImport(const model::ConfigRecord& record,
                                    const std::vector<ChannelRow>& rows) {
    std::map<int, std::set<int>> named; // group -> numbers the rows bring
    for (const ChannelRow& row : rows)
        if (row.placed && row.slot.group >= 0 && row.slot.group < model::kGroupCount)
            named[row.slot.group].insert(row.slot.number);

    std::vector<GroupImport> plan;
    for (const auto& [group, numbers] : named) {
        std::set<int> present;
        const int count = record.usedChannels(group);
        for (int entry = 1; entry <= count; ++entry)
            present.insert(record.channel(group, entry).number);
        GroupImport g;
        g.group = group;
        for (int number : numbers)
            (present.count(number) ? g.replaced : g.added).push_back(number);
        for (int number : present)
            if (!numbers.count(number))
                g.others.push_back(number);
        plan.push_back(std::move(g));
    }
    return plan;
}

std::vector<int> importRows(model::ConfigRecord& record, const std::vector<ChannelRow>& rows,
                            ImportMode mode) {
    if (mode == ImportMode::ReplaceGroups)
        return replaceGroups(record, rows);
    std::set<int> groups;
    for (const ChannelRow& row : rows)
        if (row.placed && row.slot.group >= 0 && row.slot.group < model::kGroupCount)
            groups.insert(row.slot.group);
    // A merge overwrites the channels the rows name and adds the others, as a paste does.
    setChannels(record, rows);
    return {groups.begin(), groups.end()};
}

std::string channelNames(int group, const std::vector<int>& numbers, std::size_t maxNames) {
    std::string names;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i == maxNames)
            return names + ", …";
        if (i > 0)
            names += ", ";
        names += channelName({group, numbers[i]});
    }
    return names;
}

} // namespace zx::exchange
