// Injected faults as the program sees them on the terminal: a wrong block checksum, answers
// in pieces with gaps, and a surplus byte, paced or not. (Which answers are dropped or
// silenced is settled in RadioDeviceTest.)
#include "sim/SerialClient.h"
#include "sim/VirtualRadio.h"

#include <gtest/gtest.h>
#include <numeric>

namespace zx::sim {
namespace {

using test::Bytes;
using test::bytesOf;
using test::SerialClient;
using namespace std::chrono_literals;

Bytes readCommand(int address, int length) {
    return {'R', std::uint8_t(address >> 8), std::uint8_t(address), std::uint8_t(length)};
}

bool checksumOk(const Bytes& frame) {
    const unsigned sum = std::accumulate(frame.begin() + 1, frame.end() - 1, 0u);
    return frame.size() >= 5 && frame.back() == std::uint8_t(sum);
}

struct FaultTest : ::testing::Test {
    RadioOptions options;
    std::unique_ptr<VirtualRadio> radio;
    std::unique_ptr<SerialClient> port;

    void startRadio() {
        radio = std::make_unique<VirtualRadio>(options);
        radio->start();
        port = std::make_unique<SerialClient>(radio->devicePath());
        ASSERT_EQ(port->exchange(bytesOf("PROGRAM"), 1), Bytes{0x06});
    }
};

TEST_F(FaultTest, BadChecksumOnTheNthBlockAnswer) {
    options.faults.badChecksumBlock = 2;
    startRadio();
    const Bytes first = port->exchange(readCommand(0x0000, 64), 69);
    const Bytes second = port->exchange(readCommand(0x0040, 64), 69);
    const Bytes third = port->exchange(readCommand(0x0040, 64), 69);
    ASSERT_EQ(second.size(), 69u);
    EXPECT_TRUE(checksumOk(first));
    EXPECT_FALSE(checksumOk(second));
    EXPECT_TRUE(checksumOk(third));
    // Only the checksum byte is wrong.
    EXPECT_EQ(Bytes(second.begin(), second.end() - 1), Bytes(third.begin(), third.end() - 1));
}

TEST_F(FaultTest, SplitAnswerComesInPiecesWithGaps) {
    options.faults.splitPieces = 3;
    options.faults.splitGap = 40ms;
    startRadio(); // the one-byte acknowledge cannot be split
    const auto start = std::chrono::steady_clock::now();
    port->send({0x02});
    const Bytes firstPiece = port->read(14, 25ms);
    const Bytes rest = port->read(14 - firstPiece.size());
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(firstPiece.size(), 5u); // 14 = 5 + 5 + 4
    EXPECT_EQ(rest.size(), 9u);
    EXPECT_GE(elapsed, 80ms);
    Bytes whole = firstPiece;
    whole.insert(whole.end(), rest.begin(), rest.end());
    EXPECT_EQ(Bytes(whole.begin(), whole.begin() + 5), bytesOf("P8900"));
}

TEST_F(FaultTest, SurplusByteFollowsTheChosenAnswer) {
    options.faults.surplusAfter = {{CommandKind::Read, 1}};
    startRadio();
    port->send(readCommand(0x0000, 16));
    const Bytes answer = port->drain();
    ASSERT_EQ(answer.size(), 16u + 5u + 1u);
    EXPECT_EQ(answer.back(), kSurplusByte);
    port->send(readCommand(0x0000, 16));
    EXPECT_EQ(port->drain().size(), 21u);
}

TEST_F(FaultTest, PacedSurplusByteArrivesWithTheLastAnswerByte) {
    options.paced = true;
    options.faults.surplusAfter = {{CommandKind::Ack, 1}};
    startRadio();
    // The receiving side asks for exactly one byte and looks as soon as it is there; the
    // surplus byte must already be in the buffer.
    port->send({0x06});
    const Bytes first = port->read(1);
    ASSERT_EQ(first, Bytes{0x06});
    EXPECT_EQ(port->drain(0ms), Bytes{kSurplusByte});
}

TEST_F(FaultTest, WrongByteIsStoredWhileTheWriteIsAcknowledged) {
    options.faults.wrongByteAt = 0x0123;
    options.faults.wrongByteXor = 0x80;
    startRadio();
    Bytes write{'W', 0x01, 0x20, 16};
    for (int i = 0; i < 16; ++i)
        write.push_back(std::uint8_t(i));
    write.push_back(std::uint8_t(std::accumulate(write.begin() + 1, write.end(), 0u)));
    EXPECT_EQ(port->exchange(write, 1), Bytes{0x06});
    const Bytes stored = radio->readMemory(0x0120, 16);
    EXPECT_EQ(stored[2], 0x02);
    EXPECT_EQ(stored[3], 0x03 ^ 0x80) << "the chosen address holds a wrong byte";
    EXPECT_EQ(stored[4], 0x04);
}

} // namespace
} // namespace zx::sim
