// Writing a whole file so that the previous content is never lost: the bytes go to a
// temporary file in the same folder, are flushed to disk, and the temporary file is then
// renamed over the target. A failure at any step leaves the old file as it was.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace zx::model {

bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

} // namespace zx::model
