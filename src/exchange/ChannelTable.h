// The channel table as rows of CHIRP's CSV columns, the de-facto exchange format of radio
// channel lists: written for CHIRP, spreadsheets and the clipboard, and read back from any
// of them. Reading also takes the spreadsheet columns of this program (SheetTable.h), told
// apart by the header line (TableHeader.h), and a plain column of frequencies pasted from a
// spreadsheet. It checks every row by the rules of the channel cell update (band, 10 Hz
// raster) and names each bad row with its line; placing the rows into a document is
// ChannelImport.h.
#pragma once

#include "exchange/TableHeader.h"
#include "model/ConfigRecord.h"
#include "model/RuntimeState.h"
#include "text/TextTable.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace zx::exchange {

// CHIRP's columns, in the order it writes them.
inline constexpr std::array<std::string_view, 21> kChirpColumns{
    "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
    "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE"};

// Something to tell about a row or a channel: a bilingual text and what fills its %1, %2, ...
struct Note {
    const text::TextTable* text = nullptr;
    std::vector<std::string> arguments;

    std::string describe(int language) const;
};

// A channel of the table: group 0..5 and number 1..60.
struct ChannelSlot {
    int group = 0;
    int number = 1;
    bool operator==(const ChannelSlot&) const = default;
};

// "A-05".
std::string channelName(ChannelSlot slot);
// Location = group x 60 + number (A-1 = 1 ... F-60 = 360).
int location(ChannelSlot slot);

// ---- writing ----

struct WrittenTable {
    std::string text;
    std::vector<Note> notes; // channels that could not be written as they are
};

// The header and one row per channel: groups A..F in order, channels in number order. UTF-8
// without a byte-order mark, CRLF line ends. `separator` ',' for CSV files, '\t' for the
// clipboard.
WrittenTable writeChannelTable(const model::ConfigRecord& record, char separator = ',');

// The same for chosen channels only (rows copied from the grid), in the order given; slots
// without a channel are left out.
WrittenTable writeChannelRows(const model::ConfigRecord& record,
                              const std::vector<ChannelSlot>& slots, char separator);

// A channel as a table writes it: its place, the entry and both frequencies in display form
// (a missing transmit frequency is the receive frequency).
struct TableChannel {
    ChannelSlot slot;
    const model::ChannelEntry* entry = nullptr;
    std::string rx;
    std::string tx;
};

// Every channel a table can hold, groups A..F, channels in number order. Entries that cannot
// be written as they are (a number outside 1..60, a number given twice, no receive frequency)
// are left out, and an unreadable transmit frequency is written as the receive frequency;
// each is told in `notes`.
std::vector<TableChannel> channelsToWrite(const model::ConfigRecord& record,
                                          std::vector<Note>& notes);

// ---- reading ----

struct ReadOptions {
    // 0: the one that splits the header line into a header (',', ';' or a tab); without a
    // header a tab when the first line holds one, else ';' when it holds one, else ','.
    char separator = 0;
    // Rows go to the channel given by Location (1..360), or by Name ("A-05") when Location is
    // outside that range. Without it rows have no place (pasted rows go where the user says).
    bool placeByLocation = true;
    // Text without a header reads in CHIRP's column order (rows from a spreadsheet), or, when
    // each line holds one cell, as a column of receive frequencies.
    bool headerOptional = false;
};

struct ChannelRow {
    int line = 0;
    ChannelSlot slot; // meaningful only when placed
    bool placed = false;
    model::ChannelEntry entry; // in use, frequencies in stored form, scan and flags
    // The row gives frequencies only (a pasted column, a spreadsheet without the scan and flag
    // columns): a channel it lands on keeps its scan and flags.
    bool keepsFlags = false;
};

struct ReadTable {
    std::vector<ChannelRow> rows;     // the valid rows, in file order
    std::vector<Note> bad;            // one note per invalid row (or a header problem)
    std::vector<Note> warnings;       // rows read with a change (Duplex "off", raster)
    int rowCount = 0;                 // data rows seen, valid or not
    TableKind kind = TableKind::None; // the header's kind (None: no header)
    // The text was refused as a whole (no header, or one that cannot be read): `bad` holds
    // why, and no row was read.
    bool refused = false;
    // Headerless text read as a column of receive frequencies, one per line; an empty line
    // stands for a channel left as it is. The column runs from `firstLine` to `lastLine`.
    bool frequencyColumn = false;
    int firstLine = 0;
    int lastLine = 0;
};

// Reads a channel table against the band of `state`.
ReadTable readChannelTable(std::string_view text, const model::RuntimeState& state,
                           const ReadOptions& options = {});

} // namespace zx::exchange
