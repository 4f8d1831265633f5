// What an import of channel rows is going to do, told before anything changes, and the two
// ways of doing it: merging the rows into their groups (the channels the file does not name
// stay) or replacing the groups (they then hold only the file's channels).
#pragma once

#include "exchange/ChannelTable.h"
#include "model/ConfigRecord.h"

#include <string>
#include <vector>

namespace zx::exchange {

enum class ImportMode { Merge, ReplaceGroups };

// One group the rows name. Channel numbers ascending.
struct GroupImport {
    int group = 0;
    std::vector<int> added;    // the file brings them, the group has them not
    std::vector<int> replaced; // the group has them and the file brings them anew
    std::vector<int> others;   // the group has them, the file does not name them: kept by a
                               // merge, removed when the group is replaced
};

// Per group the rows name, ascending by group; rows without a place are left out.
std::vector<GroupImport> planImport(const model::ConfigRecord& record,
                                    const std::vector<ChannelRow>& rows);

// Puts the rows into the record the chosen way (the emergency channels of the groups changed
// are fixed up); returns the groups changed, ascending.
std::vector<int> importRows(model::ConfigRecord& record, const std::vector<ChannelRow>& rows,
                            ImportMode mode);

// "A-01, A-02, A-05", cut after `maxNames` names with "…".
std::string channelNames(int group, const std::vector<int>& numbers, std::size_t maxNames = 6);

} // namespace zx::exchange
