// Damaged data files: the values a file of the right length and version may still hold but no
// record of this program can, found and repaired before the record becomes a document. The
// rules come from the record's field description (RecordFields.h) and the optional features'
// lists (OptionFields.h):
//   - a number whose field has a range lies in it (the current group 0..5, the channel count
//     of a group 0..60, the autodial, test-frequency and fleet-list counts), else it is
//     clamped;
//   - every channel in use has a number 1..60 that no other channel of its group has, else
//     it is dropped (the first of two equal numbers stays);
//   - its frequencies are numbers, blank or eight "F": a receive frequency that is none of
//     these drops the channel, a transmit frequency becomes the receive frequency;
//   - its flags and every optional feature with a list hold an entry of their list, else
//     they take the entry the windows show for them (the first entry; a check box's own
//     default);
//   - each emergency channel names a channel of its group (for an empty group none, or the
//     record's default 0), else it is fixed up as after deleting a channel.
// Each repair is one line in the user's language saying what was wrong and what it becomes.
#pragma once

#include "model/ConfigRecord.h"

#include <string>
#include <string_view>
#include <vector>

namespace zx::model {

// Repairs `record` in place and returns one line per repair, in file order; none for a
// sound record, which is left exactly as it was.
std::vector<std::string> repairRecord(ConfigRecord& record, int language);

// The lines repairRecord would give, without changing anything.
std::vector<std::string> findDamage(const ConfigRecord& record, int language);

// At most this many lines go into the question; the rest are counted.
inline constexpr std::size_t kDamageLinesShown = 10;

// "The file "x.dat" is damaged:", the first ten lines, "and N more", and whether to open it
// repaired (Yes) or leave everything as it is (No).
std::string damageQuestion(std::string_view fileName, const std::vector<std::string>& lines,
                           int language);

} // namespace zx::model
