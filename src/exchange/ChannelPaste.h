// Rows pasted into the channel grid: text copied from the grid, a spreadsheet or CHIRP, read
// and checked like an imported file, going to consecutive channels of the group shown from
// the row the user is on (the rows' own Location and Name do not place them). A plain column
// of frequencies fills the receive (and transmit) frequencies of those channels line by line.
#pragma once

#include "exchange/ChannelTable.h"
#include "model/RuntimeState.h"

#include <string_view>

namespace zx::exchange {

struct PastedRows {
    ReadTable table;      // the rows, placed when they fit; bad rows as a file import has them
    bool pastEnd = false; // the rows would run past channel 60; none is placed

    // True when the rows may be set into the document: at least one, none bad, all placed.
    bool acceptable() const { return !pastEnd && table.bad.empty() && !table.rows.empty(); }
};

// Reads `text` (tab-, semicolon- or comma-separated, with or without a header) against the
// band of `state` and places its rows on channels firstNumber, firstNumber + 1, ... of
// `group`; the lines of a column of frequencies keep their distance, so that an empty cell
// leaves its channel as it is.
PastedRows readPastedRows(std::string_view text, const model::RuntimeState& state, int group,
                          int firstNumber);

} // namespace zx::exchange
