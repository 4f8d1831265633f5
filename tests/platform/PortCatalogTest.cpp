// Port numbering on Linux: stable numbers in mysetup.ini, recorded devices that the system
// list misses, and what --port accepts.
#include "platform/PortCatalog.h"

#include "PtyPair.h"
#include "platform/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zx::platform {
namespace {

using Entry = PortCatalog::Entry;

class PortCatalogTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString settingsPath() const { return dir.filePath("mysetup.ini"); }
    PortCatalog catalog() {
        return PortCatalog(settingsPath(), [this] { return system; });
    }
    // A file that exists, standing for a device node.
    QString makeDevice(const QString& name) {
        const QString path = dir.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        return path;
    }

    QTemporaryDir dir;
    QStringList system;
};

TEST_F(PortCatalogTest, NumbersNewDevicesFromOneAndKeepsThemAcrossRunsAndUnplugging) {
    system = {"/dev/ttyUSB0", "/dev/ttyS0"};
    {
        PortCatalog first = catalog();
        EXPECT_EQ(first.entries(), (QList<Entry>{{1, "/dev/ttyUSB0"}, {2, "/dev/ttyS0"}}));
    }
    ProfileFile file(settingsPath());
    EXPECT_EQ(file.read("ports", "COM1"), "/dev/ttyUSB0");
    EXPECT_EQ(file.read("ports", "COM2"), "/dev/ttyS0");

    // The adapter is unplugged, another one comes: it must not inherit COM1.
    system = {"/dev/ttyS0", "/dev/ttyACM0"};
    PortCatalog later = catalog();
    EXPECT_EQ(later.entries(), (QList<Entry>{{2, "/dev/ttyS0"}, {3, "/dev/ttyACM0"}}));
    EXPECT_EQ(later.deviceFor(1), "/dev/ttyUSB0") << "an absent device keeps its number";

    // Back again under its old number, and the list is in number order.
    system = {"/dev/ttyACM0", "/dev/ttyUSB0", "/dev/ttyS0"};
    EXPECT_EQ(later.numbers(), (std::vector<int>{1, 2, 3}));
}

TEST_F(PortCatalogTest, FillsTheLowestFreeNumberAndLeavesOtherSettingsAlone) {
    ProfileFile file(settingsPath());
    file.write("language", "comPort", "3");
    file.write("language", "Handshaking", "2");
    file.write("ports", "COM1", "/dev/ttyS0");
    file.write("ports", "COM3", "/dev/ttyS2");
    system = {"/dev/ttyS0", "/dev/ttyS2", "/dev/ttyUSB7"};
    PortCatalog ports = catalog();
    EXPECT_EQ(ports.numberFor("/dev/ttyUSB7"), 2);
    EXPECT_EQ(ports.numberFor("/dev/ttyUSB7"), 2) << "asking twice gives no second number";
    EXPECT_EQ(ports.entries().size(), 3);
    EXPECT_EQ(file.read("language", "comPort"), "3");
    EXPECT_EQ(file.read("language", "Handshaking"), "2");
}

TEST_F(PortCatalogTest, ListsOnlyTerminalsThatAreSafeToTry) {
    test::PtyPair pty;
    test::PtyPair stale;
    ASSERT_TRUE(pty.ok() && stale.ok());
    ProfileFile file(settingsPath());
    file.write("ports", "COM7", pty.slavePath());
    // A pseudo-terminal recorded by an earlier run: perhaps a shell window by now.
    file.write("ports", "COM8", stale.slavePath());
    file.write("ports", "COM5", dir.filePath("vanished"));
    file.write("ports", "junk", "/dev/ttyS9");
    // What earlier versions recorded from --port: no serial ports at all.
    file.write("ports", "COM3", dir.path());
    file.write("ports", "COM4", "/dev/null");
    file.write("ports", "COM6", makeDevice("notes.txt"));
    system = {"/dev/ttyS0"};
    PortCatalog ports = catalog();
    EXPECT_EQ(ports.numberFor(pty.slavePath()), 7) << "named in this run, like the demo radio";
    EXPECT_EQ(ports.entries(), (QList<Entry>{{1, "/dev/ttyS0"}, {7, pty.slavePath()}}));
    EXPECT_EQ(ports.deviceFor(8), stale.slavePath()) << "still used when chosen";
    // The garbage key takes no number: the next device still gets the lowest free one.
    EXPECT_EQ(ports.numberFor(makeDevice("another")), 2);
}

TEST_F(PortCatalogTest, EntriesCarryTheAdaptersDescriptionAndUsbIds) {
    PortCatalog ports(settingsPath(), [] {
        return QList<PortCatalog::SystemPort>{
            {"/dev/ttyUSB0", "CP2102 USB to UART Bridge", "10c4:ea60"}, {"/dev/ttyS0", "", ""}};
    });
    const QList<Entry> entries = ports.entries();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].details(), "CP2102 USB to UART Bridge (10c4:ea60)");
    EXPECT_EQ(entries[1].details(), "");
}

TEST_F(PortCatalogTest, ResolvesNumbersNamesAndPaths) {
    const QString pty = makeDevice("radio");
    PortCatalog ports = catalog();
    EXPECT_EQ(ports.resolve("3"), 3);
    EXPECT_EQ(ports.resolve("COM12"), 12);
    EXPECT_EQ(ports.resolve(" com4 "), 4);
    EXPECT_EQ(ports.resolve("COM 10"), 10);
    EXPECT_EQ(ports.resolve("0"), std::nullopt);
    EXPECT_EQ(ports.resolve("-2"), std::nullopt);
    EXPECT_EQ(ports.resolve("COM0"), std::nullopt);
    EXPECT_EQ(ports.resolve(""), std::nullopt);
    EXPECT_EQ(ports.resolve("COMX"), std::nullopt);
    EXPECT_EQ(ports.resolve(dir.filePath("missing")), std::nullopt);

    // A new path is numbered for this catalog's life only: nothing is written.
    const std::optional<int> number = ports.resolve(pty);
    ASSERT_TRUE(number.has_value());
    EXPECT_EQ(*number, 1);
    EXPECT_EQ(ports.deviceFor(1), pty);
    EXPECT_EQ(ports.resolve(pty), 1) << "asked again, the same number";
    EXPECT_FALSE(QFile::exists(settingsPath()));
    EXPECT_EQ(catalog().deviceFor(1), "");

    // A relative path means the current folder, not /dev.
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    PortCatalog here = catalog();
    const std::optional<int> relative = here.resolve("radio");
    QDir::setCurrent(before);
    ASSERT_TRUE(relative.has_value());
    EXPECT_EQ(here.deviceFor(*relative), pty);
    // A device the settings already number keeps its number.
    ProfileFile(settingsPath()).write("ports", "COM4", pty);
    EXPECT_EQ(catalog().resolve(pty), 4);
    EXPECT_EQ(PortCatalog::portName(10), "COM10");
    EXPECT_EQ(PortCatalog::parsePortName("COM10"), 10);
    EXPECT_EQ(PortCatalog::parsePortName("COM1x"), 0);
}

TEST_F(PortCatalogTest, SymlinkAndTargetAreOnePort) {
    const QString target = makeDevice("pts-9");
    const QString alias = dir.filePath("radio-link");
    ASSERT_TRUE(QFile::link(target, alias));
    PortCatalog ports = catalog();
    const int viaLink = ports.numberFor(alias);
    EXPECT_EQ(ports.numberFor(target), viaLink);
}

TEST_F(PortCatalogTest, UnwritableSettingsStillNumberDevicesForTheRun) {
    // A folder that is a plain file: no settings file can be made below it.
    PortCatalog ports(makeDevice("plain-file") + "/mysetup.ini", [] {
        return QStringList{"/dev/ttyS0", "/dev/ttyS1"};
    });
    EXPECT_EQ(ports.entries(), (QList<Entry>{{1, "/dev/ttyS0"}, {2, "/dev/ttyS1"}}));
    EXPECT_EQ(ports.deviceFor(2), "/dev/ttyS1");
    PortCatalog none(QString(), [] { return QStringList{"/dev/ttyS4"}; });
    EXPECT_EQ(none.numbers(), std::vector<int>{1});
}

} // namespace
} // namespace zx::platform
