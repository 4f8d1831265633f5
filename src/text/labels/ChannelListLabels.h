// Texts of the channel list tools, in English and Chinese: the row commands of the Edit menu
// and the grid's context menu, View > Channel Flags, finding a frequency, File > Compare with
// File and the backups window. %1, %2, ... are filled in.
#pragma once

#include "text/TextTable.h"

namespace zx::text::labels::channel_lists {

// View menu, after the status bar entry.
inline constexpr TextTable mnuViewChannelFlags{"Channel &Flags", "信道功能(&F)"};

// Row commands, in the Edit menu and the grid's context menu in this order.
inline constexpr TextTable mnuCopyChannels{"Cop&y", "复制(&Y)"};
inline constexpr TextTable mnuCutChannels{"Cu&t", "剪切(&T)"};
inline constexpr TextTable mnuPasteChannels{"&Paste", "粘贴(&P)"};
inline constexpr TextTable mnuDeleteChannels{"De&lete Channels", "删除信道(&L)"};
inline constexpr TextTable mnuInsertChannel{"Insert C&hannel", "插入信道(&H)"};
inline constexpr TextTable mnuMoveUp{"Mov&e Up", "上移(&E)"};
inline constexpr TextTable mnuMoveDown{"Move Do&wn", "下移(&W)"};
inline constexpr TextTable mnuSortGroup{"Sort &Group by RX Frequency", "本组按接收频率排序(&G)"};

// Names of the undoable steps, followed by the channels ("A-5", "A-5..A-7") or the group.
inline constexpr TextTable kStepInsert{"Insert Channel", "插入信道"};
inline constexpr TextTable kStepMoveUp{"Move Up", "上移"};
inline constexpr TextTable kStepMoveDown{"Move Down", "下移"};
inline constexpr TextTable kStepSort{"Sort by RX Frequency", "按接收频率排序"};

// Refusals. %1 the channel ("A-60").
inline constexpr TextTable kInsertChannel60{
    "Channel %1 is in use: an inserted row would push it past channel 60. Move or delete "
    "channel %1 first; nothing was inserted.",
    "信道 %1 已在使用：插入一行会使其超出第 60 信道。请先移动或删除信道 %1；未插入任何行。"};
inline constexpr TextTable kMoveNeighbours{
    "Only one row or a block of neighbouring rows can be moved; nothing was moved.",
    "只能移动一行或相邻的几行；未移动任何信道。"};

// Finding a frequency: Edit menu entries after the row commands.
inline constexpr TextTable mnuFind{"Fin&d…", "查找(&D)…"};
inline constexpr TextTable mnuFindNext{"Find &Next", "查找下一个(&N)"};
inline constexpr TextTable mnuFindPrevious{"Find Pre&vious", "查找上一个(&V)"};
// The find window.
inline constexpr TextTable kFindCaption{"Find Frequency", "查找频率"};
inline constexpr TextTable kFindLabel{"Frequency or its beginning (MHz), e.g. 28.1",
                                      "频率或其开头 (MHz)，例如 28.1"};
inline constexpr TextTable kFindButton{"Find &Next", "查找下一个(&N)"};
// In the status bar. %1 what was looked for; %2 the channel ("B-05"), %3 its place among the
// %4 channels found.
inline constexpr TextTable kFound{"%1: %2 (%3 of %4)", "%1：%2 (第 %3 个，共 %4 个)"};
inline constexpr TextTable kNotFound{"%1 not found", "未找到 %1"};
inline constexpr TextTable kNotAFrequency{"\"%1\" is not a frequency: type digits and \".\"",
                                          "\"%1\" 不是频率：请输入数字和 \".\""};

// File > Compare with File.
inline constexpr TextTable mnuCompareWithFile{"Compare with &File…", "与文件比较(&F)…"};
inline constexpr TextTable kCompareFileCaption{"Compare with File", "与文件比较"};
// %1 the document's name, %2 the file's name, %3 the number of fields.
inline constexpr TextTable kFilesEqual{"%1 and %2 hold the same configuration.",
                                       "%1 与 %2 的配置相同。"};
inline constexpr TextTable kFilesDifferOne{
    "%1 and %2 differ in 1 field (values of %1 → values of %2):",
    "%1 与 %2 有 1 处不同 (%1 的值 → %2 的值)："};
inline constexpr TextTable kFilesDiffer{
    "%1 and %2 differ in %3 fields (values of %1 → values of %2):",
    "%1 与 %2 有 %3 处不同 (%1 的值 → %2 的值)："};
// A file of a data version this program does not read: %1 the file, %2 its version.
inline constexpr TextTable kCompareOtherVersion{
    "%1 is a data file of version %2, which this program cannot compare.",
    "%1 是 %2 版本的数据文件，本程序无法比较。"};

// Buttons of the comparison window.
inline constexpr TextTable kCopyAll{"Copy &All", "全部复制(&A)"};
inline constexpr TextTable kPrint{"&Print…", "打印(&P)…"};

// File > Restore from Backup and its window.
inline constexpr TextTable mnuRestoreFromBackup{"&Restore from Backup…", "从备份恢复(&R)…"};
inline constexpr TextTable kBackupsCaption{"Restore from Backup", "从备份恢复"};
inline constexpr TextTable kBackupTime{"Date and Time", "日期时间"};
inline constexpr TextTable kBackupKind{"Transfer", "传输"};
inline constexpr TextTable kBackupBand{"Band", "频段"};
inline constexpr TextTable kBackupModel{"Model Code", "机型代码"};
inline constexpr TextTable kBackupSerial{"Serial Number", "序列号"};
inline constexpr TextTable kBackupRead{"Read", "读取"};
inline constexpr TextTable kBackupWrite{"Write", "写入"};
inline constexpr TextTable kBackupOpen{"&Open", "打开(&O)"};
inline constexpr TextTable kBackupShowInFolder{"Show in &Folder", "在文件夹中显示(&F)"};
// %1 the folder.
inline constexpr TextTable kNoBackups{
    "No backups yet: every read and every write of a radio keeps one in %1.",
    "还没有备份：每次读取或写入对讲机都会在 %1 中保存一份。"};
// %1 the image file, %2 the data file beside it.
inline constexpr TextTable kBackupFiles{"Radio memory: %1\nDocument: %2",
                                        "对讲机存储器：%1\n文档：%2"};

} // namespace zx::text::labels::channel_lists
