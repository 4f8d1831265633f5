// Trace files: one per conversation, the last ten kept.
#include "platform/TraceStore.h"

#include "platform/UserData.h"

#include <QDir>

namespace zx::platform {

namespace {
const QString kExtension = QStringLiteral(".txt");
}

TraceStore::TraceStore(QString folder) : folder_(std::move(folder)) {}

QString TraceStore::defaultFolder() {
    return userDataFolder() + QStringLiteral("/traces");
}

QFile* TraceStore::begin(const QString& what, const QDateTime& when) {
    finish();
    if (!QDir().mkpath(folder_))
        return nullptr;
    auto file =
        std::make_unique<QFile>(stampedPath(folder_, what, when, {kExtension}) + kExtension);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Text))
        return nullptr;
    file_ = std::move(file);
    prune();
    return file_.get();
}

void TraceStore::finish() {
    if (file_)
        file_->close();
    file_.reset();
}

QStringList TraceStore::files() const {
    return stampedFiles(folder_, kExtension);
}

void TraceStore::prune() {
    const QStringList all = files();
    for (qsizetype i = 0; i + kKeep < all.size(); ++i)
        QFile::remove(all[i]);
}

} // namespace zx::platform
