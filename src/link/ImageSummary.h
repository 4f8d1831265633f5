// What a radio memory image says about the radio it came from, for a list of backups: the
// band code it carries, the model code of the identity the radio gave in the same
// conversation (1D91-1D94), and the serial number where the image holds the identity record.
#pragma once

#include "link/RadioImage.h"

#include <string>

namespace zx::link {

struct ImageSummary {
    int bandIndex = 0;
    std::string modelCode;    // "" when the image holds none
    std::string serialNumber; // bytes of the system code page; "" when the image holds none
};

ImageSummary summarizeImage(const RadioImage& image);

} // namespace zx::link
