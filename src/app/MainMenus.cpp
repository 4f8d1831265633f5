// Menu bar and toolbar of the main window.
#include "app/MainMenus.h"

#include "app/QtText.h"
#include "text/labels/ChannelRowsLabels.h"
#include "text/labels/MainLabels.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

namespace zx::app {

namespace labels = text::labels::main;

namespace {

QMenu* addMenu(QMainWindow* window, const char* name) {
    QMenu* menu = window->menuBar()->addMenu(QString());
    menu->setObjectName(QLatin1String(name));
    return menu;
}

QAction* addEntry(QMenu* menu, const char* name) {
    QAction* action = menu->addAction(QString());
    action->setObjectName(QLatin1String(name));
    return action;
}

// An entry that is present but can never be chosen.
QAction* addUnavailable(QMenu* menu, const char* name) {
    QAction* action = addEntry(menu, name);
    action->setEnabled(false);
    return action;
}

QAction* addCheckedEntry(QMenu* menu, const char* name) {
    QAction* action = addEntry(menu, name);
    action->setCheckable(true);
    action->setChecked(true);
    return action;
}

QAction* addButton(QToolBar* bar, const QString& key, QStyle::StandardPixmap icon) {
    QAction* action = bar->addAction(bar->style()->standardIcon(icon), QString());
    action->setObjectName(key);
    action->setData(key);
    return action;
}

// A toolbar position that holds no command and shows nothing.
void addGap(QToolBar* bar) {
    auto* gap = new QWidget(bar);
    gap->setFixedWidth(6);
    bar->addWidget(gap);
}

} // namespace

void MainMenus::build(QMainWindow* window) {
    mnuFile = addMenu(window, "mnuFile");
    mnuFileNew = addEntry(mnuFile, "mnuFileNew");
    mnuFileNew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    mnuFileOpen = addEntry(mnuFile, "mnuFileOpen");
    mnuFileOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuFileSave = addEntry(mnuFile, "mnuFileSave");
    mnuFileSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuFileSaveAs = addEntry(mnuFile, "mnuFileSaveAs");
    mnuFileSaveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    mnuFile->addSeparator();
    mnuImportChannels = addEntry(mnuFile, "mnuImportChannels");
    mnuExportChannels = addEntry(mnuFile, "mnuExportChannels");
    mnuFile->addSeparator();
    mnuFilePrint = addEntry(mnuFile, "mnuFilePrint");
    mnuFile->addSeparator();
    for (int i = 0; i < kRecentFileCount; ++i) {
        mnuRecentFile[i] =
            addEntry(mnuFile, qPrintable(QStringLiteral("mnuRecentFile%1").arg(i + 1)));
        mnuRecentFile[i]->setVisible(false);
    }
    recentFilesSeparator = mnuFile->addSeparator();
    recentFilesSeparator->setVisible(false);
    mnuFileExit = addEntry(mnuFile, "mnuFileExit");
    mnuFileExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    mnuModel = addMenu(window, "mnuModel");
    mnuModelInfo = addUnavailable(mnuModel, "mnuModelInfo");
    mnuModel->menuAction()->setEnabled(false);

    MnuBand = addMenu(window, "MnuBand");
    MnuCheckRadioBand = addEntry(MnuBand, "MnuCheckRadioBand");
    MnuFrequencyCheck = addEntry(MnuBand, "MnuFrequencyCheck");

    mnuEdit = addMenu(window, "mnuEdit");
    mnuEditUndo = addEntry(mnuEdit, "mnuEditUndo");
    mnuEditUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    mnuEditUndo->setEnabled(false);
    mnuEditRedo = addEntry(mnuEdit, "mnuEditRedo");
    mnuEditRedo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    mnuEditRedo->setEnabled(false);
    mnuEdit->addSeparator();
    mnuChannelInfo = addEntry(mnuEdit, "mnuChannelInfo");
    mnuFillChannels = addEntry(mnuEdit, "mnuFillChannels");
    mnuEdit->addSeparator();
    mnuOptFeature = addEntry(mnuEdit, "mnuOptFeature");
    mnuKeyAssignm = addUnavailable(mnuEdit, "mnuKeyAssignm");
    mnuScanInfo = addUnavailable(mnuEdit, "mnuScanInfo");
    mnuEdit->addSeparator();
    // Qt folds adjacent separators on screen; the second one is kept as an action anyway.
    mnuEdit->addSeparator();
    mnuEmbeddedMsg = addEntry(mnuEdit, "mnuEmbeddedMsg");
    mnuEMG = addEntry(mnuEdit, "mnuEMG");

    mnuProgram = addMenu(window, "mnuProgram");
    mnuReadFromRadio = addEntry(mnuProgram, "mnuReadFromRadio");
    mnuWriteToRadio = addEntry(mnuProgram, "mnuWriteToRadio");

    mnuSet = addMenu(window, "mnuSet");
    mnuComm = addEntry(mnuSet, "mnuComm");
    mnuLanguage = addEntry(mnuSet, "mnuLanguage");
    MnuInitial = addEntry(mnuSet, "MnuInitial");
    MnuInitialBand1 = addUnavailable(mnuSet, "MnuInitialBand1");
    MnuInitialBand2 = addUnavailable(mnuSet, "MnuInitialBand2");

    mnuView = addMenu(window, "mnuView");
    mnuTreeView = addCheckedEntry(mnuView, "mnuTreeView");
    mnuView->addSeparator();
    mnuViewToolbar = addCheckedEntry(mnuView, "mnuViewToolbar");
    mnuViewStatusBar = addCheckedEntry(mnuView, "mnuViewStatusBar");

    mnuWindow = addMenu(window, "mnuWindow");
    mnuWindowCascade = addEntry(mnuWindow, "mnuWindowCascade");
    mnuWindow->addSeparator();
    mnuCloseAll = addEntry(mnuWindow, "mnuCloseAll");
    windowListSeparator = mnuWindow->addSeparator();

    mnuHelp = addMenu(window, "mnuHelp");
    mnuHelpTopic = addUnavailable(mnuHelp, "mnuHelpTopic");
    mnuHelp->addSeparator();
    mnuHelpAbout = addEntry(mnuHelp, "mnuHelpAbout");

    tbToolBar = window->addToolBar(QString());
    tbToolBar->setObjectName(QStringLiteral("tbToolBar"));
    tbToolBar->setMovable(false);
    tbNew = addButton(tbToolBar, QStringLiteral("新建"), QStyle::SP_FileIcon);
    tbOpen = addButton(tbToolBar, QStringLiteral("打开"), QStyle::SP_DialogOpenButton);
    tbSave = addButton(tbToolBar, QStringLiteral("保存"), QStyle::SP_DialogSaveButton);
    addGap(tbToolBar); // 4
    tbPrint = addButton(tbToolBar, QStringLiteral("打印"), QStyle::SP_FileDialogDetailedView);
    addGap(tbToolBar); // 6
    tbReadRadio = addButton(tbToolBar, QStringLiteral("ReadRadio"), QStyle::SP_ArrowDown);
    tbCommSet = addButton(tbToolBar, QStringLiteral("CommSet"), QStyle::SP_ComputerIcon);
    tbWriteRadio = addButton(tbToolBar, QStringLiteral("WriteRadio"), QStyle::SP_ArrowUp);
    addGap(tbToolBar); // 10..12
    tbAbout = addButton(tbToolBar, QStringLiteral("About"), QStyle::SP_MessageBoxInformation);
}

void MainMenus::label(int language) {
    const auto set = [language](auto* item, const text::TextTable& table) {
        if constexpr (std::is_same_v<decltype(item), QMenu*>)
            item->setTitle(qs(table, language));
        else
            item->setText(qs(table, language));
    };
    set(mnuFile, labels::mnuFile);
    set(mnuModel, labels::mnuModel);
    set(MnuBand, labels::MnuBand);
    set(mnuEdit, labels::mnuEdit);
    set(mnuProgram, labels::mnuProgram);
    set(mnuSet, labels::mnuSet);
    set(mnuView, labels::mnuView);
    set(mnuWindow, labels::mnuWindow);
    set(mnuHelp, labels::mnuHelp);

    set(mnuFileNew, labels::mnuFileNew);
    set(mnuFileOpen, labels::mnuFileOpen);
    set(mnuFileSave, labels::mnuFileSave);
    set(mnuFileSaveAs, labels::mnuFileSaveAs);
    set(mnuImportChannels, text::labels::channel_rows::mnuImportChannels);
    set(mnuExportChannels, text::labels::channel_rows::mnuExportChannels);
    set(mnuFilePrint, labels::mnuFilePrint);
    set(mnuFileExit, labels::mnuFileExit);
    set(mnuModelInfo, labels::mnuModelInfo);
    set(MnuCheckRadioBand, labels::MnuCheckRadioBand);
    set(MnuFrequencyCheck, labels::MnuFrequencyCheck);
    set(mnuEditUndo, labels::mnuEditUndo);
    set(mnuEditRedo, labels::mnuEditRedo);
    set(mnuChannelInfo, labels::mnuChannelInfo);
    set(mnuFillChannels, text::labels::channel_rows::mnuFillChannels);
    set(mnuOptFeature, labels::mnuOptFeature);
    set(mnuKeyAssignm, labels::mnuKeyAssignm);
    set(mnuScanInfo, labels::mnuScanInfo);
    set(mnuEmbeddedMsg, labels::mnuEmbeddedMsg);
    set(mnuEMG, labels::mnuEMG);
    set(mnuReadFromRadio, labels::mnuReadFromRadio);
    set(mnuWriteToRadio, labels::mnuWriteToRadio);
    set(mnuComm, labels::mnuComm);
    set(mnuLanguage, labels::mnuLanguage);
    set(MnuInitial, labels::MnuInitial);
    set(MnuInitialBand1, labels::MnuInitialBand1);
    set(MnuInitialBand2, labels::MnuInitialBand2);
    set(mnuTreeView, labels::mnuTreeView);
    set(mnuViewToolbar, labels::mnuViewToolbar);
    set(mnuViewStatusBar, labels::mnuViewStatusBar);
    set(mnuWindowCascade, labels::mnuWindowCascade);
    set(mnuCloseAll, labels::mnuCloseAll);
    set(mnuHelpTopic, labels::mnuHelpTopic);
    set(mnuHelpAbout, labels::mnuHelpAbout);

    // Each button's tooltip is the caption of the entry it stands for, "&" included.
    const std::pair<QAction*, QAction*> buttons[] = {{tbNew, mnuFileNew},
                                                     {tbOpen, mnuFileOpen},
                                                     {tbSave, mnuFileSave},
                                                     {tbPrint, mnuFilePrint},
                                                     {tbReadRadio, mnuReadFromRadio},
                                                     {tbCommSet, mnuComm},
                                                     {tbWriteRadio, mnuWriteToRadio},
                                                     {tbAbout, mnuHelpAbout}};
    for (const auto& [button, entry] : buttons) {
        button->setText(entry->text());
        button->setToolTip(entry->text());
    }
}

} // namespace zx::app
