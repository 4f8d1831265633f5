// Recognising the header of a channel table.
#include "exchange/TableHeader.h"

#include "text/labels/RecordFieldLabels.h"

#include <algorithm>
#include <cctype>

namespace zx::exchange {

namespace {

namespace fields = text::labels::record_fields;

std::string lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The first line with something on it that is not a comment, without its line end.
std::string_view firstDataLine(std::string_view text, int& line) {
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    line = 1;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        const std::string_view current = text.substr(0, end);
        if (!trimmedCell(current).empty() && current.front() != '#')
            return current;
        if (end == std::string_view::npos)
            break;
        const std::size_t next =
            (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? end + 2
                                                                                  : end + 1;
        text.remove_prefix(next);
        ++line;
    }
    return {};
}

} // namespace

std::string trimmedCell(std::string_view cell) {
    const std::size_t first = cell.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = cell.find_last_not_of(" \t");
    return std::string(cell.substr(first, last - first + 1));
}

TableColumns::TableColumns(const std::vector<std::string>& names) {
    for (std::size_t i = 0; i < names.size(); ++i)
        index_.emplace(lowered(trimmedCell(names[i])), i);
}

bool TableColumns::has(std::string_view name) const {
    return index_.contains(lowered(name));
}

std::string_view TableColumns::firstOf(const std::vector<std::string_view>& names) const {
    for (std::string_view name : names)
        if (has(name))
            return name;
    return {};
}

std::string TableColumns::cell(const TextRow& row, std::string_view name) const {
    const auto it = index_.find(lowered(name));
    if (it == index_.end() || it->second >= row.cells.size())
        return {};
    return trimmedCell(row.cells[it->second]);
}

TableKind headerKind(const std::vector<std::string>& cells) {
    // Asked of every row (a second header must not pass for data), so without a look-up table.
    const std::string rx = lowered(fields::kRxFrequency.english);
    const std::string group = lowered(fields::kGroup.english);
    bool frequency = false;
    bool location = false;
    bool sheetRx = false;
    bool sheetGroup = false;
    for (const std::string& cell : cells) {
        const std::string name = lowered(trimmedCell(cell));
        frequency = frequency || name == "frequency";
        location = location || name == "location";
        sheetRx = sheetRx || name == rx || name == fields::kRxFrequency.chinese;
        sheetGroup = sheetGroup || name == group || name == fields::kGroup.chinese;
    }
    if ((frequency || location) && (sheetRx || sheetGroup))
        return TableKind::Mixed;
    if (frequency)
        return TableKind::Chirp;
    if (sheetRx)
        return TableKind::Sheet;
    return TableKind::None;
}

TableHeader recogniseHeader(std::string_view text, char separator) {
    TableHeader header;
    const std::string_view first = firstDataLine(text, header.line);
    const auto cellsOf = [&](char sep) {
        const std::vector<TextRow> rows = readRows(first, {sep, false});
        return rows.empty() ? std::vector<std::string>() : rows.front().cells;
    };
    const std::vector<char> candidates =
        separator != 0 ? std::vector<char>{separator} : std::vector<char>{',', ';', '\t'};
    for (char sep : candidates) {
        std::vector<std::string> cells = cellsOf(sep);
        const TableKind kind = headerKind(cells);
        if (kind != TableKind::None) {
            header = {kind, sep, header.line, std::move(cells)};
            return header;
        }
    }
    header.separator = separator != 0 ? separator : guessSeparator(first);
    return header;
}

} // namespace zx::exchange
