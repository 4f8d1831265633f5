// FlushFileBuffers on the handle behind the file's descriptor.
#include "platform/FileSync.h"

#include <QFile>
#include <io.h>
#include <windows.h>

namespace zx::platform {

bool syncToDisk(QFile& file) {
    if (!file.flush())
        return false;
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
    return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle) != 0;
}

} // namespace zx::platform
