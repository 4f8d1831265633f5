// The store as an INI file in the programs' one folder of the user.
#include "platform/Installation.h"
#include "platform/UserStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zx::platform {

UserStore::UserStore(const QString& programTitle) {
    path_ =
        Installation::userConfigFolder() + QLatin1Char('/') + programTitle + QStringLiteral(".ini");
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

} // namespace zx::platform
