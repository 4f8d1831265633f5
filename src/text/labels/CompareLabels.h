// Texts of Compare with Radio (the Program menu entry and zx908hf-cli verify): how the
// radio's configuration differs from a document, in English and Chinese. Placeholders %1,
// %2, ... are filled by the caller (text::fill).
#pragma once

#include "text/TextTable.h"

namespace zx::text::labels::compare {

inline constexpr TextTable mnuCompareWithRadio{"&Compare with Radio", "与对讲机比较(&C)"};
// Caption of the window that lists the differences.
inline constexpr TextTable kCaption{"Compare with Radio", "与对讲机比较"};

// One difference. %1 = channel or field ("A-05 RX Frequency"), %2 = the radio's value,
// %3 = the file's value.
inline constexpr TextTable kLine{"%1: radio %2, file %3", "%1：对讲机 %2，文件 %3"};

// The verdict. %1 = the file's name; %2 = number of fields that differ.
inline constexpr TextTable kEqual{"The radio holds what %1 holds.", "对讲机中的配置与 %1 相同。"};
inline constexpr TextTable kDiffersOne{"The radio differs from %1 in 1 field.",
                                       "对讲机与 %1 有 1 处不同。"};
inline constexpr TextTable kDiffers{"The radio differs from %1 in %2 fields.",
                                    "对讲机与 %1 有 %2 处不同。"};

// Labels of the difference list window.
inline constexpr TextTable kClose{"&Close", "关闭(&C)"};

} // namespace zx::text::labels::compare
