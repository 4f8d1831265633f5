// The language setup window and the language change of the main window.
#include "AppTestSupport.h"
#include "app/FrmSetLanguage.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace zx::test {
namespace {

QStringList entries(QComboBox* combo) {
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

TEST(LanguageSetup, AnEnglishSystemOffersOnlyEnglish) {
    TempInstallation inst;
    AppHarness app(inst, QStringLiteral("409"));
    app::FrmSetLanguage window(app.ws.state, app.started.settingsPath);
    auto* combo = window.findChild<QComboBox*>("Combo1");
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(entries(combo), QStringList{"English"});
    EXPECT_EQ(window.windowTitle(), "Language Setup");
    EXPECT_EQ(plain(window.findChild<QLabel*>("Label1")->text()), "Language Mode");
    EXPECT_EQ(window.findChild<QPushButton*>("Command1")->text(), "&OK");
    EXPECT_EQ(window.findChild<QPushButton*>("Command2")->text(), "&Cancel");
}

TEST(LanguageSetup, AChineseSystemOffersBothInTheCurrentLanguageWithTheCurrentOneChosen) {
    TempInstallation inst;
    inst.writeSettings({{"IsFirstRun", "0"}, {"CurrentLanguage", "1"}});
    AppHarness app(inst, QStringLiteral("804"));
    ASSERT_EQ(app.ws.state.language, text::English);
    {
        app::FrmSetLanguage window(app.ws.state, app.started.settingsPath);
        auto* combo = window.findChild<QComboBox*>("Combo1");
        EXPECT_EQ(entries(combo), (QStringList{"English", "Chinese"}));
        EXPECT_EQ(combo->currentText(), "English");
    }
    app.ws.state.language = text::Chinese;
    app::FrmSetLanguage window(app.ws.state, app.started.settingsPath);
    auto* combo = window.findChild<QComboBox*>("Combo1");
    EXPECT_EQ(entries(combo), (QStringList{u8("英语"), u8("中文")}));
    EXPECT_EQ(combo->currentText(), u8("中文"));
    EXPECT_EQ(window.windowTitle(), u8("语言设置"));
    EXPECT_EQ(window.findChild<QPushButton*>("Command1")->text(), u8("确定(&O)"));
}

TEST(LanguageSetup, OkWritesTheChoiceCancelChangesNothingEnterMovesOn) {
    TempInstallation inst;
    inst.writeSettings({{"IsFirstRun", "0"}, {"CurrentLanguage", "1"}});
    AppHarness app(inst, QStringLiteral("804"));
    {
        app::FrmSetLanguage window(app.ws.state, app.started.settingsPath);
        window.findChild<QComboBox*>("Combo1")->setCurrentIndex(1);
        window.findChild<QPushButton*>("Command2")->click();
        EXPECT_EQ(app.ws.state.language, text::English);
        EXPECT_EQ(inst.setting("CurrentLanguage"), "1");
    }
    app::FrmSetLanguage window(app.ws.state, app.started.settingsPath);
    window.show();
    auto* combo = window.findChild<QComboBox*>("Combo1");
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_TRUE(window.isVisible()); // Enter did not close the window
    combo->setCurrentIndex(1);
    window.findChild<QPushButton*>("Command1")->click();
    EXPECT_EQ(app.ws.state.language, text::Chinese);
    EXPECT_EQ(inst.setting("CurrentLanguage"), "2");
}

TEST(LanguageChange, RelabelsTheMainWindowAndReopensOnlyTheChannelWindow) {
    TempInstallation inst;
    inst.writeSettings({{"IsFirstRun", "0"}, {"CurrentLanguage", "1"}});
    AppHarness app(inst, QStringLiteral("804"));
    app::frmMain& w = app.window();
    w.openChildWindow(app::ChildWindow::OptFeatures);
    w.openChildWindow(app::ChildWindow::EmbMsg);
    ASSERT_EQ(w.mdiArea()->subWindowList().size(), 3);
    QPointer<QWidget> oldChannels = w.childWindow(app::ChildWindow::ChannelInfo);

    AppHarness::onNextModal([](QWidget* modal) {
        modal->findChild<QComboBox*>("Combo1")->setCurrentIndex(1);
        modal->findChild<QPushButton*>("Command1")->click();
    });
    w.findChild<QAction*>("mnuLanguage")->trigger();
    QApplication::processEvents();

    EXPECT_EQ(app.ws.state.language, text::Chinese);
    EXPECT_EQ(w.lastAppliedLanguage(), text::Chinese);
    EXPECT_EQ(inst.setting("CurrentLanguage"), "2");
    QStringList open;
    for (QMdiSubWindow* sub : w.mdiArea()->subWindowList())
        if (!sub->isHidden())
            open << sub->widget()->objectName();
    EXPECT_EQ(open, QStringList{"frmCommChInfo"});
    QWidget* channels = w.childWindow(app::ChildWindow::ChannelInfo);
    ASSERT_NE(channels, nullptr);
    EXPECT_NE(channels, oldChannels.data());
    EXPECT_TRUE(channels->windowTitle().startsWith(u8("信道信息")))
        << channels->windowTitle().toStdString();

    EXPECT_EQ(w.findChild<QMenu*>("mnuFile")->title(), u8("文件(&F)"));
    EXPECT_EQ(w.findChild<QAction*>("mnuEMG")->text(), u8("嵌入信息(&M)"));
    EXPECT_EQ(w.findChild<QAction*>("保存")->toolTip(), u8("保存(&S)"));
    EXPECT_EQ(w.windowTitle(), u8("ZX-908HF[28.000000 - 29.700000 MHz][文件名:new.dat]"));
    EXPECT_EQ(w.statusPanel(3)->text(), u8("通信口1"));
    auto* tree = w.findChild<QTreeWidget*>("TreeView1");
    EXPECT_EQ(tree->topLevelItem(0)->child(2)->text(0), u8("本机信息(&I)"));

    // Messages and the file filter follow the language too.
    EXPECT_EQ(w.fileFilter(), u8("数据文件 (*.dat)"));
}

TEST(LanguageChange, ConfirmingTheSameLanguageReopensNothing) {
    TempInstallation inst;
    AppHarness app(inst);
    app::frmMain& w = app.window();
    w.openChildWindow(app::ChildWindow::OptFeatures);
    AppHarness::onNextModal(
        [](QWidget* modal) { modal->findChild<QPushButton*>("Command1")->click(); });
    w.showLanguageSetup();
    EXPECT_EQ(w.mdiArea()->subWindowList().size(), 2);
    EXPECT_EQ(inst.setting("CurrentLanguage"), "1");
}

TEST(LanguageChange, AChineseStartLabelsEverythingInChinese) {
    TempInstallation inst;
    AppHarness app(inst, QStringLiteral("804"));
    app::frmMain& w = app.window();
    EXPECT_EQ(w.findChild<QMenu*>("mnuEdit")->title(), u8("编辑(&E)"));
    EXPECT_EQ(w.findChild<QAction*>("mnuEmbeddedMsg")->text(), u8("本机信息(&I)"));
    EXPECT_TRUE(w.windowTitle().endsWith(u8("[文件名:new.dat]")));
}

} // namespace
} // namespace zx::test
