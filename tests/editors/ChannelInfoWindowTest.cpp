// The channel window's lists and texts: group switching, the emergency channel lists, the
// band change with its confirmation, and both languages.
#include "ChannelInfoFixture.h"
#include "model/RuntimeState.h"

#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalSpy>

namespace zx::test {
namespace {

using model::ColRxFreq;
using model::ColScan;

QComboBox* emergencyList(QWidget* window, int group) {
    return control<QComboBox>(window, qPrintable(QStringLiteral("ComboEmergency_%1").arg(group)));
}

TEST_F(ChannelInfoTest, SwitchingGroupShowsItsChannelsAndOnlyItsEmergencyList) {
    model::addChannel(ws, 1, 4, "28.400000");
    ws.record.optionFeatures[model::kEmergencyChannelPosition + 1] = 4 - 1;
    open();
    QTest::keyClicks(text1, "9"); // pending edit in group A: 28.0150009 is not stored yet
    retype("28.6");

    auto* groups = control<QComboBox>(window.get(), "ComboGroup");
    groups->setFocus();
    QTest::keyClick(groups, Qt::Key_Down); // A -> B
    settle();

    EXPECT_EQ(ws.record.currentGroup, 1);
    EXPECT_EQ(ws.record.channel(0, 1).rxFreq.str(), "28600000") << "group A's edit was stored";
    EXPECT_EQ(cellText(1, ColRxFreq), "28.145000");
    EXPECT_EQ(cellText(4, ColRxFreq), "28.400000");
    EXPECT_EQ(cellText(4, ColScan), "Add");
    EXPECT_FALSE(text1->isVisible()) << "no editor until a cell is entered";
    EXPECT_FALSE(scanList->isVisible());
    EXPECT_TRUE(window->windowTitle().endsWith("---B"));
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(emergencyList(window.get(), k)->isVisible(), k == 1) << k;
        EXPECT_EQ(
            control<QLabel>(window.get(), qPrintable(QStringLiteral("LabelEmergency_%1").arg(k)))
                ->isVisible(),
            k == 1);
    }
    EXPECT_EQ(emergencyList(window.get(), 1)->currentText(), "4");

    clickCell(4, ColRxFreq);
    EXPECT_TRUE(textBoxOver(4, ColRxFreq));
    retype("28.45");
    enter(text1);
    EXPECT_EQ(ws.record.channel(1, 2).rxFreq.str(), "28450000");
    EXPECT_EQ(ws.record.channel(0, 1).rxFreq.str(), "28600000");
}

TEST_F(ChannelInfoTest, EmergencyListsHoldSortedChannelNumbersAndStoreTheChoice) {
    model::addChannel(ws, 0, 12, "28.120000");
    model::addChannel(ws, 0, 3, "28.030000");
    open();
    QComboBox* list = emergencyList(window.get(), 0);
    EXPECT_EQ(entries(list), QStringList({"1", "3", "12"}));
    EXPECT_EQ(list->currentText(), "1");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_End);
    EXPECT_EQ(ws.record.optionFeatures[model::kEmergencyChannelPosition], 12 - 1);

    // A group emptied in the record by hand shows an empty list and is fixed to -1 by the
    // next addition.
    ws.record.channelCount[5] = 0;
    window->InitComboList();
    EXPECT_EQ(emergencyList(window.get(), 5)->count(), 0);
    clickCell(20, ColRxFreq);
    QTest::keyClicks(text1, "28.2");
    enter(text1);
    EXPECT_EQ(ws.record.optionFeatures[model::kEmergencyChannelPosition + 5], -1);
    EXPECT_EQ(ws.record.optionFeatures[model::kEmergencyChannelPosition], 12 - 1);
    EXPECT_EQ(entries(list), QStringList({"1", "3", "12", "20"}));
    EXPECT_EQ(list->currentText(), "12");
}

TEST_F(ChannelInfoTest, BandChangeCancelledChangesNothing) {
    open();
    const model::ConfigRecord before = ws.record;
    QSignalSpy requested(window.get(), &editors::frmCommChInfo::newDocumentRequested);
    auto* bands = control<QComboBox>(window.get(), "ComboBand");
    EXPECT_EQ(entries(bands), QStringList({model::kBandText0, model::kBandText1}));
    EXPECT_EQ(bands->currentText(), model::kBandText0);

    prompter.script({text::Answer::Cancel});
    bands->setFocus();
    QTest::keyClick(bands, Qt::Key_Down);
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, "All data will be cleared.");
    EXPECT_EQ(prompter.asked[0].buttons, text::Buttons::OkCancel);
    EXPECT_EQ(prompter.asked[0].icon, text::Icon::Warning);
    EXPECT_EQ(ws.state.bandText, model::kBandText0);
    EXPECT_DOUBLE_EQ(ws.state.bandHigh, 29.7);
    EXPECT_TRUE(ws.record == before);
    EXPECT_EQ(requested.count(), 0);
    EXPECT_EQ(bands->currentText(), model::kBandText0) << "the list shows the document's band";
}

TEST_F(ChannelInfoTest, BandChangeConfirmedRequestsANewDocumentWithTheNewBand) {
    open();
    QSignalSpy requested(window.get(), &editors::frmCommChInfo::newDocumentRequested);
    auto* bands = control<QComboBox>(window.get(), "ComboBand");
    prompter.script({text::Answer::Ok});
    bands->setFocus();
    QTest::keyClick(bands, Qt::Key_Down);
    EXPECT_EQ(requested.count(), 1);
    EXPECT_EQ(ws.state.bandText, model::kBandText1);
    EXPECT_DOUBLE_EQ(ws.state.bandLow, 25.615);
    EXPECT_DOUBLE_EQ(ws.state.bandHigh, 30.105);

    // Choosing the band the document already has asks nothing.
    QTest::keyClick(bands, Qt::Key_Down);
    EXPECT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(requested.count(), 1);
}

TEST_F(ChannelInfoTest, OpenedInChineseShowsTheChineseTexts) {
    ws.state.language = text::Chinese;
    open();
    EXPECT_EQ(window->windowTitle(), qs("信道信息[信道 - 1]---A"));
    // Each label carries the Alt+letter of its list, the same as in English.
    EXPECT_EQ(control<QLabel>(window.get(), "LabelBand")->text(), qs("频段选择(&L)"));
    EXPECT_EQ(control<QLabel>(window.get(), "LabelGroup")->text(), qs("组(&A)"));
    EXPECT_EQ(control<QLabel>(window.get(), "LabelEmergency_0")->text(), qs("紧急信道 A(&R)"));
    EXPECT_EQ(control<QLabel>(window.get(), "LabelEmergency_5")->text(), qs("紧急信道 F(&R)"));
    EXPECT_EQ(control<QPushButton>(window.get(), "CommandClose")->text(), qs("关闭(&C)"));
    const QStringList headers{qs("信道"), qs("接收频率"), qs("发射频率"), "BUSY", "ECHO",
                              "HI-CUT",   "+10KHz",       "NB/ANL",       "RB",   qs("扫描")};
    for (int column = 0; column < 10; ++column)
        EXPECT_EQ(header(column), headers[column]) << column;
    EXPECT_EQ(cellText(1, ColScan), qs("添加"));
    EXPECT_EQ(cellText(1, model::ColEcho), qs("使用"));
    EXPECT_EQ(entries(scanList), QStringList({qs("删除"), qs("添加")}));
    EXPECT_EQ(entries(control<QComboBox>(window.get(), "Combo8_1")),
              QStringList({qs("不使用"), qs("使用")}));

    // The warnings come in Chinese too.
    clickCell(2, ColRxFreq);
    QTest::keyClicks(text1, "31");
    enter(text1);
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, "频率超出范围。\n频段为 28.000000 - 29.700000 MHz。");
}

TEST_F(ChannelInfoTest, ReShowByLanguageRelabelsAnOpenWindow) {
    open();
    EXPECT_EQ(header(2), "TX FreQuency");
    EXPECT_EQ(control<QLabel>(window.get(), "LabelEmergency_0")->text(), "Eme&rgency Channel A");
    ws.state.language = text::Chinese;
    window->ReShowChInfoByLanguage();
    EXPECT_EQ(header(2), qs("发射频率"));
    EXPECT_EQ(cellText(1, ColScan), qs("添加"));
    EXPECT_TRUE(window->windowTitle().startsWith(qs("信道信息[信道 -")));
}

// A style may not let a header section be as narrow as the radio's layout has it (the
// Windows style's least width is wider than the channel-number column): the grid still holds
// every column it shows, with or without the flag columns.
TEST_F(ChannelInfoTest, TheGridHoldsItsColumnsWhateverTheHeadersLeastWidth) {
    open();
    const auto columnsFit = [&] {
        return grid->horizontalHeader()->length() <= grid->viewport()->width();
    };
    EXPECT_TRUE(columnsFit());
    grid->horizontalHeader()->setMinimumSectionSize(grid->columnWidth(ColScan) + 20);
    window->ReShowChInfoByLanguage();
    settle();
    EXPECT_TRUE(columnsFit()) << grid->horizontalHeader()->length() << " in "
                              << grid->viewport()->width();
    window->setFlagColumnsShown(true);
    settle();
    EXPECT_TRUE(columnsFit()) << "with the flag columns";
}

TEST_F(ChannelInfoTest, SetGridData2ShowsAReplacedRecordAndDropsTheStaleText) {
    open();
    retype("28.9"); // pending, then the document is replaced
    model::Workspace other;
    other.record = model::defaultRecord(other.state, model::Today{});
    model::addChannel(other, 2, 8, "28.800000");
    other.record.currentGroup = 2;
    ws.record = other.record;
    window->SetGridData2();
    EXPECT_EQ(control<QComboBox>(window.get(), "ComboGroup")->currentText(), "C");
    EXPECT_EQ(cellText(8, ColRxFreq), "28.800000");
    EXPECT_EQ(cellText(1, ColRxFreq), "28.115000");
    EXPECT_TRUE(emergencyList(window.get(), 2)->isVisible());
    window->validateControls();
    EXPECT_TRUE(ws.record == other.record) << "the old text was not stored into the new record";
}

TEST_F(ChannelInfoTest, ADamagedRecordOpensOnGroupAWithoutErrors) {
    ws.record.currentGroup = 9;
    ws.record.channelCount[1] = -5;
    ws.record.channel(0, 1).scan = 7; // not a list entry: shows the first entry
    open();
    EXPECT_TRUE(prompter.asked.empty()) << prompter.asked.front().text;
    EXPECT_EQ(ws.record.currentGroup, 0);
    EXPECT_EQ(cellText(1, ColRxFreq), "28.015000");
    EXPECT_EQ(cellText(1, ColScan), "Del");
    EXPECT_TRUE(window->windowTitle().endsWith("---A"));
    EXPECT_EQ(emergencyList(window.get(), 1)->count(), 0);
}

TEST_F(ChannelInfoTest, InsideAnMdiAreaTheCloseButtonClosesTheFrameAndStoresThePendingEdit) {
    QMdiArea area;
    auto* chInfo = new editors::frmCommChInfo(ws, prompter);
    QMdiSubWindow* frame = area.addSubWindow(chInfo);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    area.show();
    QApplication::setActiveWindow(&area);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
    settle();
    EXPECT_EQ(frame->windowTitle(), "Channel Information[Channel - 1]---A");
    auto* box = control<QLineEdit>(chInfo, "Text1");
    ASSERT_TRUE(box->isVisible());
    box->selectAll();
    QTest::keyClicks(box, "28.25");

    const QPointer<QMdiSubWindow> watch(frame);
    QTest::mouseClick(control<QPushButton>(chInfo, "CommandClose"), Qt::LeftButton);
    QTRY_VERIFY(watch.isNull());
    EXPECT_EQ(ws.record.channel(0, 1).rxFreq.str(), "28250000");
    EXPECT_TRUE(area.subWindowList().isEmpty());
}

TEST_F(ChannelInfoTest, DestroyingTheWindowStoresThePendingEdit) {
    open();
    clickCell(6, ColRxFreq);
    QTest::keyClicks(text1, "28.6");
    window.reset();
    const model::ChannelEntry* stored = channel(0, 6);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->rxFreq.str(), "28600000");
}

} // namespace
} // namespace zx::test
