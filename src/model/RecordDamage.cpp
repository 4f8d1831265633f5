// Finding and repairing what a damaged file holds: one walk of the record through its field
// description, with the channel table taken channel by channel where the walk meets it.
#include "model/RecordDamage.h"

#include "model/Band.h"
#include "model/ChannelTable.h"
#include "model/OptionFields.h"
#include "model/RecordFields.h"
#include "text/Fill.h"
#include "text/labels/ChannelInfoLabels.h"
#include "text/labels/DamageLabels.h"
#include "text/labels/RecordFieldLabels.h"

#include <cstdio>
#include <limits>
#include <set>

namespace zx::model {

namespace {

namespace labels = text::labels::damage;

std::string letter(int group) {
    return std::string(text::labels::channel_info::kGroupLetters[std::size_t(group)]);
}

// The bytes of a text as they can be read in a line: printable ASCII as it is, anything else
// as \xNN, trailing blanks left out.
std::string printable(std::string_view bytes) {
    const std::size_t end = bytes.find_last_not_of(' ');
    bytes = end == std::string_view::npos ? std::string_view{} : bytes.substr(0, end + 1);
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            out += c;
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        }
    }
    return out;
}

// One channel's frequencies and flags.
class ChannelRepair {
public:
    ChannelRepair(std::string name, int language, std::vector<std::string>& lines)
        : name_(std::move(name)), language_(language), lines_(lines) {}

    bool dropped() const { return dropped_; }

    template <class T> void number(FieldRef ref, T& value) {
        const Shown shown = ref.field->shown;
        if (dropped_ || (shown != Shown::EnableFlag && shown != Shown::ScanFlag) || value == 0 ||
            value == 1)
            return;
        // The grid shows the first entry for a value that is none of its list.
        const T old = value;
        value = 0;
        lines_.push_back(
            text::fill(labels::kNotInList[language_],
                       {name_ + " " + fieldName({&ref, 1}, language_),
                        shownNumber(ref, old, language_), shownNumber(ref, value, language_)}));
    }

    template <std::size_t N> void text(FieldRef ref, FixedText<N>& value) {
        if (dropped_ || ref.field->shown != Shown::Frequency ||
            frequencyDisplayForm(value.view()).has_value())
            return;
        const bool receive = ref.field == &fields::rxFreq;
        lines_.push_back(
            text::fill((receive ? labels::kRxNotNumber : labels::kTxNotNumber)[language_],
                       {name_, fieldName({&ref, 1}, language_), printable(value.view())}));
        if (receive)
            dropped_ = true;
        else
            value = receive_; // what clearing the transmit frequency in the grid does
    }

    template <class F> void object(FieldRef, F body) { body(); }
    template <class F> void array(FieldRef, std::size_t n, F body) {
        for (std::size_t i = 0; i < n; ++i)
            body(i);
    }

    void setReceive(const FixedText<8>& rx) { receive_ = rx; }

private:
    std::string name_;
    int language_;
    std::vector<std::string>& lines_;
    FixedText<8> receive_;
    bool dropped_ = false;
};

class RecordRepair {
public:
    RecordRepair(ConfigRecord& record, int language, std::vector<std::string>& lines)
        : record_(record), language_(language), lines_(lines) {}

    template <class T> void number(FieldRef ref, T& value) {
        if (ref.field->shown == Shown::Option) {
            option(ref, value);
            return;
        }
        const ValueRange range = ref.field->range;
        const long long low = std::max<long long>(range.min, std::numeric_limits<T>::min());
        const long long high = std::min<long long>(range.max, std::numeric_limits<T>::max());
        if (value >= low && value <= high)
            return;
        const T old = value;
        value = static_cast<T>(value < low ? low : high);
        lines_.push_back(text::fill(labels::kOutOfRange[language_],
                                    {nameOf(ref), std::to_string(old), std::to_string(low),
                                     std::to_string(high), std::to_string(value)}));
    }

    // Texts outside the channel table may hold any bytes.
    template <std::size_t N> void text(FieldRef, FixedText<N>&) {}

    template <class F> void object(FieldRef ref, F body) {
        path_.push_back(ref);
        body();
        path_.pop_back();
    }

    template <class F> void array(FieldRef ref, std::size_t n, F body) {
        if (ref.field == &fields::channels) {
            // The counts come before the table in the record, so they are sound by now.
            repairChannels();
            return;
        }
        path_.push_back(ref);
        for (std::size_t i = 0; i < n; ++i)
            body(i);
        path_.pop_back();
    }

private:
    std::string nameOf(FieldRef ref) const {
        std::vector<FieldRef> path = path_;
        path.push_back(ref);
        return fieldName(path, language_);
    }

    void repairChannels() {
        for (int group = 0; group < kGroupCount; ++group) {
            std::set<int> numbers;
            // Entries are named by their place in the file, whatever was dropped before them.
            int inFile = 0;
            for (int entry = 1; entry <= record_.usedChannels(group);) {
                ++inFile;
                ChannelEntry& channel = record_.channel(group, entry);
                if (channel.number < 1 || channel.number > kChannelsPerGroup) {
                    const std::string where = text::fill(labels::kEntry[language_],
                                                         {letter(group), std::to_string(inFile)});
                    lines_.push_back(text::fill(labels::kBadNumber[language_],
                                                {where, std::to_string(channel.number)}));
                    deleteChannel(record_, group, entry);
                    continue;
                }
                const std::string name = channelName(group, channel.number);
                if (!numbers.insert(channel.number).second) {
                    lines_.push_back(
                        text::fill(labels::kDuplicate[language_], {name, std::to_string(inFile)}));
                    deleteChannel(record_, group, entry);
                    continue;
                }
                ChannelRepair check(name, language_, lines_);
                check.setReceive(channel.rxFreq);
                visitChannel(check, channel);
                if (check.dropped()) {
                    numbers.erase(channel.number);
                    deleteChannel(record_, group, entry);
                    continue;
                }
                ++entry;
            }
        }
    }

    template <class T> void option(FieldRef ref, T& value) {
        const int position = ref.index >= 0 ? ref.index : options::kBacklightPosition;
        if (position >= kEmergencyChannelPosition &&
            position < kEmergencyChannelPosition + kGroupCount) {
            emergency(position - kEmergencyChannelPosition, value);
            return;
        }
        int repaired = int(value);
        if (const int k = options::listAt(position); k >= 0) {
            const options::ValueList& values = options::optionLists()[std::size_t(k)].values;
            const int index = options::shownIndex(int(value), values.offset, values.count());
            if (index < 0 || index + values.offset == int(value))
                return;
            repaired = index + values.offset;
        } else if (const int k = options::checkAt(position); k >= 0) {
            if (value == 0 || value == 1)
                return;
            repaired = options::shownChecked(k, int(value)) ? 1 : 0;
        } else {
            return; // no list: any value is the feature's own (the offsets)
        }
        const int old = int(value);
        value = static_cast<T>(repaired);
        lines_.push_back(text::fill(labels::kNotInList[language_],
                                    {options::optionName(position, language_),
                                     options::optionValue(position, old, language_),
                                     options::optionValue(position, repaired, language_)}));
    }

    // Run after the channel table is sound, so that it is checked against what stays. An
    // empty group may keep -1 (none, what the fix-up leaves) or 0, what a record holds before
    // any fix-up ran: both name nothing the radio could use, and neither is a sign of damage.
    template <class T> void emergency(int group, T& value) {
        const bool empty = record_.usedChannels(group) == 0;
        if (empty ? (value == -1 || value == 0) : record_.findChannel(group, value + 1) != 0)
            return;
        const int old = int(value);
        fixEmergencyChannel(record_, group);
        const int position = kEmergencyChannelPosition + group;
        const std::string none(text::labels::record_fields::kNone[language_]);
        lines_.push_back(text::fill(labels::kEmergencyOutside[language_],
                                    {options::optionName(position, language_),
                                     old == -1 ? none : std::to_string(old + 1), letter(group),
                                     options::optionValue(position, int(value), language_)}));
    }

    ConfigRecord& record_;
    int language_;
    std::vector<std::string>& lines_;
    std::vector<FieldRef> path_;
};

} // namespace

std::vector<std::string> repairRecord(ConfigRecord& record, int language) {
    std::vector<std::string> lines;
    RecordRepair repair(record, language, lines);
    visitRecord(repair, record);
    return lines;
}

std::vector<std::string> findDamage(const ConfigRecord& record, int language) {
    ConfigRecord copy = record;
    return repairRecord(copy, language);
}

std::string damageQuestion(std::string_view fileName, const std::vector<std::string>& lines,
                           int language) {
    std::string question = text::fill(labels::kDamaged[language], {fileName});
    const std::size_t shown = std::min(lines.size(), kDamageLinesShown);
    for (std::size_t i = 0; i < shown; ++i)
        question += "\n" + lines[i];
    if (lines.size() > shown)
        question +=
            "\n" + text::fill(labels::kMore[language], {std::to_string(lines.size() - shown)});
    question += "\n\n";
    question += labels::kOpenRepaired[language];
    return question;
}

} // namespace zx::model
