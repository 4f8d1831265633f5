// The Windows serial port: line settings and error codes as the Win32 communications API
// takes them, and, on a COM port the test driver maps to a virtual radio's pseudo-terminal
// (ZX_WINE_COM_PORT), both stop-bit counts, a whole hand-shake and the port held by another
// program. Without such a port those cases are skipped.
#include "platform/SerialPortWindows.h"

#include "platform/EventLoop.h"
#include "platform/PortCatalog.h"
#include "platform/QtSerialLink.h"

#include <QByteArray>
#include <gtest/gtest.h>
#include <vector>

namespace zx::platform {
namespace {

using zx::test::processEventsUntil;

// Wine gives a serial port to every program that opens it; Windows to one at a time.
bool runningUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

TEST(SerialPortOnWindows, LineSettingsAre9600N8WithTheStopBitsAndHandshakingGiven) {
    struct Case {
        int stopBits, handshaking;
        BYTE stopField;
        bool xonXoff, ctsFlow;
    };
    for (const Case c :
         {Case{1, 0, ONESTOPBIT, false, false}, Case{2, 0, TWOSTOPBITS, false, false},
          Case{1, 1, ONESTOPBIT, true, false}, Case{2, 2, TWOSTOPBITS, false, true},
          Case{1, 3, ONESTOPBIT, true, true}}) {
        DCB dcb{};
        dcb.fParity = TRUE;
        dcb.fOutxDsrFlow = TRUE;
        applyLineSettings(dcb, c.stopBits, c.handshaking);
        EXPECT_EQ(dcb.BaudRate, DWORD(9600));
        EXPECT_EQ(dcb.ByteSize, 8);
        EXPECT_EQ(dcb.Parity, NOPARITY);
        EXPECT_FALSE(dcb.fParity);
        EXPECT_TRUE(dcb.fBinary);
        EXPECT_FALSE(dcb.fOutxDsrFlow);
        EXPECT_EQ(dcb.StopBits, c.stopField) << c.stopBits;
        EXPECT_EQ(bool(dcb.fOutX), c.xonXoff) << c.handshaking;
        EXPECT_EQ(bool(dcb.fInX), c.xonXoff) << c.handshaking;
        EXPECT_EQ(bool(dcb.fOutxCtsFlow), c.ctsFlow) << c.handshaking;
        EXPECT_EQ(dcb.fRtsControl, DWORD(c.ctsFlow ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE));
        EXPECT_EQ(dcb.fDtrControl, DWORD(DTR_CONTROL_ENABLE)) << "the cable's power";
    }
}

TEST(SerialPortOnWindows, ErrorCodesSayMissingBusyOrUnplugged) {
    EXPECT_EQ(serialErrorFor(ERROR_FILE_NOT_FOUND, false), SerialError::NotFound);
    EXPECT_EQ(serialErrorFor(ERROR_INVALID_FUNCTION, false), SerialError::NotFound)
        << "a port name whose device is gone";
    EXPECT_EQ(serialErrorFor(ERROR_ACCESS_DENIED, false), SerialError::Busy);
    EXPECT_EQ(serialErrorFor(ERROR_SHARING_VIOLATION, false), SerialError::Busy);
    EXPECT_EQ(serialErrorFor(ERROR_ACCESS_DENIED, true), SerialError::Unplugged);
    EXPECT_EQ(serialErrorFor(ERROR_DEVICE_NOT_CONNECTED, true), SerialError::Unplugged);
    EXPECT_EQ(serialErrorFor(ERROR_BAD_COMMAND, true), SerialError::Unplugged);
    EXPECT_EQ(serialErrorFor(ERROR_INVALID_PARAMETER, false), SerialError::BadSetting);
    EXPECT_EQ(devicePathFor("COM12"), "\\\\.\\COM12");
    EXPECT_EQ(devicePathFor("\\\\.\\COM3"), "\\\\.\\COM3");
    EXPECT_FALSE(systemMessage(ERROR_FILE_NOT_FOUND).isEmpty());
}

TEST(SerialPortOnWindows, APortThatDoesNotExistSaysSoInBothLanguages) {
    zx::test::ensureCoreApplication();
    PortCatalog catalog(QString(), [] { return QStringList(); });
    QtSerialLink link(catalog);
    EXPECT_FALSE(link.openPort({231, 0, 1}));
    EXPECT_FALSE(link.isPortOpen());
    EXPECT_EQ(link.lastFailure().problem, DeviceProblem::Missing);
    EXPECT_EQ(QString::fromStdString(link.openFailureReason(1)),
              "COM231 does not exist. Is the programming cable plugged in?");
    EXPECT_EQ(QString::fromStdString(link.openFailureReason(2)),
              "COM231 不存在。写频线是否已插好？");
}

class MappedPort : public ::testing::Test {
protected:
    void SetUp() override {
        zx::test::ensureCoreApplication();
        name = qEnvironmentVariable("ZX_WINE_COM_PORT");
        if (name.isEmpty())
            GTEST_SKIP() << "no COM port mapped to a virtual radio (ZX_WINE_COM_PORT)";
        number = PortCatalog::parsePortName(name);
        ASSERT_GT(number, 0);
        link.setReceiver(
            [this](std::span<const std::uint8_t> answer) {
                answers.emplace_back(reinterpret_cast<const char*>(answer.data()),
                                     qsizetype(answer.size()));
            },
            [] {});
    }

    QByteArray exchange(const QByteArray& command, int expected) {
        answers.clear();
        link.send({reinterpret_cast<const std::uint8_t*>(command.constData()),
                   std::size_t(command.size())},
                  expected);
        if (!processEventsUntil([&] { return !answers.empty(); }, 3000))
            return {};
        return answers.front();
    }

    QString name;
    int number = 0;
    PortCatalog catalog{QString(), [] { return QStringList(); }};
    QtSerialLink link{catalog};
    std::vector<QByteArray> answers;
};

TEST_F(MappedPort, BothStopBitCountsReachTheLine) {
    for (const int stopBits : {1, 2}) {
        const std::wstring path = devicePathFor(name).toStdWString();
        const HANDLE port = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(port, INVALID_HANDLE_VALUE) << GetLastError();
        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        ASSERT_TRUE(GetCommState(port, &dcb));
        applyLineSettings(dcb, stopBits, 0);
        EXPECT_TRUE(SetCommState(port, &dcb)) << GetLastError();
        DCB back{};
        back.DCBlength = sizeof back;
        ASSERT_TRUE(GetCommState(port, &back));
        EXPECT_EQ(back.StopBits, stopBits == 2 ? TWOSTOPBITS : ONESTOPBIT);
        EXPECT_EQ(back.BaudRate, DWORD(9600));
        EXPECT_EQ(back.ByteSize, 8);
        EXPECT_EQ(back.Parity, NOPARITY);
        CloseHandle(port);

        // The adapter opens with it and holds a whole hand-shake.
        ASSERT_TRUE(link.openPort({number, 0, stopBits})) << link.lastError().toStdString();
        EXPECT_EQ(exchange("PROGRAM", 1), QByteArray("\x06", 1)) << stopBits;
        const QByteArray identity = exchange(QByteArray("\x02", 1), 14);
        EXPECT_EQ(identity.left(5), "P8900") << stopBits;
        EXPECT_EQ(exchange(QByteArray("\x06", 1), 1), QByteArray("\x06", 1));
        EXPECT_EQ(exchange("E", 1), QByteArray("\x06", 1));
        link.closePort();
    }
}

TEST_F(MappedPort, APortHeldByAnotherProgramSaysSo) {
    if (runningUnderWine())
        GTEST_SKIP() << "Wine lets every opener have a serial port; the refusal Windows gives "
                        "(ERROR_ACCESS_DENIED) is covered by ErrorCodesSayMissingBusyOrUnplugged";
    ASSERT_TRUE(link.openPort({number, 0, 1})) << link.lastError().toStdString();
    QtSerialLink second(catalog);
    EXPECT_FALSE(second.openPort({number, 0, 1}));
    EXPECT_EQ(second.lastFailure().problem, DeviceProblem::Busy);
    EXPECT_EQ(QString::fromStdString(second.openFailureReason(1)),
              name + " is in use by another program. Close it and try again.");
    link.closePort();
    EXPECT_TRUE(second.openPort({number, 0, 1})) << "free again once closed";
    second.closePort();
}

} // namespace
} // namespace zx::platform
