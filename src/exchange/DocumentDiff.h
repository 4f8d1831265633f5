// The comparison of two documents, field by field, in words: what a dealer needs to see
// between a customer's radio and the master file, or between two files. Differences are of
// meaning: channels are matched by group and number (their order in the group does not
// count), frequencies by the value they show, texts by the characters they show, and the
// entries beyond a list's count (autodial, test frequencies, fleet list) are not compared.
// The group the channel window shows is not part of the configuration and is not compared.
#pragma once

#include "exchange/ChannelTable.h"
#include "model/ConfigRecord.h"
#include "model/RecordFields.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zx::exchange {

enum class DiffScope {
    // Everything a data file holds.
    Document,
    // Only what the radio keeps (the result of reading a radio against a document): the
    // channels without their fine offsets, the optional features without "Common Option"
    // (the radio has no place for it), the backlight colour, the band, and the message lines
    // without trailing spaces (the radio does not keep them).
    Radio,
};

// One side of a difference.
struct DiffValue {
    bool present = true;  // false: the channel does not exist on this side
    long long number = 0; // a number field
    std::string text;     // a text field as it reads, in the system code page (a frequency in
                          // MHz; for a channel that exists on one side only, its RX frequency)
    std::string bytes;    // a text field: its bytes as stored
};

struct Difference {
    // Set for the channel table: the channel compared.
    std::optional<ChannelSlot> channel;
    // The field from the record (or from the channel entry) down; empty when a channel exists
    // on one side only.
    std::vector<model::FieldRef> path;
    bool isText = false;
    DiffValue before;
    DiffValue after;
};

std::vector<Difference> compareDocuments(const model::ConfigRecord& before,
                                         const model::ConfigRecord& after,
                                         DiffScope scope = DiffScope::Document);

// Turns text-field bytes of the system code page into UTF-8. Without one, bytes above 127
// show as "?".
using TextDecoder = std::function<std::string(std::string_view)>;

// The field as the user reads it: "A-05 RX Frequency", "TOT[s]", "Local Information line 1".
std::string differenceName(const Difference& d, int language);
// A side as the user reads it: "28.515000", "Enable", "\"HELLO\"", "(none)". When `side` is
// one of d's two and both read the same (bytes after the first NUL, a character the code page
// shows as another) or hold a character that cannot be seen, the text is followed by its bytes
// in hexadecimal: "\"HELLO\" [48 45 4C 4C 4F 00 41 ...]".
std::string differenceValue(const Difference& d, const DiffValue& side, int language,
                            const TextDecoder& decode = {});
// One line: "A-05 RX Frequency: 28.515000 → 28.525000".
std::string describe(const Difference& d, int language, const TextDecoder& decode = {});
// The field as a key for programs: "A-05.rxFreq", "A-05", "optionFeatures[0]",
// "embeddedMessage[1]", "modelInfo.bandIndex".
std::string differenceKey(const Difference& d);

} // namespace zx::exchange
