// Text fields of the record as JSON strings. The bytes are decoded with the system code page;
// where some bytes do not form a character of that code page (a lone GBK lead byte, say),
// each such byte is carried as the private-use character U+F700 + byte, so that every field
// converts back to exactly the bytes it came from.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace zx::cli {

// The characters of a field, padding and NULs included.
QString fieldToText(std::string_view bytes, int systemLanguage);

// The bytes of a text, at most maxBytes of them; nullopt with `problem` set when a character
// has no form in the code page or the text is too long.
std::optional<std::string> textToField(const QString& text, int systemLanguage,
                                       std::size_t maxBytes, QString& problem);

} // namespace zx::cli
