// The output check: a trial file in the target folder, removed at once.
#include "cli/OutputCheck.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace zx::cli {

bool canWriteFile(const QString& path, QString& problem) {
    const QFileInfo info(path);
    if (info.isDir()) {
        problem = QStringLiteral("%1 is a folder").arg(path);
        return false;
    }
    const QDir folder = info.absoluteDir();
    if (!folder.exists()) {
        problem = QStringLiteral("cannot write %1: its folder does not exist").arg(path);
        return false;
    }
    if (info.exists() && !info.isWritable()) {
        problem = QStringLiteral("cannot write %1: it may not be changed").arg(path);
        return false;
    }
    // Permissions, access lists, read-only file systems, full disks: only a real file tells.
    QTemporaryFile trial(folder.filePath(QStringLiteral(".zx908hf-write-check-XXXXXX")));
    if (!trial.open()) {
        problem = QStringLiteral("cannot write %1: %2").arg(path, trial.errorString());
        return false;
    }
    return true;
}

} // namespace zx::cli
