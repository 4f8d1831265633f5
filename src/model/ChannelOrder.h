// Rearranging the channels of one group, as a dealer tidies a channel plan: an empty row
// inserted where the cursor is, channels moved one number up or down, and a group renumbered
// in the order of its receive frequencies. Frequencies, scan and flags travel with their
// channel, and so does the group's emergency channel: it stays on the channel it designated
// (the same frequency), under that channel's new number.
#pragma once

#include "model/ConfigRecord.h"

namespace zx::model {

struct OrderChange {
    enum Kind {
        Changed,        // the numbers changed
        Unchanged,      // nothing to do (no channel would move, or the group is in order)
        Channel60InUse, // insert: channel 60 would be pushed past the end of the group
        AtEdge,         // move: the rows are already at channel 1 or 60
        Invalid,        // a group or row that does not exist
    } kind = Unchanged;

    explicit operator bool() const { return kind == Changed; }
};

// An empty row at `number`: the channels numbered `number`..59 move to the next number. Refused
// while channel 60 is in use, since it would have no number to go to.
OrderChange insertChannelRow(ConfigRecord& record, int group, int number);

// The channels on rows `first`..`last` move one row up (`down` false) or down: each takes the
// next number in that direction, and the channel of the row they move onto (or its emptiness)
// goes to the other end of the block. With one row, the channel swaps numbers with its
// neighbour.
OrderChange moveChannelRows(ConfigRecord& record, int group, int first, int last, bool down);

// Renumbers the channels 1..n in the order of their receive frequencies; channels of equal
// frequency keep their order by number, and a channel whose receive frequency cannot be read
// comes last. The entries are then kept in that order.
OrderChange sortGroupByRxFrequency(ConfigRecord& record, int group);

} // namespace zx::model
