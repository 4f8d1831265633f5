// Typing into the channel grid: the editor flow over the cells, the Enter navigation, and
// what each edit leaves in the working record.
#include "ChannelInfoFixture.h"

#include <QClipboard>
#include <QKeyEvent>
#include <QScrollBar>

namespace zx::test {
namespace {

using model::ColRxFreq;
using model::ColScan;
using model::ColTxFreq;

TEST_F(ChannelInfoTest, OpensWithTheEditorOnChannelOnesReceiveFrequency) {
    open();
    EXPECT_TRUE(textBoxOver(1, ColRxFreq));
    EXPECT_EQ(text1->text(), "28.015000");
    EXPECT_EQ(text1->selectedText(), "28.015000");
    EXPECT_TRUE(text1->hasFocus());
    EXPECT_EQ(window->windowTitle(), "Channel Information[Channel - 1]---A");
    EXPECT_EQ(cellText(1, ColScan), "Add");
    EXPECT_EQ(cellText(1, model::ColEcho), "Enable");
    EXPECT_EQ(cellText(1, model::ColBusy), "Disable");
    EXPECT_EQ(cellText(2, ColRxFreq), "");
    EXPECT_EQ(cellText(60, 0), "60");
    for (int column = model::ColBusy; column <= model::ColRb; ++column)
        EXPECT_TRUE(grid->isColumnHidden(column)) << column;
}

TEST_F(ChannelInfoTest, FrequencyTypedIntoAnEmptyRowCreatesTheChannelAndMovesToTx) {
    open();
    clickCell(5, ColRxFreq);
    ASSERT_TRUE(textBoxOver(5, ColRxFreq));
    EXPECT_EQ(window->windowTitle(), "Channel Information[Channel - 5]---A");
    QTest::keyClicks(text1, "28.123456");
    enter(text1);

    const model::ChannelEntry* created = channel(0, 5);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(ws.record.channelCount[0], 2);
    EXPECT_EQ(&ws.record.channel(0, 2), created) << "new channels are appended";
    EXPECT_EQ(created->inUse, 1);
    EXPECT_EQ(created->rxFreq.str(), "28123450"); // moved down onto the 10 Hz raster
    EXPECT_EQ(created->txFreq.str(), "28123450");
    EXPECT_EQ(created->scan, 1);
    EXPECT_EQ(created->echo, 1);
    EXPECT_EQ(created->busy + created->hiCut + created->plus10k + created->nbAnl + created->rb, 0);

    EXPECT_EQ(cellText(5, ColRxFreq), "28.123450");
    EXPECT_EQ(cellText(5, ColScan), "Add");
    EXPECT_EQ(gridRow(), 5);
    EXPECT_EQ(gridCol(), ColTxFreq);
    EXPECT_TRUE(textBoxOver(5, ColTxFreq));
    EXPECT_EQ(text1->text(), "28.123450");
    EXPECT_TRUE(prompter.asked.empty());
    // The emergency list of the group now offers the new channel too.
    EXPECT_EQ(entries(control<QComboBox>(window.get(), "ComboEmergency_0")),
              QStringList({"1", "5"}));
}

TEST_F(ChannelInfoTest, EnterRunsThroughRxTxScanAndOnToTheNextRow) {
    open();
    const model::ConfigRecord before = ws.record;
    enter(text1); // RX of channel 1 holds a frequency: on to TX
    EXPECT_EQ(gridCol(), ColTxFreq);
    enter(text1); // TX: the hidden columns 3..8 are skipped
    EXPECT_EQ(gridCol(), ColScan);
    EXPECT_EQ(gridRow(), 1);
    EXPECT_TRUE(scanList->isVisible());
    EXPECT_TRUE(scanList->hasFocus());
    EXPECT_FALSE(text1->isVisible());
    EXPECT_EQ(scanList->currentText(), "Add");
    enter(scanList); // Scan: receive cell of the next row
    EXPECT_EQ(gridRow(), 2);
    EXPECT_EQ(gridCol(), ColRxFreq);
    EXPECT_TRUE(textBoxOver(2, ColRxFreq));
    EXPECT_FALSE(scanList->isVisible());
    EXPECT_EQ(window->windowTitle(), "Channel Information[Channel - 2]---A");
    for (int k = 1; k <= 6; ++k)
        EXPECT_FALSE(
            control<QComboBox>(window.get(), qPrintable(QStringLiteral("Combo8_%1").arg(k)))
                ->isVisible());
    EXPECT_TRUE(ws.record == before) << "passing through cells changes nothing";
}

TEST_F(ChannelInfoTest, EnterInTheEmptyReceiveCellMovesDownAndWrapsAfterRowSixty) {
    open();
    clickCell(59, ColRxFreq);
    enter(text1);
    EXPECT_EQ(gridRow(), 60);
    EXPECT_TRUE(textBoxOver(60, ColRxFreq));
    enter(text1);
    EXPECT_EQ(gridRow(), 1);
    EXPECT_EQ(gridCol(), ColRxFreq);
    EXPECT_TRUE(textBoxOver(1, ColRxFreq));
    EXPECT_EQ(text1->text(), "28.015000");
    EXPECT_EQ(ws.record.channelCount[0], 1);
}

TEST_F(ChannelInfoTest, EnteringTxOrScanOfAnEmptyRowPutsTheEditorIntoItsReceiveCell) {
    open();
    clickCell(7, ColTxFreq);
    EXPECT_EQ(gridRow(), 7);
    EXPECT_EQ(gridCol(), ColRxFreq);
    EXPECT_TRUE(textBoxOver(7, ColRxFreq));
    clickCell(9, ColScan);
    EXPECT_EQ(gridCol(), ColRxFreq);
    EXPECT_TRUE(textBoxOver(9, ColRxFreq));
    EXPECT_FALSE(scanList->isVisible());
    // An existing channel's scan cell opens the scan list.
    clickCell(1, ColScan);
    EXPECT_EQ(gridCol(), ColScan);
    EXPECT_TRUE(scanList->isVisible());
    EXPECT_EQ(ws.record.channelCount[0], 1);
}

TEST_F(ChannelInfoTest, ScanChoiceIsStoredWhenTheCellIsLeft) {
    open();
    clickCell(1, ColScan);
    ASSERT_TRUE(scanList->hasFocus());
    QTest::keyClick(scanList, Qt::Key_Up); // "Add" -> "Del"
    EXPECT_EQ(channel(0, 1)->scan, 1) << "stored only on leaving the cell";
    clickCell(1, ColRxFreq);
    EXPECT_EQ(channel(0, 1)->scan, 0);
    EXPECT_EQ(cellText(1, ColScan), "Del");
    EXPECT_FALSE(scanList->isVisible());
}

TEST_F(ChannelInfoTest, ClearingTxCopiesRxAndLeavingStoresAnEditedTx) {
    open();
    enter(text1);
    retype("28.5");
    clickCell(1, ColRxFreq); // leaving the cell stores it
    EXPECT_EQ(channel(0, 1)->txFreq.str(), "28500000");
    EXPECT_EQ(cellText(1, ColTxFreq), "28.500000");

    clickCell(1, ColTxFreq);
    retype("");
    enter(text1);
    EXPECT_EQ(channel(0, 1)->txFreq.str(), "28015000");
    EXPECT_EQ(cellText(1, ColTxFreq), "28.015000");
}

TEST_F(ChannelInfoTest, ClearingRxDeletesTheChannelAndMovesTheEmergencyChannel) {
    model::addChannel(ws, 0, 3, "28.300000");
    model::addChannel(ws, 0, 7, "28.700000");
    ws.record.optionFeatures[model::kEmergencyChannelPosition] = 3 - 1; // channel 3
    open();
    auto* emergencyA = control<QComboBox>(window.get(), "ComboEmergency_0");
    EXPECT_EQ(entries(emergencyA), QStringList({"1", "3", "7"}));
    EXPECT_EQ(emergencyA->currentText(), "3");

    clickCell(3, ColRxFreq);
    retype("");
    enter(text1); // empty receive cell: on to the next row, deleting channel 3
    EXPECT_EQ(gridRow(), 4);
    EXPECT_EQ(channel(0, 3), nullptr);
    EXPECT_EQ(ws.record.channelCount[0], 2);
    EXPECT_EQ(ws.record.channel(0, 2).number, 7) << "later channels move down one slot";
    EXPECT_EQ(ws.record.optionFeatures[model::kEmergencyChannelPosition], 0);
    EXPECT_EQ(entries(emergencyA), QStringList({"1", "7"}));
    EXPECT_EQ(emergencyA->currentText(), "1");
    EXPECT_EQ(cellText(3, ColRxFreq), "");
    EXPECT_EQ(cellText(3, ColScan), "");
}

TEST_F(ChannelInfoTest, ClearingRxOfTheGroupsOnlyChannelKeepsIt) {
    open();
    const model::ChannelEntry before = *channel(0, 1);
    retype("");
    enter(text1);
    EXPECT_EQ(ws.record.channelCount[0], 1);
    EXPECT_EQ(*channel(0, 1), before);
    EXPECT_EQ(cellText(1, ColRxFreq), "28.015000") << "shown again from the record";
}

TEST_F(ChannelInfoTest, OutOfRangeRxAddsNothingAndTxIsClampedAfterTheWarning) {
    open();
    clickCell(4, ColRxFreq);
    QTest::keyClicks(text1, "27.5");
    enter(text1);
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text,
              "Frequency is out of range.\nThe band is 28.000000 - 29.700000 MHz.");
    EXPECT_EQ(prompter.asked[0].icon, text::Icon::Warning);
    EXPECT_EQ(channel(0, 4), nullptr);
    EXPECT_EQ(cellText(4, ColRxFreq), "");
    EXPECT_TRUE(textBoxOver(4, ColRxFreq)) << "the refused value stays in its cell";
    QTest::keyClick(text1, Qt::Key_Escape);

    clickCell(1, ColTxFreq);
    retype("30");
    enter(text1);
    ASSERT_EQ(prompter.asked.size(), 2u);
    EXPECT_EQ(channel(0, 1)->txFreq.str(), "29700000");
    EXPECT_EQ(cellText(1, ColTxFreq), "29.700000");
}

TEST_F(ChannelInfoTest, TheTextBoxAcceptsOnlyDigitsAndPoint) {
    open();
    clickCell(2, ColRxFreq);
    QTest::keyClicks(text1, "2a8,B.5 x-1+");
    EXPECT_EQ(text1->text(), "28.51");
    for (const QString& wide : {QString::fromUtf8("é"), QString::fromUtf8("中")}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, wide);
        QApplication::sendEvent(text1, &press);
    }
    EXPECT_EQ(text1->text(), "28.51");
    QTest::keyClick(text1, Qt::Key_Backspace); // control keys still work
    EXPECT_EQ(text1->text(), "28.5");

    QApplication::clipboard()->setText("29.1");
    QTest::keyClick(text1, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(text1, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(text1->text(), "28.5");
    text1->selectAll();
    QTest::keyClick(text1, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(text1, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(text1->text(), "28.5");
    EXPECT_EQ(QApplication::clipboard()->text(), "29.1");
}

TEST_F(ChannelInfoTest, TheRightButtonOnTheTextBoxDoesNothing) {
    open();
    const QString before = text1->text();
    QTest::mouseClick(text1, Qt::RightButton, {}, text1->rect().center());
    QTest::qWait(20);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "no context menu";
    EXPECT_EQ(text1->text(), before);
    EXPECT_EQ(text1->selectedText(), before) << "the selection stays";
    EXPECT_TRUE(textBoxOver(1, ColRxFreq));
    EXPECT_EQ(text1->contextMenuPolicy(), Qt::NoContextMenu);
}

TEST_F(ChannelInfoTest, APendingEditIsStoredByValidateAndByClosing) {
    open();
    clickCell(2, ColRxFreq);
    QTest::keyClicks(text1, "28.2");
    EXPECT_EQ(channel(0, 2), nullptr);
    window->validateControls();
    ASSERT_NE(channel(0, 2), nullptr);
    EXPECT_EQ(channel(0, 2)->rxFreq.str(), "28200000");
    // The editor stays over its cell and shows what was stored, so that the focus can come
    // back to it after the dialog that usually follows a validation.
    EXPECT_TRUE(textBoxOver(2, ColRxFreq));
    EXPECT_EQ(text1->text(), "28.200000");

    clickCell(3, ColRxFreq);
    QTest::keyClicks(text1, "28.3");
    window->close();
    ASSERT_NE(channel(0, 3), nullptr);
    EXPECT_EQ(channel(0, 3)->rxFreq.str(), "28300000");
    EXPECT_FALSE(window->isOpen());
}

TEST_F(ChannelInfoTest, ScrollingKeepsTheCursorAtItsPlaceOnScreen) {
    open();
    clickCell(3, ColRxFreq);
    const QRect place = text1->geometry();
    grid->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    settle();
    EXPECT_EQ(gridRow(), 4);
    EXPECT_TRUE(textBoxOver(4, ColRxFreq));
    EXPECT_EQ(text1->geometry(), place);
}

} // namespace
} // namespace zx::test
