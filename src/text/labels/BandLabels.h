// Texts about the band that the message table does not hold, in English and Chinese: the line
// that follows "Frequency is out of range." and names the limits a frequency must keep.
#pragma once

#include "text/TextTable.h"

namespace zx::text::labels::band {

// %1 the lower and %2 the upper edge, "#0.000000".
inline constexpr TextTable kBandLimits{"The band is %1 - %2 MHz.", "频段为 %1 - %2 MHz。"};

} // namespace zx::text::labels::band
