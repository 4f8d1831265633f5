// Conversion between the one-byte-per-character texts of records and files and Unicode,
// with the system code page: GBK when the system language is Chinese, windows-1252
// otherwise.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace zx::platform {

QString fromCodePage(std::string_view bytes, int systemLanguage);
// Characters the code page cannot represent become "?".
std::string toCodePage(const QString& text, int systemLanguage);

} // namespace zx::platform
