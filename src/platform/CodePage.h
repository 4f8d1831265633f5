// Conversion between the one-byte-per-character texts of records and files and Unicode,
// with the system code page. On Linux it follows the system language: GBK when it is Chinese,
// windows-1252 otherwise. On Windows it is the ANSI code page (GetACP): GBK for 936, the
// Chinese one, windows-1252 for every other.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace zx::platform {

// The code page of texts on a system of this language (Linux).
const char* codePageForLanguage(int systemLanguage);
// The code page of texts on a system with this ANSI code page (Windows): 936 or 1252.
unsigned codePageForAnsi(unsigned ansiCodePage);

// `systemLanguage` counts only where the system has no code page of its own (Linux).

QString fromCodePage(std::string_view bytes, int systemLanguage);
// Characters the code page cannot represent become "?".
std::string toCodePage(const QString& text, int systemLanguage);

} // namespace zx::platform
