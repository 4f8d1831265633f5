// A private installation of zx908hf-cli for one end-to-end test: the program and its
// templates copied into a temporary folder with its own Version.ini and mysetup.ini, whose
// `ports` section names the virtual radio's pseudo-terminal as COM1. Runs the program with
// no terminal on stdin, so every question it asks gets the safe answer unless a flag says
// otherwise.
#pragma once

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <string>
#include <unistd.h>

namespace zx::test {

// Waits until `done` holds, `ms` at most (a program started in the background meanwhile).
inline bool waitUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QThread::msleep(10);
    return done();
}

struct CliResult {
    int exitCode = -1;
    bool crashed = false;
    QString out;
    QString err;
};

class CliInstallation {
public:
    explicit CliInstallation(const std::string& radioDevice, QString versionList = QString()) {
        QDir().mkpath(programFolder() + "/Init");
        QDir().mkpath(root_.filePath("language"));
        const QString program = QStringLiteral(ZX_PROGRAM_DIR "/zx908hf-cli");
        // A hard link is cheap; a copy does when the folders are on different file systems.
        if (::link(QFile::encodeName(program).constData(),
                   QFile::encodeName(executable()).constData()) != 0)
            QFile::copy(program, executable());
        for (const QFileInfo& file :
             QDir(QStringLiteral(ZX_PROGRAM_DIR "/Init")).entryInfoList(QDir::Files))
            QFile::copy(file.filePath(), programFolder() + "/Init/" + file.fileName());
        writeText(root_.filePath("Version.ini"),
                  versionList.isEmpty()
                      ? "[Version]\nFirmVersionCount=1\n\n[Firm]\nFirm0=V310V310\n"
                      : versionList);
        useRadio(radioDevice);
    }

    // Makes COM1 of the settings file the terminal of `radioDevice`.
    void useRadio(const std::string& radioDevice) const {
        writeText(settingsPath(),
                  QStringLiteral("[language]\nIsFirstRun=0\ncomPort=1\nHandshaking=0\n"
                                 "StopBit=1\nCurrentLanguage=1\n\n[ports]\nCOM1=%1\n")
                      .arg(QString::fromStdString(radioDevice)));
    }

    bool ok() const { return root_.isValid() && QFileInfo(executable()).isExecutable(); }
    QString programFolder() const { return root_.filePath("V310"); }
    QString executable() const { return programFolder() + "/zx908hf-cli"; }
    QString settingsPath() const { return root_.filePath("language/mysetup.ini"); }
    QString file(const QString& name) const { return root_.filePath(name); }
    // The per-user data folder the program sees, and its backups folder.
    QString dataHome() const { return root_.filePath("data"); }
    QString backupsFolder() const { return dataHome() + "/zx908hf/backups"; }
    QString newTemplate(int band) const {
        return programFolder() + QStringLiteral("/Init/%1_ZX-908HF_New.dat").arg(band);
    }

    CliResult run(const QStringList& arguments, int timeoutMs = 30000,
                  const QString& workingDirectory = QString()) const {
        QProcess process;
        start(process, arguments, workingDirectory);
        return finish(process, timeoutMs);
    }

    // Starts the program without waiting for it (for signals, or radios swapped meanwhile).
    void start(QProcess& process, const QStringList& arguments,
               const QString& workingDirectory = QString()) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ZX_TODAY", "20260315");
        env.insert("LC_ALL", "C");
        // Backups and other per-user data stay inside this installation.
        env.insert("XDG_DATA_HOME", dataHome());
        process.setProcessEnvironment(env);
        if (!workingDirectory.isEmpty())
            process.setWorkingDirectory(workingDirectory);
        process.start(executable(), arguments);
        process.waitForStarted();
        process.closeWriteChannel();
    }

    // Waits for a started program to end and collects what it said.
    static CliResult finish(QProcess& process, int timeoutMs = 30000) {
        CliResult result;
        if (!process.waitForFinished(timeoutMs)) {
            process.kill();
            process.waitForFinished();
            result.err =
                QStringLiteral("timed out\n") + QString::fromUtf8(process.readAllStandardError());
            result.crashed = true;
            return result;
        }
        result.crashed = process.exitStatus() != QProcess::NormalExit;
        result.exitCode = process.exitCode();
        result.out = QString::fromUtf8(process.readAllStandardOutput());
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

    static void writeText(const QString& path, const QString& text) {
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(text.toUtf8());
    }
    static QByteArray readBytes(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void writeBytes(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(bytes);
    }

private:
    QTemporaryDir root_;
};

} // namespace zx::test
