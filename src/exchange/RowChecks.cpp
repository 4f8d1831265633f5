// Checking the cells of a channel table's rows.
#include "exchange/RowChecks.h"

#include "model/Band.h"
#include "text/labels/ExchangeLabels.h"

#include <algorithm>
#include <cmath>

namespace zx::exchange {

namespace texts = text::labels::exchange;

long long hertzOf(double mhz) {
    return std::llround(mhz * 1'000'000.0);
}

std::string mhzTextOf(long long hz) {
    return model::formatMHz(double(hz) / 1'000'000.0);
}

std::optional<double> RowChecks::parse(const std::string& text) {
    std::string value = text;
    if (std::count(value.begin(), value.end(), ',') == 1 && value.find('.') == std::string::npos)
        std::replace(value.begin(), value.end(), ',', '.');
    if (!model::isNumeric(value))
        return std::nullopt;
    return model::toNumber(value);
}

std::optional<double> RowChecks::number(int line, std::string_view column,
                                        const std::string& text) {
    const std::optional<double> value = parse(text);
    if (!value)
        bad({&texts::kNotANumber, {std::to_string(line), std::string(column), text}});
    return value;
}

std::optional<double> RowChecks::number(int line, const std::string& text,
                                        const text::TextTable& notANumber) {
    const std::optional<double> value = parse(text);
    if (!value)
        bad({&notANumber, {std::to_string(line), text}});
    return value;
}

std::optional<std::string> RowChecks::frequency(int line, double mhz, bool tell) {
    const std::string given = model::formatMHz(mhz);
    if (mhz < state_.bandLow || mhz > state_.bandHigh) {
        bad({&texts::kOutOfBand, {std::to_string(line), given, state_.bandText}});
        return std::nullopt;
    }
    const std::string onRaster = model::formatMHz(model::snapToRaster(mhz, state_.bandLow));
    if (tell && hertzOf(mhz) != hertzOf(model::toNumber(onRaster)))
        warn({&texts::kSnapped, {std::to_string(line), mhzTextOf(hertzOf(mhz)), onRaster}});
    return onRaster;
}

bool RowChecks::channel(ChannelRow& row, double rxMHz, double txMHz) {
    const std::optional<std::string> rx = frequency(row.line, rxMHz);
    if (!rx)
        return false;
    // A transmit frequency equal to the receive one was told about with it.
    const std::optional<std::string> tx = frequency(row.line, txMHz, txMHz != rxMHz);
    if (!tx)
        return false;
    model::ChannelEntry& entry = row.entry;
    entry.number = model::Integer(row.placed ? row.slot.number : 0);
    entry.inUse = 1;
    entry.rxFreq = model::storedFromDisplay(*rx, state_);
    entry.txFreq = model::storedFromDisplay(*tx, state_);
    return true;
}

} // namespace zx::exchange
