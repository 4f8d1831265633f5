// Recent files and the last folder in the per-user store.
#include "app/RecentFiles.h"

#include "platform/UserStore.h"

#include <QFileInfo>
#include <QSettings>

namespace zx::app {

namespace {

const QString kSection = QStringLiteral("RecentFiles");
const QString kLastFolder = QStringLiteral("LastFolder");

QString fileKey(int i) {
    return QStringLiteral("File%1").arg(i + 1);
}

// Two names of one file count once, whatever way they were written.
QString normalised(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

RecentFiles::RecentFiles(QString storePath) : storePath_(std::move(storePath)) {
    load();
}

void RecentFiles::add(const QString& path) {
    const QString file = normalised(path);
    files_.removeAll(file);
    files_.prepend(file);
    while (files_.size() > kMaximum)
        files_.removeLast();
    store();
}

void RecentFiles::remove(const QString& path) {
    files_.removeAll(normalised(path));
    store();
}

void RecentFiles::setLastFolder(const QString& folder) {
    lastFolder_ = folder;
    store();
}

void RecentFiles::load() {
    if (storePath_.isEmpty())
        return;
    QSettings settings(storePath_, platform::UserStore::formatOf(storePath_));
    settings.beginGroup(kSection);
    for (int i = 0; i < kMaximum; ++i) {
        const QString file = settings.value(fileKey(i)).toString();
        if (!file.isEmpty() && !files_.contains(file))
            files_.append(file);
    }
    lastFolder_ = settings.value(kLastFolder).toString();
}

void RecentFiles::store() const {
    if (storePath_.isEmpty())
        return;
    QSettings settings(storePath_, platform::UserStore::formatOf(storePath_));
    settings.beginGroup(kSection);
    for (int i = 0; i < kMaximum; ++i) {
        if (i < files_.size())
            settings.setValue(fileKey(i), files_[i]);
        else
            settings.remove(fileKey(i));
    }
    settings.setValue(kLastFolder, lastFolder_);
}

} // namespace zx::app
