// The radio's configuration against a document, as Compare with Radio and zx908hf-cli verify
// show it: only what the radio keeps is compared, the radio is the left side, and each
// difference reads "A-05 RX Frequency: radio 28.515000, file 28.525000", so that nobody has
// to remember which side of an arrow is which.
#pragma once

#include "exchange/DocumentDiff.h"
#include "model/ConfigRecord.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zx::exchange {

// `radio` is the document a read of the radio makes (the radio's image decoded over
// `document`); `document` is the file the radio is compared with.
std::vector<Difference> compareWithRadio(const model::ConfigRecord& radio,
                                         const model::ConfigRecord& document);

// The comparison with the fields the radio cannot hold otherwise set apart: a channel
// frequency the radio holds to 100 Hz, exactly as a write of the document leaves it, is no
// difference between them.
struct RadioComparison {
    std::vector<Difference> differences;   // real differences
    std::vector<Difference> storedTo100Hz; // the file's frequency as the radio keeps it
};

// `asWritten` is the document as a write leaves it in the radio (link::asWritten).
RadioComparison compareWithRadio(const model::ConfigRecord& radio,
                                 const model::ConfigRecord& document,
                                 const model::ConfigRecord& asWritten);

// One difference of compareWithRadio() in words.
std::string describeAgainstRadio(const Difference& d, int language, const TextDecoder& decode = {});

// "The radio holds what customer.dat holds." or "The radio differs from customer.dat in 3
// fields."
std::string radioComparisonVerdict(std::size_t differences, std::string_view fileName,
                                   int language);

} // namespace zx::exchange
