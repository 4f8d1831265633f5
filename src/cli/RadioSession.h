// One radio conversation of zx908hf-cli: the installation's settings and version list, the
// document as after start-up, the port, the engine and the serial adapter the desktop
// program uses too, and an event loop that runs until the conversation has finished.
#pragma once

#include "cli/CliProgressBar.h"
#include "cli/CliPrompter.h"
#include "cli/StopSignals.h"
#include "link/Link.h"
#include "model/Defaults.h"
#include "model/Workspace.h"
#include "platform/BackupStore.h"
#include "platform/Installation.h"
#include "platform/PortCatalog.h"
#include "platform/QtSerialLink.h"
#include "text/TextTable.h"

#include <QCommandLineParser>
#include <QFile>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace zx::cli {

// The options every radio verb shares.
struct RadioCommandLine {
    QString port; // "3", "COM3" or a device path; empty: comPort of the settings
    std::optional<int> handshaking;
    std::optional<int> stopBits;
    AnswerPolicy policy = AnswerPolicy::Ask;
    int retries = 3;
    QString tracePath;
    // A --port path that does not exist yet is waited for (a batch: the device may come with
    // the radio).
    bool portMayBeAbsent = false;
};

void addRadioOptions(QCommandLineParser& parser);
// The shared options as given; nullopt (with `error` set) for a value out of range.
std::optional<RadioCommandLine> readRadioOptions(const QCommandLineParser& parser, QString& error);

// A --port that names a path must name a serial port: a missing path, a folder, a file,
// /dev/null or the terminal this program runs in are refused here, before anything else
// happens. ExitOk, or ExitPortError with the reason printed.
int checkPortArgument(const RadioCommandLine& options);

// Prints "zx908hf-cli: <text>" on stderr.
void printError(const QString& text);

// A text of the tables in a language, its placeholders filled.
QString say(const text::TextTable& table, int language, const QStringList& values = {});

class RadioSession : public link::LinkEvents {
public:
    RadioSession(platform::Installation installation, RadioCommandLine options);
    ~RadioSession() override;

    // Settings, version list, the document reset as at start-up, the port, the trace file.
    // Returns ExitOk, or the exit code to end with (the reason is printed).
    int prepare();

    // Starts a conversation (Link::readFromRadio, ...) and serves it until it has finished:
    // ExitOk, ExitRadioFailed (failed or cancelled), ExitPortError (the port could not be
    // opened, also at a retry), ExitVerifyFailed (a write whose read-back failed), or
    // 128 + a stop signal's number.
    int run(bool (link::Link::*command)());

    // Backups of what reads and writes exchange (on unless --no-backup).
    void setKeepBackups(bool keep) { keepBackups_ = keep; }
    platform::BackupStore& backups() { return backups_; }
    StopSignals& stopSignals() { return stop_; }
    bool stopped() const { return stop_.received() != 0; }
    // say() in the language of the settings.
    QString say(const text::TextTable& table, const QStringList& values = {}) const {
        return cli::say(table, ws_.state.language, values);
    }
    CliProgressBar& progressBar() { return bar_; }

    model::Workspace& workspace() { return ws_; }
    CliPrompter& prompter() { return prompter_; }
    link::Link& engine() { return *link_; }
    platform::PortCatalog& catalog() { return catalog_; }
    platform::QtSerialLink& serial() { return serial_; }
    const platform::Installation& installation() const { return installation_; }
    QString settingsPath() const { return settingsPath_; }

    // link::LinkEvents
    void progressShown(link::OperationKind kind) override;
    void progressChanged(int percent) override;
    void progressHidden() override;
    void searchStarted() override;
    void searchEnded() override;
    void settingsFound(const link::PortSettings& settings) override;
    void startOtherVersion(const std::string& dataVersion) override;
    void bandAdopted(bool channelsCorrected) override;
    void phaseChanged(link::WritePhase phase) override;
    bool imageReceived(const link::RadioImage& image) override;
    void imageSent(const link::RadioImage& image) override;
    void finished(link::OperationKind kind, bool success) override;

private:
    void readSettings();
    // Whether the --trace file (if any) holds everything written to it; the cause is printed
    // when it does not.
    bool traceComplete();
    void reportBackup(const QString& path, const QString& error);

    platform::Installation installation_;
    RadioCommandLine options_;
    QString settingsPath_;
    model::Workspace ws_;
    platform::PortCatalog catalog_;
    platform::QtSerialLink serial_;
    CliPrompter prompter_;
    CliProgressBar bar_;
    std::unique_ptr<link::Link> link_;
    StopSignals stop_;
    platform::BackupStore backups_;
    bool keepBackups_ = true;
    QString progressTitle_;
    QFile trace_;
    bool finished_ = false;
    bool success_ = false;
    link::OperationKind lastKind_ = link::OperationKind::None;
    std::function<void()> onFinished_;
};

} // namespace zx::cli
