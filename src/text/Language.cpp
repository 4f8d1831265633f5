// Language choice from the locale identifier.
#include "Language.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace zx::text {

Language languageFromLocaleId(std::string_view hexLocaleId) {
    std::string id(hexLocaleId);
    std::transform(id.begin(), id.end(), id.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return id == "804" ? Chinese : English;
}

Language languageFromIndex(int index) {
    return index == Chinese ? Chinese : English;
}

} // namespace zx::text
