// The header line of a channel table: which kind of table a text holds (CHIRP's columns or the
// spreadsheet columns of this program) and which separator divides its fields. Spreadsheets
// write ',' where the decimal point is '.', and ';' where it is ','; copied cells are
// tab-separated. The header is the first line that is neither empty nor a "#" comment, and
// the separator is the one that splits it into a header one of the kinds recognises.
#pragma once

#include "exchange/DelimitedText.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace zx::exchange {

enum class TableKind {
    None,  // no header: the line holds data
    Chirp, // names a Frequency column
    Sheet, // names an RX Frequency column
    Mixed, // names the key columns of both kinds: not one table or the other
};

struct TableHeader {
    TableKind kind = TableKind::None;
    char separator = ',';
    int line = 0; // the line the header is on; the first line of data when there is none
    std::vector<std::string> cells;
};

// The kind of table a row of cells is the header of.
TableKind headerKind(const std::vector<std::string>& cells);

// The header of `text`. With `separator` 0 each of ',', ';' and tab is tried; without a
// header the separator is a tab when the first line holds one, else ';' when it holds one,
// else ','. A given separator is used as it is.
TableHeader recogniseHeader(std::string_view text, char separator = 0);

// Cell text without the blanks around it.
std::string trimmedCell(std::string_view cell);

// The cells of a row by column name, found without regard to case and blanks.
class TableColumns {
public:
    TableColumns() = default;
    explicit TableColumns(const std::vector<std::string>& names);

    bool has(std::string_view name) const;
    // The first name of `names` that the table has, or "" when none.
    std::string_view firstOf(const std::vector<std::string_view>& names) const;
    // The trimmed cell of the column, "" when the column or the cell is missing.
    std::string cell(const TextRow& row, std::string_view name) const;

private:
    std::map<std::string, std::size_t> index_;
};

} // namespace zx::exchange
