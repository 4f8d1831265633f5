// Texts by which the desktop program tells what a command did or why it could not: the status
// bar after Save, Export, Copy, Paste and Print, the backup a document was opened from, the
// folder no file manager could show, the identity section of the printed pages and a radio
// conversation the user cancelled. English and Chinese; %1, %2, ... are filled in.
#pragma once

#include "text/TextTable.h"

namespace zx::text::labels::feedback {

// The status bar. %1 a file's path.
inline constexpr TextTable kSaved{"Saved %1", "已保存 %1"};
// %1 the number of channels, %2 the file.
inline constexpr TextTable kExported{"%1 channels exported to %2", "已将 %1 个信道导出到 %2"};
// %1 the number of channels, %2 the rows ("A-01..A-05").
inline constexpr TextTable kCopied{"%1 channels copied (%2).", "已复制 %1 个信道（%2）。"};
inline constexpr TextTable kCut{"%1 channels cut (%2).", "已剪切 %1 个信道（%2）。"};
// %1 the number of rows pasted, %2 the rows, %3 how many of them replaced a channel.
inline constexpr TextTable kPasted{
    "%1 channels pasted at %2; %3 of them replaced channels that were there.",
    "已在 %2 粘贴 %1 个信道，其中 %3 个替换了原有信道。"};
// %1 the number of pages.
inline constexpr TextTable kPrinted{"Printed %1 pages.", "已打印 %1 页。"};
// %1 the number of pages, %2 the PDF file.
inline constexpr TextTable kPrintedPdf{"%1 pages saved as PDF: %2", "已将 %1 页保存为 PDF：%2"};
// While the document is a backup opened from the backups folder. %1 the backup's name.
inline constexpr TextTable kBackupOpened{
    "Backup opened: %1 (the document is untitled until it is saved)",
    "已打开备份：%1（保存之前文档未命名）"};

// A folder that no file manager could show. The path follows in a box of its own.
inline constexpr TextTable kFolderCaption{"Folder", "文件夹"};
inline constexpr TextTable kFolderNotShown{
    "No file manager could be started to show this folder. Its path, to copy:",
    "无法启动文件管理器显示此文件夹。其路径（可复制）："};
inline constexpr TextTable kCopyPath{"&Copy Path", "复制路径(&C)"};
inline constexpr TextTable kOk{"OK", "确定"};

// Under the heading of the printed radio identity. %1 the serial number, %2 date and time.
inline constexpr TextTable kIdentityReadFrom{"Read from the radio with serial number %1 on %2.",
                                             "于 %2 从序列号为 %1 的对讲机读取。"};
inline constexpr TextTable kNoSerialNumber{"(none)", "（无）"};

// A read the user stopped with Cancel in the progress window (a stopped write says what the
// radio holds itself).
inline constexpr TextTable kReadCancelled{"Reading was cancelled; the document is unchanged.",
                                          "已取消读取；文档未改变。"};
// The progress window's button.
inline constexpr TextTable kCancel{"Cancel", "取消"};

} // namespace zx::text::labels::feedback
