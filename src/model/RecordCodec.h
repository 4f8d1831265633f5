// The byte layout of the configuration record in a data file: 14536 bytes, little-endian,
// no padding between fields.
#pragma once

#include "model/ConfigRecord.h"

#include <array>
#include <cstdint>
#include <span>

namespace zx::model {

inline constexpr std::size_t kRecordSize = 14536;
using RecordBytes = std::array<std::uint8_t, kRecordSize>;

RecordBytes encodeRecord(const ConfigRecord& record);
// Decodes exactly kRecordSize bytes (a shorter span is padded with zero bytes).
ConfigRecord decodeRecord(std::span<const std::uint8_t> bytes);

} // namespace zx::model
