// The channel list tools in the running program, driven as a user drives them: View > Channel
// Flags remembered and a flag edited and undone, the row commands of the Edit menu as undoable
// steps, Find with F3 and Shift+F3 across the groups, Compare with File, the backups window,
// and the spreadsheet format of Export Channels with a column of frequencies pasted back.
#include "ActiveWindowTest.h"
#include "app/ChannelListTools.h"
#include "app/FrmCompare.h"
#include "app/RadioController.h"
#include "editors/frmCommChInfo.h"
#include "link/RadioImage.h"
#include "model/Band.h"
#include "model/ChannelTable.h"
#include "model/DataFile.h"
#include "platform/BackupStore.h"

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace zx::test {
namespace {

constexpr int kGroupA = 0;
constexpr int kGroupB = 1;
constexpr int kGroupC = 2;

class ChannelListsTest : public ActiveWindowTest {
protected:
    void setGroup(int group, std::initializer_list<std::pair<int, const char*>> channels) {
        app.ws.record.channelCount[group] = 0;
        for (const auto& [number, frequency] : channels)
            ASSERT_TRUE(model::addChannel(app.ws, group, number, frequency));
        model::fixEmergencyChannels(app.ws.record);
        app.ws.fileBuffer = app.ws.record;
        app.window().refreshOpenEditors();
        settle();
    }
    void setEmergency(int group, int number) {
        app.ws.record.optionFeatures[model::kEmergencyChannelPosition + group] =
            model::Integer(number - 1);
        app.ws.fileBuffer = app.ws.record;
        app.window().refreshOpenEditors();
    }
    int emergency(int group) const {
        return app.ws.record.optionFeatures[model::kEmergencyChannelPosition + group] + 1;
    }
    std::string rx(int group, int number) const {
        const model::ChannelEntry* c = channel(group, number);
        return c ? c->rxFreq.str() : std::string("none");
    }
    editors::frmCommChInfo* channels() {
        return qobject_cast<editors::frmCommChInfo*>(channelWindow());
    }
    QString status() { return app.window().statusPanel(1)->text(); }
    QString undoCaption() { return action("mnuEditUndo")->text(); }
    // Answers the find window with `query` once it opens.
    void findWith(const QString& query) {
        AppHarness::onNextModal([query](QWidget* modal) {
            auto* text = modal->findChild<QLineEdit*>("TextFind");
            ASSERT_NE(text, nullptr);
            text->setText(query);
            modal->findChild<QPushButton*>("CommandFindNext")->click();
        });
        press(Qt::Key_F, Qt::ControlModifier);
        backFromDialog();
    }
    // After a modal window closed, the window system gives the main window the focus back
    // (the offscreen platform leaves that to the test).
    void backFromDialog() {
        QApplication::setActiveWindow(&app.window());
        EXPECT_TRUE(QTest::qWaitForWindowActive(&app.window()));
        settle();
    }
};

TEST_F(ChannelListsTest, ChannelFlagsAreRememberedAndAFlagEditIsOneUndoStep) {
    start();
    QAction* flags = action("mnuViewChannelFlags");
    ASSERT_NE(flags, nullptr);
    EXPECT_EQ(flags->text(), "Channel &Flags");
    EXPECT_FALSE(flags->isChecked()) << "off by default";
    EXPECT_TRUE(grid()->isColumnHidden(model::ColBusy));

    flags->trigger();
    settle();
    EXPECT_FALSE(grid()->isColumnHidden(model::ColBusy));
    EXPECT_TRUE(
        QSettings(inst.userStorePath(), QSettings::IniFormat).value("View/ChannelFlags").toBool());

    clickCell(1, model::ColNbAnl);
    auto* list = control<QComboBox>(app::ChildWindow::ChannelInfo, "Combo8_5");
    ASSERT_TRUE(list->isVisible());
    QTest::keyClick(list, Qt::Key_Down);
    press(Qt::Key_Return);
    EXPECT_EQ(channel(kGroupA, 1)->nbAnl, 1);
    EXPECT_EQ(undoCaption(), "&Undo NB/ANL A-1");
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(channel(kGroupA, 1)->nbAnl, 0);
    EXPECT_EQ(cellText(1, model::ColNbAnl), "Disable");

    // Closed and opened again, the channel window still shows them; so does the next run.
    app.window().closeChildWindow(app::ChildWindow::ChannelInfo);
    settle();
    app.window().openChildWindow(app::ChildWindow::ChannelInfo);
    EXPECT_FALSE(grid()->isColumnHidden(model::ColRb));
    AppHarness nextRun(inst);
    EXPECT_TRUE(nextRun.window().findChild<QAction*>("mnuViewChannelFlags")->isChecked());
    auto* nextChannels = qobject_cast<editors::frmCommChInfo*>(
        nextRun.window().childWindow(app::ChildWindow::ChannelInfo));
    ASSERT_NE(nextChannels, nullptr);
    EXPECT_TRUE(nextChannels->flagColumnsShown());

    flags->trigger();
    settle();
    EXPECT_TRUE(grid()->isColumnHidden(model::ColBusy));
    EXPECT_FALSE(
        QSettings(inst.userStorePath(), QSettings::IniFormat).value("View/ChannelFlags").toBool());
}

TEST_F(ChannelListsTest, EditMenuRowCommandsAreStepsThatUndoKeepingTheEmergencyChannel) {
    start();
    QStringList edit;
    for (QAction* entry : app.window().menus().mnuEdit->actions())
        if (!entry->isSeparator())
            edit << entry->objectName();
    EXPECT_EQ(edit.mid(0, 13),
              (QStringList{"mnuEditUndo", "mnuEditRedo", "mnuChannelsCopy", "mnuChannelsCut",
                           "mnuChannelsPaste", "mnuChannelsDelete", "mnuChannelsInsert",
                           "mnuChannelsMoveUp", "mnuChannelsMoveDown", "mnuChannelsSort", "mnuFind",
                           "mnuFindNext", "mnuFindPrevious"}));
    EXPECT_EQ(action("mnuChannelsPaste")->shortcut(), QKeySequence(QKeySequence::Paste))
        << "the key is shown beside the entry";

    setGroup(kGroupA, {{5, "28.500000"}, {1, "28.900000"}, {3, "28.100000"}});
    setEmergency(kGroupA, 1);
    const model::ConfigRecord before = app.ws.record;
    action("mnuChannelsSort")->trigger();
    settle();
    EXPECT_EQ(rx(kGroupA, 1), "28100000");
    EXPECT_EQ(rx(kGroupA, 2), "28500000");
    EXPECT_EQ(rx(kGroupA, 3), "28900000");
    EXPECT_EQ(emergency(kGroupA), 3) << "28.9 MHz is still the emergency channel";
    EXPECT_EQ(undoCaption(), "&Undo Sort by RX Frequency A");
    EXPECT_EQ(cellText(2, model::ColRxFreq), "28.500000");

    clickCell(2, model::ColRxFreq);
    action("mnuChannelsInsert")->trigger();
    settle();
    EXPECT_EQ(rx(kGroupA, 2), "none");
    EXPECT_EQ(rx(kGroupA, 4), "28900000");
    EXPECT_EQ(emergency(kGroupA), 4);
    EXPECT_EQ(undoCaption(), "&Undo Insert Channel A-2");
    action("mnuChannelsMoveUp")->trigger(); // the empty row chosen: channel 1 comes down
    settle();
    EXPECT_EQ(rx(kGroupA, 2), "28100000");
    EXPECT_EQ(undoCaption(), "&Undo Move Up A-2");

    press(Qt::Key_Z, Qt::ControlModifier);
    press(Qt::Key_Z, Qt::ControlModifier);
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(app.ws.record, before) << "three steps, three undos";
    EXPECT_EQ(cellText(5, model::ColRxFreq), "28.500000");
    EXPECT_FALSE(model::isModified(app.ws));
}

TEST_F(ChannelListsTest, FindGoesThroughTheGroupsWithF3AndShiftF3) {
    start();
    setGroup(kGroupA, {{1, "28.100000"}, {2, "29.000000"}});
    setGroup(kGroupB, {{4, "28.125000"}});
    setGroup(kGroupC, {{7, "29.500000"}});
    app.ws.record.channel(kGroupC, 1).txFreq = "28150000";
    app.ws.fileBuffer = app.ws.record;
    app.window().refreshOpenEditors();
    clickCell(2, model::ColRxFreq);

    findWith("28.1");
    EXPECT_EQ(app.ws.record.currentGroup, kGroupB) << "on to the next group";
    EXPECT_EQ(grid()->currentIndex().row() + 1, 4);
    EXPECT_EQ(grid()->currentIndex().column(), model::ColRxFreq);
    EXPECT_EQ(control<QComboBox>(app::ChildWindow::ChannelInfo, "ComboGroup")->currentText(), "B");
    EXPECT_EQ(status(), "28.1: B-04 (2 of 3)");

    press(Qt::Key_F3);
    EXPECT_EQ(app.ws.record.currentGroup, kGroupC);
    EXPECT_EQ(grid()->currentIndex().column(), model::ColTxFreq) << "C-07 transmits on 28.15";
    EXPECT_EQ(status(), "28.1: C-07 (3 of 3)");
    press(Qt::Key_F3);
    EXPECT_EQ(app.ws.record.currentGroup, kGroupA) << "round again";
    EXPECT_EQ(grid()->currentIndex().row() + 1, 1);
    press(Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(status(), "28.1: C-07 (3 of 3)");

    findWith("28.9");
    EXPECT_EQ(status(), "28.9 not found");
    EXPECT_EQ(app.ws.record.currentGroup, kGroupC) << "the cursor stays";
    EXPECT_FALSE(model::isModified(app.ws)) << "finding changes nothing";
}

TEST_F(ChannelListsTest, CompareWithFileListsExactlyTheChangedChannel) {
    start();
    setGroup(kGroupA, {{1, "28.015000"}, {5, "28.515000"}});
    model::ConfigRecord other = app.ws.record;
    other.channel(kGroupA, other.findChannel(kGroupA, 5)).rxFreq = "28525000";
    const QString otherPath = inst.root() + "/customer.dat";
    TempInstallation::writeRecord(otherPath, other);

    QString verdict;
    QString lines;
    QString caption;
    QString pdfText;
    app.dialogs.answers = {otherPath};
    AppHarness::onNextModal([&](QWidget* modal) {
        caption = modal->windowTitle();
        verdict = plain(modal->findChild<QLabel*>("LabelVerdict")->text());
        lines = modal->findChild<QPlainTextEdit*>("TextDifferences")->toPlainText();
        modal->findChild<QPushButton*>("CommandCopyAll")->click();
        // What Print puts on paper, through a PDF.
        const QString pdf = inst.root() + "/compare.pdf";
        {
            QPdfWriter writer(pdf);
            if (auto* comparison = qobject_cast<app::FrmCompare*>(modal))
                comparison->printTo(writer);
            else
                ADD_FAILURE() << "the comparison window did not open";
        }
        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        if (!pdftotext.isEmpty()) {
            QProcess text;
            text.start(pdftotext, {pdf, "-"});
            text.waitForFinished(30000);
            pdfText = QString::fromUtf8(text.readAllStandardOutput());
        } else {
            pdfText = "no pdftotext";
        }
        modal->findChild<QPushButton*>("CommandClose")->click();
    });
    const model::ConfigRecord document = app.ws.record;
    action("mnuCompareWithFile")->trigger();
    settle();
    EXPECT_EQ(caption, "Compare with File");
    EXPECT_EQ(verdict, "new.dat and customer.dat differ in 1 field (values of new.dat → values of "
                       "customer.dat):");
    EXPECT_EQ(lines, "A-05 RX Frequency: 28.515000 → 28.525000")
        << "the same line as zx908hf-cli diff";
    EXPECT_EQ(QGuiApplication::clipboard()->text(), verdict + "\n" + lines + "\n")
        << "the text as it reads, without the label's Alt+letter mark";
    if (pdfText != "no pdftotext") {
        EXPECT_TRUE(pdfText.contains(verdict.left(20)) && !pdfText.contains('&'))
            << "the verdict without its mark: " << pdfText.toStdString();
        EXPECT_TRUE(pdfText.contains("A-05 RX Frequency: 28.515000")) << pdfText.toStdString();
        EXPECT_TRUE(pdfText.contains("Compare with File")) << "under the window's caption";
    }
    EXPECT_EQ(app.ws.record, document) << "the document stays as it is";

    // A file equal to the document: a message says so.
    TempInstallation::writeRecord(inst.root() + "/same.dat", app.ws.record);
    app.dialogs.answers = {inst.root() + "/same.dat"};
    action("mnuCompareWithFile")->trigger();
    settle();
    ASSERT_FALSE(app.prompter.asked.empty());
    EXPECT_EQ(app.prompter.asked.back().text, "new.dat and same.dat hold the same configuration.");

    // A file of the document's own name is told apart by its folder.
    const QString namesake = inst.root() + "/new.dat";
    TempInstallation::writeRecord(namesake, app.ws.record);
    app.dialogs.answers = {namesake};
    action("mnuCompareWithFile")->trigger();
    settle();
    EXPECT_EQ(app.prompter.asked.back().text, ("new.dat and " + QDir::toNativeSeparators(namesake) +
                                               " hold the same configuration.")
                                                  .toStdString());
}

TEST_F(ChannelListsTest, TheBackupsWindowListsNewestFirstAndOpensTheChosenBackup) {
    start();
    const QString folder = inst.root() + "/backups";
    app.window().radio().setDataFolders(folder, inst.root() + "/traces");
    QStringList shownFolders;
    app.window().radio().setFolderOpener([&](const QString& f) {
        shownFolders << f;
        return true;
    });
    platform::BackupStore store(folder);

    // An old write of a band-1 document, and a recent read from a radio whose identity
    // record came with it.
    model::Workspace older = app.ws;
    older.record.channelCount.fill(0);
    older.state.bandText = model::bandTextFromIndex(1);
    model::parseBandEdges(older.state);
    ASSERT_TRUE(model::addChannel(older, kGroupA, 1, "25.700000"));
    older.record.modelInfo.bandIndex = 1;
    link::RadioImage written;
    written.encode(older.record, 1);
    const std::uint8_t identity[14] = {'P',  '8', '9', '0', '0', 1,    248,
                                       0xFF, 'V', '3', '1', '0', 0xFF, 0xFF};
    written.storeIdentityAnswer(identity);
    const QString olderImage =
        store.keepWrite(written, older.record, QDateTime(QDate(2020, 1, 2), QTime(9, 30, 0)));
    ASSERT_FALSE(olderImage.isEmpty());
    link::RadioImage read;
    read.encode(app.ws.record, 0);
    const char serial[] = "SN20260001";
    read.store(0x1F10, {reinterpret_cast<const std::uint8_t*>(serial), sizeof serial - 1});
    ASSERT_FALSE(
        store.keepRead(read, app.ws, QDateTime(QDate(2026, 3, 4), QTime(10, 0, 5))).isEmpty());

    QList<QStringList> rows;
    QString files;
    AppHarness::onNextModal([&](QWidget* modal) {
        auto* list = modal->findChild<QTreeWidget*>("ListBackups");
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            QStringList row;
            for (int c = 0; c < list->columnCount(); ++c)
                row << list->topLevelItem(i)->text(c);
            rows << row;
        }
        list->setCurrentItem(list->topLevelItem(1));
        modal->findChild<QPushButton*>("CommandShowInFolder")->click();
        files = modal->findChild<QLabel*>("LabelFiles")->text();
        modal->findChild<QPushButton*>("CommandOpen")->click();
    });
    action("mnuRestoreFromBackup")->trigger();
    settle();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0], (QStringList{"2026-03-04 10:00:05", "Read", "28.000000 - 29.700000 MHz",
                                    "BR90", "SN20260001"}))
        << "a read keeps the radio's own header; its identity record gave the serial number";
    EXPECT_EQ(rows[1], (QStringList{"2020-01-02 09:30:00", "Write", "25.615000 - 30.105000 MHz",
                                    "8900", ""}));
    EXPECT_EQ(shownFolders, QStringList{folder});
    EXPECT_TRUE(files.contains(QDir::toNativeSeparators(olderImage))) << files.toStdString();
    EXPECT_EQ(app.ws.state.bandText, model::bandTextFromIndex(1)) << "the older backup opened";
    EXPECT_EQ(rx(kGroupA, 1), "25700000");
    EXPECT_EQ(cellText(1, model::ColRxFreq), "25.700000");
}

TEST_F(ChannelListsTest, ExportOffersTheSpreadsheetFormatAndAPastedColumnFillsRx) {
    start();
    setGroup(kGroupB, {{2, "28.200000"}, {9, "29.100000"}});
    const QString path = inst.root() + "/plan.csv";
    app.dialogs.answers = {path};
    app.dialogs.chosenFilter = 1;
    action("mnuExportChannels")->trigger();
    settle();
    EXPECT_EQ(app.dialogs.lastFilters,
              (QStringList{"CHIRP (CSV) (*.csv)", "Spreadsheet (CSV) (*.csv)"}));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray sheet = file.readAll();
    EXPECT_TRUE(sheet.startsWith("Group,Channel,RX Frequency,TX Frequency,Scan,BUSY,"));
    EXPECT_TRUE(sheet.contains("\r\nB,9,29.100000,29.100000,Add,Disable,Enable,"));

    // A column copied out of a spreadsheet, pasted from B-3 on.
    auto* groups = control<QComboBox>(app::ChildWindow::ChannelInfo, "ComboGroup");
    groups->setCurrentIndex(kGroupB);
    emit groups->activated(kGroupB);
    settle();
    QGuiApplication::clipboard()->setText("28.300000\r\n28.400000\r\n");
    clickCell(3, 0);
    press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(rx(kGroupB, 3), "28300000");
    EXPECT_EQ(channel(kGroupB, 4)->txFreq.str(), "28400000") << "TX = RX";
    EXPECT_EQ(undoCaption(), "&Undo Paste B-3..B-4");

    // The sheet comes back through Import Channels, recognised by its header, replacing the
    // group it names.
    app.dialogs.answers = {path};
    AppHarness::onNextModal([](QWidget* choice) {
        QTest::mouseClick(choice->findChild<QPushButton*>("CommandReplace"), Qt::LeftButton);
    });
    action("mnuImportChannels")->trigger();
    settle();
    EXPECT_EQ(rx(kGroupB, 3), "none") << "group B is the file's again";
    EXPECT_EQ(rx(kGroupB, 9), "29100000");

    // A file whose header mixes both kinds: one message saying why, no count of rows.
    const QString mixed = inst.root() + "/mixed.csv";
    QFile out(mixed);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("Location;Group;Frequency;RX Frequency\r\n1;A;28,1;28,1\r\n");
    out.close();
    const model::ConfigRecord before = app.ws.record;
    app.dialogs.answers = {mixed};
    action("mnuImportChannels")->trigger();
    settle();
    EXPECT_EQ(app.prompter.asked.back().text,
              "line 1: the header names CHIRP's columns (Location, Frequency) and the "
              "spreadsheet columns (Group, RX Frequency) at once; keep the columns of one kind");
    EXPECT_EQ(app.ws.record, before);
}

} // namespace
} // namespace zx::test
