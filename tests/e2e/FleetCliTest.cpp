// Fleet programming through the real zx908hf-cli: several virtual radios on several
// pseudo-terminals written at the same time by one write --batch, failing radios logged on
// their port while the others complete, Ctrl+C sending End on every open port, a radio
// swapped in at once noticed by its identity, and ports named twice refused.
#include "CliInstallation.h"
#include "RecordWithA12.h"
#include "link/RadioImage.h"
#include "sim/VirtualRadio.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QThread>
#include <chrono>
#include <csignal>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <optional>

namespace zx::test {
namespace {

using sim::CommandKind;
using Clock = std::chrono::steady_clock;

// A-12 at 28.512300 MHz; the fourth byte of its slot is the low byte of the fine part.
constexpr int kA12Fine = 0x0010 + 18 * 11 + 3;

// A virtual radio with its own serial number, and when it received its first and its last
// write block.
struct BenchRadio {
    std::unique_ptr<sim::VirtualRadio> radio;
    std::mutex mutex;
    std::optional<Clock::time_point> firstWrite;
    std::optional<Clock::time_point> lastWrite;
    std::vector<CommandKind> commands;
};

class FleetCliTest : public ::testing::Test {
protected:
    BenchRadio& addRadio(const std::string& serial, sim::RadioOptions options = {}) {
        options.bandCode = 0;
        sim::Memory memory;
        memory.fill(0xFF);
        std::memcpy(&memory[0x1F10], serial.data(), serial.size());
        auto bench = std::make_unique<BenchRadio>();
        bench->radio = std::make_unique<sim::VirtualRadio>(options, memory);
        BenchRadio* b = bench.get();
        bench->radio->setObserver([b](const sim::LogEntry& entry) {
            std::lock_guard lock(b->mutex);
            b->commands.push_back(entry.kind);
            if (entry.kind == CommandKind::Write) {
                b->lastWrite = Clock::now();
                if (!b->firstWrite)
                    b->firstWrite = b->lastWrite;
            }
        });
        bench->radio->start();
        if (!install) {
            install.emplace(bench->radio->devicePath());
            EXPECT_TRUE(install->ok());
        }
        radios.push_back(std::move(bench));
        return *radios.back();
    }
    QStringList portOptions() const {
        QStringList options;
        for (const auto& r : radios)
            options << "--port" << QString::fromStdString(r->radio->devicePath());
        return options;
    }
    QString dataFile() const {
        const QString path = install->file("a12.dat");
        CliInstallation::writeBytes(path, bytesOf(recordWithA12("FLEET")));
        return path;
    }
    // The cable: a link that points at one radio's terminal, moved to the next radio as a
    // dealer swaps radios on it.
    QString cableTo(std::size_t radio) const {
        const QString cable = install->file("radio-port");
        QFile::remove(cable);
        EXPECT_TRUE(QFile::link(QString::fromStdString(radios[radio]->radio->devicePath()), cable));
        return cable;
    }
    // Starts a batch in the background; what it says goes to said().
    void startBatch(QProcess& process, const QStringList& arguments) const {
        process.setStandardErrorFile(install->file("batch.err"));
        install->start(process, arguments);
    }
    QString said() const {
        return QString::fromUtf8(CliInstallation::readBytes(install->file("batch.err")));
    }
    QStringList logLines(const QString& log) const {
        return QString::fromUtf8(CliInstallation::readBytes(log))
            .remove('\r')
            .split('\n', Qt::SkipEmptyParts);
    }
    // The log line of the radio with this serial number.
    QString lineOf(const QString& log, const QString& serial) const {
        for (const QString& line : logLines(log))
            if (line.section(',', 2, 2) == serial)
                return line;
        return {};
    }
    static void expectHoldsTheFile(const sim::VirtualRadio& radio) {
        link::RadioImage image;
        image.encode(recordWithA12("FLEET"), 0);
        const sim::Memory memory = radio.memory();
        for (int a = 0x0010; a < 0x1D90; ++a)
            ASSERT_EQ(memory[a], image.bytes[a]) << std::hex << a;
    }

    std::vector<std::unique_ptr<BenchRadio>> radios;
    std::optional<CliInstallation> install;
};

TEST_F(FleetCliTest, FourPortsWriteAtOnceAndAFailingRadioStaysOnItsPort) {
    // The first port's radio runs at the real line rate (about 20 s for a verified write),
    // the others as fast as they can: one port after the other, they would wait for it.
    sim::RadioOptions paced;
    paced.paced = true;
    addRadio("SN-GOOD-1", paced);
    sim::RadioOptions wrongByte;
    wrongByte.faults.wrongByteAt = kA12Fine;
    addRadio("SN-WRONG", wrongByte);
    sim::RadioOptions silent;
    // 16 blocks of the identity record, the band block, then 83 write blocks.
    silent.faults.silentAfterBlocks = 100;
    addRadio("SN-SILENT", silent);
    addRadio("SN-GOOD-2");
    const QString log = install->file("fleet.csv");
    const QString file = dataFile();
    const CliResult result = install->run(
        QStringList{"write", file, "--batch", "--count", "4", "--log", log} + portOptions(), 60000);
    ASSERT_FALSE(result.crashed) << result.err.toStdString();
    EXPECT_EQ(result.exitCode, 1) << "two radios failed\n" << result.err.toStdString();
    EXPECT_TRUE(result.out.contains("3 radios written, 2 verified, 2 failed"))
        << result.out.toStdString() << result.err.toStdString();

    const QStringList lines = logLines(log);
    ASSERT_EQ(lines.size(), 5) << result.err.toStdString();
    EXPECT_EQ(lines[0], "time,port,serial number,model code,band,result,seconds,file");
    const QString band = "8900,28.000000 - 29.700000 MHz,";
    for (int i : {0, 3}) {
        SCOPED_TRACE(i);
        const QString serial = i == 0 ? "SN-GOOD-1" : "SN-GOOD-2";
        const QString line = lineOf(log, serial);
        EXPECT_TRUE(line.contains(serial + "," + band + "verified,")) << line.toStdString();
        // The port that wrote it, and the file written.
        EXPECT_TRUE(line.contains(QString::fromStdString(radios[i]->radio->devicePath())))
            << line.toStdString();
        EXPECT_TRUE(line.endsWith(",verified," + line.section(',', 6, 6) + "," + file))
            << line.toStdString();
        expectHoldsTheFile(*radios[i]->radio);
        EXPECT_EQ(radios[i]->radio->stats().count(CommandKind::Write), 477);
    }
    // Identified before writing: the failed radios are logged with their serial numbers.
    EXPECT_TRUE(lineOf(log, "SN-WRONG")
                    .contains("SN-WRONG," + band +
                              "\"failed: Verify failed. Fields where the radio differs from "
                              "what was sent: 1; 00D9 A-12 RX Frequency: radio 28.512310, sent "
                              "28.512300\","))
        << lineOf(log, "SN-WRONG").toStdString();
    EXPECT_TRUE(lineOf(log, "SN-SILENT")
                    .contains("SN-SILENT," + band + "failed: Write stopped after 83 of 477 blocks"))
        << lineOf(log, "SN-SILENT").toStdString();

    // The ports did not wait for one another: the other three were written while the first
    // port's radio still was.
    for (std::size_t i = 1; i < radios.size(); ++i) {
        SCOPED_TRACE(i);
        std::scoped_lock lock(radios[0]->mutex, radios[i]->mutex);
        ASSERT_TRUE(radios[i]->lastWrite && radios[0]->firstWrite && radios[0]->lastWrite);
        EXPECT_LT(*radios[i]->lastWrite, *radios[0]->lastWrite);
    }
    // The port search never ran: nothing but the four radios' ports was opened.
    EXPECT_FALSE(result.err.contains("Search for communication setting"))
        << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(": radio 4: ")) << result.err.toStdString();
}

TEST_F(FleetCliTest, CtrlCSendsEndOnEveryOpenPortAndSaysWhereEachStood) {
    sim::RadioOptions paced;
    paced.paced = true; // a write takes about 11 s: long enough to be stopped half way
    addRadio("SN-1", paced);
    addRadio("SN-2", paced);
    const QString log = install->file("fleet.csv");
    QProcess process;
    startBatch(process, QStringList{"write", dataFile(), "--batch", "--log", log} + portOptions());
    ASSERT_TRUE(waitUntil(
        [&] {
            return radios[0]->radio->stats().count(CommandKind::Write) > 20 &&
                   radios[1]->radio->stats().count(CommandKind::Write) > 20;
        },
        30000))
        << said().toStdString();
    ::kill(pid_t(process.processId()), SIGINT);
    const CliResult result = CliInstallation::finish(process, 30000);
    const QString err = said();
    ASSERT_FALSE(result.crashed) << err.toStdString();
    EXPECT_EQ(result.exitCode, 130) << err.toStdString();
    for (const auto& r : radios) {
        SCOPED_TRACE(r->radio->devicePath());
        std::lock_guard lock(r->mutex);
        ASSERT_FALSE(r->commands.empty());
        EXPECT_EQ(r->commands.back(), CommandKind::End);
        EXPECT_FALSE(r->radio->programmingMode());
        EXPECT_LT(r->radio->stats().count(CommandKind::Write), 477);
        // Where the port stood when Ctrl+C came.
        const QString port = QString::fromStdString(r->radio->devicePath()) + "): ";
        EXPECT_TRUE(err.contains(port + "Writing ")) << err.toStdString();
        // And what its radio now holds.
        EXPECT_TRUE(err.contains(port + "Write stopped after ")) << err.toStdString();
    }
    const QStringList lines = logLines(log);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[1].contains(",stopped: Write stopped after ")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].contains(",stopped: Write stopped after ")) << lines[2].toStdString();
}

TEST_F(FleetCliTest, ARadioSwappedInAtOnceIsNoticedByItsIdentity) {
    addRadio("SN-FIRST");
    const QString log = install->file("fleet.csv");
    QProcess process;
    startBatch(process, {"write", dataFile(), "--batch", "--count", "2", "--log", log, "--port",
                         cableTo(0)});
    ASSERT_TRUE(waitUntil([&] { return logLines(log).size() == 2; }, 30000))
        << said().toStdString();
    // Left on the cable for a while: not written again.
    QThread::msleep(2500);
    EXPECT_EQ(logLines(log).size(), 2);
    EXPECT_EQ(radios[0]->radio->stats().count(CommandKind::Write), 477);

    // The next radio takes its place at once: the port never falls silent.
    addRadio("SN-SECOND");
    cableTo(1);
    const CliResult result = CliInstallation::finish(process, 30000);
    const QString err = said();
    EXPECT_EQ(result.exitCode, 0) << err.toStdString();
    ASSERT_EQ(logLines(log).size(), 3) << err.toStdString();
    EXPECT_TRUE(lineOf(log, "SN-SECOND").contains(",verified,")) << err.toStdString();
    expectHoldsTheFile(*radios[1]->radio);
}

TEST_F(FleetCliTest, ALogThatCannotBeWrittenEndsTheRunAndNoRadioGoesUnrecorded) {
    addRadio("SN-FIRST");
    const QString log = install->file("fleet.csv");
    QProcess process;
    startBatch(process, {"write", dataFile(), "--batch", "--log", log, "--port", cableTo(0)});
    ASSERT_TRUE(waitUntil([&] { return logLines(log).size() == 2; }, 30000))
        << said().toStdString();
    // The log goes (a folder in its place), then the next radio comes.
    ASSERT_TRUE(QFile::remove(log));
    ASSERT_TRUE(QDir().mkdir(log));
    addRadio("SN-SECOND");
    cableTo(1);
    // No count, no Ctrl+C: the run ends by itself once the radio being written is done.
    const CliResult result = CliInstallation::finish(process, 30000);
    const QString err = said();
    EXPECT_EQ(result.exitCode, 3) << err.toStdString();
    EXPECT_TRUE(err.contains("cannot be written")) << err.toStdString();
    // Its line is on stderr for the user to keep.
    EXPECT_TRUE(
        err.contains(QRegularExpression("not logged: [^\\n]*,SN-SECOND,8900,[^\\n]*verified")))
        << err.toStdString();
    EXPECT_EQ(radios[1]->radio->stats().count(CommandKind::Write), 477);
}

TEST_F(FleetCliTest, SeveralPortsOnlyInABatchAndNeverOneDeviceTwice) {
    addRadio("SN-1");
    const QString device = QString::fromStdString(radios[0]->radio->devicePath());
    const QString link = install->file("same-radio");
    ASSERT_TRUE(QFile::link(device, link));
    const QString file = dataFile();

    const CliResult twice = install->run({"write", file, "--port", device, "--port", device});
    EXPECT_EQ(twice.exitCode, 2) << twice.err.toStdString();
    EXPECT_TRUE(twice.err.contains("only with write --batch")) << twice.err.toStdString();

    // One device by two names would have two engines write into one radio.
    const CliResult same =
        install->run({"write", file, "--batch", "--port", device, "--port", link});
    EXPECT_EQ(same.exitCode, 2) << same.err.toStdString();
    EXPECT_TRUE(same.err.contains("name the same device")) << same.err.toStdString();
    EXPECT_EQ(radios[0]->radio->stats().count(CommandKind::Program), 0);
}

} // namespace
} // namespace zx::test
