// The fields of the configuration record, described once: each field's name in exports, what
// the user calls it in both languages, what it means, how its value reads and what an import
// accepts; and visitRecord(), the one place that lists the fields in file order. The data
// file codec, the JSON export and import, comparisons and printing all walk the record
// through it, so none of them repeats the order. Kind and width follow from each member's
// type and the position from the order (recordLayout() lists them).
#pragma once

#include "model/ConfigRecord.h"
#include "text/TextTable.h"
#include "text/labels/ChannelInfoLabels.h"
#include "text/labels/RecordFieldLabels.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <vector>

namespace zx::model {

// How the value of a field reads to the user.
enum class Shown {
    Number,      // the stored number
    Frequency,   // stored frequency text, shown in MHz "#0.000000"
    Text,        // code-page text cut at its first NUL, trailing spaces removed
    MessageLine, // code-page text up to its first NUL, trailing spaces kept
    EnableFlag,  // 0 "Disable", 1 "Enable"
    ScanFlag,    // 0 "Del", 1 "Add"
    Option,      // an optional feature, by its position (model/OptionFields.h)
    Band,        // a band index, shown as its band string
    Character,   // a character code, shown as the character
};

struct ValueRange {
    long long min;
    long long max;
};
inline constexpr ValueRange kIntegerRange{std::numeric_limits<Integer>::min(),
                                          std::numeric_limits<Integer>::max()};
inline constexpr ValueRange kLongRange{std::numeric_limits<Long>::min(),
                                       std::numeric_limits<Long>::max()};
inline constexpr ValueRange kByteRange{0, 255};

struct Field {
    std::string_view key;  // name in exports; empty for the elements of an array
    text::TextTable label; // what the user calls it
    std::string_view meaning;
    Shown shown = Shown::Number;
    ValueRange range = kIntegerRange; // what an import accepts (numbers only)
    // How an element of this array is named: %1 the array's name, %2 the element's number
    // from 1, %3 its group letter for an array of the six groups ("%1 %2" when not set).
    const text::TextTable* elementName = nullptr;
};

// A field as the walk meets it: its description and, for an element of an array, its index.
struct FieldRef {
    const Field* field;
    int index = -1;
};

namespace fields {

namespace names = text::labels::record_fields;
namespace columns = text::labels::channel_info;

template <class Array> inline constexpr long long kSize = std::tuple_size_v<Array>;

inline constexpr Field dataVersion{"dataVersion", names::kDataVersion, "data-file format version",
                                   Shown::Text};
inline constexpr Field currentGroup{"currentGroup", names::kCurrentGroup,
                                    "channel group shown in the channel window", Shown::Number,
                                    ValueRange{0, kGroupCount - 1}};
inline constexpr Field channelCount{
    "channelCount", names::kChannelCount, "number of channels in each group",
    Shown::Number,  kIntegerRange,        &names::kOfGroup};
inline constexpr Field groupChannelCount{
    "", {}, "channels of one group", Shown::Number, ValueRange{0, kChannelsPerGroup}};
inline constexpr Field channels{"channels", names::kChannels,
                                "60 entries for each of the six groups, group A first"};
inline constexpr Field channelGroup{"", names::kGroup, "the 60 entries of one group"};
inline constexpr Field channel{"", names::kChannel, "one channel entry"};

// One channel entry.
inline constexpr Field number{"number", columns::kColumnHeaders[0],
                              "channel number 1..60, the grid row that shows it"};
inline constexpr Field inUse{"inUse", names::kInUse, "1 for a channel that exists"};
inline constexpr Field rxFreq{"rxFreq", columns::kColumnHeaders[ColRxFreq],
                              "receive frequency, eight digits without the point",
                              Shown::Frequency};
inline constexpr Field txFreq{"txFreq", columns::kColumnHeaders[ColTxFreq],
                              "transmit frequency, eight digits without the point",
                              Shown::Frequency};
inline constexpr Field scan{"scan", columns::kColumnHeaders[ColScan], "scan list membership",
                            Shown::ScanFlag};
inline constexpr Field busy{"busy", columns::kColumnHeaders[ColBusy], "BUSY", Shown::EnableFlag};
inline constexpr Field echo{"echo", columns::kColumnHeaders[ColEcho], "ECHO", Shown::EnableFlag};
inline constexpr Field hiCut{"hiCut", columns::kColumnHeaders[ColHiCut], "HI-CUT",
                             Shown::EnableFlag};
inline constexpr Field plus10k{"plus10k", columns::kColumnHeaders[ColPlus10k], "+10KHz",
                               Shown::EnableFlag};
inline constexpr Field nbAnl{"nbAnl", columns::kColumnHeaders[ColNbAnl], "NB/ANL",
                             Shown::EnableFlag};
inline constexpr Field rb{"rb", columns::kColumnHeaders[ColRb], "RB", Shown::EnableFlag};
inline constexpr Field rxFineOffset{"rxFineOffset", names::kRxFineOffset,
                                    "receive fine offset in Hz, set by reading a radio"};
inline constexpr Field txFineOffset{"txFineOffset", names::kTxFineOffset,
                                    "transmit fine offset in Hz, set by reading a radio"};

inline constexpr Field modelInfo{"modelInfo", names::kModelInfo,
                                 "model and band identity of the configuration"};
inline constexpr Field modelCode{"modelCode", names::kModelCode, "model code of the radio",
                                 Shown::Text};
inline constexpr Field modelType{"modelType", names::kModelType, "model type code"};
inline constexpr Field bandIndex{"bandIndex", names::kBand, "frequency band index", Shown::Band};
inline constexpr Field dateCode{"dateCode", names::kDateCode, "date written YYYYMMDD", Shown::Text};
inline constexpr Field firmwareVersion{"firmwareVersion", names::kFirmwareVersion, "version text",
                                       Shown::Text};
inline constexpr Field modelCode2{"modelCode2", names::kModelCode2, "model code, second copy",
                                  Shown::Text};
inline constexpr Field bandIndex2{"bandIndex2", names::kBand2, "band index, second copy",
                                  Shown::Band};
inline constexpr Field typeLetter{"typeLetter", names::kTypeLetter,
                                  "character code of a type letter", Shown::Character};

inline constexpr Field optionFeatures{"optionFeatures", names::kOptionFeatures,
                                      "optional features by position 0..46"};
inline constexpr Field optionFeature{"", {}, "one optional feature", Shown::Option};
inline constexpr Field keyAssignment{"keyAssignment", names::kKeyAssignment, "key functions"};
inline constexpr Field scanInfo{"scanInfo", names::kScanInfo, "scan settings"};
inline constexpr Field integerElement{"", {}, "a value of the list"};

inline constexpr Field dtmf{"dtmf", names::kDtmf, "DTMF settings"};
inline constexpr Field dtmfOptions1{"options1", names::kDtmfOption1,
                                    "six settings, meaning not known"};
inline constexpr Field dtmfIdCode{"idCode", names::kDtmfIdCode, "ID code", Shown::Text};
inline constexpr Field dtmfOptions2{"options2", names::kDtmfOption2,
                                    "five settings, meaning not known"};
inline constexpr Field dtmfStunCode{"stunCode", names::kDtmfStunCode, "stun code", Shown::Text};
inline constexpr Field dtmfStunType{"stunType", names::kDtmfStunType, "stun type"};

inline constexpr Field fleetSync{"fleetSync", names::kFleetSync,
                                 "FleetSync own identity and timing"};
inline constexpr Field ownFleet{"ownFleet", names::kOwnFleet, "own fleet"};
inline constexpr Field ownId{"ownId", names::kOwnId, "own ID", Shown::Number, kLongRange};
inline constexpr Field baudRateIndex{"baudRateIndex", names::kBaudRate, "baud-rate index"};
inline constexpr Field dataTxModulationDelay{"dataTxModulationDelay", names::kDataTxDelay,
                                             "data TX modulation delay", Shown::Number, kLongRange};
inline constexpr Field messageModeTimer{"messageModeTimer", names::kMessageModeTimer,
                                        "message mode timer", Shown::Number, kLongRange};
inline constexpr Field pttIdSideTone{"pttIdSideTone", names::kPttIdSideTone, "PTT ID side tone"};

inline constexpr Field autodialCount{"autodialCount", names::kAutodialCount,
                                     "number of used autodial entries", Shown::Number,
                                     ValueRange{0, kSize<decltype(ConfigRecord::autodial)>}};
inline constexpr Field autodial{"autodial", names::kAutodial, "DTMF autodial memory"};
inline constexpr Field autodialEntry{"", {}, "one autodial entry"};
inline constexpr Field autodialNumber{"number", names::kNumber, "entry number"};
inline constexpr Field autodialDigits{"digits", names::kDigits, "digits to dial", Shown::Text};

inline constexpr Field testFreqCount{"testFreqCount", names::kTestFreqCount,
                                     "number of used test-frequency entries", Shown::Number,
                                     ValueRange{0, kSize<decltype(ConfigRecord::testFreqs)>}};
inline constexpr Field testFreqs{"testFreqs", names::kTestFreq, "test frequencies"};
inline constexpr Field testFreqEntry{"", {}, "one test frequency"};
inline constexpr Field testIndex{"index", names::kIndex, "position 1..16"};
inline constexpr Field testRxFreq{"rxFreq", names::kRxFrequency, "receive frequency, plain text",
                                  Shown::Text};
inline constexpr Field testTxFreq{"txFreq", names::kTxFrequency, "transmit frequency, plain text",
                                  Shown::Text};
inline constexpr Field testRxState{"rxState", names::kRxState, "receive state"};
inline constexpr Field testTxState{"txState", names::kTxState, "transmit state"};

inline constexpr Field embeddedMessage{"embeddedMessage",
                                       names::kLocalInformation,
                                       "the two lines of the embedded message",
                                       Shown::Number,
                                       kIntegerRange,
                                       &names::kLineOf};
inline constexpr Field messageLine{"", {}, "one line of 32 characters", Shown::MessageLine};

inline constexpr Field fleetListCount{"fleetListCount", names::kFleetListCount,
                                      "number of used fleet-list entries", Shown::Number,
                                      ValueRange{0, kSize<decltype(ConfigRecord::fleetList)>}};
inline constexpr Field fleetList{"fleetList", names::kFleetList, "FleetSync fleet list"};
inline constexpr Field fleetListEntry{"", {}, "one fleet-list entry"};
inline constexpr Field fleetRow{"row", names::kRow, "row"};
inline constexpr Field fleet{"fleet", names::kFleet, "fleet"};
inline constexpr Field fleetId{"id", names::kId, "ID", Shown::Number, kLongRange};

inline constexpr Field optionByte{"optionByte", names::kBacklightColor,
                                  "backlight colour, list position 1..8", Shown::Option,
                                  kByteRange};

} // namespace fields

// ---- the walk -----------------------------------------------------------------------------
//
// A visitor V offers:
//   number(FieldRef, T&... values)          an Integer, Long or Byte
//   text(FieldRef, FixedText<N>&... values)
//   object(FieldRef, body)                  a sub-record; body() walks its fields
//   array(FieldRef, n, body)                n elements; body(i) walks element i
// Each method receives the same field of every record handed to visitRecord (one record to
// encode or export, two to compare).

template <class V, class... C> void visitChannel(V& v, C&... c) {
    v.number(FieldRef{&fields::number}, c.number...);
    v.number(FieldRef{&fields::inUse}, c.inUse...);
    v.text(FieldRef{&fields::rxFreq}, c.rxFreq...);
    v.text(FieldRef{&fields::txFreq}, c.txFreq...);
    v.number(FieldRef{&fields::scan}, c.scan...);
    v.number(FieldRef{&fields::busy}, c.busy...);
    v.number(FieldRef{&fields::echo}, c.echo...);
    v.number(FieldRef{&fields::hiCut}, c.hiCut...);
    v.number(FieldRef{&fields::plus10k}, c.plus10k...);
    v.number(FieldRef{&fields::nbAnl}, c.nbAnl...);
    v.number(FieldRef{&fields::rb}, c.rb...);
    v.number(FieldRef{&fields::rxFineOffset}, c.rxFineOffset...);
    v.number(FieldRef{&fields::txFineOffset}, c.txFineOffset...);
}

template <class V, class... M> void visitModelInfo(V& v, M&... m) {
    v.text(FieldRef{&fields::modelCode}, m.modelCode...);
    v.number(FieldRef{&fields::modelType}, m.modelType...);
    v.number(FieldRef{&fields::bandIndex}, m.bandIndex...);
    v.text(FieldRef{&fields::dateCode}, m.dateCode...);
    v.text(FieldRef{&fields::firmwareVersion}, m.firmwareVersion...);
    v.text(FieldRef{&fields::modelCode2}, m.modelCode2...);
    v.number(FieldRef{&fields::bandIndex2}, m.bandIndex2...);
    v.number(FieldRef{&fields::typeLetter}, m.typeLetter...);
}

namespace detail {
template <class First, class...> struct FirstOf { using type = std::remove_cvref_t<First>; };
// The element count of the arrays handed to a walk (all of one type).
template <class... A>
inline constexpr std::size_t kCount = std::tuple_size_v<typename FirstOf<A...>::type>;
} // namespace detail

// An array of numbers, each element described by `element`.
template <class V, class... A>
void visitNumbers(V& v, const Field& array, const Field& element, A&... values) {
    constexpr std::size_t n = detail::kCount<A...>;
    v.array(FieldRef{&array}, n, [&](std::size_t i) {
        v.number(FieldRef{&element, int(i)}, values[i]...);
    });
}

template <class V, class... D> void visitDtmf(V& v, D&... d) {
    visitNumbers(v, fields::dtmfOptions1, fields::integerElement, d.options1...);
    v.text(FieldRef{&fields::dtmfIdCode}, d.idCode...);
    visitNumbers(v, fields::dtmfOptions2, fields::integerElement, d.options2...);
    v.text(FieldRef{&fields::dtmfStunCode}, d.stunCode...);
    v.number(FieldRef{&fields::dtmfStunType}, d.stunType...);
}

template <class V, class... F> void visitFleetSync(V& v, F&... f) {
    v.number(FieldRef{&fields::ownFleet}, f.ownFleet...);
    v.number(FieldRef{&fields::ownId}, f.ownId...);
    v.number(FieldRef{&fields::baudRateIndex}, f.baudRateIndex...);
    v.number(FieldRef{&fields::dataTxModulationDelay}, f.dataTxModulationDelay...);
    v.number(FieldRef{&fields::messageModeTimer}, f.messageModeTimer...);
    v.number(FieldRef{&fields::pttIdSideTone}, f.pttIdSideTone...);
}

template <class V, class... E> void visitAutodial(V& v, E&... e) {
    v.number(FieldRef{&fields::autodialNumber}, e.number...);
    v.text(FieldRef{&fields::autodialDigits}, e.digits...);
}

template <class V, class... T> void visitTestFrequency(V& v, T&... t) {
    v.number(FieldRef{&fields::testIndex}, t.index...);
    v.text(FieldRef{&fields::testRxFreq}, t.rxFreq...);
    v.text(FieldRef{&fields::testTxFreq}, t.txFreq...);
    v.number(FieldRef{&fields::testRxState}, t.rxState...);
    v.number(FieldRef{&fields::testTxState}, t.txState...);
}

template <class V, class... E> void visitFleetListEntry(V& v, E&... e) {
    v.number(FieldRef{&fields::fleetRow}, e.row...);
    v.number(FieldRef{&fields::fleet}, e.fleet...);
    v.number(FieldRef{&fields::fleetId}, e.id...);
}

// The channel table: six groups of 60 entries, each entry a sub-record.
template <class V, class... R> void visitChannels(V& v, R&... r) {
    v.array(FieldRef{&fields::channels}, kGroupCount, [&](std::size_t g) {
        v.array(FieldRef{&fields::channelGroup, int(g)}, kChannelsPerGroup, [&](std::size_t n) {
            v.object(FieldRef{&fields::channel, int(n)},
                     [&] { visitChannel(v, r.channels[g * kChannelsPerGroup + n]...); });
        });
    });
}

// An array of sub-records, each walked by `walk(v, element...)`.
template <class V, class W, class... A>
void visitEntries(V& v, const Field& array, const Field& element, W walk, A&... entries) {
    constexpr std::size_t n = detail::kCount<A...>;
    v.array(FieldRef{&array}, n, [&](std::size_t i) {
        v.object(FieldRef{&element, int(i)}, [&] { walk(v, entries[i]...); });
    });
}

// Every field of the record, in file order.
template <class V, class... R> void visitRecord(V& v, R&... r) {
    v.text(FieldRef{&fields::dataVersion}, r.dataVersion...);
    v.number(FieldRef{&fields::currentGroup}, r.currentGroup...);
    visitNumbers(v, fields::channelCount, fields::groupChannelCount, r.channelCount...);
    visitChannels(v, r...);
    v.object(FieldRef{&fields::modelInfo}, [&] { visitModelInfo(v, r.modelInfo...); });
    visitNumbers(v, fields::optionFeatures, fields::optionFeature, r.optionFeatures...);
    visitNumbers(v, fields::keyAssignment, fields::integerElement, r.keyAssignment...);
    visitNumbers(v, fields::scanInfo, fields::integerElement, r.scanInfo...);
    v.object(FieldRef{&fields::dtmf}, [&] { visitDtmf(v, r.dtmf...); });
    v.object(FieldRef{&fields::fleetSync}, [&] { visitFleetSync(v, r.fleetSync...); });
    v.number(FieldRef{&fields::autodialCount}, r.autodialCount...);
    visitEntries(
        v, fields::autodial, fields::autodialEntry,
        [](V& w, auto&... e) { visitAutodial(w, e...); }, r.autodial...);
    v.number(FieldRef{&fields::testFreqCount}, r.testFreqCount...);
    visitEntries(
        v, fields::testFreqs, fields::testFreqEntry,
        [](V& w, auto&... t) { visitTestFrequency(w, t...); }, r.testFreqs...);
    v.array(FieldRef{&fields::embeddedMessage}, detail::kCount<decltype(r.embeddedMessage)...>,
            [&](std::size_t i) {
                v.text(FieldRef{&fields::messageLine, int(i)}, r.embeddedMessage[i]...);
            });
    v.number(FieldRef{&fields::fleetListCount}, r.fleetListCount...);
    visitEntries(
        v, fields::fleetList, fields::fleetListEntry,
        [](V& w, auto&... e) { visitFleetListEntry(w, e...); }, r.fleetList...);
    v.number(FieldRef{&fields::optionByte}, r.optionByte...);
}

// ---- layout and words -----------------------------------------------------------------

enum class Kind { Integer, Long, Byte, Text };

// One field of the data file: its path ("channels[0][4].rxFreq"), kind, width in bytes and
// offset from the start of the record.
struct FieldLayout {
    std::string path;
    Kind kind;
    std::size_t width;
    std::size_t offset;
    const Field* field;
};

// Every field of the record in file order, as the data file lays it out.
const std::vector<FieldLayout>& recordLayout();

// A channel as the user reads it outside the grid: group letter and two-digit number, "A-05".
std::string channelName(int group, int number);

// The name of a field as the user reads it, from the walk's path below the record:
// "Key Assignment 2", "DTMF ID Code", "Local Information line 1", "TOT[s]".
std::string fieldName(std::span<const FieldRef> path, int language);

// A number as it reads: "Enable", "Add", "60" (TOT), "28.000000 - 29.700000 MHz", "C".
std::string shownNumber(FieldRef ref, long long value, int language);

// The characters of a text field as they read, still in the system code page: a frequency in
// MHz ("28.515000", "" for none, the text itself when it is not a number), a text cut at its
// first NUL (and without trailing spaces unless it is a message line).
std::string shownText(const Field& field, std::string_view bytes);

// Fills %1, %2, ... of a text with the arguments.
std::string fillIn(std::string_view pattern, const std::vector<std::string>& arguments);

} // namespace zx::model
