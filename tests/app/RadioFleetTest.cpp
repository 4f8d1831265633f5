// The Fleet Programming window against virtual radios on pseudo-terminals, used as a dealer
// uses it: the document saved first, ports ticked, Start, rows filling as the radios are
// written, a failed radio marked, Stop ending the session of a radio still being written,
// and the document out of reach while the window is open.
#include "app/AppTestSupport.h"
#include "app/FleetCommand.h"
#include "app/FrmFleet.h"
#include "app/RadioController.h"
#include "model/ChannelTable.h"
#include "platform/PortCatalog.h"
#include "platform/QtFleet.h"
#include "sim/VirtualRadio.h"
#include "text/Messages.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace {

using namespace zx;
using sim::CommandKind;

// A-12's fine byte: a radio that keeps it wrong fails its verification.
constexpr int kA12Fine = 0x0010 + 18 * 11 + 3;

bool waitFor(const std::function<bool()>& done, int ms = 30000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QTest::qWait(20);
    return done();
}

class RadioFleet : public ::testing::Test {
protected:
    void SetUp() override {
        harness = std::make_unique<test::AppHarness>(installation);
        window().radio().setDataFolders(data.filePath("backups"), data.filePath("traces"));
        ASSERT_TRUE(model::addChannel(harness->ws, 0, 12, "28.512300"));
    }
    app::frmMain& window() { return harness->window(); }

    // A virtual radio with its own serial number, listed as a serial port of the system.
    sim::VirtualRadio& addRadio(const std::string& serial, sim::RadioOptions options = {}) {
        options.bandCode = 0;
        sim::Memory memory;
        memory.fill(0xFF);
        std::memcpy(&memory[0x1F10], serial.data(), serial.size());
        radios.push_back(std::make_unique<sim::VirtualRadio>(options, memory));
        radios.back()->start();
        devices << QString::fromStdString(radios.back()->devicePath());
        return *radios.back();
    }
    void listRadios() {
        const QStringList listed = devices;
        ASSERT_TRUE(window().radio().setPortCatalog(
            std::make_unique<platform::PortCatalog>(
                harness->started.settingsPath, platform::PortCatalog::PortLister([listed] {
                    QList<platform::PortCatalog::SystemPort> ports;
                    for (const QString& device : listed)
                        ports.push_back({device, QStringLiteral("Virtual radio"), QString()});
                    return ports;
                })),
            true));
    }
    int numberOf(int radio) { return window().radio().catalog().numberFor(devices[radio]); }
    template <class T> static T* child(QWidget* parent, const char* name) {
        T* found = parent->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static QString cell(QTableWidget* table, int row, int column) {
        QTableWidgetItem* item = table->item(row, column);
        return item ? item->text() : QString();
    }

    test::TempInstallation installation;
    std::unique_ptr<test::AppHarness> harness;
    QTemporaryDir data;
    std::vector<std::unique_ptr<sim::VirtualRadio>> radios;
    QStringList devices;
};

TEST_F(RadioFleet, RowsFillAFailedRadioIsMarkedAndStopEndsTheSessionOfTheRadioBeingWritten) {
    sim::VirtualRadio& good = addRadio("SN-GOOD");
    sim::RadioOptions wrongByte;
    wrongByte.faults.wrongByteAt = kA12Fine;
    sim::VirtualRadio& failing = addRadio("SN-WRONG", wrongByte);
    sim::RadioOptions paced;
    paced.paced = true; // about 11 s to write: still being written when Stop comes
    sim::VirtualRadio& slow = addRadio("SN-SLOW", paced);
    listRadios();

    // An untitled document is saved first, so that the log names what was written.
    const QString saved = data.filePath("fleet.dat");
    harness->dialogs.answers = {saved};
    harness->prompter.script({text::Answer::Yes});
    app::FleetCommand& command = window().fleetCommand();
    EXPECT_EQ(command.action()->text(), "&Fleet Programming…");
    EXPECT_EQ(window().menus().mnuProgram->actions().last(), command.action());
    command.action()->trigger();
    ASSERT_TRUE(QFileInfo::exists(saved));
    app::FrmFleet* fleetWindow = command.window();
    ASSERT_NE(fleetWindow, nullptr);
    EXPECT_EQ(QApplication::activeModalWidget(), fleetWindow) << "the document is out of reach";
    EXPECT_EQ(child<QLabel>(fleetWindow, "LabelDocument")->text(),
              "Document: fleet.dat (28.000000 - 29.700000 MHz)");
    EXPECT_TRUE(child<QCheckBox>(fleetWindow, "CheckVerify")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(fleetWindow, "CheckBackupFirst")->isChecked());
    const QString log = child<QLineEdit>(fleetWindow, "TextLog")->text();
    EXPECT_EQ(QFileInfo(log).dir().path(), data.filePath("backups"));
    EXPECT_TRUE(QFileInfo(log).fileName().startsWith("ZX-908HF_fleet_")) << log.toStdString();

    // Tick the three cables. The list names each port with its adapter.
    auto* ports = child<QTableWidget>(fleetWindow, "TablePorts");
    for (int r = 0; r < 3; ++r) {
        const int row = fleetWindow->portRow(numberOf(r));
        ASSERT_GE(row, 0);
        EXPECT_TRUE(cell(ports, row, 1).contains("Virtual radio"));
        ports->item(row, 0)->setCheckState(Qt::Checked);
    }
    QTest::mouseClick(child<QPushButton>(fleetWindow, "CommandStart"), Qt::LeftButton);
    ASSERT_TRUE(fleetWindow->running()) << harness->prompter.texts().back();
    EXPECT_FALSE(child<QPushButton>(fleetWindow, "CommandStart")->isEnabled());
    EXPECT_FALSE(child<QCheckBox>(fleetWindow, "CheckVerify")->isEnabled());

    auto* radiosTable = child<QTableWidget>(fleetWindow, "TableRadios");
    ASSERT_TRUE(waitFor([&] { return radiosTable->rowCount() == 2; }));
    const int goodRow = fleetWindow->portRow(numberOf(0));
    const int failedRow = fleetWindow->portRow(numberOf(1));
    const int slowRow = fleetWindow->portRow(numberOf(2));
    ASSERT_TRUE(waitFor([&] { return cell(ports, goodRow, 2).startsWith("Done"); }, 5000));
    EXPECT_EQ(cell(ports, goodRow, 2), "Done: SN-GOOD — remove the radio");
    ASSERT_TRUE(waitFor([&] { return cell(ports, failedRow, 2).startsWith("Failed"); }, 5000));
    EXPECT_TRUE(cell(ports, failedRow, 2).contains("Verify failed"))
        << cell(ports, failedRow, 2).toStdString();
    EXPECT_NE(ports->item(goodRow, 2)->background(), ports->item(failedRow, 2)->background());
    ASSERT_TRUE(waitFor([&] { return cell(ports, slowRow, 2).startsWith("Writing "); }, 5000))
        << cell(ports, slowRow, 2).toStdString();
    EXPECT_EQ(child<QLabel>(fleetWindow, "LabelTotals")->text(), "Good: 1   Failed: 1");
    // The table of radios: time, port, serial number, model code, band, result, seconds.
    QStringList results;
    for (int row = 0; row < radiosTable->rowCount(); ++row) {
        EXPECT_EQ(cell(radiosTable, row, 3), "8900");
        EXPECT_EQ(cell(radiosTable, row, 4), "28.000000 - 29.700000 MHz");
        results << cell(radiosTable, row, 2) + " " + cell(radiosTable, row, 5);
    }
    results.sort();
    EXPECT_EQ(results[0], "SN-GOOD Verified");
    EXPECT_TRUE(results[1].startsWith("SN-WRONG Failed: Verify failed."))
        << results[1].toStdString();
    EXPECT_EQ(good.stats().count(CommandKind::Write), 477);
    EXPECT_EQ(failing.stats().count(CommandKind::Write), 477);

    // Stop while the slow radio is being written: it gets End, and says what it holds.
    ASSERT_TRUE(waitFor([&] { return slow.stats().count(CommandKind::Write) > 10; }));
    QSignalSpy finished(fleetWindow, &app::FrmFleet::runFinished);
    QTest::mouseClick(child<QPushButton>(fleetWindow, "CommandStop"), Qt::LeftButton);
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_FALSE(fleetWindow->running());
    EXPECT_FALSE(slow.programmingMode()) << "released with End";
    EXPECT_LT(slow.stats().count(CommandKind::Write), 477);
    EXPECT_EQ(cell(ports, slowRow, 2), "Stopped");
    ASSERT_EQ(radiosTable->rowCount(), 3);
    EXPECT_TRUE(cell(radiosTable, 2, 5).startsWith("Stopped: Write stopped after "))
        << cell(radiosTable, 2, 5).toStdString();
    EXPECT_TRUE(child<QPushButton>(fleetWindow, "CommandStart")->isEnabled());

    // Every radio is a line of the log, flushed as it was done, naming the file written.
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines =
        QString::fromUtf8(file.readAll()).remove('\r').split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    for (int i = 1; i < 4; ++i)
        EXPECT_TRUE(lines[i].endsWith("," + saved)) << lines[i].toStdString();

    // What each write sent is kept, the stopped one's too.
    EXPECT_EQ(
        QDir(data.filePath("backups")).entryList({"ZX-908HF_write_*.img"}, QDir::Files).size(), 3);

    // Closing the window gives the document back.
    fleetWindow->close();
    QApplication::processEvents();
    EXPECT_EQ(command.window(), nullptr);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(RadioFleet, AModifiedDocumentThatIsNotSavedIsNotWritten) {
    addRadio("SN-1");
    listRadios();
    harness->ws.state.currentFileName = data.filePath("mine.dat").toStdString();
    harness->ws.state.untitled = false;
    harness->prompter.script({text::Answer::No});
    window().fleetCommand().action()->trigger();
    EXPECT_EQ(window().fleetCommand().window(), nullptr);
    const std::vector<std::string> said = harness->prompter.texts();
    ASSERT_EQ(said.size(), 2u);
    EXPECT_EQ(said[0], text::message(text::MessageKey::FileModified, text::English));
    EXPECT_TRUE(said[1].starts_with("Fleet programming writes a saved document"));
    EXPECT_EQ(radios[0]->stats().count(CommandKind::Program), 0);
}

} // namespace
