// The main window as a desktop user meets it: where it opens on the screens there are, Qt's
// own dialogs in the chosen language, the program's icon, the version list however it is
// spelt or when it is missing, the message for a data file of the wrong length and the status
// bar after the port setup window.
#include "AppTestSupport.h"
#include "app/ProgramIcon.h"
#include "app/QtTranslations.h"
#include "app/RadioController.h"
#include "app/ScreenFit.h"
#include "app/VersionListFile.h"
#include "platform/PortCatalog.h"
#include "platform/PtyPair.h"
#include "platform/UserStore.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <gtest/gtest.h>

namespace zx::test {
namespace {

QAction* action(app::frmMain& w, const char* name) {
    return w.findChild<QAction*>(QString::fromUtf8(name));
}

bool hasChinese(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF; });
}

TEST(ScreenFit, StoredPlacesOnAScreenAreKeptOthersComeBackOnThePrimaryScreen) {
    const QRect left(0, 0, 1920, 1040);    // primary
    const QRect right(1920, 0, 1280, 984); // a second monitor
    const QList<QRect> both{left, right};
    const QPoint offset(7, 7);

    // On a screen and fitting: as stored, on either screen.
    EXPECT_EQ(app::fitToScreens({100, 100, 967, 700}, both, 0, offset), QRect(100, 100, 967, 700));
    EXPECT_EQ(app::fitToScreens({2000, 50, 800, 600}, both, 0, offset), QRect(2000, 50, 800, 600));
    // Its title bar on the second screen, partly off its right edge: moved in.
    EXPECT_EQ(app::fitToScreens({3000, 50, 800, 600}, both, 0, offset), QRect(2400, 50, 800, 600));
    // Taller than the screen (the default at a scale factor of 1.5): cut to the screen.
    EXPECT_EQ(app::fitToScreens({100, 100, 967, 700}, {QRect(0, 0, 1280, 680)}, 0, offset),
              QRect(100, 0, 967, 680));
    // The monitor it was on is gone, or its title bar is above every screen: the primary
    // screen, at the default offset.
    EXPECT_EQ(app::fitToScreens({3000, 50, 800, 600}, {left}, 0, offset), QRect(7, 7, 800, 600));
    EXPECT_EQ(app::fitToScreens({200, -30, 800, 600}, both, 0, offset), QRect(7, 7, 800, 600));
    EXPECT_EQ(app::fitToScreens({-5000, -5000, 2500, 1500}, both, 1, offset),
              QRect(1920, 0, 1280, 984));
    // Only a sliver of the title bar on a screen does not count as visible.
    EXPECT_FALSE(app::titleStripOn({1900, 10, 800, 600}, left));
    EXPECT_TRUE(app::titleStripOn({1700, 10, 800, 600}, left));
    EXPECT_EQ(app::fitToScreens({1, 2, 3, 4}, {}, 0, offset), QRect(1, 2, 3, 4));
}

class DesktopTest : public ::testing::Test {
protected:
    TempInstallation inst;

    static QRect available(const QWidget& w) { return w.screen()->availableGeometry(); }
};

TEST_F(DesktopTest, APlacementOffTheScreensOpensOnScreenAndFitsIt) {
    // Stored while a monitor left of this one was plugged in, larger than this screen.
    platform::UserStore::atFile(inst.userStorePath()).savePlacement({-40000, 3000, 30000, 30000});
    AppHarness app(inst);
    app::frmMain& w = app.window();
    QApplication::processEvents();
    const QRect screen = available(w);
    EXPECT_TRUE(screen.contains(w.frameGeometry()))
        << w.frameGeometry().x() << "," << w.frameGeometry().y() << " " << w.frameGeometry().width()
        << "x" << w.frameGeometry().height();
    EXPECT_TRUE(w.statusBar()->isVisible());
    const QPoint statusBar = w.statusBar()->mapTo(&w, QPoint(0, w.statusBar()->height() - 1));
    EXPECT_TRUE(screen.contains(w.mapToGlobal(statusBar)));
}

TEST_F(DesktopTest, QtDialogsAndStandardButtonsFollowTheLanguageChange) {
    inst.writeSettings({{"IsFirstRun", "0"}, {"CurrentLanguage", "1"}});
    AppHarness app(inst, QStringLiteral("804"));
    app::frmMain& w = app.window();

    struct QtTexts {
        QString lookIn, fileName, cancel, yes, replace;
    };
    const auto qtTexts = [&w] {
        QFileDialog dialog(&w);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        QMessageBox box(QMessageBox::Question, QString(), QString(),
                        QMessageBox::Yes | QMessageBox::No, &w);
        return QtTexts{
            dialog.findChild<QLabel*>("lookInLabel")->text(),
            dialog.findChild<QLabel*>("fileNameLabel")->text(),
            dialog.findChild<QDialogButtonBox*>("buttonBox")
                ->button(QDialogButtonBox::Cancel)
                ->text(),
            box.button(QMessageBox::Yes)->text(),
            QCoreApplication::translate("QFileDialog",
                                        "%1 already exists.\nDo you want to replace it?"),
        };
    };
    const auto chooseLanguage = [&w](int entry) {
        AppHarness::onNextModal([entry](QWidget* modal) {
            modal->findChild<QComboBox*>("Combo1")->setCurrentIndex(entry);
            modal->findChild<QPushButton*>("Command1")->click();
        });
        action(w, "mnuLanguage")->trigger();
        QApplication::processEvents();
    };

    const QtTexts english = qtTexts();
    EXPECT_EQ(english.lookIn, "Look in:");
    EXPECT_EQ(english.fileName, "File &name:");
    EXPECT_EQ(english.cancel, "Cancel");
    EXPECT_EQ(english.yes, "&Yes");

    chooseLanguage(1);
    ASSERT_EQ(app.ws.state.language, text::Chinese);
    const QtTexts chinese = qtTexts();
    for (const QString& text :
         {chinese.lookIn, chinese.fileName, chinese.cancel, chinese.yes, chinese.replace})
        EXPECT_TRUE(hasChinese(text)) << text.toStdString();
    EXPECT_TRUE(chinese.replace.contains("%1")) << "the file name still goes into the question";

    chooseLanguage(0);
    ASSERT_EQ(app.ws.state.language, text::English);
    const QtTexts back = qtTexts();
    EXPECT_EQ(back.lookIn, english.lookIn);
    EXPECT_EQ(back.cancel, english.cancel);
    EXPECT_EQ(back.replace, english.replace);
}

TEST_F(DesktopTest, ChineseAtStartUpTranslatesQtFromTheFirstWindowOn) {
    inst.writeSettings({{"IsFirstRun", "0"}, {"CurrentLanguage", "2"}});
    AppHarness app(inst, QStringLiteral("804"));
    app::frmMain& w = app.window();
    QFileDialog dialog(&w);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    EXPECT_TRUE(hasChinese(dialog.findChild<QLabel*>("lookInLabel")->text()));
    app::useQtTranslations(text::English); // leave the application as the other tests expect
}

TEST_F(DesktopTest, TheProgramIconIsOnTheMainWindowItsChildWindowsAndDialogs) {
    ensureAppApplication();
    const QIcon icon = app::programIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.availableSizes().size(), 8);
    EXPECT_FALSE(icon.pixmap(32).isNull());

    AppHarness app(inst);
    app::frmMain& w = app.window();
    w.openChildWindow(app::ChildWindow::OptFeatures);
    w.openChildWindow(app::ChildWindow::EmbMsg);
    EXPECT_EQ(w.windowIcon().cacheKey(), icon.cacheKey());
    const QList<QMdiSubWindow*> children = w.mdiArea()->subWindowList();
    ASSERT_EQ(children.size(), 3);
    for (QMdiSubWindow* child : children)
        EXPECT_EQ(child->windowIcon().cacheKey(), icon.cacheKey())
            << child->widget()->objectName().toStdString();

    qint64 dialogIcon = 0;
    AppHarness::onNextModal([&dialogIcon](QWidget* modal) {
        dialogIcon = modal->windowIcon().cacheKey();
        modal->findChild<QPushButton*>("CommandCancel")->click();
    });
    action(w, "mnuComm")->trigger();
    EXPECT_EQ(dialogIcon, icon.cacheKey());
}

TEST_F(DesktopTest, OwnDataOpensWithoutAVersionListAndWithItsNamesInCapitals) {
    const QString own = inst.root() + "/own.dat";
    TempInstallation::writeRecord(own, model::ConfigRecord{});

    // No Version.ini at all.
    QFile::remove(inst.root() + "/Version.ini");
    {
        AppHarness app(inst);
        EXPECT_TRUE(app.ws.versions.empty());
        EXPECT_TRUE(app.window().openFile(own));
        EXPECT_TRUE(app.prompter.asked.empty());
    }

    // Written by a Windows tool in capitals: the pairs are read as written.
    QFile list(inst.root() + "/Version.ini");
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("[VERSION]\r\nFIRMVERSIONCOUNT=2\r\n\r\n[FIRM]\r\nFIRM0=V310V309\r\n"
               "firm1=V300V300\r\n");
    list.close();
    AppHarness app(inst);
    EXPECT_EQ(app.ws.versions, (model::VersionList{{"V310", "V309"}, {"V300", "V300"}}));
    EXPECT_TRUE(app.window().openFile(own));
    model::ConfigRecord v309;
    v309.dataVersion = "V309";
    const QString older = inst.root() + "/v309.dat";
    TempInstallation::writeRecord(older, v309);
    EXPECT_TRUE(app.window().openFile(older));
    EXPECT_TRUE(app.prompter.asked.empty());
}

TEST_F(DesktopTest, ASettingsFileEditedByHandIsReadAndKeepsItsLook) {
    QDir().mkpath(inst.root() + "/language");
    QFile file(inst.settingsPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("; written on Windows\r\n[LANGUAGE]\r\nISFIRSTRUN=0\r\nCOMPORT=3\r\n"
               "CurrentLanguage=2\r\n");
    file.close();
    AppHarness app(inst, QStringLiteral("804"));
    EXPECT_FALSE(app.started.firstRun);
    EXPECT_EQ(app.ws.state.comPort, 3);
    EXPECT_EQ(app.ws.state.language, text::Chinese);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "; written on Windows\r\n[LANGUAGE]\r\nISFIRSTRUN=0\r\nCOMPORT=3\r\n"
                              "CurrentLanguage=2\r\nHandshaking=0\r\nStopBit=1\r\n");
}

TEST_F(DesktopTest, AFileOfTheWrongLengthIsNamedWithBothLengths) {
    model::ConfigRecord record;
    const model::RecordBytes bytes = model::encodeRecord(record);
    const QString path = inst.root() + "/long.dat";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    file.write("x");
    file.close();

    AppHarness app(inst);
    app::frmMain& w = app.window();
    const QString before = w.windowTitle();
    EXPECT_FALSE(w.openFile(path));
    ASSERT_EQ(app.prompter.asked.size(), 1u);
    EXPECT_EQ(app.prompter.asked[0].text, "The file \"long.dat\" is 14537 bytes long; a data "
                                          "file is exactly 14536 bytes long. It was not opened.");
    EXPECT_EQ(w.windowTitle(), before);

    app.ws.state.language = text::Chinese;
    EXPECT_FALSE(w.openFile(path));
    ASSERT_EQ(app.prompter.asked.size(), 2u);
    EXPECT_EQ(u8(app.prompter.asked[1].text),
              QStringLiteral("文件“long.dat”的长度为 14537 字节，数据文件的长度必须正好是 "
                             "14536 字节。文件未打开。"));
}

TEST_F(DesktopTest, StatusBarShowsThePortChosenInThePortWindow) {
    // Two serial devices the system lists, numbered COM7 and COM8 in the settings file.
    test::PtyPair seven, eight;
    ASSERT_TRUE(seven.ok() && eight.ok());
    platform::ProfileFile(inst.settingsPath())
        .write(QStringLiteral("ports"), QStringLiteral("COM7"), seven.slavePath());
    platform::ProfileFile(inst.settingsPath())
        .write(QStringLiteral("ports"), QStringLiteral("COM8"), eight.slavePath());
    AppHarness app(inst);
    app::frmMain& w = app.window();
    ASSERT_TRUE(
        w.radio().setPortCatalog(std::make_unique<platform::PortCatalog>(
                                     inst.settingsPath(),
                                     [&] {
                                         return QStringList{seven.slavePath(), eight.slavePath()};
                                     }),
                                 true));
    EXPECT_EQ(w.statusPanel(3)->text(), "COM1");

    const auto choose = [](const QString& entry, const char* button) {
        AppHarness::onNextModal([entry, button](QWidget* modal) {
            auto* combo = modal->findChild<QComboBox*>("Combo1");
            combo->setCurrentIndex(combo->findText(entry));
            emit combo->activated(combo->currentIndex());
            modal->findChild<QPushButton*>(button)->click();
        });
    };
    choose("COM7", "CommandCancel");
    action(w, "mnuComm")->trigger();
    EXPECT_EQ(w.statusPanel(3)->text(), "COM1");

    choose("COM7", "CommandOK");
    action(w, "mnuComm")->trigger();
    EXPECT_EQ(w.statusPanel(3)->text(), "COM7");
    EXPECT_EQ(inst.setting("comPort"), "7");

    // The toolbar button does the same.
    choose("COM8", "CommandOK");
    action(w, "CommSet")->trigger();
    EXPECT_EQ(w.statusPanel(3)->text(), "COM8");
}

} // namespace
} // namespace zx::test
