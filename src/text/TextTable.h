// A text in every language of the user interface, indexed by the language index.
#pragma once

#include "Language.h"

#include <array>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace zx::text {

// One text per language slot (0 unused, 1 English, 2 Chinese), UTF-8.
struct TextTable {
    std::string_view english;
    std::string_view chinese;

    // The text for a language index; an index other than 1 or 2 gives an empty text.
    constexpr std::string_view operator[](int language) const {
        return language == English ? english : language == Chinese ? chinese : std::string_view{};
    }
};

// A text that is the same in both languages.
constexpr TextTable sameText(std::string_view text) {
    return {text, text};
}

// A list of choices for a combo box: entry k of the list in language L.
struct ListTable {
    std::vector<std::string_view> english;
    std::vector<std::string_view> chinese;

    const std::vector<std::string_view>& operator[](int language) const {
        static const std::vector<std::string_view> empty;
        return language == English ? english : language == Chinese ? chinese : empty;
    }
};

} // namespace zx::text
