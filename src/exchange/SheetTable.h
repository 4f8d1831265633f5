// The channel table in the spreadsheet columns of this program: one row per channel with its
// group letter, channel number, both frequencies, scan and the six flags, named and filled in
// with the program's own texts (Group, Channel, RX Frequency, TX Frequency, Scan, BUSY, ECHO,
// HI-CUT, +10KHz, NB/ANL, RB; "A", 5, 28.015000, 28.015000, Add, Disable, Enable, ...), so
// that a dealer can keep a channel plan in a spreadsheet without CHIRP's columns. Written in
// the language of the user interface; read in either language.
#pragma once

#include "exchange/ChannelTable.h"
#include "exchange/RowChecks.h"
#include "exchange/TableHeader.h"
#include "text/TextTable.h"

#include <string>
#include <vector>

namespace zx::exchange {

// The column names in a language, in the order they are written.
std::vector<std::string> sheetColumnNames(int language);

// The header and one row per channel: groups A..F in order, channels in number order, with
// the same notes about damaged channels as the CHIRP table. UTF-8 without a byte-order mark,
// CRLF line ends.
WrittenTable writeSheetTable(const model::ConfigRecord& record, int language, char separator = ',');

// True when the columns name `column` in either language.
bool sheetHas(const TableColumns& columns, const text::TextTable& column);

// Reads the rows of a spreadsheet table from `first` on. Group and Channel place a row when
// the options place rows; an empty TX Frequency is the receive frequency, an empty Scan or
// flag the value of a new channel. Without any of the scan and flag columns a row keeps the
// scan and flags of the channel it lands on.
void readSheetRows(const std::vector<TextRow>& rows, std::size_t first, const TableColumns& columns,
                   const ReadOptions& options, RowChecks& checks, ReadTable& out);

} // namespace zx::exchange
