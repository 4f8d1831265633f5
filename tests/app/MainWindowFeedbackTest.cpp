// Nothing replaced without a question, nothing done without a word, driven as a user drives
// the program: menu New on a modified document, Import Channels with its choice between
// merging and replacing the groups, the status bar after Save, Export, Copy and Paste, a
// backup named while it is the document, a folder no file manager could show, and the
// identity section of the printed pages.
#include "ActiveWindowTest.h"
#include "app/FrmPrintList.h"
#include "app/RadioController.h"
#include "app/SafetyMenus.h"
#include "app/StatusFeedback.h"
#include "link/RadioImage.h"
#include "model/ChannelTable.h"
#include "model/DataFile.h"
#include "text/Messages.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace zx::test {
namespace {

using text::Answer;
using text::MessageKey;

std::string msg(MessageKey key) {
    return std::string(text::message(key, text::English));
}

class FeedbackTest : public ActiveWindowTest {
protected:
    // After a modal window closed, the window system gives the main window the focus back
    // (the offscreen platform leaves that to the test).
    void backFromDialog() {
        QApplication::setActiveWindow(&app.window());
        EXPECT_TRUE(QTest::qWaitForWindowActive(&app.window()));
        settle();
    }
    QString panel() { return app.window().statusPanel(1)->text(); }
    QString writeFile(const char* name, const QByteArray& content) {
        const QString path = inst.root() + '/' + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }
    // Group A holds, as saved.
    void threeChannelsInA() {
        ASSERT_TRUE(model::addChannel(app.ws, 0, 2, "28.200000"));
        ASSERT_TRUE(model::addChannel(app.ws, 0, 5, "28.500000"));
        app.ws.fileBuffer = app.ws.record;
        app.window().refreshOpenEditors();
        settle();
    }
    std::vector<int> numbersOfA() const {
        std::vector<int> out;
        for (int e = 1; e <= app.ws.record.usedChannels(0); ++e)
            out.push_back(app.ws.record.channel(0, e).number);
        std::sort(out.begin(), out.end());
        return out;
    }
    // Clicks `button` of the next modal window, and remembers what the window showed.
    void clickInNextModal(const char* button, QStringList* table = nullptr) {
        AppHarness::onNextModal([button, table](QWidget* modal) {
            if (table) {
                auto* groups = modal->findChild<QTableWidget*>("TableGroups");
                ASSERT_NE(groups, nullptr);
                for (int r = 0; r < groups->rowCount(); ++r) {
                    QStringList cells;
                    for (int c = 0; c < groups->columnCount(); ++c)
                        cells << groups->item(r, c)->text();
                    *table << cells.join(" | ");
                }
            }
            auto* choice = modal->findChild<QPushButton*>(QLatin1String(button));
            ASSERT_NE(choice, nullptr) << button;
            QTest::mouseClick(choice, Qt::LeftButton);
        });
    }
};

TEST_F(FeedbackTest, MenuNewOnAModifiedDocumentOffersToSaveItFirst) {
    app::frmMain& w = start();
    const QString path = inst.root() + "/mine.dat";
    TempInstallation::writeRecord(path, app.ws.record);
    ASSERT_TRUE(w.openFile(path));
    const auto edit = [&] {
        app.ws.record.embeddedMessage[0] = "EDITED";
        w.refreshOpenEditors();
    };

    // Cancel: nothing changes, nothing else is asked.
    edit();
    app.prompter.script({Answer::Cancel});
    action("mnuFileNew")->trigger();
    EXPECT_EQ(app.prompter.texts(), std::vector<std::string>{msg(MessageKey::FileModified)});
    EXPECT_EQ(app.prompter.asked[0].buttons, text::Buttons::YesNoCancel);
    EXPECT_EQ(app.ws.record.embeddedMessage[0].trimmed(), "EDITED");
    EXPECT_EQ(app.ws.state.currentFileName, QFileInfo(path).absoluteFilePath().toStdString());

    // No: the warning of New follows; its OK starts the new document, unsaved edits gone.
    app.prompter.asked.clear();
    app.prompter.script({Answer::No, Answer::Ok});
    action("mnuFileNew")->trigger();
    EXPECT_EQ(app.prompter.texts(), (std::vector<std::string>{msg(MessageKey::FileModified),
                                                              msg(MessageKey::AllDataCleared)}));
    EXPECT_NE(app.ws.record.embeddedMessage[0].trimmed(), "EDITED");
    EXPECT_TRUE(app.ws.state.untitled);
    model::Workspace onDisk = app.ws;
    ASSERT_EQ(model::openDataFile(onDisk, path.toStdString(), app.prompter).kind,
              model::OpenOutcome::Opened);
    EXPECT_NE(onDisk.record.embeddedMessage[0].trimmed(), "EDITED") << "No saved nothing";

    // Yes: the edits are saved to the document's own file, then the new document comes.
    ASSERT_TRUE(w.openFile(path));
    edit();
    app.prompter.asked.clear();
    app.prompter.script({Answer::Yes, Answer::Ok});
    action("mnuFileNew")->trigger();
    ASSERT_EQ(model::openDataFile(onDisk, path.toStdString(), app.prompter).kind,
              model::OpenOutcome::Opened);
    EXPECT_EQ(onDisk.record.embeddedMessage[0].trimmed(), "EDITED");
    EXPECT_TRUE(app.ws.state.untitled);
    EXPECT_NE(app.ws.record.embeddedMessage[0].trimmed(), "EDITED");

    // An unmodified document gets only the warning of New.
    app.prompter.asked.clear();
    app.prompter.script({Answer::Cancel});
    action("mnuFileNew")->trigger();
    EXPECT_EQ(app.prompter.texts(), std::vector<std::string>{msg(MessageKey::AllDataCleared)});
}

TEST_F(FeedbackTest, ImportSaysWhatItWillDoAndMergesReplacesOrCancels) {
    start();
    threeChannelsInA();
    const QString path = writeFile("two.csv", "Location,Name,Frequency\r\n"
                                              "5,A-05,28.550000\r\n"
                                              "8,A-08,28.800000\r\n");
    const model::ConfigRecord before = app.ws.record;

    // Cancel: the window told what would happen; nothing changed.
    QStringList shown;
    app.dialogs.answers = {path};
    clickInNextModal("CommandCancel", &shown);
    action("mnuImportChannels")->trigger();
    settle();
    EXPECT_EQ(shown, QStringList{"A | 1: A-08 | 1: A-05 | 2: A-01, A-02"});
    EXPECT_TRUE(app.ws.record == before);
    EXPECT_FALSE(action("mnuEditUndo")->isEnabled());
    // Escape is Cancel; Merge, which loses nothing, is what Enter chooses.
    app.dialogs.answers = {path};
    bool mergeIsDefault = false;
    AppHarness::onNextModal([&](QWidget* modal) {
        mergeIsDefault = modal->findChild<QPushButton*>("CommandMerge")->isDefault();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    action("mnuImportChannels")->trigger();
    settle();
    EXPECT_TRUE(mergeIsDefault);
    EXPECT_TRUE(app.ws.record == before);

    // Merge keeps.
    app.dialogs.answers = {path};
    clickInNextModal("CommandMerge");
    action("mnuImportChannels")->trigger();
    settle();
    ASSERT_EQ(numbersOfA(), (std::vector<int>{1, 2, 5, 8}));
    EXPECT_EQ(channel(0, 2)->rxFreq.str(), "28200000");
    EXPECT_EQ(channel(0, 5)->rxFreq.str(), "28550000");
    EXPECT_EQ(cellText(8, model::ColRxFreq), "28.800000");
    EXPECT_EQ(panel(), "2 channels from two.csv merged into group A.");
    EXPECT_TRUE(app.prompter.asked.empty()) << "no message box after the choice";
    EXPECT_EQ(action("mnuEditUndo")->text(), "&Undo Import Channels two.csv");
    backFromDialog();
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(app.ws.record == before);

    // Replace removes them.
    app.dialogs.answers = {path};
    clickInNextModal("CommandReplace");
    action("mnuImportChannels")->trigger();
    settle();
    EXPECT_EQ(numbersOfA(), (std::vector<int>{5, 8}));
    EXPECT_EQ(cellText(1, model::ColRxFreq), "");
    EXPECT_EQ(panel(), "Group A replaced by 2 channels from two.csv.");
}

TEST_F(FeedbackTest, AnArrowIntoAFrequencyCellThenTypingReplacesItsValue) {
    start();
    threeChannelsInA();
    clickCell(1, model::ColRxFreq);
    auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(box, nullptr);
    ASSERT_EQ(box->objectName(), "Text1");
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up}) {
        press(key);
        EXPECT_EQ(QApplication::focusWidget(), box);
        EXPECT_EQ(box->selectedText(), box->text()) << "all of it chosen after " << int(key);
    }
    // On A-02 again: typing 28.3 gives 28.3, not 28.2000028.3.
    press(Qt::Key_2);
    press(Qt::Key_8);
    press(Qt::Key_Period);
    press(Qt::Key_3);
    press(Qt::Key_Return);
    EXPECT_EQ(channel(0, 2)->rxFreq.str(), "28300000");
    EXPECT_TRUE(app.prompter.asked.empty());

    // From the row numbers, where the grid itself has the keys, into A-05's receive cell.
    clickCell(5, 0);
    ASSERT_EQ(QApplication::focusWidget(), grid());
    press(Qt::Key_Right);
    ASSERT_EQ(QApplication::focusWidget(), box);
    EXPECT_EQ(box->selectedText(), "28.500000");
    QTest::keyClicks(box, "29.1");
    press(Qt::Key_Up);
    EXPECT_EQ(channel(0, 5)->rxFreq.str(), "29100000");
    EXPECT_EQ(box->selectedText(), box->text());
}

TEST_F(FeedbackTest, SaveExportCopyAndPasteSayWhatTheyDidInTheStatusBar) {
    start();
    threeChannelsInA();
    EXPECT_EQ(panel(), "");

    const QString saved = inst.root() + "/saved.dat";
    app.dialogs.answers = {saved};
    press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(panel(), "Saved " + saved);
    EXPECT_TRUE(QFileInfo(saved).isFile());

    const QString csv = inst.root() + "/saved.csv";
    app.dialogs.answers = {csv};
    action("mnuExportChannels")->trigger();
    settle();
    EXPECT_EQ(panel(), "8 channels exported to " + csv) << "A-01, A-02, A-05 and B..F-01";

    // Rows 1..5 hold three channels; pasted from row 4 they land on A-04 (new), A-05 (there
    // already: replaced) and A-06 (new).
    clickCell(1, 0);
    clickCell(5, 0, Qt::ShiftModifier);
    press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(panel(), "3 channels copied (A-1..A-5).");
    clickCell(4, 0);
    press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(panel(),
              "3 channels pasted at A-4..A-6; 1 of them replaced channels that were there.");
    EXPECT_EQ(numbersOfA(), (std::vector<int>{1, 2, 4, 5, 6}));

    // Feedback goes after a while; the panel is empty again.
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return panel().isEmpty(); }, app::StatusFeedback::kShowMs + 5000));
}

TEST_F(FeedbackTest, AnOpenedBackupIsNamedInTheStatusBarAndInTheSaveAsSuggestion) {
    start();
    link::RadioImage image;
    image.encode(app.ws.record, 0);
    const QString backup = inst.root() + "/ZX-908HF_read_20261209-101500.img";
    QFile file(backup);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(image.bytes.data()), qint64(image.bytes.size()));
    file.close();

    app.dialogs.answers = {backup};
    action("mnuFileOpen")->trigger();
    settle();
    EXPECT_TRUE(app.window().windowTitle().endsWith("[File Name:new.dat]"));
    const QString note = "Backup opened: ZX-908HF_read_20261209-101500.img (the document is "
                         "untitled until it is saved)";
    EXPECT_EQ(panel(), note);

    // Feedback of a command shows for a while; the note comes back afterwards.
    app.window().showStatus("something else");
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return panel() == note; }, app::StatusFeedback::kShowMs + 5000));

    // The note follows a change of language.
    app.ws.state.language = text::Chinese;
    app.window().Change_Language();
    EXPECT_EQ(panel(), QString::fromUtf8(
                           "已打开备份：ZX-908HF_read_20261209-101500.img（保存之前文档未命名）"));
    app.ws.state.language = text::English;
    app.window().Change_Language();

    const QString kept = inst.root() + "/kept.dat";
    app.dialogs.answers = {kept};
    action("mnuFileSaveAs")->trigger();
    EXPECT_TRUE(app.dialogs.lastPreset.endsWith("ZX-908HF_read_20261209-101500.dat"))
        << app.dialogs.lastPreset.toStdString();
    EXPECT_EQ(panel(), "Saved " + kept);
    EXPECT_EQ(app.window().feedback().standingNote(), "") << "saved: no longer the backup";

    // New forgets the backup too.
    app.dialogs.answers = {backup};
    action("mnuFileOpen")->trigger();
    EXPECT_EQ(app.window().feedback().standingNote(), note);
    app.prompter.script({Answer::Ok});
    action("mnuFileNew")->trigger();
    EXPECT_EQ(app.window().feedback().standingNote(), "");
    app.dialogs.answers = {inst.root() + "/other.dat"};
    action("mnuFileSaveAs")->trigger();
    EXPECT_TRUE(app.dialogs.lastPreset.endsWith("new.dat")) << app.dialogs.lastPreset.toStdString();
}

TEST_F(FeedbackTest, AFolderNoFileManagerCouldShowIsGivenAsAPathToCopy) {
    start();
    QTemporaryDir data;
    app.window().radio().setDataFolders(data.filePath("backups"), data.filePath("traces"));
    app.window().radio().setFolderOpener([](const QString&) { return false; });
    QString shown;
    QString copied;
    AppHarness::onNextModal([&](QWidget* modal) {
        EXPECT_EQ(modal->objectName(), "FrmFolderPath");
        auto* path = modal->findChild<QLineEdit*>("TextPath");
        ASSERT_NE(path, nullptr);
        shown = path->text();
        EXPECT_TRUE(path->isReadOnly());
        EXPECT_EQ(path->selectedText(), path->text()) << "chosen, ready to copy";
        QTest::mouseClick(modal->findChild<QPushButton*>("CommandCopy"), Qt::LeftButton);
        copied = QGuiApplication::clipboard()->text();
        QTest::mouseClick(modal->findChild<QPushButton*>("CommandOK"), Qt::LeftButton);
    });
    app.window().safetyMenus().mnuOpenBackupFolder->trigger();
    EXPECT_EQ(shown, data.filePath("backups"));
    EXPECT_EQ(copied, data.filePath("backups"));
    EXPECT_TRUE(QFileInfo(data.filePath("backups")).isDir());
}

TEST_F(FeedbackTest, PrintingSaysInTheStatusBarWhatItPrinted) {
    start();
    const QString pdf = inst.root() + "/plan.pdf";
    bool previewed = false;
    // File > Print, Set, the preview's Print, and the file a PDF goes to.
    AppHarness::onNextModal([&](QWidget* items) {
        AppHarness::onNextModal([&](QWidget* preview) {
            previewed = preview->objectName() == "PrintPreview";
            QAction* print = nullptr;
            for (QAction* a : preview->findChildren<QAction*>())
                if (a->text().remove('&') == "Print")
                    print = a;
            ASSERT_NE(print, nullptr);
            AppHarness::onNextModal([&](QWidget* target) {
                // Printed to a file, never to a printer this machine may have: the PDF.
                if (auto* file = qobject_cast<QFileDialog*>(target)) {
                    file->selectFile(pdf);
                } else {
                    auto* printers = target->findChild<QComboBox*>("printers");
                    auto* name = target->findChild<QLineEdit*>("filename");
                    const int toFile = printers ? printers->findText("PDF", Qt::MatchContains) : -1;
                    if (toFile < 0 || !name) {
                        target->close();
                        FAIL() << "no way to print to a file in "
                               << target->metaObject()->className();
                    }
                    printers->setCurrentIndex(toFile);
                    name->setText(pdf);
                }
                static_cast<QDialog*>(target)->accept();
            });
            print->trigger();
        });
        QTest::mouseClick(items->findChild<QPushButton*>("CommandSet"), Qt::LeftButton);
        items->close();
    });
    action("mnuFilePrint")->trigger();
    EXPECT_TRUE(previewed);
    ASSERT_TRUE(QFileInfo(pdf).size() > 0);
    EXPECT_TRUE(QRegularExpression(
                    "^[1-9][0-9]* pages saved as PDF: " + QRegularExpression::escape(pdf) + "$")
                    .match(panel())
                    .hasMatch())
        << panel().toStdString();
}

TEST_F(FeedbackTest, ThePrintedIdentitySaysWhenAndFromWhichRadioAndIsOffUnlessChosen) {
    start();
    app.ws.identityRead = true;
    app.ws.identity.serialNumber.assign("SN-4711");
    app::FrmPrintList window(app.ws);
    window.setIdentityReadAt(QDateTime(QDate(2026, 12, 9), QTime(10, 15)));
    auto* identity = window.findChild<QCheckBox*>("Check4");
    ASSERT_NE(identity, nullptr);
    EXPECT_TRUE(identity->isEnabled());
    EXPECT_FALSE(identity->isChecked()) << "it describes a radio, not the file";
    EXPECT_TRUE(window.findChild<QCheckBox*>("Check1")->isChecked());
    EXPECT_FALSE(window.selection().embeddedMessage);

    identity->setChecked(true);
    const QString body = app::printBody(window.source(), window.selection());
    EXPECT_TRUE(
        body.contains("Read from the radio with serial number SN-4711 on 2026-12-09 10:15."))
        << body.toStdString();
    // Select All is the user's choice: it takes the identity too.
    QTest::mouseClick(window.findChild<QPushButton*>("CommandClearAll"), Qt::LeftButton);
    QTest::mouseClick(window.findChild<QPushButton*>("CommandSelectAll"), Qt::LeftButton);
    EXPECT_TRUE(identity->isChecked());
}

} // namespace
} // namespace zx::test
