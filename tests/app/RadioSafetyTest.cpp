// Safe radio programming in the desktop program: a write verified against the demo radio,
// the two write options of the Setup menu kept in mysetup.ini, backups and traces in the
// per-user data folder with the menu entries that open them, backups opened as documents,
// and closing the window while a conversation runs.
#include "app/AppTestSupport.h"
#include "app/DemoRadio.h"
#include "app/FrmProgress.h"
#include "app/RadioController.h"
#include "app/SafetyMenus.h"
#include "link/RadioImage.h"
#include "model/ChannelTable.h"
#include "platform/PortCatalog.h"
#include "sim/VirtualRadio.h"
#include "text/Messages.h"

#include <QAction>
#include <QMenu>
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
    sim::VirtualRadio& startRadio(sim::RadioOptions options = {}) {
        options.bandCode = 0;
        virtualRadio = std::make_unique<sim::VirtualRadio>(options);
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
                                        msg(text::MessageKey::WriteCompleted), "Verify OK."}));
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
