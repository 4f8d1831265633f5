// The print verb: the same pages as the desktop's print window, rendered into a PDF without a
// display (the program runs on the offscreen platform for it, see main.cpp).
#include "cli/PrintVerb.h"

#include "app/print/PrintPages.h"
#include "cli/FileContext.h"
#include "cli/VerbSupport.h"
#include "cli/Verbs.h"
#include "model/Band.h"
#include "model/RuntimeState.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QPdfWriter>
#include <QRegularExpression>

namespace zx::cli {

namespace {

// "A-F", "B", "c-d": the first and last group.
bool parseGroups(const QString& text, app::PrintSelection& selection) {
    static const QRegularExpression pattern(QStringLiteral("^([A-F])(?:-([A-F]))?$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return false;
    selection.firstGroup = match.captured(1).toUpper().at(0).unicode() - 'A';
    const QString last = match.captured(2);
    selection.lastGroup =
        last.isEmpty() ? selection.firstGroup : last.toUpper().at(0).unicode() - 'A';
    return selection.firstGroup <= selection.lastGroup;
}

bool parseSections(const QString& text, app::PrintSelection& selection) {
    selection.channels = selection.options = selection.localInformation = false;
    for (const QString& section : text.split(',', Qt::SkipEmptyParts)) {
        const QString name = section.trimmed().toLower();
        if (name == "channels")
            selection.channels = true;
        else if (name == "options")
            selection.options = true;
        else if (name == "message")
            selection.localInformation = true;
        else
            return false;
    }
    return selection.channels || selection.options || selection.localInformation;
}

} // namespace

int runPrint(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Print the programming information of a data file into a PDF: the channel groups,\n"
        "the optional features and the local information (the embedded message lines), under\n"
        "a header with model, band, file name and date. A4, or Letter where the locale uses\n"
        "it.");
    parser.addPositionalArgument("FILE", "Data file.");
    const QCommandLineOption output({"o", "output"}, "PDF file to write.", "OUT.pdf");
    const QCommandLineOption groups("groups", "Channel groups to print: a letter or a range.",
                                    "A-F", "A-F");
    const QCommandLineOption sections(
        "sections", "What to print, any of channels, options, message, separated by commas.",
        "LIST", "channels,options,message");
    parser.addOptions({output, groups, sections});
    if (const auto done = parseVerb(parser, arguments, 1))
        return *done;
    if (!parser.isSet(output))
        return usage("print needs -o OUT.pdf");
    app::PrintSelection selection;
    if (!parseGroups(parser.value(groups), selection))
        return usage("--groups must be a group letter A..F or a range such as B-D");
    if (!parseSections(parser.value(sections), selection))
        return usage("--sections must list channels, options or message");
    const std::optional<model::Today> today = cliToday();
    if (!today)
        return usage("ZX_TODAY must be a date written YYYYMMDD");

    const QString path = parser.positionalArguments().at(0);
    const std::optional<model::ConfigRecord> record = readRecord(path);
    if (!record)
        return ExitFileError;

    app::PrintSource source;
    source.record = &*record;
    source.modelName = QString::fromStdString(model::RuntimeState().modelName);
    source.bandText = QString::fromStdString(model::bandTextFromIndex(record->modelInfo.bandIndex));
    source.fileName = QFileInfo(path).fileName();
    source.date = QDate(today->year, today->month, today->day);
    source.language = cliSystemLanguage();
    source.systemLanguage = source.language;

    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageSize(QPageSize(app::paperFor(QLocale::system())));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setCreator(kProgram);
        writer.setTitle(source.fileName);
        if (app::printPages(writer, source, selection) == 0) {
            reportError(parser.value(output), QStringLiteral("the pages could not be drawn"));
            return ExitFileError;
        }
    }
    return writeOutput(parser.value(output), asBytes(pdf.data())) ? ExitOk : ExitFileError;
}

} // namespace zx::cli
