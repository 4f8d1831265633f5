// Where a virtual radio's memory comes from: an 8192-byte image file, or a data file whose
// configuration is encoded into the image the way the program writes it to a radio.
#pragma once

#include "sim/RadioDevice.h"

#include <optional>
#include <string>

namespace zx::sim {

// Reads an image file of exactly 8192 bytes. Throws std::runtime_error otherwise.
Memory loadImageFile(const std::string& path);

// Reads a data file (one 14536-byte record) and encodes it into a fresh image. The band code
// at 1D87 is `bandCode` when given, otherwise the record's band index. Throws
// std::runtime_error for a missing, unreadable or wrongly sized file.
Memory imageFromDataFile(const std::string& path, std::optional<int> bandCode = std::nullopt);

} // namespace zx::sim
