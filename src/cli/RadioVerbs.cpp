// Verbs that talk to a radio or serve as one: read, write, verify, band, identity, ports,
// backups, simulate.
#include "cli/BatchWrite.h"
#include "cli/OutputCheck.h"
#include "cli/RadioIdentityText.h"
#include "cli/RadioSession.h"
#include "cli/SimulateVerb.h"
#include "cli/VerbSupport.h"
#include "cli/Verbs.h"
#include "exchange/RadioComparison.h"
#include "link/WritePrecision.h"
#include "model/Band.h"
#include "model/DataFile.h"
#include "platform/CodePage.h"
#include "platform/Installation.h"
#include "platform/PortCatalog.h"
#include "text/Fill.h"
#include "text/Messages.h"
#include "text/labels/PrecisionLabels.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
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
        printParseError(parser, arguments);
        return ExitUsage;
    }
    if (parser.isSet(help)) {
        QTextStream(stdout) << verbHelp(parser, arguments);
        return ExitOk;
    }
    return -1;
}

// The shared radio options; `code` is the exit code when they are refused (a bad value, or
// a --port path that is no serial port).
std::optional<RadioCommandLine> radioOptions(const QCommandLineParser& parser, int& code,
                                             bool portMayBeAbsent = false) {
    QString error;
    std::optional<RadioCommandLine> options = readRadioOptions(parser, error);
    if (!options) {
        printError(error);
        code = ExitUsage;
        return std::nullopt;
    }
    options->portMayBeAbsent = portMayBeAbsent;
    code = checkPortArgument(*options);
    if (code != ExitOk)
        return std::nullopt;
    return options;
}

// A data file can be written at `path`. Checked before the radio is touched, so that a read
// is not wasted on a bad name.
bool canWriteTo(const QString& path) {
    QString problem;
    if (canWriteFile(path, problem, qint64(model::kRecordSize)))
        return true;
    printError(problem);
    return false;
}

const QCommandLineOption
    kNoBackup("no-backup",
              "Keep no backup of what this run reads or writes (kept by default in the "
              "backups folder; see the backups verb).");

// The radio keeps 100 Hz steps: digits of the file a write cannot carry are named before it.
void warnShortenedFrequencies(const model::Workspace& ws) {
    for (const link::ShortenedFrequency& f : link::shortenedFrequencies(ws))
        printError(QStringLiteral("note: ") +
                   QString::fromStdString(link::describe(f, ws.state.language)));
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
    parser.addOption(kNoBackup);
    if (const int code = parse(parser, arguments, "Reads the configuration from the radio.");
        code >= 0)
        return code;
    int refused = ExitOk;
    const std::optional<RadioCommandLine> options = radioOptions(parser, refused);
    if (!options)
        return refused;
    const QString output = parser.value("output");
    if (output.isEmpty() || !parser.positionalArguments().isEmpty()) {
        printError("usage: read [--port P] -o FILE");
        return ExitUsage;
    }
    if (!canWriteTo(output))
        return ExitFileError;

    RadioSession session(platform::Installation::ofRunningProgram(), *options);
    session.setKeepBackups(!parser.isSet(kNoBackup));
    if (const int code = session.prepare(); code != ExitOk)
        return code;
    if (const int code = session.run(&link::Link::readFromRadio); code != ExitOk)
        return code;
    return saveAs(session, output) ? ExitOk : ExitFileError;
}

int runWrite(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument("FILE", "Data file to write into the radio.");
    parser.addOption(kNoBackup);
    parser.addOption({"no-verify", "Do not read the radio back to compare it with what was "
                                   "written (verified by default; exit code 5 when it differs)."});
    parser.addOption({"backup-first", "Read the radio and keep its configuration as a backup "
                                      "before writing; nothing is written when that fails."});
    parser.addOption({"batch", "Write one radio after another: wait for a radio to answer, "
                               "write and verify it, log it, wait for it to be disconnected, "
                               "repeat until --count radios or Ctrl+C. Questions take the "
                               "safe answer unless --yes."});
    parser.addOption({"count", "With --batch: stop after N radios.", "N"});
    parser.addOption({"log",
                      "With --batch: append a CSV line per radio (time, serial number, "
                      "model code, band, result, seconds) to FILE.",
                      "FILE"});
    if (const int code =
            parse(parser, arguments,
                  "Writes a data file into the radio and verifies it.\nExit codes: "
                  "0 written (and verified), 1 failed or cancelled, 3 file error, "
                  "4 port error, 5 verification failed, 128 + signal when stopped; a batch "
                  "ends with 1 when any radio failed.");
        code >= 0)
        return code;
    const bool batch = parser.isSet("batch");
    int refused = ExitOk;
    std::optional<RadioCommandLine> options = radioOptions(parser, refused, batch);
    if (!options)
        return refused;
    if (parser.positionalArguments().size() != 1 ||
        (!batch && (parser.isSet("count") || parser.isSet("log")))) {
        printError("usage: write [--port P] FILE [--batch [--count N] [--log LOG.csv]]");
        return ExitUsage;
    }
    if (parser.isSet(kNoBackup) && parser.isSet("backup-first")) {
        printError("--backup-first keeps a backup; it cannot go with --no-backup");
        return ExitUsage;
    }
    BatchOptions batchOptions;
    if (parser.isSet("count")) {
        bool ok = false;
        batchOptions.count = parser.value("count").toInt(&ok);
        if (!ok || batchOptions.count < 1) {
            printError(QStringLiteral("--count takes a number of 1 or more, not '%1'")
                           .arg(parser.value("count")));
            return ExitUsage;
        }
    }
    batchOptions.logPath = parser.value("log");
    if (!batchOptions.logPath.isEmpty() && !canWriteTo(batchOptions.logPath))
        return ExitFileError;
    // A batch runs unattended: nobody is asked, questions take the safe answer.
    if (batch && options->policy == AnswerPolicy::Ask)
        options->policy = AnswerPolicy::No;

    RadioSession session(platform::Installation::ofRunningProgram(), *options);
    session.setKeepBackups(!parser.isSet(kNoBackup));
    session.engine().setWriteOptions(
        {.backupFirst = parser.isSet("backup-first"), .verify = !parser.isSet("no-verify")});
    if (const int code = session.prepare(); code != ExitOk)
        return code;
    if (!openInto(session, parser.positionalArguments().first()))
        return ExitFileError;
    warnShortenedFrequencies(session.workspace());
    if (batch)
        return runBatch(session, batchOptions);
    return session.run(&link::Link::writeToRadio);
}

// Exit codes of verify: the radio holds another configuration than the file; the radio
// could not be read (no answer, cancelled, another model), so nothing was compared.
constexpr int kExitRadioDiffers = 1;
constexpr int kExitRadioNotRead = 6;

int runVerify(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument("FILE", "Data file to compare the radio with.");
    parser.addOption(kNoBackup);
    parser.addOption({"json", "Print the differences as a JSON array of objects with the keys "
                              "key, field, radio and file."});
    if (const int code = parse(
            parser, arguments,
            "Reads the radio (keeping a backup, as every read) and lists field by field where "
            "its configuration differs from FILE, one line each:\n"
            "  A-05 RX Frequency: radio 28.515000, file 28.525000\n"
            "Only what the radio keeps is compared; FILE is not changed. Standard output "
            "carries only the differences (nothing, or [] with --json, when the radio holds "
            "what FILE holds); the verdict goes to standard error, and so do the channel "
            "frequencies the radio holds to 100 Hz as every write leaves them (they are no "
            "differences).\nExit codes: 0 equal, 1 different, 3 file error, 4 port error, "
            "6 the radio could not be read (nothing compared, nothing on standard output), "
            "128 + signal when stopped.");
        code >= 0)
        return code;
    int refused = ExitOk;
    const std::optional<RadioCommandLine> options = radioOptions(parser, refused);
    if (!options)
        return refused;
    if (parser.positionalArguments().size() != 1) {
        printError("usage: verify [--port P] FILE [--json]");
        return ExitUsage;
    }
    const QString file = parser.positionalArguments().first();

    RadioSession session(platform::Installation::ofRunningProgram(), *options);
    session.setKeepBackups(!parser.isSet(kNoBackup));
    if (const int code = session.prepare(); code != ExitOk)
        return code;
    // The read decodes over the file, as a read in the desktop program decodes over the open
    // document; the file's own record is kept aside to compare with.
    if (!openInto(session, file))
        return ExitFileError;
    const model::ConfigRecord document = session.workspace().record;
    const model::ConfigRecord written = link::asWritten(session.workspace());
    if (const int code = session.run(&link::Link::compareWithRadio); code != ExitOk)
        return code == ExitRadioFailed ? kExitRadioNotRead : code;
    const std::optional<model::ConfigRecord>& radio = session.engine().radioDocument();
    if (!radio)
        return kExitRadioNotRead;

    const int language = session.workspace().state.language;
    const int codePage = session.workspace().state.systemLanguage;
    const exchange::TextDecoder decode = [codePage](std::string_view bytes) {
        return platform::fromCodePage(bytes, codePage).toStdString();
    };
    const exchange::RadioComparison compared =
        exchange::compareWithRadio(*radio, document, written);
    const std::vector<exchange::Difference>& differences = compared.differences;
    QByteArray out;
    if (parser.isSet("json")) {
        QJsonArray list;
        for (const exchange::Difference& d : differences)
            list.append(QJsonObject{
                {"key", utf8(exchange::differenceKey(d))},
                {"field", utf8(exchange::differenceName(d, language))},
                {"radio", utf8(exchange::differenceValue(d, d.before, language, decode))},
                {"file", utf8(exchange::differenceValue(d, d.after, language, decode))}});
        out = QJsonDocument(list).toJson(QJsonDocument::Indented);
    } else {
        for (const exchange::Difference& d : differences)
            out += QByteArray::fromStdString(exchange::describeAgainstRadio(d, language, decode)) +
                   '\n';
    }
    if (!writeStdout(out))
        return ExitFileError;
    session.progressBar().breakLine();
    QTextStream err(stderr);
    err << utf8(exchange::radioComparisonVerdict(
               differences.size(), QFileInfo(file).fileName().toStdString(), language))
        << '\n';
    if (!compared.storedTo100Hz.empty()) {
        err << utf8(text::fill(text::labels::precision::kStoredTo100Hz[language],
                               {std::to_string(compared.storedTo100Hz.size())}))
            << '\n';
        for (const exchange::Difference& d : compared.storedTo100Hz)
            err << "  " << utf8(exchange::describeAgainstRadio(d, language, decode)) << '\n';
    }
    return differences.empty() ? ExitOk : kExitRadioDiffers;
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
    int refused = ExitOk;
    const std::optional<RadioCommandLine> options = radioOptions(parser, refused);
    if (!options)
        return refused;
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
    int refused = ExitOk;
    const std::optional<RadioCommandLine> options = radioOptions(parser, refused);
    if (!options)
        return refused;
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
                               "Lists the serial ports as COM numbers with their devices and, "
                               "where known, the adapter's name and USB IDs.",
                               false);
        code >= 0)
        return code;
    if (!parser.positionalArguments().isEmpty()) {
        printError("usage: ports");
        return ExitUsage;
    }
    platform::PortCatalog catalog(platform::Installation::ofRunningProgram().settingsPath());
    QTextStream out(stdout);
    for (const platform::PortCatalog::Entry& entry : catalog.entries()) {
        out << platform::PortCatalog::portName(entry.number).leftJustified(7) << entry.device;
        if (const QString details = entry.details(); !details.isEmpty())
            out << "  " << details;
        out << '\n';
    }
    return ExitOk;
}

int runBackups(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOption({"folder", "Print only the folder the backups are kept in."});
    if (const int code = parse(parser, arguments,
                               "Lists the backups of the radio's memory that reads and writes "
                               "kept, newest first: time, read or write, the image file (.img, "
                               "8192 bytes as received or sent); the document beside it has "
                               "the same name ending in .dat.",
                               false);
        code >= 0)
        return code;
    if (!parser.positionalArguments().isEmpty()) {
        printError("usage: backups [--folder]");
        return ExitUsage;
    }
    const platform::BackupStore store;
    QTextStream out(stdout);
    if (parser.isSet("folder")) {
        out << store.folder() << '\n';
        return ExitOk;
    }
    for (const platform::BackupStore::Entry& entry : store.list())
        out << entry.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) << "  "
            << (entry.kind == platform::BackupStore::Kind::Read ? "read " : "write") << "  "
            << entry.imagePath << '\n';
    return ExitOk;
}

} // namespace

std::vector<Verb> radioVerbs() {
    std::vector<Verb> verbs{
        {"read", "read the radio's configuration into a data file", runRead},
        {"write", "write a data file into the radio", runWrite},
        {"verify", "compare the radio with a data file field by field", runVerify},
        {"band", "print the radio's band; --adopt takes it into a data file", runBand},
        {"identity", "read and print the radio's identity record", runIdentity},
        {"ports", "list the serial ports as COM numbers", runPorts},
        {"backups", "list the backups that reads and writes kept", runBackups},
    };
    verbs.push_back({"simulate", "serve as a virtual radio on a pseudo-terminal", runSimulate});
    return verbs;
}

} // namespace zx::cli
