// What the read-back after a write found, in words: every place where the radio holds other
// bytes than were sent, named by the channel or field that the image layout puts there
// ("A-12 RX Frequency"), with both values as the program shows them.
#pragma once

#include "link/Link.h"
#include "link/RadioImage.h"

#include <cstddef>
#include <string>
#include <vector>

namespace zx::link {

// The range a verification compares: everything a write sends but the first 16 bytes,
// which a first write never sends.
inline constexpr int kVerifyFrom = 0x0010;
inline constexpr int kVerifyTo = 0x1DE0; // first address not compared

// Addresses in the compared range where the two images differ, ascending.
std::vector<int> differingAddresses(const RadioImage& radio, const RadioImage& sent);

struct FieldDifference {
    int address = 0;        // first differing address of the field
    std::string field;      // "A-12 RX Frequency"
    std::string radioValue; // "28.512300"
    std::string sentValue;  // "28.512340"
    bool operator==(const FieldDifference&) const = default;
};

// One entry per field (per bit for the bitmaps, the channel flags and the option bits) that
// holds a differing address, in address order. `language` is the language index. Fields of
// the record are named and read as its field description names and shows them.
std::vector<FieldDifference> describeDifferences(const RadioImage& radio, const RadioImage& sent,
                                                 const std::vector<int>& addresses, int language);

// The message that follows "Write Data Completed.": "Verify OK.", the differing fields (at
// most `maxLines` of them, then how many more), or that the read-back did not finish. Empty
// when the verification did not run.
std::string verificationMessage(const Verification& verification, const RadioImage& radio,
                                const RadioImage& sent, int language, std::size_t maxLines = 20);

} // namespace zx::link
