// Shared set-up of the desktop program's window tests: one QApplication, a throw-away
// installation laid out like the staged one, scripted file dialogs and process start, and
// a main window started the way the program starts it.
#pragma once

#include "app/FileDialogs.h"
#include "app/Startup.h"
#include "app/frmMain.h"
#include "model/RecordCodec.h"
#include "platform/Installation.h"
#include "platform/ProcessStarter.h"
#include "platform/ProfileFile.h"
#include "platform/SystemLocale.h"
#include "support/ScriptedPrompter.h"
#include "text/Mnemonic.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace zx::test {

inline void ensureAppApplication() {
    if (qApp)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Backups and serial traces of the tests go to a folder of their own, not the user's.
    static QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));
    static int argc = 1;
    static char name[] = "app_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

inline QString u8(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// A caption as it reads, without the mark of its Alt+letter ("Sc&an" -> "Scan").
inline QString plain(const QString& caption) {
    return u8(text::withoutMnemonic(caption.toStdString()));
}

// File dialogs that answer from a script and record what they were asked.
class ScriptedDialogs : public app::FileDialogs {
public:
    std::deque<QString> answers; // an empty text cancels
    int opens = 0;
    int saves = 0;
    QString lastFolder; // where the open dialog started
    QString lastPreset;
    QString lastFilter;

    QString openFile(QWidget*, const QString& folder, const QString& filter) override {
        ++opens;
        lastFolder = folder;
        lastFilter = filter;
        return next();
    }
    QString saveFile(QWidget*, const QString& preset, const QString& filter) override {
        ++saves;
        lastPreset = preset;
        lastFilter = filter;
        return next();
    }
    // The dialog offering several formats: the filter `chosenFilter` is taken.
    int chosenFilter = 0;
    QStringList lastFilters;
    QString saveFileAs(QWidget* parent, const QString& preset, const QStringList& filters,
                       int& chosen) override {
        lastFilters = filters;
        chosen = chosenFilter;
        return saveFile(parent, preset, filters.value(chosenFilter));
    }

private:
    QString next() {
        if (answers.empty())
            return QString();
        QString a = answers.front();
        answers.pop_front();
        return a;
    }
};

class RecordingStarter : public platform::ProcessStarter {
public:
    QString program;
    QStringList arguments;
    bool succeed = true;
    bool start(const QString& p, const QStringList& args) override {
        program = p;
        arguments = args;
        return succeed;
    }
};

// The desktop program's file name on this system.
#ifdef _WIN32
inline const QString kProgramFileName = QStringLiteral("zx908hf.exe");
#else
inline const QString kProgramFileName = QStringLiteral("zx908hf");
#endif

// A temporary installation: <root>/V310 (program folder, with Init), <root>/language,
// <root>/Version.ini copied from the staged installation.
class TempInstallation {
public:
    TempInstallation() {
        QDir(root()).mkpath(QStringLiteral("V310/Init"));
        QFile::copy(QStringLiteral(ZX_STAGE_DIR "/Version.ini"), root() + "/Version.ini");
        QDir stagedInit(QStringLiteral(ZX_PROGRAM_DIR "/Init"));
        for (const QString& name : stagedInit.entryList(QDir::Files))
            QFile::copy(stagedInit.filePath(name), programFolder() + "/Init/" + name);
    }

    QString root() const { return dir_.path(); }
    QString programFolder() const { return root() + "/V310"; }
    QString settingsPath() const { return root() + "/language/mysetup.ini"; }
    QString userStorePath() const { return root() + "/user/placement.ini"; }
    platform::Installation installation() const {
        return platform::Installation(programFolder(), kProgramFileName, root() + "/userconfig");
    }

    // Writes mysetup.ini with the given keys of section "language".
    void writeSettings(std::initializer_list<std::pair<const char*, const char*>> keys) {
        platform::ProfileFile file(settingsPath());
        for (const auto& [key, value] : keys)
            file.write(QStringLiteral("language"), QLatin1String(key), QLatin1String(value));
    }
    QString setting(const char* key) const {
        return platform::ProfileFile(settingsPath())
            .read(QStringLiteral("language"), QLatin1String(key));
    }

    void writeVersionList(const QStringList& values) {
        QFile::remove(root() + "/Version.ini");
        platform::ProfileFile file(root() + "/Version.ini");
        file.write(QStringLiteral("Version"), QStringLiteral("FirmVersionCount"),
                   QString::number(values.size()));
        for (int i = 0; i < values.size(); ++i)
            file.write(QStringLiteral("Firm"), QStringLiteral("Firm%1").arg(i), values[i]);
    }

    // Writes a record as a data file (14536 bytes).
    static void writeRecord(const QString& path, const model::ConfigRecord& record) {
        const model::RecordBytes bytes = model::encodeRecord(record);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    }

private:
    QTemporaryDir dir_;
};

// Start-up and a shown main window on a temporary installation.
class AppHarness {
public:
    explicit AppHarness(TempInstallation& inst, QString localeId = QStringLiteral("409"))
        : inst_(inst) {
        ensureAppApplication();
        started = app::runStartup(ws, inst.installation(),
                                  {localeId, model::Today{2026, 12, 8, "2026-12-08"}}, separator);
    }

    app::frmMain& window() {
        if (!window_) {
            app::MainServices services;
            services.prompter = &prompter;
            services.dialogs = &dialogs;
            services.starter = &starter;
            services.installation = inst_.installation();
            services.settingsPath = started.settingsPath;
            services.userStorePath = inst_.userStorePath();
            services.separator = &separator;
            services.endProgram = [this](int code) { endedWith = code; };
            services.systemInfo = [] { return QString(); };
            window_ = std::make_unique<app::frmMain>(ws, std::move(services));
            window_->show();
            QApplication::processEvents();
        }
        return *window_;
    }

    // Runs `action` on the next modal window that opens (a dialog's exec()).
    static void onNextModal(std::function<void(QWidget*)> action) {
        QTimer::singleShot(0, [action] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr) << "no modal window opened";
            action(modal);
        });
    }

    model::Workspace ws;
    platform::DecimalSeparator separator;
    app::StartupResult started;
    ScriptedPrompter prompter;
    ScriptedDialogs dialogs;
    RecordingStarter starter;
    std::optional<int> endedWith;

private:
    TempInstallation& inst_;
    std::unique_ptr<app::frmMain> window_;
};

} // namespace zx::test
