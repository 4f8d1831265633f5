// Labels of the About box.
#pragma once

#include "text/TextTable.h"

namespace zx::text::labels::about {

inline constexpr TextTable caption{"About ZX_908HF", "关于 ZX_908HF"};
// Followed by the program's major.minor.revision numbers.
inline constexpr TextTable version{"Version ", "版本 "};
// The system-information button is offered in Chinese only.
inline constexpr TextTable systemInfo{"&System Info...", "系统信息(&S)..."};
// Shown when no system-information tool can be found; not translated.
inline constexpr std::string_view kSystemInfoUnavailable = "此时系统信息不可用";

} // namespace zx::text::labels::about
