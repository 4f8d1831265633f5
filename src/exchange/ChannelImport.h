// Placing channel rows read from a table into a document.
#pragma once

#include "exchange/ChannelTable.h"
#include "model/ConfigRecord.h"

#include <vector>

namespace zx::exchange {

// An import of a channel file: the channels of every group the rows name are replaced by
// those rows, in number order; the other groups and every other field stay. The emergency
// channel of each replaced group is fixed up (kept when it still exists, else the group's
// first channel). Returns the groups replaced, ascending. Rows without a place are
// ignored.
std::vector<int> replaceGroups(model::ConfigRecord& record, const std::vector<ChannelRow>& rows);

// Pasted rows: each row's channel is overwritten, or added at the end of its group when the
// group has it not (and has room); the other channels stay. A row that gives frequencies only
// (keepsFlags) leaves an existing channel's scan and flags as they are. The emergency channels of
// the groups changed are fixed up. Returns the number of channels set.
int setChannels(model::ConfigRecord& record, const std::vector<ChannelRow>& rows);

} // namespace zx::exchange
