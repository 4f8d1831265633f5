// The channel grid as a screen reader meets it: a named table, cell editors that say which
// channel and column they edit, and empty rows read as empty; in both languages.
#include "ChannelInfoFixture.h"
#include "editors/frmCommChInfo.h"
#include "support/AccessibilityWalk.h"

#include <QAccessible>
#include <QAccessibleTableInterface>

namespace zx::test {
namespace {

using model::ColRxFreq;
using model::ColScan;
using model::ColTxFreq;

QAccessibleTableInterface* table(QTableView* grid) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(grid);
    return iface ? iface->tableInterface() : nullptr;
}

// The accessible table offers the columns shown, each as the grid shows it.
void expectOnlyShownColumns(QTableView* grid) {
    const QStringList found = a11y::tableMismatches(grid);
    EXPECT_TRUE(found.isEmpty()) << found.join(QStringLiteral("\n")).toStdString();
}

QString linkedLabel(QWidget* control) {
    const auto labels =
        QAccessible::queryAccessibleInterface(control)->relations(QAccessible::Label);
    return labels.isEmpty() ? QString() : labels.front().first->text(QAccessible::Name);
}

TEST_F(ChannelInfoTest, TheGridIsANamedTableWhoseEditorsSayChannelAndColumn) {
    model::addChannel(ws, 0, 7, "28.500000");
    open();
    QAccessibleInterface* grid_ = QAccessible::queryAccessibleInterface(grid);
    ASSERT_NE(grid_, nullptr);
    EXPECT_EQ(grid_->role(), QAccessible::Table);
    EXPECT_EQ(grid_->text(QAccessible::Name), "Channel List");

    // The editor over channel 1's receive cell: its name says where it is, its value what
    // it holds.
    QAccessibleInterface* editor = QAccessible::queryAccessibleInterface(text1);
    EXPECT_EQ(editor->text(QAccessible::Name), "A-1 RX Frequency");
    EXPECT_EQ(editor->text(QAccessible::Value), "28.015000");
    QTest::keyClick(text1, Qt::Key_Right);
    settle();
    EXPECT_EQ(editor->text(QAccessible::Name), "A-1 TX FreQuency");
    QTest::keyClick(text1, Qt::Key_Right);
    settle();
    // A list is read by the label linked to it (on Linux its own name is its entry).
    EXPECT_EQ(linkedLabel(scanList), "A-1 Scan");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(scanList)->text(QAccessible::Value), "Add");
    clickCell(7, ColRxFreq);
    EXPECT_EQ(editor->text(QAccessible::Name), "A-7 RX Frequency");
    EXPECT_EQ(editor->text(QAccessible::Value), "28.500000");

    // The cells of a row without a channel are read as empty; a channel's as they show.
    QAccessibleTableInterface* t = table(grid);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(cell(3, ColRxFreq).data(Qt::AccessibleTextRole).toString(), "empty");
    EXPECT_EQ(cell(3, ColScan).data(Qt::AccessibleTextRole).toString(), "empty");
    EXPECT_EQ(cell(7, ColTxFreq).data(Qt::AccessibleTextRole).toString(), "28.500000");
    EXPECT_EQ(cell(3, 0).data(Qt::AccessibleTextRole).toString(), "3") << "the row number";
    // As the table offers them to a reader.
    QAccessibleInterface* emptyCell = t->cellAt(2, ColRxFreq);
    ASSERT_NE(emptyCell, nullptr);
    EXPECT_EQ(emptyCell->text(QAccessible::Name), "empty");
    EXPECT_EQ(t->cellAt(6, ColTxFreq)->text(QAccessible::Name), "28.500000");
}

TEST_F(ChannelInfoTest, AReaderIsOfferedOnlyTheColumnsShown) {
    model::addChannel(ws, 0, 7, "28.500000");
    open();
    QAccessibleTableInterface* t = table(grid);
    ASSERT_NE(t, nullptr);
    // The flag columns hidden: row number, RX, TX and Scan, numbered as they are seen.
    EXPECT_EQ(t->columnCount(), 4);
    EXPECT_EQ(t->columnDescription(3), header(ColScan));
    EXPECT_EQ(t->cellAt(6, 3)->text(QAccessible::Name), cellText(7, ColScan));
    EXPECT_EQ(t->cellAt(2, 3)->text(QAccessible::Name), "empty");
    EXPECT_EQ(t->cellAt(6, 4), nullptr);
    expectOnlyShownColumns(grid);

    // Shown, they are offered in their place; an empty row still reads as empty.
    window->setFlagColumnsShown(true);
    settle();
    EXPECT_EQ(t->columnCount(), 10);
    EXPECT_EQ(t->columnDescription(3), header(model::ColBusy));
    EXPECT_EQ(t->cellAt(6, 3)->text(QAccessible::Name), cellText(7, model::ColBusy));
    EXPECT_EQ(t->cellAt(2, model::ColRb)->text(QAccessible::Name), "empty");
    expectOnlyShownColumns(grid);

    // Hidden again, a cell a reader kept of a flag column is gone or no longer valid.
    const QAccessible::Id busy = QAccessible::uniqueId(t->cellAt(6, 3));
    window->setFlagColumnsShown(false);
    settle();
    QAccessibleInterface* kept = QAccessible::accessibleInterface(busy);
    EXPECT_TRUE(kept == nullptr || !kept->isValid());
    EXPECT_EQ(t->columnCount(), 4);
    expectOnlyShownColumns(grid);
    // The cursor's cell is the one offered as focused, by its place among the columns shown.
    clickCell(7, ColScan);
    QAccessibleInterface* focused = QAccessible::queryAccessibleInterface(grid)->focusChild();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->tableCellInterface()->columnIndex(), 3);
    EXPECT_EQ(focused->tableCellInterface()->rowIndex(), 6);
}

TEST_F(ChannelInfoTest, TheGridSpeaksChinese) {
    ws.state.language = text::Chinese;
    open();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(grid)->text(QAccessible::Name), qs("信道列表"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(text1)->text(QAccessible::Name),
              qs("A-1 接收频率"));
    EXPECT_EQ(cell(2, ColRxFreq).data(Qt::AccessibleTextRole).toString(), qs("空"));
    expectOnlyShownColumns(grid);
    // A language change while the window is open renames the table.
    ws.state.language = text::English;
    window->ReShowChInfoByLanguage();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(grid)->text(QAccessible::Name), "Channel List");
    EXPECT_EQ(table(grid)->columnDescription(1), header(ColRxFreq));
    expectOnlyShownColumns(grid);
}

} // namespace
} // namespace zx::test
