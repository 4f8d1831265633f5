// The channel list tools in the channel window, used as a user uses them: the flag columns
// shown, entered with Enter and edited through their lists; Insert at a group whose channel 60
// is in use; moving and sorting with the emergency channel staying on its channel; the
// context menu doing what the keys do.
#include "ChannelInfoFixture.h"
#include "editors/ChannelGridView.h"
#include "model/Band.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>

namespace zx::test {
namespace {

class ChannelListToolsTest : public ChannelInfoTest {
protected:
    editors::ChannelGridView* view() const { return qobject_cast<editors::ChannelGridView*>(grid); }
    void setGroupA(std::initializer_list<std::pair<int, const char*>> channels) {
        ws.record.channelCount[0] = 0;
        for (const auto& [number, frequency] : channels)
            ASSERT_TRUE(model::addChannel(ws, 0, number, frequency));
        model::fixEmergencyChannels(ws.record);
    }
    void setEmergencyA(int number) {
        ws.record.optionFeatures[model::kEmergencyChannelPosition] = model::Integer(number - 1);
    }
    int emergencyA() const {
        return ws.record.optionFeatures[model::kEmergencyChannelPosition] + 1;
    }
    QString emergencyListA() const {
        return control<QComboBox>(window.get(), "ComboEmergency_0")->currentText();
    }
    std::string rx(int number) const {
        const model::ChannelEntry* c = channel(0, number);
        return c ? c->rxFreq.str() : "none";
    }
    void clickRow(int row, Qt::KeyboardModifiers modifiers = {}) {
        grid->scrollTo(cell(row, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers,
                          grid->visualRect(cell(row, 0)).center());
        settle();
    }
    // The right button on a cell, as the window system delivers it.
    QMenu* rightClick(int row, int column) {
        grid->scrollTo(cell(row, column));
        const QPoint at = grid->visualRect(cell(row, column)).center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, grid->viewport()->mapToGlobal(at));
        QApplication::sendEvent(grid->viewport(), &event);
        settle();
        return window->contextMenu();
    }
    void choose(QMenu* menu, const char* entry) {
        QAction* action = menu->findChild<QAction*>(entry);
        ASSERT_NE(action, nullptr) << entry;
        ASSERT_TRUE(menu->isVisible());
        action->trigger();
        menu->hide();
        settle();
    }
};

TEST_F(ChannelListToolsTest, FlagColumnsShownAreVisitedByEnterAndStoreTheirLists) {
    open();
    for (int column = model::ColBusy; column <= model::ColRb; ++column)
        EXPECT_TRUE(grid->isColumnHidden(column)) << "hidden by default: " << column;
    const int narrow = window->width();

    window->setFlagColumnsShown(true);
    settle();
    for (int column = model::ColBusy; column <= model::ColRb; ++column) {
        EXPECT_FALSE(grid->isColumnHidden(column));
        EXPECT_GT(grid->columnWidth(column), 0);
    }
    EXPECT_EQ(header(model::ColHiCut), "HI-CUT");
    EXPECT_EQ(window->width(), narrow + 6 * grid->columnWidth(model::ColBusy))
        << "the window grows by the columns shown";
    EXPECT_GE(grid->columnWidth(model::ColBusy),
              control<QComboBox>(window.get(), "Combo8_1")->sizeHint().width())
        << "wide enough for its list";

    // Channel 1: RX, TX, then BUSY; Enable chosen with the keyboard.
    enter(text1);
    EXPECT_EQ(gridCol(), model::ColTxFreq);
    enter(text1);
    EXPECT_EQ(gridCol(), model::ColBusy);
    auto* busy = control<QComboBox>(window.get(), "Combo8_1");
    ASSERT_TRUE(busy->isVisible());
    EXPECT_EQ(busy->currentText(), "Disable");
    QTest::keyClick(busy, Qt::Key_Down);
    enter(busy);
    EXPECT_EQ(channel(0, 1)->busy, 1);
    EXPECT_EQ(cellText(1, model::ColBusy), "Enable");
    EXPECT_EQ(gridCol(), model::ColEcho);
    for (int column = model::ColEcho; column <= model::ColRb; ++column)
        enter(control<QComboBox>(window.get(),
                                 qPrintable(QStringLiteral("Combo8_%1").arg(column - 2))));
    EXPECT_EQ(gridCol(), model::ColScan) << "after RB comes Scan";
    EXPECT_EQ(channel(0, 1)->echo, 1) << "passing over a list stores nothing";

    // Left goes back into the flag columns too; a choice still open in RB when the columns
    // are hidden again is stored.
    QTest::keyClick(scanList, Qt::Key_Left);
    settle();
    EXPECT_EQ(gridCol(), model::ColRb);
    QTest::keyClick(control<QComboBox>(window.get(), "Combo8_6"), Qt::Key_Down);

    window->setFlagColumnsShown(false);
    settle();
    EXPECT_TRUE(grid->isColumnHidden(model::ColRb));
    EXPECT_EQ(gridCol(), model::ColScan) << "the list of a hidden column closed onto Scan";
    EXPECT_FALSE(control<QComboBox>(window.get(), "Combo8_6")->isVisible());
    EXPECT_TRUE(scanList->isVisible());
    EXPECT_EQ(channel(0, 1)->rb, 1);
    EXPECT_EQ(window->width(), narrow);
    clickCell(2, model::ColRxFreq);
    QTest::keyClicks(text1, "28.2");
    enter(text1);
    enter(text1);
    EXPECT_EQ(gridCol(), model::ColScan) << "hidden, they are skipped again";
}

TEST_F(ChannelListToolsTest, InsertAtAGroupWhoseChannel60IsInUseIsRefused) {
    setGroupA({{1, "28.100000"}, {5, "28.500000"}, {60, "29.600000"}});
    open();
    clickRow(5);
    const model::ConfigRecord before = ws.record;
    QTest::keyClick(grid, Qt::Key_Insert);
    settle();
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text,
              "Channel A-60 is in use: an inserted row would push it past channel 60. Move or "
              "delete channel A-60 first; nothing was inserted.");
    EXPECT_EQ(ws.record, before);
}

TEST_F(ChannelListToolsTest, InsertMakesRoomAndTheEmergencyChannelMovesWithItsChannel) {
    setGroupA({{1, "28.100000"}, {5, "28.500000"}, {59, "29.590000"}});
    setEmergencyA(5);
    open();
    clickRow(5);
    QTest::keyClick(grid, Qt::Key_Insert);
    settle();
    EXPECT_TRUE(prompter.asked.empty());
    EXPECT_EQ(rx(5), "none");
    EXPECT_EQ(rx(6), "28500000");
    EXPECT_EQ(rx(60), "29590000");
    EXPECT_EQ(cellText(5, model::ColRxFreq), "");
    EXPECT_EQ(cellText(6, model::ColRxFreq), "28.500000");
    EXPECT_EQ(emergencyA(), 6);
    EXPECT_EQ(emergencyListA(), "6");
    EXPECT_EQ(view()->selectedRows(), std::vector<int>{5}) << "the new row is chosen";
}

TEST_F(ChannelListToolsTest, MovingAndSortingKeepTheEmergencyChannelOnItsChannel) {
    setGroupA({{3, "28.300000"}, {4, "28.400000"}, {9, "28.090000"}});
    setEmergencyA(4);
    open();
    // In the middle of editing channel 4: the move takes the edit along.
    clickCell(4, model::ColTxFreq);
    retype("28.450000");
    QTest::keyClick(text1, Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
    settle();
    EXPECT_EQ(rx(3), "28400000");
    EXPECT_EQ(channel(0, 3)->txFreq.str(), "28450000") << "the edit was stored first";
    EXPECT_EQ(rx(4), "28300000");
    EXPECT_EQ(emergencyA(), 3);
    EXPECT_EQ(emergencyListA(), "3");
    EXPECT_EQ(view()->selectedRows(), std::vector<int>{3});
    // Again, from the rows chosen; at channel 1 nothing moves.
    QTest::keyClick(grid, Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(grid, Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(grid, Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
    settle();
    EXPECT_EQ(rx(1), "28400000");
    EXPECT_EQ(emergencyA(), 1);
    EXPECT_EQ(view()->selectedRows(), std::vector<int>{1});
    QTest::keyClick(grid, Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
    settle();
    EXPECT_EQ(rx(2), "28400000");
    EXPECT_EQ(emergencyListA(), "2");

    window->runRowCommand(editors::RowCommand::Sort);
    settle();
    EXPECT_EQ(rx(1), "28090000");
    EXPECT_EQ(rx(2), "28300000");
    EXPECT_EQ(rx(3), "28400000");
    EXPECT_EQ(rx(9), "none");
    EXPECT_EQ(emergencyA(), 3) << "still the channel on 28.4 MHz";
    EXPECT_EQ(emergencyListA(), "3");
    EXPECT_EQ(cellText(3, model::ColTxFreq), "28.450000");
    EXPECT_EQ(view()->selectedRows(), (std::vector<int>{1, 2, 3}));

    // Rows that are not neighbours are not moved.
    clickRow(1);
    clickRow(3, Qt::ControlModifier);
    const model::ConfigRecord sorted = ws.record;
    QTest::keyClick(grid, Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
    settle();
    EXPECT_EQ(ws.record, sorted);
    ASSERT_FALSE(prompter.asked.empty());
    EXPECT_EQ(prompter.asked.back().text,
              "Only one row or a block of neighbouring rows can be moved; nothing was moved.");
}

TEST_F(ChannelListToolsTest, TheContextMenuDoesWhatTheKeysDo) {
    setGroupA({{1, "28.100000"}, {2, "28.200000"}, {3, "28.300000"}});
    open();
    clickRow(1);
    clickRow(2, Qt::ShiftModifier);
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    const QString byKeys = QGuiApplication::clipboard()->text();
    ASSERT_TRUE(byKeys.contains("A-02"));
    QGuiApplication::clipboard()->clear();

    // A right click on a chosen row keeps the rows chosen.
    QMenu* menu = rightClick(2, model::ColRxFreq);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(view()->selectedRows(), (std::vector<int>{1, 2}));
    QStringList captions;
    for (QAction* entry : menu->actions())
        if (!entry->isSeparator())
            captions << entry->text();
    EXPECT_EQ(captions,
              (QStringList{"Cop&y", "Cu&t", "&Paste", "De&lete Channels", "Insert C&hannel",
                           "Mov&e Up", "Move Do&wn", "Sort &Group by RX Frequency"}));
    EXPECT_EQ(menu->findChild<QAction*>("ctxChannelsMoveUp")->shortcut(),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Up));
    choose(menu, "ctxChannelsCopy");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), byKeys);

    // On a row not chosen, the menu is for that row alone.
    menu = rightClick(3, model::ColScan);
    EXPECT_EQ(view()->selectedRows(), std::vector<int>{3});
    choose(menu, "ctxChannelsDelete");
    EXPECT_EQ(rx(3), "none");
    choose(rightClick(1, 0), "ctxChannelsPaste");
    EXPECT_EQ(rx(1), "28100000");
    EXPECT_EQ(rx(2), "28200000") << "the rows copied came back where the menu was opened";
    // The rows pasted are chosen: the menu on one of them moves both.
    choose(rightClick(2, 0), "ctxChannelsMoveDown");
    EXPECT_EQ(rx(1), "none");
    EXPECT_EQ(rx(2), "28100000");
    EXPECT_EQ(rx(3), "28200000");
}

TEST_F(ChannelListToolsTest, AMenuEntryWithoutRowsChosenActsOnTheCursorsRow) {
    setGroupA({{1, "28.100000"}, {2, "28.200000"}});
    open();
    clickCell(2, model::ColRxFreq);
    window->runRowCommand(editors::RowCommand::Copy);
    settle();
    EXPECT_EQ(view()->selectedRows(), std::vector<int>{2}) << "the row acted on is shown";
    const QStringList lines =
        QGuiApplication::clipboard()->text().split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[1].startsWith("2\tA-02\t28.200000")) << lines[1].toStdString();
}

} // namespace
} // namespace zx::test
