// The checks every row of a channel table goes through, whatever its columns: numbers read
// as a spreadsheet writes them, frequencies held to the band and put on the 10 Hz raster as a
// typed cell is, and the notes that name each bad row by its line. Shared by the readers of
// the table kinds; not part of the exchange interface.
#pragma once

#include "exchange/ChannelTable.h"
#include "model/RuntimeState.h"
#include "text/TextTable.h"

#include <optional>
#include <string>
#include <string_view>

namespace zx::exchange {

// Whole hertz of a frequency in MHz.
long long hertzOf(double mhz);
// The display form of a frequency in whole hertz.
std::string mhzTextOf(long long hz);

class RowChecks {
public:
    RowChecks(const model::RuntimeState& state, ReadTable& out) : state_(state), out_(out) {}

    // A number of the row ("28.1", or "28,1" as spreadsheets write it where the decimal
    // separator is a comma), or nullopt with the row's bad note given: `column` "text" is not
    // a number.
    std::optional<double> number(int line, std::string_view column, const std::string& text);
    // The same with a note of its own, filled with the line and the text.
    std::optional<double> number(int line, const std::string& text,
                                 const text::TextTable& notANumber);

    // A frequency checked against the band and put on the raster (told about when `tell`
    // is set); its display form, or nullopt with the row's bad note given.
    std::optional<std::string> frequency(int line, double mhz, bool tell = true);

    // The row's channel in use with these receive and transmit frequencies, both checked as
    // above (the transmit one told about only where it differs from the receive one); false
    // with the row's bad note given.
    bool channel(ChannelRow& row, double rxMHz, double txMHz);

    void bad(Note note) { out_.bad.push_back(std::move(note)); }
    void warn(Note note) { out_.warnings.push_back(std::move(note)); }

    const model::RuntimeState& state() const { return state_; }

private:
    static std::optional<double> parse(const std::string& text);

    const model::RuntimeState& state_;
    ReadTable& out_;
};

} // namespace zx::exchange
