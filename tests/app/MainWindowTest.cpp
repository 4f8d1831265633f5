// The main window driven as a user would: menus, toolbar, tree, the document commands and
// their questions, the hand-over to another installed version, placement and exit.
#include "AppTestSupport.h"
#include "app/FrmAbout.h"
#include "app/TreePanel.h"
#include "app/Twips.h"
#include "model/DataFile.h"
#include "platform/UserStore.h"
#include "text/Messages.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace zx::test {
namespace {

using text::Answer;
using text::MessageKey;

std::string msg(MessageKey key, int language = text::English) {
    return std::string(text::message(key, language));
}

QStringList openWindows(app::frmMain& w) {
    QStringList names;
    for (QMdiSubWindow* sub : w.mdiArea()->subWindowList())
        if (!sub->isHidden())
            names << sub->widget()->objectName();
    return names;
}

QAction* action(app::frmMain& w, const char* name) {
    auto* found = w.findChild<QAction*>(QString::fromUtf8(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// A change the document comparison notices.
void modify(model::Workspace& ws) {
    ws.record.embeddedMessage[0] = "EDITED";
}

class MainWindowTest : public ::testing::Test {
protected:
    TempInstallation inst;
};

TEST_F(MainWindowTest, LoadsWithTheChannelWindowCaptionAndStatusBar) {
    AppHarness app(inst);
    app::frmMain& w = app.window();
    EXPECT_EQ(openWindows(w), QStringList{"frmCommChInfo"});
    EXPECT_EQ(w.windowTitle(), "ZX-908HF[28.000000 - 29.700000 MHz][File Name:new.dat]");
    EXPECT_EQ(w.statusPanel(2)->text(), "ZX-908HF[28.000000 - 29.700000 MHz]");
    EXPECT_EQ(w.statusPanel(3)->text(), "COM1");
    EXPECT_TRUE(app.prompter.asked.empty());
}

TEST_F(MainWindowTest, MenusCarryTheirNamesCaptionsShortcutsAndUnavailableEntries) {
    AppHarness app(inst);
    app::frmMain& w = app.window();
    EXPECT_EQ(action(w, "mnuFileNew")->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(action(w, "mnuFileOpen")->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(action(w, "mnuFileSave")->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(action(w, "mnuFileSaveAs")->shortcut(), QKeySequence("Ctrl+Shift+S"));
    EXPECT_EQ(action(w, "mnuFileExit")->shortcut(), QKeySequence("Ctrl+Q"));
    EXPECT_EQ(action(w, "mnuEditUndo")->shortcut(), QKeySequence("Ctrl+Z"));
    EXPECT_EQ(action(w, "mnuEditRedo")->shortcuts(),
              (QList<QKeySequence>{QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));
    EXPECT_EQ(action(w, "mnuEditUndo")->text(), "&Undo");
    EXPECT_EQ(action(w, "mnuEditRedo")->text(), "&Redo");
    EXPECT_FALSE(action(w, "mnuEditUndo")->isEnabled()) << "nothing to undo yet";
    EXPECT_EQ(action(w, "mnuHelpAbout")->text(), "&About ZX_908HF");
    for (const char* name : {"mnuModelInfo", "mnuKeyAssignm", "mnuScanInfo", "MnuInitialBand1",
                             "MnuInitialBand2", "mnuHelpTopic"})
        EXPECT_FALSE(action(w, name)->isEnabled()) << name;
    EXPECT_FALSE(w.findChild<QMenu*>("mnuModel")->menuAction()->isEnabled());
    for (const char* name : {"mnuTreeView", "mnuViewToolbar", "mnuViewStatusBar"})
        EXPECT_TRUE(action(w, name)->isChecked()) << name;

    // Edit: Undo, Redo | sep | the row commands | sep | Find | sep | Channel, Fill | sep |
    // Option, Key, Scan | sep sep | Local, Embedded.
    QStringList edit;
    for (QAction* a : w.findChild<QMenu*>("mnuEdit")->actions())
        edit << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    EXPECT_EQ(edit, (QStringList{"mnuEditUndo",
                                 "mnuEditRedo",
                                 "-",
                                 "mnuChannelsCopy",
                                 "mnuChannelsCut",
                                 "mnuChannelsPaste",
                                 "mnuChannelsDelete",
                                 "-",
                                 "mnuChannelsInsert",
                                 "mnuChannelsMoveUp",
                                 "mnuChannelsMoveDown",
                                 "mnuChannelsSort",
                                 "-",
                                 "mnuFind",
                                 "mnuFindNext",
                                 "mnuFindPrevious",
                                 "-",
                                 "mnuChannelInfo",
                                 "mnuFillChannels",
                                 "-",
                                 "mnuOptFeature",
                                 "mnuKeyAssignm",
                                 "mnuScanInfo",
                                 "-",
                                 "-",
                                 "mnuEmbeddedMsg",
                                 "mnuEMG"}));
    EXPECT_EQ(action(w, "mnuFillChannels")->text(), "&Fill Channels…");
    // File: New, Open, Save, Save As | sep | Import, Export Channels, Open Backup Folder,
    // Compare with File, Restore from Backup | sep | Print | ...
    QStringList file;
    for (QAction* a : w.findChild<QMenu*>("mnuFile")->actions())
        if (a->isVisible())
            file << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    EXPECT_EQ(file, (QStringList{"mnuFileNew", "mnuFileOpen", "mnuFileSave", "mnuFileSaveAs", "-",
                                 "mnuImportChannels", "mnuExportChannels", "mnuOpenBackupFolder",
                                 "mnuCompareWithFile", "mnuRestoreFromBackup", "-", "mnuFilePrint",
                                 "-", "mnuFileExit"}));
    EXPECT_EQ(action(w, "mnuImportChannels")->text(), "&Import Channels…");
    EXPECT_EQ(action(w, "mnuExportChannels")->text(), "&Export Channels…");

    // The toolbar buttons carry their keys; tooltips are the menu captions with their "&".
    auto* bar = w.findChild<QToolBar*>("tbToolBar");
    ASSERT_NE(bar, nullptr);
    QStringList keys;
    for (QAction* a : bar->actions())
        if (a->data().isValid())
            keys << a->data().toString();
    EXPECT_EQ(keys, (QStringList{"新建", "打开", "保存", "打印", "ReadRadio", "CommSet",
                                 "WriteRadio", "About"}));
    EXPECT_EQ(action(w, "新建")->toolTip(), "&New");
    EXPECT_EQ(action(w, "CommSet")->toolTip(), "&Communication Port");
}

TEST_F(MainWindowTest, NewFromTheToolbarAsksOnlyWhenModifiedFromTheMenuAsksFirst) {
    model::ConfigRecord tpl;
    tpl.embeddedMessage[0] = "TEMPLATE";
    TempInstallation::writeRecord(inst.programFolder() + "/Init/0_ZX-908HF_New.dat", tpl);
    AppHarness app(inst);
    app::frmMain& w = app.window();
    const QString path = inst.root() + "/opened.dat";
    TempInstallation::writeRecord(path, model::ConfigRecord{});
    ASSERT_TRUE(w.openFile(path));
    w.openChildWindow(app::ChildWindow::OptFeatures);

    // Unchanged: the toolbar's New replaces without a question.
    action(w, "新建")->trigger();
    EXPECT_TRUE(app.prompter.asked.empty());
    EXPECT_EQ(app.ws.record.embeddedMessage[0].trimmed(), "TEMPLATE");
    EXPECT_EQ(openWindows(w), QStringList{"frmCommChInfo"});
    // The template is the untitled "new.dat": Save cannot write it over the opened file.
    EXPECT_TRUE(app.ws.state.untitled);
    EXPECT_EQ(app.ws.state.currentFileName, "new.dat");
    EXPECT_TRUE(w.windowTitle().endsWith("[File Name:new.dat]"));

    // Changed: the unsaved-changes question of Open; Cancel keeps the edit.
    modify(app.ws);
    app.prompter.script({Answer::Cancel});
    action(w, "新建")->trigger();
    ASSERT_EQ(app.prompter.asked.size(), 1u);
    EXPECT_EQ(app.prompter.asked[0].text, msg(MessageKey::FileModified));
    EXPECT_EQ(app.prompter.asked[0].buttons, text::Buttons::YesNoCancel);
    EXPECT_EQ(app.prompter.asked[0].icon, text::Icon::Warning);
    EXPECT_EQ(app.ws.record.embeddedMessage[0].trimmed(), "EDITED");
    app.prompter.script({Answer::No});
    action(w, "新建")->trigger();
    EXPECT_FALSE(model::isModified(app.ws));
    EXPECT_EQ(app.ws.record.embeddedMessage[0].trimmed(), "TEMPLATE");

    // The menu's New asks the unsaved-changes question first, then warns that the data
    // will be cleared.
    app.prompter.asked.clear();
    modify(app.ws);
    app.prompter.script({Answer::No, Answer::Cancel});
    action(w, "mnuFileNew")->trigger();
    ASSERT_EQ(app.prompter.asked.size(), 2u);
    EXPECT_EQ(app.prompter.asked[0].text, msg(MessageKey::FileModified));
    EXPECT_EQ(app.prompter.asked[1].text, msg(MessageKey::AllDataCleared));
    EXPECT_EQ(app.prompter.asked[1].buttons, text::Buttons::OkCancel);
    EXPECT_EQ(app.prompter.asked[1].icon, text::Icon::Warning);
    EXPECT_TRUE(model::isModified(app.ws));

    app.prompter.script({Answer::No, Answer::Ok});
    action(w, "mnuFileNew")->trigger();
    EXPECT_FALSE(model::isModified(app.ws));
    EXPECT_EQ(app.ws.record.embeddedMessage[0].trimmed(), "TEMPLATE");
}

TEST_F(MainWindowTest, SaveOnUntitledGoesToSaveAsAndOnTitledAsksToOverwrite) {
    AppHarness app(inst);
    app::frmMain& w = app.window();
    const QString path = inst.root() + "/mine.dat";

    app.dialogs.answers = {path};
    action(w, "mnuFileSave")->trigger();
    EXPECT_EQ(app.dialogs.saves, 1);
    EXPECT_EQ(app.dialogs.lastPreset, "new.dat");
    EXPECT_EQ(app.dialogs.lastFilter, "Data File (*.dat)");
    EXPECT_TRUE(app.prompter.asked.empty());
    EXPECT_EQ(QFileInfo(path).size(), 14536);
    EXPECT_FALSE(app.ws.state.untitled);
    EXPECT_EQ(w.windowTitle(), "ZX-908HF[28.000000 - 29.700000 MHz][File Name:mine.dat]");

    // Titled and unchanged: the overwrite question still comes; Cancel leaves the file.
    modify(app.ws);
    app.prompter.script({Answer::Cancel});
    action(w, "mnuFileSave")->trigger();
    ASSERT_EQ(app.prompter.asked.size(), 1u);
    EXPECT_EQ(app.prompter.asked[0].text, "\"mine.dat\"file will be Overwrite,Continue?");
    EXPECT_EQ(app.prompter.asked[0].icon, text::Icon::Question);
    EXPECT_EQ(app.dialogs.saves, 1);
    EXPECT_TRUE(model::isModified(app.ws));

    app.prompter.script({Answer::Ok});
    action(w, "保存")->trigger();
    EXPECT_FALSE(model::isModified(app.ws));

    // Save As with a cancelled dialog changes nothing.
    action(w, "mnuFileSaveAs")->trigger();
    EXPECT_EQ(app.dialogs.lastPreset, path);
    EXPECT_EQ(app.ws.state.currentFileName, path.toStdString());
}

TEST_F(MainWindowTest, ExitWithChangesAsksAndCancelKeepsTheProgramRunning) {
    AppHarness app(inst);
    app::frmMain& w = app.window();
    modify(app.ws);

    app.prompter.script({Answer::Cancel});
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    ASSERT_EQ(app.prompter.asked.size(), 1u);
    EXPECT_EQ(app.prompter.asked[0].text, msg(MessageKey::FileModified));
    EXPECT_EQ(app.prompter.asked[0].buttons, text::Buttons::YesNoCancel);
    EXPECT_FALSE(QFileInfo::exists(inst.userStorePath()));

    app.prompter.script({Answer::No});
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(w.isVisible());
    // The placement went to the per-user store, in twips.
    const platform::WindowPlacement stored =
        platform::UserStore::atFile(inst.userStorePath()).loadPlacement();
    EXPECT_EQ(stored.width, app::toTwips(w.width(), &w));
    EXPECT_EQ(stored.height, app::toTwips(w.height(), &w));
    // The default 14500 twips (967 pixels) are wider than the 800-pixel test screen: the
    // window was fitted to the screen, and that is what is stored.
    EXPECT_LE(w.frameGeometry().width(), w.screen()->availableGeometry().width());
    EXPECT_LT(stored.width, 14500);
}

TEST_F(MainWindowTest, ASaveThatFailsOnExitKeepsTheProgramAndTheChanges) {
    AppHarness app(inst);
    app::frmMain& w = app.window();
    const QString gone = inst.root() + "/no-such-folder/lost.dat";
    app.ws.state.currentFileName = gone.toStdString();
    app.ws.state.untitled = false;
    modify(app.ws);
    app.prompter.script({Answer::Yes});
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(app.prompter.texts(),
              (std::vector<std::string>{msg(MessageKey::FileModified),
                                        msg(MessageKey::FileError) + "\nThe folder of " +
                                            gone.toStdString() + " does not exist."}));
    EXPECT_TRUE(model::isModified(app.ws));
}

TEST_F(MainWindowTest, ExitWithoutChangesAsksNothing) {
    AppHarness app(inst);
    EXPECT_TRUE(app.window().close());
    EXPECT_TRUE(app.prompter.asked.empty());
}

TEST_F(MainWindowTest, YesToTheSaveQuestionOfAnUntitledDocumentAsksForANameInsteadOfWritingNewDat) {
    AppHarness app(inst);
    app::frmMain& w = app.window();
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(inst.root());
    modify(app.ws);

    // Exit, Yes, and the dialog cancelled: the program stays, nothing is written.
    app.prompter.script({Answer::Yes});
    EXPECT_FALSE(w.close());
    EXPECT_EQ(app.dialogs.saves, 1);
    EXPECT_FALSE(QFileInfo::exists(inst.root() + "/new.dat"));
    EXPECT_TRUE(model::isModified(app.ws));

    // Open, Yes, dialog cancelled: the command ends before the open dialog.
    app.prompter.script({Answer::Yes});
    action(w, "mnuFileOpen")->trigger();
    EXPECT_EQ(app.dialogs.saves, 2);
    EXPECT_EQ(app.dialogs.opens, 0);
    EXPECT_FALSE(QFileInfo::exists(inst.root() + "/new.dat"));

    // Exit, Yes, a name chosen: saved there and closed.
    const QString chosen = inst.root() + "/kept.dat";
    app.dialogs.answers = {chosen};
    app.prompter.script({Answer::Yes});
    EXPECT_TRUE(w.close());
    EXPECT_EQ(QFileInfo(chosen).size(), 14536);
    EXPECT_FALSE(QFileInfo::exists(inst.root() + "/new.dat"));
    QDir::setCurrent(cwd);
}

TEST_F(MainWindowTest, YesToTheSaveQuestionOfATitledDocumentSavesWithoutTheOverwriteQuestion) {
    AppHarness app(inst);
    app::frmMain& w = app.window();
    const QString first = inst.root() + "/first.dat";
    const QString second = inst.root() + "/second.dat";
    model::ConfigRecord other;
    other.embeddedMessage[1] = "SECOND FILE";
    TempInstallation::writeRecord(second, other);

    app.dialogs.answers = {first};
    action(w, "mnuFileSaveAs")->trigger();
    modify(app.ws);
    app.dialogs.answers = {second};
    app.prompter.script({Answer::Yes});
    action(w, "mnuFileOpen")->trigger();
    ASSERT_EQ(app.prompter.asked.size(), 1u); // only the save question
    EXPECT_EQ(app.ws.record.embeddedMessage[1].trimmed(), "SECOND FILE");
    EXPECT_EQ(app.ws.state.currentFileName, second.toStdString());

    // The first file holds the edit.
    model::Workspace check;
    test::ScriptedPrompter quiet;
    check.versions = app.ws.versions;
    ASSERT_EQ(model::openDataFile(check, first.toStdString(), quiet).kind,
              model::OpenOutcome::Opened);
    EXPECT_EQ(check.record.embeddedMessage[0].trimmed(), "EDITED");
}

TEST_F(MainWindowTest, OpenReplacesTheDocumentAndTitlesIt) {
    AppHarness app(inst);
    app::frmMain& w = app.window();
    model::ConfigRecord rec;
    rec.modelInfo.bandIndex = 1;
    const QString path = inst.root() + "/band1.dat";
    TempInstallation::writeRecord(path, rec);
    w.openChildWindow(app::ChildWindow::EmbMsg);

    app.dialogs.answers = {path};
    action(w, "打开")->trigger();
    EXPECT_TRUE(app.prompter.asked.empty());
    EXPECT_FALSE(app.ws.state.untitled);
    EXPECT_EQ(openWindows(w), QStringList{"frmCommChInfo"});
    EXPECT_EQ(w.windowTitle(), "ZX-908HF[25.615000 - 30.105000 MHz][File Name:band1.dat]");
    EXPECT_EQ(w.statusPanel(2)->text(), "ZX-908HF[25.615000 - 30.105000 MHz]");
}

TEST_F(MainWindowTest, OpenOfAnIncompatibleFileAsksAndHandsItToTheInstalledVersion) {
    inst.writeVersionList({"V310V310", "V300V300"});
    AppHarness app(inst);
    app::frmMain& w = app.window();
    model::ConfigRecord old;
    old.dataVersion = "V300";
    const QString path = inst.root() + "/old.dat";
    TempInstallation::writeRecord(path, old);

    // Not installed: the question, then the failure message; this program goes on.
    app.dialogs.answers = {path};
    app.prompter.script({Answer::Yes});
    action(w, "mnuFileOpen")->trigger();
    ASSERT_EQ(app.prompter.asked.size(), 2u);
    EXPECT_EQ(app.prompter.asked[0].text, model::compatibilityQuestion("V300", text::English));
    EXPECT_EQ(app.prompter.asked[0].buttons, text::Buttons::YesNo);
    EXPECT_EQ(app.prompter.asked[1].text, msg(MessageKey::VerStartFailed));
    EXPECT_FALSE(app.endedWith.has_value());
    EXPECT_TRUE(app.starter.program.isEmpty());

    // Installed: it is started with the file and this program ends with code 0.
    QDir(inst.root()).mkpath("V300");
    const QString other = inst.root() + "/V300/" + kProgramFileName;
    QFile exe(other);
    ASSERT_TRUE(exe.open(QIODevice::WriteOnly));
    exe.close();
    exe.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    app.dialogs.answers = {path};
    app.prompter.script({Answer::Yes});
    action(w, "mnuFileOpen")->trigger();
    EXPECT_EQ(app.starter.program, other);
    EXPECT_EQ(app.starter.arguments, QStringList{path});
    EXPECT_EQ(app.endedWith, 0);
    EXPECT_TRUE(w.handedOver());
    EXPECT_TRUE(app.ws.state.untitled); // the document was not touched

    // No: nothing is started.
    AppHarness again(inst);
    again.dialogs.answers = {path};
    again.prompter.script({Answer::No});
    again.window().fileOpen();
    EXPECT_TRUE(again.starter.program.isEmpty());
    EXPECT_FALSE(again.endedWith.has_value());
}

TEST_F(MainWindowTest, TheTreesCloseButtonAndTreeViewAgree) {
    AppHarness app(inst);
    app::frmMain& w = app.window();
    QWidget* panel = w.treePanel();
    auto* closeButton = w.findChild<QToolBar*>("Toolbar1")->actions().front();
    EXPECT_EQ(closeButton->data().toString(), "删除");

    closeButton->trigger();
    EXPECT_FALSE(panel->isVisible());
    EXPECT_FALSE(action(w, "mnuTreeView")->isChecked());

    action(w, "mnuTreeView")->trigger();
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(action(w, "mnuTreeView")->isChecked());

    action(w, "mnuTreeView")->trigger();
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(MainWindowTest, TreeNodesFollowTheMenuAndOpenTheirWindowsOnce) {
    AppHarness app(inst);
    app::frmMain& w = app.window();
    auto* tree = w.findChild<QTreeWidget*>("TreeView1");
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* root = tree->topLevelItem(0);
    EXPECT_EQ(root->text(0), "ZX-908HF");
    EXPECT_TRUE(root->isExpanded());
    ASSERT_EQ(root->childCount(), 4);
    QStringList keys, texts;
    for (int i = 0; i < 4; ++i) {
        keys << root->child(i)->data(0, Qt::UserRole).toString();
        texts << root->child(i)->text(0);
    }
    EXPECT_EQ(keys, (QStringList{"N1", "N2", "N8", "N9"}));
    EXPECT_EQ(texts, (QStringList{"&Channel Information", "&Option Features", "Local &Information",
                                  "Embedded &Message"}));

    const auto click = [&](QTreeWidgetItem* item) { emit tree->itemClicked(item, 0); };
    click(root->child(1));
    click(root->child(2));
    click(root->child(1));
    click(root);
    EXPECT_EQ(openWindows(w).size(), 3);
    EXPECT_EQ(w.mdiArea()->activeSubWindow()->widget()->objectName(), "FrmOptFeatures");

    action(w, "mnuCloseAll")->trigger();
    EXPECT_TRUE(openWindows(w).isEmpty());
}

TEST_F(MainWindowTest, TheSplitterRefusesAPanelNarrowerThan300Twips) {
    AppHarness app(inst);
    app::frmMain& w = app.window();
    app::TreePanel* panel = w.treePanel();
    const int start = panel->width();
    const int minimum = app::toPixels(app::TreePanel::kMinimumWidthTwips, panel);

    QWidget* splitter = w.findChild<QWidget*>("CommandMove");
    ASSERT_NE(splitter, nullptr);
    const QPoint at(2, 10);
    QTest::mousePress(splitter, Qt::LeftButton, {}, at);
    QMouseEvent move(QEvent::MouseMove, QPointF(at + QPoint(40, 0)),
                     splitter->mapToGlobal(QPointF(at + QPoint(40, 0))), Qt::NoButton,
                     Qt::LeftButton, {});
    QApplication::sendEvent(splitter, &move);
    EXPECT_EQ(panel->width(), start + 40);

    EXPECT_FALSE(panel->dragBy(minimum - panel->width() - 1, w.width()));
    EXPECT_EQ(panel->width(), start + 40);
    EXPECT_TRUE(panel->dragBy(minimum - panel->width(), w.width()));
    EXPECT_EQ(panel->width(), minimum);
    EXPECT_FALSE(panel->dragBy(w.width(), w.width()));
    QTest::mouseRelease(splitter, Qt::LeftButton, {}, at);
}

TEST_F(MainWindowTest, PlacementIsRestoredInTwipsAndAMinimisedWindowDoesNotStoreIt) {
    platform::UserStore store = platform::UserStore::atFile(inst.userStorePath());
    store.savePlacement({1500, 750, 9000, 6000});
    {
        AppHarness app(inst);
        app::frmMain& w = app.window();
        EXPECT_EQ(w.size(), QSize(600, 400));
        w.showMinimized();
        QApplication::processEvents();
        if (!w.isMinimized())
            GTEST_SKIP() << "the platform does not minimise windows";
        EXPECT_TRUE(w.close());
    }
    EXPECT_EQ(store.loadPlacement(), (platform::WindowPlacement{1500, 750, 9000, 6000}));
}

TEST_F(MainWindowTest, WindowMenuListsTheOpenWindowsAndViewTogglesTheBars) {
    AppHarness app(inst);
    app::frmMain& w = app.window();
    w.openChildWindow(app::ChildWindow::EmbMsg);
    auto* menu = w.findChild<QMenu*>("mnuWindow");
    emit menu->aboutToShow();
    QStringList listed;
    for (QAction* a : menu->actions())
        if (!a->isSeparator() && a->objectName().isEmpty())
            listed << a->text();
    ASSERT_EQ(listed.size(), 2);
    EXPECT_TRUE(listed[1].startsWith("&2 ")) << listed[1].toStdString();

    action(w, "mnuViewToolbar")->trigger();
    EXPECT_FALSE(w.findChild<QToolBar*>("tbToolBar")->isVisible());
    action(w, "mnuViewStatusBar")->trigger();
    EXPECT_FALSE(w.statusBar()->isVisible());
    action(w, "mnuViewStatusBar")->trigger();
    EXPECT_TRUE(w.statusBar()->isVisible());
}

TEST_F(MainWindowTest, CheckAllChannelFrequencyReportsAndCorrects) {
    AppHarness app(inst);
    app::frmMain& w = app.window();
    action(w, "MnuFrequencyCheck")->trigger();
    ASSERT_EQ(app.prompter.texts(), std::vector<std::string>{msg(MessageKey::AllFreqInRange)});

    app.ws.record.channel(0, 1).rxFreq = "27500000"; // below the band
    app.prompter.asked.clear();
    app.prompter.script({Answer::No});
    action(w, "MnuFrequencyCheck")->trigger();
    ASSERT_EQ(app.prompter.texts(), std::vector<std::string>{msg(MessageKey::SomeFreqOutOfRange)});
    EXPECT_EQ(app.ws.record.channel(0, 1).rxFreq.str(), "27500000");

    app.prompter.script({Answer::Yes});
    action(w, "MnuFrequencyCheck")->trigger();
    EXPECT_EQ(app.ws.record.channel(0, 1).rxFreq.str(), "28000000");
    EXPECT_EQ(openWindows(w), QStringList{"frmCommChInfo"});
}

TEST_F(MainWindowTest, InitialSettingAsksOnlyWhenModifiedAndLeavesAnUntitledDocument) {
    model::ConfigRecord tpl;
    tpl.embeddedMessage[0] = "INITIAL";
    TempInstallation::writeRecord(inst.programFolder() + "/Init/0_ZX-908HF.dat", tpl);
    AppHarness app(inst);
    app::frmMain& w = app.window();
    const QString path = inst.root() + "/opened.dat";
    TempInstallation::writeRecord(path, model::ConfigRecord{});
    ASSERT_TRUE(w.openFile(path));
    w.openChildWindow(app::ChildWindow::OptFeatures);

    modify(app.ws);
    app.prompter.script({Answer::Cancel});
    action(w, "MnuInitial")->trigger();
    EXPECT_EQ(app.prompter.texts(), std::vector<std::string>{msg(MessageKey::FileModified)});
    EXPECT_EQ(app.ws.record.embeddedMessage[0].trimmed(), "EDITED");

    app.prompter.script({Answer::No});
    action(w, "MnuInitial")->trigger();
    EXPECT_EQ(app.ws.record.embeddedMessage[0].trimmed(), "INITIAL");
    EXPECT_EQ(openWindows(w), QStringList{"frmCommChInfo"});
    EXPECT_TRUE(app.ws.state.untitled);
    EXPECT_TRUE(w.windowTitle().endsWith("[File Name:new.dat]"));

    // Without changes nothing is asked.
    app.prompter.asked.clear();
    action(w, "MnuInitial")->trigger();
    EXPECT_TRUE(app.prompter.asked.empty());
}

TEST_F(MainWindowTest, AboutShowsTheBuildVersionAndInChineseTheSystemInformationButton) {
    AppHarness app(inst);
    EXPECT_EQ(app::FrmAbout::versionText(text::English), "Version " ZX_VERSION);
    EXPECT_EQ(QString(ZX_VERSION).count('.'), 2);

    app::FrmAbout english(text::English, "ZX-908HF", app.prompter, [] { return QString(); });
    EXPECT_EQ(english.findChild<QPushButton*>("cmdSysInfo"), nullptr);

    app::FrmAbout chinese(text::Chinese, "ZX-908HF", app.prompter,
                          [] { return QStringLiteral("/nonexistent/msinfo"); });
    EXPECT_EQ(chinese.findChild<QLabel*>("lblVersion")->text(), u8("版本 ") + ZX_VERSION);
    auto* sysInfo = chinese.findChild<QPushButton*>("cmdSysInfo");
    ASSERT_NE(sysInfo, nullptr);
    sysInfo->click();
    EXPECT_EQ(app.prompter.texts(), std::vector<std::string>{"此时系统信息不可用"});
}

TEST_F(MainWindowTest, PrintFromTheToolbarShowsThePrintItemsWindow) {
    AppHarness app(inst);
    app::frmMain& w = app.window();
    QString title;
    QStringList items;
    AppHarness::onNextModal([&](QWidget* modal) {
        title = modal->windowTitle();
        for (QCheckBox* box : modal->findChildren<QCheckBox*>())
            items << plain(box->text());
        modal->close();
    });
    action(w, "打印")->trigger();
    EXPECT_EQ(title, "ZX_908HF Radio Programming Information");
    EXPECT_EQ(items, (QStringList{"Channel Information Group", "Option Features",
                                  "Local Information", "Embedded Message"}));
}

} // namespace
} // namespace zx::test
