// Filling the placeholders %1 .. %9 of a text with values, in any order and as often as the
// text names them; a placeholder without a value stays as it is.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zx::text {

inline std::string fill(std::string_view pattern, std::span<const std::string_view> values) {
    std::string out;
    out.reserve(pattern.size() + 16);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const std::size_t index = static_cast<std::size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && index < values.size()) {
            out += values[index];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

inline std::string fill(std::string_view pattern, std::initializer_list<std::string_view> values) {
    return fill(pattern, std::span<const std::string_view>(values.begin(), values.size()));
}

inline std::string fill(std::string_view pattern, const std::vector<std::string>& values) {
    const std::vector<std::string_view> views(values.begin(), values.end());
    return fill(pattern, std::span<const std::string_view>(views));
}

} // namespace zx::text
