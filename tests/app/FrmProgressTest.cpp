// The progress window: captions by conversation and language, the percentage display, the
// search caption and its restoration, Cancel, and that only the program closes it.
#include "app/FrmProgress.h"

#include "editors/EditorTestSupport.h"
#include "support/ScriptedPrompter.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using zx::app::FrmProgress;
using zx::link::OperationKind;

void app() {
    zx::test::ensureApplication();
}

struct Controls {
    QLabel* label1;
    QLabel* label2;
    QProgressBar* bar;
};

Controls controls(FrmProgress& w) {
    return {w.findChild<QLabel*>("Label1"), w.findChild<QLabel*>("Label2"),
            w.findChild<QProgressBar*>("ProgressBar1")};
}

TEST(FrmProgress, LoadsWithCaptionsAndZero) {
    app();
    zx::test::ScriptedPrompter prompter;
    FrmProgress read(OperationKind::Read, zx::text::English, prompter);
    Controls c = controls(read);
    ASSERT_TRUE(c.label1 && c.label2 && c.bar);
    EXPECT_EQ(read.windowTitle(), "Read data from radio");
    EXPECT_EQ(c.label1->text(), "Completion percentage:");
    EXPECT_EQ(c.label2->text(), "0%");
    EXPECT_EQ(c.bar->minimum(), 0);
    EXPECT_EQ(c.bar->maximum(), 100);
    EXPECT_EQ(c.bar->value(), 0);
    EXPECT_TRUE(read.isModal());

    FrmProgress write(OperationKind::Write, zx::text::Chinese, prompter);
    EXPECT_EQ(write.windowTitle(), QString::fromUtf8("向对讲机写入数据"));
    EXPECT_EQ(controls(write).label1->text(), QString::fromUtf8("完成百分比："));
    EXPECT_TRUE(prompter.asked.empty());
}

TEST(FrmProgress, ShowsPercentAndRejectsOutOfRangeValues) {
    app();
    zx::test::ScriptedPrompter prompter;
    FrmProgress w(OperationKind::Read, zx::text::English, prompter);
    Controls c = controls(w);
    w.SetProgressValue(42);
    EXPECT_EQ(c.bar->value(), 42);
    EXPECT_EQ(c.label2->text(), "42%");
    w.SetProgressValue(100);
    EXPECT_EQ(c.label2->text(), "100%");

    // A value the bar cannot take is reported by the procedure's name; the display stays.
    w.SetProgressValue(101);
    w.SetProgressValue(-1);
    EXPECT_EQ(c.bar->value(), 100);
    EXPECT_EQ(c.label2->text(), "100%");
    ASSERT_EQ(prompter.texts(),
              (std::vector<std::string>{"SetProgressValueError", "SetProgressValueError"}));
}

TEST(FrmProgress, SearchBorrowsTheCaptionAndGivesItBack) {
    app();
    zx::test::ScriptedPrompter prompter;
    FrmProgress w(OperationKind::Write, zx::text::English, prompter);
    w.beginSearch();
    EXPECT_EQ(w.windowTitle(), "Search for communication setting,please wait for a few minutes...");
    // A second start must not remember the search caption as the one to restore.
    w.beginSearch();
    w.endSearch();
    EXPECT_EQ(w.windowTitle(), "Write data to radio");
    w.endSearch();
    EXPECT_EQ(w.windowTitle(), "Write data to radio");

    FrmProgress zh(OperationKind::Read, zx::text::Chinese, prompter);
    zh.beginSearch();
    EXPECT_EQ(zh.windowTitle(),
              QString::fromUtf8("正在匹配串口配置，可能需要几分钟，请等待。。。"));
    zh.endSearch();
    EXPECT_EQ(zh.windowTitle(), QString::fromUtf8("从对讲机读取数据"));
}

TEST(FrmProgress, CancelEscapeAndTheCloseButtonAskToEndButOnlyTheProgramClosesIt) {
    app();
    zx::test::ScriptedPrompter prompter;
    for (const int way : {0, 1, 2}) {
        FrmProgress w(OperationKind::Read, zx::text::English, prompter);
        QSignalSpy cancel(&w, &FrmProgress::cancelClicked);
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        auto* button = w.findChild<QPushButton*>("CommandCancel");
        ASSERT_NE(button, nullptr);
        if (way == 0)
            QTest::mouseClick(button, Qt::LeftButton);
        else if (way == 1)
            QTest::keyClick(&w, Qt::Key_Escape);
        else
            w.close();
        EXPECT_EQ(cancel.count(), 1) << way;
        EXPECT_TRUE(w.cancelRequested());
        EXPECT_FALSE(button->isEnabled()) << "asked once";
        QTest::keyClick(&w, Qt::Key_Escape);
        EXPECT_EQ(cancel.count(), 1) << way;
        EXPECT_TRUE(w.isVisible()) << "the conversation ends first";
        w.unload();
        EXPECT_FALSE(w.isVisible());
    }
}

TEST(FrmProgress, NeitherPhaseNorPercentageChangesItsSize) {
    app();
    zx::test::ScriptedPrompter prompter;
    for (const int language : {zx::text::English, zx::text::Chinese}) {
        FrmProgress w(OperationKind::Write, language, prompter);
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        const QSize opened = w.size();
        w.setPhase(QString::fromUtf8(language == zx::text::English ? "Backing up" : "备份"));
        w.SetProgressValue(100);
        w.setPhase(QString::fromUtf8(language == zx::text::English ? "Verifying" : "校验"));
        QApplication::processEvents();
        EXPECT_EQ(w.size(), opened);
        EXPECT_EQ(w.minimumSize(), w.maximumSize()) << "fixed";
        EXPECT_EQ(zx::test::plain(w.findChild<QPushButton*>("CommandCancel")->text()),
                  QString::fromUtf8(language == zx::text::English ? "Cancel" : "取消"));
        w.unload();
    }
}

} // namespace
