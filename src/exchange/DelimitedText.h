// Rows of delimited text (comma- or tab-separated), read and written the way spreadsheets and
// CHIRP do: a cell holding the separator, a quote or a line break is quoted, quotes inside
// it doubled; lines end in CRLF, LF or CR. Each row remembers the line it starts on.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zx::exchange {

struct TextRow {
    int line = 0; // 1-based line of the text where the row starts
    std::vector<std::string> cells;
};

struct ReadRules {
    char separator = ',';
    // A row whose first character is '#' is a comment and skipped (CHIRP-style files).
    bool comments = true;
};

// The rows of a text. A UTF-8 byte-order mark at the start is dropped; empty lines are
// skipped. A quote left open runs to the end of the text.
std::vector<TextRow> readRows(std::string_view text, const ReadRules& rules);

// The separator of text without a header: a tab when its first line holds one, else ';' when
// it holds one (spreadsheets that write a decimal comma), else a comma.
char guessSeparator(std::string_view text);

// One row as text with the separator, quoted where needed, ending in CRLF.
std::string writeRow(const std::vector<std::string>& cells, char separator);

} // namespace zx::exchange
