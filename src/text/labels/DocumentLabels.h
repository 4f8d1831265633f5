// Texts of the document commands beyond the message table: the refusal to save over
// something that is not a data file, the recent-files list and the status bar panel that
// tells whether the document has unsaved changes. "%1" stands for a file name.
#pragma once

#include "text/TextTable.h"

namespace zx::text::labels::document {

inline constexpr TextTable kNotRegularFile{
    "Cannot save to \"%1\": it is not a regular file (a folder, a device or a pipe). Nothing "
    "was replaced.",
    "无法保存到“%1”：它不是普通文件（而是文件夹、设备或管道）。没有替换任何内容。"};

inline constexpr TextTable kRecentFileMissing{
    "The file \"%1\" no longer exists. It has been removed from the list of recent files.",
    "文件“%1”已不存在，已从最近使用的文件列表中删除。"};

inline constexpr TextTable kModified{"Modified", "已修改"};

} // namespace zx::text::labels::document
