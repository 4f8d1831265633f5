// The output check: a trial file in the target folder, removed at once.
#include "cli/OutputCheck.h"

#include "model/AtomicFile.h"
#include "text/Language.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace zx::cli {

bool canWriteFile(const QString& path, QString& problem) {
    // Links are followed as the save follows them; a folder, device or pipe is refused by name.
    const std::string name = QFile::encodeName(path).toStdString();
    const model::SaveOutcome target = model::checkSaveTarget(name);
    if (target.failure == model::SaveOutcome::NotRegularFile) {
        problem = QString::fromStdString(model::saveFailureMessage(target, name, text::English));
        return false;
    }
    const QFileInfo info(QFile::decodeName(QByteArray::fromStdString(model::resolveLinks(name))));
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
