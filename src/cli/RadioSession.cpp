// Setting up and serving one radio conversation for the command line.
#include "cli/RadioSession.h"

#include "cli/FileContext.h"
#include "cli/Verbs.h"
#include "model/Band.h"
#include "model/DataFile.h"
#include "platform/ProfileFile.h"
#include "platform/SerialDevice.h"
#include "text/Fill.h"
#include "text/Messages.h"
#include "text/labels/ProgressLabels.h"
#include "text/labels/RadioSafetyLabels.h"

#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTextStream>
#include <unistd.h>

namespace zx::cli {

namespace {

const QString kLanguageSection = QStringLiteral("language");

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

int readInt(const platform::ProfileFile& file, const QString& key, int fallback) {
    bool ok = false;
    const int value = file.read(kLanguageSection, key).trimmed().toInt(&ok);
    return ok ? value : fallback;
}

} // namespace

void printError(const QString& text) {
    QTextStream(stderr) << "zx908hf-cli: " << text << '\n';
}

QString say(const text::TextTable& table, int language, const QStringList& values) {
    std::vector<std::string> held;
    for (const QString& value : values)
        held.push_back(value.toStdString());
    return QString::fromStdString(text::fill(table[language], held));
}

void addRadioOptions(QCommandLineParser& parser) {
    parser.addOption({"port",
                      "Serial port for this run: a number, COM<n> or a device path (relative "
                      "to the current folder or absolute). Nothing is saved.",
                      "PORT"});
    parser.addOption({"handshaking",
                      "Handshaking for this run: 0 none, 1 XON/XOFF, 2 RTS/CTS, 3 both "
                      "(runs as RTS/CTS). Warning: with 1 every read fails, because the "
                      "radio's binary answers contain the XON and XOFF bytes (11 and 13 hex).",
                      "N"});
    parser.addOption({"stop-bits", "Stop bits for this run: 1 or 2.", "N"});
    parser.addOption({"yes", "Answer every question with OK, Yes or Retry."});
    parser.addOption({"no", "Answer every question with Cancel or No."});
    parser.addOption(
        {"retries", "How often --yes answers the connection prompt with Retry (default 3).", "N"});
    parser.addOption({"trace", "Write every byte sent and received, with times, to FILE.", "FILE"});
}

std::optional<RadioCommandLine> readRadioOptions(const QCommandLineParser& parser, QString& error) {
    RadioCommandLine options;
    options.port = parser.value("port");
    // An empty value (a variable that was not set, say) must not quietly mean the saved port.
    if (parser.isSet("port") && options.port.trimmed().isEmpty()) {
        error = "--port needs a port: a number, COM<n> or a device path (zx908hf-cli ports "
                "lists them)";
        return std::nullopt;
    }
    options.tracePath = parser.value("trace");
    if (parser.isSet("yes") && parser.isSet("no")) {
        error = "--yes and --no cannot be given together";
        return std::nullopt;
    }
    options.policy = parser.isSet("yes")  ? AnswerPolicy::Yes
                     : parser.isSet("no") ? AnswerPolicy::No
                                          : AnswerPolicy::Ask;
    const auto number = [&](const char* name, int low, int high) -> std::optional<int> {
        bool ok = false;
        const int value = parser.value(name).toInt(&ok);
        if (!ok || value < low || value > high) {
            error = QStringLiteral("--%1 must be %2 to %3, not '%4'")
                        .arg(name)
                        .arg(low)
                        .arg(high)
                        .arg(parser.value(name));
            return std::nullopt;
        }
        return value;
    };
    if (parser.isSet("handshaking")) {
        options.handshaking = number("handshaking", 0, 3);
        if (!options.handshaking)
            return std::nullopt;
    }
    if (parser.isSet("stop-bits")) {
        options.stopBits = number("stop-bits", 1, 2);
        if (!options.stopBits)
            return std::nullopt;
    }
    if (parser.isSet("retries")) {
        const std::optional<int> retries = number("retries", 0, 1000);
        if (!retries)
            return std::nullopt;
        options.retries = *retries;
    }
    return options;
}

int checkPortArgument(const RadioCommandLine& options) {
    const QString text = options.port.trimmed();
    bool isNumber = false;
    text.toInt(&isNumber);
    if (text.isEmpty() || isNumber || platform::PortCatalog::parsePortName(text) > 0)
        return ExitOk;
    // Named as typed, so the user recognises it.
    const platform::DeviceProblem problem =
        platform::checkSerialPath(QDir::current().absoluteFilePath(text));
    if (problem == platform::DeviceProblem::None ||
        (problem == platform::DeviceProblem::Missing && options.portMayBeAbsent))
        return ExitOk;
    const platform::ProfileFile settings(platform::Installation::ofRunningProgram().settingsPath());
    const int language =
        text::languageFromIndex(readInt(settings, "CurrentLanguage", text::English));
    printError(platform::describe({problem, text, {}, {}}, language));
    return ExitPortError;
}

RadioSession::RadioSession(platform::Installation installation, RadioCommandLine options)
    : installation_(std::move(installation)), options_(std::move(options)),
      settingsPath_(installation_.settingsPath()), catalog_(settingsPath_), serial_(catalog_),
      prompter_(options_.policy, isatty(STDIN_FILENO) && isatty(STDERR_FILENO)),
      bar_(isatty(STDERR_FILENO) != 0) {
    // The command line's advice names its options, not the desktop program's menus.
    serial_.setAdvice(platform::Advice::CommandLine);
    link_ = std::make_unique<link::Link>(ws_, serial_, *this, prompter_);
    serial_.setReceiver([this](std::span<const std::uint8_t> answer) { link_->onAnswer(answer); },
                        [this] { link_->onTimeout(); });
    prompter_.setBeforeOutput([this] { bar_.breakLine(); });
    prompter_.setRetryLimit(options_.retries);
    prompter_.setConnectionPromptTexts(
        {std::string(text::message(text::MessageKey::CheckConnection, text::English)),
         std::string(text::message(text::MessageKey::CheckConnection, text::Chinese))});
}

RadioSession::~RadioSession() {
    serial_.setTrace(nullptr);
    serial_.closePort();
}

void RadioSession::readSettings() {
    const platform::ProfileFile settings(settingsPath_);
    ws_.state.comPort = readInt(settings, "comPort", 1);
    ws_.state.handshaking = readInt(settings, "Handshaking", 0);
    ws_.state.stopBits = readInt(settings, "StopBit", 1);
    ws_.state.language =
        text::languageFromIndex(readInt(settings, "CurrentLanguage", text::English));
}

int RadioSession::prepare() {
    ws_.programFolder = installation_.programFolder().toStdString();
    ws_.state.systemLanguage = cliSystemLanguage();
    ws_.versions = installedVersions();
    readSettings();
    if (options_.handshaking)
        ws_.state.handshaking = *options_.handshaking;
    if (options_.stopBits)
        ws_.state.stopBits = *options_.stopBits;
    if (ws_.state.handshaking == 1)
        printError(say(text::labels::safety::kXonXoffWarning));
    if (!options_.port.isEmpty()) {
        // For this run only: the catalog numbers a typed path without recording it, and
        // comPort is never written back by the command line.
        const std::optional<int> number = catalog_.resolve(options_.port, options_.portMayBeAbsent);
        if (!number) {
            printError(QStringLiteral("no serial port '%1'").arg(options_.port));
            return ExitPortError;
        }
        ws_.state.comPort = *number;
        // A search for settings stays on the port the user named.
        serial_.setSearchPorts({*number});
    }
    const std::optional<model::Today> today = cliToday();
    if (!today) {
        printError("ZX_TODAY is not a date of the form YYYYMMDD");
        return ExitUsage;
    }
    // The document as the program has it after start-up: defaults with the New template of
    // the band over them.
    model::resetDocument(ws_, *today);

    if (!options_.tracePath.isEmpty()) {
        trace_.setFileName(options_.tracePath);
        if (!trace_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
            printError(QStringLiteral("cannot write the trace file %1: %2")
                           .arg(options_.tracePath, trace_.errorString()));
            return ExitFileError;
        }
        serial_.setTrace(&trace_);
    }
    return ExitOk;
}

int RadioSession::run(bool (link::Link::*command)()) {
    finished_ = false;
    success_ = false;
    if (stopped())
        return stop_.exitCode();
    if (!((*link_).*command)()) {
        // Not started: either the port did not open (the engine said why) or the question
        // was cancelled.
        return link_->portOpenFailed() ? ExitPortError : ExitRadioFailed;
    }
    if (!finished_) {
        QEventLoop loop;
        onFinished_ = [&loop] { loop.quit(); };
        // A stop signal ends the conversation the clean way; its finish quits the loop.
        const QMetaObject::Connection stop = QObject::connect(&stop_, &StopSignals::stopRequested,
                                                              &stop_, [this] { link_->abort(); });
        if (stopped())
            link_->abort();
        if (!finished_)
            loop.exec();
        QObject::disconnect(stop);
        onFinished_ = nullptr;
    }
    if (stopped())
        return stop_.exitCode();
    if (link_->portOpenFailed())
        return ExitPortError;
    if (!success_)
        return ExitRadioFailed;
    if (link_->kind() == link::OperationKind::None && lastKind_ == link::OperationKind::Write &&
        link_->verification().failed())
        return ExitVerifyFailed;
    return traceComplete() ? ExitOk : ExitFileError;
}

bool RadioSession::traceComplete() {
    // The trace is written as the bytes cross the line; a disk that filled up meanwhile must
    // not leave a trace that looks whole.
    if (!trace_.isOpen() || (trace_.flush() && trace_.error() == QFileDevice::NoError))
        return true;
    printError(QStringLiteral("cannot write the trace file %1: %2")
                   .arg(options_.tracePath, trace_.errorString()));
    return false;
}

void RadioSession::progressShown(link::OperationKind kind) {
    const text::TextTable& caption = kind == link::OperationKind::Write
                                         ? text::labels::progress::kCaptionWrite
                                         : text::labels::progress::kCaptionRead;
    bar_.show(std::string(caption[ws_.state.language]));
}

void RadioSession::progressChanged(int percent) {
    bar_.set(percent);
}

void RadioSession::progressHidden() {
    bar_.hide();
}

void RadioSession::searchStarted() {
    bar_.breakLine();
    QTextStream(stderr) << fromUtf8(text::labels::progress::kCaptionSearch[ws_.state.language])
                        << '\n';
}

void RadioSession::searchEnded() {
    bar_.breakLine();
}

void RadioSession::settingsFound(const link::PortSettings& settings) {
    // A run with --port is a run on that port only: what its search finds is not what the
    // next plain run should use.
    const bool forThisRun = !options_.port.isEmpty();
    bool saved = false;
    if (!forThisRun) {
        platform::ProfileFile file(settingsPath_);
        saved =
            file.write(kLanguageSection, "comPort", QString::number(settings.port)) &&
            file.write(kLanguageSection, "Handshaking", QString::number(settings.handshaking)) &&
            file.write(kLanguageSection, "StopBit", QString::number(settings.stopBits));
    }
    bar_.breakLine();
    QTextStream(stderr) << "zx908hf-cli: using " << platform::PortCatalog::portName(settings.port)
                        << " (" << catalog_.deviceFor(settings.port) << "), handshaking "
                        << settings.handshaking << ", stop bits " << settings.stopBits
                        << (forThisRun ? " for this run (--port: nothing saved)"
                            : saved    ? ""
                                       : "; the settings file could not be written")
                        << '\n';
}

void RadioSession::startOtherVersion(const std::string& dataVersion) {
    // The command line cannot hand a running conversation over; it names the program that
    // handles the radio's data instead.
    const std::string software = model::softwareVersionFor(ws_.versions, dataVersion);
    bar_.breakLine();
    if (software.empty()) {
        printError(fromUtf8(text::message(text::MessageKey::VerStartFailed, ws_.state.language)));
        return;
    }
    const platform::Installation cli(installation_.programFolder(), "zx908hf-cli");
    printError(QStringLiteral("the radio's data version %1 is handled by %2")
                   .arg(QString::fromStdString(dataVersion),
                        cli.otherVersionExecutable(QString::fromStdString(software))));
}

void RadioSession::bandAdopted(bool channelsCorrected) {
    bar_.breakLine();
    QTextStream(stderr) << "zx908hf-cli: band set to " << QString::fromStdString(ws_.state.bandText)
                        << (channelsCorrected ? "; channel frequencies corrected" : "") << '\n';
}

void RadioSession::phaseChanged(link::WritePhase phase) {
    namespace labels = text::labels::safety;
    const text::TextTable& name = phase == link::WritePhase::BackupRead ? labels::kPhaseBackup
                                  : phase == link::WritePhase::Verify   ? labels::kPhaseVerify
                                                                        : labels::kPhaseWrite;
    const std::string title =
        std::string(text::labels::progress::kCaptionWrite[ws_.state.language]) + " - " +
        std::string(name[ws_.state.language]);
    bar_.breakLine();
    if (!bar_.enabled())
        QTextStream(stderr) << fromUtf8(title) << '\n';
    bar_.show(title);
}

void RadioSession::reportBackup(const QString& path, const QString& error) {
    bar_.breakLine();
    printError(path.isEmpty() ? say(text::labels::safety::kBackupFailed, {error})
                              : say(text::labels::safety::kBackupKept, {path}));
}

bool RadioSession::imageReceived(const link::RadioImage& image) {
    if (!keepBackups_)
        return true;
    QString error;
    const QString path = backups_.keepRead(image, ws_, QDateTime::currentDateTime(), &error);
    reportBackup(path, error);
    return !path.isEmpty();
}

void RadioSession::imageSent(const link::RadioImage& image) {
    if (!keepBackups_)
        return;
    QString error;
    reportBackup(backups_.keepWrite(image, ws_.record, QDateTime::currentDateTime(), &error,
                                    ws_.state.language),
                 error);
}

void RadioSession::finished(link::OperationKind kind, bool success) {
    lastKind_ = kind;
    bar_.hide();
    finished_ = true;
    success_ = success;
    if (onFinished_)
        onFinished_();
}

} // namespace zx::cli
