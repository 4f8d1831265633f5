// Keys, wheel turns and dialogs in the channel window: nothing changes a channel the user
// did not point at.
#include "ChannelInfoFixture.h"

#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

namespace zx::test {
namespace {

using model::ColRxFreq;
using model::ColScan;
using model::ColTxFreq;

// Shows a real modal message box that closes itself, as a warning or a question does.
void showDialog(QWidget* parent) {
    QMessageBox box(QMessageBox::Warning, "ZX-908HF", "A message", QMessageBox::Ok, parent);
    QTimer::singleShot(50, &box, &QMessageBox::accept);
    box.exec();
    QApplication::setActiveWindow(parent);
    QTest::qWait(40);
}

TEST_F(ChannelInfoTest, ADigitTypedAfterADialogEditsTheCellBeingEdited) {
    model::addChannel(ws, 0, 2, "28.200000");
    model::addChannel(ws, 0, 3, "28.300000");
    open();
    clickCell(3, ColRxFreq);
    showDialog(window.get());
    ASSERT_EQ(QApplication::focusWidget(), text1) << "the focus is back in the cell editor";
    ASSERT_TRUE(textBoxOver(3, ColRxFreq));

    // Typed as the user types: into whatever has the focus.
    QTest::keyClicks(QApplication::focusWidget(), "28.5");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    settle();
    EXPECT_EQ(channel(0, 3)->rxFreq.str(), "28500000");
    EXPECT_EQ(channel(0, 2)->rxFreq.str(), "28200000");
    EXPECT_EQ(channel(0, 1)->rxFreq.str(), "28015000");
    EXPECT_EQ(ws.record.channelCount[0], 3);
}

TEST_F(ChannelInfoTest, APrintableKeyOnTheGridStartsEditingTheCurrentCellWithoutMovingIt) {
    model::addChannel(ws, 0, 2, "28.200000");
    model::addChannel(ws, 0, 7, "29.100000");
    open();
    clickCell(2, ColRxFreq);
    // The focus leaves the editor for another control, which closes it, then comes back to
    // the grid itself (not by Tab, which would open the editor at once).
    control<QComboBox>(window.get(), "ComboGroup")->setFocus(Qt::MouseFocusReason);
    settle();
    ASSERT_FALSE(text1->isVisible());
    grid->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(grid->hasFocus());

    // "2" would have searched for the next row starting with 2 (channel 7: "29.1...").
    QTest::keyClick(grid, Qt::Key_2);
    settle();
    EXPECT_EQ(gridRow(), 2);
    ASSERT_TRUE(textBoxOver(2, ColRxFreq));
    EXPECT_EQ(text1->text(), "2") << "the key replaces the cell's text";
    QTest::keyClicks(text1, "8.25");
    enter(text1);
    EXPECT_EQ(channel(0, 2)->rxFreq.str(), "28250000");
    EXPECT_EQ(channel(0, 7)->rxFreq.str(), "29100000");

    // With no current cell (after a group change) a key changes nothing at all.
    auto* groups = control<QComboBox>(window.get(), "ComboGroup");
    groups->setFocus();
    QTest::keyClick(groups, Qt::Key_Down);
    settle();
    const model::ConfigRecord before = ws.record;
    grid->setFocus();
    for (const char key : std::string("28.7\r"))
        QTest::keyClick(QApplication::focusWidget(), key);
    settle();
    EXPECT_TRUE(ws.record == before);
    EXPECT_EQ(gridRow(), 0) << "no row was searched for";
}

TEST_F(ChannelInfoTest, FastWheelScrollingThenTypingEditsOnlyTheVisibleCellUnderTheEditor) {
    for (int n = 2; n <= 30; ++n)
        model::addChannel(ws, 0, n, "28.100000");
    open();
    clickCell(5, ColRxFreq);
    const QRect place = text1->geometry();
    // Quick turns, with no pause for timers between them.
    for (int i = 0; i < 5; ++i)
        turnWheel(grid->viewport(), 1);
    const int top = grid->rowAt(0) + 1;
    ASSERT_GT(top, 5) << "the rows moved up past channel 5";

    QWidget* editor = QApplication::focusWidget();
    ASSERT_EQ(editor, text1);
    // The editor is on screen, at its place, over a row that is shown.
    EXPECT_EQ(text1->geometry(), place);
    EXPECT_TRUE(grid->viewport()->rect().contains(text1->geometry()));
    const int edited = gridRow();
    EXPECT_EQ(grid->visualRect(cell(edited, ColRxFreq)), place);
    EXPECT_GE(edited, top);

    QTest::keyClicks(editor, "28.55");
    QTest::keyClick(editor, Qt::Key_Return);
    settle();
    EXPECT_EQ(channel(0, 5)->rxFreq.str(), "28100000") << "the hidden channel 5 is untouched";
    EXPECT_EQ(channel(0, edited)->rxFreq.str(), "28550000");
    for (int n = 2; n <= 30; ++n) {
        if (n != edited) {
            EXPECT_EQ(channel(0, n)->rxFreq.str(), "28100000") << n;
        }
    }
}

TEST_F(ChannelInfoTest, TheWheelOverAListWithoutTheFocusChangesNothing) {
    model::addChannel(ws, 0, 3, "28.300000");
    open();
    const model::ConfigRecord before = ws.record;
    const std::string band = ws.state.bandText;
    auto* bands = control<QComboBox>(window.get(), "ComboBand");
    auto* groups = control<QComboBox>(window.get(), "ComboGroup");
    auto* emergency = control<QComboBox>(window.get(), "ComboEmergency_0");
    clickCell(1, ColScan);
    ASSERT_TRUE(scanList->hasFocus());
    clickCell(3, ColRxFreq); // the scan list closes; the focus is in the text box

    for (QComboBox* list : {bands, groups, emergency}) {
        turnWheel(list, 1);
        turnWheel(list, -1);
        turnWheel(list, 1);
        EXPECT_FALSE(list->hasFocus()) << list->objectName().toStdString();
    }
    EXPECT_EQ(bands->currentIndex(), 0);
    EXPECT_EQ(groups->currentIndex(), 0);
    EXPECT_EQ(emergency->currentText(), "1");
    EXPECT_TRUE(prompter.asked.empty()) << "no band question";
    EXPECT_EQ(ws.state.bandText, band);
    EXPECT_TRUE(ws.record == before);

    // A list that has the focus is the one the user points at: the wheel picks its entry.
    emergency->setFocus();
    turnWheel(emergency, 1);
    EXPECT_EQ(emergency->currentText(), "3");
    EXPECT_EQ(ws.record.optionFeatures[model::kEmergencyChannelPosition], 3 - 1);
}

TEST_F(ChannelInfoTest, EscapePutsTheStoredValueBackAndStoresNothing) {
    open();
    const model::ConfigRecord before = ws.record;
    retype("29.1");
    QTest::keyClick(text1, Qt::Key_Escape);
    EXPECT_EQ(text1->text(), "28.015000");
    EXPECT_TRUE(textBoxOver(1, ColRxFreq)) << "the editor stays on its cell";
    enter(text1); // on to TX: the cell is left without a change
    EXPECT_TRUE(ws.record == before);

    clickCell(1, ColScan);
    QTest::keyClick(scanList, Qt::Key_Up); // "Add" -> "Del"
    QTest::keyClick(scanList, Qt::Key_Escape);
    EXPECT_EQ(scanList->currentText(), "Add");
    clickCell(1, ColRxFreq);
    EXPECT_TRUE(ws.record == before);
    EXPECT_EQ(channel(0, 1)->scan, 1);
}

TEST_F(ChannelInfoTest, PassingThroughCellsStoresNothingTheUserDidNotChange) {
    // Values as a file of the other band brings them: off the raster, out of the band.
    model::addChannel(ws, 0, 2, "28.200000");
    ws.record.channel(0, 1).txFreq = "28123456";
    ws.record.channel(0, 2).rxFreq = "30000000";
    open();
    const model::ConfigRecord before = ws.record;
    for (int i = 0; i < 4; ++i) // RX, TX, Scan of channel 1, then RX of channel 2
        enter(QApplication::focusWidget());
    ASSERT_TRUE(textBoxOver(2, ColTxFreq));
    grid->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    settle();
    EXPECT_TRUE(prompter.asked.empty()) << "no warning for a value nobody typed";
    EXPECT_TRUE(ws.record == before);
}

TEST_F(ChannelInfoTest, TabLeavesTheGridBothWaysAndLeftRightMoveInsideIt) {
    model::addChannel(ws, 0, 2, "28.200000");
    open();
    QWidget* close = control<QPushButton>(window.get(), "CommandClose");
    QWidget* emergency = control<QComboBox>(window.get(), "ComboEmergency_0");

    // The whole text is chosen when a cell is entered: Right goes to the cell beside, and on
    // to Scan; Right in Scan stays there.
    QTest::keyClick(text1, Qt::Key_Right);
    settle();
    EXPECT_TRUE(textBoxOver(1, ColTxFreq));
    QTest::keyClick(text1, Qt::Key_Right);
    settle();
    EXPECT_EQ(gridCol(), ColScan);
    QTest::keyClick(scanList, Qt::Key_Right);
    settle();
    EXPECT_EQ(gridCol(), ColScan);
    EXPECT_EQ(gridRow(), 1);
    QTest::keyClick(scanList, Qt::Key_Left);
    settle();
    ASSERT_TRUE(textBoxOver(1, ColTxFreq));
    // With the caret inside the text the keys move the caret; at the start, Left moves on.
    QTest::keyClick(text1, Qt::Key_Home);
    QTest::keyClick(text1, Qt::Key_Right);
    settle();
    EXPECT_TRUE(textBoxOver(1, ColTxFreq));
    EXPECT_EQ(text1->cursorPosition(), 1);
    QTest::keyClick(text1, Qt::Key_Left);
    settle();
    EXPECT_TRUE(textBoxOver(1, ColTxFreq));
    QTest::keyClick(text1, Qt::Key_Left);
    settle();
    EXPECT_TRUE(textBoxOver(1, ColRxFreq));

    // Tab stores the edit and goes on to the close button; Shift+Tab from there comes back
    // into the grid at the cell left, with its editor open.
    QTest::keyClicks(text1, "28.4");
    QTest::keyClick(text1, Qt::Key_Tab);
    settle();
    EXPECT_EQ(QApplication::focusWidget(), close);
    EXPECT_EQ(channel(0, 1)->rxFreq.str(), "28400000");
    QTest::keyClick(close, Qt::Key_Backtab, Qt::ShiftModifier);
    settle();
    EXPECT_TRUE(textBoxOver(1, ColRxFreq));
    EXPECT_EQ(QApplication::focusWidget(), text1);
    // Shift+Tab leaves the other way, to the emergency list; Tab comes back in.
    QTest::keyClick(text1, Qt::Key_Backtab, Qt::ShiftModifier);
    settle();
    EXPECT_EQ(QApplication::focusWidget(), emergency);
    QTest::keyClick(emergency, Qt::Key_Tab);
    settle();
    EXPECT_TRUE(textBoxOver(1, ColRxFreq));
    EXPECT_EQ(ws.record.channelCount[0], 2);
}

TEST_F(ChannelInfoTest, OpensAtItsDesignedSizeWithReadableHeaders) {
    // Every header, wrapped to its column, fits into the header row.
    const auto expectReadableHeaders = [this] {
        QHeaderView* bar = grid->horizontalHeader();
        for (int column : {0, int(ColRxFreq), int(ColTxFreq), int(ColScan)}) {
            const QRect room(0, 0, grid->columnWidth(column) - 4, 1000);
            const int needed =
                bar->fontMetrics()
                    .boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, header(column))
                    .height();
            EXPECT_LE(needed, bar->height()) << header(column).toStdString();
        }
    };
    open();
    EXPECT_EQ(window->size(), QSize(4500 / 15, 9600 / 15));
    // Most of the 60 rows, far more than the eight of a squeezed window.
    EXPECT_GE(grid->viewport()->height() / grid->rowHeight(0), 20);
    expectReadableHeaders();

    // A larger system font (Chinese systems, large-text settings): the row grows with it.
    window.reset();
    const QFont normal = QApplication::font();
    QFont large = normal;
    large.setPointSizeF(normal.pointSizeF() * 1.6);
    QApplication::setFont(large);
    open();
    expectReadableHeaders();
    QApplication::setFont(normal);
}

} // namespace
} // namespace zx::test
