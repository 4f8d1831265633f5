// Verbs that work on data files: new, info, export, import, check. Every failure prints one
// line on stderr naming the file and the problem, and nothing is written then; every file
// that is written is written whole or not at all.
#include "cli/FileContext.h"
#include "cli/JsonRecord.h"
#include "cli/Verbs.h"
#include "model/AtomicFile.h"
#include "model/Band.h"
#include "model/ChannelTable.h"
#include "model/DataFile.h"
#include "model/Defaults.h"
#include "model/RecordCodec.h"
#include "platform/CodePage.h"
#include "text/Messages.h"

#include <QCommandLineParser>
#include <QFile>
#include <QTextStream>
#include <functional>

namespace zx::cli {

namespace {

const QString kProgram = QStringLiteral("zx908hf-cli");

QString tr(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QString messageText(text::MessageKey key) {
    return tr(text::message(key, cliSystemLanguage()));
}

// Parses the arguments of a verb; on --help prints the help and gives ExitOk, on a usage
// fault prints it and gives ExitUsage; otherwise nullopt and the verb goes on.
std::optional<int> parse(QCommandLineParser& parser, const QStringList& arguments,
                         int positionalCount) {
    const QCommandLineOption help({"h", "help"}, "Show this help.");
    parser.addOption(help);
    if (!parser.parse(arguments)) {
        QTextStream(stderr) << kProgram << ": " << parser.errorText() << '\n';
        return ExitUsage;
    }
    if (parser.isSet(help)) {
        QTextStream(stdout) << parser.helpText();
        return ExitOk;
    }
    if (parser.positionalArguments().size() != positionalCount) {
        QTextStream(stderr) << kProgram << ": expected " << positionalCount
                            << " file argument(s); see --help\n";
        return ExitUsage;
    }
    return std::nullopt;
}

int usage(const QString& problem) {
    QTextStream(stderr) << kProgram << ": " << problem << "; see --help\n";
    return ExitUsage;
}

bool writeOutput(const QString& path, std::span<const std::uint8_t> bytes) {
    const std::string name = QFile::encodeName(path).toStdString();
    const model::SaveOutcome saved = model::writeFileSafely(name, bytes);
    if (saved)
        return true;
    reportError(path, tr(model::saveFailureMessage(saved, name, cliSystemLanguage())));
    return false;
}

std::span<const std::uint8_t> asBytes(const QByteArray& data) {
    return {reinterpret_cast<const std::uint8_t*>(data.constData()), std::size_t(data.size())};
}

// Reads a data file by the rules of Open; nullopt (and the error printed) when it is refused.
std::optional<model::ConfigRecord> readRecord(const QString& path) {
    CollectingPrompter prompter;
    const model::DataFileRead read = model::readDataFile(
        QFile::encodeName(path).toStdString(), installedVersions(), cliSystemLanguage(), prompter);
    if (read.outcome.kind != model::OpenOutcome::Opened) {
        reportError(path, prompter);
        return std::nullopt;
    }
    return model::decodeRecord(read.bytes);
}

int runNew(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Write the built-in default document of a band.");
    const QCommandLineOption band("band", "Band index: 0 (28-29.7 MHz) or 1 (25.615-30.105 MHz).",
                                  "N", "0");
    const QCommandLineOption output({"o", "output"}, "Data file to write.", "FILE");
    parser.addOptions({band, output});
    if (const auto done = parse(parser, arguments, 0))
        return *done;
    if (!parser.isSet(output))
        return usage("new needs -o FILE");
    const QString bandValue = parser.value(band);
    if (bandValue != "0" && bandValue != "1")
        return usage("--band must be 0 or 1");
    const std::optional<model::Today> today = cliToday();
    if (!today)
        return usage("ZX_TODAY must be a date written YYYYMMDD");

    model::RuntimeState state;
    state.bandText = model::bandTextFromIndex(bandValue.toInt());
    model::parseBandEdges(state);
    model::buildTestFrequencyDefaults(state);
    const model::RecordBytes bytes = model::encodeRecord(model::defaultRecord(state, *today));
    return writeOutput(parser.value(output), bytes) ? ExitOk : ExitFileError;
}

QString shownText(std::string_view bytes) {
    // Cut at the first NUL and without trailing spaces, as a window shows it.
    std::string_view v = bytes.substr(0, bytes.find('\0'));
    const std::size_t end = v.find_last_not_of(' ');
    v = end == std::string_view::npos ? std::string_view{} : v.substr(0, end + 1);
    return platform::fromCodePage(v, cliSystemLanguage());
}

int runInfo(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Summarise a data file.");
    parser.addPositionalArgument("FILE", "Data file.");
    if (const auto done = parse(parser, arguments, 1))
        return *done;
    const QString path = parser.positionalArguments().at(0);
    const std::optional<model::ConfigRecord> record = readRecord(path);
    if (!record)
        return ExitFileError;

    const model::ConfigRecord& r = *record;
    QTextStream out(stdout);
    out << "File: " << path << '\n';
    out << "Data version: " << shownText(r.dataVersion.view()) << '\n';
    out << "Band: " << r.modelInfo.bandIndex << " ("
        << tr(model::bandTextFromIndex(r.modelInfo.bandIndex)) << ")\n";
    out << "Model code: " << shownText(r.modelInfo.modelCode.view())
        << ", date code: " << shownText(r.modelInfo.dateCode.view()) << '\n';
    out << "Channels:";
    for (int g = 0; g < model::kGroupCount; ++g)
        out << ' ' << char('A' + g) << '=' << r.channelCount[std::size_t(g)];
    out << "\nEmergency channels:";
    for (int g = 0; g < model::kGroupCount; ++g) {
        const int slot = r.optionFeatures[std::size_t(model::kEmergencyChannelPosition + g)] + 1;
        out << ' ' << char('A' + g) << '=';
        if (slot <= 0)
            out << "none";
        else
            out << slot;
    }
    out << '\n';
    for (std::size_t line = 0; line < r.embeddedMessage.size(); ++line)
        out << "Message line " << line + 1 << ": \"" << shownText(r.embeddedMessage[line].view())
            << "\"\n";
    return ExitOk;
}

int runExport(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Write the whole record of a data file as JSON.");
    parser.addPositionalArgument("FILE", "Data file.");
    const QCommandLineOption output({"o", "output"}, "JSON file to write (default: stdout).",
                                    "OUT.json");
    parser.addOption(output);
    if (const auto done = parse(parser, arguments, 1))
        return *done;
    const std::optional<model::ConfigRecord> record =
        readRecord(parser.positionalArguments().at(0));
    if (!record)
        return ExitFileError;
    const QByteArray json = recordToJson(*record, cliSystemLanguage());
    if (!parser.isSet(output)) {
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly) || out.write(json) != json.size())
            return ExitFileError;
        return ExitOk;
    }
    return writeOutput(parser.value(output), asBytes(json)) ? ExitOk : ExitFileError;
}

int runImport(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Make a data file from the JSON that export writes.");
    parser.addPositionalArgument("IN.json", "JSON file.");
    const QCommandLineOption output({"o", "output"}, "Data file to write.", "OUT.dat");
    parser.addOption(output);
    if (const auto done = parse(parser, arguments, 1))
        return *done;
    if (!parser.isSet(output))
        return usage("import needs -o OUT.dat");
    const QString inPath = parser.positionalArguments().at(0);
    QFile in(inPath);
    // A record's JSON is a few hundred kilobytes; anything far larger is not one.
    constexpr qint64 kMaxJson = 64 * 1024 * 1024;
    if (!in.open(QIODevice::ReadOnly)) {
        reportError(inPath, messageText(text::MessageKey::FileError));
        return ExitFileError;
    }
    if (in.size() > kMaxJson) {
        reportError(inPath, "too large to be the JSON of a record");
        return ExitFileError;
    }
    const QByteArray json = in.readAll();
    model::ConfigRecord record;
    QString error;
    if (!recordFromJson(json, cliSystemLanguage(), record, error)) {
        reportError(inPath, error);
        return ExitFileError;
    }
    return writeOutput(parser.value(output), model::encodeRecord(record)) ? ExitOk : ExitFileError;
}

int runCheck(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Check every channel frequency against the band and the 10 Hz raster.\n"
        "Exit code 1 when some frequency is out of range and --fix was not given.");
    parser.addPositionalArgument("FILE", "Data file.");
    const QCommandLineOption fix("fix", "Correct the frequencies and write the document.");
    const QCommandLineOption output({"o", "output"}, "Corrected data file to write.", "OUT.dat");
    parser.addOptions({fix, output});
    if (const auto done = parse(parser, arguments, 1))
        return *done;
    if (parser.isSet(fix) != parser.isSet(output))
        return usage("--fix and -o OUT.dat go together");
    const QString path = parser.positionalArguments().at(0);

    model::Workspace ws;
    ws.versions = installedVersions();
    ws.state.language = cliSystemLanguage();
    ws.state.systemLanguage = ws.state.language;
    CollectingPrompter prompter;
    if (model::openDataFile(ws, QFile::encodeName(path).toStdString(), prompter).kind !=
        model::OpenOutcome::Opened) {
        reportError(path, prompter);
        return ExitFileError;
    }
    const bool outOfRange = model::checkAllFrequencies(ws, prompter);
    QTextStream out(stdout);
    if (!outOfRange)
        out << path << ": " << messageText(text::MessageKey::AllFreqInRange) << '\n';
    else
        out << path << ": " << messageText(text::MessageKey::FreqOutOfRange) << '\n';
    // Anything the check had to say about unreadable values goes beside the result.
    for (const std::string& note : prompter.messages())
        QTextStream(stderr) << kProgram << ": " << path << ": " << tr(note) << '\n';
    if (!parser.isSet(fix))
        return outOfRange ? ExitRadioFailed : ExitOk;

    model::correctAllFrequencies(ws, prompter);
    const QString outPath = parser.value(output);
    ws.state.currentFileName = QFile::encodeName(outPath).toStdString();
    CollectingPrompter savePrompter;
    if (!model::saveDataFile(ws, savePrompter)) {
        reportError(outPath, savePrompter);
        return ExitFileError;
    }
    return ExitOk;
}

} // namespace

std::vector<Verb> fileVerbs() {
    return {
        {"new", "write the default document of a band: new [--band 0|1] -o FILE", runNew},
        {"info", "summarise a data file: info FILE", runInfo},
        {"export", "data file to JSON: export FILE [-o OUT.json]", runExport},
        {"import", "JSON to data file: import IN.json -o OUT.dat", runImport},
        {"check", "check channel frequencies: check FILE [--fix -o OUT.dat]", runCheck},
    };
}

} // namespace zx::cli
