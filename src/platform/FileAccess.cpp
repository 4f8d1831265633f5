// The nearest existing ancestor of a folder that is still to be made.
#include "platform/FileAccess.h"

#include <QFileInfo>

namespace zx::platform {

bool mayWriteInFolder(const QString& folder) {
    QFileInfo info(folder);
    while (!info.exists()) {
        const QString up = info.absolutePath();
        if (up == info.absoluteFilePath())
            return false;
        info = QFileInfo(up);
    }
    return info.isDir() && mayCreateInExistingFolder(info.absoluteFilePath());
}

} // namespace zx::platform
