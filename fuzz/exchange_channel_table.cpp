// Fuzz target: any bytes as a channel table, read as a CSV file and as pasted rows. Reading
// must never crash; the rows it accepts must lie in the band and place into a document that
// stays inside its table; and the document's own table, in CHIRP's and in the spreadsheet
// columns, must read back without a bad row.
#include "exchange/ChannelImport.h"
#include "exchange/ChannelPaste.h"
#include "exchange/ChannelTable.h"
#include "exchange/DocumentDiff.h"
#include "exchange/SheetTable.h"
#include "model/Band.h"
#include "model/Defaults.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

const zx::model::RuntimeState& band() {
    static const zx::model::RuntimeState state = [] {
        zx::model::RuntimeState s;
        zx::model::parseBandEdges(s);
        return s;
    }();
    return state;
}

void check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zx;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    static const model::ConfigRecord base =
        model::defaultRecord(band(), {2024, 1, 1, "2024-01-01"});

    const exchange::ReadTable file = exchange::readChannelTable(text, band());
    const exchange::ReadTable pasted = exchange::readChannelTable(text, band(), {0, false, true});
    for (const exchange::ReadTable* table : {&file, &pasted}) {
        check(table->rows.size() + table->bad.size() <= std::size_t(table->rowCount) + 1);
        for (const exchange::ChannelRow& row : table->rows) {
            const double rx =
                model::toNumber(model::frequencyDisplayForm(row.entry.rxFreq.view()).value_or("0"));
            check(rx >= band().bandLow && rx <= band().bandHigh);
        }
    }

    const exchange::PastedRows rows = exchange::readPastedRows(text, band(), 0, 1);
    for (const exchange::ChannelRow& row : rows.table.rows)
        check(!row.placed || (row.slot.number >= 1 && row.slot.number <= model::kChannelsPerGroup));

    model::ConfigRecord record = base;
    if (rows.acceptable())
        exchange::setChannels(record, rows.table.rows);
    exchange::replaceGroups(record, file.rows);
    exchange::setChannels(record, file.rows);
    for (int g = 0; g < model::kGroupCount; ++g) {
        check(record.channelCount[std::size_t(g)] >= 0 &&
              record.channelCount[std::size_t(g)] <= model::kChannelsPerGroup);
        const int emergency = record.optionFeatures[std::size_t(24 + g)];
        check(emergency >= -1 && emergency < model::kChannelsPerGroup);
    }
    const exchange::WrittenTable written = exchange::writeChannelTable(record);
    check(exchange::readChannelTable(written.text, band()).bad.empty());
    const char separators[] = {',', ';', '\t'};
    const exchange::WrittenTable sheet =
        exchange::writeSheetTable(record, 1 + int(size % 2), separators[size % 3]);
    check(exchange::readChannelTable(sheet.text, band()).bad.empty());
    check(exchange::compareDocuments(record, record).empty());
    for (const exchange::Difference& d : exchange::compareDocuments(base, record))
        check(!exchange::describe(d, 1).empty());
    return 0;
}
