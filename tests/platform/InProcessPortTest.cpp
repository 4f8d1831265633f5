// The virtual radio on an in-process line, reached through the radio link's own serial
// adapter: the port list shows the line, whole answers arrive through the event loop, a purge
// drops what came before, and a radio that stopped is a port that has gone away.
#include "platform/InProcessPort.h"

#include "platform/EventLoop.h"
#include "platform/PortCatalog.h"
#include "platform/QtSerialLink.h"
#include "sim/InProcessLine.h"
#include "sim/VirtualRadio.h"

#include <QTemporaryDir>
#include <chrono>
#include <gtest/gtest.h>
#include <vector>

namespace zx::platform {
namespace {

using zx::test::processEventsUntil;

class InProcessPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        zx::test::ensureCoreApplication();
        ASSERT_TRUE(dir.isValid());
        sim::Memory memory = sim::VirtualRadio::blankMemory();
        memory[0x1D87] = 1;
        radio = std::make_unique<sim::VirtualRadio>(sim::RadioOptions{}, memory);
        registration = std::make_unique<InProcessRegistration>(radio->startInProcess("test radio"));
        link.setReceiver(
            [this](std::span<const std::uint8_t> answer) {
                answers.emplace_back(reinterpret_cast<const char*>(answer.data()),
                                     qsizetype(answer.size()));
            },
            [this] { ++timeouts; });
    }

    // Sends and waits for the answer of `expected` bytes.
    QByteArray exchange(const QByteArray& command, int expected) {
        answers.clear();
        link.send({reinterpret_cast<const std::uint8_t*>(command.constData()),
                   std::size_t(command.size())},
                  expected);
        if (!processEventsUntil([&] { return !answers.empty(); }, 2000))
            return {};
        return answers.front();
    }

    QTemporaryDir dir;
    std::unique_ptr<sim::VirtualRadio> radio;
    std::unique_ptr<InProcessRegistration> registration;
    PortCatalog catalog{dir.filePath("mysetup.ini"), [] { return QStringList(); }};
    QtSerialLink link{catalog};
    std::vector<QByteArray> answers;
    int timeouts = 0;
};

TEST_F(InProcessPortTest, TheLineIsListedAndHoldsAConversationWithWholeAnswers) {
    EXPECT_TRUE(isInProcessLine("test radio"));
    EXPECT_FALSE(isInProcessLine("/dev/ttyS0"));
    const int number = catalog.numberFor("test radio");
    ASSERT_GT(number, 0);
    EXPECT_EQ(catalog.deviceFor(number), "test radio");
    bool listed = false;
    for (const PortCatalog::Entry& entry : catalog.entries())
        listed = listed || (entry.number == number && entry.device == "test radio");
    EXPECT_TRUE(listed);

    // Line settings mean nothing on the line; every combination the search tries opens.
    for (int handshaking = 0; handshaking <= 3; ++handshaking)
        for (int stopBits = 1; stopBits <= 2; ++stopBits)
            ASSERT_TRUE(link.openPort({number, handshaking, stopBits}))
                << link.lastError().toStdString();
    EXPECT_EQ(exchange("PROGRAM", 1), QByteArray("\x06", 1));
    const QByteArray identity = exchange(QByteArray("\x02", 1), 14);
    ASSERT_EQ(identity.size(), 14);
    EXPECT_EQ(identity.left(5), "P8900");
    EXPECT_EQ(exchange(QByteArray("\x06", 1), 1), QByteArray("\x06", 1));
    const QByteArray block = exchange(QByteArray("R\x1D\x80\x20", 4), 0x25);
    ASSERT_EQ(block.size(), 0x25);
    EXPECT_EQ(block[4 + 7], 1);
    EXPECT_EQ(exchange("E", 1), QByteArray("\x06", 1));
    EXPECT_EQ(link.bytesReceived(), 1 + 14 + 1 + 0x25 + 1);
    EXPECT_EQ(timeouts, 0);
    link.closePort();
    EXPECT_FALSE(link.isPortOpen());
}

TEST_F(InProcessPortTest, ARadioThatStoppedIsAPortThatWentAway) {
    const int number = catalog.numberFor("test radio");
    ASSERT_TRUE(link.openPort({number, 0, 1}));
    EXPECT_EQ(exchange("PROGRAM", 1), QByteArray("\x06", 1));
    radio->stop();
    // The next command meets a line with nobody on it: the port closes itself and the answer
    // timer, not a hang, ends the wait.
    answers.clear();
    link.send({reinterpret_cast<const std::uint8_t*>("\x02"), 1}, 14);
    link.startAnswerTimer();
    ASSERT_TRUE(processEventsUntil([&] { return timeouts > 0; }, 2000));
    EXPECT_TRUE(answers.empty());
    EXPECT_FALSE(link.isPortOpen());

    // Once the line is gone from the list, opening it says it went away.
    registration.reset();
    EXPECT_FALSE(link.openPort({number, 0, 1}));
    EXPECT_EQ(link.lastFailure().problem, DeviceProblem::Vanished);
    EXPECT_FALSE(QString::fromStdString(link.openFailureReason(2)).isEmpty());
}

TEST(InProcessLine, PurgeDropsWhatNeitherEndHasReadAndAStopWakesTheRadio) {
    sim::InProcessLine line("line");
    int told = 0;
    line.setProgramListener([&] { ++told; });
    const std::uint8_t bytes[] = {1, 2, 3};
    EXPECT_EQ(line.write(bytes, std::chrono::milliseconds(0)), 3u);
    EXPECT_EQ(told, 1);
    line.programWrite(bytes);
    EXPECT_EQ(line.waitForInput(std::chrono::milliseconds(0)), sim::RadioLine::Wait::Input);
    line.purge();
    EXPECT_EQ(line.programAvailable(), 0u);
    EXPECT_EQ(line.waitForInput(std::chrono::milliseconds(1)), sim::RadioLine::Wait::Timeout);

    line.wake();
    EXPECT_EQ(line.waitForInput(std::nullopt), sim::RadioLine::Wait::Woken);
    EXPECT_FALSE(line.sleepUntil(sim::RadioLine::Clock::now() + std::chrono::seconds(5)));
    EXPECT_TRUE(line.radioGone());
    EXPECT_EQ(line.write(bytes, std::chrono::milliseconds(0)), 0u) << "nobody sends any more";
}

} // namespace
} // namespace zx::platform
