// Comparing two documents: one walk of both records through the field description, the
// channel table compared channel by channel where the walk meets it.
#include "exchange/DocumentDiff.h"

#include "model/OptionFields.h"
#include "text/labels/ExchangeLabels.h"
#include "text/labels/RecordFieldLabels.h"

#include <algorithm>
#include <limits>

namespace zx::exchange {

namespace {

namespace fields = model::fields;
using model::ChannelEntry;
using model::ConfigRecord;
using model::FieldRef;
using model::FixedText;

const ChannelEntry* findChannel(const ConfigRecord& record, int group, int number) {
    const int entry = record.findChannel(group, number);
    return entry != 0 ? &record.channel(group, entry) : nullptr;
}

std::string withoutTrailingSpaces(std::string s) {
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

// Both records walked together; every field whose values read differently is noted.
class Compare {
public:
    Compare(const ConfigRecord& a, const ConfigRecord& b, DiffScope scope,
            std::vector<Difference>& out)
        : a_(a), b_(b), scope_(scope), out_(out) {}

    template <class T> void number(FieldRef ref, const T& a, const T& b) {
        if (wanted(ref) && a != b)
            add(ref, false, {true, a, {}}, {true, b, {}});
    }
    template <std::size_t N> void text(FieldRef ref, const FixedText<N>& a, const FixedText<N>& b) {
        // Equal bytes read the same; only differing ones are worth reading.
        if (a == b || !wanted(ref))
            return;
        std::string shownA = shown(ref, a.view());
        std::string shownB = shown(ref, b.view());
        if (shownA != shownB)
            add(ref, true, {true, 0, std::move(shownA), std::string(a.view())},
                {true, 0, std::move(shownB), std::string(b.view())});
    }
    template <class F> void object(FieldRef ref, F body) {
        if (!wanted(ref))
            return;
        path_.push_back(ref);
        body();
        path_.pop_back();
    }
    template <class F> void array(FieldRef ref, std::size_t n, F body) {
        if (ref.field == &fields::channels) {
            compareChannels();
            return;
        }
        if (!wanted(ref))
            return;
        n = std::min(n, usedEntries(ref));
        path_.push_back(ref);
        for (std::size_t i = 0; i < n; ++i)
            body(i);
        path_.pop_back();
    }

private:
    bool wanted(FieldRef ref) const {
        const model::Field* f = ref.field;
        // Which group the channel window shows is no part of the configuration; the counts
        // are compared as the channels themselves.
        if (f == &fields::currentGroup || f == &fields::channelCount)
            return false;
        if (channel_) {
            if (f == &fields::number)
                return false; // channels are matched by it
            return scope_ == DiffScope::Document ||
                   (f != &fields::inUse && f != &fields::rxFineOffset &&
                    f != &fields::txFineOffset);
        }
        if (scope_ == DiffScope::Document)
            return true;
        if (path_.empty())
            return f == &fields::modelInfo || f == &fields::optionFeatures ||
                   f == &fields::embeddedMessage || f == &fields::optionByte;
        if (path_.front().field == &fields::modelInfo)
            return f == &fields::bandIndex;
        if (f == &fields::optionFeature)
            return ref.index != model::options::kCommonOptionPosition;
        return true;
    }

    // Entries of a counted list beyond both counts are not part of either document.
    std::size_t usedEntries(FieldRef ref) const {
        auto larger = [](model::Integer x, model::Integer y) {
            return std::size_t(std::max<int>({x, y, 0}));
        };
        if (ref.field == &fields::autodial)
            return larger(a_.autodialCount, b_.autodialCount);
        if (ref.field == &fields::testFreqs)
            return larger(a_.testFreqCount, b_.testFreqCount);
        if (ref.field == &fields::fleetList)
            return larger(a_.fleetListCount, b_.fleetListCount);
        return std::numeric_limits<std::size_t>::max();
    }

    std::string shown(FieldRef ref, std::string_view bytes) const {
        std::string s = model::shownText(*ref.field, bytes);
        if (scope_ == DiffScope::Radio && ref.field == &fields::messageLine)
            return withoutTrailingSpaces(std::move(s));
        return s;
    }

    void add(FieldRef ref, bool isText, DiffValue before, DiffValue after) {
        Difference d;
        d.channel = channel_;
        if (!channel_)
            d.path = path_;
        d.path.push_back(ref);
        d.isText = isText;
        d.before = std::move(before);
        d.after = std::move(after);
        out_.push_back(std::move(d));
    }

    void compareChannels() {
        for (int group = 0; group < model::kGroupCount; ++group) {
            for (int number = 1; number <= model::kChannelsPerGroup; ++number) {
                const ChannelEntry* a = findChannel(a_, group, number);
                const ChannelEntry* b = findChannel(b_, group, number);
                if (!a && !b)
                    continue;
                channel_ = ChannelSlot{group, number};
                if (a && b) {
                    model::visitChannel(*this, *a, *b);
                } else {
                    Difference d;
                    d.channel = channel_;
                    d.isText = true;
                    d.before = presence(a);
                    d.after = presence(b);
                    out_.push_back(std::move(d));
                }
            }
        }
        channel_.reset();
    }

    static DiffValue presence(const ChannelEntry* entry) {
        if (!entry)
            return {false, 0, {}};
        return {true, 0, model::shownText(fields::rxFreq, entry->rxFreq.view())};
    }

    const ConfigRecord& a_;
    const ConfigRecord& b_;
    DiffScope scope_;
    std::vector<Difference>& out_;
    std::vector<FieldRef> path_;
    std::optional<ChannelSlot> channel_;
};

// A character that does not show: a control character, or what a decoder gives for bytes it
// cannot read (U+FFFD).
bool hasInvisible(std::string_view utf8) {
    for (const char c : utf8)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return true;
    return utf8.find("\xEF\xBF\xBD") != std::string_view::npos;
}

std::string hexBytes(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (!out.empty())
            out += ' ';
        out += kDigits[byte >> 4];
        out += kDigits[byte & 0x0F];
    }
    return out;
}

std::string asciiOnly(std::string_view bytes) {
    std::string out(bytes);
    for (char& c : out)
        if (static_cast<unsigned char>(c) >= 0x80)
            c = '?';
    return out;
}

} // namespace

std::vector<Difference> compareDocuments(const ConfigRecord& before, const ConfigRecord& after,
                                         DiffScope scope) {
    std::vector<Difference> out;
    Compare compare(before, after, scope, out);
    model::visitRecord(compare, before, after);
    return out;
}

std::string differenceName(const Difference& d, int language) {
    const std::string field = model::fieldName(d.path, language);
    if (!d.channel)
        return field;
    return field.empty() ? channelName(*d.channel) : channelName(*d.channel) + " " + field;
}

std::string differenceValue(const Difference& d, const DiffValue& side, int language,
                            const TextDecoder& decode) {
    if (!side.present)
        return std::string(text::labels::record_fields::kNone[language]);
    if (!d.isText)
        return model::shownNumber(d.path.back(), side.number, language);
    const auto read = [&decode](const DiffValue& v) {
        return decode ? decode(v.text) : asciiOnly(v.text);
    };
    const std::string text = read(side);
    const model::Shown shown =
        d.path.empty() ? model::Shown::Frequency : d.path.back().field->shown;
    std::string out = shown == model::Shown::Text || shown == model::Shown::MessageLine
                          ? "\"" + text + "\""
                          : text;
    // Two texts that differ must not read the same.
    const DiffValue* other = &side == &d.before  ? &d.after
                             : &side == &d.after ? &d.before
                                                 : nullptr;
    if (!side.bytes.empty() && other &&
        (!other->present || read(*other) == text || hasInvisible(text) ||
         hasInvisible(read(*other))))
        out += " [" + hexBytes(side.bytes) + "]";
    return out;
}

std::string describe(const Difference& d, int language, const TextDecoder& decode) {
    return model::fillIn(text::labels::exchange::kChange[language],
                         {differenceName(d, language),
                          differenceValue(d, d.before, language, decode),
                          differenceValue(d, d.after, language, decode)});
}

std::string differenceKey(const Difference& d) {
    std::string key = d.channel ? channelName(*d.channel) : std::string();
    for (const FieldRef& ref : d.path) {
        if (ref.index >= 0) {
            key += "[" + std::to_string(ref.index) + "]";
        } else {
            if (!key.empty())
                key += '.';
            key += ref.field->key;
        }
    }
    return key;
}

} // namespace zx::exchange
