// Byte-exact conversion between the configuration record and the 14536 bytes of a data file.
// The field order is that of visitRecord(); a writer and a reader walk it, each number by the
// width of its type, little-endian, texts byte for byte, nothing between fields.
#include "model/RecordCodec.h"

#include "model/RecordFields.h"

#include <algorithm>
#include <cassert>
#include <type_traits>

namespace zx::model {

namespace {

// Walks of the record that only go through its structure.
class Structure {
public:
    template <class F> void object(FieldRef, F body) { body(); }
    template <class F> void array(FieldRef, std::size_t n, F body) {
        for (std::size_t i = 0; i < n; ++i)
            body(i);
    }
};

class Writer : public Structure {
public:
    explicit Writer(RecordBytes& out) : out_(out) {}

    template <class T> void number(FieldRef, T value) {
        static_assert(std::is_integral_v<T>);
        auto u = static_cast<std::make_unsigned_t<T>>(value);
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            put(static_cast<std::uint8_t>(u & 0xFF));
            if constexpr (sizeof(T) > 1)
                u = static_cast<std::make_unsigned_t<T>>(u >> 8);
        }
    }
    template <std::size_t N> void text(FieldRef, const FixedText<N>& t) {
        for (char c : t.bytes)
            put(static_cast<std::uint8_t>(c));
    }
    std::size_t offset() const { return pos_; }

private:
    void put(std::uint8_t b) { out_.at(pos_++) = b; }
    RecordBytes& out_;
    std::size_t pos_ = 0;
};

class Reader : public Structure {
public:
    explicit Reader(std::span<const std::uint8_t> in) : in_(in) {}

    template <class T> void number(FieldRef, T& value) {
        static_assert(std::is_integral_v<T>);
        std::make_unsigned_t<T> u = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i)
            u = static_cast<std::make_unsigned_t<T>>(u | (unsigned(get()) << (8 * i)));
        value = static_cast<T>(u);
    }
    template <std::size_t N> void text(FieldRef, FixedText<N>& t) {
        for (char& c : t.bytes)
            c = static_cast<char>(get());
    }
    std::size_t offset() const { return pos_; }

private:
    // Bytes past the end of a short input read as zero.
    std::uint8_t get() {
        const std::uint8_t b = pos_ < in_.size() ? in_[pos_] : 0;
        ++pos_;
        return b;
    }
    std::span<const std::uint8_t> in_;
    std::size_t pos_ = 0;
};

} // namespace

RecordBytes encodeRecord(const ConfigRecord& record) {
    RecordBytes out{};
    Writer w(out);
    visitRecord(w, record);
    assert(w.offset() == kRecordSize);
    return out;
}

ConfigRecord decodeRecord(std::span<const std::uint8_t> bytes) {
    ConfigRecord record;
    Reader r(bytes.first(std::min(bytes.size(), kRecordSize)));
    visitRecord(r, record);
    assert(r.offset() == kRecordSize);
    return record;
}

} // namespace zx::model
