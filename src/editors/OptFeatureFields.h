// Where each control of the optional features window keeps its value: the record position
// and offset of every list, the position of every check box, the entries of every list, and
// the rules that turn stored values into shown ones and back.
#pragma once

#include "model/ConfigRecord.h"

#include <QString>
#include <QStringList>
#include <array>

namespace zx::editors::optfeat {

inline constexpr int kListCount = 23;
inline constexpr int kCheckCount = 18;
inline constexpr int kCheckIdBase = 100; // identifier of check box k is 100 + k

// A list stores its entry index plus `offset` at `position` of optionFeatures; the backlight
// colour list stores into optionByte instead.
inline constexpr int kOptionBytePosition = -1;
struct ListField {
    int position;
    int offset;
};

inline constexpr std::array<ListField, kListCount> kListFields{{
    {0, 0},                   // TOT
    {1, 30},                  // RB frequency, 10 Hz units
    {2, 0},                   // RB time
    {3, 30},                  // CW side tone
    {4, 0},                   // frequency step
    {5, 0},                   // LCD display
    {6, 0},                   // scan mode
    {7, 0},                   // scan resume time
    {8, 0},                   // LCD display in TX
    {9, 12},                  // SWR protect value, tenths
    {10, 90},                 // battery minimum, tenths of a volt
    {11, 90},                 // battery maximum
    {21, 0},                  // FM squelch close delay
    {22, 0},                  // AM squelch close delay
    {23, 0},                  // CW/USB/LSB squelch close delay
    {40, 30},                 // single tone
    {41, 0},                  // clarifier mode
    {42, 0},                  // push mode
    {30, 0},                  // MIC gain
    {31, 0},                  // MON gain
    {43, 0},                  // CW side volume
    {44, 0},                  // beep volume
    {kOptionBytePosition, 1}, // backlight colour, 1-based
}};

// Record position of each check box; "VOIC" (10) has no field.
inline constexpr int kNoField = -1;
inline constexpr std::array<int, kCheckCount> kCheckPositions{
    12, 13, 14, 15, 16, 17, 18, 19, 20, 32, kNoField, 33, 34, 35, 36, 37, 38, 39};

inline constexpr int kModeCheckCount = 6; // check boxes 0..5: LSB USB FM AM PA CW
inline constexpr int kVoicCheck = 10;
inline constexpr int kCommonOptionCheck = 7;
inline constexpr int kRxOffsetPosition = 45;
inline constexpr int kTxOffsetPosition = 46;

// The entries of list `listIndex` in a language.
QStringList listEntries(int listIndex, int language);

// The entry a list shows for a stored value: stored - offset when that is a valid entry,
// otherwise the first entry; -1 for an empty list.
int shownIndex(int stored, int offset, int entryCount);

// What a check box shows for a stored value: the value itself when it is 0 or 1; otherwise
// set for the mode boxes, "ECHO" and the two protections, cleared for the rest.
bool shownChecked(int checkIndex, int stored);

// The offset boxes show the stored value in Hz (x 10), clamped to -10000..10000; a text that
// is not a number reads as "0".
QString clampedOffsetText(const QString& text);
QString offsetText(model::Integer stored);
// The field value a box text stands for: its number / 10, rounded half to even.
model::Integer offsetFromText(const QString& text);

} // namespace zx::editors::optfeat
