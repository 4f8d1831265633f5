// Reading and writing delimited text rows.
#include "exchange/DelimitedText.h"

namespace zx::exchange {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

} // namespace

std::vector<TextRow> readRows(std::string_view text, const ReadRules& rules) {
    if (text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());

    std::vector<TextRow> rows;
    std::size_t i = 0;
    int line = 1;
    // Steps over a line end at i (CRLF, LF or CR) and counts it; false when there is none.
    auto lineEnd = [&] {
        if (i >= text.size() || (text[i] != '\r' && text[i] != '\n'))
            return false;
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        ++i;
        ++line;
        return true;
    };

    while (i < text.size()) {
        if (lineEnd())
            continue; // an empty line
        if (rules.comments && text[i] == '#') {
            while (i < text.size() && !lineEnd())
                ++i;
            continue;
        }
        TextRow row{line, {}};
        std::string cell;
        bool quoted = false;
        bool rowDone = false;
        while (!rowDone) {
            if (i >= text.size()) {
                rowDone = true;
            } else if (quoted) {
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        cell += '"';
                        i += 2;
                    } else {
                        quoted = false;
                        ++i;
                    }
                } else if (text[i] == '\r' || text[i] == '\n') {
                    const std::size_t start = i;
                    lineEnd();
                    cell.append(text.substr(start, i - start));
                } else {
                    cell += text[i++];
                }
            } else if (text[i] == '"') {
                quoted = true;
                ++i;
            } else if (text[i] == rules.separator) {
                row.cells.push_back(std::move(cell));
                cell.clear();
                ++i;
            } else if (lineEnd()) {
                rowDone = true;
            } else {
                cell += text[i++];
            }
        }
        row.cells.push_back(std::move(cell));
        rows.push_back(std::move(row));
    }
    return rows;
}

char guessSeparator(std::string_view text) {
    const std::string_view first = text.substr(0, text.find_first_of("\r\n"));
    if (first.find('\t') != std::string_view::npos)
        return '\t';
    return first.find(';') != std::string_view::npos ? ';' : ',';
}

std::string writeRow(const std::vector<std::string>& cells, char separator) {
    std::string out;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        if (c > 0)
            out += separator;
        const std::string& cell = cells[c];
        if (cell.find_first_of(std::string{separator, '"', '\r', '\n'}) == std::string::npos) {
            out += cell;
            continue;
        }
        out += '"';
        for (char ch : cell) {
            if (ch == '"')
                out += '"';
            out += ch;
        }
        out += '"';
    }
    out += "\r\n";
    return out;
}

} // namespace zx::exchange
