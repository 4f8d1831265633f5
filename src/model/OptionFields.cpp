// The optional features: list entries, stored values and how they read.
#include "model/OptionFields.h"

#include "text/labels/ChannelInfoLabels.h"
#include "text/labels/OptFeaturesLabels.h"
#include "text/labels/RecordFieldLabels.h"

namespace zx::model::options {

namespace {

namespace labels = text::labels::opt_features;
namespace fieldLabels = text::labels::record_fields;

constexpr int kTotList = 0;
constexpr int kFirstEmergency = kEmergencyChannelPosition;
constexpr int kLastEmergency = kEmergencyChannelPosition + kGroupCount - 1;

ValueList numbers(int offset, int first, int last, int step) {
    return ValueList{offset, nullptr, nullptr, first, step, last, false};
}
ValueList tenths(int first, int last) {
    return ValueList{first, nullptr, nullptr, first, 1, last, true};
}
ValueList fixed(const text::ListTable& table, int offset = 0) {
    return ValueList{offset, &table, nullptr, 0, 1, -1, false};
}
ValueList gain() {
    return ValueList{0, nullptr, &labels::kGainOff, 1, 1, 63, false};
}

std::string bracketed(int stored) {
    return "[" + std::to_string(stored) + "]";
}

} // namespace

int listAt(int position) {
    for (int k = 0; k < kListCount; ++k)
        if (optionLists()[std::size_t(k)].position == position)
            return k;
    return -1;
}

int checkAt(int position) {
    for (int k = 0; k < kCheckCount; ++k)
        if (kCheckPositions[std::size_t(k)] == position)
            return k;
    return -1;
}

int ValueList::count() const {
    if (fixed)
        return int(fixed->english.size());
    const int numbersCount = last >= first ? (last - first) / step + 1 : 0;
    return numbersCount + (lead ? 1 : 0);
}

std::string ValueList::entry(int index, int language) const {
    if (index < 0 || index >= count())
        return {};
    if (fixed) {
        const auto& entries = (*fixed)[language];
        return index < int(entries.size()) ? std::string(entries[std::size_t(index)])
                                           : std::string();
    }
    if (lead) {
        if (index == 0)
            return std::string((*lead)[language]);
        --index;
    }
    const int n = first + index * step;
    // Tenths in integer arithmetic, so that 1.2 never reads 1.19999.
    return tenths ? std::to_string(n / 10) + "." + std::to_string(n % 10) : std::to_string(n);
}

std::vector<std::string> ValueList::entries(int language) const {
    std::vector<std::string> out;
    const int n = count();
    out.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i)
        out.push_back(entry(i, language));
    return out;
}

const std::array<OptionList, kListCount>& optionLists() {
    static const std::array<OptionList, kListCount> lists{{
        {0, ValueList{0, nullptr, &labels::kTotOff, 30, 30, 600, false}}, // TOT, n x 30 s
        {1, numbers(30, 300, 3000, 10)},                                  // RB frequency
        {2, numbers(0, 50, 1000, 50)},                                    // RB time
        {3, numbers(30, 300, 3000, 10)},                                  // CW side tone
        {4, fixed(labels::kFrequencyStep)},
        {5, fixed(labels::kLcdDisplay)},
        {6, fixed(labels::kScanMode)},
        {7, numbers(0, 1, 60, 1)}, // scan resume time
        {8, fixed(labels::kLcdDisplayInTx)},
        {9, tenths(12, 200)},             // SWR protect value
        {10, tenths(90, 170)},            // battery minimum
        {11, tenths(90, 170)},            // battery maximum
        {21, numbers(0, 5, 300, 5)},      // FM squelch close delay
        {22, numbers(0, 5, 300, 5)},      // AM squelch close delay
        {23, numbers(0, 5, 1000, 5)},     // CW/USB/LSB squelch close delay
        {40, numbers(30, 300, 3000, 10)}, // single tone
        {41, fixed(labels::kClarifierMode)},
        {42, fixed(labels::kPushMode)},
        {30, gain()}, // MIC gain
        {31, gain()}, // MON gain
        {43, gain()}, // CW side volume
        {44, gain()}, // beep volume
        {kBacklightPosition, fixed(labels::kBacklightColor, 1)},
    }};
    return lists;
}

int shownIndex(int stored, int offset, int entryCount) {
    if (entryCount <= 0)
        return -1;
    const int v = stored - offset;
    return v >= 0 && v <= entryCount - 1 ? v : 0;
}

bool shownChecked(int checkIndex, int stored) {
    if (stored == 0 || stored == 1)
        return stored == 1;
    return checkIndex < kModeCheckCount || checkIndex == 11 || checkIndex == 16 || checkIndex == 17;
}

std::string optionName(int position, int language) {
    if (position == optionLists()[kTotList].position)
        return std::string(fieldLabels::kTimeOutTimer[language]);
    if (const int k = listAt(position); k >= 0) {
        const labels::UnitLabel& label = labels::kListLabels[std::size_t(k)];
        return std::string(label.text[language]) + std::string(label.unit);
    }
    if (const int k = checkAt(position); k >= 0)
        return std::string(labels::kCheckLabels[std::size_t(k)][language]);
    if (position >= kFirstEmergency && position <= kLastEmergency)
        return std::string(fieldLabels::kEmergencyChannel[language]) + " " +
               std::string(text::labels::channel_info::kGroupLetters[std::size_t(position -
                                                                                 kFirstEmergency)]);
    if (position == kRxOffsetPosition)
        return std::string(labels::kRxOffset[language]);
    if (position == kTxOffsetPosition)
        return std::string(labels::kTxOffset[language]);
    return std::to_string(position);
}

std::string optionValue(int position, int stored, int language) {
    if (const int k = listAt(position); k >= 0) {
        const ValueList& values = optionLists()[std::size_t(k)].values;
        const std::string shown = values.entry(stored - values.offset, language);
        return shown.empty() ? bracketed(stored) : shown;
    }
    if (checkAt(position) >= 0) {
        if (stored != 0 && stored != 1)
            return bracketed(stored);
        return std::string(text::labels::channel_info::kFlagEntries[std::size_t(stored)][language]);
    }
    if (position >= kFirstEmergency && position <= kLastEmergency)
        return stored < 0 ? std::string(fieldLabels::kNone[language]) : std::to_string(stored + 1);
    if (position == kRxOffsetPosition || position == kTxOffsetPosition)
        return std::to_string(stored * 10);
    return std::to_string(stored);
}

int storedOption(const ConfigRecord& record, int position) {
    if (position == kBacklightPosition)
        return record.optionByte;
    if (position < 0 || position >= kOptionFeatureCount)
        return 0;
    return record.optionFeatures[std::size_t(position)];
}

} // namespace zx::model::options
