// Texts about what the radio keeps of a channel frequency: it stores 100 Hz steps (six
// digits), so 10 Hz digits of a document do not survive a write. Before a write the user is
// told which channels lose digits; Compare with Radio and zx908hf-cli verify list such
// channels apart from real differences. English and Chinese; %1, %2, ... are filled in.
#pragma once

#include "text/TextTable.h"

namespace zx::text::labels::precision {

// "A-12 RX 28.512340 is written as 28.512300". %1 the channel, %2 RX or TX, %3 the
// document's frequency, %4 what the radio gets.
inline constexpr TextTable kLine{"%1 %2 %3 is written as %4", "%1 %2 %3 将写为 %4"};
inline constexpr TextTable kRx{"RX", "接收"};
inline constexpr TextTable kTx{"TX", "发射"};
// %1 the lines.
inline constexpr TextTable kQuestion{
    "The radio keeps channel frequencies in 100 Hz steps. These frequencies have digits a "
    "write does not carry:\n%1\n\nWrite anyway?",
    "对讲机以 100 Hz 步进保存信道频率。以下频率含有写入时不会传送的数字：\n%1\n\n仍要写入吗？"};
// A list cut short: %1 lines more.
inline constexpr TextTable kMore{"… and %1 more", "…… 另有 %1 个"};

// Compare with Radio and verify: the fields where the radio holds the file's frequency to
// 100 Hz, as a write leaves it; they are no differences. %1 the number of such fields.
inline constexpr TextTable kStoredTo100Hz{
    "Stored to 100 Hz, as a write stores them (not differences): %1",
    "按 100 Hz 保存（写入即如此，不算差异）：%1"};

} // namespace zx::text::labels::precision
