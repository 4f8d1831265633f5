// INI access through QSettings; one QSettings per call so that every read sees the file as
// it is on disk and every write is flushed at once.
#include "platform/ProfileFile.h"

#include <QFileInfo>
#include <QSettings>
#include <QStringList>

namespace zx::platform {

namespace {

QString fullKey(const QString& section, const QString& key) {
    return section + QLatin1Char('/') + key;
}

} // namespace

ProfileFile::ProfileFile(QString path) : path_(std::move(path)) {}

bool ProfileFile::exists() const {
    return QFileInfo(path_).isFile();
}

bool ProfileFile::contains(const QString& section, const QString& key) const {
    QSettings settings(path_, QSettings::IniFormat);
    return settings.contains(fullKey(section, key));
}

QString ProfileFile::read(const QString& section, const QString& key,
                          const QString& defaultValue) const {
    QSettings settings(path_, QSettings::IniFormat);
    const QVariant value = settings.value(fullKey(section, key));
    if (!value.isValid())
        return defaultValue;
    // A value with commas comes back as a list; join it again so that text stays text.
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

bool ProfileFile::write(const QString& section, const QString& key, const QString& value) {
    QSettings settings(path_, QSettings::IniFormat);
    settings.setValue(fullKey(section, key), value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QStringList ProfileFile::keys(const QString& section) const {
    QSettings settings(path_, QSettings::IniFormat);
    settings.beginGroup(section);
    return settings.childKeys();
}

bool ProfileFile::remove(const QString& section, const QString& key) {
    QSettings settings(path_, QSettings::IniFormat);
    settings.remove(fullKey(section, key));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace zx::platform
