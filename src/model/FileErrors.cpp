// The causes of file errors, from errno and the file system.
#include "model/FileErrors.h"

#include "model/FilePath.h"
#include "text/Fill.h"
#include "text/Messages.h"
#include "text/labels/FileErrorLabels.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace zx::model {

namespace {

namespace labels = text::labels::file_errors;

std::string say(const text::TextTable& table, std::string_view path, int language) {
    return text::fill(table[language], {path});
}

std::string systemWords(int error, std::string_view path, int language) {
    return text::fill(labels::kOther[language],
                      {path, error != 0 ? std::string_view(std::strerror(error))
                                        : std::string_view("unknown error")});
}

} // namespace

std::string writeFailureCause(int error, std::string_view path, int language) {
    switch (error) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return say(labels::kNoSpace, path, language);
    case EROFS:
        return say(labels::kReadOnly, path, language);
    case ENOENT:
    case ENOTDIR:
        return say(labels::kNoFolder, path, language);
    case EACCES:
    case EPERM:
        return say(labels::kNoWritePermission, path, language);
    case EISDIR:
        return say(labels::kIsFolder, path, language);
    default:
        return systemWords(error, path, language);
    }
}

std::string readFailureCause(int error, const std::string& path, int language) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(systemPath(path), ec);
    if (status.type() == fs::file_type::not_found)
        return say(labels::kMissing, path, language);
    if (fs::is_directory(status))
        return say(labels::kIsFolder, path, language);
    if (error == EACCES || error == EPERM || ec == std::errc::permission_denied)
        return say(labels::kNoReadPermission, path, language);
    return systemWords(error, path, language);
}

std::string fileErrorWithCause(std::string_view cause, int language) {
    std::string message(text::message(text::MessageKey::FileError, language));
    if (!cause.empty())
        message += "\n" + std::string(cause);
    return message;
}

} // namespace zx::model
