// Window placement in the per-user store.
#include "platform/UserStore.h"

namespace zx::platform {

namespace {

int readTwips(const QSettings& settings, const char* key, int fallback) {
    bool ok = false;
    const int value = settings.value(QLatin1String("Settings/") + QLatin1String(key)).toInt(&ok);
    return ok ? value : fallback;
}

} // namespace

QSettings::Format UserStore::formatOf(const QString& path) {
    return path.startsWith(QLatin1String("HKEY_")) ? QSettings::NativeFormat : QSettings::IniFormat;
}

UserStore UserStore::atFile(const QString& iniPath) {
    UserStore store;
    store.path_ = iniPath;
    return store;
}

WindowPlacement UserStore::loadPlacement() const {
    const QSettings settings(path_, formatOf(path_));
    const WindowPlacement defaults;
    return {readTwips(settings, "MainLeft", defaults.left),
            readTwips(settings, "MainTop", defaults.top),
            readTwips(settings, "MainWidth", defaults.width),
            readTwips(settings, "MainHeight", defaults.height)};
}

bool UserStore::savePlacement(const WindowPlacement& placement) {
    QSettings settings(path_, formatOf(path_));
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
