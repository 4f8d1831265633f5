// The optional features of the record: which position of optionFeatures each list and check
// box of the optional features window keeps, the entries of every list, and how a stored
// value reads to the user. The window, comparisons and printed sheets all take them from here.
#pragma once

#include "model/ConfigRecord.h"
#include "text/TextTable.h"

#include <array>
#include <string>
#include <vector>

namespace zx::model::options {

inline constexpr int kListCount = 23;
inline constexpr int kCheckCount = 18;
// The backlight colour lives in optionByte, not in optionFeatures; this position stands for it.
inline constexpr int kBacklightPosition = kOptionFeatureCount;
inline constexpr int kNoField = -1;

inline constexpr int kModeCheckCount = 6; // check boxes 0..5: LSB USB FM AM PA CW
inline constexpr int kCommonOptionCheck = 7;
inline constexpr int kVoicCheck = 10;
inline constexpr int kRxOffsetPosition = 45;
inline constexpr int kTxOffsetPosition = 46;
inline constexpr int kCommonOptionPosition = 19;

// The entries of a list; each stores its index plus `offset`. Either fixed texts, or the
// numbers first, first + step, ... last (an optional first entry before them), shown in
// tenths ("#0.0") when `tenths` is set.
struct ValueList {
    int offset = 0;
    const text::ListTable* fixed = nullptr;
    const text::TextTable* lead = nullptr;
    int first = 0;
    int step = 1;
    int last = -1;
    bool tenths = false;

    int count() const;
    // Entry `index` in a language; "" when there is no such entry.
    std::string entry(int index, int language) const;
    std::vector<std::string> entries(int language) const;
};

// A list of the window: the position it stores into and its entries.
struct OptionList {
    int position;
    ValueList values;
};

// The lists by their index in the window (0..22).
const std::array<OptionList, kListCount>& optionLists();
// The index of the list that stores at `position`, -1 when none does.
int listAt(int position);

// The position of each check box by its index in the window; "VOIC" (10) has none.
inline constexpr std::array<int, kCheckCount> kCheckPositions{
    12, 13, 14, 15, 16, 17, 18, 19, 20, 32, kNoField, 33, 34, 35, 36, 37, 38, 39};
// The index of the check box that stores at `position`, -1 when none does.
int checkAt(int position);

// The entry a list shows for a stored value: stored - offset when that is an entry, else the
// first entry; -1 for a list without entries.
int shownIndex(int stored, int offset, int entryCount);

// What a check box shows for a stored value: the value itself when it is 0 or 1; otherwise
// set for the mode boxes, "ECHO" and the two protections, cleared for the rest.
bool shownChecked(int checkIndex, int stored);

// The name of the feature at a position (0..46, or kBacklightPosition) as the user knows it:
// the window's label with its unit, "Emergency Channel A" for positions 24..29.
std::string optionName(int position, int language);

// A stored value as it reads: the list entry, "Enable"/"Disable" for a check box, the
// emergency channel number, the offset in Hz. A value outside its list reads as the stored
// number in square brackets, so that nothing is hidden.
std::string optionValue(int position, int stored, int language);

// The stored value of a position in a record.
int storedOption(const ConfigRecord& record, int position);

} // namespace zx::model::options
