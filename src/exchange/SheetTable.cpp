// Writing and reading the spreadsheet columns.
#include "exchange/SheetTable.h"

#include "exchange/DelimitedText.h"
#include "model/Band.h"
#include "model/ChannelTable.h"
#include "text/labels/ChannelInfoLabels.h"
#include "text/labels/ExchangeLabels.h"
#include "text/labels/RecordFieldLabels.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <optional>

namespace zx::exchange {

namespace {

namespace texts = text::labels::exchange;
namespace fields = text::labels::record_fields;
namespace grid = text::labels::channel_info;
using model::ChannelEntry;
using model::Integer;

// A list column of the sheet: its name, the entries it is written with (index 0, 1), the
// grid column that addresses its field, and the value a new channel has.
struct ListColumn {
    const text::TextTable* name;
    const std::array<text::TextTable, 2>* entries;
    int column;
    Integer newChannel;
};

// Scan, then the flags in the grid's order.
const std::array<ListColumn, 7> kListColumns{{
    {&grid::kColumnHeaders[model::ColScan], &grid::kScanEntries, model::ColScan, 1},
    {&grid::kColumnHeaders[model::ColBusy], &grid::kFlagEntries, model::ColBusy, 0},
    {&grid::kColumnHeaders[model::ColEcho], &grid::kFlagEntries, model::ColEcho, 1},
    {&grid::kColumnHeaders[model::ColHiCut], &grid::kFlagEntries, model::ColHiCut, 0},
    {&grid::kColumnHeaders[model::ColPlus10k], &grid::kFlagEntries, model::ColPlus10k, 0},
    {&grid::kColumnHeaders[model::ColNbAnl], &grid::kFlagEntries, model::ColNbAnl, 0},
    {&grid::kColumnHeaders[model::ColRb], &grid::kFlagEntries, model::ColRb, 0},
}};

std::string lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The name of the column as the table has it (either language), "" when it has none.
std::string_view nameIn(const TableColumns& columns, const text::TextTable& column) {
    return columns.firstOf({column.english, column.chinese});
}

// The value of a list cell: an entry in either language, or 0 / 1.
std::optional<Integer> listValue(const std::string& cell, const ListColumn& list) {
    if (cell == "0" || cell == "1")
        return Integer(cell == "1");
    for (Integer value = 0; value < 2; ++value) {
        const text::TextTable& entry = (*list.entries)[std::size_t(value)];
        if (lowered(cell) == lowered(entry.english) || cell == entry.chinese)
            return value;
    }
    return std::nullopt;
}

// "Del, Add, 删除, 添加, 0, 1": what a list cell may hold.
std::string accepted(const ListColumn& list) {
    const auto& e = *list.entries;
    return std::string(e[0].english) + ", " + std::string(e[1].english) + ", " +
           std::string(e[0].chinese) + ", " + std::string(e[1].chinese) + ", 0, 1";
}

std::optional<ChannelSlot> slotOf(const std::string& group, const std::string& channel) {
    if (group.size() != 1 || channel.empty() || channel.size() > 2 ||
        !std::all_of(channel.begin(), channel.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int letter = std::toupper(static_cast<unsigned char>(group[0])) - 'A';
    const int number = std::stoi(channel);
    if (letter < 0 || letter >= model::kGroupCount || number < 1 ||
        number > model::kChannelsPerGroup)
        return std::nullopt;
    return ChannelSlot{letter, number};
}

} // namespace

std::vector<std::string> sheetColumnNames(int language) {
    std::vector<std::string> names;
    for (const text::TextTable* name :
         {&fields::kGroup, &fields::kChannel, &fields::kRxFrequency, &fields::kTxFrequency})
        names.emplace_back((*name)[language]);
    for (const ListColumn& list : kListColumns)
        names.emplace_back((*list.name)[language]);
    return names;
}

WrittenTable writeSheetTable(const model::ConfigRecord& record, int language, char separator) {
    WrittenTable out;
    out.text = writeRow(sheetColumnNames(language), separator);
    for (const TableChannel& channel : channelsToWrite(record, out.notes)) {
        ChannelEntry entry = *channel.entry;
        std::vector<std::string> cells{
            std::string(grid::kGroupLetters[std::size_t(channel.slot.group)]),
            std::to_string(channel.slot.number), channel.rx, channel.tx};
        for (const ListColumn& list : kListColumns) {
            const Integer value = *model::channelListField(entry, list.column);
            // A stored value that is no entry shows as the first entry, as in the grid.
            const std::size_t shown = (value == 1) ? 1 : 0;
            cells.emplace_back((*list.entries)[shown][language]);
        }
        out.text += writeRow(cells, separator);
    }
    return out;
}

bool sheetHas(const TableColumns& columns, const text::TextTable& column) {
    return !nameIn(columns, column).empty();
}

void readSheetRows(const std::vector<TextRow>& rows, std::size_t first, const TableColumns& columns,
                   const ReadOptions& options, RowChecks& checks, ReadTable& out) {
    const std::string_view groupName = nameIn(columns, fields::kGroup);
    const std::string_view channelName_ = nameIn(columns, fields::kChannel);
    const std::string_view rxName = nameIn(columns, fields::kRxFrequency);
    const std::string_view txName = nameIn(columns, fields::kTxFrequency);
    const bool keepsFlags =
        std::none_of(kListColumns.begin(), kListColumns.end(),
                     [&](const ListColumn& l) { return sheetHas(columns, *l.name); });
    std::map<int, int> lineOfLocation; // location -> line of the row that gave it

    for (std::size_t r = first; r < rows.size(); ++r) {
        const TextRow& row = rows[r];
        const int line = row.line;
        const std::string lineText = std::to_string(line);
        ++out.rowCount;

        ChannelRow result;
        result.line = line;
        result.keepsFlags = keepsFlags;
        if (options.placeByLocation) {
            const std::string group = columns.cell(row, groupName);
            const std::string number = columns.cell(row, channelName_);
            const std::optional<ChannelSlot> slot = slotOf(group, number);
            if (!slot) {
                checks.bad({&texts::kSheetNoPlace, {lineText, group, number}});
                continue;
            }
            const auto [it, fresh] = lineOfLocation.emplace(location(*slot), line);
            if (!fresh) {
                checks.bad(
                    {&texts::kTwice, {lineText, channelName(*slot), std::to_string(it->second)}});
                continue;
            }
            result.slot = *slot;
            result.placed = true;
        }

        const std::optional<double> rxMHz = checks.number(line, rxName, columns.cell(row, rxName));
        if (!rxMHz)
            continue;
        double txMHz = *rxMHz;
        if (const std::string tx = txName.empty() ? std::string() : columns.cell(row, txName);
            !tx.empty()) {
            const std::optional<double> given = checks.number(line, txName, tx);
            if (!given)
                continue;
            txMHz = *given;
        }
        if (!checks.channel(result, *rxMHz, txMHz))
            continue;
        ChannelEntry& entry = result.entry;
        bool valid = true;
        for (const ListColumn& list : kListColumns) {
            Integer& field = *model::channelListField(entry, list.column);
            field = list.newChannel;
            const std::string_view name = nameIn(columns, *list.name);
            const std::string cell = name.empty() ? std::string() : columns.cell(row, name);
            if (cell.empty())
                continue;
            if (const std::optional<Integer> value = listValue(cell, list)) {
                field = *value;
            } else {
                checks.bad(
                    {&texts::kNotAnEntry, {lineText, std::string(name), cell, accepted(list)}});
                valid = false;
                break;
            }
        }
        if (valid)
            out.rows.push_back(std::move(result));
    }
}

} // namespace zx::exchange
