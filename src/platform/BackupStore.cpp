// Writing, listing and pruning the backups. Each file is written whole or not at all
// (QSaveFile), so a backup is never half a file.
#include "platform/BackupStore.h"

#include "model/RecordCodec.h"
#include "platform/UserData.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace zx::platform {

namespace {

bool writeWhole(const QString& path, const char* data, qint64 size, QString* error) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(data, size) == size && file.commit())
        return true;
    if (error)
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
    return false;
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
    return keep(Kind::Read, image, decoded.record, when, error);
}

QString BackupStore::keepWrite(const link::RadioImage& image, const model::ConfigRecord& record,
                               const QDateTime& when, QString* error) {
    return keep(Kind::Write, image, record, when, error);
}

QString BackupStore::keep(Kind kind, const link::RadioImage& image,
                          const model::ConfigRecord& record, const QDateTime& when,
                          QString* error) {
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
    if (!writeWhole(imagePath, reinterpret_cast<const char*>(image.bytes.data()),
                    qint64(image.bytes.size()), error) ||
        !writeWhole(base + QLatin1String(kDataExtension),
                    reinterpret_cast<const char*>(recordBytes.data()), qint64(recordBytes.size()),
                    error)) {
        QFile::remove(imagePath);
        return {};
    }
    prune(when);
    return imagePath;
}

QList<BackupStore::Entry> BackupStore::list() const {
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
    const QList<Entry> all = list();
    for (qsizetype i = kKeepCount; i < all.size(); ++i) {
        if (all[i].time >= oldestKept)
            continue;
        QFile::remove(all[i].imagePath);
        QFile::remove(all[i].dataPath);
    }
}

} // namespace zx::platform
