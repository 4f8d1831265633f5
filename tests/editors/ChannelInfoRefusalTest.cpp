// A value the channel grid refuses keeps the channel: a receive frequency outside the band
// (or no number) typed over an existing channel is warned about with the band's limits, and
// the editor stays over its cell with the value chosen, however the user tries to leave it
// within the grid. And the keys that move into a frequency cell choose its text, so that
// what is typed next replaces it.
#include "ChannelInfoFixture.h"

namespace zx::test {
namespace {

using model::ColRxFreq;
using model::ColScan;
using model::ColTxFreq;

class ChannelInfoRefusal : public ChannelInfoTest {
protected:
    // A-02 with its own TX, scan "Del" and BUSY on, and the emergency channel on it.
    void SetUp() override {
        ChannelInfoTest::SetUp();
        ASSERT_TRUE(model::addChannel(ws, 0, 2, "28.200000"));
        model::ChannelEntry& a02 = ws.record.channel(0, 2);
        a02.txFreq = "28300000";
        a02.scan = 0;
        a02.busy = 1;
        ws.record.optionFeatures[model::kEmergencyChannelPosition] = 1;
    }
    const std::string kWarning =
        "Frequency is out of range.\nThe band is 28.000000 - 29.700000 MHz.";
};

TEST_F(ChannelInfoRefusal, AnOutOfRangeReceiveFrequencyOverAChannelKeepsItAndItsCell) {
    open();
    const model::ChannelEntry before = *channel(0, 2);
    clickCell(2, ColRxFreq);
    retype("2.83"); // 28.3 with a slip of the finger
    enter(text1);

    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, kWarning);
    EXPECT_EQ(prompter.asked[0].icon, text::Icon::Warning);
    ASSERT_NE(channel(0, 2), nullptr) << "the channel was deleted";
    EXPECT_EQ(*channel(0, 2), before);
    EXPECT_EQ(ws.record.optionFeatures[model::kEmergencyChannelPosition], 1);
    EXPECT_EQ(cellText(2, ColRxFreq), "28.200000");
    // Still editing the same cell, the refused text chosen: typing puts it right.
    EXPECT_TRUE(textBoxOver(2, ColRxFreq));
    EXPECT_EQ(QApplication::focusWidget(), text1);
    EXPECT_EQ(text1->text(), "2.83");
    EXPECT_EQ(text1->selectedText(), "2.83");
    QTest::keyClicks(text1, "28.25");
    enter(text1);
    EXPECT_EQ(channel(0, 2)->rxFreq.str(), "28250000");
    EXPECT_EQ(channel(0, 2)->txFreq.str(), "28300000") << "TX stays";
    EXPECT_TRUE(textBoxOver(2, ColTxFreq)) << "and Enter goes on as usual";
    EXPECT_EQ(prompter.asked.size(), 1u);
}

TEST_F(ChannelInfoRefusal, LeavingTheRefusedCellByMouseOrKeyComesBackToIt) {
    open();
    const model::ChannelEntry before = *channel(0, 2);
    clickCell(2, ColRxFreq);
    retype("35");
    clickCell(5, ColRxFreq);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{kWarning});
    EXPECT_EQ(*channel(0, 2), before);
    EXPECT_EQ(gridRow(), 2) << "back on the refused cell";
    EXPECT_TRUE(textBoxOver(2, ColRxFreq));
    EXPECT_EQ(text1->selectedText(), "35");
    // A click on a row number chooses no row while the value waits to be put right.
    clickCell(6, 0);
    EXPECT_EQ(prompter.asked.size(), 2u);
    EXPECT_TRUE(grid->selectionModel()->selectedRows().isEmpty());
    EXPECT_TRUE(textBoxOver(2, ColRxFreq));
    EXPECT_EQ(QApplication::focusWidget(), text1);

    // Tab and the arrow keys are refused the same way; a value that is no number too.
    retype("28..4");
    QTest::keyClick(text1, Qt::Key_Tab);
    settle();
    EXPECT_EQ(prompter.asked.size(), 3u);
    EXPECT_TRUE(textBoxOver(2, ColRxFreq));
    QTest::keyClick(text1, Qt::Key_Backtab);
    settle();
    EXPECT_EQ(prompter.asked.size(), 4u);
    EXPECT_TRUE(textBoxOver(2, ColRxFreq));
    QTest::keyClick(text1, Qt::Key_Down);
    settle();
    EXPECT_EQ(prompter.asked.size(), 5u);
    EXPECT_TRUE(textBoxOver(2, ColRxFreq));
    EXPECT_EQ(*channel(0, 2), before);

    // Escape gives the stored value back; then the user may go where they like.
    QTest::keyClick(text1, Qt::Key_Escape);
    EXPECT_EQ(text1->text(), "28.200000");
    clickCell(5, ColRxFreq);
    EXPECT_TRUE(textBoxOver(5, ColRxFreq));
    EXPECT_EQ(prompter.asked.size(), 5u);
    EXPECT_EQ(*channel(0, 2), before);
}

TEST_F(ChannelInfoRefusal, ClearingOnPurposeStillDeletesAndAnEmptyRowAddsNothing) {
    open();
    // Out of range in a row without a channel: nothing is added, the editor stays.
    clickCell(7, ColRxFreq);
    QTest::keyClicks(text1, "27.5");
    enter(text1);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{kWarning});
    EXPECT_EQ(channel(0, 7), nullptr);
    EXPECT_TRUE(textBoxOver(7, ColRxFreq));

    clickCell(2, ColRxFreq);
    EXPECT_EQ(prompter.asked.size(), 2u) << "the refused 27.5 was told once more";
    QTest::keyClick(text1, Qt::Key_Escape);
    clickCell(2, ColRxFreq);
    retype("");
    enter(text1);
    EXPECT_EQ(channel(0, 2), nullptr) << "an emptied receive cell deletes the channel";
    EXPECT_EQ(ws.record.optionFeatures[model::kEmergencyChannelPosition], 0) << "fixed up";
}

TEST_F(ChannelInfoRefusal, AnArrowIntoAFrequencyCellChoosesItsTextAsEnterDoes) {
    open();
    clickCell(1, ColRxFreq);
    // Down from A-01 into A-02: typing replaces 28.200000 instead of adding to it.
    QTest::keyClick(text1, Qt::Key_Down);
    settle();
    ASSERT_TRUE(textBoxOver(2, ColRxFreq));
    EXPECT_EQ(text1->selectedText(), "28.200000");
    QTest::keyClicks(text1, "28.3");
    enter(text1);
    EXPECT_EQ(channel(0, 2)->rxFreq.str(), "28300000");
    EXPECT_TRUE(prompter.asked.empty());

    // Up from the TX cell of A-02 into A-01's, and Down with a changed value stores it.
    QTest::keyClick(text1, Qt::Key_Up);
    settle();
    ASSERT_TRUE(textBoxOver(1, ColTxFreq));
    EXPECT_EQ(text1->selectedText(), "28.015000");
    QTest::keyClicks(text1, "28.4");
    QTest::keyClick(text1, Qt::Key_Down);
    settle();
    EXPECT_EQ(channel(0, 1)->txFreq.str(), "28400000");
    EXPECT_TRUE(textBoxOver(2, ColTxFreq));
    EXPECT_EQ(text1->selectedText(), "28.300000");
}

} // namespace
} // namespace zx::test
