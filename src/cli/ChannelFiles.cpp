// CSV channel tables and document comparison on the command line. Standard output carries
// only the result (the table, the differences); notes and errors go to standard error.
#include "cli/ChannelFiles.h"

#include "cli/FileContext.h"
#include "cli/VerbSupport.h"
#include "cli/Verbs.h"
#include "exchange/ChannelImport.h"
#include "exchange/ChannelTable.h"
#include "exchange/DocumentDiff.h"
#include "exchange/ImportPlan.h"
#include "exchange/SheetTable.h"
#include "model/Band.h"
#include "model/ChannelTable.h"
#include "model/DataFile.h"
#include "model/Defaults.h"
#include "platform/CodePage.h"
#include "text/labels/ExchangeLabels.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace zx::cli {

namespace {

// A channel table of 360 rows is some 40 kB; anything far larger is not one.
constexpr qint64 kMaxCsv = 16 * 1024 * 1024;
// Exit code of diff when the documents differ.
constexpr int kExitDifferent = 1;

void tell(const QString& path, const exchange::Note& note) {
    reportError(path, utf8(note.describe(cliSystemLanguage())));
}

// The document an import starts from: the base file by the rules of Open, or the built-in
// defaults of the band with the installation's New template loaded over them.
std::optional<int> startDocument(const ChannelImportRequest& request, model::Workspace& ws) {
    ws.versions = installedVersions();
    ws.state.language = cliSystemLanguage();
    ws.state.systemLanguage = ws.state.language;
    ws.programFolder = QCoreApplication::applicationDirPath().toStdString();
    if (!request.basePath.isEmpty()) {
        CollectingPrompter prompter;
        if (model::openDataFile(ws, request.basePath.toStdString(), prompter).kind !=
            model::OpenOutcome::Opened) {
            reportError(request.basePath, prompter);
            return ExitFileError;
        }
        return std::nullopt;
    }
    const std::optional<model::Today> today = cliToday();
    if (!today)
        return usage("ZX_TODAY must be a date written YYYYMMDD");
    ws.state.bandText = model::bandTextFromIndex(request.band);
    model::parseBandEdges(ws.state);
    model::resetDocument(ws, *today);
    return std::nullopt;
}

QString decodeText(std::string_view bytes) {
    return platform::fromCodePage(bytes, cliSystemLanguage());
}

} // namespace

QByteArray channelsCsv(const model::ConfigRecord& record, const QString& sourcePath) {
    const exchange::WrittenTable table = exchange::writeChannelTable(record, ',');
    for (const exchange::Note& note : table.notes)
        tell(sourcePath, note);
    return QByteArray::fromStdString(table.text);
}

QByteArray channelsSheet(const model::ConfigRecord& record, const QString& sourcePath) {
    const exchange::WrittenTable table =
        exchange::writeSheetTable(record, cliSystemLanguage(), ',');
    for (const exchange::Note& note : table.notes)
        tell(sourcePath, note);
    return QByteArray::fromStdString(table.text);
}

int importChannelsCsv(const ChannelImportRequest& request) {
    model::Workspace ws;
    if (const std::optional<int> failed = startDocument(request, ws))
        return *failed;
    const std::optional<QByteArray> csv =
        readInput(request.csvPath, kMaxCsv, QStringLiteral("too large to be a channel table"));
    if (!csv)
        return ExitFileError;

    const exchange::ReadTable table = exchange::readChannelTable(
        std::string_view(csv->constData(), std::size_t(csv->size())), ws.state);
    for (const exchange::Note& note : table.warnings)
        tell(request.csvPath, note);
    for (const exchange::Note& note : table.bad)
        tell(request.csvPath, note);
    // A table refused as a whole (its header) has no rows to count or to skip.
    if (table.refused)
        return ExitFileError;
    if (!table.bad.empty()) {
        const std::vector<std::string> counts{std::to_string(table.bad.size()),
                                              std::to_string(table.rowCount)};
        namespace texts = text::labels::exchange;
        tell(request.csvPath,
             {request.skipBad ? &texts::kBadRowsSkipped : &texts::kNothingImported, counts});
        if (!request.skipBad)
            return ExitFileError;
    }

    exchange::importRows(ws.record, table.rows,
                         request.merge ? exchange::ImportMode::Merge
                                       : exchange::ImportMode::ReplaceGroups);
    ws.state.currentFileName = request.outPath.toStdString();
    CollectingPrompter prompter;
    if (!model::saveDataFile(ws, prompter)) {
        reportError(request.outPath, prompter);
        return ExitFileError;
    }
    return ExitOk;
}

int runDiff(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "List the differences of two data files field by field, one per line:\n"
        "  A-05 RX Frequency: 28.515000 → 28.525000\n"
        "Channels are matched by group and number. Exit code 0 when the files are equal,\n"
        "1 when they differ.");
    parser.addPositionalArgument("A.dat", "The first data file (values left of the arrow).");
    parser.addPositionalArgument("B.dat", "The second data file (values right of the arrow).");
    const QCommandLineOption json("json", "Write the differences as a JSON array.");
    parser.addOption(json);
    if (const auto done = parseVerb(parser, arguments, 2))
        return *done;
    const std::optional<model::ConfigRecord> a = readRecord(parser.positionalArguments().at(0));
    if (!a)
        return ExitFileError;
    const std::optional<model::ConfigRecord> b = readRecord(parser.positionalArguments().at(1));
    if (!b)
        return ExitFileError;

    const int language = cliSystemLanguage();
    const exchange::TextDecoder decode = [](std::string_view bytes) {
        return decodeText(bytes).toStdString();
    };
    const std::vector<exchange::Difference> differences = exchange::compareDocuments(*a, *b);
    QByteArray out;
    if (parser.isSet(json)) {
        QJsonArray list;
        for (const exchange::Difference& d : differences)
            list.append(QJsonObject{
                {"key", utf8(exchange::differenceKey(d))},
                {"field", utf8(exchange::differenceName(d, language))},
                {"before", utf8(exchange::differenceValue(d, d.before, language, decode))},
                {"after", utf8(exchange::differenceValue(d, d.after, language, decode))}});
        out = QJsonDocument(list).toJson(QJsonDocument::Indented);
    } else {
        for (const exchange::Difference& d : differences)
            out += QByteArray::fromStdString(exchange::describe(d, language, decode)) + '\n';
    }
    if (!writeStdout(out))
        return ExitFileError;
    return differences.empty() ? ExitOk : kExitDifferent;
}

} // namespace zx::cli
