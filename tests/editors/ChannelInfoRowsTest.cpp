// Choosing whole rows of the channel grid on its row numbers: click, Shift, Ctrl, dragging
// and keys, what lets the rows go again, and that choosing rows stores the edit in progress.
#include "ChannelInfoFixture.h"
#include "editors/ChannelGridView.h"

#include <QItemSelectionModel>

namespace zx::test {
namespace {

class ChannelRowChoiceTest : public ChannelInfoTest {
protected:
    editors::ChannelGridView* view() const { return qobject_cast<editors::ChannelGridView*>(grid); }
    std::vector<int> chosen() const { return view()->selectedRows(); }
    QPoint rowNumber(int row) {
        grid->scrollTo(cell(row, 0));
        return grid->visualRect(cell(row, 0)).center();
    }
    void clickRow(int row, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, rowNumber(row));
        settle();
    }
};

TEST_F(ChannelRowChoiceTest, ClicksOnTheRowNumbersChooseRowsAndStoreTheEditInProgress) {
    open();
    clickCell(3, model::ColRxFreq);
    QTest::keyClicks(text1, "28.5");
    clickRow(5);
    EXPECT_NE(channel(0, 3), nullptr) << "the value typed was stored";
    EXPECT_FALSE(text1->isVisible()) << "no editor while rows are chosen";
    EXPECT_EQ(chosen(), std::vector<int>{5});
    EXPECT_TRUE(grid->selectionModel()->isSelected(cell(5, 0))) << "the row number shows it";
    EXPECT_TRUE(grid->selectionModel()->isSelected(cell(5, model::ColScan)));

    clickRow(8, Qt::ShiftModifier);
    EXPECT_EQ(chosen(), (std::vector<int>{5, 6, 7, 8}));
    clickRow(2, Qt::ShiftModifier);
    EXPECT_EQ(chosen(), (std::vector<int>{2, 3, 4, 5})) << "a range starts where the click was";
    clickRow(3, Qt::ControlModifier);
    clickRow(20, Qt::ControlModifier);
    EXPECT_EQ(chosen(), (std::vector<int>{2, 4, 5, 20}));
    clickRow(22, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(chosen(), (std::vector<int>{2, 4, 5, 20, 21, 22}))
        << "Ctrl+Shift adds a range from the row last clicked";
    EXPECT_EQ(view()->pasteRow(), 2) << "a paste starts at the first row chosen";

    clickRow(9);
    EXPECT_EQ(chosen(), std::vector<int>{9});
}

TEST_F(ChannelRowChoiceTest, DraggingAndKeysChooseRanges) {
    open();
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, rowNumber(4));
    QMouseEvent move(QEvent::MouseMove, rowNumber(7), grid->viewport()->mapToGlobal(rowNumber(7)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &move);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, rowNumber(7));
    settle();
    EXPECT_EQ(chosen(), (std::vector<int>{4, 5, 6, 7}));

    clickRow(10);
    QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(chosen(), (std::vector<int>{10, 11, 12}));
    QTest::keyClick(grid, Qt::Key_Up);
    EXPECT_EQ(chosen(), std::vector<int>{11});
    EXPECT_FALSE(text1->isVisible());

    QTest::keyClick(grid, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(chosen().size(), 60u);
    QTest::keyClick(grid, Qt::Key_Escape);
    EXPECT_TRUE(chosen().empty());
}

TEST_F(ChannelRowChoiceTest, EnteringACellOrChangingTheGroupLetsTheRowsGo) {
    open();
    clickRow(2);
    clickRow(6, Qt::ShiftModifier);
    clickCell(1, model::ColRxFreq);
    EXPECT_TRUE(chosen().empty());
    EXPECT_TRUE(textBoxOver(1, model::ColRxFreq));

    clickRow(2);
    auto* groups = control<QComboBox>(window.get(), "ComboGroup");
    groups->setCurrentIndex(1);
    emit groups->activated(1);
    settle();
    EXPECT_TRUE(chosen().empty()) << "the rows chosen belonged to group A";
}

} // namespace
} // namespace zx::test
