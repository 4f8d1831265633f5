// Finding channels by frequency across all six groups: the user types a frequency or its
// beginning ("28.1") and goes from one channel showing it to the next.
#pragma once

#include "model/ConfigRecord.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zx::model {

// A channel that was found and the cell that shows the match (ColRxFreq or ColTxFreq).
struct FoundChannel {
    int group = 0;
    int number = 1;
    int column = ColRxFreq;
    bool operator==(const FoundChannel&) const = default;
};

// What the user typed as something to look for: blanks around it dropped and "," read as ".";
// nullopt when it is empty or more than digits with at most one ".".
std::optional<std::string> frequencyQuery(std::string_view typed);

// Every channel whose receive or transmit frequency, as the grid shows it ("28.125000"),
// begins with `query`: groups A..F, then channel numbers ascending. The cell is the receive
// frequency when it matches, else the transmit frequency.
std::vector<FoundChannel> findFrequency(const ConfigRecord& record, std::string_view query);

// The found channel after (or, going back, before) the cell `from` in that order, starting
// again at the other end; nullopt when nothing was found.
std::optional<FoundChannel> nextFound(const std::vector<FoundChannel>& found,
                                      const FoundChannel& from, bool forward);

} // namespace zx::model
