// Writing and reading the channel table in CHIRP's columns, and telling the kinds of table
// apart when reading.
#include "exchange/ChannelTable.h"

#include "exchange/DelimitedText.h"
#include "exchange/RowChecks.h"
#include "exchange/SheetTable.h"
#include "model/Band.h"
#include "model/RecordFields.h"
#include "text/labels/ExchangeLabels.h"
#include "text/labels/RecordFieldLabels.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <optional>

namespace zx::exchange {

namespace {

namespace texts = text::labels::exchange;
namespace fields = text::labels::record_fields;
using model::ChannelEntry;
using model::ConfigRecord;
using model::Integer;
using model::kChannelsPerGroup;
using model::kGroupCount;

// What CHIRP writes for a memory without tones, power level or D-STAR data.
constexpr std::string_view kToneFreq = "88.5";
constexpr std::string_view kDtcsCode = "023";
constexpr std::string_view kDtcsPolarity = "NN";
constexpr std::string_view kCrossMode = "Tone->Tone";
constexpr std::string_view kMode = "Auto";
constexpr std::string_view kTuningStep = "5.00";
constexpr std::string_view kSkipped = "S";

// The flags of a channel that the Comment column lists, in the order of the record: every
// field of a channel entry shown as Disable/Enable, named by its label.
class FlagWalk {
public:
    void number(model::FieldRef ref, Integer& value) {
        if (ref.field->shown == model::Shown::EnableFlag)
            flags.push_back({ref.field, &value});
    }
    template <class T> void text(model::FieldRef, T&) {}

    struct Found {
        const model::Field* field;
        Integer* value;
    };
    std::vector<Found> flags;
};

// The flags of an entry: each flag's field and where the entry holds its value.
std::vector<FlagWalk::Found> flagsOf(ChannelEntry& entry) {
    FlagWalk walk;
    model::visitChannel(walk, entry);
    return walk.flags;
}

std::string_view englishLabel(const model::Field& field) {
    return field.label[text::English];
}

std::string lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

Note note(const text::TextTable& text, std::vector<std::string> arguments) {
    return Note{&text, std::move(arguments)};
}

// ---- writing ----

std::vector<std::string> chirpCells(const TableChannel& channel) {
    const long long rxHz = hertzOf(model::toNumber(channel.rx));
    const long long txHz = hertzOf(model::toNumber(channel.tx));
    std::string duplex;
    if (txHz > rxHz)
        duplex = "+";
    else if (txHz < rxHz)
        duplex = "-";

    ChannelEntry copy = *channel.entry;
    std::string comment;
    for (const FlagWalk::Found& flag : flagsOf(copy)) {
        if (*flag.value == 0)
            continue;
        if (!comment.empty())
            comment += ' ';
        comment += englishLabel(*flag.field);
    }

    return {std::to_string(location(channel.slot)),
            channelName(channel.slot),
            channel.rx,
            duplex,
            mhzTextOf(std::llabs(txHz - rxHz)),
            "",
            std::string(kToneFreq),
            std::string(kToneFreq),
            std::string(kDtcsCode),
            std::string(kDtcsPolarity),
            std::string(kDtcsCode),
            std::string(kCrossMode),
            std::string(kMode),
            std::string(kTuningStep),
            channel.entry->scan == 0 ? std::string(kSkipped) : std::string(),
            "",
            comment,
            "",
            "",
            "",
            ""};
}

std::string headerRow(char separator) {
    return writeRow(std::vector<std::string>(kChirpColumns.begin(), kChirpColumns.end()),
                    separator);
}

// The channel as a table writes it, or nullopt with the reason told.
std::optional<TableChannel> tableChannel(ChannelSlot slot, const ChannelEntry& entry,
                                         std::vector<Note>& notes) {
    const std::string name = channelName(slot);
    const std::optional<std::string> rx = model::frequencyDisplayForm(entry.rxFreq.view());
    if (!rx || rx->empty()) {
        notes.push_back(note(texts::kNotWrittenNoRx, {name}));
        return std::nullopt;
    }
    std::optional<std::string> tx = model::frequencyDisplayForm(entry.txFreq.view());
    if (!tx) {
        notes.push_back(note(texts::kTxUnreadable, {name, entry.txFreq.trimmed()}));
        tx = rx;
    } else if (tx->empty()) {
        tx = rx; // no transmit frequency means the receive frequency
    }
    return TableChannel{slot, &entry, *rx, *tx};
}

// The channels of a group by number: the entry position of each number, numbers outside
// 1..60 and repeated numbers noted and left out.
std::map<int, int> channelsByNumber(const ConfigRecord& record, int group,
                                    std::vector<Note>& notes) {
    std::map<int, int> byNumber;
    const int count = record.usedChannels(group);
    for (int position = 1; position <= count; ++position) {
        const int number = record.channel(group, position).number;
        if (number < 1 || number > kChannelsPerGroup) {
            notes.push_back(note(texts::kNotWrittenNumber,
                                 {channelName({group, 1}).substr(0, 1), std::to_string(number)}));
        } else if (!byNumber.emplace(number, position).second) {
            notes.push_back(note(texts::kNotWrittenTwice, {channelName({group, number})}));
        }
    }
    return byNumber;
}

// ---- reading ----

bool isBlank(const TextRow& row) {
    return std::all_of(row.cells.begin(), row.cells.end(),
                       [](const std::string& c) { return trimmedCell(c).empty(); });
}

// "A-05", "a-5": the channel a Name stands for.
std::optional<ChannelSlot> slotFromName(std::string_view name) {
    if (name.size() < 3 || name.size() > 4 || name[1] != '-')
        return std::nullopt;
    const char letter = char(std::toupper(static_cast<unsigned char>(name[0])));
    if (letter < 'A' || letter >= 'A' + kGroupCount)
        return std::nullopt;
    int number = 0;
    for (char c : name.substr(2)) {
        if (c < '0' || c > '9')
            return std::nullopt;
        number = number * 10 + (c - '0');
    }
    if (number < 1 || number > kChannelsPerGroup)
        return std::nullopt;
    return ChannelSlot{letter - 'A', number};
}

std::optional<ChannelSlot> slotFromLocation(std::string_view text) {
    if (!model::isNumeric(text))
        return std::nullopt;
    const double value = model::toNumber(text);
    if (value != std::floor(value) || value < 1 || value > kGroupCount * kChannelsPerGroup)
        return std::nullopt;
    const int n = int(value) - 1;
    return ChannelSlot{n / kChannelsPerGroup, n % kChannelsPerGroup + 1};
}

TableColumns chirpOrder() {
    return TableColumns(std::vector<std::string>(kChirpColumns.begin(), kChirpColumns.end()));
}

// Rows in CHIRP's columns, from `first` on.
void readChirpRows(const std::vector<TextRow>& rows, std::size_t first, const TableColumns& columns,
                   const ReadOptions& options, RowChecks& checks, ReadTable& out) {
    std::map<int, int> lineOfLocation; // location -> line of the row that gave it
    for (std::size_t r = first; r < rows.size(); ++r) {
        const TextRow& row = rows[r];
        const int line = row.line;
        const std::string lineText = std::to_string(line);
        ++out.rowCount;

        ChannelRow result;
        result.line = line;
        if (options.placeByLocation) {
            const std::string loc = columns.cell(row, "Location");
            const std::string name = columns.cell(row, "Name");
            std::optional<ChannelSlot> slot = slotFromLocation(loc);
            if (!slot)
                slot = slotFromName(name);
            if (!slot) {
                checks.bad(note(texts::kNoPlace, {lineText, loc, name}));
                continue;
            }
            const auto [it, fresh] = lineOfLocation.emplace(location(*slot), line);
            if (!fresh) {
                checks.bad(note(texts::kTwice,
                                {lineText, channelName(*slot), std::to_string(it->second)}));
                continue;
            }
            result.slot = *slot;
            result.placed = true;
        }

        const std::optional<double> rxMHz =
            checks.number(line, "Frequency", columns.cell(row, "Frequency"));
        if (!rxMHz)
            continue;
        const std::string duplex = lowered(columns.cell(row, "Duplex"));
        double txMHz = *rxMHz;
        if (duplex == "+" || duplex == "-" || duplex == "split") {
            const std::optional<double> offset =
                checks.number(line, "Offset", columns.cell(row, "Offset"));
            if (!offset)
                continue;
            // Offsets are added in whole hertz, so that 28.5 + 0.1 is 28.600000 exactly.
            const long long rxHz = hertzOf(*rxMHz);
            const long long offsetHz = hertzOf(*offset);
            txMHz = duplex == "split"
                        ? *offset
                        : double(duplex == "+" ? rxHz + offsetHz : rxHz - offsetHz) / 1'000'000.0;
        } else if (duplex == "off") {
            checks.warn(note(texts::kDuplexOff, {lineText}));
        } else if (!duplex.empty()) {
            checks.bad(note(texts::kBadDuplex, {lineText, columns.cell(row, "Duplex")}));
            continue;
        }
        if (!checks.channel(result, *rxMHz, txMHz))
            continue;
        ChannelEntry& entry = result.entry;
        entry.scan = lowered(columns.cell(row, "Skip")) == "s" ? 0 : 1;
        std::vector<std::string> words;
        {
            const std::string comment = columns.cell(row, "Comment");
            std::size_t start = 0;
            while (start <= comment.size()) {
                const std::size_t end = std::min(comment.find(' ', start), comment.size());
                if (end > start)
                    words.push_back(lowered(comment.substr(start, end - start)));
                start = end + 1;
            }
        }
        for (const FlagWalk::Found& flag : flagsOf(entry))
            *flag.value = std::find(words.begin(), words.end(),
                                    lowered(englishLabel(*flag.field))) != words.end();
        out.rows.push_back(std::move(result));
    }
}

// Digits, perhaps with blanks around them.
bool isWholeNumber(const std::string& cell) {
    const std::string digits = trimmedCell(cell);
    return !digits.empty() &&
           std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// True when every row holds one cell: a column copied from a spreadsheet. A line such as
// "28,1" is one cell too, where the spreadsheet writes a decimal comma.
bool isOneColumn(const std::vector<TextRow>& rows) {
    return std::all_of(rows.begin(), rows.end(), [](const TextRow& row) {
        return row.cells.size() == 1 || (row.cells.size() == 2 && isWholeNumber(row.cells[0]) &&
                                         isWholeNumber(row.cells[1]));
    });
}

// A column of receive frequencies, one per line; the transmit frequency is the same.
void readFrequencyColumn(const std::vector<TextRow>& rows, RowChecks& checks, ReadTable& out) {
    out.frequencyColumn = true;
    out.firstLine = rows.front().line;
    out.lastLine = rows.back().line;
    for (const TextRow& row : rows) {
        ++out.rowCount;
        std::string cell = trimmedCell(row.cells[0]);
        if (row.cells.size() == 2)
            cell += "," + trimmedCell(row.cells[1]);
        const std::optional<double> mhz = checks.number(row.line, cell, texts::kColumnNotANumber);
        if (!mhz)
            continue;
        const std::optional<std::string> rx = checks.frequency(row.line, *mhz);
        if (!rx)
            continue;
        ChannelRow result;
        result.line = row.line;
        result.keepsFlags = true;
        result.entry.inUse = 1;
        result.entry.rxFreq = model::storedFromDisplay(*rx, checks.state());
        result.entry.txFreq = result.entry.rxFreq;
        result.entry.scan = 1;
        result.entry.echo = 1;
        out.rows.push_back(std::move(result));
    }
}

void refuse(ReadTable& out, Note why) {
    out.bad.push_back(std::move(why));
    out.refused = true;
}

} // namespace

std::string Note::describe(int language) const {
    return text ? model::fillIn((*text)[language], arguments) : std::string();
}

std::string channelName(ChannelSlot slot) {
    return model::channelName(slot.group, slot.number);
}

int location(ChannelSlot slot) {
    return slot.group * kChannelsPerGroup + slot.number;
}

std::vector<TableChannel> channelsToWrite(const ConfigRecord& record, std::vector<Note>& notes) {
    std::vector<TableChannel> out;
    for (int group = 0; group < kGroupCount; ++group)
        for (const auto& [number, position] : channelsByNumber(record, group, notes))
            if (std::optional<TableChannel> channel =
                    tableChannel({group, number}, record.channel(group, position), notes))
                out.push_back(std::move(*channel));
    return out;
}

WrittenTable writeChannelTable(const ConfigRecord& record, char separator) {
    WrittenTable out;
    out.text = headerRow(separator);
    for (const TableChannel& channel : channelsToWrite(record, out.notes))
        out.text += writeRow(chirpCells(channel), separator);
    return out;
}

WrittenTable writeChannelRows(const ConfigRecord& record, const std::vector<ChannelSlot>& slots,
                              char separator) {
    WrittenTable out;
    out.text = headerRow(separator);
    std::vector<std::map<int, int>> groups;
    std::vector<Note> ignored; // damaged entries are told about when the whole table is written
    for (int group = 0; group < kGroupCount; ++group)
        groups.push_back(channelsByNumber(record, group, ignored));
    for (const ChannelSlot& slot : slots) {
        if (slot.group < 0 || slot.group >= kGroupCount)
            continue;
        const auto found = groups[std::size_t(slot.group)].find(slot.number);
        if (found == groups[std::size_t(slot.group)].end())
            continue;
        if (const std::optional<TableChannel> channel =
                tableChannel(slot, record.channel(slot.group, found->second), out.notes))
            out.text += writeRow(chirpCells(*channel), separator);
    }
    return out;
}

ReadTable readChannelTable(std::string_view text, const model::RuntimeState& state,
                           const ReadOptions& options) {
    ReadTable out;
    const TableHeader header = recogniseHeader(text, options.separator);
    std::vector<TextRow> rows = readRows(text, {header.separator, true});
    std::erase_if(rows, isBlank);
    if (rows.empty())
        return out;
    out.kind = header.kind;
    const std::string headerLine = std::to_string(rows.front().line);
    if (header.kind == TableKind::Mixed) {
        refuse(out, note(texts::kMixedHeader, {headerLine}));
        return out;
    }
    // One table per text: the rows under a second header (two files put together) would be
    // read in the wrong columns.
    if (header.kind != TableKind::None)
        for (std::size_t r = 1; r < rows.size(); ++r)
            if (headerKind(rows[r].cells) != TableKind::None) {
                refuse(out, note(texts::kSecondHeader, {std::to_string(rows[r].line), headerLine}));
                return out;
            }

    RowChecks checks(state, out);
    const TableColumns columns(rows.front().cells);
    switch (header.kind) {
    case TableKind::Sheet:
        if (options.placeByLocation)
            for (const text::TextTable* needed : {&fields::kGroup, &fields::kChannel})
                if (!sheetHas(columns, *needed)) {
                    refuse(out,
                           note(texts::kMissingColumn, {headerLine, std::string(needed->english)}));
                    return out;
                }
        readSheetRows(rows, 1, columns, options, checks, out);
        return out;
    case TableKind::Chirp:
        if (options.placeByLocation && !columns.has("Location") && !columns.has("Name")) {
            refuse(out, note(texts::kMissingColumn, {headerLine, "Location"}));
            return out;
        }
        readChirpRows(rows, 1, columns, options, checks, out);
        return out;
    default:
        break;
    }
    if (!options.headerOptional) {
        refuse(out, note(texts::kNoHeader, {headerLine}));
        return out;
    }
    if (isOneColumn(rows))
        readFrequencyColumn(rows, checks, out);
    else
        readChirpRows(rows, 0, chirpOrder(), options, checks, out);
    return out;
}

} // namespace zx::exchange
