// The main window: frame, child windows, labelling and the document commands.
#include "app/frmMain.h"

#include "app/FileDialogs.h"
#include "app/FrmPrintList.h"
#include "app/FrmSetLanguage.h"
#include "app/ImageDocument.h"
#include "app/QtText.h"
#include "app/RadioController.h"
#include "app/TreePanel.h"
#include "app/Twips.h"
#include "app/VersionHandover.h"
#include "app/WriteSafetySettings.h"
#include "editors/FrmEMG.h"
#include "editors/FrmEmbMsg.h"
#include "editors/FrmOptFeatures.h"
#include "editors/frmCommChInfo.h"
#include "model/ChannelTable.h"
#include "model/DataFile.h"
#include "platform/ProcessStarter.h"
#include "platform/SystemLocale.h"
#include "platform/UserStore.h"
#include "text/Messages.h"
#include "text/labels/MainLabels.h"
#include "text/labels/RadioSafetyLabels.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>

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

} // namespace

frmMain::frmMain(model::Workspace& ws, MainServices services, QWidget* parent)
    : QMainWindow(parent), ws_(ws), services_(std::move(services)) {
    setObjectName(QStringLiteral("frmMain"));
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
    row->addWidget(tree_);
    row->addWidget(mdi_, 1);
    setCentralWidget(central);

    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    for (int i = 0; i < 3; ++i) {
        panels_[i] = new QLabel(bar);
        panels_[i]->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        bar->addWidget(panels_[i], i == 0 ? 1 : 0);
    }
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
    on(m.mnuFileExit, [this] { close(); });
    on(m.MnuCheckRadioBand, [this] { radio_->checkRadioBand(); });
    on(m.MnuFrequencyCheck, [this] { checkAllChannelFrequency(); });
    on(m.mnuChannelInfo, [this] { openChildWindow(ChildWindow::ChannelInfo); });
    on(m.mnuOptFeature, [this] { openChildWindow(ChildWindow::OptFeatures); });
    on(m.mnuEmbeddedMsg, [this] { openChildWindow(ChildWindow::EmbMsg); });
    on(m.mnuEMG, [this] { radio_->readIdentity(); });
    on(m.mnuReadFromRadio, [this] { radio_->readFromRadio(); });
    on(m.mnuWriteToRadio, [this] {
        commitOpenEditors();
        radio_->writeToRadio();
    });
    on(m.mnuComm, [this] { radio_->communicationPortSetup(); });
    on(m.mnuLanguage, [this] { showLanguageSetup(); });
    on(m.MnuInitial, [this] { initialSetting(); });
    on(m.mnuWindowCascade, [this] { cascade(); });
    on(m.mnuCloseAll, [this] { closeAllChildWindows(); });
    on(m.mnuHelpAbout, [this] { showAbout(); });
    on(safety_.mnuOpenBackupFolder, [this] { radio_->openBackupFolder(); });
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
    on(m.tbNew, [this] { LoadNewDoc(); });
    on(m.tbOpen, [this] { fileOpen(); });
    on(m.tbSave, [this] { fileSave(); });
    on(m.tbPrint, [this] { showPrintList(); });
    on(m.tbReadRadio, [this] { radio_->readFromRadio(); });
    on(m.tbCommSet, [this] { radio_->communicationPortSetup(); });
    on(m.tbWriteRadio, [this] { menus_.mnuWriteToRadio->trigger(); });
    on(m.tbAbout, [this] { showAbout(); });

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
        // The band change starts a new document, which closes this very window: let its
        // handler return first.
        connect(channels, &editors::frmCommChInfo::newDocumentRequested, this, &frmMain::LoadNewDoc,
                Qt::QueuedConnection);
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
    panels_[1]->setText(QString::fromStdString(ws_.state.modelName) + QLatin1Char('[') +
                        QString::fromStdString(ws_.state.bandText) + QLatin1Char(']'));
    setPortPanel();
    setCaption();
    menus_.label(lang);
    safety_.label(lang);
    const MainMenus& m = menus_;
    tree_->rebuild(QString::fromStdString(ws_.state.modelName), m.mnuChannelInfo->text(),
                   m.mnuOptFeature->text(), m.mnuEmbeddedMsg->text(), m.mnuEMG->text());
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
    model::loadTemplate(ws_, model::newTemplatePath(ws_));
    Change_Language();
    openChildWindow(ChildWindow::ChannelInfo);
    setCaption();
    cascade();
}

void frmMain::fileNew() {
    const auto answer =
        prompter().ask(text::message(MessageKey::AllDataCleared, ws_.state.language),
                       text::Buttons::OkCancel, text::Icon::Warning);
    if (answer == text::Answer::Ok)
        LoadNewDoc();
}

bool frmMain::saveBeforeLeaving() {
    // An untitled document has no file of its own yet: saving it under "new.dat" in
    // whatever the current folder is would overwrite a stranger's file, so ask for a name.
    if (ws_.state.untitled)
        return fileSaveAs();
    const bool saved = model::saveDataFile(ws_, prompter());
    if (saved)
        setCaption();
    return saved;
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
    if (!confirmDiscardOrSave())
        return;
    // Data files first; backups of the radio's memory may be opened too.
    const QString path = services_.dialogs->openFile(
        this, fileFilter() + QStringLiteral(";;") +
                  qs(text::labels::safety::kImageFileLabel, ws_.state.language) +
                  QStringLiteral(" (*.img)"));
    if (path.isEmpty())
        return;
    openFile(path);
}

bool frmMain::openFile(const QString& path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    if (isRadioImageFile(full)) {
        closeAllChildWindows();
        const bool opened = openRadioImage(ws_, full, prompter());
        // As after a read: the band may have changed with the radio's data.
        Change_Language();
        openChildWindow(ChildWindow::ChannelInfo);
        cascade();
        return opened;
    }
    closeAllChildWindows();
    const model::OpenOutcome outcome = model::openDataFile(ws_, full.toStdString(), prompter());
    switch (outcome.kind) {
    case model::OpenOutcome::Opened:
        openChildWindow(ChildWindow::ChannelInfo);
        setCaption();
        Change_Language();
        cascade();
        return true;
    case model::OpenOutcome::StartOtherVersion:
        handOver(outcome.dataVersion, full);
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
    if (ws_.state.untitled)
        return fileSaveAs();
    const std::string question =
        '"' + fileNamePart(ws_.state.currentFileName).toStdString() + '"' +
        std::string(text::message(MessageKey::FileOverwrite, ws_.state.language));
    if (prompter().ask(question, text::Buttons::OkCancel, text::Icon::Question) != text::Answer::Ok)
        return false;
    const bool saved = model::saveDataFile(ws_, prompter());
    setCaption();
    return saved;
}

bool frmMain::fileSaveAs() {
    const QString chosen = services_.dialogs->saveFile(
        this, QString::fromStdString(ws_.state.currentFileName), fileFilter());
    if (chosen.isEmpty())
        return false;
    ws_.state.currentFileName = QFileInfo(chosen).absoluteFilePath().toStdString();
    const bool saved = model::saveDataFile(ws_, prompter());
    setCaption();
    return saved;
}

void frmMain::initialSetting() {
    closeAllChildWindows();
    model::loadTemplate(ws_, model::initialTemplatePath(ws_));
    // The template may be of the other band: the caption and the status bar follow it.
    Change_Language();
    openChildWindow(ChildWindow::ChannelInfo);
    cascade();
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
    model::correctAllFrequencies(ws_, prompter());
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
    FrmPrintList window(ws_.state.language, this);
    window.exec();
}

// ---- placement and exit -------------------------------------------------------------

void frmMain::restorePlacement() {
    const platform::WindowPlacement p =
        platform::UserStore::atFile(services_.userStorePath).loadPlacement();
    move(toPixels(p.left, this), toPixels(p.top, this));
    resize(toPixels(p.width, this), toPixels(p.height, this));
}

void frmMain::storePlacement() {
    if (isMinimized() || services_.userStorePath.isEmpty())
        return;
    const QRect frame = frameGeometry();
    platform::UserStore::atFile(services_.userStorePath)
        .savePlacement({toTwips(frame.x(), this), toTwips(frame.y(), this), toTwips(width(), this),
                        toTwips(height(), this)});
}

void frmMain::closeEvent(QCloseEvent* event) {
    // A conversation still running ends first, the clean way: the radio is released from
    // its programming session and a write that stopped says what the radio holds.
    radio_->endConversation();
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
