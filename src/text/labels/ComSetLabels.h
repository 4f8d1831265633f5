// Texts of the port setup window FrmComSet. Its OK and Cancel buttons take the shared button
// captions of text/Messages.h.
#pragma once

#include "text/TextTable.h"

namespace zx::text::labels::comset {

inline constexpr TextTable kCaption{"Communication Port", "通信端口"};
// Label1, and the prefix of every list entry ("COM3"). The entries always read "COM" + n:
// the number is what the settings file keeps.
inline constexpr TextTable kLabelPort{"COM", "通信口"};
inline constexpr const char* kEntryPrefix = "COM";

} // namespace zx::text::labels::comset
