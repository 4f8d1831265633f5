// The choice of the code page.
#include "platform/CodePage.h"

#include "text/Language.h"

namespace zx::platform {

const char* codePageForLanguage(int systemLanguage) {
    return systemLanguage == text::Chinese ? "GBK" : "windows-1252";
}

unsigned codePageForAnsi(unsigned ansiCodePage) {
    return ansiCodePage == 936 ? 936 : 1252;
}

} // namespace zx::platform
