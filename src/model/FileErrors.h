// Why a file could not be read or written, from the system's error number and the file
// system: no space, a read-only disk, a missing folder or file, no permission, a folder
// where a file was expected. Both programs say it after "file error.".
#pragma once

#include <string>
#include <string_view>

namespace zx::model {

// The cause of a failed write of `path` with the system error `error` (an errno value).
std::string writeFailureCause(int error, std::string_view path, int language);
// The cause of a failed read of `path` (errno value `error`, 0 when unknown: the file
// system is asked then).
std::string readFailureCause(int error, const std::string& path, int language);

// "file error." and the cause on the next line.
std::string fileErrorWithCause(std::string_view cause, int language);

} // namespace zx::model
