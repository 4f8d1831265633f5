// Texts about a damaged data file: one line per value that no record can hold, saying what
// the repair does with it, and the question whether to open the file repaired. Placeholders
// %1, %2, ... are filled by the caller (text::fill).
#pragma once

#include "text/TextTable.h"

namespace zx::text::labels::damage {

// %1 field, %2 value, %3 lowest, %4 highest, %5 the value it becomes.
inline constexpr TextTable kOutOfRange{"%1 is %2, outside %3..%4: it becomes %5.",
                                       "%1 为 %2，超出 %3..%4：改为 %5。"};
// %1 field (an option or a channel's flag), %2 value, %3 the entry it becomes.
inline constexpr TextTable kNotInList{"%1 holds %2, which is no entry of its list: it becomes %3.",
                                      "%1 的值 %2 不在其列表中：改为 %3。"};
// A channel entry by its place, for a channel whose number cannot name it. %1 group letter,
// %2 entry position in the group.
inline constexpr TextTable kEntry{"Group %1 entry %2", "%1 组第 %2 项"};
// %1 the entry (kEntry), %2 its channel number.
inline constexpr TextTable kBadNumber{
    "%1: channel number %2 is outside 1..60: the channel is dropped.",
    "%1：信道号 %2 超出 1..60：删除该信道。"};
// %1 channel ("A-05"), %2 the entry position of the second one.
inline constexpr TextTable kDuplicate{
    "%1: group entry %2 is a second channel with this number: it is dropped.",
    "%1：组内第 %2 项是同号的第二个信道：删除该信道。"};
// %1 channel, %2 field, %3 the text.
inline constexpr TextTable kRxNotNumber{"%1 %2 \"%3\" is not a number: the channel is dropped.",
                                        "%1 %2“%3”不是数字：删除该信道。"};
inline constexpr TextTable kTxNotNumber{
    "%1 %2 \"%3\" is not a number: it becomes the RX frequency.",
    "%1 %2“%3”不是数字：改为接收频率。"};
// %1 field ("Emergency Channel A"), %2 the channel it names, %3 group letter, %4 what it
// becomes.
inline constexpr TextTable kEmergencyOutside{
    "%1 is %2, which is no channel of group %3: it becomes %4.",
    "%1 为 %2，不是 %3 组的信道：改为 %4。"};

// The question. %1 file name; the problem lines follow, then kMore when there are more than
// the message shows, then kOpenRepaired.
inline constexpr TextTable kDamaged{"The file \"%1\" is damaged:", "文件“%1”已损坏："};
// %1 = number of problems not listed.
inline constexpr TextTable kMore{"and %1 more", "另有 %1 处"};
inline constexpr TextTable kOpenRepaired{
    "Open it repaired? What is listed above is dropped or corrected; the repaired document is "
    "untitled until you save it. No leaves everything as it is.",
    "是否打开修复后的文件？上面列出的内容将被删除或更正；修复后的文档在保存前没有文件名。选择“否”则"
    "一切保持原样。"};
// The command line's summary of a sound file and of a damaged one. %1 = number of problems.
inline constexpr TextTable kSound{"no damage found", "未发现损坏"};
inline constexpr TextTable kDamagedCount{"damaged: %1 problem(s)", "已损坏：%1 处问题"};

} // namespace zx::text::labels::damage
