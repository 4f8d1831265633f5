// Verbs that talk to a radio or serve as one: read, write, verify, band, identity, ports,
// backups, simulate. The radio verbs are each a RadioVerb: options, the checks before the
// radio is touched, and a body run on the prepared session.
#include "cli/BatchWrite.h"
#include "cli/RadioIdentityText.h"
#include "cli/RadioVerb.h"
#include "cli/SimulateVerb.h"
#include "cli/VerbSupport.h"
#include "cli/Verbs.h"
#include "exchange/RadioComparison.h"
#include "link/WritePrecision.h"
#include "model/Band.h"
#include "platform/CodePage.h"
#include "platform/Installation.h"
#include "platform/PortCatalog.h"
#include "text/Fill.h"
#include "text/Messages.h"
#include "text/labels/PrecisionLabels.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace zx::cli {

namespace {

using link::Command;

// The radio keeps 100 Hz steps: digits of the file a write cannot carry are named before it.
void warnShortenedFrequencies(const model::Workspace& ws) {
    for (const link::ShortenedFrequency& f : link::shortenedFrequencies(ws))
        printError(QStringLiteral("note: ") +
                   QString::fromStdString(link::describe(f, ws.state.language)));
}

int positionals(const QCommandLineParser& parser) {
    return int(parser.positionalArguments().size());
}

int runRead(const QStringList& arguments) {
    return runRadioVerb(
        arguments,
        {.usage = "read [--port P] -o FILE",
         .description = "Reads the configuration from the radio.",
         .options =
             [](QCommandLineParser& parser) {
                 parser.addOption(
                     {{"o", "output"}, "Data file to save the radio's configuration in.", "FILE"});
             },
         .backups = true,
         .fits =
             [](const QCommandLineParser& p) {
                 return !p.value("output").isEmpty() && positionals(p) == 0;
             },
         .check =
             [](const QCommandLineParser& p, RadioCommandLine&) {
                 return canWriteTo(p.value("output")) ? int(ExitOk) : int(ExitFileError);
             },
         .body =
             [](RadioSession& session, const QCommandLineParser& p) {
                 if (const int code = session.run(Command::Read); code != ExitOk)
                     return code;
                 return saveAs(session, p.value("output")) ? int(ExitOk) : int(ExitFileError);
             }});
}

int runWrite(const QStringList& arguments) {
    return runRadioVerb(
        arguments,
        {.usage = "write [--port P] FILE [--batch [--port P2 ...] [--count N] [--log LOG.csv]]",
         .description =
             "Writes a data file into the radio and verifies it.\nExit codes: 0 written (and "
             "verified), 1 failed or cancelled, 3 file error, 4 port error, 5 verification "
             "failed, 128 + signal when stopped; a batch ends with 1 when any radio failed.",
         .options =
             [](QCommandLineParser& parser) {
                 parser.addPositionalArgument("FILE", "Data file to write into the radio.");
                 parser.addOption({"no-verify",
                                   "Do not read the radio back to compare it with what was "
                                   "written (verified by default; exit code 5 when it differs)."});
                 parser.addOption({"backup-first",
                                   "Read the radio and keep its configuration as a backup "
                                   "before writing; nothing is written when that fails."});
                 parser.addOption(
                     {"batch",
                      "Write one radio after another: wait for a radio to answer, read its "
                      "identity, write and verify it, log it, wait for it to be disconnected "
                      "(or for another radio in its place), repeat until --count radios or "
                      "Ctrl+C. With several --port options every port does so at the same "
                      "time. Questions take the safe answer unless --yes; the port search "
                      "never runs."});
                 parser.addOption(
                     {"count", "With --batch: stop after N radios (over all ports).", "N"});
                 parser.addOption({"log",
                                   "With --batch: append a CSV line per radio (time, port, serial "
                                   "number, model code, band, result, seconds, file) to FILE.",
                                   "FILE"});
             },
         .backups = true,
         .fits =
             [](const QCommandLineParser& p) {
                 return positionals(p) == 1 &&
                        (p.isSet("batch") || (!p.isSet("count") && !p.isSet("log")));
             },
         .severalPortsWith = QStringLiteral("batch"),
         .check =
             [](const QCommandLineParser& p, RadioCommandLine& options) {
                 if (p.isSet(kNoBackup) && p.isSet("backup-first")) {
                     printError("--backup-first keeps a backup; it cannot go with --no-backup");
                     return int(ExitUsage);
                 }
                 if (p.isSet("count")) {
                     bool ok = false;
                     if (p.value("count").toInt(&ok) < 1 || !ok) {
                         printError(QStringLiteral("--count takes a number of 1 or more, not '%1'")
                                        .arg(p.value("count")));
                         return int(ExitUsage);
                     }
                 }
                 if (p.isSet("log") && !canWriteTo(p.value("log")))
                     return int(ExitFileError);
                 // A batch runs unattended: nobody is asked, questions take the safe answer.
                 if (p.isSet("batch") && options.policy == AnswerPolicy::Ask)
                     options.policy = AnswerPolicy::No;
                 return int(ExitOk);
             },
         .body =
             [](RadioSession& session, const QCommandLineParser& p) {
                 session.engine().setWriteOptions(
                     {.backupFirst = p.isSet("backup-first"), .verify = !p.isSet("no-verify")});
                 const QString file = p.positionalArguments().first();
                 if (!openInto(session, file))
                     return int(ExitFileError);
                 warnShortenedFrequencies(session.workspace());
                 if (!p.isSet("batch"))
                     return session.run(Command::Write);
                 BatchOptions batch;
                 batch.count = p.value("count").toInt();
                 batch.logPath = p.value("log");
                 batch.document = QFileInfo(file).absoluteFilePath();
                 return runBatch(session, batch);
             }});
}

// Exit codes of verify: the radio holds another configuration than the file; the radio
// could not be read (no answer, cancelled, another model), so nothing was compared.
constexpr int kExitRadioDiffers = 1;
constexpr int kExitRadioNotRead = 6;

int verifyBody(RadioSession& session, const QCommandLineParser& parser) {
    const QString file = parser.positionalArguments().first();
    // The read decodes over the file, as a read in the desktop program decodes over the open
    // document; the file's own record is kept aside to compare with.
    if (!openInto(session, file))
        return ExitFileError;
    const model::ConfigRecord document = session.workspace().record;
    const model::ConfigRecord written = link::asWritten(session.workspace());
    if (const int code = session.run(Command::Compare); code != ExitOk)
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

int runVerify(const QStringList& arguments) {
    return runRadioVerb(
        arguments,
        {.usage = "verify [--port P] FILE [--json]",
         .description =
             "Reads the radio (keeping a backup, as every read) and lists field by field where "
             "its configuration differs from FILE, one line each:\n"
             "  A-05 RX Frequency: radio 28.515000, file 28.525000\n"
             "Only what the radio keeps is compared; FILE is not changed. Standard output "
             "carries only the differences (nothing, or [] with --json, when the radio holds "
             "what FILE holds); the verdict goes to standard error, and so do the channel "
             "frequencies the radio holds to 100 Hz as every write leaves them (they are no "
             "differences).\nExit codes: 0 equal, 1 different, 3 file error, 4 port error, "
             "6 the radio could not be read (nothing compared, nothing on standard output), "
             "128 + signal when stopped.",
         .options =
             [](QCommandLineParser& parser) {
                 parser.addPositionalArgument("FILE", "Data file to compare the radio with.");
                 parser.addOption({"json", "Print the differences as a JSON array of objects "
                                           "with the keys key, field, radio and file."});
             },
         .backups = true,
         .fits = [](const QCommandLineParser& p) { return positionals(p) == 1; },
         .body = verifyBody});
}

int runBand(const QStringList& arguments) {
    return runRadioVerb(
        arguments,
        {.usage = "band [--port P] [FILE] [--adopt -o OUT]",
         .description = "Prints the radio's frequency band; with --adopt -o OUT takes it into "
                        "the document.",
         .options =
             [](QCommandLineParser& parser) {
                 parser.addPositionalArgument("FILE", "Data file to compare the radio's band with.",
                                              "[FILE]");
                 parser.addOption(
                     {"adopt", "Take the radio's band into the document when it differs."});
                 parser.addOption(
                     {{"o", "output"}, "With --adopt: data file to save the document in.", "FILE"});
             },
         .fits =
             [](const QCommandLineParser& p) {
                 return positionals(p) <= 1 && p.isSet("adopt") == !p.value("output").isEmpty();
             },
         .check =
             [](const QCommandLineParser& p, RadioCommandLine&) {
                 return p.isSet("adopt") && !canWriteTo(p.value("output")) ? int(ExitFileError)
                                                                           : int(ExitOk);
             },
         .body =
             [](RadioSession& session, const QCommandLineParser& p) {
                 if (positionals(p) == 1 && !openInto(session, p.positionalArguments().first()))
                     return int(ExitFileError);
                 // The band question is the verb's own: --adopt answers it.
                 const bool adopt = p.isSet("adopt");
                 for (const int language : {int(text::English), int(text::Chinese)})
                     session.prompter().setFixedAnswer(
                         std::string(text::message(text::MessageKey::BandDiffers, language)),
                         adopt ? text::Answer::Yes : text::Answer::No);
                 if (const int code = session.run(Command::BandCheck); code != ExitOk)
                     return code;
                 QTextStream(stdout) << QString::fromStdString(model::bandTextFromIndex(
                                            session.engine().radioBandCode()))
                                     << '\n';
                 return adopt && !saveAs(session, p.value("output")) ? int(ExitFileError)
                                                                     : int(ExitOk);
             }});
}

int runIdentity(const QStringList& arguments) {
    return runRadioVerb(
        arguments, {.usage = "identity [--port P] [--json]",
                    .description = "Reads and prints the radio's identity record.",
                    .options =
                        [](QCommandLineParser& parser) {
                            parser.addOption({"json", "Print the record as a JSON object."});
                        },
                    .fits = [](const QCommandLineParser& p) { return positionals(p) == 0; },
                    .body =
                        [](RadioSession& session, const QCommandLineParser& p) {
                            if (const int code = session.run(Command::IdentityRead); code != ExitOk)
                                return code;
                            const model::Workspace& ws = session.workspace();
                            const QList<IdentityField> fields =
                                identityFields(ws.identity, ws.state.systemLanguage);
                            QTextStream out(stdout);
                            if (p.isSet("json")) {
                                QJsonObject object;
                                for (const IdentityField& field : fields)
                                    object.insert(field.name, field.value);
                                out << QJsonDocument(object).toJson(QJsonDocument::Indented);
                            } else {
                                for (const IdentityField& field : fields)
                                    out << field.name << ": " << field.value.toString() << '\n';
                            }
                            return int(ExitOk);
                        }});
}

int runPorts(const QStringList& arguments) {
    QCommandLineParser parser;
    if (const int code =
            parseVerbArguments(parser, arguments,
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
        const QString name = platform::PortCatalog::portName(entry.number);
        // On Windows the device is the COM name itself.
        out << name.leftJustified(7) << (entry.device == name ? QString() : entry.device);
        if (const QString details = entry.details(); !details.isEmpty())
            out << "  " << details;
        out << '\n';
    }
    return ExitOk;
}

int runBackups(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOption({"folder", "Print only the folder the backups are kept in."});
    if (const int code =
            parseVerbArguments(parser, arguments,
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
