// Labels of the language setup window. The language names and the OK/Cancel captions are
// shared and live with the message table.
#pragma once

#include "text/TextTable.h"

namespace zx::text::labels::language_setup {

inline constexpr TextTable caption{"Language Setup", "语言设置"};
inline constexpr TextTable languageMode{"Language Mode", "语言模式"};

} // namespace zx::text::labels::language_setup
