// What a write leaves of the document in the radio. The radio keeps a channel frequency as
// six digits (100 Hz steps): the last two digits of a frequency such as 28.512340 are not
// sent, and a read gives 28.512300 back. The rule is the image's own: the document is
// encoded as a write encodes it and decoded as a read decodes it, so it cannot drift from
// what the radio is sent.
#pragma once

#include "model/Workspace.h"

#include <string>
#include <vector>

namespace zx::link {

// The document as a read of the radio gives it back after the document was written.
model::ConfigRecord asWritten(const model::Workspace& ws);

// A channel frequency of the document that a write carries with fewer digits.
struct ShortenedFrequency {
    int group = 0;
    int number = 1;
    bool transmit = false;
    std::string document; // "28.512340"
    std::string written;  // "28.512300"
};

// Every such frequency, by group and channel number, RX before TX.
std::vector<ShortenedFrequency> shortenedFrequencies(const model::Workspace& ws);

// "A-12 RX 28.512340 is written as 28.512300".
std::string describe(const ShortenedFrequency& frequency, int language);

// The question before a write, listing at most `maxLines` frequencies.
std::string shortenedQuestion(const std::vector<ShortenedFrequency>& frequencies, int language,
                              std::size_t maxLines = 20);

} // namespace zx::link
