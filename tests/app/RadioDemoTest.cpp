// The --demo radio: a virtual radio inside the program that the radio commands use for the
// run, without touching the port settings the user has saved.
#include "app/AppTestSupport.h"
#include "app/DemoRadio.h"
#include "app/RadioController.h"
#include "link/RadioImage.h"
#include "platform/PortCatalog.h"
#include "platform/QtSerialLink.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

using namespace zx;

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(RadioDemo, RunsTheCommandsOnTheVirtualRadioAndLeavesTheSavedPortAlone) {
    test::TempInstallation installation;
    test::AppHarness harness(installation);
    app::frmMain& window = harness.window();
    const QString settings = harness.started.settingsPath;
    const QByteArray savedSettings = contents(settings);
    ASSERT_FALSE(savedSettings.isEmpty());

    QString error;
    std::unique_ptr<app::DemoRadio> demo = app::DemoRadio::startFor(window, &error);
    ASSERT_NE(demo, nullptr) << error.toStdString();
    app::RadioController& radio = window.radio();
    EXPECT_FALSE(radio.persistsPortSettings());
    const int port = harness.ws.state.comPort;
    EXPECT_GT(port, 0);
    EXPECT_EQ(radio.catalog().deviceFor(port), demo->devicePath());
    EXPECT_EQ(window.statusPanel(3)->text(), QStringLiteral("COM%1").arg(port));

    // The band check talks to the demo radio: one block read at the band block.
    QSignalSpy finished(&radio, &app::RadioController::conversationFinished);
    window.menus().MnuCheckRadioBand->trigger();
    ASSERT_TRUE(finished.wait(10000))
        << "messages: " << harness.prompter.asked.size() << ", device "
        << demo->devicePath().toStdString()
        << ", last open error: " << radio.serial().lastError().toStdString();
    EXPECT_TRUE(finished.takeFirst().at(1).toBool());
    EXPECT_EQ(demo->radio().stats().count(sim::CommandKind::Read), 1);

    // Choosing a port in the port window applies for the run but is not saved either.
    bool listed = false;
    test::AppHarness::onNextModal([&](QWidget* modal) {
        auto* combo = modal->findChild<QComboBox*>("Combo1");
        listed = combo && combo->findText(QStringLiteral("COM%1").arg(port)) >= 0;
        modal->findChild<QPushButton*>("CommandOK")->click();
    });
    window.menus().mnuComm->trigger();
    EXPECT_TRUE(listed);
    EXPECT_EQ(harness.ws.state.comPort, port);

    EXPECT_EQ(contents(settings), savedSettings) << "the demo changed mysetup.ini";
}

TEST(RadioDemo, RadioHoldsAConfigurationAndAnIdentity) {
    test::TempInstallation installation;
    test::AppHarness harness(installation);
    std::unique_ptr<app::DemoRadio> demo = app::DemoRadio::start(harness.ws);
    ASSERT_NE(demo, nullptr);
    const sim::Memory memory = demo->radio().memory();
    link::RadioImage image;
    std::copy(memory.begin(), memory.end(), image.bytes.begin());
    model::Workspace decoded = harness.ws;
    image.decode(decoded);
    // The Initial template of the band: group A has channels.
    EXPECT_GT(decoded.record.channelCount[0], 0);
    const model::RadioIdentity id = image.decodeIdentity();
    EXPECT_EQ(id.serialNumber.view().substr(0, 11), "DEMO-000001");
    EXPECT_EQ(id.areaCode, "0086");
}

} // namespace
