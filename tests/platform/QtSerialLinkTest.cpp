// The serial adapter against a pseudo-terminal whose master side the test drives: line
// settings, whole answers out of arbitrary chunks, discarded buffers, the answer timer.
#include "platform/QtSerialLink.h"

#include "PtyPair.h"
#include "platform/PortCatalog.h"
#include "platform/SerialPortPosix.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <termios.h>
#include <vector>

namespace zx::platform {
namespace {

using zx::test::processEventsUntil;
using zx::test::PtyPair;

class QtSerialLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        zx::test::ensureCoreApplication();
        ASSERT_TRUE(pty.ok());
        ASSERT_TRUE(dir.isValid());
        number = catalog.numberFor(pty.slavePath());
        ASSERT_GT(number, 0);
        link.setReceiver(
            [this](std::span<const std::uint8_t> answer) {
                answers.emplace_back(reinterpret_cast<const char*>(answer.data()),
                                     qsizetype(answer.size()));
            },
            [this] { ++timeouts; });
    }

    bool open(int handshaking = 0, int stopBits = 1) {
        return link.openPort({number, handshaking, stopBits});
    }

    void send(const QByteArray& command, int expected) {
        link.send(std::span<const std::uint8_t>(
                      reinterpret_cast<const std::uint8_t*>(command.constData()),
                      std::size_t(command.size())),
                  expected);
    }

    termios slaveSettings() const {
        termios t{};
        tcgetattr(pty.slaveFd(), &t);
        return t;
    }

    PtyPair pty;
    QTemporaryDir dir;
    PortCatalog catalog{dir.filePath("mysetup.ini"), [] { return QStringList(); }};
    QtSerialLink link{catalog};
    int number = 0;
    std::vector<QByteArray> answers;
    int timeouts = 0;
};

TEST_F(QtSerialLinkTest, OpensPseudoTerminalAt9600N8WithChosenStopBitsAndHandshaking) {
    // Modem lines cannot be set on a pseudo-terminal; the open must still succeed.
    ASSERT_TRUE(open(0, 1)) << link.lastError().toStdString();
    EXPECT_TRUE(link.isPortOpen());
    termios t = slaveSettings();
    EXPECT_EQ(cfgetospeed(&t), speed_t(B9600));
    EXPECT_EQ(cfgetispeed(&t), speed_t(B9600));
    EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_EQ(t.c_cflag & PARENB, 0u);
    EXPECT_EQ(t.c_cflag & CSTOPB, 0u);
    EXPECT_EQ(t.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF), 0u);

    // Opening again closes first and applies the new settings.
    ASSERT_TRUE(open(1, 2));
    t = slaveSettings();
    EXPECT_NE(t.c_cflag & CSTOPB, 0u);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF), tcflag_t(IXON | IXOFF));
    EXPECT_EQ(t.c_cflag & CRTSCTS, 0u);

    ASSERT_TRUE(open(2, 1));
    t = slaveSettings();
    EXPECT_NE(t.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF), 0u);

    link.closePort();
    EXPECT_FALSE(link.isPortOpen());
}

TEST(QtSerialLinkMapping, BothHandshakesRunAsRtsCts) {
    EXPECT_EQ(flowControlFor(0), QSerialPort::NoFlowControl);
    EXPECT_EQ(flowControlFor(1), QSerialPort::SoftwareControl);
    EXPECT_EQ(flowControlFor(2), QSerialPort::HardwareControl);
    EXPECT_EQ(flowControlFor(3), QSerialPort::HardwareControl);
    EXPECT_EQ(stopBitsFor(2), QSerialPort::TwoStop);
    EXPECT_EQ(stopBitsFor(1), QSerialPort::OneStop);
}

TEST_F(QtSerialLinkTest, RefusesPortsAndSettingsNoLineHas) {
    EXPECT_FALSE(link.openPort({number + 40, 0, 1}));
    EXPECT_FALSE(link.lastError().isEmpty());
    EXPECT_FALSE(link.openPort({number, 0, 3}));
    EXPECT_FALSE(link.openPort({number, 4, 1}));
    EXPECT_FALSE(link.openPort({number, -1, 1}));
    EXPECT_FALSE(link.isPortOpen());

    // A recorded device that has gone away.
    PortCatalog stale(QString(), [] { return QStringList(); });
    const int gone = stale.numberFor(dir.filePath("no-such-tty"));
    QtSerialLink other(stale);
    EXPECT_FALSE(other.openPort({gone, 0, 1}));
    EXPECT_FALSE(other.isPortOpen());
    EXPECT_EQ(other.lastFailure().problem, DeviceProblem::Missing);
}

TEST_F(QtSerialLinkTest, EveryFailedOpenSaysWhyInBothLanguages) {
    PortCatalog ports(QString(), [] { return QStringList(); });
    QtSerialLink serial(ports);
    const auto reason = [&](int port, int language = 1) {
        EXPECT_FALSE(serial.openPort({port, 0, 1}));
        EXPECT_FALSE(serial.isPortOpen());
        return QString::fromStdString(serial.openFailureReason(language));
    };

    // Whatever a settings file names, only a terminal device is opened.
    QFile plain(dir.filePath("notes.txt"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    for (const QString& path : {QStringLiteral("/dev/null"), dir.path(), plain.fileName()})
        EXPECT_EQ(reason(ports.numberFor(path)), path + " is not a serial port.");
    EXPECT_EQ(reason(ports.numberFor(plain.fileName()), 2), plain.fileName() + " 不是串口。");
    EXPECT_EQ(reason(77), "COM77 stands for no device. Choose a port under Setup, Communication "
                          "Port.");

    // Held by someone else (here: this very adapter).
    ASSERT_TRUE(open());
    const int sameDevice = ports.numberFor(pty.slavePath());
    EXPECT_EQ(reason(sameDevice),
              pty.slavePath() + " is in use by another program. Close it and try again.");
    link.closePort();

    // Opened once, then gone: the cable was pulled.
    auto pulled = std::make_unique<PtyPair>();
    const int adapter = ports.numberFor(pulled->slavePath());
    ASSERT_TRUE(serial.openPort({adapter, 0, 1})) << serial.lastError().toStdString();
    serial.closePort();
    const QString path = pulled->slavePath();
    pulled.reset();
    if (!QFileInfo::exists(path)) { // a pseudo-terminal number may be taken again at once
        EXPECT_TRUE(reason(adapter).startsWith(path + " has gone away"));
    }
}

TEST(SerialDeviceTest, PermissionProblemNamesTheGroupAndTheRemedy) {
    // The advice follows owner, group and mode (PortPermissionTest has every case).
    DeviceAccess access;
    access.known = true;
    access.groupId = 20;
    access.group = "dialout";
    access.mode = 0660;
    const OpenFailure denied{DeviceProblem::Permission, "/dev/ttyUSB0", "dialout", {}, access};
    EXPECT_EQ(describe(denied, 1),
              "No permission to use /dev/ttyUSB0. Its group is dialout: run  sudo usermod -aG "
              "dialout $USER  and then log out and in again.");
    EXPECT_TRUE(describe(denied, 2).contains("sudo usermod -aG dialout $USER"));
    EXPECT_EQ(checkSerialPath("/no/such/device"), DeviceProblem::Missing);
    EXPECT_EQ(checkSerialPath("/dev/tty"), DeviceProblem::NotSerial)
        << "the program's own terminal";
}

TEST_F(QtSerialLinkTest, SendsCommandAndHandsOverAnswerArrivingInPiecesOnce) {
    ASSERT_TRUE(open());
    const QByteArray request("\x52\x00\x40\x40", 4);
    send(request, 69);
    EXPECT_EQ(pty.read(4, 1000), request);

    QByteArray answer("\x57\x00\x40\x40", 4);
    answer.append(QByteArray(64, '\x11'));
    answer.append('\x80');
    pty.write(answer.left(3));
    processEventsUntil([] { return false; }, 20);
    pty.write(answer.mid(3, 30));
    processEventsUntil([] { return false; }, 20);
    EXPECT_TRUE(answers.empty()) << "handed over before the expected count";
    pty.write(answer.mid(33));
    ASSERT_TRUE(processEventsUntil([&] { return !answers.empty(); }, 1000));
    processEventsUntil([] { return false; }, 30);
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0], answer);
    EXPECT_EQ(link.bytesSent(), 4);
    EXPECT_EQ(link.bytesReceived(), 69);
}

TEST_F(QtSerialLinkTest, SurplusBytesInTheSameDeliveryStayInTheAnswer) {
    ASSERT_TRUE(open());
    send(QByteArray("\x06", 1), 1);
    pty.read(1, 500);
    pty.write(QByteArray("\x06\x06", 2));
    ASSERT_TRUE(processEventsUntil([&] { return !answers.empty(); }, 1000));
    // The engine drops a two-byte acknowledge; the adapter must not trim it to look right.
    EXPECT_EQ(answers[0].size(), 2);
}

TEST_F(QtSerialLinkTest, SendDiscardsWhatArrivedBefore) {
    ASSERT_TRUE(open());
    send(QByteArray("\x02", 1), 14);
    pty.read(1, 500);
    // A late, partial answer to the previous command, already gathered by the adapter...
    pty.write(QByteArray("P89", 3));
    processEventsUntil([] { return false; }, 30);
    // ...and bytes still unread in the line.
    send(QByteArray("\x06", 1), 1);
    pty.write(QByteArray("\x06", 1));
    ASSERT_TRUE(processEventsUntil([&] { return !answers.empty(); }, 1000));
    EXPECT_EQ(answers[0], QByteArray("\x06", 1));
}

TEST_F(QtSerialLinkTest, AnswerTimerFiresOnceAfter300MsAndCanBeStopped) {
    ASSERT_TRUE(open());
    QElapsedTimer clock;
    clock.start();
    link.startAnswerTimer();
    ASSERT_TRUE(processEventsUntil([&] { return timeouts > 0; }, 2000));
    const qint64 elapsed = clock.elapsed();
    EXPECT_GE(elapsed, 295);
    EXPECT_LT(elapsed, 900); // late timers on a loaded machine, but not a second timer period
    processEventsUntil([] { return false; }, 400);
    EXPECT_EQ(timeouts, 1) << "single shot";

    link.startAnswerTimer();
    link.stopAnswerTimer();
    processEventsUntil([] { return false; }, 400);
    EXPECT_EQ(timeouts, 1);

    // Closing the port also stops a running timer.
    link.startAnswerTimer();
    link.closePort();
    processEventsUntil([] { return false; }, 400);
    EXPECT_EQ(timeouts, 1);
}

TEST_F(QtSerialLinkTest, TraceRecordsBytesBothWaysWithTimes) {
    QBuffer trace;
    trace.open(QIODevice::WriteOnly);
    link.setTrace(&trace);
    ASSERT_TRUE(open());
    send(QByteArray("PROGRAM"), 1);
    pty.read(7, 500);
    pty.write(QByteArray("\x06", 1));
    ASSERT_TRUE(processEventsUntil([&] { return !answers.empty(); }, 1000));
    link.closePort();
    const QStringList lines = QString::fromLatin1(trace.data()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4) << trace.data().toStdString();
    EXPECT_TRUE(lines[0].contains("# open ")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].endsWith("> 50 52 4F 47 52 41 4D")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].endsWith("< 06")) << lines[2].toStdString();
    EXPECT_TRUE(lines[3].endsWith("# close"));
    bool ok = false;
    EXPECT_GE(lines[2].section(' ', 0, 0, QString::SectionSkipEmpty).toDouble(&ok), 0.0);
    EXPECT_TRUE(ok);
}

} // namespace
} // namespace zx::platform
