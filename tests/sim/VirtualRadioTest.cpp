// The virtual radio on its pseudo-terminal, driven like a serial port: a whole conversation,
// commands in pieces, garbage, re-opening the port, partial commands, pacing and the dump.
#include "sim/VirtualRadio.h"

#include "sim/SerialClient.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace zx::sim {
namespace {

using test::Bytes;
using test::bytesOf;
using test::SerialClient;
using namespace std::chrono_literals;

Bytes readCommand(int address, int length) {
    return {'R', std::uint8_t(address >> 8), std::uint8_t(address), std::uint8_t(length)};
}

Bytes writeCommand(int address, const Bytes& data) {
    Bytes out{'W', std::uint8_t(address >> 8), std::uint8_t(address), std::uint8_t(data.size())};
    unsigned sum = out[1] + out[2] + out[3];
    for (auto b : data)
        sum += b;
    out.insert(out.end(), data.begin(), data.end());
    out.push_back(std::uint8_t(sum));
    return out;
}

TEST(VirtualRadio, ServesAWholeConversationOnItsTerminal) {
    Memory memory = VirtualRadio::blankMemory();
    memory[0x1D87] = 1;
    memory[0x1D9F] = 0x5A;
    VirtualRadio radio({}, memory);
    radio.start();
    ASSERT_FALSE(radio.devicePath().empty());
    SerialClient port(radio.devicePath());

    EXPECT_EQ(port.exchange(bytesOf("PROGRAM"), 1), Bytes{0x06});
    const Bytes identity = port.exchange({0x02}, 14);
    ASSERT_EQ(identity.size(), 14u);
    EXPECT_EQ(Bytes(identity.begin(), identity.begin() + 5), bytesOf("P8900"));
    EXPECT_EQ(identity[5], 1);
    EXPECT_EQ(port.exchange({0x06}, 1), Bytes{0x06});

    const Bytes block = port.exchange(readCommand(0x1D80, 0x20), 0x20 + 5);
    ASSERT_EQ(block.size(), 0x25u);
    EXPECT_EQ(block[4 + 7], 1);       // 1D87
    EXPECT_EQ(block[4 + 0x1F], 0x5A); // 1D9F

    const Bytes data{0x28, 0x01, 0x50, 0x00, 0x00, 0x28, 0x01, 0x50};
    EXPECT_EQ(port.exchange(writeCommand(0x0010, data), 1), Bytes{0x06});
    EXPECT_EQ(radio.readMemory(0x0010, 8), data);
    EXPECT_EQ(port.exchange({'E'}, 1), Bytes{0x06});
    EXPECT_TRUE(port.drain().empty());

    ASSERT_TRUE(radio.waitForCommands(6, 1s));
    const auto log = radio.log();
    ASSERT_EQ(log.size(), 6u);
    EXPECT_EQ(log[3].kind, CommandKind::Read);
    EXPECT_EQ(log[3].address, 0x1D80);
    EXPECT_EQ(log[4].kind, CommandKind::Write);
    EXPECT_FALSE(radio.programmingMode());
    EXPECT_EQ(radio.stats().bytesSent, 1 + 14 + 1 + 0x25 + 1 + 1);
}

TEST(VirtualRadio, CommandsInPiecesAndGarbageBetweenThem) {
    VirtualRadio radio;
    radio.start();
    SerialClient port(radio.devicePath());

    // Bytes before the hand-shake are ignored, as the radio is not listening yet.
    EXPECT_TRUE(port.exchange({0x02, 0x06}, 1, 100ms).empty());

    port.send("PRO");
    std::this_thread::sleep_for(20ms);
    port.send("GR");
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(port.exchange(bytesOf("AM"), 1), Bytes{0x06});

    const Bytes frame = writeCommand(0x0100, Bytes(16, 0xA5));
    port.send(Bytes(frame.begin(), frame.begin() + 3));
    std::this_thread::sleep_for(20ms);
    port.send(Bytes(frame.begin() + 3, frame.begin() + 10));
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(port.exchange(Bytes(frame.begin() + 10, frame.end()), 1), Bytes{0x06});
    EXPECT_EQ(radio.readMemory(0x0100, 16), Bytes(16, 0xA5));

    // Noise on the line, then a command: the radio finds it.
    port.send({0x33, 0x99, 0xFE});
    EXPECT_EQ(port.exchange({0x06}, 1), Bytes{0x06});
    EXPECT_TRUE(port.drain().empty());
    EXPECT_EQ(radio.stats().garbageBytes, 2 + 3);
}

TEST(VirtualRadio, PortCanBeClosedAndOpenedAgain) {
    VirtualRadio radio;
    radio.start();
    for (int round = 0; round < 3; ++round) {
        SerialClient port(radio.devicePath());
        EXPECT_EQ(port.exchange(bytesOf("PROGRAM"), 1), Bytes{0x06}) << "round " << round;
        EXPECT_EQ(port.exchange({'E'}, 1), Bytes{0x06});
    }
    EXPECT_EQ(radio.stats().count(CommandKind::Program), 3);
}

TEST(VirtualRadio, IncompleteCommandIsGivenUpAfterAPause) {
    RadioOptions options;
    options.partialTimeout = 50ms;
    VirtualRadio radio(options);
    radio.start();
    SerialClient port(radio.devicePath());
    ASSERT_EQ(port.exchange(bytesOf("PROGRAM"), 1), Bytes{0x06});
    // A stray read header start; without the pause rule the identify request would be
    // taken as its length byte.
    port.send({'R', 0x00});
    std::this_thread::sleep_for(150ms);
    EXPECT_EQ(port.exchange({0x02}, 14).size(), 14u);
    EXPECT_EQ(radio.stats().partialDiscards, 1);
}

TEST(VirtualRadio, PacedExchangeTakesItsWireTime) {
    RadioOptions options;
    options.paced = true;
    VirtualRadio radio(options);
    radio.start();
    SerialClient port(radio.devicePath());

    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(port.exchange(bytesOf("PROGRAM"), 1), Bytes{0x06});
    ASSERT_EQ(port.exchange({0x02}, 14).size(), 14u);
    ASSERT_EQ(port.exchange(readCommand(0x0000, 64), 69).size(), 69u);
    ASSERT_EQ(port.exchange({0x06}, 1).size(), 1u);
    const auto elapsed = std::chrono::steady_clock::now() - start;

    const auto wire = VirtualRadio::wireTime(7 + 1 + 1 + 14 + 4 + 69 + 1 + 1); // 98 bytes
    EXPECT_GE(elapsed, wire);
    // Generous upper bound: a loaded test machine delays threads, but not by a whole wire time.
    EXPECT_LT(elapsed, wire * 2);
}

TEST(VirtualRadio, PacedAnswerArrivesProgressively) {
    RadioOptions options;
    options.paced = true;
    VirtualRadio radio(options);
    radio.start();
    SerialClient port(radio.devicePath());
    ASSERT_EQ(port.exchange(bytesOf("PROGRAM"), 1), Bytes{0x06});
    port.send(readCommand(0x0000, 64));
    // A paced answer trickles in: reading as it comes must see part of it before the rest.
    // (Watching counts rather than sleeping a fixed time keeps this sound on a loaded machine.)
    std::size_t total = 0;
    bool sawPart = false;
    while (total < 69u) {
        const Bytes piece = port.read(1);
        ASSERT_EQ(piece.size(), 1u) << "answer stopped after " << total << " bytes";
        total += 1 + port.drain(0ms).size();
        sawPart = sawPart || (total > 0 && total < 69u);
    }
    EXPECT_EQ(total, 69u);
    EXPECT_TRUE(sawPart);
}

TEST(VirtualRadio, MemoryDumpAndObserver) {
    std::vector<LogEntry> seen;
    Memory memory = VirtualRadio::blankMemory();
    memory[0x1FFF] = 0x12;
    VirtualRadio radio({}, memory);
    radio.setObserver([&seen](const LogEntry& entry) { seen.push_back(entry); });
    radio.start();
    {
        SerialClient port(radio.devicePath());
        port.exchange(bytesOf("PROGRAM"), 1);
        port.exchange(writeCommand(0x0000, {0x77}), 1);
    }
    radio.stop();
    EXPECT_FALSE(radio.running());
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].kind, CommandKind::Write);

    const std::string path = ::testing::TempDir() + "sim_dump.bin";
    radio.dumpMemory(path);
    std::ifstream in(path, std::ios::binary);
    const Bytes dumped((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(dumped.size(), kMemorySize);
    EXPECT_EQ(dumped[0], 0x77);
    EXPECT_EQ(dumped[1], 0xFF);
    EXPECT_EQ(dumped[0x1FFF], 0x12);
    std::remove(path.c_str());
    EXPECT_THROW(radio.dumpMemory("/nonexistent-dir/x.bin"), std::runtime_error);
}

} // namespace
} // namespace zx::sim
