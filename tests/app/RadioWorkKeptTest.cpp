// The radio commands against a virtual radio, as a user meets them: Read from Radio on a
// modified document asks to save it first and becomes a step undo takes back; the progress
// window's Cancel (and Escape) ends a read or a write with End and says what became of it,
// and the window keeps its place and size; a write names the frequencies it shortens to
// 100 Hz before it starts, and Compare with Radio lists them apart from real differences.
#include "app/AppTestSupport.h"
#include "app/DemoRadio.h"
#include "app/EditHistory.h"
#include "app/FrmProgress.h"
#include "app/RadioController.h"
#include "app/SafetyMenus.h"
#include "link/RadioImage.h"
#include "model/ChannelTable.h"
#include "model/DataFile.h"
#include "platform/PortCatalog.h"
#include "platform/QtSerialLink.h"
#include "sim/VirtualRadio.h"
#include "text/Messages.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace zx;
using text::Answer;
using text::MessageKey;

std::string msg(MessageKey key) {
    return std::string(text::message(key, text::English));
}

sim::Memory imageOf(const model::ConfigRecord& record) {
    link::RadioImage image;
    image.encode(record, 0);
    sim::Memory memory{};
    std::copy(image.bytes.begin(), image.bytes.end(), memory.begin());
    return memory;
}

class RadioWorkKept : public ::testing::Test {
protected:
    void SetUp() override {
        harness = std::make_unique<test::AppHarness>(installation);
        window().radio().setDataFolders(data.filePath("backups"), data.filePath("traces"));
    }
    app::frmMain& window() { return harness->window(); }
    app::RadioController& radio() { return window().radio(); }
    model::Workspace& ws() { return harness->ws; }
    test::ScriptedPrompter& prompter() { return harness->prompter; }

    sim::VirtualRadio& startRadio(sim::RadioOptions options, const sim::Memory& memory) {
        options.bandCode = 0;
        virtualRadio = std::make_unique<sim::VirtualRadio>(options, memory);
        virtualRadio->start();
        EXPECT_TRUE(
            radio().setPortCatalog(std::make_unique<platform::PortCatalog>(
                                       harness->started.settingsPath, [] { return QStringList(); }),
                                   true));
        ws().state.comPort =
            radio().catalog().numberFor(QString::fromStdString(virtualRadio->devicePath()));
        return *virtualRadio;
    }
    // Starts `command` and waits for its conversation to end; its success.
    bool runToEnd(QAction* command, int timeoutMs = 30000) {
        QSignalSpy finished(&radio(), &app::RadioController::conversationFinished);
        command->trigger();
        if (finished.isEmpty() && !finished.wait(timeoutMs))
            return false;
        return finished.takeFirst().at(1).toBool();
    }
    bool waitFinished(QSignalSpy& finished, int timeoutMs = 30000) {
        return !finished.isEmpty() || finished.wait(timeoutMs);
    }
    bool said(const std::string& start) const {
        for (const std::string& t : harness->prompter.texts())
            if (t.rfind(start, 0) == 0)
                return true;
        return false;
    }
    int barValue() {
        app::FrmProgress* p = radio().progressWindow();
        return p ? p->progressValue() : -1;
    }

    test::TempInstallation installation;
    std::unique_ptr<test::AppHarness> harness;
    QTemporaryDir data;
    std::unique_ptr<sim::VirtualRadio> virtualRadio;
};

TEST_F(RadioWorkKept, ReadOnAModifiedDocumentAsksToSaveFirstAndIsOneUndoStep) {
    // The radio holds A-12; the document is a file with an unsaved edit.
    model::Workspace source = ws();
    ASSERT_TRUE(model::addChannel(source, 0, 12, "28.512300"));
    sim::VirtualRadio& r = startRadio({}, imageOf(source.record));
    const QString path = installation.root() + "/mine.dat";
    test::TempInstallation::writeRecord(path, ws().record);
    ASSERT_TRUE(window().openFile(path));
    ws().record.embeddedMessage[0] = "UNSAVED";
    const model::ConfigRecord edited = ws().record;
    const QString caption = window().windowTitle();

    // Cancel: nothing is read, the radio is not even called.
    prompter().script({Answer::Cancel});
    window().menus().mnuReadFromRadio->trigger();
    EXPECT_EQ(prompter().texts(), std::vector<std::string>{msg(MessageKey::FileModified)});
    EXPECT_FALSE(radio().busy());
    EXPECT_EQ(r.stats().count(sim::CommandKind::Program), 0);
    EXPECT_EQ(ws().record, edited);

    // No: the read's own question follows and the read replaces the document...
    prompter().asked.clear();
    prompter().script({Answer::No, Answer::Ok});
    ASSERT_TRUE(runToEnd(window().menus().tbReadRadio)); // the toolbar asks the same
    EXPECT_EQ(prompter().texts(),
              (std::vector<std::string>{msg(MessageKey::FileModified), msg(MessageKey::ReadConfirm),
                                        msg(MessageKey::ReadCompleted)}));
    EXPECT_NE(ws().record.findChannel(0, 12), 0);
    EXPECT_EQ(ws().state.currentFileName, "new.dat");

    // ...as one step: undo brings the edited document back, its name and caption included.
    QAction* undo = window().menus().mnuEditUndo;
    EXPECT_EQ(undo->text(), "&Undo Read from Radio");
    undo->trigger();
    EXPECT_EQ(ws().record, edited);
    EXPECT_EQ(ws().state.currentFileName, QFileInfo(path).absoluteFilePath().toStdString());
    EXPECT_FALSE(ws().state.untitled);
    EXPECT_EQ(window().windowTitle(), caption);
    EXPECT_EQ(window().childWindow(app::ChildWindow::ChannelInfo) != nullptr, true);
    window().menus().mnuEditRedo->trigger();
    EXPECT_NE(ws().record.findChannel(0, 12), 0);
    EXPECT_TRUE(ws().state.untitled);
    undo->trigger();

    // Yes: saved to its file first, then read.
    prompter().asked.clear();
    prompter().script({Answer::Yes, Answer::Ok});
    ASSERT_TRUE(runToEnd(window().menus().mnuReadFromRadio));
    model::Workspace onDisk = ws();
    ASSERT_EQ(model::openDataFile(onDisk, path.toStdString(), prompter()).kind,
              model::OpenOutcome::Opened);
    EXPECT_EQ(onDisk.record.embeddedMessage[0].trimmed(), "UNSAVED");
    EXPECT_NE(ws().record.findChannel(0, 12), 0);
}

TEST_F(RadioWorkKept, CancelEndsAReadWithEndAndLeavesTheDocumentAsItWas) {
    QString error;
    std::unique_ptr<app::DemoRadio> demo = app::DemoRadio::startFor(window(), &error, true);
    ASSERT_NE(demo, nullptr) << error.toStdString();
    ASSERT_TRUE(model::addChannel(ws(), 0, 7, "28.700000"));
    ws().fileBuffer = ws().record; // as saved: the read asks nothing before its own question
    const model::ConfigRecord before = ws().record;
    const int steps = window().history().count();

    QSignalSpy finished(&radio(), &app::RadioController::conversationFinished);
    window().menus().mnuReadFromRadio->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return barValue() >= 5; }, 20000));
    app::FrmProgress* progress = radio().progressWindow();
    auto* cancel = progress->findChild<QPushButton*>("CommandCancel");
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(zx::test::plain(cancel->text()), "Cancel");
    QTest::mouseClick(cancel, Qt::LeftButton);
    ASSERT_TRUE(waitFinished(finished));

    EXPECT_FALSE(finished.takeFirst().at(1).toBool());
    EXPECT_EQ(demo->radio().log().back().kind, sim::CommandKind::End) << "the radio is released";
    EXPECT_FALSE(demo->radio().programmingMode());
    EXPECT_LT(demo->radio().stats().count(sim::CommandKind::Read), 120);
    EXPECT_EQ(prompter().texts(),
              (std::vector<std::string>{msg(MessageKey::ReadConfirm),
                                        "Reading was cancelled; the document is unchanged."}));
    EXPECT_EQ(ws().record, before);
    EXPECT_EQ(window().history().count(), steps);
    EXPECT_EQ(radio().progressWindow(), nullptr);
    EXPECT_FALSE(radio().serial().isPortOpen());
}

TEST_F(RadioWorkKept, EscapeEndsAWriteWithEndAndTheWindowKeepsItsPlace) {
    QString error;
    std::unique_ptr<app::DemoRadio> demo = app::DemoRadio::startFor(window(), &error, true);
    ASSERT_NE(demo, nullptr) << error.toStdString();

    QSignalSpy finished(&radio(), &app::RadioController::conversationFinished);
    window().menus().mnuWriteToRadio->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return radio().progressWindow() != nullptr; }, 5000));
    app::FrmProgress* progress = radio().progressWindow();
    const QRect opened = progress->geometry();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return demo->radio().stats().count(sim::CommandKind::Write) >= 40; }, 20000));
    EXPECT_EQ(progress->geometry(), opened) << "the window stays where it opened";
    QTest::keyClick(progress, Qt::Key_Escape);
    ASSERT_TRUE(waitFinished(finished));

    EXPECT_EQ(demo->radio().log().back().kind, sim::CommandKind::End);
    EXPECT_FALSE(demo->radio().programmingMode());
    EXPECT_LT(demo->radio().stats().count(sim::CommandKind::Write), 477);
    EXPECT_TRUE(said("Write stopped after ")) << "the radio holds a partly written configuration";
    EXPECT_FALSE(said(msg(MessageKey::WriteCompleted)));
    EXPECT_FALSE(said("Stopped before anything")) << "said once, by the partial-write line";
}

TEST_F(RadioWorkKept, AWriteCancelledBeforeItsFirstBlockSaysTheRadioIsUnchanged) {
    QString error;
    std::unique_ptr<app::DemoRadio> demo = app::DemoRadio::startFor(window(), &error, true);
    ASSERT_NE(demo, nullptr) << error.toStdString();
    // The radio is read for a backup first: cancelled then, nothing has been written.
    window().safetyMenus().mnuBackupBeforeWrite->trigger();
    QSignalSpy finished(&radio(), &app::RadioController::conversationFinished);
    window().menus().mnuWriteToRadio->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return barValue() >= 3; }, 20000));
    ASSERT_EQ(radio().progressWindow()->phase(), "Backing up");
    QTest::mouseClick(radio().progressWindow()->findChild<QPushButton*>("CommandCancel"),
                      Qt::LeftButton);
    ASSERT_TRUE(waitFinished(finished));
    EXPECT_EQ(demo->radio().stats().count(sim::CommandKind::Write), 0);
    EXPECT_EQ(demo->radio().log().back().kind, sim::CommandKind::End);
    EXPECT_EQ(prompter().texts(),
              (std::vector<std::string>{
                  msg(MessageKey::WriteConfirm),
                  "Stopped before anything was written: the radio holds what it held."}));
}

TEST_F(RadioWorkKept, AWriteNamesTheFrequenciesItShortensAndCompareSetsThemApart) {
    ASSERT_TRUE(model::addChannel(ws(), 0, 12, "28.512340"));
    sim::VirtualRadio& r = startRadio({}, sim::VirtualRadio::blankMemory());

    // Cancel at the list: nothing is asked of the radio.
    prompter().script({Answer::Cancel});
    window().menus().mnuWriteToRadio->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !radio().busy(); }, 5000));
    ASSERT_EQ(prompter().asked.size(), 1u);
    EXPECT_EQ(prompter().asked[0].buttons, text::Buttons::OkCancel);
    EXPECT_NE(prompter().asked[0].text.find("A-12 RX 28.512340 is written as 28.512300\n"
                                            "A-12 TX 28.512340 is written as 28.512300"),
              std::string::npos)
        << prompter().asked[0].text;
    EXPECT_EQ(r.stats().count(sim::CommandKind::Program), 0);

    // OK: the write goes on, with its own question, and one message at its end.
    prompter().asked.clear();
    QRect opened;
    QTimer watch;
    bool moved = false;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (app::FrmProgress* p = radio().progressWindow()) {
            if (opened.isNull())
                opened = p->geometry();
            moved = moved || p->geometry() != opened;
        }
    });
    watch.start(1);
    ASSERT_TRUE(runToEnd(window().menus().mnuWriteToRadio));
    watch.stop();
    EXPECT_FALSE(opened.isNull());
    EXPECT_FALSE(moved) << "neither the phases nor 100% move or resize the window";
    ASSERT_EQ(prompter().asked.size(), 3u);
    EXPECT_EQ(prompter().texts()[1], msg(MessageKey::WriteConfirm));
    EXPECT_EQ(prompter().texts()[2], msg(MessageKey::WriteCompleted) + "\nVerify OK.")
        << "the comparison of what was sent stays as it is";

    // The radio holds 28.512300: no difference, but said apart, once.
    QString verdict;
    QStringList lines;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != "FrmCompare")
            return;
        verdict = zx::test::plain(modal->findChild<QLabel*>("LabelVerdict")->text());
        lines = modal->findChild<QPlainTextEdit*>("TextDifferences")->toPlainText().split('\n');
        QTest::mouseClick(modal->findChild<QPushButton*>("CommandClose"), Qt::LeftButton);
    });
    watcher.start(10);
    prompter().asked.clear();
    ASSERT_TRUE(runToEnd(window().safetyMenus().mnuCompareWithRadio));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !verdict.isEmpty(); }, 5000));
    watcher.stop();
    EXPECT_EQ(verdict, "The radio holds what new.dat holds.");
    EXPECT_EQ(lines, (QStringList{"Stored to 100 Hz, as a write stores them (not differences): 2",
                                  "A-12 RX Frequency: radio 28.512300, file 28.512340",
                                  "A-12 TX FreQuency: radio 28.512300, file 28.512340"}));
}

} // namespace
