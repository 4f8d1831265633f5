// Whether the program may write a file or create one in a folder. Linux answers from the
// permission bits. On Windows those say little (a folder under Program Files looks writable
// to Qt while an ordinary user is refused), so the system is asked by trying: the file is
// opened for writing without changing it, a folder gets a temporary file that goes again at
// once.
#pragma once

#include <QString>

namespace zx::platform {

bool mayWriteFile(const QString& file);
// A folder that does not exist yet counts as writable when its nearest existing ancestor is,
// so that it can be created.
bool mayWriteInFolder(const QString& folder);
// The system's part of mayWriteInFolder(), for a folder that exists.
bool mayCreateInExistingFolder(const QString& folder);

} // namespace zx::platform
