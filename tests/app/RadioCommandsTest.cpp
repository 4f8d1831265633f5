// The desktop program's radio commands end to end: the main window's menu entries run the
// real link engine over the real serial adapter against a virtual radio on a
// pseudo-terminal. The message boxes are answered by a scripted prompter.
#include "app/AppTestSupport.h"
#include "app/DemoRadio.h"
#include "app/EditHistory.h"
#include "app/FrmProgress.h"
#include "app/RadioController.h"
#include "link/RadioImage.h"
#include "model/Band.h"
#include "model/ChannelTable.h"
#include "model/EditJournal.h"
#include "platform/PortCatalog.h"
#include "platform/QtSerialLink.h"
#include "sim/VirtualRadio.h"
#include "text/Messages.h"
#include "text/labels/ProgressLabels.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
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

// A radio image holding `record` the way a write leaves it.
sim::Memory imageOf(const model::ConfigRecord& record, int bandCode) {
    link::RadioImage image;
    image.encode(record, bandCode);
    sim::Memory memory{};
    std::copy(image.bytes.begin(), image.bytes.end(), memory.begin());
    return memory;
}

class RadioCommands : public ::testing::Test {
protected:
    void SetUp() override { harness = std::make_unique<test::AppHarness>(installation); }

    app::frmMain& window() { return harness->window(); }
    model::Workspace& ws() { return harness->ws; }
    test::ScriptedPrompter& prompter() { return harness->prompter; }
    app::RadioController& radio() { return window().radio(); }

    // Starts a virtual radio; the program lists only the radios of this test, so that a
    // port search never wanders onto the machine's own serial ports.
    sim::VirtualRadio& startRadio(sim::RadioOptions options = {},
                                  const sim::Memory& memory = sim::VirtualRadio::blankMemory()) {
        radios.push_back(std::make_unique<sim::VirtualRadio>(options, memory));
        radios.back()->start();
        if (!catalogSet) {
            window();
            EXPECT_TRUE(radio().setPortCatalog(
                std::make_unique<platform::PortCatalog>(harness->started.settingsPath,
                                                        [] { return QStringList(); }),
                true));
            catalogSet = true;
        }
        return *radios.back();
    }
    int portOf(const sim::VirtualRadio& r) {
        return radio().catalog().numberFor(QString::fromStdString(r.devicePath()));
    }
    // Makes `r` the configured port.
    void usePort(const sim::VirtualRadio& r) {
        ws().state.comPort = portOf(r);
        window().setPortPanel();
    }

    // Waits for the conversation to end; its success flag.
    bool waitFinished(int timeoutMs = 10000) {
        if (!radio().busy())
            return lastSuccess;
        QSignalSpy spy(&radio(), &app::RadioController::conversationFinished);
        EXPECT_TRUE(spy.wait(timeoutMs)) << "the conversation did not end";
        if (spy.isEmpty())
            return false;
        lastSuccess = spy.takeFirst().at(1).toBool();
        return lastSuccess;
    }

    // Records what the progress window shows while it is open.
    struct ProgressLog {
        std::vector<int> values;
        QStringList titles;
        bool modal = false;
        bool visible = false;
    };
    void watchProgress(ProgressLog& log) {
        app::FrmProgress* p = radio().progressWindow();
        ASSERT_NE(p, nullptr) << "no progress window";
        log.modal = p->isModal();
        log.visible = p->isVisible();
        log.titles << p->windowTitle();
        QObject::connect(p->findChild<QProgressBar*>("ProgressBar1"), &QProgressBar::valueChanged,
                         [&log](int v) { log.values.push_back(v); });
        QObject::connect(p, &QWidget::windowTitleChanged,
                         [&log](const QString& t) { log.titles << t; });
    }

    test::TempInstallation installation;
    std::unique_ptr<test::AppHarness> harness;
    std::vector<std::unique_ptr<sim::VirtualRadio>> radios;
    bool catalogSet = false;
    bool lastSuccess = false;
};

TEST_F(RadioCommands, ReadReplacesTheDocumentAndOpensTheChannelWindowAsNewDat) {
    // The radio holds a configuration unlike the document's.
    model::Workspace source;
    source.record = ws().record;
    ASSERT_TRUE(model::addChannel(source, 0, 2, "28.512300"));
    ASSERT_TRUE(model::addChannel(source, 3, 2, "29.100000"));
    source.record.embeddedMessage[0].assign("HELLO FROM THE RADIO");
    sim::VirtualRadio& r = startRadio({}, imageOf(source.record, 0));
    usePort(r);

    ws().state.currentFileName = "/somewhere/old.dat";
    ws().state.untitled = false;
    window().openChildWindow(app::ChildWindow::OptFeatures);
    QPointer<QWidget> channelsBefore = window().childWindow(app::ChildWindow::ChannelInfo);
    // An edit before the read: the read is a step of its own after it.
    model::applyEdit(ws(), {{"Edit", "Edit"}, {}, {}}, [this] { ws().record.optionByte = 3; });
    ASSERT_EQ(window().history().count(), 1);

    // The edit is not saved: No to the question whether to save it first.
    prompter().script({Answer::No});
    window().menus().mnuReadFromRadio->trigger();
    ProgressLog progress;
    watchProgress(progress);
    EXPECT_TRUE(progress.modal);
    EXPECT_TRUE(progress.visible);
    EXPECT_EQ(progress.titles.front(), "Read data from radio");
    ASSERT_TRUE(waitFinished());

    EXPECT_EQ(prompter().texts(),
              (std::vector<std::string>{msg(MessageKey::FileModified), msg(MessageKey::ReadConfirm),
                                        msg(MessageKey::ReadCompleted)}));
    EXPECT_EQ(radio().progressWindow(), nullptr);
    // The progress only rises, and ends full.
    ASSERT_FALSE(progress.values.empty());
    EXPECT_TRUE(std::is_sorted(progress.values.begin(), progress.values.end()));
    EXPECT_EQ(progress.values.back(), 100);

    // The document holds the radio's data, untitled, with only the channel window open.
    EXPECT_EQ(ws().record.channel(0, 2).rxFreq.view(), "28512300");
    EXPECT_EQ(ws().record.channel(3, 2).rxFreq.view(), "29100000");
    EXPECT_EQ(ws().record.embeddedMessage[0].view().substr(0, 20), "HELLO FROM THE RADIO");
    EXPECT_EQ(ws().state.currentFileName, "new.dat");
    EXPECT_TRUE(ws().state.untitled);
    EXPECT_TRUE(window().windowTitle().endsWith("[File Name:new.dat]"))
        << window().windowTitle().toStdString();
    EXPECT_EQ(window().childWindow(app::ChildWindow::OptFeatures), nullptr);
    EXPECT_NE(window().childWindow(app::ChildWindow::ChannelInfo), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(channelsBefore.isNull()) << "the old channel window was kept";
    EXPECT_FALSE(radio().serial().isPortOpen());
    EXPECT_EQ(r.stats().count(sim::CommandKind::Read), 120);
    EXPECT_EQ(window().history().count(), 2);
}

TEST_F(RadioCommands, CancelledReadLeavesEverythingAsItWas) {
    sim::VirtualRadio& r = startRadio();
    usePort(r);
    const model::ConfigRecord before = ws().record;
    prompter().script({Answer::Cancel});
    window().menus().mnuReadFromRadio->trigger();
    EXPECT_FALSE(radio().busy());
    EXPECT_EQ(radio().progressWindow(), nullptr);
    EXPECT_FALSE(radio().serial().isPortOpen());
    EXPECT_EQ(ws().record, before);
    EXPECT_EQ(r.stats().count(sim::CommandKind::Program), 0);
}

TEST_F(RadioCommands, WriteCommitsTheOpenEditorAndSendsTheDocument) {
    sim::VirtualRadio& r = startRadio();
    usePort(r);
    ASSERT_TRUE(model::addChannel(ws(), 1, 2, "28.250000"));
    ASSERT_TRUE(model::addChannel(ws(), 5, 2, "29.650000"));

    // A message line typed but not yet left: the write must commit it first.
    QWidget* embMsg = window().openChildWindow(app::ChildWindow::EmbMsg);
    auto* line = embMsg->findChild<QLineEdit*>("Text1_0");
    ASSERT_NE(line, nullptr);
    line->setFocus();
    QTest::keyClicks(line, "PENDING EDIT");

    window().menus().mnuWriteToRadio->trigger();
    // The conversation waits for TimerWrite; nothing has been asked yet.
    EXPECT_TRUE(radio().writeTimer()->isActive());
    EXPECT_EQ(radio().writeTimer()->interval(), 20);
    EXPECT_TRUE(prompter().asked.empty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return radio().progressWindow() != nullptr; }, 2000));
    ProgressLog progress;
    watchProgress(progress);
    EXPECT_EQ(progress.titles.front(), "Write data to radio");
    ASSERT_TRUE(waitFinished());
    // Verification after writing is on by default.
    EXPECT_EQ(prompter().texts(),
              (std::vector<std::string>{msg(MessageKey::WriteConfirm),
                                        msg(MessageKey::WriteCompleted) + "\nVerify OK."}));
    EXPECT_EQ(ws().record.embeddedMessage[0].view().substr(0, 12), "PENDING EDIT");

    // The radio's memory is the document's image over the range a write covers; the model
    // header at 1D90-1D9D carries the radio's own identity answer instead.
    const sim::Memory expected = imageOf(ws().record, 0);
    const sim::Memory got = r.memory();
    for (int a = 0x0010; a < 0x1DE0; ++a) {
        if (a >= 0x1D80 && a < 0x1DA0)
            continue;
        ASSERT_EQ(got[a], expected[a]) << "at address " << std::hex << a;
    }
    EXPECT_EQ(got[0x1D90], 'P');
    EXPECT_EQ(r.stats().count(sim::CommandKind::Write), 477);
    EXPECT_EQ(progress.values.back(), 100);
}

TEST_F(RadioCommands, BandCheckWithAnotherBandAsksAndAdopts) {
    sim::RadioOptions options;
    options.bandCode = 1;
    sim::VirtualRadio& r = startRadio(options);
    usePort(r);
    ASSERT_EQ(ws().state.bandText, model::kBandText0);

    window().menus().MnuCheckRadioBand->trigger();
    // No question first and no progress window.
    EXPECT_EQ(radio().progressWindow(), nullptr);
    EXPECT_TRUE(prompter().asked.empty());
    ASSERT_TRUE(waitFinished());
    EXPECT_EQ(prompter().texts(), std::vector<std::string>{msg(MessageKey::BandDiffers)});
    EXPECT_EQ(ws().state.bandText, model::kBandText1);
    EXPECT_DOUBLE_EQ(ws().state.bandLow, 25.615);
    EXPECT_TRUE(window().windowTitle().contains(model::kBandText1));
    EXPECT_TRUE(window().statusPanel(2)->text().contains(model::kBandText1));
}

TEST_F(RadioCommands, BandCheckNoKeepsTheBandAndSameBandAsksNothing) {
    sim::RadioOptions options;
    options.bandCode = 1;
    startRadio(options);
    usePort(*radios.back());
    prompter().script({Answer::No});
    window().menus().MnuCheckRadioBand->trigger();
    ASSERT_TRUE(waitFinished());
    EXPECT_EQ(ws().state.bandText, model::kBandText0);
    EXPECT_EQ(radio().link().radioBandCode(), 1);

    prompter().asked.clear();
    options.bandCode = 0;
    usePort(startRadio(options));
    window().menus().MnuCheckRadioBand->trigger();
    ASSERT_TRUE(waitFinished());
    EXPECT_TRUE(prompter().asked.empty());
}

TEST_F(RadioCommands, AdoptedBandCorrectsChannelsAndReopensTheChannelWindow) {
    // The document is on the wide band with a channel the narrow band does not cover.
    window().closeAllChildWindows();
    ws().state.bandText = model::kBandText1;
    model::parseBandEdges(ws().state);
    ASSERT_TRUE(model::addChannel(ws(), 0, 2, "26.000000"));
    QPointer<QWidget> channels = window().openChildWindow(app::ChildWindow::ChannelInfo);

    sim::RadioOptions options;
    options.bandCode = 0;
    usePort(startRadio(options));
    window().menus().MnuCheckRadioBand->trigger();
    ASSERT_TRUE(waitFinished());
    EXPECT_EQ(prompter().texts(), (std::vector<std::string>{msg(MessageKey::BandDiffers),
                                                            msg(MessageKey::SomeFreqOutOfRange)}));
    EXPECT_EQ(ws().state.bandText, model::kBandText0);
    EXPECT_EQ(ws().record.channel(0, 2).rxFreq.view(), "28000000");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(channels.isNull()) << "the channel window was not reopened";
    EXPECT_NE(window().childWindow(app::ChildWindow::ChannelInfo), nullptr);

    // The new band with its correction is one step that undo takes back.
    EXPECT_EQ(window().menus().mnuEditUndo->text(), "&Undo Use the Radio Frequency Band");
    window().menus().mnuEditUndo->trigger();
    EXPECT_EQ(ws().state.bandText, model::kBandText1);
    EXPECT_EQ(ws().record.channel(0, 2).rxFreq.view(), "26000000");
    EXPECT_TRUE(window().windowTitle().contains(model::kBandText1));
}

TEST_F(RadioCommands, IdentityReadOpensTheIdentityDisplay) {
    sim::Memory memory = sim::VirtualRadio::blankMemory();
    app::DemoRadio::fillIdentity(memory);
    usePort(startRadio({}, memory));

    QString serial;
    QString seller;
    bool shownModal = false;
    QTimer watcher;
    watcher.setInterval(10);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != "FrmEMG")
            return;
        shownModal = true;
        serial = modal->findChild<QLineEdit*>("TextSerialNumber")->text();
        seller = modal->findChild<QLineEdit*>("TextSeller")->text();
        modal->close();
    });
    watcher.start();

    window().menus().mnuEMG->trigger();
    EXPECT_EQ(radio().progressWindow(), nullptr);
    ASSERT_TRUE(waitFinished());
    EXPECT_TRUE(QTest::qWaitFor([&] { return shownModal; }, 3000));
    EXPECT_EQ(serial, "DEMO-000001");
    EXPECT_EQ(seller, "Demo Radio Shop");
    // No question, no progress, no completion message.
    EXPECT_TRUE(prompter().asked.empty());
}

TEST_F(RadioCommands, RadioCommandsWaitForTheRunningConversation) {
    usePort(startRadio());
    window().menus().MnuCheckRadioBand->trigger();
    ASSERT_TRUE(radio().busy());
    // The band check has no window, so the menus can still be used: a second command must
    // not start a conversation on the port the first one holds.
    window().menus().mnuReadFromRadio->trigger();
    window().menus().mnuEMG->trigger();
    EXPECT_TRUE(prompter().asked.empty());
    ASSERT_TRUE(waitFinished());
    EXPECT_EQ(radios.back()->stats().count(sim::CommandKind::Program), 1);
}

TEST_F(RadioCommands, SearchFindsTheRadioOnAnotherPortAndStoresIt) {
    sim::VirtualRadio& good = startRadio();
    sim::RadioOptions deaf;
    deaf.faults.dropAnswers.push_back({sim::CommandKind::Program, 0});
    sim::VirtualRadio& silent = startRadio(deaf);
    const int goodPort = portOf(good);
    ASSERT_LT(goodPort, portOf(silent)); // the search tries the good one first
    usePort(silent);

    window().menus().mnuReadFromRadio->trigger();
    ProgressLog progress;
    watchProgress(progress);
    ASSERT_TRUE(waitFinished(15000));
    EXPECT_EQ(prompter().texts(), (std::vector<std::string>{msg(MessageKey::ReadConfirm),
                                                            msg(MessageKey::ReadCompleted)}));
    EXPECT_EQ(progress.titles,
              (QStringList{"Read data from radio",
                           "Search for communication setting,please wait for a few minutes...",
                           "Read data from radio"}));
    EXPECT_EQ(ws().state.comPort, goodPort);
    EXPECT_EQ(installation.setting("comPort"), QString::number(goodPort));
    EXPECT_EQ(installation.setting("Handshaking"), "0");
    EXPECT_EQ(installation.setting("StopBit"), "1");
    EXPECT_EQ(window().statusPanel(3)->text(), QStringLiteral("COM%1").arg(goodPort));
    EXPECT_EQ(silent.stats().count(sim::CommandKind::Program), 2);
    EXPECT_EQ(good.stats().count(sim::CommandKind::Read), 120);
}

TEST_F(RadioCommands, SilentRadioEndsInTheRetryPrompt) {
    sim::RadioOptions deaf;
    deaf.faults.dropAnswers.push_back({sim::CommandKind::Program, 0});
    sim::VirtualRadio& silent = startRadio(deaf);
    usePort(silent);
    const QString storedPort = installation.setting("comPort");
    const model::ConfigRecord before = ws().record;
    prompter().script({Answer::Ok, Answer::Cancel});

    window().menus().mnuReadFromRadio->trigger();
    ProgressLog progress;
    watchProgress(progress);
    // Two hand-shakes, then eight line settings of three hand-shakes each, 300 ms apart.
    EXPECT_FALSE(waitFinished(15000));
    ASSERT_EQ(prompter().asked.size(), 2u);
    EXPECT_EQ(prompter().asked[1].text, msg(MessageKey::CheckConnection));
    EXPECT_EQ(prompter().asked[1].buttons, text::Buttons::OkCancel);
    EXPECT_EQ(prompter().asked[1].icon, text::Icon::Question);
    EXPECT_EQ(silent.stats().count(sim::CommandKind::Program), 2 + 8 * 3);
    EXPECT_EQ(progress.titles.size(), 3);
    EXPECT_EQ(progress.titles.back(), "Read data from radio");
    EXPECT_EQ(ws().record, before);
    EXPECT_EQ(installation.setting("comPort"), storedPort);
    EXPECT_EQ(radio().progressWindow(), nullptr);
}

TEST_F(RadioCommands, RadioOfAnotherDataVersionHandsOverToThatVersion) {
    // Version V300 is installed beside this one and handles data version V300.
    const QString other = installation.root() + "/V300/zx908hf";
    QDir().mkpath(installation.root() + "/V300");
    {
        QFile program(other);
        ASSERT_TRUE(program.open(QIODevice::WriteOnly));
        program.setPermissions(program.permissions() | QFileDevice::ExeOwner);
    }
    window();
    ws().versions.push_back({"V300", "V300"});
    sim::RadioOptions options;
    options.dataVersion = "V300";
    usePort(startRadio(options));
    const model::ConfigRecord before = ws().record;
    prompter().script({Answer::Ok, Answer::Yes});

    window().menus().mnuReadFromRadio->trigger();
    EXPECT_FALSE(waitFinished());
    ASSERT_GE(prompter().asked.size(), 2u);
    EXPECT_EQ(prompter().asked[1].buttons, text::Buttons::YesNo);
    EXPECT_NE(prompter().asked[1].text.find("Firmware version is V3.00"), std::string::npos);
    EXPECT_EQ(harness->starter.program, other);
    EXPECT_TRUE(harness->starter.arguments.isEmpty());
    EXPECT_EQ(harness->endedWith, 0);
    EXPECT_TRUE(window().handedOver());
    EXPECT_EQ(ws().record, before);
}

TEST_F(RadioCommands, PortThatCannotBeOpenedIsReported) {
    window();
    ws().state.comPort = 250; // no such device
    window().menus().mnuReadFromRadio->trigger();
    EXPECT_FALSE(radio().busy());
    // The reason goes beside the message.
    EXPECT_EQ(prompter().texts(),
              std::vector<std::string>{msg(MessageKey::CannotOpenPort) +
                                       "\r\nCOM250 stands for no device. Choose a port under "
                                       "Setup, Communication Port."});
    EXPECT_EQ(radio().progressWindow(), nullptr);
}

} // namespace
