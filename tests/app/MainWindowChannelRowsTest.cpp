// Whole channel rows in the running program, driven as a user drives them: rows chosen on the
// row numbers, Ctrl+C, Ctrl+X, Delete and Ctrl+V in the grid, Edit > Fill Channels, File >
// Import Channels and Export Channels, each taken back and done again with Ctrl+Z and Ctrl+Y.
#include "ActiveWindowTest.h"
#include "app/StatusFeedback.h"
#include "editors/frmCommChInfo.h"
#include "exchange/ChannelTable.h"
#include "model/ChannelTable.h"
#include "model/DataFile.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace zx::test {
namespace {

using text::Answer;

constexpr int kGroupA = 0;
constexpr int kGroupB = 1;
constexpr int kGroupC = 2;

// Rows as a spreadsheet copies them: CHIRP's columns without the header, tab-separated.
QString spreadsheetRow(int location, const char* frequency, const char* comment = "") {
    return QStringLiteral("%1\tX\t%2\t\t0.000000\t\t88.5\t88.5\t023\tNN\t023\tTone->Tone\tAuto\t5."
                          "00\t\t\t%3\t\t\t\t\r\n")
        .arg(location)
        .arg(QLatin1String(frequency), QLatin1String(comment));
}

class ChannelRowsTest : public ActiveWindowTest {
protected:
    // After a modal window closed, the window system gives the main window the focus back
    // (the offscreen platform leaves that to the test).
    void backFromDialog() {
        QApplication::setActiveWindow(&app.window());
        EXPECT_TRUE(QTest::qWaitForWindowActive(&app.window()));
        settle();
    }

    // A click on the row number (column 0) chooses the row.
    void clickRow(int row, Qt::KeyboardModifiers modifiers = {}) { clickCell(row, 0, modifiers); }
    void chooseGroup(int group) {
        auto* groups = channelWindow()->findChild<QComboBox*>("ComboGroup");
        groups->setCurrentIndex(group);
        emit groups->activated(group);
        settle();
    }

    std::string rx(int group, int number) const {
        const model::ChannelEntry* c = channel(group, number);
        return c ? std::string(c->rxFreq.trimmed()) : std::string("none");
    }
    int emergency(int group) const {
        return app.ws.record.optionFeatures[model::kEmergencyChannelPosition + group] + 1;
    }
    // Channels of a group as the document holds them before any step: set directly, then the
    // open windows show them.
    void setGroup(int group, std::initializer_list<std::pair<int, const char*>> channels) {
        app.ws.record.channelCount[group] = 0;
        for (const auto& [number, frequency] : channels)
            ASSERT_TRUE(model::addChannel(app.ws, group, number, frequency));
        model::fixEmergencyChannels(app.ws.record);
        app.ws.fileBuffer = app.ws.record;
        app.window().refreshOpenEditors();
        settle();
    }
    QString clipboard() const { return QGuiApplication::clipboard()->text(); }
    std::string lastMessage() const {
        return app.prompter.asked.empty() ? std::string() : app.prompter.asked.back().text;
    }
    // Answers the import's choice window, which comes once the file has been read.
    static void chooseInImport(const char* button) {
        AppHarness::onNextModal([button](QWidget* modal) {
            auto* choice = modal->findChild<QPushButton*>(QLatin1String(button));
            ASSERT_NE(choice, nullptr) << modal->objectName().toStdString();
            choice->click();
        });
    }
    QString writeFile(const char* name, const QByteArray& content) {
        const QString path = inst.root() + '/' + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }
};

TEST_F(ChannelRowsTest, CopiedRowsPasteIntoAnotherGroupAsOneStep) {
    start();
    setGroup(kGroupA, {{1, "28.100000"}, {2, "28.200000"}, {3, "28.300000"}});
    app.ws.record.channel(kGroupA, 2).rb = 1; // a flag travels in the Comment column
    app.ws.record.channel(kGroupA, 3).scan = 0;
    app.ws.record.channel(kGroupA, 3).txFreq = "28400000";
    setGroup(kGroupB, {{1, "28.900000"}, {11, "29.100000"}});

    clickCell(1, model::ColRxFreq);
    clickRow(1);
    EXPECT_EQ(QApplication::focusWidget(), grid()) << "the cell editor closed";
    clickRow(3, Qt::ShiftModifier);
    press(Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = clipboard().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4) << clipboard().toStdString();
    EXPECT_TRUE(lines[0].startsWith("Location\tName\tFrequency\tDuplex")) << "with the header";
    EXPECT_TRUE(lines[2].startsWith("2\tA-02\t28.200000\t")) << lines[2].toStdString();

    chooseGroup(kGroupB);
    clickRow(10);
    press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(rx(kGroupB, 10), "28100000");
    EXPECT_EQ(rx(kGroupB, 11), "28200000") << "an existing channel is overwritten";
    EXPECT_EQ(rx(kGroupB, 12), "28300000");
    EXPECT_EQ(channel(kGroupB, 11)->rb, 1);
    EXPECT_EQ(channel(kGroupB, 12)->scan, 0);
    EXPECT_EQ(std::string(channel(kGroupB, 12)->txFreq.trimmed()), "28400000");
    EXPECT_EQ(cellText(12, model::ColTxFreq), "28.400000");
    EXPECT_EQ(rx(kGroupA, 1), "28100000") << "the copied group stays";
    EXPECT_EQ(action("mnuEditUndo")->text(), "&Undo Paste B-10..B-12");

    // One step: Ctrl+Z takes all three rows back, even from group A.
    chooseGroup(kGroupA);
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(app.ws.record.currentGroup, kGroupB);
    EXPECT_EQ(rx(kGroupB, 10), "none");
    EXPECT_EQ(rx(kGroupB, 11), "29100000");
    EXPECT_EQ(rx(kGroupB, 12), "none");
    EXPECT_EQ(cellText(11, model::ColRxFreq), "29.100000");
    EXPECT_FALSE(model::isModified(app.ws));
    press(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(rx(kGroupB, 10), "28100000");
    EXPECT_EQ(rx(kGroupB, 12), "28300000");
    EXPECT_EQ(cellText(10, model::ColRxFreq), "28.100000");
}

TEST_F(ChannelRowsTest, CutTakesTheRowsOutAndMovesTheEmergencyChannelAndUndoBringsThemBack) {
    start();
    setGroup(kGroupA, {{1, "28.100000"}, {2, "28.200000"}, {3, "28.300000"}, {5, "28.500000"}});
    app.ws.record.optionFeatures[model::kEmergencyChannelPosition + kGroupA] = 2; // channel 3
    app.ws.fileBuffer = app.ws.record;
    app.window().refreshOpenEditors();

    clickRow(2);
    clickRow(3, Qt::ShiftModifier);
    press(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(rx(kGroupA, 2), "none");
    EXPECT_EQ(rx(kGroupA, 3), "none");
    EXPECT_EQ(app.ws.record.channelCount[kGroupA], 2);
    EXPECT_EQ(emergency(kGroupA), 1) << "the emergency channel was cut: the group's first";
    auto* emergencyList = channelWindow()->findChild<QComboBox*>("ComboEmergency_0");
    EXPECT_EQ(emergencyList->count(), 2) << "the list offers the channels left";
    EXPECT_EQ(cellText(2, model::ColRxFreq), "");
    EXPECT_TRUE(clipboard().contains("A-03\t28.300000")) << clipboard().toStdString();
    EXPECT_EQ(action("mnuEditUndo")->text(), "&Undo Cut A-2..A-3");

    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(rx(kGroupA, 2), "28200000");
    EXPECT_EQ(rx(kGroupA, 3), "28300000");
    EXPECT_EQ(emergency(kGroupA), 3);
    EXPECT_EQ(emergencyList->count(), 4);
    EXPECT_EQ(cellText(3, model::ColRxFreq), "28.300000");

    // What was cut pastes elsewhere.
    clickRow(20);
    press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(rx(kGroupA, 20), "28200000");
    EXPECT_EQ(rx(kGroupA, 21), "28300000");
}

TEST_F(ChannelRowsTest, DeleteKeepsTheLastChannelOfTheGroupAndSaysSo) {
    start();
    setGroup(kGroupA, {{4, "28.400000"}, {7, "28.700000"}, {9, "28.900000"}});

    // Ctrl+click picks rows one by one; a second Ctrl+click lets one go again.
    clickRow(7);
    clickRow(9, Qt::ControlModifier);
    clickRow(30, Qt::ControlModifier);
    clickRow(30, Qt::ControlModifier);
    press(Qt::Key_Delete);
    EXPECT_EQ(rx(kGroupA, 4), "28400000");
    EXPECT_EQ(rx(kGroupA, 7), "none");
    EXPECT_EQ(rx(kGroupA, 9), "none");
    EXPECT_TRUE(app.prompter.asked.empty()) << lastMessage();
    EXPECT_EQ(action("mnuEditUndo")->text(), "&Undo Delete Channels A-7..A-9");
    press(Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(app.ws.record.channelCount[kGroupA], 3);

    // Every row of the group: the lowest-numbered channel stays.
    clickRow(1);
    press(Qt::Key_A, Qt::ControlModifier);
    press(Qt::Key_Delete);
    EXPECT_EQ(app.ws.record.channelCount[kGroupA], 1);
    EXPECT_EQ(rx(kGroupA, 4), "28400000");
    EXPECT_EQ(lastMessage(), "A group keeps at least one channel: A-04 was not deleted.");
    EXPECT_EQ(emergency(kGroupA), 4);
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(app.ws.record.channelCount[kGroupA], 3);

    // Rows without channels: nothing to delete, no step (a step would drop the redo).
    clickRow(50);
    press(Qt::Key_Delete);
    EXPECT_EQ(action("mnuEditRedo")->text(), "&Redo Delete Channels A-1..A-60");
}

TEST_F(ChannelRowsTest, APasteWithABadRowChangesNothingAndNamesTheRowInTheUsersLanguage) {
    start();
    setGroup(kGroupA, {{1, "28.100000"}});
    const model::ConfigRecord before = app.ws.record;
    QGuiApplication::clipboard()->setText(spreadsheetRow(1, "28.500000") +
                                          spreadsheetRow(2, "27.500000") +
                                          spreadsheetRow(3, "28.700000"));
    clickRow(5);
    press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(app.ws.record == before) << "the good rows are not pasted either";
    EXPECT_FALSE(action("mnuEditUndo")->isEnabled());
    EXPECT_EQ(lastMessage(), "Nothing was pasted; these rows are not valid:\n"
                             "line 2: 27.500000 MHz is outside 28.000000 - 29.700000 MHz");

    app.ws.state.language = text::Chinese;
    press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(lastMessage(), "未粘贴任何数据；以下各行无效：\n"
                             "第2行：27.500000 MHz 超出 28.000000 - 29.700000 MHz");
    app.ws.state.language = text::English;

    // Rows that would run past channel 60 are refused as a whole too.
    QGuiApplication::clipboard()->setText(spreadsheetRow(1, "28.500000") +
                                          spreadsheetRow(2, "28.600000"));
    clickRow(60);
    press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(lastMessage(),
              "2 rows pasted from channel A-60 would run past channel 60; nothing was pasted.");
    EXPECT_TRUE(app.ws.record == before);

    // Text that holds no channel row.
    QGuiApplication::clipboard()->setText("hello");
    press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(app.ws.record == before);
    EXPECT_FALSE(lastMessage().empty());

    // A spreadsheet's rows without the header paste from the row chosen.
    QGuiApplication::clipboard()->setText(spreadsheetRow(1, "28.500000", "BUSY") +
                                          spreadsheetRow(2, "28.600000"));
    clickRow(59);
    press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(rx(kGroupA, 59), "28500000");
    EXPECT_EQ(channel(kGroupA, 59)->busy, 1);
    EXPECT_EQ(rx(kGroupA, 60), "28600000");
}

TEST_F(ChannelRowsTest, InsideTheFrequencyBoxTheClipboardKeysStayRefused) {
    start();
    setGroup(kGroupA, {{1, "28.100000"}, {2, "28.200000"}});
    QGuiApplication::clipboard()->setText(spreadsheetRow(1, "28.500000"));
    const model::ConfigRecord before = app.ws.record;

    clickCell(2, model::ColRxFreq);
    auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(box, nullptr);
    ASSERT_EQ(box->objectName(), "Text1");
    press(Qt::Key_V, Qt::ControlModifier);
    press(Qt::Key_C, Qt::ControlModifier);
    press(Qt::Key_X, Qt::ControlModifier);
    press(Qt::Key_Delete);
    EXPECT_EQ(box->text(), "") << "Delete still deletes the selected text in the box";
    press(Qt::Key_Escape);
    EXPECT_EQ(box->text(), "28.200000");
    EXPECT_TRUE(app.ws.record == before);
    EXPECT_EQ(clipboard(), spreadsheetRow(1, "28.500000")) << "nothing was copied";

    // An open list keeps them too: they do not become row commands behind its back.
    clickCell(2, model::ColScan);
    ASSERT_EQ(QApplication::focusWidget()->objectName(), "Combo8_7");
    press(Qt::Key_V, Qt::ControlModifier);
    press(Qt::Key_Delete);
    EXPECT_TRUE(app.ws.record == before);
}

TEST_F(ChannelRowsTest, FillChannelsFillsFromTheCurrentRowAndRefusesWhatDoesNotFit) {
    start();
    setGroup(kGroupA, {{1, "28.100000"}, {6, "28.600000"}});
    app.ws.record.channel(kGroupA, 2).busy = 1; // channel 6 keeps its flags when filled
    app.ws.fileBuffer = app.ws.record;
    clickCell(5, model::ColRxFreq);

    // Past the band edge: the window says so and stays open for a correction.
    std::vector<std::string> seen;
    AppHarness::onNextModal([&](QWidget* window) {
        EXPECT_EQ(window->objectName(), "FrmFillChannels");
        EXPECT_EQ(window->findChild<QLabel*>("LabelFrom")->text(), "From channel A-05");
        window->findChild<QLineEdit*>("TextStart")->setText("29.65");
        window->findChild<QDoubleSpinBox*>("SpinStep")->setValue(25.0);
        window->findChild<QSpinBox*>("SpinCount")->setValue(4);
        QTest::mouseClick(window->findChild<QPushButton*>("CommandOK"), Qt::LeftButton);
        EXPECT_TRUE(window->isVisible());
        seen.push_back(lastMessage());
        window->findChild<QSpinBox*>("SpinCount")->setValue(57);
        window->findChild<QLineEdit*>("TextStart")->setText("28.0");
        window->findChild<QDoubleSpinBox*>("SpinStep")->setValue(10.0);
        QTest::mouseClick(window->findChild<QPushButton*>("CommandOK"), Qt::LeftButton);
        seen.push_back(lastMessage());
        QTest::mouseClick(window->findChild<QPushButton*>("CommandCancel"), Qt::LeftButton);
    });
    action("mnuFillChannels")->trigger();
    settle();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], "Channel A-08 would get 29.725000 MHz, which is outside 28.000000 - "
                       "29.700000 MHz; nothing was filled.");
    EXPECT_EQ(seen[1], "57 channels from A-05 would run past channel 60; nothing was filled.");
    EXPECT_EQ(app.ws.record.channelCount[kGroupA], 2);
    EXPECT_FALSE(action("mnuEditUndo")->isEnabled());

    AppHarness::onNextModal([&](QWidget* window) {
        window->findChild<QLineEdit*>("TextStart")->setText("28.5");
        window->findChild<QDoubleSpinBox*>("SpinStep")->setValue(25.0);
        window->findChild<QSpinBox*>("SpinCount")->setValue(4);
        QTest::mouseClick(window->findChild<QPushButton*>("CommandOK"), Qt::LeftButton);
    });
    action("mnuFillChannels")->trigger();
    backFromDialog();
    EXPECT_EQ(QApplication::focusWidget(), grid()) << "the rows filled have the keys";
    EXPECT_EQ(rx(kGroupA, 5), "28500000");
    EXPECT_EQ(rx(kGroupA, 6), "28525000");
    EXPECT_EQ(std::string(channel(kGroupA, 6)->txFreq.trimmed()), "28525000");
    EXPECT_EQ(channel(kGroupA, 6)->busy, 1);
    EXPECT_EQ(rx(kGroupA, 8), "28575000");
    EXPECT_EQ(rx(kGroupA, 9), "none");
    EXPECT_EQ(channel(kGroupA, 7)->scan, 1) << "a new channel has the defaults";
    EXPECT_EQ(cellText(8, model::ColRxFreq), "28.575000");
    EXPECT_EQ(action("mnuEditUndo")->text(), "&Undo Fill Channels A-5..A-8");

    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(app.ws.record.channelCount[kGroupA], 2);
    EXPECT_EQ(rx(kGroupA, 6), "28600000");
    EXPECT_EQ(cellText(7, model::ColRxFreq), "");
    press(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(rx(kGroupA, 7), "28550000");
}

TEST_F(ChannelRowsTest, ImportFromTheMenuReplacesTheGroupsOfTheFileAsOneStep) {
    start();
    setGroup(kGroupC, {{1, "28.100000"}, {2, "28.200000"}});
    app.ws.record.embeddedMessage[0] = "KEEP";
    app.ws.fileBuffer = app.ws.record;
    const QString path =
        writeFile("plan.csv", "Location,Name,Frequency,Duplex,Offset,Skip,Comment\r\n"
                              "125,C-05,28.500000,+,0.100000,,ECHO\r\n"
                              "126,C-06,28.600000,,0.000000,S,\r\n");
    app.dialogs.answers = {path};
    chooseInImport("CommandReplace");
    action("mnuImportChannels")->trigger();
    settle();
    EXPECT_EQ(app.dialogs.lastFilter, "CSV Channel Table (*.csv)");
    EXPECT_EQ(rx(kGroupC, 1), "none") << "the group named by the file is replaced";
    EXPECT_EQ(rx(kGroupC, 5), "28500000");
    EXPECT_EQ(std::string(channel(kGroupC, 5)->txFreq.trimmed()), "28600000");
    EXPECT_EQ(channel(kGroupC, 6)->scan, 0);
    EXPECT_EQ(emergency(kGroupC), 5);
    EXPECT_EQ(app.ws.record.embeddedMessage[0].trimmed(), "KEEP");
    EXPECT_EQ(app.window().feedback().text(), "Group C replaced by 2 channels from plan.csv.");
    EXPECT_TRUE(app.prompter.asked.empty()) << lastMessage();
    EXPECT_EQ(action("mnuEditUndo")->text(), "&Undo Import Channels plan.csv");
    backFromDialog();

    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(rx(kGroupC, 1), "28100000");
    EXPECT_EQ(rx(kGroupC, 5), "none");
    EXPECT_FALSE(model::isModified(app.ws));
    press(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(rx(kGroupC, 6), "28600000");
    chooseGroup(kGroupC);
    EXPECT_EQ(cellText(6, model::ColRxFreq), "28.600000");
}

TEST_F(ChannelRowsTest, ImportWithBadRowsAsksAndImportsOnlyTheValidRowsOnYes) {
    start();
    setGroup(kGroupB, {{1, "28.100000"}});
    const model::ConfigRecord before = app.ws.record;
    const QString path = writeFile("bad.csv", "Location,Name,Frequency\r\n"
                                              "61,B-01,28.500000\r\n"
                                              "62,B-02,27.000000\r\n"
                                              "63,B-03,abc\r\n"
                                              "64,B-04,28.800000\r\n");

    app.dialogs.answers = {path};
    app.prompter.script({Answer::No});
    action("mnuImportChannels")->trigger();
    settle();
    ASSERT_EQ(app.prompter.asked.size(), 1u);
    EXPECT_EQ(app.prompter.asked[0].buttons, text::Buttons::YesNo);
    EXPECT_EQ(lastMessage(), "2 of 4 rows are not valid:\n"
                             "line 3: 27.000000 MHz is outside 28.000000 - 29.700000 MHz\n"
                             "line 4: Frequency \"abc\" is not a number\n\n"
                             "Import the 2 valid rows and leave these out?\n"
                             "Yes imports the valid rows, No imports nothing.");
    EXPECT_TRUE(app.ws.record == before) << "No imports nothing";
    EXPECT_FALSE(action("mnuEditUndo")->isEnabled());

    app.dialogs.answers = {path};
    app.prompter.script({Answer::Yes});
    chooseInImport("CommandReplace");
    action("mnuImportChannels")->trigger();
    settle();
    EXPECT_EQ(rx(kGroupB, 1), "28500000");
    EXPECT_EQ(rx(kGroupB, 2), "none");
    EXPECT_EQ(rx(kGroupB, 4), "28800000");
    EXPECT_EQ(app.ws.record.channelCount[kGroupB], 2);
    backFromDialog();
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(app.ws.record == before);

    // A file without any valid row only says so.
    const QString none = writeFile("none.csv", "Location,Name,Frequency\r\n1,A-01,31.0\r\n");
    app.dialogs.answers = {none};
    app.prompter.asked.clear();
    action("mnuImportChannels")->trigger();
    settle();
    ASSERT_EQ(app.prompter.asked.size(), 1u);
    EXPECT_EQ(app.prompter.asked[0].buttons, text::Buttons::Ok);
    EXPECT_EQ(lastMessage(), "1 of 1 rows are not valid; nothing was imported:\n"
                             "line 2: 31.000000 MHz is outside 28.000000 - 29.700000 MHz");
    EXPECT_TRUE(app.ws.record == before);
}

TEST_F(ChannelRowsTest, ImportRefusesWhatIsNotAFileAndExportWritesTheTable) {
    start();
    // A folder (or a device) is not read.
    app.dialogs.answers = {inst.root()};
    action("mnuImportChannels")->trigger();
    settle();
    EXPECT_NE(lastMessage().find("cannot be read"), std::string::npos) << lastMessage();

    setGroup(kGroupA, {{1, "28.100000"}, {3, "28.300000"}});
    const QString out = inst.root() + "/out.csv";
    app.dialogs.answers = {out};
    app.prompter.asked.clear();
    action("mnuExportChannels")->trigger();
    settle();
    EXPECT_EQ(app.dialogs.lastPreset, "new.csv") << "named after the document";
    EXPECT_TRUE(app.prompter.asked.empty()) << lastMessage();
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    EXPECT_EQ(written.toStdString(), exchange::writeChannelTable(app.ws.record, ',').text);
    EXPECT_TRUE(written.startsWith("Location,Name,Frequency,"));
    EXPECT_TRUE(written.contains("3,A-03,28.300000,"));
    EXPECT_FALSE(model::isModified(app.ws)) << "an export changes nothing";

    // A folder as destination is refused and stays a folder.
    app.dialogs.answers = {inst.root()};
    action("mnuExportChannels")->trigger();
    settle();
    EXPECT_FALSE(app.prompter.asked.empty());
    EXPECT_TRUE(QFileInfo(inst.root()).isDir());
}

} // namespace
} // namespace zx::test
