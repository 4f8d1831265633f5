// File names inside the program are UTF-8 text on every system, as QString::toStdString
// gives them and as the messages that name a file show them. These turn such a name into the
// system's own path (wide characters on Windows, so that a name outside the ANSI code page
// opens too) and back.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zx::model {

std::filesystem::path systemPath(std::string_view utf8Name);
std::string utf8Name(const std::filesystem::path& path);

} // namespace zx::model
