// Safe radio programming through the real zx908hf-cli against virtual radios: verification
// after a write, backups of what was read and sent, clean ends on a signal, ports and output
// files as users meet them, and a batch of radios written one after the other.
#include "CliInstallation.h"
#include "RecordWithA12.h"
#include "sim/MemoryFiles.h"
#include "sim/VirtualRadio.h"

#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <csignal>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace zx::test {
namespace {

using sim::CommandKind;
using sim::Memory;

// A-12 at 28.512300 MHz; the fourth byte of its slot is the low byte of the fine part.
constexpr int kA12Fine = 0x0010 + 18 * 11 + 3;

using test::bytesOf; // of a record; this one gives a range of the radio's memory
QByteArray bytesOf(const Memory& memory, int from = 0, int to = 0x2000) {
    return QByteArray(reinterpret_cast<const char*>(memory.data() + from), to - from);
}

class SafeProgrammingTest : public ::testing::Test {
protected:
    void startRadio(sim::RadioOptions options = {}, const Memory& memory = filled(0x55)) {
        options.bandCode = 0;
        radio.emplace(std::move(options), memory);
        radio->start();
        if (!install) {
            install.emplace(radio->devicePath());
            ASSERT_TRUE(install->ok());
        } else {
            install->useRadio(radio->devicePath());
        }
    }
    static Memory filled(std::uint8_t value) {
        Memory m;
        m.fill(value);
        return m;
    }
    QString dataFile(const QString& name = "a12.dat") {
        const QString path = install->file(name);
        CliInstallation::writeBytes(path, bytesOf(recordWithA12("SAFE")));
        return path;
    }
    CliResult cli(const QStringList& arguments, const QString& workingDirectory = QString()) {
        return install->run(arguments, 60000, workingDirectory);
    }
    QStringList backups() const {
        return QDir(install->backupsFolder()).entryList(QDir::Files, QDir::Name);
    }

    std::optional<sim::VirtualRadio> radio;
    std::optional<CliInstallation> install;
};

TEST_F(SafeProgrammingTest, VerificationNamesAWrongByteWithItsChannelAndExitsWith5) {
    sim::RadioOptions faulty;
    faulty.faults.wrongByteAt = kA12Fine;
    startRadio(faulty);
    const QString file = dataFile();

    CliResult result = cli({"write", "--yes", file});
    EXPECT_EQ(result.exitCode, 5) << result.err.toStdString();
    const qsizetype completed = result.err.indexOf("Write Data Completed.");
    const qsizetype failed = result.err.indexOf("Verify failed.");
    ASSERT_GE(completed, 0) << result.err.toStdString();
    EXPECT_GT(failed, completed) << "the write's own message comes first";
    EXPECT_TRUE(result.err.contains("00D9 A-12 RX Frequency: radio 28.512310, sent 28.512300"))
        << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("Verifying")) << "the phase is named";
    EXPECT_EQ(radio->stats().count(CommandKind::Read), 1 + 120) << "band read, then read-back";

    // A good radio: "Verify OK." and exit 0; without verification nothing is read back.
    startRadio();
    result = cli({"write", "--yes", file});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("Write Data Completed.\nVerify OK."))
        << result.err.toStdString();
    startRadio(faulty);
    result = cli({"write", "--yes", "--no-verify", file});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_FALSE(result.err.contains("Verify"));
    EXPECT_EQ(radio->stats().count(CommandKind::Read), 1);
}

TEST_F(SafeProgrammingTest, BackupsHoldExactlyWhatWasReceivedAndSent) {
    // The radio holds a configuration of its own.
    QTemporaryDir scratch;
    model::ConfigRecord other = recordWithA12("SAFE");
    other.embeddedMessage[0] = "OLD ONE";
    CliInstallation::writeBytes(scratch.filePath("old.dat"), bytesOf(other));
    Memory old =
        sim::imageFromDataFile(QFile::encodeName(scratch.filePath("old.dat")).toStdString(), 0);
    old[0x1F10] = 'S'; // outside what a read asks for
    startRadio({}, old);

    const QString out = install->file("read.dat");
    CliResult result = cli({"read", "--yes", "-o", out});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    QStringList files = backups();
    ASSERT_EQ(files.size(), 2) << files.join(' ').toStdString();
    const QString readBase = install->backupsFolder() + "/" + files[0].chopped(4);
    EXPECT_TRUE(files[0].startsWith("ZX-908HF_read_")) << files[0].toStdString();
    const QByteArray image = CliInstallation::readBytes(readBase + ".img");
    ASSERT_EQ(image.size(), 8192);
    EXPECT_EQ(image.left(0x1E00), bytesOf(old, 0, 0x1E00)) << "the 120 blocks as received";
    EXPECT_EQ(image.mid(0x1E00), QByteArray(0x200, char(0xFF))) << "never read, left FF";
    EXPECT_EQ(CliInstallation::readBytes(readBase + ".dat"), CliInstallation::readBytes(out))
        << "the document the read made";
    EXPECT_TRUE(result.err.contains("backup kept: " + readBase + ".img"))
        << result.err.toStdString();

    // A write keeps the image as sent and the document it came from; --backup-first keeps
    // what the radio held before, too.
    const QString file = dataFile();
    result = cli({"write", "--yes", "--backup-first", file});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    files = backups();
    ASSERT_EQ(files.size(), 6) << files.join(' ').toStdString();
    const QStringList lines = cli({"backups"}).out.split('\n', Qt::SkipEmptyParts); // newest first
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].contains(" write  ")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].contains(" read   ")) << lines[1].toStdString();
    const QString writeImage = lines[0].section("  ", 2).trimmed();
    const QString backupImage = lines[1].section("  ", 2).trimmed();
    EXPECT_EQ(CliInstallation::readBytes(backupImage).left(0x1E00), bytesOf(old, 0, 0x1E00));
    const QByteArray sent = CliInstallation::readBytes(writeImage);
    ASSERT_EQ(sent.size(), 8192);
    EXPECT_EQ(sent.mid(0x10, 0x1DE0 - 0x10), bytesOf(radio->memory(), 0x10, 0x1DE0))
        << "the radio holds exactly the image kept as sent";
    EXPECT_EQ(CliInstallation::readBytes(writeImage.chopped(4) + ".dat"),
              CliInstallation::readBytes(file));

    // --no-backup keeps nothing.
    result = cli({"read", "--yes", "--no-backup", "-o", out});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(backups().size(), 6);
    EXPECT_EQ(cli({"write", "--no-backup", "--backup-first", file}).exitCode, 2);
}

TEST_F(SafeProgrammingTest, StopSignalsEndTheConversationWithEnd) {
    struct Case {
        const char* name;
        int signal;
        bool write;
    };
    const Case cases[] = {{"Ctrl+C during a write", SIGINT, true},
                          {"SIGTERM during a read", SIGTERM, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim::RadioOptions paced;
        paced.paced = true; // a write takes some seconds: time to be interrupted
        startRadio(paced);
        const QString file = dataFile();
        QProcess process;
        install->start(process, c.write
                                    ? QStringList{"write", "--yes", file}
                                    : QStringList{"read", "--yes", "-o", install->file("r.dat")});
        const CommandKind blocks = c.write ? CommandKind::Write : CommandKind::Read;
        ASSERT_TRUE(waitUntil([&] { return radio->stats().count(blocks) >= 20; }, 20000));
        ::kill(pid_t(process.processId()), c.signal);
        const CliResult result = CliInstallation::finish(process);
        EXPECT_EQ(result.exitCode, 128 + c.signal) << result.err.toStdString();
        ASSERT_FALSE(radio->log().empty());
        EXPECT_EQ(radio->log().back().kind, CommandKind::End) << "released with End";
        EXPECT_FALSE(radio->programmingMode());
        if (c.write) {
            // The block on the line when the signal came may or may not have been answered.
            const int received = radio->stats().count(CommandKind::Write);
            const auto line = [](int blocks) {
                return QStringLiteral("Write stopped after %1 of 477 blocks: the radio holds a "
                                      "partly written configuration. Write it again.")
                    .arg(blocks);
            };
            EXPECT_TRUE(result.err.contains(line(received)) ||
                        result.err.contains(line(received - 1)))
                << result.err.toStdString();
        } else {
            EXPECT_FALSE(QFile::exists(install->file("r.dat")));
        }
    }
}

TEST_F(SafeProgrammingTest, PortsAndOutputFilesAsUsersMeetThem) {
    startRadio();
    const QByteArray settings = CliInstallation::readBytes(install->settingsPath());
    QTemporaryDir work;
    const QString out = work.filePath("out.dat");

    // A relative path: opened exactly there, for this run only.
    ASSERT_TRUE(QFile::link(QString::fromStdString(radio->devicePath()), work.filePath("radio")));
    CliResult result = cli({"read", "--yes", "--port", "radio", "-o", out}, work.path());
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(radio->stats().count(CommandKind::Read), 120);

    // Names that are no serial port are refused before anything happens.
    CliInstallation::writeBytes(work.filePath("tty"), "a file, not a terminal");
    const long heard = radio->stats().bytesReceived;
    struct Refused {
        QString port;
        QString message;
    };
    const Refused refused[] = {
        {"tty", "tty is not a serial port."},
        {"/dev/null", "/dev/null is not a serial port."},
        {work.path(), work.path() + " is not a serial port."},
        {"no-such-tty", "no-such-tty does not exist."},
    };
    for (const Refused& r : refused) {
        result = cli({"read", "--yes", "--port", r.port, "-o", out}, work.path());
        EXPECT_EQ(result.exitCode, 4) << r.port.toStdString();
        EXPECT_TRUE(result.err.contains(r.message)) << result.err.toStdString();
    }
    EXPECT_EQ(CliInstallation::readBytes(work.filePath("tty")), "a file, not a terminal");

    // An output that cannot be written is found out before the radio is asked anything.
    for (const QString& bad : {QStringLiteral("/proc/zx908hf-out.dat"),
                               work.filePath("tty") + "/out.dat", work.path()}) {
        result = cli({"read", "--yes", "-o", bad});
        EXPECT_EQ(result.exitCode, 3) << bad.toStdString() << result.err.toStdString();
    }
    EXPECT_EQ(radio->stats().bytesReceived, heard) << "the radio heard nothing";

    // XON/XOFF is named for what it does.
    result = cli({"band", "--no", "--handshaking", "1"});
    EXPECT_TRUE(result.err.contains("warning: handshaking 1 (XON/XOFF)"))
        << result.err.toStdString();
    EXPECT_TRUE(cli({"read", "--help"}).out.simplified().contains("with 1 every read fails"));

    EXPECT_EQ(CliInstallation::readBytes(install->settingsPath()), settings)
        << "mysetup.ini unchanged";
    EXPECT_FALSE(cli({"ports"}).out.contains(work.path()));
}

TEST_F(SafeProgrammingTest, APortThatGoesAwayIsNamedAndEndsWith4) {
    sim::RadioOptions paced;
    paced.paced = true;
    startRadio(paced);
    QProcess process;
    install->start(process, {"read", "--yes", "--retries", "1", "-o", install->file("r.dat")});
    ASSERT_TRUE(waitUntil([&] { return radio->stats().count(CommandKind::Read) >= 10; }, 20000));
    const QString device = QString::fromStdString(radio->devicePath());
    radio->stop(); // the cable is pulled
    const CliResult result = CliInstallation::finish(process);
    EXPECT_EQ(result.exitCode, 4) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("Cannot Open Communication Port.")) << result.err.toStdString();
    // The terminal's number may be taken again by the system at once; then it is "in use".
    EXPECT_TRUE(result.err.contains(device + " has gone away") ||
                result.err.contains(device + " is not a serial port") ||
                result.err.contains(device + " is in use"))
        << result.err.toStdString();
}

TEST_F(SafeProgrammingTest, BatchOfThreeRadiosLogsEachWithItsSerialNumber) {
    startRadio();
    const QString file = dataFile();
    const QString link = install->file("radio-port");
    const QString log = install->file("log.csv");
    QProcess process;
    radio.reset();
    // What the operator reads, kept in a file: nothing reads the pipe while the batch runs.
    const QString said = install->file("batch.err");
    process.setStandardErrorFile(said);
    // Started before any radio is there: the port comes with the first one.
    install->start(process, {"write", file, "--batch", "--count", "3", "--log", log, "--port", link,
                             "--trace", install->file("batch.trace")});

    const auto logLines = [&] {
        return QString::fromUtf8(CliInstallation::readBytes(log))
            .remove('\r')
            .split('\n', Qt::SkipEmptyParts);
    };
    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE(n);
        // The next radio is connected: its own memory, its own serial number. The second
        // keeps a wrong byte: it fails, and the batch goes on.
        Memory memory = filled(0xFF);
        const std::string serial = "SN-00" + std::to_string(n);
        std::memcpy(&memory[0x1F10], serial.data(), serial.size());
        sim::RadioOptions options;
        options.bandCode = 0;
        if (n == 2)
            options.faults.wrongByteAt = kA12Fine;
        radio.emplace(options, memory);
        radio->start();
        QFile::remove(link);
        ASSERT_TRUE(QFile::link(QString::fromStdString(radio->devicePath()), link));
        ASSERT_TRUE(waitUntil([&] { return logLines().size() == n + 1; }, 30000))
            << CliInstallation::readBytes(said).toStdString();
        const QString expected =
            QString::fromStdString(serial) + ",8900,28.000000 - 29.700000 MHz," +
            (n == 2 ? "\"failed: Verify failed. Fields where the radio differs from what was "
                      "sent: 1; 00D9 A-12 RX Frequency: radio 28.512310, sent 28.512300\","
                    : "verified,"); // a reason with commas is quoted
        EXPECT_TRUE(logLines().back().contains(expected)) << logLines().back().toStdString();
        EXPECT_EQ(radio->stats().count(CommandKind::Write), 477);
        // Every session ends with End (but perhaps the presence poll on the line right now).
        const sim::RadioStats stats = radio->stats();
        EXPECT_GE(stats.count(CommandKind::End) + 1, stats.count(CommandKind::Program));
        // Disconnected: the batch has to notice before the next one comes.
        QFile::remove(link);
        radio.reset();
        if (n < 3)
            QThread::msleep(2500);
    }
    const CliResult result = CliInstallation::finish(process, 30000);
    EXPECT_EQ(result.exitCode, 1) << "one radio failed\n"
                                  << CliInstallation::readBytes(said).toStdString();
    EXPECT_TRUE(result.out.contains("3 radios written, 2 verified, 1 failed"))
        << result.out.toStdString();
    EXPECT_EQ(logLines().front(), "time,port,serial number,model code,band,result,seconds,file");
}

} // namespace
} // namespace zx::test
