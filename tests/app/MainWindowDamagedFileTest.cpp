// Opening a file that is refused, acting as a user through File > Open: a damaged file named
// with its problems and declined, a file of the wrong length, a radio image that cannot be
// read. None of them may close a window, enter the recent files or change the document; a
// damaged file accepted opens repaired as the untitled, modified document.
#include "AppTestSupport.h"
#include "model/ChannelTable.h"
#include "model/DataFile.h"
#include "model/RecordCodec.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <gtest/gtest.h>

namespace zx::test {
namespace {

using text::Answer;

class DamagedFileTest : public ::testing::Test {
protected:
    QAction* action(app::frmMain& w, const char* name) {
        auto* found = w.findChild<QAction*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // A sound document with channels, its second message line `line`.
    QString soundFile(const QString& name, const char* line) {
        model::Workspace ws;
        model::resetDocument(ws, model::Today{2026, 12, 8, "2026-12-08"});
        model::addChannel(ws, 0, 2, "28.100000");
        ws.record.embeddedMessage[1] = line;
        const QString path = inst.root() + "/" + name;
        TempInstallation::writeRecord(path, ws.record);
        return path;
    }
    static QList<QMdiSubWindow*> windows(app::frmMain& w) {
        return w.findChild<QMdiArea*>()->subWindowList();
    }

    TempInstallation inst;
};

TEST_F(DamagedFileTest, ARefusedOpenLeavesTheWindowsTheRecentFilesAndTheDocument) {
    const QString good = soundFile("good.dat", "GOOD");
    QByteArray damaged;
    {
        QFile f(good);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        damaged = f.readAll();
    }
    damaged[18 + 38] = char(75); // A-02 becomes channel 75
    const QString broken = inst.root() + "/broken.dat";
    const QString shortFile = inst.root() + "/short.dat";
    const QString badImage = inst.root() + "/unreadable.img";
    {
        QFile f(broken);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(damaged);
        QFile s(shortFile);
        ASSERT_TRUE(s.open(QIODevice::WriteOnly));
        s.write(damaged.left(14535));
        QFile i(badImage);
        ASSERT_TRUE(i.open(QIODevice::WriteOnly));
        i.write(QByteArray(8192, '\xFF'));
        i.setPermissions(QFileDevice::WriteOwner); // the size of an image, but no reading it
    }

    AppHarness app(inst);
    app::frmMain& w = app.window();
    ASSERT_TRUE(w.openFile(good));
    action(w, "mnuOptFeature")->trigger();
    action(w, "mnuEmbeddedMsg")->trigger();
    const QList<QMdiSubWindow*> open = windows(w);
    ASSERT_EQ(open.size(), 3);
    const model::ConfigRecord record = app.ws.record;
    const QStringList recent = w.recentFiles().files();
    const QString title = w.windowTitle();

    const auto expectUnchanged = [&](const char* what) {
        SCOPED_TRACE(what);
        EXPECT_EQ(windows(w), open) << "no window was closed or opened";
        EXPECT_EQ(w.recentFiles().files(), recent);
        EXPECT_EQ(app.ws.record, record);
        EXPECT_EQ(app.ws.state.currentFileName, good.toStdString());
        EXPECT_EQ(w.windowTitle(), title);
        EXPECT_FALSE(model::isModified(app.ws));
    };

    // Declined: the question names the file and its problem.
    app.dialogs.answers = {broken};
    app.prompter.script({Answer::No});
    action(w, "mnuFileOpen")->trigger();
    ASSERT_EQ(app.prompter.asked.size(), 1u);
    EXPECT_EQ(app.prompter.asked[0].text.rfind("The file \"broken.dat\" is damaged:\nGroup A entry "
                                               "2: channel number 75 is outside 1..60",
                                               0),
              0u)
        << app.prompter.asked[0].text;
    expectUnchanged("damaged, declined");

    app.prompter.asked.clear();
    app.dialogs.answers = {shortFile};
    action(w, "mnuFileOpen")->trigger();
    ASSERT_EQ(app.prompter.asked.size(), 1u);
    expectUnchanged("wrong length");

    if (geteuid() != 0) { // root reads the file whatever its permissions say
        app.prompter.asked.clear();
        app.dialogs.answers = {badImage};
        action(w, "mnuFileOpen")->trigger();
        ASSERT_EQ(app.prompter.asked.size(), 1u);
        expectUnchanged("unreadable image");
    }

    // Accepted: the repaired document, untitled and modified; the file itself stays as it is.
    app.prompter.asked.clear();
    app.dialogs.answers = {broken};
    app.prompter.script({Answer::Yes});
    action(w, "mnuFileOpen")->trigger();
    ASSERT_EQ(app.prompter.asked.size(), 1u);
    EXPECT_EQ(app.ws.record.channelCount[0], 1);
    EXPECT_EQ(app.ws.record.embeddedMessage[1].trimmed(), "GOOD");
    EXPECT_TRUE(app.ws.state.untitled);
    EXPECT_TRUE(w.windowTitle().endsWith("[File Name:new.dat]")) << w.windowTitle().toStdString();
    EXPECT_TRUE(model::isModified(app.ws));
    EXPECT_EQ(w.findChild<QLabel*>("PanelModified")->text(), "Modified");
    ASSERT_EQ(windows(w).size(), 1) << "the channel window of the new document";
    EXPECT_EQ(w.recentFiles().files().front(), broken);
    QFile again(broken);
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), damaged);

    // Save asks for a name: nothing is written over the damaged file unasked.
    app.dialogs.answers = {QString()};
    action(w, "mnuFileSave")->trigger();
    EXPECT_EQ(app.dialogs.saves, 1);
}

} // namespace
} // namespace zx::test
