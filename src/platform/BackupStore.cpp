// Writing, listing and pruning the backups.
#include "platform/BackupStore.h"

#include "model/AtomicFile.h"
#include "model/FileErrors.h"
#include "model/RecordCodec.h"
#include "platform/UserData.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <span>

namespace zx::platform {

namespace {

// Written whole through the one safe save, then read back by its size: a disk that is full
// or failing must not leave a short file that looks like a backup.
bool writeWhole(const QString& path, std::span<const std::uint8_t> bytes, QString* error,
                int language) {
    const std::string name = path.toStdString();
    const model::SaveOutcome saved = model::writeFileSafely(name, bytes);
    if (saved && QFileInfo(path).size() == qint64(bytes.size()))
        return true;
    if (error)
        *error = QString::fromStdString(
            saved ? model::writeFailureCause(ENOSPC, name, language)
                  : (saved.error != 0 ? model::writeFailureCause(saved.error, name, language)
                                      : model::saveFailureMessage(saved, name, language)));
    return false;
}

bool isWhole(const QString& path, qint64 size) {
    const QFileInfo info(path);
    return info.isFile() && info.size() == size;
}

QString kindName(BackupStore::Kind kind) {
    return kind == BackupStore::Kind::Read ? QStringLiteral("read") : QStringLiteral("write");
}

} // namespace

BackupStore::BackupStore(QString folder) : folder_(std::move(folder)) {}

QString BackupStore::defaultFolder() {
    return userDataFolder() + QStringLiteral("/backups");
}

QString BackupStore::keepRead(const link::RadioImage& image, const model::Workspace& document,
                              const QDateTime& when, QString* error) {
    model::Workspace decoded = document;
    image.decode(decoded);
    return keep(Kind::Read, image, decoded.record, when, error, document.state.language);
}

QString BackupStore::keepWrite(const link::RadioImage& image, const model::ConfigRecord& record,
                               const QDateTime& when, QString* error, int language) {
    return keep(Kind::Write, image, record, when, error, language);
}

QString BackupStore::keep(Kind kind, const link::RadioImage& image,
                          const model::ConfigRecord& record, const QDateTime& when, QString* error,
                          int language) {
    if (!QDir().mkpath(folder_)) {
        if (error)
            *error = QStringLiteral("cannot make the folder %1").arg(folder_);
        return {};
    }
    const QString base =
        stampedPath(folder_, kindName(kind), when,
                    {QLatin1String(kImageExtension), QLatin1String(kDataExtension)});
    const model::RecordBytes recordBytes = model::encodeRecord(record);
    const QString imagePath = base + QLatin1String(kImageExtension);
    const QString dataPath = base + QLatin1String(kDataExtension);
    if (!writeWhole(imagePath, image.bytes, error, language) ||
        !writeWhole(dataPath, recordBytes, error, language)) {
        QFile::remove(imagePath);
        QFile::remove(dataPath);
        return {};
    }
    prune(when);
    return imagePath;
}

QList<BackupStore::Entry> BackupStore::list() const {
    QList<Entry> whole;
    for (const Entry& entry : all())
        if (isWhole(entry.imagePath, qint64(link::RadioImage::kSize)) &&
            isWhole(entry.dataPath, qint64(model::kRecordSize)))
            whole.append(entry);
    return whole;
}

QList<BackupStore::Entry> BackupStore::all() const {
    QList<Entry> out;
    const QStringList images = stampedFiles(folder_, QLatin1String(kImageExtension));
    for (auto it = images.rbegin(); it != images.rend(); ++it) {
        QString what;
        const QDateTime time = stampOf(QFileInfo(*it).fileName(), &what);
        if (what != QLatin1String("read") && what != QLatin1String("write"))
            continue;
        const QString base = it->chopped(qsizetype(qstrlen(kImageExtension)));
        out.append({what == QLatin1String("read") ? Kind::Read : Kind::Write, time,
                    base + QLatin1String(kImageExtension), base + QLatin1String(kDataExtension)});
    }
    return out;
}

void BackupStore::prune(const QDateTime& now) {
    const QDateTime oldestKept = now.addDays(-kKeepDays);
    const QList<Entry> kept = all();
    for (qsizetype i = kKeepCount; i < kept.size(); ++i) {
        if (kept[i].time >= oldestKept)
            continue;
        QFile::remove(kept[i].imagePath);
        QFile::remove(kept[i].dataPath);
    }
}

} // namespace zx::platform
