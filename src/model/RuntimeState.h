// Values that live for one run of the program: language, file name, band, serial settings.
#pragma once

#include "text/Language.h"

#include <array>
#include <string>

namespace zx::model {

inline constexpr const char* kBandText0 = "28.000000 - 29.700000 MHz";
inline constexpr const char* kBandText1 = "25.615000 - 30.105000 MHz";
inline constexpr const char* kUntitledFileName = "new.dat";
inline constexpr const char* kProgramDataVersion = "V310";
inline constexpr const char* kProgramVersionText = "V3.10";

struct RuntimeState {
    int language = text::English;       // language index, 1 or 2
    int systemLanguage = text::English; // from the system locale, fixed for the run
    std::string modelName = "ZX-908HF";
    std::string modelCode = "8900";
    std::string bandText = kBandText0;
    double bandLow = 28.0;
    double bandHigh = 29.7;
    std::string dataVersionText = kProgramDataVersion;
    // Test-frequency default table: positions 1..16 receive, 17..32 transmit (slot 0 unused).
    std::array<std::string, 33> testFreqDefaults{};
    int comPort = 1;
    int handshaking = 0;
    int stopBits = 1;
    std::string currentFileName = kUntitledFileName;
    bool untitled = true;
};

} // namespace zx::model
