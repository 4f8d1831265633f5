// The ANSI code page of Windows, converted by the system itself (Qt for Windows has no
// codecs beyond the Unicode ones and Latin-1).
#include "platform/CodePage.h"

#include <windows.h>

namespace zx::platform {

namespace {
UINT textCodePage() {
    return codePageForAnsi(GetACP());
}
} // namespace

QString fromCodePage(std::string_view bytes, int) {
    if (bytes.empty())
        return {};
    const UINT page = textCodePage();
    const int n = MultiByteToWideChar(page, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    if (n <= 0)
        return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    std::wstring wide(std::size_t(n), L'\0');
    MultiByteToWideChar(page, 0, bytes.data(), int(bytes.size()), wide.data(), n);
    return QString::fromStdWString(wide);
}

std::string toCodePage(const QString& text, int) {
    if (text.isEmpty())
        return {};
    const UINT page = textCodePage();
    const std::wstring wide = text.toStdWString();
    // No "best fit" (ā as a): what the code page lacks becomes "?".
    const DWORD flags = WC_NO_BEST_FIT_CHARS;
    const char fallback[] = "?";
    const int n = WideCharToMultiByte(page, flags, wide.data(), int(wide.size()), nullptr, 0,
                                      fallback, nullptr);
    if (n <= 0)
        return text.toLatin1().toStdString();
    std::string out(std::size_t(n), '\0');
    WideCharToMultiByte(page, flags, wide.data(), int(wide.size()), out.data(), n, fallback,
                        nullptr);
    return out;
}

} // namespace zx::platform
