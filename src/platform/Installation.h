// Where the program finds itself and its files: the program folder (folder of the
// executable), the installation folder above it, the settings file language/mysetup.ini,
// the version list Version.ini, and the folders of other installed program versions.
#pragma once

#include <QString>

namespace zx::platform {

class Installation {
public:
    // An installation whose program folder and executable file name are given.
    // userConfigFolder is where a per-user copy of the settings goes when the installation's
    // language folder cannot be written; empty means userConfigFolder().
    Installation(QString programFolder, QString executableName,
                 QString userConfigFolder = QString());
    // The installation of the running executable.
    static Installation ofRunningProgram();

    const QString& programFolder() const { return programFolder_; }
    const QString& executableName() const { return executableName_; }
    // The folder that holds the program folder.
    QString parentFolder() const;
    QString initFolder() const;
    // language/mysetup.ini of the installation, as shipped.
    QString installedSettingsPath() const;
    QString versionListPath() const;

    // The settings file the program reads and writes: the installed one when its folder
    // can be written and the installation is not a shared one, otherwise a per-user copy,
    // seeded from the installed one the first time it is needed.
    QString settingsPath() const;

    // An installation that a package put in place (installation.ini beside Version.ini says
    // PerUserSettings=1): nothing in it is written, whoever runs the program, root included,
    // so that every user starts from what was shipped and the package manager finds its
    // files as it left them. A build's staged installation or a copy of one has no such file
    // and keeps its settings inside.
    bool isShared() const;
    QString markerPath() const;

    // The user's own folder of the programming tool, shared by the desktop program and the
    // command-line tool: <configuration folder>/zx908hf (~/.config/zx908hf).
    static QString userConfigFolder();

    // The executable of another installed version: <parent>/<version>/<executable name>.
    QString otherVersionExecutable(const QString& softwareVersion) const;

private:
    QString programFolder_;
    QString executableName_;
    QString userConfigFolder_;
};

} // namespace zx::platform
