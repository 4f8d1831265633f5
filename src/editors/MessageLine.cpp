// Stored and shown forms of an embedded message line.
#include "editors/MessageLine.h"

namespace zx::editors {

MessageLine storedMessageLine(std::string_view bytes) {
    if (bytes.size() < std::size_t(kMessageLineLength)) {
        std::string withNul(bytes);
        withNul.push_back('\0');
        return MessageLine(withNul);
    }
    return MessageLine(bytes.substr(0, kMessageLineLength));
}

std::string shownMessageLine(const MessageLine& line) {
    const std::string_view v = line.view();
    return std::string(v.substr(0, v.find('\0')));
}

} // namespace zx::editors
