// A fixed-length text field of the configuration record, held as the raw bytes of the file
// (one byte per character in the system code page), so that NULs and padding survive.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace zx::model {

template <std::size_t N> struct FixedText {
    static constexpr std::size_t kLength = N;

    std::array<char, N> bytes;

    // A new field is blank: N spaces.
    FixedText() { bytes.fill(' '); }
    FixedText(std::string_view text) { assign(text); } // NOLINT: assignment from text is natural

    // Assigning a shorter text pads it on the right with spaces; a longer one is cut.
    void assign(std::string_view text) {
        const std::size_t n = std::min(text.size(), N);
        std::copy_n(text.begin(), n, bytes.begin());
        std::fill(bytes.begin() + n, bytes.end(), ' ');
    }
    FixedText& operator=(std::string_view text) {
        assign(text);
        return *this;
    }

    // All N characters, padding and NULs included.
    std::string_view view() const { return {bytes.data(), N}; }
    std::string str() const { return std::string(view()); }

    // The text cut at its first NUL and stripped of trailing spaces.
    std::string trimmed() const {
        std::string_view v = view();
        v = v.substr(0, v.find('\0'));
        const std::size_t end = v.find_last_not_of(' ');
        return std::string(end == std::string_view::npos ? std::string_view{}
                                                         : v.substr(0, end + 1));
    }

    bool operator==(const FixedText&) const = default;
};

} // namespace zx::model
