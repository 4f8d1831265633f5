// Band strings and edges, number texts, the frequency text forms, the 10 Hz raster and the
// range check. Number texts always use "." as decimal separator, independent of the C
// locale, hence std::from_chars / std::to_chars rather than strtod / printf.
#include "model/Band.h"

#include "text/Fill.h"
#include "text/Messages.h"
#include "text/labels/BandLabels.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace zx::model {

namespace {

constexpr double kFallbackLow = 100.0;
constexpr double kFallbackHigh = 500.0;
constexpr std::string_view kNoFrequency = "FFFFFFFF";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view stripBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Parses a numeric text; false when it is not a finite number.
bool parseNumber(std::string_view text, double& value) {
    text = stripBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Mantissa: digits with at most one ".", at least one digit; then an optional exponent.
    std::size_t i = 0;
    std::size_t digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '.' && !point)
            point = true;
        else
            break;
    }
    if (digits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        const std::size_t expStart = j;
        while (j < text.size() && text[j] >= '0' && text[j] <= '9')
            ++j;
        if (j == expStart)
            return false;
        i = j;
    }
    if (i != text.size())
        return false;
    double parsed = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(parsed))
        return false;
    value = negative ? -parsed : parsed;
    return true;
}

std::string toChars(double value, std::chars_format format, int precision) {
    char buffer[400];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    if (ec != std::errc())
        return "0";
    return std::string(buffer, end);
}

// Whole hertz of a frequency in MHz, or false where that does not fit a 64-bit integer.
bool toHertz(double mhz, long long& hz) {
    const double scaled = std::round(mhz * 1'000'000.0);
    if (!std::isfinite(scaled) || std::fabs(scaled) > 9.0e15)
        return false;
    hz = static_cast<long long>(scaled);
    return true;
}

// "Frequency is out of range.", and on a line of its own the band the value must lie in,
// so that the user can put it right without looking the band up.
void warnOutOfRange(const RuntimeState& state, text::Prompter& prompter) {
    std::string warning(text::message(text::MessageKey::FreqOutOfRange, state.language));
    warning += '\n';
    warning += text::fill(text::labels::band::kBandLimits[state.language],
                          {formatMHz(state.bandLow), formatMHz(state.bandHigh)});
    prompter.inform(warning, text::Icon::Warning);
}

} // namespace

std::string bandTextFromIndex(int index) {
    return index == 1 ? kBandText1 : kBandText0;
}

int bandIndexFromText(std::string_view bandText) {
    return bandText == kBandText1 ? 1 : 0;
}

void parseBandEdges(RuntimeState& state) {
    const std::string_view text = state.bandText;
    const std::size_t dash = text.find(" - ");
    if (dash == std::string_view::npos) {
        state.bandLow = kFallbackLow;
        state.bandHigh = kFallbackHigh;
        return;
    }
    double low = 0;
    state.bandLow = parseNumber(text.substr(0, dash), low) ? low : kFallbackLow;
    const std::string_view rest = text.substr(dash + 3);
    double high = 0;
    state.bandHigh = parseNumber(rest.substr(0, rest.find("MHz")), high) ? high : kFallbackHigh;
}

bool isNumeric(std::string_view text) {
    double ignored = 0;
    return parseNumber(text, ignored);
}

double toNumber(std::string_view text) {
    double value = 0;
    return parseNumber(text, value) ? value : 0.0;
}

std::string formatMHz(double mhz) {
    std::string s = toChars(mhz, std::chars_format::fixed, 6);
    if (s == "-0.000000")
        s.erase(0, 1);
    return s;
}

std::string formatGeneral(double value) {
    // Exponents read "1E-05" / "1E+15", as the classic number-to-text conversion writes them.
    std::string s = toChars(value, std::chars_format::general, 15);
    const std::size_t e = s.find('e');
    if (e != std::string::npos)
        s[e] = 'E';
    return s;
}

std::string storedFromDisplay(std::string_view display, const RuntimeState& state) {
    if (display.empty())
        return {};
    std::string input = isNumeric(display) ? std::string(display) : formatGeneral(state.bandLow);
    const std::size_t point = input.find('.');
    if (point == std::string::npos)
        return input;
    std::string padded = input;
    while (padded.find('.') < 2)
        padded.insert(padded.begin(), '0');
    return padded.substr(0, 2) + input.substr(point + 1);
}

std::optional<std::string> frequencyDisplayForm(std::string_view stored) {
    if (stripBlanks(stored).empty() || stored == kNoFrequency)
        return std::string();
    if (isNumeric(stored)) {
        const std::string withPoint =
            std::string(stored.substr(0, 2)) + "." +
            std::string(stored.substr(std::min<std::size_t>(2, stored.size())));
        double value = 0;
        if (parseNumber(withPoint, value))
            return formatMHz(value);
    }
    return std::nullopt;
}

std::string displayFromStored(std::string_view stored, const RuntimeState& state,
                              text::Prompter& prompter) {
    if (std::optional<std::string> shown = frequencyDisplayForm(stored))
        return *shown;
    prompter.inform(text::kNotIsNumeric);
    return formatGeneral(state.bandLow);
}

double snapToRaster(double mhz, double low) {
    long long fHz = 0;
    long long lowHz = 0;
    if (!toHertz(mhz, fHz) || !toHertz(low, lowHz))
        return mhz;
    const long long r = (fHz - lowHz) % 10;
    return static_cast<double>(fHz - r) / 1'000'000.0;
}

double rangeCheck(double mhz, bool clamp, bool warn, const RuntimeState& state,
                  text::Prompter& prompter) {
    if (mhz < state.bandLow) {
        if (warn)
            warnOutOfRange(state, prompter);
        return clamp ? state.bandLow : 0.0;
    }
    if (mhz > state.bandHigh) {
        if (warn)
            warnOutOfRange(state, prompter);
        return clamp ? state.bandHigh : 0.0;
    }
    return snapToRaster(mhz, state.bandLow);
}

std::string validateFrequencyCell(std::string_view value, bool clamp, bool warn,
                                  const RuntimeState& state, text::Prompter& prompter) {
    double result = 0;
    double number = 0;
    if (parseNumber(value, number)) {
        result = rangeCheck(number, clamp, warn, state, prompter);
    } else {
        if (warn)
            warnOutOfRange(state, prompter);
        result = clamp ? state.bandLow : 0.0;
    }
    return result == 0.0 ? std::string() : formatMHz(result);
}

} // namespace zx::model
