// The output check: a trial file in the target folder, removed at once.
#include "cli/OutputCheck.h"

#include "model/AtomicFile.h"
#include "text/Language.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTemporaryFile>

namespace zx::cli {

bool canWriteFile(const QString& path, QString& problem, qint64 size) {
    // Links are followed as the save follows them; a folder, device or pipe is refused by name.
    const std::string name = path.toStdString();
    const model::SaveOutcome target = model::checkSaveTarget(name);
    if (target.failure == model::SaveOutcome::NotRegularFile) {
        problem = QString::fromStdString(model::saveFailureMessage(target, name, text::English));
        return false;
    }
    const QFileInfo info(QString::fromStdString(model::resolveLinks(name)));
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
    // A full disk still takes an empty file. The new file is written beside the old one
    // before it replaces it, so its whole size must fit.
    const QStorageInfo disk(folder);
    if (disk.isValid() && disk.bytesAvailable() >= 0 && disk.bytesAvailable() < size) {
        problem = QStringLiteral("cannot write %1: there is no space left on its disk").arg(path);
        return false;
    }
    return true;
}

} // namespace zx::cli
