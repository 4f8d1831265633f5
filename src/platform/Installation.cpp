// Paths of the installation and the per-user fallback for the settings file.
#include "platform/Installation.h"

#include "platform/FileAccess.h"
#include "platform/ProfileFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace zx::platform {

Installation::Installation(QString programFolder, QString executableName, QString userConfigFolder)
    : programFolder_(QDir::cleanPath(programFolder)), executableName_(std::move(executableName)),
      userConfigFolder_(std::move(userConfigFolder)) {}

Installation Installation::ofRunningProgram() {
    return Installation(QCoreApplication::applicationDirPath(),
                        QFileInfo(QCoreApplication::applicationFilePath()).fileName());
}

QString Installation::parentFolder() const {
    // The path up to, not including, the last separator of the program folder ("/", or "\"
    // in a Windows path as the system writes it).
    const int cut = std::max(programFolder_.lastIndexOf(QLatin1Char('/')),
                             programFolder_.lastIndexOf(QLatin1Char('\\')));
    if (cut < 0)
        return QStringLiteral(".");
    return cut == 0 ? QStringLiteral("/") : programFolder_.left(cut);
}

QString Installation::initFolder() const {
    return programFolder_ + QStringLiteral("/Init");
}

QString Installation::installedSettingsPath() const {
    return parentFolder() + QStringLiteral("/language/mysetup.ini");
}

QString Installation::versionListPath() const {
    return parentFolder() + QStringLiteral("/Version.ini");
}

QString Installation::markerPath() const {
    return parentFolder() + QStringLiteral("/installation.ini");
}

bool Installation::isShared() const {
    return ProfileFile(markerPath())
               .read(QStringLiteral("Installation"), QStringLiteral("PerUserSettings"))
               .trimmed() == QLatin1String("1");
}

QString Installation::settingsPath() const {
    const QString installed = installedSettingsPath();
    const QFileInfo installedInfo(installed);
    const bool installedWritable = installedInfo.exists()
                                       ? mayWriteFile(installed)
                                       : mayWriteInFolder(installedInfo.absolutePath());
    if (installedWritable && !isShared())
        return installed;

    const QString userFolder = userConfigFolder_.isEmpty() ? userConfigFolder() : userConfigFolder_;
    const QString userCopy = userFolder + QStringLiteral("/language/mysetup.ini");
    if (!QFileInfo::exists(userCopy)) {
        QDir().mkpath(QFileInfo(userCopy).absolutePath());
        if (installedInfo.exists() && QFile::copy(installed, userCopy)) {
            // The copy keeps the read-only permission of a system-wide file; the user's
            // copy must be writable.
            QFile::setPermissions(userCopy, QFile::permissions(userCopy) | QFileDevice::WriteOwner |
                                                QFileDevice::ReadOwner);
        }
    }
    return userCopy;
}

QString Installation::otherVersionExecutable(const QString& softwareVersion) const {
    return parentFolder() + QLatin1Char('/') + softwareVersion + QLatin1Char('/') + executableName_;
}

} // namespace zx::platform
