// Window placement in the per-user store.
#include "platform/UserStore.h"

#include "platform/Installation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace zx::platform {

namespace {

int readTwips(const QSettings& settings, const char* key, int fallback) {
    bool ok = false;
    const int value = settings.value(QLatin1String("Settings/") + QLatin1String(key)).toInt(&ok);
    return ok ? value : fallback;
}

} // namespace

UserStore::UserStore(const QString& programTitle) {
    path_ = Installation::userConfigFolder() + QLatin1Char('/') + programTitle +
            QStringLiteral(".ini");
    // Where QSettings put it before: a second folder beside the programs' own.
    const QString earlier =
        QSettings(QSettings::IniFormat, QSettings::UserScope, programTitle, programTitle)
            .fileName();
    if (earlier == path_ || !QFileInfo::exists(earlier) || QFileInfo::exists(path_))
        return;
    QDir().mkpath(QFileInfo(path_).absolutePath());
    if (QFile::rename(earlier, path_))
        QDir().rmdir(QFileInfo(earlier).absolutePath()); // only when nothing else is in it
}

UserStore UserStore::atFile(const QString& iniPath) {
    UserStore store;
    store.path_ = iniPath;
    return store;
}

WindowPlacement UserStore::loadPlacement() const {
    const QSettings settings(path_, QSettings::IniFormat);
    const WindowPlacement defaults;
    return {readTwips(settings, "MainLeft", defaults.left),
            readTwips(settings, "MainTop", defaults.top),
            readTwips(settings, "MainWidth", defaults.width),
            readTwips(settings, "MainHeight", defaults.height)};
}

bool UserStore::savePlacement(const WindowPlacement& placement) {
    QSettings settings(path_, QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("Settings"));
    settings.setValue(QStringLiteral("MainLeft"), QString::number(placement.left));
    settings.setValue(QStringLiteral("MainTop"), QString::number(placement.top));
    settings.setValue(QStringLiteral("MainWidth"), QString::number(placement.width));
    settings.setValue(QStringLiteral("MainHeight"), QString::number(placement.height));
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace zx::platform
