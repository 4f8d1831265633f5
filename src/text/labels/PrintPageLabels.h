// Texts of the printed programming information pages that the print-items window does not
// already carry: the page header and the column titles of the tables.
#pragma once

#include "text/TextTable.h"

namespace zx::text::labels::print_pages {

// Page %1 of %2 pages.
inline constexpr TextTable kPage{"Page %1 of %2", "第%1页，共%2页"};
inline constexpr TextTable kDate{"Date", "日期"};
// Column titles of the two-column tables.
inline constexpr TextTable kItem{"Item", "项目"};
inline constexpr TextTable kValue{"Value", "设置"};
// A chosen group without channels.
inline constexpr TextTable kNoChannels{"No channels", "无信道"};

} // namespace zx::text::labels::print_pages
