// Importing and exporting channel tables from the main window.
#include "app/ChannelFileCommands.h"

#include "app/FileDialogs.h"
#include "app/FrmImportChoice.h"
#include "app/QtText.h"
#include "app/frmMain.h"
#include "exchange/ChannelImport.h"
#include "exchange/ChannelTable.h"
#include "exchange/ImportPlan.h"
#include "exchange/NoteList.h"
#include "exchange/SheetTable.h"
#include "model/AtomicFile.h"
#include "model/EditJournal.h"
#include "model/RecordFields.h"
#include "text/labels/ChannelRowsLabels.h"
#include "text/labels/ExchangeLabels.h"
#include "text/labels/FeedbackLabels.h"
#include "text/labels/ImportChoiceLabels.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>

namespace zx::app {

namespace {

namespace labels = text::labels::channel_rows;

// A channel table of 360 rows is some 40 kB; anything far larger is not one (the same limit
// as the command line's).
constexpr qint64 kMaxTable = 16 * 1024 * 1024;

std::string nativePath(const QString& path) {
    return QDir::toNativeSeparators(path).toStdString();
}

// The bytes of the file, or nullopt after telling the user why not. Only a regular file is
// read: a device or a pipe could deliver without end.
std::optional<QByteArray> readTable(const QString& path, frmMain& window) {
    const int language = window.workspace().state.language;
    const auto refuse = [&](const text::TextTable& why) {
        window.prompter().inform(model::fillIn(why[language], {nativePath(path)}),
                                 text::Icon::Warning);
        return std::nullopt;
    };
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return refuse(labels::kCannotRead);
    const QByteArray bytes = file.read(kMaxTable + 1);
    if (bytes.size() > kMaxTable)
        return refuse(labels::kTooLarge);
    if (file.error() != QFileDevice::NoError)
        return refuse(labels::kCannotRead);
    return bytes;
}

// With bad rows: true when the user wants the valid rows imported.
bool acceptValidRows(const exchange::ReadTable& table, frmMain& window) {
    const int language = window.workspace().state.language;
    const std::vector<std::string> counts{std::to_string(table.bad.size()),
                                          std::to_string(table.rowCount)};
    const std::string list = exchange::noteList(table.bad, language);
    // A table refused as a whole (its header) has no rows to count.
    if (table.refused) {
        window.prompter().inform(list, text::Icon::Warning);
        return false;
    }
    if (table.rows.empty()) {
        const std::string nothing =
            model::fillIn(text::labels::exchange::kNothingImported[language], counts);
        window.prompter().inform(
            model::fillIn(labels::kImportNothingValid[language], {nothing, list}),
            text::Icon::Warning);
        return false;
    }
    const std::string question = model::fillIn(
        labels::kImportQuestion[language], {model::fillIn(labels::kRowsNotValid[language], counts),
                                            list, std::to_string(table.rows.size())});
    return window.prompter().ask(question, text::Buttons::YesNo, text::Icon::Question) ==
           text::Answer::Yes;
}

// The channels an export wrote: every channel of the record but those it had to leave out.
std::size_t exportedChannels(const model::ConfigRecord& record, std::size_t leftOut) {
    std::size_t channels = 0;
    for (int group = 0; group < model::kGroupCount; ++group)
        channels += std::size_t(record.usedChannels(group));
    return channels > leftOut ? channels - leftOut : 0;
}

std::string groupLetters(const std::vector<int>& groups) {
    std::string letters;
    for (int group : groups) {
        if (!letters.empty())
            letters += ", ";
        letters += char('A' + group);
    }
    return letters;
}

} // namespace

QString channelFileFilter(int language) {
    return qs(labels::kCsvFilter, language) + QStringLiteral(" (*.csv)");
}

QStringList channelExportFilters(int language) {
    return {qs(labels::kChirpFilter, language) + QStringLiteral(" (*.csv)"),
            qs(labels::kSheetFilter, language) + QStringLiteral(" (*.csv)")};
}

bool importChannels(frmMain& window) {
    model::Workspace& ws = window.workspace();
    // A value still being typed is stored first, as a step of its own.
    window.commitOpenEditors();
    const QString path = window.services().dialogs->openFile(&window, window.dialogFolder(),
                                                             channelFileFilter(ws.state.language));
    if (path.isEmpty())
        return false;
    const std::optional<QByteArray> bytes = readTable(path, window);
    if (!bytes)
        return false;

    const int language = ws.state.language;
    const exchange::ReadTable table = exchange::readChannelTable(
        std::string_view(bytes->constData(), std::size_t(bytes->size())), ws.state);
    if (!table.bad.empty() && !acceptValidRows(table, window))
        return false;
    if (table.rows.empty()) {
        window.prompter().inform(model::fillIn(labels::kNoRows[language], {nativePath(path)}),
                                 text::Icon::Warning);
        return false;
    }

    // Nothing changes before the user has seen, group by group, what the import will do
    // and chosen how.
    const QString fileName = QFileInfo(path).fileName();
    const std::vector<exchange::GroupImport> plan = exchange::planImport(ws.record, table.rows);
    FrmImportChoice choice(plan, fileName, int(table.rows.size()), language, &window);
    if (choice.exec() != QDialog::Accepted || choice.choice() == FrmImportChoice::Choice::Cancel)
        return false;
    const exchange::ImportMode mode = choice.choice() == FrmImportChoice::Choice::Merge
                                          ? exchange::ImportMode::Merge
                                          : exchange::ImportMode::ReplaceGroups;

    std::vector<int> groups;
    model::applyEdit(ws, {labels::kStepImport, fileName.toStdString(), {}},
                     [&] { groups = exchange::importRows(ws.record, table.rows, mode); });
    window.refreshOpenEditors();

    namespace choices = text::labels::import_choice;
    window.showStatus(qs(model::fillIn(
        (mode == exchange::ImportMode::Merge ? choices::kMerged
                                             : choices::kGroupsReplaced)[language],
        {std::to_string(table.rows.size()), fileName.toStdString(), groupLetters(groups)})));
    if (!table.warnings.empty())
        window.prompter().inform(model::fillIn(labels::kImportNotes[language],
                                               {exchange::noteList(table.warnings, language)}),
                                 text::Icon::Information);
    return true;
}

bool exportChannels(frmMain& window) {
    model::Workspace& ws = window.workspace();
    window.commitOpenEditors();
    const int language = ws.state.language;
    // Named after the document: radio.dat gives radio.csv.
    const QString name =
        QFileInfo(QString::fromStdString(ws.state.currentFileName)).completeBaseName() +
        QStringLiteral(".csv");
    const QString folder = window.dialogFolder();
    const QString preset = folder.isEmpty() ? name : QDir(folder).filePath(name);
    // CHIRP's columns, or the spreadsheet columns in the language of the program.
    int format = 0;
    const QString path = window.services().dialogs->saveFileAs(
        &window, preset, channelExportFilters(language), format);
    if (path.isEmpty())
        return false;

    const exchange::WrittenTable table = format == 1
                                             ? exchange::writeSheetTable(ws.record, language, ',')
                                             : exchange::writeChannelTable(ws.record, ',');
    const auto* data = reinterpret_cast<const std::uint8_t*>(table.text.data());
    const std::string target = path.toStdString();
    const model::SaveOutcome saved = model::writeFileSafely(target, {data, table.text.size()});
    if (!saved) {
        window.prompter().inform(model::saveFailureMessage(saved, target, language),
                                 text::Icon::Warning);
        return false;
    }
    window.showStatus(qs(model::fillIn(
        text::labels::feedback::kExported[language],
        {std::to_string(exportedChannels(ws.record, table.notes.size())), nativePath(path)})));
    if (!table.notes.empty())
        window.prompter().inform(model::fillIn(labels::kNotExported[language],
                                               {exchange::noteList(table.notes, language)}),
                                 text::Icon::Warning);
    return true;
}

} // namespace zx::app
