// Fixture of the channel window tests: a workspace with the default record, a scripted
// prompter, the window shown and active, and helpers that click and type as a user does.
#pragma once

#include "EditorTestSupport.h"
#include "editors/frmCommChInfo.h"
#include "model/ChannelTable.h"
#include "model/Defaults.h"
#include "support/ScriptedPrompter.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace zx::test {

class ChannelInfoTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureApplication(); }

    // The default record holds channel 1 in every group (group A: 28.015000 MHz).
    void SetUp() override { ws.record = model::defaultRecord(ws.state, model::Today{}); }

    // Opens the window as the main window does and waits until the editor sits on
    // channel 1's receive frequency.
    void open() {
        window = std::make_unique<editors::frmCommChInfo>(ws, prompter);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        grid = control<QTableView>(window.get(), "MSFlexGrid1");
        text1 = control<QLineEdit>(window.get(), "Text1");
        scanList = control<QComboBox>(window.get(), "Combo8_7");
        ASSERT_TRUE(grid && text1 && scanList);
        settle();
    }

    // Lets the focus timer of the window run.
    static void settle() { QTest::qWait(40); }

    // A cell in grid numbering (rows 1..60) and the text it shows.
    QModelIndex cell(int row, int column) const { return grid->model()->index(row - 1, column); }
    QString cellText(int row, int column) const { return cell(row, column).data().toString(); }
    QString header(int column) const {
        return grid->model()->headerData(column, Qt::Horizontal).toString();
    }

    void clickCell(int row, int column) {
        grid->scrollTo(cell(row, column));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(cell(row, column)).center());
        settle();
    }

    // Selects everything in the text box and types `text` over it.
    void retype(const QString& text) {
        text1->selectAll();
        QTest::keyClick(text1, Qt::Key_Backspace);
        QTest::keyClicks(text1, text);
    }

    void enter(QWidget* editor) {
        QTest::keyClick(editor, Qt::Key_Return);
        settle();
    }

    // The grid cursor in grid numbering (rows 1..60).
    int gridRow() const { return grid->currentIndex().row() + 1; }
    int gridCol() const { return grid->currentIndex().column(); }

    // True when the text box is shown over the cell (row, column).
    bool textBoxOver(int row, int column) const {
        return text1->isVisible() && text1->geometry() == grid->visualRect(cell(row, column));
    }

    const model::ChannelEntry* channel(int group, int number) const {
        for (int entry = 1; entry <= ws.record.channelCount[group]; ++entry)
            if (ws.record.channel(group, entry).number == number)
                return &ws.record.channel(group, entry);
        return nullptr;
    }

    QStringList entries(QComboBox* list) const {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->itemText(i);
        return out;
    }

    model::Workspace ws;
    ScriptedPrompter prompter;
    std::unique_ptr<editors::frmCommChInfo> window;
    QTableView* grid = nullptr;
    QLineEdit* text1 = nullptr;
    QComboBox* scanList = nullptr;
};

} // namespace zx::test
