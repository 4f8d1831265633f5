// UTF-8 file names to system paths and back.
#include "model/FilePath.h"

namespace zx::model {

std::filesystem::path systemPath(std::string_view utf8Name) {
    try {
        return std::filesystem::path(std::u8string(utf8Name.begin(), utf8Name.end()));
    } catch (const std::filesystem::filesystem_error&) {
        // Not UTF-8 at all (bytes from somewhere else): the system's narrow reading of them
        // still names the file it names.
        return std::filesystem::path(std::string(utf8Name));
    }
}

std::string utf8Name(const std::filesystem::path& path) {
    const std::u8string name = path.u8string();
    return std::string(name.begin(), name.end());
}

} // namespace zx::model
