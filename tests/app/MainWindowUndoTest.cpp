// Undo and redo in the running program, driven by keys and menu entries as a user drives
// them: every editor, the band change, the frequency correction, the captions in both
// languages, the open windows refreshed and the modified state.
#include "ActiveWindowTest.h"
#include "app/EditHistory.h"
#include "editors/frmCommChInfo.h"
#include "model/DataFile.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace zx::test {
namespace {

using text::Answer;

class UndoTest : public ActiveWindowTest {
protected:
    // Keys go where the user's keys go: to the widget with the focus.
    void type(const QString& text) {
        for (const QChar c : text)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
    // Ctrl+A in the cell editor, then the text over what was there.
    void retype(const QString& text) {
        press(Qt::Key_A, Qt::ControlModifier);
        type(text);
    }
    // Ctrl+A and Backspace in the cell editor.
    void clear() {
        press(Qt::Key_A, Qt::ControlModifier);
        press(Qt::Key_Backspace);
    }
    QString modifiedPanel() { return app.window().modifiedPanel()->text(); }
};

TEST_F(UndoTest, ChannelEditsWithTheirAddAndDeleteAreUndoneAndRedoneByKeys) {
    start();
    ASSERT_FALSE(model::isModified(app.ws));
    EXPECT_EQ(modifiedPanel(), "");
    const int count = app.ws.record.channelCount[0];

    clickCell(5, model::ColRxFreq);
    type("28.5");
    press(Qt::Key_Return); // adds channel 5, the editor moves to its TX cell
    ASSERT_NE(channel(0, 5), nullptr);
    EXPECT_EQ(action("mnuEditUndo")->text(), "&Undo RX Frequency A-5");
    EXPECT_TRUE(action("mnuEditUndo")->isEnabled());
    EXPECT_EQ(modifiedPanel(), "Modified");

    // Typing in the box: Ctrl+Z first takes back the typing, the document stays.
    type("9");
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(qobject_cast<QLineEdit*>(QApplication::focusWidget())->text(), "28.500000");
    ASSERT_NE(channel(0, 5), nullptr);

    // Then the document's step: the addition goes, the grid shows it at once.
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(channel(0, 5), nullptr);
    EXPECT_EQ(app.ws.record.channelCount[0], count);
    EXPECT_EQ(cellText(5, model::ColRxFreq), "");
    EXPECT_FALSE(model::isModified(app.ws)) << "back at the state of the file buffer";
    EXPECT_EQ(modifiedPanel(), "");
    EXPECT_FALSE(action("mnuEditUndo")->isEnabled());
    EXPECT_EQ(action("mnuEditUndo")->text(), "&Undo");
    EXPECT_EQ(action("mnuEditRedo")->text(), "&Redo RX Frequency A-5");

    press(Qt::Key_Y, Qt::ControlModifier);
    ASSERT_NE(channel(0, 5), nullptr);
    EXPECT_EQ(cellText(5, model::ColRxFreq), "28.500000");
    EXPECT_EQ(modifiedPanel(), "Modified");

    // A deletion (clearing RX), taken back from another group: the window goes to group A.
    clickCell(5, model::ColRxFreq);
    clear();
    press(Qt::Key_Return);
    EXPECT_EQ(channel(0, 5), nullptr);
    auto* groups = control<QComboBox>(app::ChildWindow::ChannelInfo, "ComboGroup");
    groups->setFocus();
    press(Qt::Key_Down); // group B
    ASSERT_EQ(app.ws.record.currentGroup, 1);
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_NE(channel(0, 5), nullptr);
    EXPECT_EQ(app.ws.record.currentGroup, 0);
    EXPECT_EQ(groups->currentText(), "A");
    EXPECT_EQ(cellText(5, model::ColRxFreq), "28.500000");
    // Shift+Ctrl+Z redoes as Ctrl+Y does.
    press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(channel(0, 5), nullptr);
}

TEST_F(UndoTest, OptionAndMessageEditsAreUndoneInTheirOpenWindowsInBothLanguages) {
    app::frmMain& w = start();
    action("mnuOptFeature")->trigger();
    auto* tot = control<QComboBox>(app::ChildWindow::OptFeatures, "Combo1_0");
    tot->setFocus();
    press(Qt::Key_Down); // 60 s -> 90 s
    auto* lsb = control<QCheckBox>(app::ChildWindow::OptFeatures, "Check1_0");
    lsb->click(); // LSB off
    ASSERT_EQ(app.ws.record.optionFeatures[0], 3);
    ASSERT_EQ(app.ws.record.optionFeatures[12], 0);

    action("mnuEmbeddedMsg")->trigger();
    settle();
    auto* line = control<QLineEdit>(app::ChildWindow::EmbMsg, "Text1_0");
    line->setFocus();
    type("HELLO");
    press(Qt::Key_Return); // leaves the line: stored
    ASSERT_EQ(app.ws.record.embeddedMessage[0].str().substr(0, 5), "HELLO");
    EXPECT_EQ(action("mnuEditUndo")->text(), "&Undo Local Information Line 1");

    action("mnuEditUndo")->trigger();
    EXPECT_EQ(line->text(), "");
    EXPECT_EQ(action("mnuEditUndo")->text(), "&Undo LSB Enable");
    action("mnuEditUndo")->trigger();
    EXPECT_TRUE(lsb->isChecked());
    action("mnuEditUndo")->trigger();
    EXPECT_EQ(tot->currentText(), "60");
    EXPECT_FALSE(model::isModified(app.ws));

    // The captions follow the language.
    app.ws.state.language = text::Chinese;
    w.Change_Language();
    EXPECT_EQ(action("mnuEditRedo")->text(), u8("重做 超时定时器(TOT)[秒](&R)"));
    EXPECT_EQ(action("mnuEditUndo")->text(), u8("撤销(&U)"));
    action("mnuEditRedo")->trigger();
    EXPECT_EQ(app.ws.record.optionFeatures[0], 3);
    EXPECT_EQ(action("mnuEditUndo")->text(), u8("撤销 超时定时器(TOT)[秒](&U)"));
    EXPECT_EQ(modifiedPanel(), u8("已修改"));
}

TEST_F(UndoTest, TheBandChangeIsOneStepAndUndoBringsBackTheFileAndWhatWasBeingTyped) {
    const QString path = inst.root() + "/mine.dat";
    TempInstallation::writeRecord(path, app.ws.record);
    app::frmMain& w = start();
    ASSERT_TRUE(w.openFile(path));
    settle();
    const model::ConfigRecord opened = app.ws.record;

    clickCell(1, model::ColRxFreq);
    retype("28.55"); // still being typed when the band changes
    auto* bands = control<QComboBox>(app::ChildWindow::ChannelInfo, "ComboBand");
    app.prompter.script({Answer::Ok});
    bands->setFocus();
    QTest::keyClick(bands, Qt::Key_Down);
    settle();
    EXPECT_EQ(app.ws.state.bandText, model::kBandText1);
    EXPECT_TRUE(app.ws.state.untitled);
    EXPECT_TRUE(w.windowTitle().endsWith("[File Name:new.dat]"));
    EXPECT_EQ(action("mnuEditUndo")->text(), "&Undo Select Frequency Band");

    action("mnuEditUndo")->trigger();
    EXPECT_EQ(app.ws.state.bandText, model::kBandText0);
    EXPECT_EQ(app.ws.state.currentFileName, path.toStdString());
    EXPECT_FALSE(app.ws.state.untitled);
    EXPECT_EQ(w.windowTitle(), "ZX-908HF[28.000000 - 29.700000 MHz][File Name:mine.dat]");
    EXPECT_EQ(channel(0, 1)->rxFreq.str(), "28550000") << "the typed value was kept";
    EXPECT_EQ(control<QComboBox>(app::ChildWindow::ChannelInfo, "ComboBand")->currentText(),
              model::kBandText0);
    EXPECT_EQ(action("mnuEditUndo")->text(), "&Undo RX Frequency A-1");
    action("mnuEditUndo")->trigger();
    EXPECT_EQ(app.ws.record, opened);

    action("mnuEditRedo")->trigger();
    action("mnuEditRedo")->trigger();
    EXPECT_EQ(app.ws.state.bandText, model::kBandText1);
    EXPECT_TRUE(app.ws.state.untitled);
    EXPECT_EQ(w.statusPanel(2)->text(), "ZX-908HF[25.615000 - 30.105000 MHz]");
}

TEST_F(UndoTest, TheCorrectionIsAStepAndReplacingTheDocumentEmptiesTheHistory) {
    app::frmMain& w = start();
    app.ws.record.channel(0, 1).rxFreq = "27500000"; // below the band, as from an old file
    app.prompter.script({Answer::Yes});
    action("MnuFrequencyCheck")->trigger();
    ASSERT_EQ(app.ws.record.channel(0, 1).rxFreq.str(), "28000000");
    EXPECT_EQ(action("mnuEditUndo")->text(), "&Undo Correct All Channel Frequency");
    action("mnuEditUndo")->trigger();
    EXPECT_EQ(app.ws.record.channel(0, 1).rxFreq.str(), "27500000");
    action("mnuEditRedo")->trigger();
    EXPECT_EQ(cellText(1, model::ColRxFreq), "28.000000");

    // New, Initial Setting and Open each leave nothing to undo or redo.
    const QString path = inst.root() + "/other.dat";
    TempInstallation::writeRecord(path, app.ws.fileBuffer);
    const auto replaced = [&](Answer answer, const std::function<void()>& command) {
        action("mnuEditUndo")->trigger(); // something to redo, too
        app.prompter.script({answer});    // the unsaved-changes question, or New's warning
        command();
        EXPECT_FALSE(action("mnuEditUndo")->isEnabled());
        EXPECT_FALSE(action("mnuEditRedo")->isEnabled());
        EXPECT_EQ(w.history().count(), 0);
        app.prompter.script({Answer::Yes});
        app.ws.record.channel(0, 1).rxFreq = "27500000";
        action("MnuFrequencyCheck")->trigger();
        ASSERT_EQ(w.history().count(), 1);
    };
    replaced(Answer::No, [&] { action("新建")->trigger(); });
    replaced(Answer::No, [&] { action("MnuInitial")->trigger(); });
    replaced(Answer::No, [&] { ASSERT_TRUE(w.openWithQuestion(path)); });
    // Menu New: No to saving the modified document, then OK to its own warning.
    replaced(Answer::No, [&] {
        app.prompter.script({Answer::Ok});
        action("mnuFileNew")->trigger();
    });
}

} // namespace
} // namespace zx::test
