// Texts of the character counters beside the two lines of the Local Information window
// (FrmEmbMsg). The counter itself reads "used/32" in both languages.
#pragma once

#include "text/TextTable.h"

namespace zx::text::labels::local_info {

inline constexpr TextTable kCounterTip{
    "Characters used of the 32 of this line; blanks at the end count too and show as dots.",
    "本行已用字符数（共 32 个）；行尾的空格也计算在内，并显示为圆点。"};

} // namespace zx::text::labels::local_info
