// Bands of the radio and the frequency value rules: band strings and edges, the display
// and stored text forms, the 10 Hz raster, the range check and cell validation.
#pragma once

#include "model/RuntimeState.h"
#include "text/Prompter.h"

#include <optional>
#include <string>
#include <string_view>

namespace zx::model {

// Band string from index: 1 gives the second band, every other value the first.
std::string bandTextFromIndex(int index);
// Index from band string: the second band string gives 1, anything else 0.
int bandIndexFromText(std::string_view bandText);

// Parses bandLow/bandHigh from state.bandText (" - " and "MHz"); 100.0/500.0 where it
// cannot be parsed.
void parseBandEdges(RuntimeState& state);

// True when the text is a number in the sense of the program (decimal, "." separator,
// optional sign and surrounding blanks).
bool isNumeric(std::string_view text);
// The number of a numeric text (only meaningful when isNumeric is true).
double toNumber(std::string_view text);

// Number formatted "#0.000000".
std::string formatMHz(double mhz);
// General number-to-text form: at most 15 significant digits, no trailing zeros.
std::string formatGeneral(double value);

// Stored form (eight digits, no point) from display form.
std::string storedFromDisplay(std::string_view display, const RuntimeState& state);
// Display form from stored form without asking anyone: "" for blank or "FFFFFFFF", nullopt
// for a text that is not a number.
std::optional<std::string> frequencyDisplayForm(std::string_view stored);
// Display form from stored form; blank or "FFFFFFFF" give "". A non-numeric text shows
// "Not IsNumeric" and gives the text of bandLow.
std::string displayFromStored(std::string_view stored, const RuntimeState& state,
                              text::Prompter& prompter);

// Moves f down onto the 10 Hz raster that starts at `low` (both in MHz).
double snapToRaster(double mhz, double low);

// Range check: snapped f when in band; out of band the edge (clamp) or 0, with the warning
// "Frequency is out of range." when warn is set.
double rangeCheck(double mhz, bool clamp, bool warn, const RuntimeState& state,
                  text::Prompter& prompter);

// Validates a frequency cell value: the display text of the result, "" for 0.
std::string validateFrequencyCell(std::string_view value, bool clamp, bool warn,
                                  const RuntimeState& state, text::Prompter& prompter);

} // namespace zx::model
