// Where each control of the optional features window keeps its value and the entries of its
// lists come from the record's description of the optional features (model/OptionFields.h);
// this adds what only the window needs: the entries as Qt texts and the rules of the two
// offset boxes.
#pragma once

#include "model/ConfigRecord.h"
#include "model/OptionFields.h"

#include <QString>
#include <QStringList>
#include <array>

namespace zx::editors::optfeat {

using model::options::kCheckCount;
using model::options::kCheckPositions;
using model::options::kCommonOptionCheck;
using model::options::kListCount;
using model::options::kModeCheckCount;
using model::options::kNoField;
using model::options::kRxOffsetPosition;
using model::options::kTxOffsetPosition;
using model::options::kVoicCheck;
using model::options::shownChecked;
using model::options::shownIndex;

inline constexpr int kCheckIdBase = 100; // identifier of check box k is 100 + k

// A list stores its entry index plus `offset` at `position` of optionFeatures; the backlight
// colour list stores into optionByte instead.
inline constexpr int kOptionBytePosition = model::options::kBacklightPosition;
struct ListField {
    int position;
    int offset;
};
inline ListField listField(int listIndex) {
    const model::options::OptionList& list = model::options::optionLists()[std::size_t(listIndex)];
    return {list.position, list.values.offset};
}

// The entries of list `listIndex` in a language.
QStringList listEntries(int listIndex, int language);

// The offset boxes show the stored value in Hz (x 10), clamped to -10000..10000; a text that
// is not a number reads as "0".
QString clampedOffsetText(const QString& text);
QString offsetText(model::Integer stored);
// The field value a box text stands for: its number / 10, rounded half to even.
model::Integer offsetFromText(const QString& text);

} // namespace zx::editors::optfeat
