// The channel list tools of the main window.
#include "app/ChannelListTools.h"

#include "app/FileDialogs.h"
#include "app/FrmBackups.h"
#include "app/FrmCompare.h"
#include "app/FrmFind.h"
#include "app/MainMenus.h"
#include "app/QtText.h"
#include "app/RadioController.h"
#include "app/SafetyMenus.h"
#include "app/frmMain.h"
#include "editors/frmCommChInfo.h"
#include "exchange/ChannelTable.h"
#include "exchange/DocumentDiff.h"
#include "model/ChannelFind.h"
#include "model/DataFile.h"
#include "model/RecordCodec.h"
#include "platform/CodePage.h"
#include "platform/UserStore.h"
#include "text/labels/ChannelListLabels.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <algorithm>
#include <vector>

namespace zx::app {

namespace {

namespace labels = text::labels::channel_lists;

// The per-user store keeps whether the flag columns are shown.
const QString kFlagColumnsKey = QStringLiteral("View/ChannelFlags");

// A new entry right after `after` in its menu.
QAction* addAfter(QMenu* menu, QAction* after, const char* name) {
    auto* action = new QAction(menu);
    action->setObjectName(QLatin1String(name));
    const QList<QAction*> actions = menu->actions();
    const qsizetype at = actions.indexOf(after);
    menu->insertAction(at >= 0 && at + 1 < actions.size() ? actions[at + 1] : nullptr, action);
    return action;
}

// Collects what the checks of a file say and answers every question No: comparing a file
// never hands it to another program version.
class CollectingPrompter : public text::Prompter {
public:
    text::Answer ask(std::string_view text, text::Buttons, text::Icon) override {
        messages.emplace_back(text);
        return text::Answer::No;
    }
    std::vector<std::string> messages;
};

} // namespace

ChannelListTools::ChannelListTools(frmMain& window) : QObject(&window), window_(window) {}

void ChannelListTools::build(MainMenus& menus, SafetyMenus& safety) {
    mnuViewChannelFlags = menus.mnuView->addAction(QString());
    mnuViewChannelFlags->setObjectName(QStringLiteral("mnuViewChannelFlags"));
    mnuViewChannelFlags->setCheckable(true);
    const QString store = window_.services().userStorePath;
    if (!store.isEmpty())
        mnuViewChannelFlags->setChecked(QSettings(store, platform::UserStore::formatOf(store))
                                            .value(kFlagColumnsKey, false)
                                            .toBool());
    connect(mnuViewChannelFlags, &QAction::triggered, this, &ChannelListTools::setFlagColumnsShown);

    // Edit: the row commands and the find entries between Redo and Channel Information.
    QMenu* edit = menus.mnuEdit;
    QAction* before = menus.mnuChannelInfo;
    mnuRowCommands =
        editors::addRowCommands(edit, before, "mnuChannels",
                                [this](editors::RowCommand command) { runRowCommand(command); });
    edit->insertSeparator(before);
    const auto addFind = [&](const char* name, const QKeySequence& key) {
        auto* action = new QAction(edit);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(key);
        edit->insertAction(before, action);
        return action;
    };
    mnuFind = addFind("mnuFind", QKeySequence::Find);
    mnuFindNext = addFind("mnuFindNext", QKeySequence::FindNext);
    mnuFindPrevious = addFind("mnuFindPrevious", QKeySequence::FindPrevious);
    edit->insertSeparator(before);
    connect(mnuFind, &QAction::triggered, this, &ChannelListTools::find);
    connect(mnuFindNext, &QAction::triggered, this, [this] { findNext(true); });
    connect(mnuFindPrevious, &QAction::triggered, this, [this] { findNext(false); });

    mnuCompareWithFile = addAfter(menus.mnuFile, safety.mnuOpenBackupFolder, "mnuCompareWithFile");
    mnuRestoreFromBackup = addAfter(menus.mnuFile, mnuCompareWithFile, "mnuRestoreFromBackup");
    connect(mnuCompareWithFile, &QAction::triggered, this, &ChannelListTools::compareWithFile);
    connect(mnuRestoreFromBackup, &QAction::triggered, this, &ChannelListTools::restoreFromBackup);
}

void ChannelListTools::label(int language) {
    mnuViewChannelFlags->setText(qs(labels::mnuViewChannelFlags, language));
    editors::labelRowCommands(mnuRowCommands, language);
    mnuFind->setText(qs(labels::mnuFind, language));
    mnuFindNext->setText(qs(labels::mnuFindNext, language));
    mnuFindPrevious->setText(qs(labels::mnuFindPrevious, language));
    mnuCompareWithFile->setText(qs(labels::mnuCompareWithFile, language));
    mnuRestoreFromBackup->setText(qs(labels::mnuRestoreFromBackup, language));
}

void ChannelListTools::channelWindowOpened(editors::frmCommChInfo& channels) const {
    channels.setFlagColumnsShown(mnuViewChannelFlags->isChecked());
}

editors::frmCommChInfo* ChannelListTools::channelWindow() const {
    return qobject_cast<editors::frmCommChInfo*>(window_.openChildWindow(ChildWindow::ChannelInfo));
}

void ChannelListTools::showStatus(const QString& text) const {
    // In the panel every command's feedback uses, for as long as the others' stays.
    window_.showStatus(text);
}

void ChannelListTools::runRowCommand(editors::RowCommand command) {
    if (editors::frmCommChInfo* channels = channelWindow())
        channels->runRowCommand(command);
}

void ChannelListTools::setFlagColumnsShown(bool shown) {
    if (mnuViewChannelFlags->isChecked() != shown)
        mnuViewChannelFlags->setChecked(shown);
    const QString store = window_.services().userStorePath;
    if (!store.isEmpty()) {
        QSettings settings(store, platform::UserStore::formatOf(store));
        settings.setValue(kFlagColumnsKey, shown);
    }
    if (auto* channels =
            qobject_cast<editors::frmCommChInfo*>(window_.childWindow(ChildWindow::ChannelInfo)))
        channels->setFlagColumnsShown(shown);
}

void ChannelListTools::find() {
    const int language = window_.workspace().state.language;
    FrmFind dialog(query_, language, &window_);
    if (dialog.exec() != QDialog::Accepted)
        return;
    query_ = dialog.query();
    findNext(true);
}

void ChannelListTools::findNext(bool forward) {
    if (query_.isEmpty())
        return find();
    model::Workspace& ws = window_.workspace();
    const int language = ws.state.language;
    const std::optional<std::string> query = model::frequencyQuery(query_.toStdString());
    if (!query)
        return showStatus(qs(labels::kNotAFrequency, language).arg(query_));
    editors::frmCommChInfo* channels = channelWindow();
    if (channels == nullptr)
        return;
    channels->validateControls();
    const std::vector<model::FoundChannel> found = model::findFrequency(ws.record, *query);
    const QString shownQuery = QString::fromStdString(*query);
    const model::FoundChannel from{std::clamp<int>(ws.record.currentGroup, 0, 5),
                                   channels->cursorRow(), channels->cursorColumn()};
    const std::optional<model::FoundChannel> next = model::nextFound(found, from, forward);
    if (!next)
        return showStatus(qs(labels::kNotFound, language).arg(shownQuery));
    channels->showChannel(next->group, next->number, next->column);
    const auto place = std::find(found.begin(), found.end(), *next) - found.begin();
    showStatus(qs(labels::kFound, language)
                   .arg(shownQuery,
                        QString::fromStdString(exchange::channelName({next->group, next->number})),
                        QString::number(place + 1), QString::number(found.size())));
}

void ChannelListTools::compareWithFile() {
    model::Workspace& ws = window_.workspace();
    const int language = ws.state.language;
    // The document as the user sees it, the edit in progress included.
    window_.commitOpenEditors();
    const QString path = window_.services().dialogs->openFile(&window_, window_.dialogFolder(),
                                                              window_.fileFilter());
    if (path.isEmpty())
        return;

    CollectingPrompter checks;
    const model::DataFileRead read =
        model::readDataFile(path.toStdString(), ws.versions, language, checks);
    const QString fileName = QFileInfo(path).fileName();
    if (read.outcome.kind != model::OpenOutcome::Opened) {
        if (read.outcome.kind == model::OpenOutcome::Declined ||
            read.outcome.kind == model::OpenOutcome::StartOtherVersion)
            window_.prompter().inform(
                qs(labels::kCompareOtherVersion, language)
                    .arg(fileName, QString::fromStdString(read.outcome.dataVersion))
                    .toStdString(),
                text::Icon::Warning);
        else
            for (const std::string& message : checks.messages)
                window_.prompter().inform(message, text::Icon::Warning);
        return;
    }
    const model::ConfigRecord other = model::decodeRecord(read.bytes);

    const int codePage = ws.state.systemLanguage;
    const exchange::TextDecoder decode = [codePage](std::string_view bytes) {
        return platform::fromCodePage(bytes, codePage).toStdString();
    };
    const std::vector<exchange::Difference> differences =
        exchange::compareDocuments(ws.record, other);
    // Two files of one name are told apart by the other's folder.
    QString documentName = window_.documentName();
    QString otherName = fileName;
    if (otherName == documentName)
        otherName = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    if (differences.empty()) {
        window_.prompter().inform(
            qs(labels::kFilesEqual, language).arg(documentName, otherName).toStdString(),
            text::Icon::Information);
        return;
    }
    const QString verdict =
        differences.size() == 1
            ? qs(labels::kFilesDifferOne, language).arg(documentName, otherName)
            : qs(labels::kFilesDiffer, language)
                  .arg(documentName, otherName, QString::number(differences.size()));
    QStringList lines;
    for (const exchange::Difference& d : differences)
        lines << QString::fromStdString(exchange::describe(d, language, decode));
    FrmCompare comparison(verdict, lines, language, &window_);
    comparison.setWindowTitle(qs(labels::kCompareFileCaption, language));
    comparison.exec();
}

void ChannelListTools::restoreFromBackup() {
    model::Workspace& ws = window_.workspace();
    RadioController& radio = window_.radio();
    FrmBackups backups(
        radio.backups(), ws.state.language, ws.state.systemLanguage,
        [&radio] { radio.openBackupFolder(); }, &window_);
    if (backups.exec() != QDialog::Accepted || backups.chosenImage().isEmpty())
        return;
    window_.openWithQuestion(backups.chosenImage());
}

} // namespace zx::app
