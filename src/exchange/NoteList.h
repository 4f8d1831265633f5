// A list of notes about rows or channels as a message shows it: one note a line, cut short
// with "… and N more" so that a file full of bad rows still gives a message that fits.
#pragma once

#include "exchange/ChannelTable.h"

#include <cstddef>
#include <string>
#include <vector>

namespace zx::exchange {

std::string noteList(const std::vector<Note>& notes, int language, std::size_t maxLines = 15);

} // namespace zx::exchange
