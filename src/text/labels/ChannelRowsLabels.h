// Texts of the work on whole channel rows: copying, cutting, pasting and deleting rows of the
// channel grid, Edit > Fill Channels and its window, and File > Import Channels / Export
// Channels, in English and Chinese. %1, %2, ... are filled in.
#pragma once

#include "text/TextTable.h"

namespace zx::text::labels::channel_rows {

// Menu entries: Edit > Fill Channels, beside Channel Information; File > Import Channels and
// Export Channels, after Save As.
inline constexpr TextTable mnuFillChannels{"&Fill Channels…", "填充信道(&F)…"};
inline constexpr TextTable mnuImportChannels{"&Import Channels…", "导入信道(&I)…"};
inline constexpr TextTable mnuExportChannels{"&Export Channels…", "导出信道(&E)…"};

// Names of the undoable steps, followed by the channels ("A-5", "A-5..A-9") or the file.
inline constexpr TextTable kStepPaste{"Paste", "粘贴"};
inline constexpr TextTable kStepCut{"Cut", "剪切"};
inline constexpr TextTable kStepDelete{"Delete Channels", "删除信道"};
inline constexpr TextTable kStepFill{"Fill Channels", "填充信道"};
inline constexpr TextTable kStepImport{"Import Channels", "导入信道"};

// Rows of the grid. %1 is a list of lines.
inline constexpr TextTable kPasteRefused{"Nothing was pasted; these rows are not valid:\n%1",
                                         "未粘贴任何数据；以下各行无效：\n%1"};
inline constexpr TextTable kPasteNoRows{"The clipboard holds no channel rows.",
                                        "剪贴板中没有信道数据。"};
// %1 the number of rows, %2 the channel of the first row ("A-58").
inline constexpr TextTable kPastePastEnd{
    "%1 rows pasted from channel %2 would run past channel 60; nothing was pasted.",
    "从信道 %2 起粘贴 %1 行将超出第 60 信道；未粘贴任何数据。"};
// %1 the channel that stays ("A-01").
inline constexpr TextTable kGroupKeepsOne{"A group keeps at least one channel: %1 was not deleted.",
                                          "每组至少保留一个信道：%1 未删除。"};
inline constexpr TextTable kNotCopied{
    "These channels could not be copied and stay as they are:\n%1",
    "以下信道无法复制，保持不变：\n%1"};

// The fill window. %1 the first channel ("A-05").
inline constexpr TextTable kFillCaption{"Fill Channels", "填充信道"};
inline constexpr TextTable kFillFrom{"From channel %1", "起始信道 %1"};
inline constexpr TextTable kFillStart{"Start frequency (MHz)", "起始频率 (MHz)"};
inline constexpr TextTable kFillStep{"Step (kHz)", "步进 (kHz)"};
inline constexpr TextTable kFillCount{"Number of channels", "信道数"};
// Refusals of a fill. %1 the number of channels, %2 the first channel.
inline constexpr TextTable kFillPastChannel60{
    "%1 channels from %2 would run past channel 60; nothing was filled.",
    "从信道 %2 起填充 %1 个信道将超出第 60 信道；未填充任何信道。"};
// %1 the channel, %2 its frequency, %3 the band.
inline constexpr TextTable kFillOutsideBand{
    "Channel %1 would get %2 MHz, which is outside %3; nothing was filled.",
    "信道 %1 的频率将为 %2 MHz，超出 %3；未填充任何信道。"};
inline constexpr TextTable kFillStartNotNumber{"The start frequency \"%1\" is not a number.",
                                               "起始频率 \"%1\" 不是数字。"};

// Channel files. The filter of the file windows.
inline constexpr TextTable kCsvFilter{"CSV Channel Table", "CSV 信道表"};
// %1 the file.
inline constexpr TextTable kCannotRead{"%1 cannot be read.", "无法读取 %1。"};
inline constexpr TextTable kTooLarge{"%1 is too large to be a channel table.",
                                     "%1 太大，不是信道表。"};
inline constexpr TextTable kNoRows{"%1 holds no channel rows; nothing was imported.",
                                   "%1 中没有信道数据；未导入任何数据。"};
// %1 rows of %2 are bad.
inline constexpr TextTable kRowsNotValid{"%1 of %2 rows are not valid", "%2 行中有 %1 行无效"};
// %1 the count line (kRowsNotValid), %2 the list, %3 the valid rows.
inline constexpr TextTable kImportQuestion{
    "%1:\n%2\n\nImport the %3 valid rows and leave these out?\nYes imports the valid rows, No "
    "imports nothing.",
    "%1：\n%2\n\n导入 %3 个有效行并略过以上各行吗？\n选择“是”导入有效行，选择“否”不导入任何数据。"};
// Nothing valid: %1 the count line (that nothing was imported), %2 the list.
inline constexpr TextTable kImportNothingValid{"%1:\n%2", "%1：\n%2"};
// Notes read with the rows (a frequency put on the raster, Duplex "off"), after an import.
inline constexpr TextTable kImportNotes{"Notes:\n%1", "提示：\n%1"};
inline constexpr TextTable kNotExported{"These channels were not written:\n%1",
                                        "以下信道未写出：\n%1"};

// A list cut short: %1 lines more.
inline constexpr TextTable kMoreLines{"… and %1 more", "…… 另有 %1 行"};

// The formats of Export Channels.
inline constexpr TextTable kChirpFilter{"CHIRP (CSV)", "CHIRP (CSV)"};
inline constexpr TextTable kSheetFilter{"Spreadsheet (CSV)", "电子表格 (CSV)"};

} // namespace zx::text::labels::channel_rows
