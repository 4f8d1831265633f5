// Summing up a radio memory image.
#include "link/ImageSummary.h"

#include <algorithm>

namespace zx::link {

namespace {

// The text of a fixed field up to its first NUL, without trailing blanks.
template <std::size_t N> std::string shown(const model::FixedText<N>& text) {
    std::string value(text.view());
    value = value.substr(0, value.find('\0'));
    value.erase(value.find_last_not_of(' ') + 1);
    return value;
}

} // namespace

ImageSummary summarizeImage(const RadioImage& image) {
    ImageSummary summary;
    summary.bandIndex = image.readBandCode();
    // The identity answer's model code: four printable characters after its "P".
    const auto code = image.block(RadioImage::kModelHeader + 1, 4);
    if (std::all_of(code.begin(), code.end(),
                    [](std::uint8_t b) { return b >= 0x20 && b < 0x7F; })) {
        summary.modelCode.assign(code.begin(), code.end());
        summary.modelCode.erase(summary.modelCode.find_last_not_of(' ') + 1);
    }
    summary.serialNumber = shown(image.decodeIdentity().serialNumber);
    return summary;
}

} // namespace zx::link
