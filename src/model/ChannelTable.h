// Edits of the channel table: add, delete and update one cell, the check and correction of
// every channel frequency, the emergency channel fix-up and the default test frequencies.
#pragma once

#include "model/Workspace.h"
#include "text/Prompter.h"

#include <string_view>

namespace zx::model {

// Appends a channel numbered `number` to `group` with receive = transmit = stored form of
// `frequencyText` and the defaults of a new channel. A full group (60 channels) is left
// unchanged and false is returned.
bool addChannel(Workspace& ws, int group, int number, std::string_view frequencyText);
// The same on any record, with the band of `state` for the stored form.
bool addChannel(ConfigRecord& record, const RuntimeState& state, int group, int number,
                std::string_view frequencyText);

// Removes entry `position` (1..count) of `group` and closes the gap. A position that does
// not exist changes nothing and false is returned.
bool deleteChannel(ConfigRecord& record, int group, int position);

// Recomputes the six emergency channels so that each designates a channel of its group
// (-1 for an empty group).
void fixEmergencyChannels(ConfigRecord& record);
// The same for one group only.
void fixEmergencyChannel(ConfigRecord& record, int group);

// The field a list column (ColBusy..ColScan) addresses; nullptr for any other column.
Integer* channelListField(ChannelEntry& channel, int column);

// What one cell update changed, so that a channel window can redraw.
struct CellUpdate {
    // Refused: a receive frequency outside the band or not a number; nothing changed and
    // the user was warned.
    enum Kind { Nothing, Updated, Added, Deleted, Refused } kind = Nothing;
    int row = 0; // the channel number (grid row)
    // Additions and deletions run the emergency fix-up; a channel window then rebuilds its
    // emergency lists.
    bool emergencyFixed() const { return kind == Added || kind == Deleted; }
};

// Update one channel cell of the current group: the one operation through which a channel is
// changed, added or deleted. Columns are ChannelColumn values; list columns take the index
// as decimal text.
CellUpdate updateChannelCell(Workspace& ws, int number, int column, std::string_view value,
                             text::Prompter& prompter);

// True when some channel frequency is out of the band or off the 10 Hz raster.
bool checkAllFrequencies(const Workspace& ws, text::Prompter& prompter);
// Moves every out-of-range frequency to the nearer band edge and snaps the others.
void correctAllFrequencies(Workspace& ws, text::Prompter& prompter);

// Builds the test-frequency default table of the run-time state.
void buildTestFrequencyDefaults(RuntimeState& state);
// testFreqCount = 6 and entries 1..6 from the default table.
void applyDefaultTestFrequencies(ConfigRecord& record, const RuntimeState& state);

} // namespace zx::model
