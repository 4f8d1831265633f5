// The frame every radio verb runs in.
#include "cli/RadioVerb.h"

#include "cli/OutputCheck.h"
#include "cli/VerbSupport.h"
#include "cli/Verbs.h"
#include "model/DataFile.h"
#include "platform/Installation.h"

#include <QFile>
#include <QTextStream>

namespace zx::cli {

const QCommandLineOption
    kNoBackup("no-backup",
              "Keep no backup of what this run reads or writes (kept by default in the "
              "backups folder; see the backups verb).");

int parseVerbArguments(QCommandLineParser& parser, const QStringList& arguments,
                       const QString& description, bool radio) {
    parser.setApplicationDescription(description);
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({"h", "help"}, "Show this help.");
    parser.addOption(help);
    if (radio)
        addRadioOptions(parser);
    return parseOrAnswerHelp(parser, arguments, help).value_or(-1);
}

namespace {

// The shared radio options; `code` is the exit code when they are refused (a bad value, a
// --port given twice where one port is used, or a --port path that is no serial port).
std::optional<RadioCommandLine> radioOptions(const QCommandLineParser& parser, int& code,
                                             bool severalPorts) {
    QString error;
    std::optional<RadioCommandLine> options = readRadioOptions(parser, error);
    if (!options) {
        printError(error);
        code = ExitUsage;
        return std::nullopt;
    }
    if (!severalPorts && options->ports.size() > 1) {
        printError("--port names one port (several only with write --batch)");
        code = ExitUsage;
        return std::nullopt;
    }
    options->portMayBeAbsent = severalPorts;
    for (const QString& port : options->ports) {
        RadioCommandLine one = *options;
        one.port = port;
        code = checkPortArgument(one);
        if (code != ExitOk)
            return std::nullopt;
    }
    code = ExitOk;
    return options;
}

} // namespace

int runRadioVerb(const QStringList& arguments, const RadioVerb& verb) {
    QCommandLineParser parser;
    if (verb.options)
        verb.options(parser);
    if (verb.backups)
        parser.addOption(kNoBackup);
    if (const int code = parseVerbArguments(parser, arguments, verb.description, true); code >= 0)
        return code;
    const bool several = !verb.severalPortsWith.isEmpty() && parser.isSet(verb.severalPortsWith);
    int refused = ExitOk;
    std::optional<RadioCommandLine> options = radioOptions(parser, refused, several);
    if (!options)
        return refused;
    if (verb.fits && !verb.fits(parser)) {
        printError(QStringLiteral("usage: %1").arg(QLatin1String(verb.usage)));
        return ExitUsage;
    }
    if (verb.check)
        if (const int code = verb.check(parser, *options); code != ExitOk)
            return code;

    RadioSession session(platform::Installation::ofRunningProgram(), *options);
    session.setKeepBackups(!verb.backups || !parser.isSet(kNoBackup));
    if (const int code = session.prepare(); code != ExitOk)
        return code;
    return verb.body(session, parser);
}

bool canWriteTo(const QString& path) {
    QString problem;
    if (canWriteFile(path, problem, qint64(model::kRecordSize)))
        return true;
    printError(problem);
    return false;
}

bool saveAs(RadioSession& session, const QString& path) {
    model::Workspace& ws = session.workspace();
    ws.state.currentFileName = path.toStdString();
    if (!model::saveDataFile(ws, session.prompter())) {
        printError(QStringLiteral("cannot write %1").arg(path));
        return false;
    }
    return true;
}

bool openInto(RadioSession& session, const QString& path) {
    const model::OpenOutcome outcome =
        model::openDataFile(session.workspace(), path.toStdString(), session.prompter());
    if (outcome.kind == model::OpenOutcome::Opened)
        return true;
    if (outcome.kind == model::OpenOutcome::StartOtherVersion)
        session.startOtherVersion(outcome.dataVersion);
    printError(QStringLiteral("cannot use %1").arg(path));
    return false;
}

} // namespace zx::cli
