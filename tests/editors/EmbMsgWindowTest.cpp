// Window tests of the embedded message window: typing, leaving and validating a line, the
// stored and shown forms, the key filter, the swallowed mouse buttons and the Chinese texts.
#include "editors/EditorTestSupport.h"
#include "editors/FrmEmbMsg.h"
#include "editors/MessageLine.h"
#include "editors/MessageLineEdit.h"
#include "support/ScriptedPrompter.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace zx::editors {
namespace {

using test::control;
using test::qs;

std::string stored(std::string_view text, char pad = ' ') {
    std::string s(text);
    s.resize(32, pad);
    return s;
}

class EmbMsgWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::ensureApplication(); }

    void open() {
        window = std::make_unique<FrmEmbMsg>(ws, prompter);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        line(0)->setFocus();
    }
    QLineEdit* line(int i) {
        return control<QLineEdit>(window.get(), i == 0 ? "Text1_0" : "Text1_1");
    }
    std::string record(int i) const { return ws.record.embeddedMessage[i].str(); }
    static void sendText(QWidget* w, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
        QApplication::sendEvent(w, &press);
    }

    model::Workspace ws;
    test::ScriptedPrompter prompter;
    std::unique_ptr<FrmEmbMsg> window;
};

TEST_F(EmbMsgWindow, NewRecordShowsEmptyLines) {
    open();
    EXPECT_EQ(window->windowTitle(), "Local Information");
    EXPECT_EQ(line(0)->text(), "");
    EXPECT_EQ(line(1)->text(), "");
}

TEST_F(EmbMsgWindow, ClearedLineIsStoredAsAnEmptyMessage) {
    ws.record.embeddedMessage[0] = "OLD";
    open();
    line(0)->selectAll();
    QTest::keyClick(line(0), Qt::Key_Delete);
    QTest::keyClick(line(0), Qt::Key_Tab);
    EXPECT_TRUE(line(1)->hasFocus());
    EXPECT_EQ(record(0), stored(std::string(1, '\0')));
}

TEST_F(EmbMsgWindow, TypedLineIsStoredWithNulAndPaddingWhenLeft) {
    open();
    QTest::keyClicks(line(0), "HELLO");
    EXPECT_EQ(record(0), model::kEmptyMessageLine.str()) << "stored before leaving the box";
    QTest::keyClick(line(0), Qt::Key_Tab);
    EXPECT_EQ(record(0), stored(std::string("HELLO\0", 6)));
    EXPECT_EQ(record(0).substr(6), std::string(26, ' '));
}

TEST_F(EmbMsgWindow, ThirtyTwoCharactersStoreNoNulAndAThirtyThirdIsRefused) {
    open();
    const QString full = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUV");
    line(1)->setFocus();
    QTest::keyClicks(line(1), full + QStringLiteral("W"));
    EXPECT_EQ(line(1)->text(), full);
    line(0)->setFocus(); // leaving line 2 by the mouse or by the program commits it too
    EXPECT_EQ(record(1), full.toStdString());
    EXPECT_EQ(record(1).find('\0'), std::string::npos);
}

TEST_F(EmbMsgWindow, EnterMovesToTheNextLineWithoutInsertingAnything) {
    open();
    QTest::keyClicks(line(0), "AB");
    QTest::keyClick(line(0), Qt::Key_Return);
    EXPECT_TRUE(line(1)->hasFocus());
    EXPECT_EQ(line(0)->text(), "AB");
    EXPECT_EQ(record(0), stored(std::string("AB\0", 3)));
    QTest::keyClick(line(1), Qt::Key_Enter);
    EXPECT_TRUE(control<QPushButton>(window.get(), "CommandClose")->hasFocus());
}

TEST_F(EmbMsgWindow, CharactersAboveCode127AreRefused) {
    open();
    QTest::keyClicks(line(0), "A");
    sendText(line(0), qs("é"));
    sendText(line(0), qs("中"));
    QTest::keyClicks(line(0), "B");
    EXPECT_EQ(line(0)->text(), "AB");

    // Input-method text: only its 7-bit characters get in.
    QInputMethodEvent composed;
    composed.setCommitString(qs("中C文"));
    QApplication::sendEvent(line(0), &composed);
    EXPECT_EQ(line(0)->text(), "ABC");

    // The same events do reach an ordinary box, so the refusal above is the filter's doing.
    QLineEdit plain;
    sendText(&plain, qs("é"));
    QInputMethodEvent again;
    again.setCommitString(qs("中"));
    QApplication::sendEvent(&plain, &again);
    EXPECT_EQ(plain.text(), qs("é中"));
}

TEST_F(EmbMsgWindow, ClipboardKeysDoNothing) {
    open();
    QApplication::clipboard()->setText("PASTED");
    QTest::keyClicks(line(0), "KEEP");
    QTest::keyClick(line(0), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(line(0), Qt::Key_Insert, Qt::ShiftModifier);
    line(0)->selectAll();
    QTest::keyClick(line(0), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(line(0)->text(), "KEEP");
    QApplication::clipboard()->setText("PASTED");
    QTest::keyClick(line(0), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "PASTED");

    QLineEdit plain;
    QTest::keyClick(&plain, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(plain.text(), "PASTED") << "Ctrl+V must reach the box as a paste key";
}

TEST_F(EmbMsgWindow, RightAndMiddleButtonsDoNothing) {
    open();
    QApplication::clipboard()->setText("PASTED");
    if (QApplication::clipboard()->supportsSelection())
        QApplication::clipboard()->setText("PASTED", QClipboard::Selection);
    QTest::mouseClick(line(0), Qt::RightButton);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    // Even a menu request that gets through opens nothing (a menu would run its own loop;
    // the timer closes it so that a failure cannot hang the test).
    bool menuShown = false;
    QTimer::singleShot(0, [&menuShown] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            menuShown = true;
            popup->close();
        }
    });
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(2, 2),
                           line(0)->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(line(0), &menu);
    QCoreApplication::processEvents();
    EXPECT_FALSE(menuShown);
    QTest::mouseClick(line(0), Qt::MiddleButton);
    EXPECT_EQ(line(0)->text(), "");
    EXPECT_EQ(line(0)->contextMenuPolicy(), Qt::NoContextMenu);
}

TEST_F(EmbMsgWindow, ShownFormEndsAtTheFirstNul) {
    ws.record.embeddedMessage[0] = std::string_view("HI\0JUNK", 7);
    ws.record.embeddedMessage[1] = "ABC"; // padded with spaces, no NUL
    open();
    EXPECT_EQ(line(0)->text(), "HI");
    EXPECT_EQ(line(1)->text(), QStringLiteral("ABC") + QString(29, ' '));
}

TEST_F(EmbMsgWindow, CounterShowsTheCharactersUsedOfEachLine) {
    ws.record.embeddedMessage[1] = "ABC"; // 29 blanks and no NUL: the line is full
    open();
    const auto count = [this](int i) {
        return control<QLabel>(window.get(), i == 0 ? "LabelCount_0" : "LabelCount_1")->text();
    };
    EXPECT_EQ(count(0), "0/32");
    EXPECT_EQ(count(1), "32/32");
    QTest::keyClicks(line(0), "HELLO");
    EXPECT_EQ(count(0), "5/32");
    line(1)->setFocus();
    line(1)->end(false);
    QTest::keyClick(line(1), Qt::Key_Backspace);
    EXPECT_EQ(count(1), "31/32");

    // The counter counts what the record takes: two bytes for each Chinese character.
    ws.state.systemLanguage = text::Chinese;
    ws.record.embeddedMessage[0] = std::string_view("\xD6\xD0\xCE\xC4\0", 5); // "中文"
    window->ReShowData();
    EXPECT_EQ(line(0)->text(), qs("中文"));
    EXPECT_EQ(count(0), "4/32");
}

TEST_F(EmbMsgWindow, TrailingBlanksShowAsDotsAndAreStoredAsBefore) {
    const std::string full = stored("ABC");
    ws.record.embeddedMessage[1] = full;
    ws.record.embeddedMessage[0] = std::string_view("ABC\0", 4); // the letters, no blanks
    open();
    auto* blanks = control<MessageLineEdit>(window.get(), "Text1_1");
    auto* plain = control<MessageLineEdit>(window.get(), "Text1_0");
    EXPECT_EQ(blanks->trailingBlanks(), 29);
    EXPECT_EQ(plain->trailingBlanks(), 0);

    const QImage withDots = blanks->grab().toImage();
    const QImage without = plain->grab().toImage();
    const QColor base = blanks->palette().color(QPalette::Base);
    for (int i : {3, 17, 31}) {
        const QPoint at = blanks->dotCentre(i);
        EXPECT_NE(withDots.pixelColor(at), base) << "no dot over blank " << i;
        EXPECT_EQ(without.pixelColor(at), base) << "a dot where there is no blank " << i;
    }

    // Leaving the line without a change stores exactly what it held.
    line(1)->setFocus();
    QTest::keyClick(line(1), Qt::Key_Tab);
    EXPECT_EQ(record(1), full);
}

TEST_F(EmbMsgWindow, ValidateCommitsTheLineBeingEdited) {
    open();
    QTest::keyClicks(line(0), "FIRST");
    window->validateControls();
    EXPECT_EQ(record(0), stored(std::string("FIRST\0", 6)));
    EXPECT_EQ(record(1), model::kEmptyMessageLine.str()) << "line 2 was not touched";
}

TEST_F(EmbMsgWindow, ClosingKeepsAnEditThatWasNotLeftYet) {
    open();
    line(1)->setFocus();
    QTest::keyClicks(line(1), "LAST");
    window->close();
    EXPECT_EQ(record(1), stored(std::string("LAST\0", 5)));
}

TEST_F(EmbMsgWindow, ChineseWindowShowsChineseTexts) {
    ws.state.language = text::Chinese;
    open();
    EXPECT_EQ(window->windowTitle(), qs("本机信息"));
    EXPECT_EQ(control<QPushButton>(window.get(), "CommandClose")->text(), qs("关闭(&C)"));
}

TEST(MessageLineForms, StoredFormAddsNulOnlyWhenShort) {
    EXPECT_EQ(storedMessageLine("").str(), stored(std::string(1, '\0')));
    const std::string thirtyOne(31, 'x');
    EXPECT_EQ(storedMessageLine(thirtyOne).str(), thirtyOne + std::string(1, '\0'));
    const std::string thirtyTwo(32, 'y');
    EXPECT_EQ(storedMessageLine(thirtyTwo).str(), thirtyTwo);
    EXPECT_EQ(storedMessageLine(std::string(40, 'z')).str(), std::string(32, 'z'));
    EXPECT_EQ(shownMessageLine(MessageLine(std::string_view("\0abc", 4))), "");
}

} // namespace
} // namespace zx::editors
