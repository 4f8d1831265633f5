// The channel table as rows of CHIRP's CSV columns, the de-facto exchange format of radio
// channel lists: written for CHIRP, spreadsheets and the clipboard, and read back from any
// of them. Reading checks every row by the rules of the channel cell update (band, 10 Hz
// raster) and names each bad row with its line; placing the rows into a document is
// ChannelImport.h.
#pragma once

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

// ---- reading ----

struct ReadOptions {
    // 0: a tab when the first line holds one, else a comma.
    char separator = ',';
    // Rows go to the channel given by Location (1..360), or by Name ("A-05") when Location is
    // outside that range. Without it rows have no place (pasted rows go where the user says).
    bool placeByLocation = true;
    // Text without CHIRP's header reads in CHIRP's column order (rows from a spreadsheet).
    bool headerOptional = false;
};

struct ChannelRow {
    int line = 0;
    ChannelSlot slot; // meaningful only when placed
    bool placed = false;
    model::ChannelEntry entry; // in use, frequencies in stored form, scan and flags
};

struct ReadTable {
    std::vector<ChannelRow> rows; // the valid rows, in file order
    std::vector<Note> bad;        // one note per invalid row (or a header problem)
    std::vector<Note> warnings;   // rows read with a change (Duplex "off", raster)
    int rowCount = 0;             // data rows seen, valid or not
};

// Reads a channel table against the band of `state`.
ReadTable readChannelTable(std::string_view text, const model::RuntimeState& state,
                           const ReadOptions& options = {});

} // namespace zx::exchange
