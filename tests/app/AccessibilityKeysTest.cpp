// The main window by keyboard: Return and Space open the tree's pages, F6 goes between the
// tree and the workspace, Ctrl+Tab and Ctrl+F6 between the child windows (from inside the
// channel grid too), the splitter moves with the arrow keys, a control that gets the focus is
// scrolled into view, and the progress bar is named by the run and its phase.
#include "app/AppTestSupport.h"
#include "app/FrmCompare.h"
#include "app/FrmImportChoice.h"
#include "app/FrmProgress.h"
#include "app/TreePanel.h"
#include "app/Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace zx::test {
namespace {

class KeysTest : public ::testing::Test {
protected:
    void SetUp() override {
        harness = std::make_unique<AppHarness>(inst);
        harness->window();
        QApplication::setActiveWindow(&main());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
    }
    app::frmMain& main() { return harness->window(); }
    static void settle() {
        QApplication::processEvents();
        QTest::qWait(40);
    }
    QTreeWidgetItem* page(const char* key) {
        QTreeWidget* tree = main().treePanel()->tree();
        for (QTreeWidgetItem* item :
             tree->findItems(QStringLiteral("*"), Qt::MatchWildcard | Qt::MatchRecursive))
            if (item->data(0, Qt::UserRole).toString() == QLatin1String(key))
                return item;
        ADD_FAILURE() << "no page " << key;
        return nullptr;
    }
    QWidget* focus() const { return QApplication::focusWidget(); }
    bool inside(QWidget* w) const {
        return w && focus() && (w == focus() || w->isAncestorOf(focus()));
    }

    TempInstallation inst;
    std::unique_ptr<AppHarness> harness;
};

TEST_F(KeysTest, ReturnAndSpaceOpenTheTreesPages) {
    main().closeAllChildWindows();
    settle();
    QTreeWidget* tree = main().treePanel()->tree();
    tree->setFocus();
    tree->setCurrentItem(page("N2"));
    QTest::keyClick(tree, Qt::Key_Return);
    settle();
    EXPECT_NE(main().childWindow(app::ChildWindow::OptFeatures), nullptr);
    tree->setFocus();
    tree->setCurrentItem(page("N8"));
    QTest::keyClick(tree, Qt::Key_Space);
    settle();
    EXPECT_NE(main().childWindow(app::ChildWindow::EmbMsg), nullptr);
    // The root names the model; it opens nothing.
    tree->setFocus();
    tree->setCurrentItem(page("N0"));
    QTest::keyClick(tree, Qt::Key_Return);
    settle();
    EXPECT_EQ(main().mdiArea()->subWindowList().size(), 2);
}

TEST_F(KeysTest, F6AndCtrlTabMoveBetweenTreeAndChildWindows) {
    QWidget* channels = main().childWindow(app::ChildWindow::ChannelInfo);
    QWidget* options = main().openChildWindow(app::ChildWindow::OptFeatures);
    settle();
    QTreeWidget* tree = main().treePanel()->tree();
    tree->setFocus();
    settle();
    // F6: from the tree into the active child window and back.
    QTest::keyClick(tree, Qt::Key_F6);
    settle();
    EXPECT_TRUE(inside(options));
    QTest::keyClick(focus(), Qt::Key_F6);
    settle();
    EXPECT_EQ(focus(), tree);

    // Ctrl+Tab to the channel window, where the focus goes into the grid's editor; from the
    // editor Ctrl+Tab goes on, Ctrl+Shift+Tab and Ctrl+F6 move too.
    QTest::keyClick(tree, Qt::Key_F6);
    settle();
    QTest::keyClick(focus(), Qt::Key_Tab, Qt::ControlModifier);
    settle();
    EXPECT_EQ(main().mdiArea()->activeSubWindow()->widget(), channels);
    EXPECT_TRUE(inside(channels));
    QLineEdit* text1 = channels->findChild<QLineEdit*>(QStringLiteral("Text1"));
    text1->setFocus();
    settle();
    QTest::keyClick(text1, Qt::Key_Tab, Qt::ControlModifier);
    settle();
    EXPECT_EQ(main().mdiArea()->activeSubWindow()->widget(), options);
    EXPECT_TRUE(inside(options));
    QTest::keyClick(focus(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    settle();
    EXPECT_EQ(main().mdiArea()->activeSubWindow()->widget(), channels);
    QTest::keyClick(focus(), Qt::Key_F6, Qt::ControlModifier);
    settle();
    EXPECT_EQ(main().mdiArea()->activeSubWindow()->widget(), options);
}

TEST_F(KeysTest, TheSplitterIsNamedAndMovesWithTheArrowKeys) {
    app::TreePanel* panel = main().treePanel();
    QPushButton* splitter = panel->splitter();
    EXPECT_EQ(splitter->accessibleName(), "Tree View Width");
    EXPECT_EQ(panel->tree()->accessibleName(), "Tree View");
    EXPECT_EQ(panel->closeAction()->text(), "Close Tree View");
    EXPECT_TRUE(splitter->focusPolicy() & Qt::TabFocus);
    const int before = panel->width();
    splitter->setFocus(Qt::TabFocusReason);
    QTest::keyClick(splitter, Qt::Key_Right);
    EXPECT_GT(panel->width(), before);
    QTest::keyClick(splitter, Qt::Key_Left);
    QTest::keyClick(splitter, Qt::Key_Left);
    EXPECT_LT(panel->width(), before);
    // Never narrower than its minimum.
    for (int i = 0; i < 100; ++i)
        QTest::keyClick(splitter, Qt::Key_Left);
    EXPECT_GE(app::toTwips(panel->width(), panel), app::TreePanel::kMinimumWidthTwips);
}

TEST_F(KeysTest, AControlGettingTheFocusIsScrolledIntoView) {
    // A workspace lower than the channel window: its close button starts out of sight.
    main().resize(700, 420);
    settle();
    QWidget* channels = main().childWindow(app::ChildWindow::ChannelInfo);
    auto* close = channels->findChild<QPushButton*>(QStringLiteral("CommandClose"));
    QWidget* view = main().mdiArea()->viewport();
    auto seen = [view](QWidget* w) {
        return view->rect().contains(QRect(w->mapTo(view, QPoint(0, 0)), w->size()));
    };
    ASSERT_FALSE(seen(close));
    QLineEdit* text1 = channels->findChild<QLineEdit*>(QStringLiteral("Text1"));
    text1->setFocus();
    settle();
    QTest::keyClick(text1, Qt::Key_Tab);
    settle();
    EXPECT_EQ(focus(), close);
    EXPECT_TRUE(seen(close));
    // And back up to the band list at the top.
    auto* band = channels->findChild<QWidget*>(QStringLiteral("ComboBand"));
    band->setFocus(Qt::BacktabFocusReason);
    settle();
    EXPECT_TRUE(seen(band));
}

TEST_F(KeysTest, TheProgressBarIsNamedByTheRunAndItsPhase) {
    app::FrmProgress progress(link::OperationKind::Write, text::English, harness->prompter);
    auto* bar = progress.findChild<QWidget*>(QStringLiteral("ProgressBar1"));
    EXPECT_EQ(bar->accessibleName(), "Write data to radio");
    progress.setPhase(QStringLiteral("Backing up"));
    EXPECT_EQ(bar->accessibleName(), "Write data to radio: Backing up");
    progress.setPhase(QStringLiteral("Writing"));
    EXPECT_EQ(bar->accessibleName(), "Write data to radio: Writing");
    // The search borrows the caption, and the bar's name with it.
    progress.beginSearch();
    EXPECT_TRUE(bar->accessibleName().startsWith("Search for communication setting"));
    progress.endSearch();
    EXPECT_EQ(bar->accessibleName(), "Write data to radio: Writing");
}

// A file name in a label that names a control: its '&' is text, not the Alt+letter.
TEST_F(KeysTest, ALabelNamingAListKeepsTheAmpersandOfAFileName) {
    app::FrmCompare compare(QStringLiteral("R&D.dat and new.dat differ in 1 field:"),
                            {QStringLiteral("A-2 RX Frequency")}, text::English);
    auto* verdict = compare.findChild<QLabel*>(QStringLiteral("LabelVerdict"));
    EXPECT_EQ(plain(verdict->text()), "R&D.dat and new.dat differ in 1 field:");
    EXPECT_NE(text::mnemonicLetter(verdict->text().toStdString()), 0) << "and it has its letter";
    EXPECT_NE(text::mnemonicLetter(verdict->text().toStdString()), 'D')
        << "the file name's ampersand is no Alt+letter";
    std::vector<exchange::GroupImport> plan(1);
    plan[0].added = {3};
    app::FrmImportChoice choice(plan, QStringLiteral("Tom&Jerry.csv"), 1, text::English);
    auto* intro = choice.findChild<QLabel*>(QStringLiteral("LabelIntro"));
    EXPECT_TRUE(plain(intro->text()).contains("Tom&Jerry.csv"));
}

} // namespace
} // namespace zx::test
