// Verbs that talk to a radio or serve as one: read, write, band, identity, ports, simulate.
#include "cli/RadioIdentityText.h"
#include "cli/RadioSession.h"
#include "cli/SimulateVerb.h"
#include "cli/Verbs.h"
#include "model/AtomicFile.h"
#include "model/Band.h"
#include "model/DataFile.h"
#include "platform/Installation.h"
#include "platform/PortCatalog.h"
#include "text/Messages.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace zx::cli {

namespace {

// Parses the verb's arguments; prints help or the error. Returns -1 to go on, else the
// exit code to end with.
int parse(QCommandLineParser& parser, const QStringList& arguments, const QString& description,
          bool radio = true) {
    parser.setApplicationDescription(description);
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({"h", "help"}, "Show this help.");
    parser.addOption(help);
    if (radio)
        addRadioOptions(parser);
    if (!parser.parse(arguments)) {
        printError(parser.errorText());
        return ExitUsage;
    }
    if (parser.isSet(help)) {
        QTextStream(stdout) << parser.helpText();
        return ExitOk;
    }
    return -1;
}

std::optional<RadioCommandLine> radioOptions(const QCommandLineParser& parser) {
    QString error;
    std::optional<RadioCommandLine> options = readRadioOptions(parser, error);
    if (!options)
        printError(error);
    return options;
}

// A data file can be written at `path`: its folder exists and it is not a folder itself.
// Checked before the radio is touched, so that a read is not wasted on a bad name.
bool canWriteTo(const QString& path) {
    const QFileInfo info(path);
    const std::string name = QFile::encodeName(path).toStdString();
    if (const model::SaveOutcome target = model::checkSaveTarget(name);
        target.failure == model::SaveOutcome::NotRegularFile) {
        printError(QString::fromStdString(model::saveFailureMessage(target, name, text::English)));
        return false;
    }
    if (!info.absoluteDir().exists()) {
        printError(QStringLiteral("cannot write %1: its folder does not exist").arg(path));
        return false;
    }
    return true;
}

bool saveAs(RadioSession& session, const QString& path) {
    model::Workspace& ws = session.workspace();
    ws.state.currentFileName = QFile::encodeName(path).toStdString();
    if (!model::saveDataFile(ws, session.prompter())) {
        printError(QStringLiteral("cannot write %1").arg(path));
        return false;
    }
    return true;
}

// Loads FILE into the document as Open does; false (message printed) when it is refused.
bool openInto(RadioSession& session, const QString& path) {
    const model::OpenOutcome outcome = model::openDataFile(
        session.workspace(), QFile::encodeName(path).toStdString(), session.prompter());
    if (outcome.kind == model::OpenOutcome::Opened)
        return true;
    if (outcome.kind == model::OpenOutcome::StartOtherVersion)
        session.startOtherVersion(outcome.dataVersion);
    printError(QStringLiteral("cannot use %1").arg(path));
    return false;
}

int runRead(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOption({{"o", "output"}, "Data file to save the radio's configuration in.", "FILE"});
    if (const int code = parse(parser, arguments, "Reads the configuration from the radio.");
        code >= 0)
        return code;
    const std::optional<RadioCommandLine> options = radioOptions(parser);
    if (!options)
        return ExitUsage;
    const QString output = parser.value("output");
    if (output.isEmpty() || !parser.positionalArguments().isEmpty()) {
        printError("usage: read [--port P] -o FILE");
        return ExitUsage;
    }
    if (!canWriteTo(output))
        return ExitFileError;

    RadioSession session(platform::Installation::ofRunningProgram(), *options);
    if (const int code = session.prepare(); code != ExitOk)
        return code;
    if (const int code = session.run(&link::Link::readFromRadio); code != ExitOk)
        return code;
    return saveAs(session, output) ? ExitOk : ExitFileError;
}

int runWrite(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument("FILE", "Data file to write into the radio.");
    if (const int code = parse(parser, arguments, "Writes a data file into the radio."); code >= 0)
        return code;
    const std::optional<RadioCommandLine> options = radioOptions(parser);
    if (!options)
        return ExitUsage;
    if (parser.positionalArguments().size() != 1) {
        printError("usage: write [--port P] FILE");
        return ExitUsage;
    }
    RadioSession session(platform::Installation::ofRunningProgram(), *options);
    if (const int code = session.prepare(); code != ExitOk)
        return code;
    if (!openInto(session, parser.positionalArguments().first()))
        return ExitFileError;
    return session.run(&link::Link::writeToRadio);
}

int runBand(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument("FILE", "Data file to compare the radio's band with.", "[FILE]");
    parser.addOption({"adopt", "Take the radio's band into the document when it differs."});
    parser.addOption({{"o", "output"}, "With --adopt: data file to save the document in.", "FILE"});
    if (const int code = parse(parser, arguments,
                               "Prints the radio's frequency band; with --adopt -o OUT takes it "
                               "into the document.");
        code >= 0)
        return code;
    const std::optional<RadioCommandLine> options = radioOptions(parser);
    if (!options)
        return ExitUsage;
    const bool adopt = parser.isSet("adopt");
    const QString output = parser.value("output");
    if (parser.positionalArguments().size() > 1 || adopt != !output.isEmpty()) {
        printError("usage: band [--port P] [FILE] [--adopt -o OUT]");
        return ExitUsage;
    }
    if (adopt && !canWriteTo(output))
        return ExitFileError;

    RadioSession session(platform::Installation::ofRunningProgram(), *options);
    if (const int code = session.prepare(); code != ExitOk)
        return code;
    if (!parser.positionalArguments().isEmpty() &&
        !openInto(session, parser.positionalArguments().first()))
        return ExitFileError;
    // The band question is the verb's own: --adopt answers it.
    const text::Answer bandAnswer = adopt ? text::Answer::Yes : text::Answer::No;
    for (const int language : {int(text::English), int(text::Chinese)})
        session.prompter().setFixedAnswer(
            std::string(text::message(text::MessageKey::BandDiffers, language)), bandAnswer);
    if (const int code = session.run(&link::Link::checkRadioBand); code != ExitOk)
        return code;
    QTextStream(stdout) << QString::fromStdString(
                               model::bandTextFromIndex(session.engine().radioBandCode()))
                        << '\n';
    if (adopt && !saveAs(session, output))
        return ExitFileError;
    return ExitOk;
}

int runIdentity(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOption({"json", "Print the record as a JSON object."});
    if (const int code = parse(parser, arguments, "Reads and prints the radio's identity record.");
        code >= 0)
        return code;
    const std::optional<RadioCommandLine> options = radioOptions(parser);
    if (!options)
        return ExitUsage;
    if (!parser.positionalArguments().isEmpty()) {
        printError("usage: identity [--port P] [--json]");
        return ExitUsage;
    }
    RadioSession session(platform::Installation::ofRunningProgram(), *options);
    if (const int code = session.prepare(); code != ExitOk)
        return code;
    if (const int code = session.run(&link::Link::readIdentity); code != ExitOk)
        return code;
    const model::Workspace& ws = session.workspace();
    const QList<IdentityField> fields = identityFields(ws.identity, ws.state.systemLanguage);
    QTextStream out(stdout);
    if (parser.isSet("json")) {
        QJsonObject object;
        for (const IdentityField& field : fields)
            object.insert(field.name, field.value);
        out << QJsonDocument(object).toJson(QJsonDocument::Indented);
    } else {
        for (const IdentityField& field : fields)
            out << field.name << ": " << field.value.toString() << '\n';
    }
    return ExitOk;
}

int runPorts(const QStringList& arguments) {
    QCommandLineParser parser;
    if (const int code = parse(parser, arguments,
                               "Lists the serial ports as COM numbers with their devices.", false);
        code >= 0)
        return code;
    if (!parser.positionalArguments().isEmpty()) {
        printError("usage: ports");
        return ExitUsage;
    }
    platform::PortCatalog catalog(platform::Installation::ofRunningProgram().settingsPath());
    QTextStream out(stdout);
    for (const platform::PortCatalog::Entry& entry : catalog.entries())
        out << platform::PortCatalog::portName(entry.number).leftJustified(7) << entry.device
            << '\n';
    return ExitOk;
}

} // namespace

std::vector<Verb> radioVerbs() {
    std::vector<Verb> verbs{
        {"read", "read the radio's configuration into a data file", runRead},
        {"write", "write a data file into the radio", runWrite},
        {"band", "print the radio's band; --adopt takes it into a data file", runBand},
        {"identity", "read and print the radio's identity record", runIdentity},
        {"ports", "list the serial ports as COM numbers", runPorts},
    };
    verbs.push_back({"simulate", "serve as a virtual radio on a pseudo-terminal", runSimulate});
    return verbs;
}

} // namespace zx::cli
