// Filling the placeholders %1 .. %9 of a text with values, in any order and as often as the
// text names them; a placeholder without a value stays as it is.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace zx::text {

inline std::string fill(std::string_view pattern, std::initializer_list<std::string_view> values) {
    std::string out;
    out.reserve(pattern.size() + 16);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const std::size_t index = static_cast<std::size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && index < values.size()) {
            out += *(values.begin() + index);
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

} // namespace zx::text
