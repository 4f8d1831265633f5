// Safe radio programming in the desktop program: a write verified against the demo radio,
// the two write options of the Setup menu kept in mysetup.ini, backups and traces in the
// per-user data folder with the menu entries that open them, backups opened as documents,
// Compare with Radio, and closing the window while a conversation runs.
#include "app/AppTestSupport.h"
#include "app/DemoRadio.h"
#include "app/EditHistory.h"
#include "app/FrmProgress.h"
#include "app/RadioController.h"
#include "app/SafetyMenus.h"
#include "link/RadioImage.h"
#include "model/ChannelTable.h"
#include "platform/PortCatalog.h"
#include "sim/VirtualRadio.h"
#include "text/Messages.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace zx;

std::string msg(text::MessageKey key) {
    return std::string(text::message(key, text::English));
}

class RadioSafety : public ::testing::Test {
protected:
    void SetUp() override {
        harness = std::make_unique<test::AppHarness>(installation);
        QTemporaryDir* dir = &data;
        window().radio().setDataFolders(dir->filePath("backups"), dir->filePath("traces"));
    }
    app::frmMain& window() { return harness->window(); }
    app::RadioController& radio() { return window().radio(); }
    test::ScriptedPrompter& prompter() { return harness->prompter; }
    QStringList files(const char* folder) const {
        return QDir(data.filePath(folder)).entryList(QDir::Files, QDir::Name);
    }

    // A virtual radio on its own port; nothing else is listed.
    sim::VirtualRadio& startRadio(sim::RadioOptions options = {},
                                  const sim::Memory& memory = sim::VirtualRadio::blankMemory()) {
        options.bandCode = 0;
        virtualRadio = std::make_unique<sim::VirtualRadio>(options, memory);
        virtualRadio->start();
        EXPECT_TRUE(
            radio().setPortCatalog(std::make_unique<platform::PortCatalog>(
                                       harness->started.settingsPath, [] { return QStringList(); }),
                                   true));
        harness->ws.state.comPort =
            radio().catalog().numberFor(QString::fromStdString(virtualRadio->devicePath()));
        return *virtualRadio;
    }

    bool runToEnd(QAction* command, int timeoutMs = 20000) {
        QSignalSpy finished(&radio(), &app::RadioController::conversationFinished);
        command->trigger();
        if (!finished.wait(timeoutMs))
            return false;
        return finished.takeFirst().at(1).toBool();
    }

    test::TempInstallation installation;
    std::unique_ptr<test::AppHarness> harness;
    QTemporaryDir data;
    std::unique_ptr<sim::VirtualRadio> virtualRadio;
};

TEST_F(RadioSafety, WriteToTheDemoRadioIsVerifiedAndKept) {
    QString error;
    std::unique_ptr<app::DemoRadio> demo = app::DemoRadio::startFor(window(), &error, false);
    ASSERT_NE(demo, nullptr) << error.toStdString();

    // The progress window names each phase as it comes.
    QStringList phases;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (app::FrmProgress* p = radio().progressWindow())
            if (phases.isEmpty() || phases.back() != p->phase())
                phases << p->phase();
    });
    watch.start(1);
    ASSERT_TRUE(runToEnd(window().menus().mnuWriteToRadio));
    watch.stop();

    EXPECT_EQ(prompter().texts(),
              (std::vector<std::string>{msg(text::MessageKey::WriteConfirm),
                                        msg(text::MessageKey::WriteCompleted) + "\nVerify OK."}));
    EXPECT_TRUE(phases.contains("Writing")) << phases.join(',').toStdString();
    EXPECT_TRUE(phases.contains("Verifying")) << phases.join(',').toStdString();
    // What was sent is kept, and the radio holds it.
    const QStringList backups = files("backups");
    ASSERT_EQ(backups.size(), 2) << backups.join(' ').toStdString();
    QFile image(data.filePath("backups/" + backups.last()));
    ASSERT_TRUE(backups.last().startsWith("ZX-908HF_write_") && backups.last().endsWith(".img"));
    ASSERT_TRUE(image.open(QIODevice::ReadOnly));
    const QByteArray sent = image.readAll();
    const sim::Memory memory = demo->radio().memory();
    EXPECT_EQ(sent.mid(0x10, 0x1DD0),
              QByteArray(reinterpret_cast<const char*>(memory.data()) + 0x10, 0x1DD0));
    // And the conversation's bytes are traced.
    ASSERT_EQ(files("traces").size(), 1);
    EXPECT_TRUE(files("traces").front().startsWith("ZX-908HF_write_"));
}

TEST_F(RadioSafety, SetupEntriesAreKeptInMysetupIniAndShapeTheWrite) {
    app::SafetyMenus& menus = window().safetyMenus();
    EXPECT_TRUE(menus.mnuBackupBeforeWrite->isCheckable());
    EXPECT_FALSE(menus.mnuBackupBeforeWrite->isChecked()) << "off unless chosen";
    EXPECT_TRUE(menus.mnuVerifyAfterWrite->isChecked()) << "on unless turned off";
    EXPECT_EQ(menus.mnuBackupBeforeWrite->text(), "&Back Up Radio Before Writing");
    EXPECT_EQ(menus.mnuVerifyAfterWrite->text(), "&Verify After Writing");
    // Beside the Setup menu's own entries, after them.
    const QList<QAction*> setup = window().menus().mnuSet->actions();
    EXPECT_EQ(setup.last(), menus.mnuVerifyAfterWrite);
    EXPECT_LT(setup.indexOf(window().menus().MnuInitialBand2),
              setup.indexOf(menus.mnuBackupBeforeWrite));

    menus.mnuBackupBeforeWrite->trigger();
    menus.mnuVerifyAfterWrite->trigger();
    EXPECT_EQ(installation.setting("BackupBeforeWriting"), "1");
    EXPECT_EQ(installation.setting("VerifyAfterWriting"), "0");

    // A later start finds them as they were left.
    test::AppHarness again(installation);
    EXPECT_TRUE(again.window().safetyMenus().mnuBackupBeforeWrite->isChecked());
    EXPECT_FALSE(again.window().safetyMenus().mnuVerifyAfterWrite->isChecked());

    // The write reads a backup first and verifies nothing.
    sim::VirtualRadio& r = startRadio();
    ASSERT_TRUE(runToEnd(window().menus().mnuWriteToRadio));
    EXPECT_EQ(prompter().texts(),
              (std::vector<std::string>{msg(text::MessageKey::WriteConfirm),
                                        msg(text::MessageKey::WriteCompleted)}));
    EXPECT_EQ(r.stats().count(sim::CommandKind::Read), 120 + 1) << "backup read, band read";
    const QStringList backups = files("backups");
    ASSERT_EQ(backups.size(), 4);
    EXPECT_TRUE(backups[0].startsWith("ZX-908HF_read_"));
    EXPECT_TRUE(backups[2].startsWith("ZX-908HF_write_"));
}

TEST_F(RadioSafety, ABackupImageOpensAsTheDocumentAReadWouldMake) {
    model::Workspace source;
    source.record = harness->ws.record;
    source.record.channelCount[2] = 0;
    ASSERT_TRUE(model::addChannel(source, 2, 5, "28.700000"));
    link::RadioImage image;
    image.encode(source.record, 0);
    const QString path = data.filePath("backup.img");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(image.bytes.data()), qint64(image.bytes.size()));
    file.close();

    window();
    harness->ws.state.currentFileName = "/somewhere/mine.dat";
    harness->ws.state.untitled = false;
    harness->dialogs.answers = {path};
    window().menus().mnuFileOpen->trigger();
    EXPECT_TRUE(harness->dialogs.lastFilter.contains("(*.img)"));
    EXPECT_EQ(harness->ws.record.channelCount[2], 1);
    EXPECT_EQ(harness->ws.record.channel(2, 1).number, 5);
    EXPECT_EQ(harness->ws.record.channel(2, 1).rxFreq.view(), "28700000");
    EXPECT_EQ(harness->ws.state.currentFileName, "new.dat") << "Save must not write over the image";
    EXPECT_TRUE(harness->ws.state.untitled);
    EXPECT_TRUE(window().windowTitle().endsWith("[File Name:new.dat]"));
    EXPECT_NE(window().childWindow(app::ChildWindow::ChannelInfo), nullptr);
}

TEST_F(RadioSafety, FoldersOpenFromTheMenus) {
    QStringList opened;
    radio().setFolderOpener([&](const QString& folder) {
        opened << folder;
        return true;
    });
    window().safetyMenus().mnuOpenBackupFolder->trigger();
    window().safetyMenus().mnuOpenTraceFolder->trigger();
    EXPECT_EQ(opened, (QStringList{data.filePath("backups"), data.filePath("traces")}));
    EXPECT_TRUE(QFileInfo(data.filePath("backups")).isDir()) << "made when missing";
    // In the File and Help menus, labelled in the current language.
    EXPECT_TRUE(
        window().menus().mnuFile->actions().contains(window().safetyMenus().mnuOpenBackupFolder));
    EXPECT_EQ(window().safetyMenus().mnuOpenTraceFolder->text(), "Open Serial &Trace Folder");
}

TEST_F(RadioSafety, CompareWithRadioListsTheDifferencesAndLeavesTheDocumentAlone) {
    // The radio holds the document with a full group C and another first message line.
    window();
    model::Workspace source = harness->ws;
    source.record.channelCount[2] = 0;
    for (int n = 1; n <= model::kChannelsPerGroup; ++n)
        ASSERT_TRUE(
            model::addChannel(source, 2, n, QString::asprintf("28.%02d0000", n).toStdString()));
    source.record.embeddedMessage[0] = "RADIO";
    link::RadioImage image;
    image.encode(source.record, 0);
    sim::Memory memory{};
    std::copy(image.bytes.begin(), image.bytes.end(), memory.begin());
    sim::VirtualRadio& r = startRadio({}, memory);

    // The document has no channels in group C.
    harness->ws.record.channelCount[2] = 0;
    harness->ws.state.currentFileName = "/dealer/customer.dat";
    harness->ws.state.untitled = false;
    window().setCaption();
    const model::ConfigRecord before = harness->ws.record;
    const QString caption = window().windowTitle();

    // Beside the Program menu's own entries, after them.
    QAction* compare = window().safetyMenus().mnuCompareWithRadio;
    const QList<QAction*> program = window().menus().mnuProgram->actions();
    EXPECT_EQ(program.indexOf(compare), program.indexOf(window().menus().mnuWriteToRadio) + 1);
    EXPECT_EQ(compare->text(), "&Compare with Radio");

    QString verdict;
    QStringList lines;
    int scrollRange = 0;
    QTimer watcher;
    watcher.setInterval(10);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != "FrmCompare")
            return;
        verdict = zx::test::plain(modal->findChild<QLabel*>("LabelVerdict")->text());
        auto* text = modal->findChild<QPlainTextEdit*>("TextDifferences");
        lines = text->toPlainText().split('\n');
        scrollRange = text->verticalScrollBar()->maximum();
        QTest::mouseClick(modal->findChild<QPushButton*>("CommandClose"), Qt::LeftButton);
    });
    watcher.start();
    ASSERT_TRUE(runToEnd(compare));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !verdict.isEmpty(); }, 5000));
    watcher.stop();

    EXPECT_TRUE(prompter().asked.empty()) << "no question and no completion message";
    EXPECT_EQ(verdict, "The radio differs from customer.dat in 61 fields.");
    ASSERT_EQ(lines.size(), 61) << lines.join('\n').toStdString();
    EXPECT_EQ(lines[0], "C-01: radio 28.010000, file (none)");
    EXPECT_EQ(lines[59], "C-60: radio 28.600000, file (none)");
    EXPECT_EQ(lines[60], "Local Information line 1: radio \"RADIO\", file \"\"");
    EXPECT_GT(scrollRange, 0) << "a long list scrolls";
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "closed by its button";

    // The document is as it was: data, name, caption, undo history, open windows.
    EXPECT_EQ(harness->ws.record, before);
    EXPECT_EQ(harness->ws.state.currentFileName, "/dealer/customer.dat");
    EXPECT_EQ(window().windowTitle(), caption);
    EXPECT_FALSE(window().history().canUndo());
    EXPECT_NE(window().childWindow(app::ChildWindow::ChannelInfo), nullptr);
    EXPECT_EQ(r.stats().count(sim::CommandKind::Write), 0);
    // Kept and traced as every read.
    EXPECT_EQ(files("backups").size(), 2u);
    EXPECT_TRUE(files("backups").front().startsWith("ZX-908HF_read_"));
    ASSERT_EQ(files("traces").size(), 1);
    EXPECT_TRUE(files("traces").front().startsWith("ZX-908HF_compare_"));

    // Once the document is written, the radio holds it; said in the current language.
    ASSERT_TRUE(runToEnd(window().menus().mnuWriteToRadio));
    harness->ws.state.language = text::Chinese;
    window().Change_Language();
    EXPECT_EQ(compare->text(), "与对讲机比较(&C)");
    prompter().asked.clear();
    ASSERT_TRUE(runToEnd(compare));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !prompter().asked.empty(); }, 5000));
    EXPECT_EQ(prompter().texts(),
              (std::vector<std::string>{"对讲机中的配置与 customer.dat 相同。"}));
    EXPECT_EQ(prompter().asked[0].icon, text::Icon::Information);
}

TEST_F(RadioSafety, ClosingTheWindowDuringAWriteEndsTheConversationFirst) {
    sim::RadioOptions paced;
    paced.paced = true;
    sim::VirtualRadio& r = startRadio(paced);
    window().menus().mnuWriteToRadio->trigger();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return r.stats().count(sim::CommandKind::Write) >= 10; }, 20000));
    window().close();
    EXPECT_FALSE(radio().busy());
    EXPECT_FALSE(r.programmingMode()) << "released with End";
    EXPECT_EQ(r.log().back().kind, sim::CommandKind::End);
    ASSERT_FALSE(prompter().asked.empty());
    bool reported = false;
    for (const std::string& t : prompter().texts())
        reported = reported || t.rfind("Write stopped after ", 0) == 0;
    EXPECT_TRUE(reported);
}

} // namespace
