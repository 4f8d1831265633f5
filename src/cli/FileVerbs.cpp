// Verbs that work on data files: new, info, export, import, check, diff, print. Every failure
// prints one line on stderr naming the file and the problem, and nothing is written then;
// every file that is written is written whole or not at all.
#include "cli/ChannelFiles.h"
#include "cli/FileContext.h"
#include "cli/JsonRecord.h"
#include "cli/PrintVerb.h"
#include "cli/VerbSupport.h"
#include "cli/Verbs.h"
#include "model/Band.h"
#include "model/ChannelTable.h"
#include "model/DataFile.h"
#include "model/Defaults.h"
#include "model/RecordCodec.h"
#include "model/RecordDamage.h"
#include "platform/CodePage.h"
#include "text/Messages.h"
#include "text/labels/DamageLabels.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <functional>

namespace zx::cli {

namespace {

// The format of an exchange file: --format when given, else the extension of `path`. A CSV
// file in the spreadsheet columns ("sheet") is recognised by its header when read.
enum class Format { Json, Csv, Sheet, Unknown };
Format formatOf(const QCommandLineParser& parser, const QCommandLineOption& option,
                const QString& path) {
    const QString name =
        parser.isSet(option) ? parser.value(option).toLower() : QFileInfo(path).suffix().toLower();
    if (name == "csv")
        return Format::Csv;
    if (name == "sheet" && parser.isSet(option))
        return Format::Sheet;
    if (name == "json" || !parser.isSet(option))
        return Format::Json;
    return Format::Unknown;
}

int runNew(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Write the built-in default document of a band.");
    const QCommandLineOption band("band", "Band index: 0 (28-29.7 MHz) or 1 (25.615-30.105 MHz).",
                                  "N", "0");
    const QCommandLineOption output({"o", "output"}, "Data file to write.", "FILE");
    parser.addOptions({band, output});
    if (const auto done = parseVerb(parser, arguments, 0))
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
    if (const auto done = parseVerb(parser, arguments, 1))
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
        << utf8(model::bandTextFromIndex(r.modelInfo.bandIndex)) << ")\n";
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
    parser.setApplicationDescription(
        "Write a data file as JSON (the whole record, byte-exact), as a CHIRP-compatible CSV\n"
        "channel table, or as a CSV table in spreadsheet columns (Group, Channel, RX Frequency,\n"
        "TX Frequency, Scan, BUSY, ECHO, HI-CUT, +10KHz, NB/ANL, RB). The format follows\n"
        "--format, else the extension of OUT (.csv: CHIRP), else JSON.");
    parser.addPositionalArgument("FILE", "Data file.");
    const QCommandLineOption format("format", "json, csv (CHIRP) or sheet (spreadsheet).",
                                    "FORMAT");
    const QCommandLineOption output({"o", "output"}, "File to write (default: stdout).", "OUT");
    parser.addOptions({format, output});
    if (const auto done = parseVerb(parser, arguments, 1))
        return *done;
    const Format chosen = formatOf(parser, format, parser.value(output));
    if (chosen == Format::Unknown)
        return usage("--format must be json, csv or sheet");
    const QString path = parser.positionalArguments().at(0);
    const std::optional<model::ConfigRecord> record = readRecord(path);
    if (!record)
        return ExitFileError;
    QByteArray text;
    if (chosen == Format::Csv)
        text = channelsCsv(*record, path);
    else if (chosen == Format::Sheet)
        text = channelsSheet(*record, path);
    else
        text = recordToJson(*record, cliSystemLanguage());
    if (!parser.isSet(output))
        return writeStdout(text) ? ExitOk : ExitFileError;
    return writeOutput(parser.value(output), asBytes(text)) ? ExitOk : ExitFileError;
}

int importJson(const QString& inPath, const QString& outPath) {
    // A record's JSON is a few hundred kilobytes; anything far larger is not one.
    constexpr qint64 kMaxJson = 64 * 1024 * 1024;
    const std::optional<QByteArray> json =
        readInput(inPath, kMaxJson, QStringLiteral("too large to be the JSON of a record"));
    if (!json)
        return ExitFileError;
    model::ConfigRecord record;
    QString error;
    if (!recordFromJson(*json, cliSystemLanguage(), record, error)) {
        reportError(inPath, error);
        return ExitFileError;
    }
    // A data file this program would then refuse to open is not worth writing.
    const std::string version = record.dataVersion.trimmed();
    if (!model::isRecognisedVersion(record.dataVersion.view()) ||
        !model::isCompatibleVersion(installedVersions(), version)) {
        reportError(inPath, QStringLiteral("dataVersion \"%1\" is not a data version this program "
                                           "can open (its own is %2)")
                                .arg(QString::fromStdString(version),
                                     QString::fromLatin1(model::kProgramDataVersion)));
        return ExitFileError;
    }
    return writeOutput(outPath, model::encodeRecord(record)) ? ExitOk : ExitFileError;
}

int runImport(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Make a data file from the JSON that export writes, or from a CSV channel table in\n"
        "CHIRP's or in spreadsheet columns (told apart by the header line; fields separated by\n"
        "',', ';' or tabs). The format follows --format, else the extension of IN, else JSON.\n"
        "A CSV file replaces the channels of the groups it names (with --merge it replaces\n"
        "only the channels it names and keeps the others); everything else comes from\n"
        "BASE.dat, or from the New template of the band. A file with an invalid row imports\n"
        "nothing unless --skip-bad is given; every invalid row is listed.");
    parser.addPositionalArgument("IN", "JSON or CSV file.");
    const QCommandLineOption format("format", "json, csv or sheet (both CSV).", "FORMAT");
    const QCommandLineOption into("into", "CSV: the document the channels go into.", "BASE.dat");
    const QCommandLineOption band(
        "band", "CSV without --into: band of the new document, 0 (28-29.7 MHz) or 1.", "N", "0");
    const QCommandLineOption skipBad("skip-bad", "CSV: import the valid rows, leave out the rest.");
    const QCommandLineOption merge(
        "merge", "CSV: put the channels into their groups and keep the channels the file does "
                 "not name (without it the groups the file names hold only its channels).");
    const QCommandLineOption output({"o", "output"}, "Data file to write.", "OUT.dat");
    parser.addOptions({format, into, band, skipBad, merge, output});
    if (const auto done = parseVerb(parser, arguments, 1))
        return *done;
    if (!parser.isSet(output))
        return usage("import needs -o OUT.dat");
    const QString inPath = parser.positionalArguments().at(0);
    const Format chosen = formatOf(parser, format, inPath);
    if (chosen == Format::Unknown)
        return usage("--format must be json, csv or sheet");
    if (chosen == Format::Json) {
        if (parser.isSet(into) || parser.isSet(band) || parser.isSet(skipBad) ||
            parser.isSet(merge))
            return usage("--into, --band, --skip-bad and --merge apply to CSV files only");
        return importJson(inPath, parser.value(output));
    }
    if (parser.isSet(into) && parser.isSet(band))
        return usage("--band applies only without --into (the base document has its band)");
    const QString bandValue = parser.value(band);
    if (bandValue != "0" && bandValue != "1")
        return usage("--band must be 0 or 1");
    ChannelImportRequest request;
    request.csvPath = inPath;
    request.basePath = parser.value(into);
    request.band = bandValue.toInt();
    request.skipBad = parser.isSet(skipBad);
    request.merge = parser.isSet(merge);
    request.outPath = parser.value(output);
    return importChannelsCsv(request);
}

int runCheck(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Check a data file: first for values no record can hold (channel counts, channel\n"
        "numbers, frequency texts, the current group, option values, emergency channels), one\n"
        "line each saying what a repair does, then every channel frequency against the band\n"
        "and the 10 Hz raster. Exit codes: 0 sound, 1 damaged or a frequency out of range\n"
        "(unless --fix), 3 the file cannot be read as a data file.");
    parser.addPositionalArgument("FILE", "Data file.");
    const QCommandLineOption fix("fix", "Repair the damage, correct the frequencies and write "
                                        "the document.");
    const QCommandLineOption output({"o", "output"}, "Corrected data file to write.", "OUT.dat");
    parser.addOptions({fix, output});
    if (const auto done = parseVerb(parser, arguments, 1))
        return *done;
    if (parser.isSet(fix) != parser.isSet(output))
        return usage("--fix and -o OUT.dat go together");
    const QString path = parser.positionalArguments().at(0);

    model::Workspace ws;
    ws.versions = installedVersions();
    ws.state.language = cliSystemLanguage();
    ws.state.systemLanguage = ws.state.language;
    CollectingPrompter prompter;
    const model::DataFileRead read =
        model::readDataFile(path.toStdString(), ws.versions, ws.state.language, prompter);
    if (read.outcome.kind != model::OpenOutcome::Opened) {
        reportError(path, prompter);
        return ExitFileError;
    }
    ws.record = model::decodeRecord(read.bytes);
    ws.fileBuffer = ws.record;
    model::recordToRuntime(ws);
    QTextStream out(stdout);
    const std::vector<std::string> damage = model::repairRecord(ws.record, ws.state.language);
    for (const std::string& line : damage)
        out << path << ": " << utf8(line) << '\n';
    // The frequencies of what a repair keeps; a damaged text cannot be checked as a frequency.
    const bool outOfRange = model::checkAllFrequencies(ws, prompter);
    out << path << ": "
        << messageText(outOfRange ? text::MessageKey::FreqOutOfRange
                                  : text::MessageKey::AllFreqInRange)
        << '\n';
    out << path << ": "
        << (damage.empty()
                ? tableText(text::labels::damage::kSound)
                : tableText(text::labels::damage::kDamagedCount, {QString::number(damage.size())}))
        << '\n';
    out.flush();
    if (!parser.isSet(fix))
        return outOfRange || !damage.empty() ? ExitRadioFailed : ExitOk;

    model::correctAllFrequencies(ws, prompter);
    const QString outPath = parser.value(output);
    ws.state.currentFileName = outPath.toStdString();
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
        {"export", "data file to JSON or CSV: export FILE [--format json|csv|sheet] [-o OUT]",
         runExport},
        {"import",
         "JSON or CSV to data file: import IN [--into BASE.dat] [--band 0|1] [--skip-bad] -o "
         "OUT.dat",
         runImport},
        {"check",
         "check a data file for damage and its channel frequencies: check FILE [--fix -o OUT.dat]",
         runCheck},
        {"diff", "differences of two data files: diff A.dat B.dat [--json]", runDiff},
        {"print", "programming information as PDF: print FILE -o OUT.pdf [--groups A-F]", runPrint},
    };
}

} // namespace zx::cli
