// Texts of the channel exchange files (CHIRP-compatible CSV, pasted rows) and of document
// comparisons, in English and Chinese. %1, %2, ... are filled in: for the notes about a row,
// %1 is always its line number.
#pragma once

#include "text/TextTable.h"

namespace zx::text::labels::exchange {

// Reading a channel table.
inline constexpr TextTable kNoHeader{
    "line %1: no header line naming the columns (Location,Name,Frequency,... or Group,Channel,RX "
    "Frequency,...)",
    "第%1行：缺少列名标题行 (Location,Name,Frequency,... 或 组,信道,接收频率,...)"};
inline constexpr TextTable kMissingColumn{"line %1: the header has no %2 column",
                                          "第%1行：标题行缺少 %2 列"};
inline constexpr TextTable kNoPlace{
    "line %1: Location \"%2\" is outside 1 - 360 and Name \"%3\" does not name a channel such "
    "as A-05",
    "第%1行：Location \"%2\" 不在 1 - 360 之内，Name \"%3\" 也不是 A-05 这样的信道名"};
inline constexpr TextTable kTwice{"line %1: channel %2 is given twice (first on line %3)",
                                  "第%1行：信道 %2 重复出现 (第一次在第%3行)"};
inline constexpr TextTable kNotANumber{"line %1: %2 \"%3\" is not a number",
                                       "第%1行：%2 \"%3\" 不是数字"};
inline constexpr TextTable kOutOfBand{"line %1: %2 MHz is outside %3", "第%1行：%2 MHz 超出 %3"};
inline constexpr TextTable kBadDuplex{
    "line %1: Duplex \"%2\" is none of \"\", \"+\", \"-\", \"split\", \"off\"",
    "第%1行：Duplex \"%2\" 不是 \"\"、\"+\"、\"-\"、\"split\"、\"off\" 之一"};
inline constexpr TextTable kDuplexOff{
    "line %1: Duplex \"off\" (no transmit) is not available on this radio; the channel "
    "transmits on its receive frequency",
    "第%1行：本机不支持 Duplex \"off\" (禁止发射)；该信道以接收频率发射"};
inline constexpr TextTable kSnapped{"line %1: %2 MHz moved onto the 10 Hz raster: %3 MHz",
                                    "第%1行：%2 MHz 已按 10 Hz 步进调整为 %3 MHz"};

// Writing a channel table: %1 the channel ("A-05").
inline constexpr TextTable kNotWrittenNoRx{"%1: no receive frequency; the channel is not written",
                                           "%1：没有接收频率；该信道未写出"};
inline constexpr TextTable kNotWrittenNumber{
    "group %1: entry numbered %2 is not a channel 1..60; not written",
    "%1 组：编号为 %2 的条目不是 1..60 的信道；未写出"};
inline constexpr TextTable kNotWrittenTwice{"%1: a second entry with this number is not written",
                                            "%1：编号相同的第二个条目未写出"};
inline constexpr TextTable kTxUnreadable{
    "%1: transmit frequency \"%2\" is not a number; written as the receive frequency",
    "%1：发射频率 \"%2\" 不是数字；按接收频率写出"};

// The outcome of reading a table with bad rows.
inline constexpr TextTable kNothingImported{"%1 of %2 rows are not valid; nothing was imported",
                                            "%2 行中有 %1 行无效；未导入任何数据"};
inline constexpr TextTable kBadRowsSkipped{"%1 of %2 rows are not valid and were left out",
                                           "%2 行中有 %1 行无效，已略过"};

// Comparing two documents: %1 the field, %2 and %3 the values.
inline constexpr TextTable kChange{"%1: %2 → %3", "%1：%2 → %3"};

// Reading the spreadsheet columns and telling the kinds of table apart. %1 is the line.
inline constexpr TextTable kMixedHeader{
    "line %1: the header names CHIRP's columns (Location, Frequency) and the spreadsheet "
    "columns (Group, RX Frequency) at once; keep the columns of one kind",
    "第%1行：标题行同时含有 CHIRP 的列 (Location, Frequency) 和电子表格的列 (组, 接收频率)；"
    "请只保留其中一种"};
// %2 the line of the first header.
inline constexpr TextTable kSecondHeader{
    "line %1: a second header line (the first is on line %2); a file holds one table",
    "第%1行：出现第二个标题行 (第一个在第%2行)；一个文件只能包含一个表"};
// A pasted column of frequencies: %2 the text.
inline constexpr TextTable kColumnNotANumber{"line %1: RX Frequency \"%2\" is not a number",
                                             "第%1行：接收频率 \"%2\" 不是数字"};
// %2 the group, %3 the channel as the row gives them.
inline constexpr TextTable kSheetNoPlace{
    "line %1: Group \"%2\" and Channel \"%3\" do not name a channel (A - F, 1 - 60)",
    "第%1行：组 \"%2\" 和信道 \"%3\" 不是有效信道 (A - F, 1 - 60)"};
// %2 the column, %3 the text, %4 what the column takes.
inline constexpr TextTable kNotAnEntry{"line %1: %2 \"%3\" is none of %4",
                                       "第%1行：%2 \"%3\" 不是 %4 之一"};

} // namespace zx::text::labels::exchange
