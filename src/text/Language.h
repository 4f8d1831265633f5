// Language index of the user interface and its choice from the system locale.
#pragma once

#include <string_view>

namespace zx::text {

// 1 = English, 2 = Chinese. Slot 0 of every text table is never filled.
enum Language : int { NoLanguage = 0, English = 1, Chinese = 2 };

// The system default locale identifier as hexadecimal text (for example "804" for Chinese,
// PRC) gives the system language: Chinese for "804", English for anything else.
Language languageFromLocaleId(std::string_view hexLocaleId);

// Clamps a stored language index (from the settings file) to 1 or 2; anything else is English.
Language languageFromIndex(int index);

} // namespace zx::text
