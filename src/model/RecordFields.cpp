// The record's layout and the words of its fields, both taken from the one walk of
// visitRecord().
#include "model/RecordFields.h"

#include "model/Band.h"
#include "model/OptionFields.h"

#include <utility>

namespace zx::model {

namespace {

template <class T> constexpr Kind kindOf() {
    if constexpr (std::is_same_v<T, Long>)
        return Kind::Long;
    else if constexpr (std::is_same_v<T, Byte>)
        return Kind::Byte;
    else
        return Kind::Integer;
}

// Walks a default record and notes each field's path, kind, width and offset.
class LayoutWalk {
public:
    template <class T> void number(FieldRef ref, const T&) {
        static_assert(std::is_integral_v<T>);
        add(ref, kindOf<T>(), sizeof(T));
    }
    template <std::size_t N> void text(FieldRef ref, const FixedText<N>&) {
        add(ref, Kind::Text, N);
    }
    template <class F> void object(FieldRef ref, F body) { nest(ref, body); }
    template <class F> void array(FieldRef ref, std::size_t n, F body) {
        nest(ref, [&] {
            for (std::size_t i = 0; i < n; ++i)
                body(i);
        });
    }
    std::vector<FieldLayout> take() { return std::move(fields_); }

private:
    std::string path(FieldRef ref) const {
        if (ref.index >= 0)
            return prefix_ + "[" + std::to_string(ref.index) + "]";
        return prefix_.empty() ? std::string(ref.field->key)
                               : prefix_ + "." + std::string(ref.field->key);
    }
    void add(FieldRef ref, Kind kind, std::size_t width) {
        fields_.push_back({path(ref), kind, width, offset_, ref.field});
        offset_ += width;
    }
    template <class F> void nest(FieldRef ref, F body) {
        std::string outer = std::exchange(prefix_, path(ref));
        body();
        prefix_ = std::move(outer);
    }

    std::vector<FieldLayout> fields_;
    std::string prefix_;
    std::size_t offset_ = 0;
};

std::string bracketed(long long value) {
    return "[" + std::to_string(value) + "]";
}

} // namespace

const std::vector<FieldLayout>& recordLayout() {
    static const std::vector<FieldLayout> layout = [] {
        const ConfigRecord record;
        LayoutWalk walk;
        visitRecord(walk, record);
        return walk.take();
    }();
    return layout;
}

std::string channelName(int group, int number) {
    std::string name{char('A' + group), '-'};
    if (number < 10)
        name += '0';
    return name + std::to_string(number);
}

std::string fieldName(std::span<const FieldRef> path, int language) {
    std::string name;
    const Field* parent = nullptr;
    for (const FieldRef& ref : path) {
        if (ref.field->shown == Shown::Option) {
            name = options::optionName(ref.index >= 0 ? ref.index : options::kBacklightPosition,
                                       language);
        } else if (ref.index >= 0) {
            const text::TextTable pattern =
                parent && parent->elementName ? *parent->elementName : text::sameText("%1 %2");
            const std::string group =
                ref.index < kGroupCount ? std::string(1, char('A' + ref.index)) : std::string();
            name = fillIn(pattern[language], {name, std::to_string(ref.index + 1), group});
        } else if (const std::string_view label = ref.field->label[language]; !label.empty()) {
            name += name.empty() ? std::string(label) : " " + std::string(label);
        }
        parent = ref.field;
    }
    return name;
}

std::string shownNumber(FieldRef ref, long long value, int language) {
    namespace columns = text::labels::channel_info;
    switch (ref.field->shown) {
    case Shown::EnableFlag:
        return value == 0 || value == 1 ? std::string(columns::kFlagEntries[value][language])
                                        : bracketed(value);
    case Shown::ScanFlag:
        return value == 0 || value == 1 ? std::string(columns::kScanEntries[value][language])
                                        : bracketed(value);
    case Shown::Option:
        return options::optionValue(ref.index >= 0 ? ref.index : options::kBacklightPosition,
                                    int(value), language);
    case Shown::Band:
        return value == 0 || value == 1 ? bandTextFromIndex(int(value)) : bracketed(value);
    case Shown::Character:
        return value >= 0x20 && value < 0x7F ? std::string(1, char(value)) : bracketed(value);
    default:
        return std::to_string(value);
    }
}

std::string shownText(const Field& field, std::string_view bytes) {
    switch (field.shown) {
    case Shown::Frequency:
        if (std::optional<std::string> mhz = frequencyDisplayForm(bytes))
            return *mhz;
        break;
    case Shown::MessageLine:
        return std::string(bytes.substr(0, bytes.find('\0')));
    default:
        break;
    }
    std::string_view v = bytes.substr(0, bytes.find('\0'));
    const std::size_t end = v.find_last_not_of(' ');
    return std::string(end == std::string_view::npos ? std::string_view{} : v.substr(0, end + 1));
}

std::string fillIn(std::string_view pattern, const std::vector<std::string>& arguments) {
    std::string out;
    out.reserve(pattern.size() + 16);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next >= '1' && next <= '9' &&
            std::size_t(next - '1') < arguments.size()) {
            out += arguments[std::size_t(next - '1')];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

} // namespace zx::model
