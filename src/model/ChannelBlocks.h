// Edits of several channels of one group at once, as the channel grid offers them on whole
// rows: deleting chosen channels and filling consecutive channels with evenly spaced
// frequencies. Like the cell update, both leave the group's emergency channel on a channel
// that exists.
#pragma once

#include "model/ConfigRecord.h"
#include "model/RuntimeState.h"

#include <vector>

namespace zx::model {

struct ChannelDeletion {
    std::vector<int> deleted; // channel numbers removed, ascending
    int kept = 0;             // the channel left standing so that the group keeps one; 0: none
};

// Deletes the channels numbered `numbers` (numbers without a channel are ignored) from
// `group`. A group is never emptied from the grid: when the numbers name every channel of
// the group, the lowest-numbered of them stays.
ChannelDeletion deleteChannels(ConfigRecord& record, int group, const std::vector<int>& numbers);

// `count` channels from `firstNumber` on, the first at `startHz`, each next one `stepHz`
// higher (lower for a negative step).
struct FillPlan {
    int group = 0;
    int firstNumber = 1;
    long long startHz = 0;
    long long stepHz = 0;
    int count = 0;
};

struct FillProblem {
    enum Kind {
        None,
        NoChannels,    // a count below 1, a group or first channel that does not exist
        PastChannel60, // the last channel would be numbered above 60
        OutsideBand,   // a frequency would lie outside the band
    } kind = None;
    int number = 0;   // OutsideBand: the first channel whose frequency is outside
    long long hz = 0; // OutsideBand: that frequency

    explicit operator bool() const { return kind != None; }
};

// Whether the plan can be filled in the band of `state`.
FillProblem checkFill(const FillPlan& plan, const RuntimeState& state);

// The frequency channel i (0-based) of the plan gets, on the band's 10 Hz raster.
long long fillFrequencyHz(const FillPlan& plan, int i, const RuntimeState& state);

// Fills the plan: each channel gets the frequency as receive and transmit frequency; an
// existing channel keeps its scan and flags, a missing one is added with the defaults of a new
// channel. Nothing changes when checkFill() finds a problem; it is returned.
FillProblem fillChannels(ConfigRecord& record, const RuntimeState& state, const FillPlan& plan);

} // namespace zx::model
