// fsync(2) of the file's descriptor.
#include "platform/FileSync.h"

#include <QFile>
#include <unistd.h>

namespace zx::platform {

bool syncToDisk(QFile& file) {
    return file.flush() && ::fsync(file.handle()) == 0;
}

} // namespace zx::platform
