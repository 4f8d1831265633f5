// What a fault campaign found, run again through the real zx908hf-cli against virtual radios:
// a full disk behind standard output and behind the backups, two programs on one device by
// two of its names, a --port run whose radio needs a search for settings, a stop before
// anything was written, and the advice a user on a fresh installation or without permission
// gets. The disk cases mount a small tmpfs and need root; they are skipped elsewhere.
#include "CliInstallation.h"
#include "RecordWithA12.h"
#include "sim/MemoryFiles.h"
#include "sim/VirtualRadio.h"

#include <QElapsedTimer>
#include <QStandardPaths>
#include <QThread>
#include <csignal>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace zx::test {
namespace {

using sim::CommandKind;

bool waitUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QThread::msleep(10);
    return done();
}

// A tmpfs of a few kilobytes, mounted for one test.
class SmallDisk {
public:
    explicit SmallDisk(const QString& options) {
        if (root_.isValid() && ::geteuid() == 0)
            mounted_ =
                QProcess::execute(QStringLiteral("mount"), {"-t", "tmpfs", "-o", options,
                                                            "zx908hf-test", root_.path()}) == 0;
    }
    ~SmallDisk() {
        if (mounted_)
            QProcess::execute(QStringLiteral("umount"), {"-l", root_.path()});
    }
    bool ok() const { return mounted_; }
    QString path(const QString& name = QString()) const {
        return name.isEmpty() ? root_.path() : root_.filePath(name);
    }
    // Takes every free block, so that the next write fails at once.
    void fill() const {
        QFile filler(path(QStringLiteral("filler")));
        if (!filler.open(QIODevice::WriteOnly))
            return;
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }

private:
    QTemporaryDir root_;
    bool mounted_ = false;
};

#define SKIP_WITHOUT(disk)                                                                         \
    if (!(disk).ok())                                                                              \
    GTEST_SKIP() << "a small tmpfs could not be mounted (the disk cases need root and mount)"

class FaultCampaignTest : public ::testing::Test {
protected:
    void startRadio(sim::RadioOptions options = {}) {
        options.bandCode = 0;
        radio.emplace(std::move(options), sim::Memory{});
        radio->start();
        if (!install)
            install.emplace(radio->devicePath());
        else
            install->useRadio(radio->devicePath());
        ASSERT_TRUE(install->ok());
    }
    QString dataFile(const QString& name, const char* message) {
        const QString path = install->file(name);
        CliInstallation::writeBytes(path, bytesOf(recordWithA12(message)));
        return path;
    }
    // Runs with standard output going to `stdoutFile`.
    CliResult runTo(const QString& stdoutFile, const QStringList& arguments) {
        QProcess process;
        process.setStandardOutputFile(stdoutFile);
        install->start(process, arguments);
        return CliInstallation::finish(process);
    }
    QString device() const { return QString::fromStdString(radio->devicePath()); }

    std::optional<sim::VirtualRadio> radio;
    std::optional<CliInstallation> install;
};

TEST_F(FaultCampaignTest, StandardOutputOnAFullDiskIsAFileErrorWithItsCause) {
    SmallDisk disk(QStringLiteral("size=64k"));
    SKIP_WITHOUT(disk);
    startRadio();
    const QString file = dataFile("a.dat", "EXPORT");
    const QString cause = "standard output: file error. There is no space left on the disk for "
                          "standard output.";

    // The JSON of a record is larger than the whole disk: cut off part way.
    CliResult result = runTo(disk.path("out.json"), {"export", file});
    EXPECT_EQ(result.exitCode, 3) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(cause)) << result.err.toStdString();

    // A CSV table is small, but the disk is full now.
    disk.fill();
    result = runTo(disk.path("out.csv"), {"export", file, "--format", "csv"});
    EXPECT_EQ(result.exitCode, 3) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(cause)) << result.err.toStdString();
    // So is what other verbs print.
    result = runTo(disk.path("info.txt"), {"info", file});
    EXPECT_EQ(result.exitCode, 3) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(cause)) << result.err.toStdString();

    // Named outputs say the same of the file, and leave nothing behind.
    const QString named = disk.path("x.dat");
    result = install->run({"new", "-o", named});
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_TRUE(
        result.err.contains("file error. There is no space left on the disk for " + named + "."))
        << result.err.toStdString();
    EXPECT_TRUE(QDir(disk.path()).entryList({"x.dat*"}, QDir::Files).isEmpty());

    // A folder that is not there, a disk that may only be read.
    result = install->run({"new", "-o", install->file("no/such/x.dat")});
    EXPECT_TRUE(
        result.err.contains("The folder of " + install->file("no/such/x.dat") + " does not exist."))
        << result.err.toStdString();
    SmallDisk readOnly(QStringLiteral("size=64k,ro"));
    SKIP_WITHOUT(readOnly);
    result = install->run({"new", "-o", readOnly.path("x.dat")});
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_TRUE(
        result.err.contains(readOnly.path("x.dat") + " is on a read-only disk or file system."))
        << result.err.toStdString();
}

TEST_F(FaultCampaignTest, ABackupThatDoesNotFitIsNotKeptAndBackupFirstWritesNothing) {
    // Room for the 8192-byte image, not for the document beside it.
    SmallDisk disk(QStringLiteral("size=12k"));
    SKIP_WITHOUT(disk);
    startRadio();
    ASSERT_TRUE(QFile::link(disk.path(), install->dataHome())) << "the data folder on the disk";
    const QString file = dataFile("a.dat", "BACKUP");

    CliResult result = install->run({"read", "--yes", "-o", install->file("read.dat")});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_FALSE(result.err.contains("backup kept")) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("The backup could not be kept: There is no space left on the "
                                    "disk for "))
        << result.err.toStdString();
    EXPECT_TRUE(QDir(install->backupsFolder()).entryList(QDir::Files).isEmpty())
        << "neither half of the backup stays";
    EXPECT_EQ(install->run({"backups"}).out, "");

    result = install->run({"write", "--yes", "--backup-first", file});
    EXPECT_NE(result.exitCode, 0) << result.err.toStdString();
    EXPECT_FALSE(result.err.contains("backup kept")) << result.err.toStdString();
    EXPECT_EQ(radio->stats().count(CommandKind::Write), 0) << "nothing written without a backup";
}

TEST_F(FaultCampaignTest, RadioRunsCheckTheirOutputsOnAFullDisk) {
    SmallDisk disk(QStringLiteral("size=64k"));
    SKIP_WITHOUT(disk);
    startRadio();
    disk.fill();
    // The document a read would make does not fit: said before the radio is touched.
    CliResult result = install->run({"read", "--yes", "-o", disk.path("read.dat")});
    EXPECT_EQ(result.exitCode, 3) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("cannot write " + disk.path("read.dat") +
                                    ": there is no space left on its disk"))
        << result.err.toStdString();
    EXPECT_EQ(radio->stats().count(CommandKind::Program), 0);

    // A trace cut short is a failed run, though the read itself went well.
    result = install->run(
        {"read", "--yes", "-o", install->file("read.dat"), "--trace", disk.path("trace.txt")});
    EXPECT_EQ(result.exitCode, 3) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("cannot write the trace file " + disk.path("trace.txt") +
                                    ": No space left on device"))
        << result.err.toStdString();
    EXPECT_EQ(radio->stats().count(CommandKind::Read), 120);
}

TEST_F(FaultCampaignTest, BackupsListsOnlyWholeBackups) {
    startRadio();
    QDir().mkpath(install->backupsFolder());
    const auto put = [&](const QString& name, int size) {
        CliInstallation::writeBytes(install->backupsFolder() + '/' + name, QByteArray(size, 'x'));
    };
    // What a full disk left under an earlier version: a short image, an empty document.
    put("ZX-908HF_read_20260101-080000.img", 4096);
    put("ZX-908HF_read_20260101-080000.dat", 0);
    put("ZX-908HF_write_20260102-080000.img", 8192); // its document is missing
    put("ZX-908HF_read_20260103-080000.img", 8192);
    put("ZX-908HF_read_20260103-080000.dat", 14536);
    const CliResult result = install->run({"backups"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "2026-01-03 08:00:00  read   " + install->backupsFolder() +
                              "/ZX-908HF_read_20260103-080000.img\n");
}

TEST_F(FaultCampaignTest, TwoProgramsCannotShareOneDeviceByTwoOfItsNames) {
    sim::RadioOptions paced;
    paced.paced = true; // a write takes seconds: time for the second program to try
    startRadio(paced);
    const QByteArray settings = CliInstallation::readBytes(install->settingsPath());
    const QString first = dataFile("first.dat", "FIRST");
    const QString second = dataFile("second.dat", "SECOND");
    const QString link = install->file("LINK");
    ASSERT_TRUE(QFile::link(device(), link));

    QProcess writer;
    install->start(writer, {"write", "--yes", "--no-verify", "--port", link, first});
    ASSERT_TRUE(waitUntil([&] { return radio->stats().count(CommandKind::Write) >= 5; }, 20000));
    const CliResult refused =
        install->run({"write", "--yes", "--no-verify", "--port", device(), second});
    EXPECT_EQ(refused.exitCode, 4) << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(device() + " is in use by another program"))
        << refused.err.toStdString();

    const CliResult written = CliInstallation::finish(writer, 60000);
    EXPECT_EQ(written.exitCode, 0) << written.err.toStdString();
    EXPECT_EQ(radio->stats().count(CommandKind::Write), 477) << "one writer only";
    const sim::Memory expected = sim::imageFromDataFile(QFile::encodeName(first).toStdString(), 0);
    const sim::Memory got = radio->memory();
    EXPECT_TRUE(std::equal(got.begin() + 0x10, got.begin() + 0x1D90, expected.begin() + 0x10))
        << "the radio holds the first document, not a mix";
    EXPECT_EQ(CliInstallation::readBytes(install->settingsPath()), settings);
}

TEST_F(FaultCampaignTest, APortRunThroughASearchLeavesTheSettingsAsTheyWere) {
    // The saved port, COM1, has a radio of its own: the search must not go there.
    sim::VirtualRadio saved;
    saved.start();
    // The radio named by --port misses two hand-shakes, which starts the search.
    sim::RadioOptions shy;
    shy.faults.dropAnswers = {{CommandKind::Program, 1}, {CommandKind::Program, 2}};
    startRadio(shy);
    install->useRadio(saved.devicePath());
    const QByteArray settings = CliInstallation::readBytes(install->settingsPath());

    const CliResult result =
        install->run({"read", "--yes", "--port", device(), "-o", install->file("out.dat")});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("for this run (--port: nothing saved)"))
        << result.err.toStdString();
    EXPECT_EQ(radio->stats().count(CommandKind::Read), 120);
    EXPECT_EQ(CliInstallation::readBytes(install->settingsPath()), settings)
        << "byte for byte as it was";
    EXPECT_EQ(saved.stats().count(CommandKind::Program), 0) << "only the named port is searched";
}

TEST_F(FaultCampaignTest, ThePortIsNamedOrTheAdviceSaysHow) {
    startRadio();
    // An empty --port (a variable that was not set) is no way to say "the saved port".
    CliResult result = install->run({"read", "--port", "", "-o", install->file("x.dat")});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.contains("--port needs a port")) << result.err.toStdString();

    // A fresh installation knows no device for COM1: the advice is the command line's own.
    CliInstallation::writeText(install->settingsPath(),
                               "[language]\nIsFirstRun=0\ncomPort=1\nHandshaking=0\nStopBit=1\n"
                               "CurrentLanguage=1\n");
    result = install->run({"read", "--yes", "-o", install->file("x.dat")});
    EXPECT_EQ(result.exitCode, 4) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("COM1 stands for no device. Name the port with --port "
                                    "(zx908hf-cli ports lists the serial ports)."))
        << result.err.toStdString();
    EXPECT_FALSE(result.err.contains("Setup")) << "no desktop menu on the command line";
}

TEST_F(FaultCampaignTest, AStopBeforeTheFirstBlockSaysTheRadioIsUnchanged) {
    // A radio that never answers the identification: the write cannot get to its blocks.
    sim::RadioOptions mute;
    mute.faults.dropAnswers = {{CommandKind::Identify, 0}};
    startRadio(mute);
    const QString file = dataFile("a.dat", "STOP");
    QProcess process;
    install->start(process, {"write", "--yes", "--port", device(), file});
    ASSERT_TRUE(waitUntil([&] { return radio->stats().count(CommandKind::Identify) >= 1; }, 20000));
    ::kill(pid_t(process.processId()), SIGINT);
    const CliResult result = CliInstallation::finish(process);
    EXPECT_EQ(result.exitCode, 130) << result.err.toStdString();
    EXPECT_TRUE(
        result.err.contains("Stopped before anything was written: the radio holds what it held."))
        << result.err.toStdString();
    EXPECT_EQ(radio->stats().count(CommandKind::Write), 0);
}

TEST_F(FaultCampaignTest, APortWithoutPermissionGetsAdviceThatFitsIt) {
    if (::geteuid() != 0 || QStandardPaths::findExecutable("runuser").isEmpty())
        GTEST_SKIP() << "needs root and runuser to run the program as another user";
    startRadio();
    // The user "nobody" must reach the program and have a folder of its own for settings.
    QTemporaryDir home;
    ASSERT_EQ(QProcess::execute("chown", {"nobody", home.path()}), 0);
    const QString root = QFileInfo(install->programFolder()).path();
    QFile::setPermissions(root, QFile::permissions(root) | QFileDevice::ExeOther |
                                    QFileDevice::ReadOther);
    const auto asNobody = [&] {
        QProcess process;
        process.start("runuser", {"-u", "nobody", "--", "env", "HOME=" + home.path(),
                                  "XDG_CONFIG_HOME=" + home.path(), "XDG_DATA_HOME=" + home.path(),
                                  "LC_ALL=C", install->executable(), "read", "--no", "--port",
                                  device(), "-o", home.filePath("x.dat")});
        process.closeWriteChannel();
        return CliInstallation::finish(process);
    };
    const QByteArray path = QFile::encodeName(device());

    // The device as the system's rules may leave it, one case after the other.
    const auto set = [&](gid_t group, mode_t mode) {
        ASSERT_EQ(::chown(path.constData(), 0, group), 0);
        ASSERT_EQ(::chmod(path.constData(), mode), 0);
    };
    CliResult result;
    if (const group* dialout = ::getgrnam("dialout")) {
        // A group that may use it, and nobody is not in it: join it.
        set(dialout->gr_gid, 0660);
        result = asNobody();
        EXPECT_EQ(result.exitCode, 4) << result.err.toStdString();
        EXPECT_TRUE(
            result.err.contains("Its group is dialout: run  sudo usermod -aG dialout $USER"))
            << result.err.toStdString();
        // A group that may not: joining it would not help.
        set(dialout->gr_gid, 0600);
        result = asNobody();
        EXPECT_TRUE(result.err.contains("its group dialout may not read and write it (owner root, "
                                        "mode 0600), so joining the group does not help"))
            << result.err.toStdString();
    }

    // Root's alone: never "join the group root".
    set(0, 0600);
    result = asNobody();
    EXPECT_TRUE(result.err.contains("only root may use it (owner root, group root, mode 0600)"))
        << result.err.toStdString();
    EXPECT_FALSE(result.err.contains("usermod")) << result.err.toStdString();
}

} // namespace
} // namespace zx::test
