// Texts of the embedded message window FrmEmbMsg (captioned "Local Information"). Its close
// button takes the shared caption of text/Messages.h.
#pragma once

#include "text/TextTable.h"

namespace zx::text::labels::emb_msg {

inline constexpr TextTable kCaption{"Local Information", "本机信息"};

} // namespace zx::text::labels::emb_msg
