// A running main window driven as a user drives it: activated, with keys going to the
// widget that has the focus and clicks landing on grid cells. Shared by the window tests
// of undo and of the channel rows.
#pragma once

#include "AppTestSupport.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace zx::test {

class ActiveWindowTest : public ::testing::Test {
protected:
    app::frmMain& start() {
        app::frmMain& w = app.window();
        QApplication::setActiveWindow(&w);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        settle();
        return w;
    }
    static void settle() { QTest::qWait(40); }

    QAction* action(const char* name) { return app.window().findChild<QAction*>(name); }
    QWidget* child(app::ChildWindow which) { return app.window().childWindow(which); }
    QWidget* channelWindow() { return child(app::ChildWindow::ChannelInfo); }
    template <typename T> T* control(app::ChildWindow which, const char* name) {
        QWidget* window = child(which);
        T* found = window ? window->findChild<T*>(QString::fromLatin1(name)) : nullptr;
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QTableView* grid() { return control<QTableView>(app::ChildWindow::ChannelInfo, "MSFlexGrid1"); }
    QString cellText(int row, int column) {
        return grid()->model()->index(row - 1, column).data().toString();
    }
    QRect cellRect(int row, int column) {
        const QModelIndex index = grid()->model()->index(row - 1, column);
        grid()->scrollTo(index);
        return grid()->visualRect(index);
    }
    void clickCell(int row, int column, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, modifiers,
                          cellRect(row, column).center());
        settle();
    }
    // Keys go where the user's keys go: to the widget with the focus.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        settle();
    }
    const model::ChannelEntry* channel(int group, int number) const {
        const int entry = app.ws.record.findChannel(group, number);
        return entry != 0 ? &app.ws.record.channel(group, entry) : nullptr;
    }

    TempInstallation inst;
    AppHarness app{inst};
};

} // namespace zx::test
