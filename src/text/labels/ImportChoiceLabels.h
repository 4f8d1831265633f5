// Texts of the choice an import of channels offers before it changes anything: what it will
// do per group, merging or replacing the groups, and what it did. English and Chinese; %1,
// %2, ... are filled in.
#pragma once

#include "text/TextTable.h"

namespace zx::text::labels::import_choice {

inline constexpr TextTable kCaption{"Import Channels", "导入信道"};
// %1 the file's name, %2 the number of channels it brings.
inline constexpr TextTable kIntro{"%1 brings %2 channels. What the import will do:",
                                  "%1 中有 %2 个信道。导入将会："};
// Columns of the table, one row per group the file names.
inline constexpr TextTable kGroup{"Group", "组"};
inline constexpr TextTable kAdded{"Added", "新增"};
inline constexpr TextTable kReplaced{"Replaced", "替换"};
inline constexpr TextTable kOthers{"Not in the file", "文件中没有的"};
inline constexpr TextTable kExplain{
    "Merge puts the file's channels into their groups and keeps the channels the file does "
    "not name. Replace Groups leaves each group only the file's channels and removes the "
    "others.",
    "“合并”将文件中的信道放入各组，并保留文件中没有的信道。“替换各组”使各组只含文件中的信道，"
    "其他信道将被删除。"};
inline constexpr TextTable kMerge{"&Merge", "合并(&M)"};
inline constexpr TextTable kReplaceGroups{"&Replace Groups", "替换各组(&R)"};
inline constexpr TextTable kCancel{"Cancel", "取消"};
// A cell: %1 the count, %2 the channels ("A-01, A-02").
inline constexpr TextTable kCountAndNames{"%1: %2", "%1：%2"};

// Afterwards, in the status bar. %1 the number of channels, %2 the file, %3 the groups.
inline constexpr TextTable kMerged{"%1 channels from %2 merged into group %3.",
                                   "已将 %2 中的 %1 个信道合并到 %3 组。"};
inline constexpr TextTable kGroupsReplaced{"Group %3 replaced by %1 channels from %2.",
                                           "%3 组已被 %2 中的 %1 个信道替换。"};

} // namespace zx::text::labels::import_choice
