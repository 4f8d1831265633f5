// Window tests of the optional features window: what the default record shows, how list
// entries map to stored values, the mode rule, stored values outside a check box's 0/1, the
// controls the user cannot change, and the Chinese texts.
#include "editors/EditorTestSupport.h"
#include "editors/FrmOptFeatures.h"
#include "support/ScriptedPrompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace zx::editors {
namespace {

using test::control;
using test::plain;
using test::qs;
using test::turnWheel;

class OptFeaturesWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::ensureApplication(); }

    FrmOptFeatures& open() {
        window = std::make_unique<FrmOptFeatures>(ws, prompter);
        window->show();
        return *window;
    }
    QComboBox* list(int k) {
        return control<QComboBox>(window.get(), QStringLiteral("Combo1_%1").arg(k).toLatin1());
    }
    QCheckBox* check(int k) {
        return control<QCheckBox>(window.get(), QStringLiteral("Check1_%1").arg(k).toLatin1());
    }
    // Picks a list entry with the keyboard, as a user scrolling through a closed list does.
    void press(int listIndex, Qt::Key key) {
        list(listIndex)->setFocus();
        QTest::keyClick(list(listIndex), key);
    }
    // Clicks a check box on its indicator, where a user clicks.
    static void click(QCheckBox* box) {
        QStyleOptionButton opt;
        opt.initFrom(box);
        const QRect r = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &opt, box);
        QTest::mouseClick(box, Qt::LeftButton, {}, r.center());
    }
    model::Integer& option(int position) { return ws.record.optionFeatures[position]; }

    model::Workspace ws;
    test::ScriptedPrompter prompter;
    std::unique_ptr<FrmOptFeatures> window;
};

TEST_F(OptFeaturesWindow, DefaultRecordShowsEveryDefault) {
    open();
    const char* expected[23] = {"60",
                                "1050",
                                "150",
                                "1050",
                                "10Hz",
                                "ON",
                                "Squelch Scan",
                                "5",
                                "Tx Frequency Display",
                                "6.0",
                                "11.0",
                                "16.0",
                                "50",
                                "50",
                                "50",
                                "1000",
                                "Rx/Tx Frequency",
                                "Coarse",
                                "31",
                                "15",
                                "31",
                                "31",
                                "Blue"};
    for (int k = 0; k < 23; ++k)
        EXPECT_EQ(list(k)->currentText(), QString::fromLatin1(expected[k])) << "list " << k;

    // Set: the six modes, ECHO is not (its stored default is 0), SWR and DC protection.
    const bool checked[18] = {true,  true,  true,  true,  true,  true,  false, false, false,
                              false, false, false, false, false, false, false, true,  true};
    for (int k = 0; k < 18; ++k)
        EXPECT_EQ(check(k)->isChecked(), checked[k]) << "check box " << k;

    EXPECT_EQ(control<QLineEdit>(window.get(), "Text1_0")->text(), "0");
    EXPECT_EQ(control<QLineEdit>(window.get(), "Text1_1")->text(), "0");
    EXPECT_EQ(window->windowTitle(), "Optional Features");
    EXPECT_EQ(plain(control<QLabel>(window.get(), "Label1_1")->text()), "RB Frequecy[Hz]");
    EXPECT_EQ(plain(control<QLabel>(window.get(), "Label1_10")->text()),
              "Battery Voltage Protect Value 1 -- Min[V]");
    EXPECT_EQ(plain(check(4)->text()), "PA Enalbe");
    EXPECT_EQ(control<QPushButton>(window.get(), "CommandClose")->text(), "&Close");
    // Opening the window changes nothing in the record.
    EXPECT_EQ(ws.record, model::ConfigRecord{});
}

TEST_F(OptFeaturesWindow, ListsHaveTheirFullRanges) {
    open();
    struct Range {
        int list, count;
        const char *first, *last;
    };
    const Range ranges[] = {
        {0, 21, "Off", "600"}, {1, 271, "300", "3000"}, {2, 20, "50", "1000"},
        {7, 60, "1", "60"},    {9, 189, "1.2", "20.0"}, {10, 81, "9.0", "17.0"},
        {12, 60, "5", "300"},  {14, 200, "5", "1000"},  {15, 271, "300", "3000"},
        {18, 64, "OFF", "63"}, {22, 8, "Blue", "Loop"}};
    for (const Range& r : ranges) {
        QComboBox* box = list(r.list);
        ASSERT_EQ(box->count(), r.count) << "list " << r.list;
        EXPECT_EQ(box->itemText(0), r.first) << "list " << r.list;
        EXPECT_EQ(box->itemText(r.count - 1), r.last) << "list " << r.list;
    }
    // Tenths are formatted exactly, never as a binary fraction.
    EXPECT_EQ(list(9)->itemText(48), "6.0");
    EXPECT_EQ(list(9)->itemText(1), "1.3");
}

TEST_F(OptFeaturesWindow, ChosenEntriesStoreIndexPlusOffset) {
    open();
    press(1, Qt::Key_End); // RB frequency 3000 Hz
    EXPECT_EQ(option(1), 300);
    press(0, Qt::Key_End); // TOT 600 s
    EXPECT_EQ(option(0), 20);
    press(0, Qt::Key_Home); // TOT off
    EXPECT_EQ(option(0), 0);
    press(22, Qt::Key_End); // backlight "Loop"
    EXPECT_EQ(list(22)->currentText(), "Loop");
    EXPECT_EQ(ws.record.optionByte, 8);
    press(3, Qt::Key_Down); // CW side tone 1050 -> 1060
    EXPECT_EQ(option(3), 106);
    press(9, Qt::Key_End); // SWR 20.0
    EXPECT_EQ(option(9), 200);
    press(11, Qt::Key_Home); // battery maximum 9.0 V
    EXPECT_EQ(option(11), 90);
    // The squelch delays and the gains sit at positions that do not follow the list order.
    press(12, Qt::Key_End);
    EXPECT_EQ(option(21), 59);
    press(15, Qt::Key_Home); // single tone 300 Hz
    EXPECT_EQ(option(40), 30);
    press(21, Qt::Key_Home); // beep volume off
    EXPECT_EQ(option(44), 0);
    EXPECT_EQ(option(43), 31);
}

TEST_F(OptFeaturesWindow, StoredValuesOutsideAListShowItsFirstEntry) {
    option(1) = 20;  // below the 300 Hz of the first entry
    option(0) = 21;  // one past the last TOT entry
    option(30) = -1; // MIC gain
    ws.record.optionByte = 0;
    open();
    EXPECT_EQ(list(1)->currentText(), "300");
    EXPECT_EQ(list(0)->currentText(), "Off");
    EXPECT_EQ(list(18)->currentText(), "OFF");
    EXPECT_EQ(list(22)->currentText(), "Blue");

    ws.record.optionByte = 9;
    option(10) = 170; // battery minimum 17.0 V, the last entry, is inside
    window->ReShowData();
    EXPECT_EQ(list(22)->currentText(), "Blue");
    EXPECT_EQ(list(10)->currentText(), "17.0");
    // Showing does not rewrite the record: the stored values wait for the user's choice.
    EXPECT_EQ(option(1), 20);
    EXPECT_EQ(ws.record.optionByte, 9);
}

TEST_F(OptFeaturesWindow, AtLeastOneModeStaysEnabled) {
    open();
    for (int k = 0; k < 5; ++k)
        click(check(k));
    for (int position = 12; position < 17; ++position)
        EXPECT_EQ(option(position), 0) << position;
    EXPECT_EQ(option(17), 1);

    // Clearing CW, the last mode still set, leaves it set.
    click(check(5));
    EXPECT_TRUE(check(5)->isChecked());
    EXPECT_EQ(option(17), 1);

    // Once another mode is back, CW can be cleared.
    click(check(0));
    click(check(5));
    EXPECT_EQ(option(12), 1);
    EXPECT_EQ(option(17), 0);
    EXPECT_FALSE(check(5)->isChecked());
}

TEST_F(OptFeaturesWindow, OnlyModeLeftAsLsbCannotBeCleared) {
    for (int position = 13; position < 18; ++position)
        option(position) = 0;
    open();
    click(check(0));
    EXPECT_TRUE(check(0)->isChecked());
    EXPECT_EQ(option(12), 1);
}

TEST_F(OptFeaturesWindow, CheckBoxValuesOutsideZeroOrOne) {
    option(39) = 2;  // DC protection: shown set
    option(32) = 2;  // BUSY: shown cleared
    option(33) = 7;  // ECHO: shown set
    option(18) = -1; // Single Change Data: shown cleared
    option(13) = 2;  // USB mode: shown set
    open();
    EXPECT_TRUE(check(17)->isChecked());
    EXPECT_FALSE(check(9)->isChecked());
    EXPECT_TRUE(check(11)->isChecked());
    EXPECT_FALSE(check(6)->isChecked());
    EXPECT_TRUE(check(1)->isChecked());

    // A click stores a clean 0 or 1.
    click(check(9));
    EXPECT_EQ(option(32), 1);
    click(check(17));
    EXPECT_EQ(option(39), 0);
}

TEST_F(OptFeaturesWindow, ControlsWithoutUserAccessStayUnchanged) {
    option(19) = 1; // Common Option
    open();
    EXPECT_FALSE(check(7)->isEnabled());
    EXPECT_FALSE(check(10)->isEnabled());
    EXPECT_FALSE(control<QLineEdit>(window.get(), "Text1_0")->isEnabled());
    EXPECT_FALSE(control<QLineEdit>(window.get(), "Text1_1")->isEnabled());
    click(check(7));
    EXPECT_EQ(option(19), 1);

    // "VOIC" has no field: storing it changes nothing, nor do unknown identifiers.
    const model::ConfigRecord before = ws.record;
    window->SaveOptFeat(110);
    window->SaveOptFeat(118);
    window->SaveOptFeat(23);
    window->SaveOptFeat(-1);
    EXPECT_EQ(ws.record, before);
}

TEST_F(OptFeaturesWindow, OffsetsAreShownInHertzAndClamped) {
    option(45) = 37;
    option(46) = 2000; // beyond the box's 10000 Hz
    open();
    EXPECT_EQ(control<QLineEdit>(window.get(), "Text1_0")->text(), "370");
    EXPECT_EQ(control<QLineEdit>(window.get(), "Text1_1")->text(), "10000");
    EXPECT_EQ(option(45), 37);
    EXPECT_EQ(option(46), 1000);

    option(45) = -32768; // times ten overflows 16 bits
    window->ReShowData();
    EXPECT_EQ(control<QLineEdit>(window.get(), "Text1_0")->text(), "-10000");
    EXPECT_EQ(option(45), -1000);
}

TEST(OptFeatureOffsets, TextToFieldRoundsHalfToEven) {
    EXPECT_EQ(optfeat::offsetFromText("15"), 2);
    EXPECT_EQ(optfeat::offsetFromText("25"), 2);
    EXPECT_EQ(optfeat::offsetFromText("-15"), -2);
    EXPECT_EQ(optfeat::offsetFromText("-10000"), -1000);
    EXPECT_EQ(optfeat::offsetFromText("99999"), 1000);
    EXPECT_EQ(optfeat::offsetFromText("abc"), 0);
    EXPECT_EQ(optfeat::offsetFromText(""), 0);
    EXPECT_EQ(optfeat::clampedOffsetText("x1"), "0");
    EXPECT_EQ(optfeat::clampedOffsetText("-10001"), "-10000");
    EXPECT_EQ(optfeat::clampedOffsetText("-9990"), "-9990");
}

TEST_F(OptFeaturesWindow, ReShowDataFollowsAReplacedRecord) {
    open();
    model::ConfigRecord replaced;
    replaced.optionFeatures[4] = 0;
    replaced.optionFeatures[41] = 2;
    replaced.optionFeatures[14] = 0;
    replaced.optionByte = 4;
    ws.record = replaced;
    window->ReShowData();
    EXPECT_EQ(list(4)->currentText(), "10KHz");
    EXPECT_EQ(list(16)->currentText(), "Tx Frequency");
    EXPECT_EQ(list(22)->currentText(), "Red");
    EXPECT_FALSE(check(2)->isChecked());
    EXPECT_EQ(ws.record, replaced);
}

TEST_F(OptFeaturesWindow, ChineseWindowShowsChineseTexts) {
    ws.state.language = text::Chinese;
    open();
    EXPECT_EQ(window->windowTitle(), qs("可选功能"));
    EXPECT_EQ(plain(control<QLabel>(window.get(), "Label1_0")->text()), qs("超时定时器(TOT)[秒]"));
    EXPECT_EQ(plain(control<QLabel>(window.get(), "Label1_1")->text()), qs("RB 频率[Hz]"));
    EXPECT_EQ(plain(control<QLabel>(window.get(), "Label1_14")->text()),
              qs("CW/USB/LSB SQ关闭延时时间[ms]"));
    EXPECT_EQ(plain(control<QLabel>(window.get(), "Label1_22")->text()), qs("背光灯颜色"));
    EXPECT_EQ(plain(control<QLabel>(window.get(), "Label1_18")->text()), "MIC Gain");
    EXPECT_EQ(plain(check(0)->text()), qs("使用LSB"));
    EXPECT_EQ(plain(check(7)->text()), qs("信道设置公共信道"));
    EXPECT_EQ(plain(check(17)->text()), qs("低电压保护使能"));
    EXPECT_EQ(plain(check(10)->text()), "VOIC");
    EXPECT_EQ(list(0)->itemText(0), qs("关"));
    EXPECT_EQ(list(5)->currentText(), qs("开"));
    EXPECT_EQ(list(6)->currentText(), qs("静噪扫描"));
    EXPECT_EQ(list(8)->itemText(3), qs("TOT剩余时间显示"));
    EXPECT_EQ(list(16)->currentText(), qs("接收/发射 频率"));
    EXPECT_EQ(list(17)->itemText(1), qs("频率步进"));
    EXPECT_EQ(list(22)->itemText(7), qs("循环"));
    EXPECT_EQ(list(4)->currentText(), "10Hz");
    EXPECT_EQ(control<QPushButton>(window.get(), "CommandClose")->text(), qs("关闭(&C)"));
    // Entries change language, the stored values do not.
    press(22, Qt::Key_End);
    EXPECT_EQ(ws.record.optionByte, 8);
}

TEST_F(OptFeaturesWindow, TheWheelChangesOnlyTheListThatHasTheFocus) {
    QMdiArea area;
    auto* frm = new FrmOptFeatures(ws, prompter);
    area.addSubWindow(frm)->show();
    area.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area.resize(frm->parentWidget()->width() + 40, 300); // lower than the window
    area.show();
    QTest::qWait(20);
    frm->findChild<QPushButton*>(QStringLiteral("CommandClose"))->setFocus();

    const auto listOf = [frm](int k) {
        return control<QComboBox>(frm, QStringLiteral("Combo1_%1").arg(k).toLatin1());
    };
    const model::ConfigRecord before = ws.record;
    int turned = 0;
    for (int k = 0; k < 23; ++k) {
        area.verticalScrollBar()->setValue(0);
        QComboBox* box = listOf(k);
        const QRect shown(box->mapTo(area.viewport(), QPoint(0, 0)), box->size());
        if (!area.viewport()->rect().contains(shown))
            continue; // only lists the pointer can be over
        turnWheel(box, 1);
        ++turned;
        EXPECT_FALSE(box->hasFocus()) << k;
        EXPECT_GT(area.verticalScrollBar()->value(), 0) << k << ": the area scrolls instead";
    }
    EXPECT_GE(turned, 3);
    EXPECT_EQ(ws.record, before);

    // The list with the focus is the one the user points at.
    area.verticalScrollBar()->setValue(0);
    listOf(0)->setFocus();
    turnWheel(listOf(0), 1);
    EXPECT_EQ(ws.record.optionFeatures[0], 3) << "60 s -> 90 s";
}

TEST_F(OptFeaturesWindow, CloseButtonUnloadsTheMdiSubWindow) {
    QMdiArea area;
    auto* frm = new FrmOptFeatures(ws, prompter);
    QMdiSubWindow* sub = area.addSubWindow(frm);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    area.show();
    sub->show();
    QTest::mouseClick(control<QPushButton>(frm, "CommandClose"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(area.subWindowList().isEmpty());
}

} // namespace
} // namespace zx::editors
