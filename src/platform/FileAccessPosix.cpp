// Writability from the permission bits (access(2) through QFileInfo).
#include "platform/FileAccess.h"

#include <QFileInfo>

namespace zx::platform {

bool mayWriteFile(const QString& file) {
    return QFileInfo(file).isWritable();
}

bool mayCreateInExistingFolder(const QString& folder) {
    return QFileInfo(folder).isWritable();
}

} // namespace zx::platform
