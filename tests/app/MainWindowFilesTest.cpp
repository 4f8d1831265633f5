// The document's files in the running program: the Save As dialog's suffix and overwrite
// question, saving through a link or onto something that is not a file, the recent files,
// a dropped file, where the dialogs start, the shortcuts, and the child windows' size and
// reach inside the window area.
#include "AppTestSupport.h"
#include "app/FileDialogs.h"
#include "app/Twips.h"
#include "model/DataFile.h"
#include "model/RecordCodec.h"
#include "text/Messages.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QUrl>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace zx::test {
namespace {

using text::Answer;
using text::MessageKey;
namespace fs = std::filesystem;

class FilesTest : public ::testing::Test {
protected:
    QAction* action(app::frmMain& w, const char* name) {
        auto* found = w.findChild<QAction*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // A data file holding the template with `message` as line 1.
    QString dataFile(const QString& name, const char* message = "") {
        model::Workspace ws;
        model::ConfigRecord rec;
        rec.embeddedMessage[0] = message;
        const QString path = inst.root() + "/" + name;
        TempInstallation::writeRecord(path, rec);
        return path;
    }
    static std::string lineOne(const QString& path) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        const QByteArray b = f.readAll();
        return model::decodeRecord(std::span(reinterpret_cast<const std::uint8_t*>(b.constData()),
                                             std::size_t(b.size())))
            .embeddedMessage[0]
            .trimmed();
    }

    TempInstallation inst;
};

TEST_F(FilesTest, SaveAsAddsDatInsideTheDialogSoTheOverwriteQuestionNamesTheRealFile) {
    ensureAppApplication();
    const QString existing = dataFile("target.dat", "KEEP");
    // Types "target" into the dialog, presses Save and answers the question that comes.
    const auto saveAsTarget = [&](QMessageBox::StandardButton answer, QString& question) {
        AppHarness::onNextModal([&question, answer](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            name->setText(QStringLiteral("target"));
            AppHarness::onNextModal([&question, answer](QWidget* box) {
                auto* message = qobject_cast<QMessageBox*>(box);
                ASSERT_NE(message, nullptr) << "no overwrite question";
                question = message->text();
                message->button(answer)->click();
            });
            QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection); // Save
            if (dialog->isVisible())
                dialog->reject(); // No: the dialog stayed open; the user cancels it
        });
        return app::QtFileDialogs().saveFile(nullptr, inst.root() + "/new.dat",
                                             QStringLiteral("Data File (*.dat)"));
    };
    QString question;
    EXPECT_EQ(saveAsTarget(QMessageBox::No, question), QString());
    EXPECT_TRUE(question.contains(QStringLiteral("target.dat"))) << question.toStdString();
    question.clear();
    EXPECT_EQ(saveAsTarget(QMessageBox::Yes, question), existing);
    EXPECT_TRUE(question.contains(QStringLiteral("target.dat"))) << question.toStdString();
    EXPECT_EQ(lineOne(existing), "KEEP") << "the dialog itself writes nothing";
}

TEST_F(FilesTest, SavingThroughALinkKeepsItAndAFolderOrDeviceIsRefusedUntouched) {
    fs::create_directories(inst.root().toStdString() + "/real");
    const QString target = dataFile("real/radio.dat", "OLD");
    const QString link = inst.root() + "/radio.dat";
    fs::create_symlink("real/radio.dat", link.toStdString());
    AppHarness app(inst);
    app::frmMain& w = app.window();
    ASSERT_TRUE(w.openFile(link));
    app.ws.record.embeddedMessage[0] = "NEW";

    app.prompter.script({Answer::Ok});
    action(w, "mnuFileSave")->trigger();
    EXPECT_TRUE(fs::is_symlink(link.toStdString()));
    EXPECT_EQ(lineOne(target), "NEW");
    EXPECT_FALSE(model::isModified(app.ws));
    EXPECT_EQ(QDir(inst.root() + "/real").entryList(QDir::Files).size(), 1);

    // Save As onto a folder, and onto a device node where one can be made.
    app.ws.record.embeddedMessage[0] = "NEWER";
    const QString folder = inst.root() + "/folder.dat";
    QDir(inst.root()).mkdir("folder.dat");
    QStringList refused{folder};
    const QString device = inst.root() + "/device.dat";
    if (::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0)
        refused << device;
    for (const QString& destination : refused) {
        app.prompter.asked.clear();
        app.dialogs.answers = {destination};
        action(w, "mnuFileSaveAs")->trigger();
        ASSERT_EQ(app.prompter.asked.size(), 1u);
        EXPECT_EQ(app.prompter.asked[0].text,
                  "Cannot save to \"" + destination.toStdString() +
                      "\": it is not a regular file (a folder, a device or a pipe). Nothing was "
                      "replaced.");
        EXPECT_TRUE(model::isModified(app.ws));
    }
    EXPECT_TRUE(QFileInfo(folder).isDir());
    if (refused.size() == 2) {
        struct stat st {};
        ASSERT_EQ(::lstat(QFile::encodeName(device).constData(), &st), 0);
        EXPECT_TRUE(S_ISCHR(st.st_mode));
    }
}

TEST_F(FilesTest, TheLastEightFilesAreOfferedAndAMissingOneIsRemovedWithAMessage) {
    QStringList files;
    for (int i = 1; i <= 9; ++i)
        files << dataFile(QStringLiteral("f%1.dat").arg(i), "F");
    {
        AppHarness app(inst);
        app::frmMain& w = app.window();
        for (const QString& f : files)
            ASSERT_TRUE(w.openFile(f));
        EXPECT_EQ(w.recentFiles().files().size(), 8);
        EXPECT_EQ(w.recentFiles().files().front(), files[8]);
    }
    // Kept in the per-user store for the next run, newest first.
    AppHarness app(inst);
    app::frmMain& w = app.window();
    EXPECT_EQ(action(w, "mnuRecentFile1")->text(),
              QStringLiteral("&1 f9.dat  [%1]").arg(QDir::toNativeSeparators(inst.root())));
    EXPECT_TRUE(action(w, "mnuRecentFile8")->isVisible());
    EXPECT_EQ(action(w, "mnuRecentFile8")->data().toString(), files[1]);

    // Chosen while the document has changes: the question of Open comes first.
    app.ws.record.embeddedMessage[1] = "EDITED";
    app.prompter.script({Answer::Cancel});
    action(w, "mnuRecentFile2")->trigger();
    EXPECT_EQ(app.prompter.texts(),
              std::vector<std::string>{std::string(text::message(MessageKey::FileModified, 1))});
    EXPECT_TRUE(app.ws.state.untitled);
    app.prompter.script({Answer::No});
    action(w, "mnuRecentFile2")->trigger();
    EXPECT_EQ(app.ws.state.currentFileName, files[7].toStdString());
    EXPECT_EQ(action(w, "mnuRecentFile1")->data().toString(), files[7]);

    // A file gone from the disk: a message, and it leaves the list.
    QFile::remove(files[4]);
    app.prompter.asked.clear();
    const int index = int(w.recentFiles().files().indexOf(files[4]));
    ASSERT_GE(index, 0);
    action(w, qPrintable(QStringLiteral("mnuRecentFile%1").arg(index + 1)))->trigger();
    ASSERT_EQ(app.prompter.asked.size(), 1u);
    EXPECT_EQ(app.prompter.asked[0].text,
              "The file \"" + files[4].toStdString() +
                  "\" no longer exists. It has been removed from the list of recent files.");
    EXPECT_FALSE(w.recentFiles().files().contains(files[4]));
    EXPECT_FALSE(action(w, "mnuRecentFile8")->isVisible());
    EXPECT_EQ(app.ws.state.currentFileName, files[7].toStdString());
}

TEST_F(FilesTest, DialogsStartInTheCurrentFilesFolderOrTheLastOneUsed) {
    QDir(inst.root()).mkpath("a");
    QDir(inst.root()).mkpath("b");
    const QString inA = dataFile("a/one.dat");
    AppHarness app(inst);
    app::frmMain& w = app.window();

    // Nothing used yet: the dialog's own choice, the untitled name.
    action(w, "mnuFileSaveAs")->trigger();
    EXPECT_EQ(app.dialogs.lastPreset, "new.dat");
    action(w, "mnuFileOpen")->trigger();
    EXPECT_EQ(app.dialogs.lastFolder, "");

    app.dialogs.answers = {inA};
    action(w, "mnuFileOpen")->trigger();
    ASSERT_EQ(app.ws.state.currentFileName, inA.toStdString());
    action(w, "mnuFileOpen")->trigger();
    EXPECT_EQ(app.dialogs.lastFolder, inst.root() + "/a");

    // Saved elsewhere, then a new document: the folder used last.
    app.dialogs.answers = {inst.root() + "/b/two.dat"};
    action(w, "mnuFileSaveAs")->trigger();
    action(w, "新建")->trigger();
    ASSERT_TRUE(app.ws.state.untitled);
    action(w, "mnuFileOpen")->trigger();
    EXPECT_EQ(app.dialogs.lastFolder, inst.root() + "/b");
    action(w, "mnuFileSaveAs")->trigger();
    EXPECT_EQ(app.dialogs.lastPreset, inst.root() + "/b/new.dat");
}

TEST_F(FilesTest, ADroppedDataFileOpensWithTheRulesOfOpen) {
    const QString path = dataFile("dropped.dat", "DROPPED");
    AppHarness app(inst);
    app::frmMain& w = app.window();
    const auto drop = [&](const QString& file) {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(file)});
        const QPointF at(w.width() / 2.0, w.height() / 2.0);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(&w, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(&w, &dropped);
        QTest::qWait(20);
        return true;
    };
    EXPECT_FALSE(drop(inst.root() + "/notes.txt")) << "only data files are taken";

    app.ws.record.embeddedMessage[0] = "EDITED";
    app.prompter.script({Answer::Cancel});
    ASSERT_TRUE(drop(path));
    EXPECT_EQ(app.prompter.texts(),
              std::vector<std::string>{std::string(text::message(MessageKey::FileModified, 1))});
    EXPECT_EQ(app.ws.record.embeddedMessage[0].trimmed(), "EDITED");

    app.prompter.script({Answer::No});
    ASSERT_TRUE(drop(path));
    EXPECT_EQ(app.ws.record.embeddedMessage[0].trimmed(), "DROPPED");
    EXPECT_EQ(app.ws.state.currentFileName, path.toStdString());
    EXPECT_EQ(w.recentFiles().files().front(), path);
}

TEST_F(FilesTest, ShortcutsSaveAndExitAndThePanelTellsOfUnsavedChanges) {
    AppHarness app(inst);
    app::frmMain& w = app.window();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QLabel* panel = w.modifiedPanel();
    EXPECT_EQ(panel->objectName(), "PanelModified");
    EXPECT_EQ(panel->text(), "");

    // Ctrl+S on an untitled document: Save As.
    app.dialogs.answers = {inst.root() + "/saved.dat"};
    QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(app.dialogs.saves, 1);
    EXPECT_EQ(QFileInfo(inst.root() + "/saved.dat").size(), 14536);
    // Ctrl+Shift+S asks for a name again.
    QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(app.dialogs.saves, 2);

    action(w, "mnuOptFeature")->trigger();
    auto* lsb =
        w.childWindow(app::ChildWindow::OptFeatures)->findChild<QAbstractButton*>("Check1_0");
    lsb->click();
    EXPECT_EQ(panel->text(), "Modified");

    // Ctrl+Q closes through the unsaved-changes question.
    app.prompter.script({Answer::Cancel});
    QTest::keyClick(&w, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(app.prompter.texts().back(), std::string(text::message(MessageKey::FileModified, 1)));
    app.prompter.script({Answer::Ok, Answer::Ok});
    QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier); // overwrite question, OK
    EXPECT_EQ(panel->text(), "");
    QTest::keyClick(&w, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(FilesTest, ChildWindowsHaveTheirDesignedSizeAndStayReachableInTheWindowArea) {
    AppHarness app(inst); // the default placement: 14500 x 10500 twips
    app::frmMain& w = app.window();
    QTest::qWait(20);
    QMdiArea* area = w.mdiArea();
    QWidget* channels = w.childWindow(app::ChildWindow::ChannelInfo);
    EXPECT_EQ(channels->size(),
              QSize(app::toPixels(4500, channels), app::toPixels(9600, channels)));
    // Higher than the area: the area scrolls to its bottom.
    QMdiSubWindow* frame = area->subWindowList().front();
    ASSERT_GT(frame->height(), area->viewport()->height());
    EXPECT_TRUE(area->verticalScrollBar()->isVisible());

    // The optional features: every control can be brought into view, the Close button too.
    w.openChildWindow(app::ChildWindow::OptFeatures);
    QTest::qWait(20);
    QWidget* options = w.childWindow(app::ChildWindow::OptFeatures);
    auto* close = options->findChild<QPushButton*>(QStringLiteral("CommandClose"));
    area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->maximum());
    area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
    QTest::qWait(20);
    const QRect shown(close->mapTo(area->viewport(), QPoint(0, 0)), close->size());
    EXPECT_TRUE(area->viewport()->rect().contains(shown))
        << shown.x() << "," << shown.y() << " in " << area->viewport()->width() << "x"
        << area->viewport()->height();
}

} // namespace
} // namespace zx::test
