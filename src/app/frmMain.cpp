// The main window: frame, child windows, labelling and the document commands.
#include "app/frmMain.h"

#include "app/ChannelFileCommands.h"
#include "app/ChannelListTools.h"
#include "app/EditHistory.h"
#include "app/FileDialogs.h"
#include "app/FleetCommand.h"
#include "app/FrmPrintList.h"
#include "app/FrmSetLanguage.h"
#include "app/ImageDocument.h"
#include "app/ProgramIcon.h"
#include "app/QtText.h"
#include "app/QtTranslations.h"
#include "app/RadioController.h"
#include "app/ScreenFit.h"
#include "app/StatusFeedback.h"
#include "app/TreePanel.h"
#include "app/Twips.h"
#include "app/VersionHandover.h"
#include "app/WindowKeys.h"
#include "app/WriteSafetySettings.h"
#include "editors/FrmEMG.h"
#include "editors/FrmEmbMsg.h"
#include "editors/FrmOptFeatures.h"
#include "editors/frmCommChInfo.h"
#include "model/ChannelTable.h"
#include "model/DataFile.h"
#include "model/EditJournal.h"
#include "platform/ProcessStarter.h"
#include "platform/SystemLocale.h"
#include "platform/UserStore.h"
#include "text/Fill.h"
#include "text/Messages.h"
#include "text/Mnemonic.h"
#include "text/labels/DocumentLabels.h"
#include "text/labels/EditingLabels.h"
#include "text/labels/FeedbackLabels.h"
#include "text/labels/MainLabels.h"
#include "text/labels/RadioSafetyLabels.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

namespace zx::app {

namespace labels = text::labels::main;
using text::MessageKey;

namespace {

// Marks a sub-window with the kind of editor it holds.
const char* const kChildProperty = "zxChildWindow";

QString fileNamePart(const std::string& path) {
    // The text after the last separator; data files named by other versions may carry "\".
    const QString full = QString::fromStdString(path);
    const qsizetype cut =
        std::max(full.lastIndexOf(QLatin1Char('/')), full.lastIndexOf(QLatin1Char('\\')));
    return full.mid(cut + 1);
}

// The one local ".dat" file a drag carries, or an empty text.
QString draggedDataFile(const QMimeData* mime) {
    if (mime == nullptr || !mime->hasUrls() || mime->urls().size() != 1)
        return QString();
    const QUrl url = mime->urls().constFirst();
    const QString path = url.toLocalFile();
    if (!url.isLocalFile() || !path.endsWith(QLatin1String(".dat"), Qt::CaseInsensitive))
        return QString();
    return path;
}

// A text with "%1" replaced (the table texts are not Qt's own, so they are not arg()ed).
QString filled(const text::TextTable& table, int language, const QString& value) {
    QString t = qs(table, language);
    return t.replace(QLatin1String("%1"), value);
}

} // namespace

frmMain::frmMain(model::Workspace& ws, MainServices services, QWidget* parent)
    : QMainWindow(parent), ws_(ws), services_(std::move(services)),
      history_(std::make_unique<EditHistory>(ws)), recent_(services_.userStorePath) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(programIcon());
    setAcceptDrops(true);
    radio_ = std::make_unique<RadioController>(*this, ws_, prompter());
    buildWindow();
    connectCommands();

    // Window load: placement, labels, then a new document with the channel window.
    restorePlacement();
    Change_Language();
    LoadNewDoc();
}

frmMain::~frmMain() = default;

void frmMain::buildWindow() {
    // The toolbar's own context menu would hide bars behind the View menu's back.
    setContextMenuPolicy(Qt::PreventContextMenu);
    menus_.build(this);
    safety_.build(menus_);
    lists_ = new ChannelListTools(*this);
    lists_->build(menus_, safety_);
    fleet_ = new FleetCommand(*this);
    const link::WriteOptions writeOptions = WriteSafetySettings(services_.settingsPath).read();
    safety_.mnuBackupBeforeWrite->setChecked(writeOptions.backupFirst);
    safety_.mnuVerifyAfterWrite->setChecked(writeOptions.verify);

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("MainFrame"));
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    tree_ = new TreePanel(central);
    mdi_ = new QMdiArea(central);
    mdi_->setObjectName(QStringLiteral("MDIArea"));
    // A child window larger than the area (the channel window is 9600 twips high) stays
    // reachable.
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    row->addWidget(tree_);
    row->addWidget(mdi_, 1);
    setCentralWidget(central);
    new WindowKeys(this, tree_, mdi_);

    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    for (int i = 0; i < 3; ++i) {
        panels_[i] = new QLabel(bar);
        panels_[i]->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        bar->addWidget(panels_[i], i == 0 ? 1 : 0);
    }
    modifiedPanel_ = new QLabel(bar);
    modifiedPanel_->setObjectName(QStringLiteral("PanelModified"));
    bar->addWidget(modifiedPanel_);
    feedback_ = new StatusFeedback(panels_[0], this);
}

void frmMain::connectCommands() {
    MainMenus& m = menus_;
    const auto on = [this](QAction* action, auto slot) {
        connect(action, &QAction::triggered, this, slot);
    };
    on(m.mnuFileNew, [this] { fileNew(); });
    on(m.mnuFileOpen, [this] { fileOpen(); });
    on(m.mnuFileSave, [this] { fileSave(); });
    on(m.mnuFileSaveAs, [this] { fileSaveAs(); });
    on(m.mnuImportChannels, [this] { importChannels(*this); });
    on(m.mnuExportChannels, [this] { exportChannels(*this); });
    on(m.mnuFilePrint, [this] { showPrintList(); });
    on(m.mnuFileExit, [this] { close(); });
    for (int i = 0; i < MainMenus::kRecentFileCount; ++i)
        on(m.mnuRecentFile[i], [this, i] { openRecentFile(i); });
    on(m.mnuEditUndo, [this] { undo(); });
    on(m.mnuEditRedo, [this] { redo(); });
    on(m.MnuCheckRadioBand, [this] { radio_->checkRadioBand(); });
    on(m.MnuFrequencyCheck, [this] { checkAllChannelFrequency(); });
    on(m.mnuChannelInfo, [this] { openChildWindow(ChildWindow::ChannelInfo); });
    // Fill works on the channel window's current row: the window opens first when closed.
    on(m.mnuFillChannels, [this] {
        if (auto* channels =
                qobject_cast<editors::frmCommChInfo*>(openChildWindow(ChildWindow::ChannelInfo)))
            channels->fillChannels();
    });
    on(m.mnuOptFeature, [this] { openChildWindow(ChildWindow::OptFeatures); });
    on(m.mnuEmbeddedMsg, [this] { openChildWindow(ChildWindow::EmbMsg); });
    on(m.mnuEMG, [this] { radio_->readIdentity(); });
    on(m.mnuReadFromRadio, [this] { readFromRadio(); });
    on(m.mnuWriteToRadio, [this] {
        commitOpenEditors();
        radio_->writeToRadio();
    });
    // The status bar shows the port chosen in the port setup window at once.
    on(m.mnuComm, [this] {
        radio_->communicationPortSetup();
        setPortPanel();
    });
    on(m.mnuLanguage, [this] { showLanguageSetup(); });
    on(m.MnuInitial, [this] { initialSetting(); });
    on(m.mnuWindowCascade, [this] { cascade(); });
    on(m.mnuCloseAll, [this] { closeAllChildWindows(); });
    on(m.mnuHelpAbout, [this] { showAbout(); });
    on(safety_.mnuOpenBackupFolder, [this] { radio_->openBackupFolder(); });
    // The document as the user sees it, the edit in progress included.
    on(safety_.mnuCompareWithRadio, [this] {
        commitOpenEditors();
        radio_->compareWithRadio();
    });
    on(safety_.mnuOpenTraceFolder, [this] { radio_->openTraceFolder(); });
    connect(safety_.mnuBackupBeforeWrite, &QAction::triggered, this,
            [this](bool on) { WriteSafetySettings(services_.settingsPath).writeBackupFirst(on); });
    connect(safety_.mnuVerifyAfterWrite, &QAction::triggered, this,
            [this](bool on) { WriteSafetySettings(services_.settingsPath).writeVerify(on); });

    connect(m.mnuTreeView, &QAction::toggled, this, [this](bool on) { setTreeVisible(on); });
    connect(m.mnuViewToolbar, &QAction::toggled, m.tbToolBar, &QToolBar::setVisible);
    connect(m.mnuViewStatusBar, &QAction::toggled, statusBar(), &QStatusBar::setVisible);
    connect(m.mnuWindow, &QMenu::aboutToShow, this, [this] { rebuildWindowList(); });

    // The toolbar: New replaces without asking, Print shows the print-items window.
    on(m.tbNew, [this] { newFromToolbar(); });
    on(m.tbOpen, [this] { fileOpen(); });
    on(m.tbSave, [this] { fileSave(); });
    on(m.tbPrint, [this] { showPrintList(); });
    on(m.tbReadRadio, [this] { readFromRadio(); });
    on(m.tbCommSet, [this] { menus_.mnuComm->trigger(); });
    on(m.tbWriteRadio, [this] { menus_.mnuWriteToRadio->trigger(); });
    on(m.tbAbout, [this] { showAbout(); });

    connect(history_.get(), &EditHistory::changed, this, [this] {
        updateUndoActions();
        refreshModifiedPanel();
    });
    connect(history_.get(), &EditHistory::restored, this,
            [this](const model::EditStep& step) { refreshOpenEditors(step); });

    connect(tree_, &TreePanel::closeRequested, this, [this] { setTreeVisible(false); });
    connect(tree_, &TreePanel::nodeClicked, this, [this](const QString& key) {
        if (key == QLatin1String("N1"))
            openChildWindow(ChildWindow::ChannelInfo);
        else if (key == QLatin1String("N2"))
            openChildWindow(ChildWindow::OptFeatures);
        else if (key == QLatin1String("N8"))
            openChildWindow(ChildWindow::EmbMsg);
        else if (key == QLatin1String("N9"))
            radio_->readIdentity();
    });
}

// ---- child windows ------------------------------------------------------------------

QMdiSubWindow* frmMain::subWindow(ChildWindow which) const {
    for (QMdiSubWindow* sub : mdi_->subWindowList()) {
        // A closed sub-window may linger until it is deleted; it no longer counts.
        if (!sub->isHidden() && sub->property(kChildProperty).toInt() == int(which) + 1)
            return sub;
    }
    return nullptr;
}

QWidget* frmMain::childWindow(ChildWindow which) const {
    QMdiSubWindow* sub = subWindow(which);
    return sub ? sub->widget() : nullptr;
}

QWidget* frmMain::openChildWindow(ChildWindow which) {
    if (QMdiSubWindow* open = subWindow(which)) {
        mdi_->setActiveSubWindow(open);
        open->widget()->setFocus();
        return open->widget();
    }
    QWidget* editor = nullptr;
    switch (which) {
    case ChildWindow::ChannelInfo: {
        auto* channels = new editors::frmCommChInfo(ws_, prompter(), nullptr);
        // Before the band change clears the document, every editor stores what it holds, so
        // that undoing the change gives it back.
        connect(channels, &editors::frmCommChInfo::aboutToChangeBand, this,
                &frmMain::commitOpenEditors);
        // The band change started a new document; its windows close this very window: let
        // its handler return first.
        connect(channels, &editors::frmCommChInfo::newDocumentRequested, this,
                &frmMain::showNewDocument, Qt::QueuedConnection);
        connect(channels, &editors::frmCommChInfo::commandDone, this, &frmMain::showStatus);
        lists_->channelWindowOpened(*channels);
        editor = channels;
        break;
    }
    case ChildWindow::OptFeatures:
        editor = new editors::FrmOptFeatures(ws_, prompter(), nullptr);
        break;
    case ChildWindow::EmbMsg:
        editor = new editors::FrmEmbMsg(ws_, prompter(), nullptr);
        break;
    }
    QMdiSubWindow* sub = mdi_->addSubWindow(editor);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(programIcon());
    sub->setProperty(kChildProperty, int(which) + 1);
    sub->show();
    cascade();
    return editor;
}

void frmMain::closeChildWindow(ChildWindow which) {
    if (QMdiSubWindow* sub = subWindow(which))
        sub->close();
}

void frmMain::closeAllChildWindows() {
    for (QMdiSubWindow* sub : mdi_->subWindowList())
        sub->close();
}

void frmMain::cascade() {
    mdi_->cascadeSubWindows();
}

void frmMain::rebuildWindowList() {
    for (QAction* action : windowActions_) {
        menus_.mnuWindow->removeAction(action);
        action->deleteLater();
    }
    windowActions_.clear();
    int n = 0;
    for (QMdiSubWindow* sub : mdi_->subWindowList()) {
        if (sub->isHidden())
            continue;
        QAction* action =
            menus_.mnuWindow->addAction(QStringLiteral("&%1 %2").arg(++n).arg(sub->windowTitle()));
        action->setCheckable(true);
        action->setChecked(sub == mdi_->activeSubWindow());
        connect(action, &QAction::triggered, this, [this, sub] { mdi_->setActiveSubWindow(sub); });
        windowActions_.push_back(action);
    }
}

void frmMain::commitOpenEditors() {
    if (auto* w = qobject_cast<editors::frmCommChInfo*>(childWindow(ChildWindow::ChannelInfo)))
        w->validateControls();
    if (auto* w = qobject_cast<editors::FrmOptFeatures*>(childWindow(ChildWindow::OptFeatures)))
        w->validateControls();
    if (auto* w = qobject_cast<editors::FrmEmbMsg*>(childWindow(ChildWindow::EmbMsg)))
        w->validateControls();
}

QString frmMain::documentName() const {
    return fileNamePart(ws_.state.currentFileName);
}

void frmMain::showIdentityWindow() {
    editors::FrmEMG window(ws_, prompter(), this);
    window.exec();
}

// ---- labels -------------------------------------------------------------------------

QString frmMain::fileFilter() const {
    return qs(text::message(MessageKey::DataFileLabel, ws_.state.language)) +
           QStringLiteral(" (*.dat)");
}

QString frmMain::caption() const {
    const model::RuntimeState& s = ws_.state;
    return QString::fromStdString(s.modelName) + QLatin1Char('[') +
           QString::fromStdString(s.bandText) + QLatin1String("][") +
           qs(labels::fileName, s.language) + QLatin1Char(':') + fileNamePart(s.currentFileName) +
           QLatin1Char(']');
}

void frmMain::setCaption() {
    setWindowTitle(caption());
    refreshModifiedPanel();
}

void frmMain::refreshModifiedPanel() {
    modifiedPanel_->setText(model::isModified(ws_)
                                ? qs(text::labels::document::kModified, ws_.state.language)
                                : QString());
}

void frmMain::setPortPanel() {
    panels_[2]->setText(qs(labels::comPort, ws_.state.language) +
                        QString::number(ws_.state.comPort));
}

QLabel* frmMain::statusPanel(int panel) const {
    return panel >= 1 && panel <= 3 ? panels_[panel - 1] : nullptr;
}

void frmMain::Change_Language() {
    const int lang = ws_.state.language;
    lastAppliedLanguage_ = lang;
    // Qt's own dialogs and buttons speak the same language as the program.
    useQtTranslations(lang);
    panels_[1]->setText(QString::fromStdString(ws_.state.modelName) + QLatin1Char('[') +
                        QString::fromStdString(ws_.state.bandText) + QLatin1Char(']'));
    setPortPanel();
    setCaption();
    menus_.label(lang);
    updateUndoActions();
    updateRecentMenu();
    safety_.label(lang);
    setOpenedBackup(openedBackup_); // its note in the language now chosen
    lists_->label(lang);
    fleet_->label(lang);
    const MainMenus& m = menus_;
    tree_->rebuild(QString::fromStdString(ws_.state.modelName), m.mnuChannelInfo->text(),
                   m.mnuOptFeature->text(), m.mnuEmbeddedMsg->text(), m.mnuEMG->text());
    tree_->nameControls(qs(text::withoutMnemonic(labels::mnuTreeView[lang])),
                        qs(labels::kTreeClose, lang), qs(labels::kTreeSplitter, lang),
                        qs(labels::kTreeSplitterKeys, lang));
}

void frmMain::applyLanguageChange() {
    if (ws_.state.language == lastAppliedLanguage_)
        return;
    Change_Language();
    closeAllChildWindows();
    openChildWindow(ChildWindow::ChannelInfo);
    cascade();
}

void frmMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        applyLanguageChange();
}

void frmMain::setTreeVisible(bool visible) {
    tree_->setVisible(visible);
    if (menus_.mnuTreeView->isChecked() != visible)
        menus_.mnuTreeView->setChecked(visible);
}

// ---- document commands --------------------------------------------------------------

void frmMain::LoadNewDoc() {
    closeAllChildWindows();
    model::startNewDocument(ws_);
    setOpenedBackup(QString());
    Change_Language();
    openChildWindow(ChildWindow::ChannelInfo);
    setCaption();
    cascade();
}

void frmMain::showNewDocument() {
    closeAllChildWindows();
    Change_Language();
    openChildWindow(ChildWindow::ChannelInfo);
    setCaption();
    cascade();
}

void frmMain::newFromToolbar() {
    commitOpenEditors();
    if (confirmDiscardOrSave())
        LoadNewDoc();
}

void frmMain::fileNew() {
    // A modified document is offered for saving first, as everywhere else it is replaced;
    // the warning that the data will be cleared follows.
    commitOpenEditors();
    if (!confirmDiscardOrSave())
        return;
    const auto answer =
        prompter().ask(text::message(MessageKey::AllDataCleared, ws_.state.language),
                       text::Buttons::OkCancel, text::Icon::Warning);
    if (answer == text::Answer::Ok)
        LoadNewDoc();
}

void frmMain::readFromRadio() {
    // Another conversation holds the port: the command does nothing, and asks nothing.
    if (radio_->busy())
        return;
    // The radio's data replaces the document: a modified one is offered for saving first.
    commitOpenEditors();
    if (!confirmDiscardOrSave())
        return;
    radio_->readFromRadio();
}

bool frmMain::saveBeforeLeaving() {
    // An untitled document has no file of its own yet: saving it under "new.dat" in
    // whatever the current folder is would overwrite a stranger's file, so ask for a name.
    if (ws_.state.untitled)
        return fileSaveAs();
    const bool done = model::saveDataFile(ws_, prompter());
    if (done)
        saved(QString::fromStdString(ws_.state.currentFileName));
    return done;
}

bool frmMain::confirmDiscardOrSave() {
    if (!model::isModified(ws_))
        return true;
    const auto answer = prompter().ask(text::message(MessageKey::FileModified, ws_.state.language),
                                       text::Buttons::YesNoCancel, text::Icon::Warning);
    if (answer == text::Answer::Cancel)
        return false;
    if (answer == text::Answer::No)
        return true;
    // A save that was cancelled or failed keeps the changes and the program where it was.
    return saveBeforeLeaving();
}

void frmMain::fileOpen() {
    commitOpenEditors();
    if (!confirmDiscardOrSave())
        return;
    // Data files first; backups of the radio's memory may be opened too.
    const QString path = services_.dialogs->openFile(
        this, dialogFolder(),
        fileFilter() + QStringLiteral(";;") +
            qs(text::labels::safety::kImageFileLabel, ws_.state.language) +
            QStringLiteral(" (*.img)"));
    if (path.isEmpty())
        return;
    openFile(path);
}

bool frmMain::openWithQuestion(const QString& path) {
    commitOpenEditors();
    if (!confirmDiscardOrSave())
        return false;
    return openFile(path);
}

void frmMain::openRecentFile(int index) {
    const QStringList files = recent_.files();
    if (index < 0 || index >= files.size())
        return;
    const QString path = files[index];
    if (!QFileInfo(path).isFile()) {
        recent_.remove(path);
        updateRecentMenu();
        prompter().inform(filled(text::labels::document::kRecentFileMissing, ws_.state.language,
                                 QDir::toNativeSeparators(path))
                              .toStdString());
        return;
    }
    openWithQuestion(path);
}

QString frmMain::dialogFolder() const {
    if (!ws_.state.untitled)
        return QFileInfo(QString::fromStdString(ws_.state.currentFileName)).absolutePath();
    return recent_.lastFolder();
}

void frmMain::rememberFile(const QString& path) {
    const QFileInfo info(path);
    recent_.add(info.absoluteFilePath());
    recent_.setLastFolder(info.absolutePath());
    updateRecentMenu();
}

void frmMain::updateRecentMenu() {
    const QStringList files = recent_.files();
    for (int i = 0; i < MainMenus::kRecentFileCount; ++i) {
        QAction* entry = menus_.mnuRecentFile[i];
        entry->setVisible(i < files.size());
        if (i < files.size()) {
            // "&1 name.dat" with the whole path beside it, so that equal names differ; an
            // "&" of a name is shown, not taken for a shortcut.
            const QFileInfo info(files[i]);
            QString name = info.fileName() + QStringLiteral("  [") +
                           QDir::toNativeSeparators(info.absolutePath()) + QLatin1Char(']');
            name.replace(QLatin1Char('&'), QLatin1String("&&"));
            entry->setText(QStringLiteral("&%1 ").arg(i + 1) + name);
            entry->setData(files[i]);
        }
    }
    menus_.recentFilesSeparator->setVisible(!files.isEmpty());
}

bool frmMain::openFile(const QString& path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    // The child windows close only once the file is known to become the document: a file
    // that is refused leaves the windows, the recent files and the document as they were.
    if (isRadioImageFile(full)) {
        const std::optional<link::RadioImage> image = readRadioImage(full, ws_, prompter());
        if (!image)
            return false;
        closeAllChildWindows();
        adoptRadioImage(ws_, *image);
        setOpenedBackup(full);
        // As after a read: the band may have changed with the radio's data.
        Change_Language();
        openChildWindow(ChildWindow::ChannelInfo);
        cascade();
        return true;
    }
    const model::DataFileLoad load = model::loadDataFile(ws_, full.toStdString(), prompter());
    switch (load.outcome.kind) {
    case model::OpenOutcome::Opened:
        closeAllChildWindows();
        model::adoptDataFile(ws_, *load.document);
        setOpenedBackup(QString());
        rememberFile(full);
        openChildWindow(ChildWindow::ChannelInfo);
        setCaption();
        Change_Language();
        cascade();
        return true;
    case model::OpenOutcome::StartOtherVersion:
        handOver(load.outcome.dataVersion, full);
        return false;
    default:
        // The messages were shown by Open; the document is unchanged.
        return false;
    }
}

void frmMain::handOver(const std::string& dataVersion, const QString& path) {
    const QString program = otherVersionProgram(ws_.versions, services_.installation, dataVersion);
    const auto failed = [this] {
        prompter().inform(text::message(MessageKey::VerStartFailed, ws_.state.language));
    };
    if (program.isEmpty())
        return failed();
    radio_->closePort();
    const QStringList arguments = path.isEmpty() ? QStringList() : QStringList{path};
    if (!services_.starter || !services_.starter->start(program, arguments))
        return failed();
    // The other version has the file now; end at once, without the exit question.
    handedOver_ = true;
    if (services_.endProgram)
        services_.endProgram(0);
}

bool frmMain::fileSave() {
    commitOpenEditors();
    if (ws_.state.untitled)
        return fileSaveAs();
    const std::string question =
        '"' + fileNamePart(ws_.state.currentFileName).toStdString() + '"' +
        std::string(text::message(MessageKey::FileOverwrite, ws_.state.language));
    if (prompter().ask(question, text::Buttons::OkCancel, text::Icon::Question) != text::Answer::Ok)
        return false;
    const bool done = model::saveDataFile(ws_, prompter());
    if (done)
        saved(QString::fromStdString(ws_.state.currentFileName));
    setCaption();
    return done;
}

bool frmMain::fileSaveAs() {
    commitOpenEditors();
    // An untitled document starts in the folder used last, under its name "new.dat"; one
    // opened from a backup under the backup's name, so that what it is stays known.
    QString preset = QString::fromStdString(ws_.state.currentFileName);
    if (ws_.state.untitled) {
        const QString name = openedBackup_.isEmpty() ? fileNamePart(ws_.state.currentFileName)
                                                     : QFileInfo(openedBackup_).completeBaseName() +
                                                           QStringLiteral(".dat");
        preset = recent_.lastFolder().isEmpty() ? name : QDir(recent_.lastFolder()).filePath(name);
    }
    const QString chosen = services_.dialogs->saveFile(this, preset, fileFilter());
    if (chosen.isEmpty())
        return false;
    ws_.state.currentFileName = QFileInfo(chosen).absoluteFilePath().toStdString();
    const bool done = model::saveDataFile(ws_, prompter());
    if (done)
        saved(chosen);
    setCaption();
    return done;
}

void frmMain::saved(const QString& path) {
    rememberFile(path);
    setCaption();
    // Saved under a name of its own: it is no longer the untitled copy of a backup.
    setOpenedBackup(QString());
    showStatus(qs(
        text::fill(text::labels::feedback::kSaved[ws_.state.language],
                   {QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()).toStdString()})));
}

void frmMain::showStatus(const QString& text) {
    feedback_->show(text);
}

void frmMain::setOpenedBackup(const QString& path) {
    openedBackup_ = path;
    feedback_->setStandingNote(
        path.isEmpty() ? QString()
                       : qs(text::fill(text::labels::feedback::kBackupOpened[ws_.state.language],
                                       {QFileInfo(path).fileName().toStdString()})));
}

void frmMain::initialSetting() {
    commitOpenEditors();
    if (!confirmDiscardOrSave())
        return;
    closeAllChildWindows();
    model::startInitialDocument(ws_);
    setOpenedBackup(QString());
    // The template may be of the other band: the caption and the status bar follow it.
    Change_Language();
    openChildWindow(ChildWindow::ChannelInfo);
    cascade();
}

void frmMain::undo() {
    // A value still being typed becomes a step of its own first, so undo takes it back and
    // redo can bring it again.
    commitOpenEditors();
    history_->undo();
}

void frmMain::redo() {
    commitOpenEditors();
    history_->redo();
}

void frmMain::updateUndoActions() {
    const int lang = ws_.state.language;
    const auto label = [lang](QAction* entry, const model::EditStep* step,
                              const text::TextTable& plain, const text::TextTable& named) {
        entry->setEnabled(step != nullptr);
        entry->setText(step ? filled(named, lang, qs(step->name.caption(lang))) : qs(plain, lang));
    };
    label(menus_.mnuEditUndo, history_->undoStep(), labels::mnuEditUndo,
          text::labels::editing::kUndoStep);
    label(menus_.mnuEditRedo, history_->redoStep(), labels::mnuEditRedo,
          text::labels::editing::kRedoStep);
}

void frmMain::refreshOpenEditors() {
    if (auto* channels =
            qobject_cast<editors::frmCommChInfo*>(childWindow(ChildWindow::ChannelInfo)))
        channels->SetGridData2();
    if (auto* options =
            qobject_cast<editors::FrmOptFeatures*>(childWindow(ChildWindow::OptFeatures)))
        options->ReShowData();
    if (auto* message = qobject_cast<editors::FrmEmbMsg*>(childWindow(ChildWindow::EmbMsg)))
        message->ReShowData();
    setCaption();
}

void frmMain::refreshOpenEditors(const model::EditStep& step) {
    // A band step changes the caption and status bar too.
    if (step.changesFrame())
        Change_Language();
    refreshOpenEditors();
    // The cursor goes to the cell of a channel step when the user is in the channel window.
    auto* channels = qobject_cast<editors::frmCommChInfo*>(childWindow(ChildWindow::ChannelInfo));
    if (channels && step.name.place.row > 0 &&
        subWindow(ChildWindow::ChannelInfo) == mdi_->activeSubWindow())
        channels->showCell(step.name.place.row, step.name.place.column);
}

void frmMain::checkAllChannelFrequency() {
    const int lang = ws_.state.language;
    // A frequency still being typed is part of what is checked and corrected.
    commitOpenEditors();
    if (!model::checkAllFrequencies(ws_, prompter())) {
        prompter().inform(text::message(MessageKey::AllFreqInRange, lang));
        return;
    }
    if (prompter().ask(text::message(MessageKey::SomeFreqOutOfRange, lang), text::Buttons::YesNo,
                       text::Icon::Question) != text::Answer::Yes)
        return;
    model::applyEdit(ws_, {text::labels::editing::kFrequencyCorrection, {}, {}},
                     [&] { model::correctAllFrequencies(ws_, prompter()); });
    reopenChannelWindow();
}

void frmMain::reopenChannelWindow() {
    // The channel window commits the text still open over its current cell when it
    // unloads. That text was taken before the record changed underneath it; storing it now
    // would undo the change. Let the window take the new content first.
    if (auto* channels =
            qobject_cast<editors::frmCommChInfo*>(childWindow(ChildWindow::ChannelInfo)))
        channels->SetGridData2();
    closeChildWindow(ChildWindow::ChannelInfo);
    openChildWindow(ChildWindow::ChannelInfo);
}

void frmMain::showLanguageSetup() {
    FrmSetLanguage window(ws_.state, services_.settingsPath, this);
    window.exec();
    // The main window is active again: a changed language applies now.
    applyLanguageChange();
}

void frmMain::showAbout() {
    FrmAbout about(ws_.state.language, QString::fromStdString(ws_.state.modelName), prompter(),
                   services_.systemInfo, this);
    about.exec();
}

void frmMain::showPrintList() {
    FrmPrintList window(ws_, this);
    window.setIdentityReadAt(radio_->identityReadAt());
    connect(&window, &FrmPrintList::printed, this, [this](int pages, const QString& pdf) {
        const int lang = ws_.state.language;
        showStatus(qs(pdf.isEmpty() ? text::fill(text::labels::feedback::kPrinted[lang],
                                                 {std::to_string(pages)})
                                    : text::fill(text::labels::feedback::kPrintedPdf[lang],
                                                 {std::to_string(pages),
                                                  QDir::toNativeSeparators(pdf).toStdString()})));
    });
    window.exec();
}

// ---- placement and exit -------------------------------------------------------------

void frmMain::restorePlacement() {
    const platform::WindowPlacement p =
        platform::UserStore::atFile(services_.userStorePath).loadPlacement();
    move(toPixels(p.left, this), toPixels(p.top, this));
    resize(toPixels(p.width, this), toPixels(p.height, this));
    keepOnScreen();
}

void frmMain::keepOnScreen() {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas << screen->availableGeometry();
    const int primary = int(QGuiApplication::screens().indexOf(QGuiApplication::primaryScreen()));
    const platform::WindowPlacement defaults;
    // The frame is known only once the window is shown; before that it counts as none.
    const QRect frame = isVisible() ? frameGeometry() : QRect(pos(), size());
    const QMargins margins(geometry().left() - frame.left(), geometry().top() - frame.top(),
                           frame.right() - geometry().right(),
                           frame.bottom() - geometry().bottom());
    const QRect fitted = fitToScreens(
        frame, areas, primary, QPoint(toPixels(defaults.left, this), toPixels(defaults.top, this)));
    if (fitted == frame)
        return;
    move(fitted.topLeft());
    resize(fitted.size().shrunkBy(margins));
}

void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        // Now the frame the window system adds is known: the whole frame must fit too.
        QTimer::singleShot(0, this, &frmMain::keepOnScreen);
    }
}

void frmMain::storePlacement() {
    if (isMinimized() || services_.userStorePath.isEmpty())
        return;
    const QRect frame = frameGeometry();
    platform::UserStore::atFile(services_.userStorePath)
        .savePlacement({toTwips(frame.x(), this), toTwips(frame.y(), this), toTwips(width(), this),
                        toTwips(height(), this)});
}

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (!draggedDataFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event) {
    const QString path = draggedDataFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // Opened once the drop has ended: its questions must not run inside the drag.
    QTimer::singleShot(0, this, [this, path] { openWithQuestion(path); });
}

void frmMain::closeEvent(QCloseEvent* event) {
    // A conversation still running ends first, the clean way: the radio is released from
    // its programming session and a write that stopped says what the radio holds.
    fleet_->endRun();
    radio_->endConversation();
    commitOpenEditors();
    if (!confirmDiscardOrSave()) {
        event->ignore();
        return;
    }
    storePlacement();
    if (services_.separator)
        services_.separator->restore();
    event->accept();
}

} // namespace zx::app
