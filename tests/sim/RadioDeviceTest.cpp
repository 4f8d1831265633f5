// The radio's answers without a terminal: identity answer layout, block reads and writes,
// programming mode, where in a chunk each command was recognised, and the fault rules.
#include "sim/RadioDevice.h"

#include <gtest/gtest.h>
#include <numeric>
#include <string_view>

namespace zx::sim {
namespace {

Bytes text(std::string_view s) {
    return Bytes(s.begin(), s.end());
}

Bytes cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

// Joins the pieces of every reply, as the program's receive buffer would see them.
Bytes wire(const std::vector<Reply>& replies) {
    Bytes out;
    for (const Reply& r : replies) {
        for (const Bytes& p : r.pieces)
            out.insert(out.end(), p.begin(), p.end());
        if (r.surplus)
            out.push_back(kSurplusByte);
    }
    return out;
}

Memory patterned() {
    Memory m;
    for (std::size_t i = 0; i < m.size(); ++i)
        m[i] = std::uint8_t(i * 7 + 3);
    return m;
}

struct DeviceTest : ::testing::Test {
    RadioOptions options;
    Memory memory = patterned();

    RadioDevice make() { return RadioDevice(options, memory); }
    static Bytes talk(RadioDevice& d, const Bytes& bytes) { return wire(d.receive(bytes)); }
};

TEST_F(DeviceTest, IdentityAnswerCarriesModelBandTypeAndVersion) {
    options.modelCode = "8900";
    options.dataVersion = "V311";
    options.bandCode = 1;
    RadioDevice d = make();
    EXPECT_EQ(d.memory()[kBandCodeAddress], 1);
    talk(d, text("PROGRAM"));
    EXPECT_EQ(talk(d, {0x02}),
              (Bytes{'P', '8', '9', '0', '0', 1, 0xF8, 0xFF, 'V', '3', '1', '1', 0xFF, 0xFF}));

    // A short model code is padded; a band byte that is no band code reads as band 0.
    options.modelCode = "89";
    options.bandCode.reset();
    memory[kBandCodeAddress] = 0xFF;
    RadioDevice other = make();
    talk(other, text("PROGRAM"));
    const Bytes answer = talk(other, {0x02});
    ASSERT_EQ(answer.size(), 14u);
    EXPECT_EQ(Bytes(answer.begin() + 1, answer.begin() + 5), text("89  "));
    EXPECT_EQ(answer[5], 0);
}

TEST_F(DeviceTest, ReadBlockAnswersWithMemoryAndChecksum) {
    RadioDevice d = make();
    talk(d, text("PROGRAM"));
    const Bytes answer = talk(d, {'R', 0x1D, 0x80, 0x10});
    ASSERT_EQ(answer.size(), 16u + 5u);
    EXPECT_EQ(answer[0], 'W');
    EXPECT_EQ(answer[1], 0x1D);
    EXPECT_EQ(answer[2], 0x80);
    EXPECT_EQ(answer[3], 0x10);
    EXPECT_EQ(Bytes(answer.begin() + 4, answer.end() - 1),
              Bytes(memory.begin() + 0x1D80, memory.begin() + 0x1D90));
    const unsigned sum = std::accumulate(answer.begin() + 1, answer.end() - 1, 0u);
    EXPECT_EQ(answer.back(), std::uint8_t(sum));
}

TEST_F(DeviceTest, WriteBlockIsStoredOnlyWithAGoodChecksum) {
    RadioDevice d = make();
    talk(d, text("PROGRAM"));
    const Bytes data{1, 2, 3, 4};
    const std::uint8_t sum = std::uint8_t(0x1F + 0x00 + 4 + 1 + 2 + 3 + 4);
    EXPECT_EQ(talk(d, cat({{'W', 0x1F, 0x00, 4}, data, {sum}})), Bytes{0x06});
    EXPECT_EQ(Bytes(d.memory().begin() + 0x1F00, d.memory().begin() + 0x1F04), data);

    const Bytes other{9, 9, 9, 9};
    EXPECT_TRUE(talk(d, cat({{'W', 0x1F, 0x00, 4}, other, {sum}})).empty());
    EXPECT_EQ(Bytes(d.memory().begin() + 0x1F00, d.memory().begin() + 0x1F04), data);
    EXPECT_EQ(d.stats().badChecksumWrites, 1);
    EXPECT_EQ(d.log().back().outcome, Outcome::BadChecksum);
    // The radio is not wedged by the rejected frame.
    EXPECT_EQ(talk(d, {0x06}), Bytes{0x06});
}

TEST_F(DeviceTest, EndLeavesProgrammingMode) {
    RadioDevice d = make();
    EXPECT_TRUE(talk(d, {0x02, 0x06}).empty());
    EXPECT_EQ(talk(d, text("PROGRAM")), Bytes{0x06});
    EXPECT_TRUE(d.programmingMode());
    EXPECT_EQ(talk(d, {'E'}), Bytes{0x06});
    EXPECT_FALSE(d.programmingMode());
    EXPECT_TRUE(talk(d, {0x02, 'R', 0x00, 0x00, 0x10}).empty());
    EXPECT_EQ(talk(d, cat({text("PROGRAM"), {0x06}})), (Bytes{0x06, 0x06}));
}

TEST_F(DeviceTest, RepliesSayWhereInTheChunkTheirCommandEnded) {
    RadioDevice d = make();
    const auto replies = d.receive(cat({text("xPROGRAM"), {0x02, 0x06}}));
    ASSERT_EQ(replies.size(), 3u);
    EXPECT_EQ(replies[0].receivedBytes, 8u);
    EXPECT_EQ(replies[1].receivedBytes, 9u);
    EXPECT_EQ(replies[2].receivedBytes, 10u);
    EXPECT_EQ(d.stats().garbageBytes, 1);
    EXPECT_EQ(d.stats().bytesReceived, 10);
}

TEST_F(DeviceTest, DropRuleCountsAnswersOfOneCommandOnly) {
    options.faults.dropAnswers = {{CommandKind::Ack, 2}};
    RadioDevice d = make();
    talk(d, text("PROGRAM"));
    EXPECT_EQ(talk(d, {0x06}), Bytes{0x06});
    EXPECT_TRUE(talk(d, {0x06}).empty());
    EXPECT_EQ(talk(d, {0x06}), Bytes{0x06});
    EXPECT_EQ(d.log()[2].outcome, Outcome::Dropped);
    EXPECT_EQ(d.stats().count(CommandKind::Ack), 3);
}

TEST_F(DeviceTest, DroppedWriteAnswerStillStoresTheBlock) {
    options.faults.dropAnswers = {{CommandKind::Write, 0}}; // every write answer
    RadioDevice d = make();
    talk(d, text("PROGRAM"));
    EXPECT_TRUE(talk(d, {'W', 0x00, 0x00, 1, 0x42, 0x43}).empty());
    EXPECT_EQ(d.memory()[0], 0x42);
}

TEST_F(DeviceTest, SplitAnswerKeepsItsBytesInOrder) {
    options.faults.splitPieces = 4;
    RadioDevice d = make();
    talk(d, text("PROGRAM"));
    const auto replies = d.receive(Bytes{0x02});
    ASSERT_EQ(replies.size(), 1u);
    ASSERT_EQ(replies[0].pieces.size(), 4u);
    EXPECT_EQ(replies[0].pieces[0].size(), 4u); // 14 = 4 + 4 + 3 + 3
    EXPECT_EQ(replies[0].pieces[3].size(), 3u);
    EXPECT_EQ(wire(replies), d.identityAnswer());
    // A one-byte answer cannot be split further.
    EXPECT_EQ(d.receive(Bytes{0x06})[0].pieces.size(), 1u);
}

TEST_F(DeviceTest, SilenceAfterBlocksCoversEveryLaterCommand) {
    options.faults.silentAfterBlocks = 1;
    RadioDevice d = make();
    talk(d, text("PROGRAM"));
    EXPECT_EQ(talk(d, {'R', 0x00, 0x00, 0x01}).size(), 6u);
    EXPECT_EQ(talk(d, {0x06}), Bytes{0x06}); // silence starts at the next block
    EXPECT_TRUE(talk(d, {'W', 0x00, 0x00, 1, 0x42, 0x43}).empty());
    EXPECT_NE(d.memory()[0], 0x42);
    EXPECT_TRUE(talk(d, cat({{0x06}, text("PROGRAM"), {0x02}})).empty());
    EXPECT_TRUE(d.silent());
}

} // namespace
} // namespace zx::sim
