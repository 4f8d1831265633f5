// Conversion of the UTF-8 texts of the text tables into Qt strings.
#pragma once

#include "text/TextTable.h"

#include <QString>
#include <string_view>

namespace zx::app {

inline QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString qs(const text::TextTable& table, int language) {
    return qs(table[language]);
}

} // namespace zx::app
