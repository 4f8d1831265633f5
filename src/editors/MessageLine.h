// The stored and shown forms of one embedded message line (32 bytes in the record).
#pragma once

#include "model/FixedText.h"

#include <string>
#include <string_view>

namespace zx::editors {

inline constexpr int kMessageLineLength = 32;
using MessageLine = model::FixedText<kMessageLineLength>;

// A text shorter than 32 bytes is stored followed by one NUL and padded with spaces; a text
// of 32 bytes is stored unchanged, and a longer one is cut to 32.
MessageLine storedMessageLine(std::string_view bytes);

// The stored bytes up to (not including) the first NUL; without a NUL the whole line,
// trailing spaces included.
std::string shownMessageLine(const MessageLine& line);

} // namespace zx::editors
