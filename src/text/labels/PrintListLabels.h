// Labels of the print-items window, which chooses what the printed programming information
// holds; the printed pages take their section headings from here too.
#pragma once

#include "text/TextTable.h"

namespace zx::text::labels::print_list {

inline constexpr TextTable caption{"ZX_908HF Radio Programming Information", "ZX_908HF 写频信息"};
inline constexpr TextTable channelGroup{"Channel Information Group", "信道信息组"};
inline constexpr TextTable optionFeatures{"Option Features", "可选功能"};
inline constexpr TextTable localInformation{"Local Information", "本机信息"};
inline constexpr TextTable embeddedMessage{"Embedded Message", "嵌入信息"};
inline constexpr TextTable startEnd{"Start -- End", "开始 -- 结束"};
// The two group lists of the range, as a screen reader names them.
inline constexpr TextTable startGroup{"Start Group", "开始组"};
inline constexpr TextTable endGroup{"End Group", "结束组"};
inline constexpr TextTable selectAll{"Select &All", "全选(&A)"};
inline constexpr TextTable clearAll{"&Clear All", "全部清除(&C)"};
inline constexpr TextTable set{"&Set", "设置(&S)"};

} // namespace zx::text::labels::print_list
