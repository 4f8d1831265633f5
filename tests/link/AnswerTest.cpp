// Command framing and the classification of answers: what is taken and what is dropped.
#include "link/Answer.h"

#include "link/Command.h"

#include <gtest/gtest.h>

namespace zx::link {
namespace {

Bytes block(int address, int length, std::uint8_t fill = 0x5A) {
    const Bytes data(static_cast<std::size_t>(length), fill);
    return blockAnswer(address, data);
}

TEST(CommandTest, FramesEveryCommand) {
    EXPECT_EQ(handshake(), (Bytes{0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D}));
    EXPECT_EQ(identify(), Bytes{0x02});
    EXPECT_EQ(acknowledge(), Bytes{0x06});
    EXPECT_EQ(end(), Bytes{0x45});
    EXPECT_EQ(readBlock(0x1DC0, 64), (Bytes{0x52, 0x1D, 0xC0, 0x40}));
    const Bytes data{0xFF, 0x01, 0x02};
    // Checksum: 1D + 80 + 03 + FF + 01 + 02 = 0x1A2 -> A2.
    EXPECT_EQ(writeBlock(0x1D80, data), (Bytes{0x57, 0x1D, 0x80, 0x03, 0xFF, 0x01, 0x02, 0xA2}));
    EXPECT_EQ(blockAnswerLength(64), 69);
}

TEST(AnswerTest, RecognisesTheThreeAnswers) {
    const BlockExpectation at40{0x0040, 64, true};
    EXPECT_EQ(classifyAnswer(Bytes{0x06}, at40), AnswerKind::Acknowledge);
    Bytes id(14, 0x20);
    id[0] = 'P';
    EXPECT_EQ(classifyAnswer(id, at40), AnswerKind::Identity);
    EXPECT_EQ(classifyAnswer(block(0x0040, 64), at40), AnswerKind::Block);
}

TEST(AnswerTest, DropsWhatDoesNotMatchTheRequest) {
    const BlockExpectation at40{0x0040, 64, true};
    EXPECT_EQ(classifyAnswer(Bytes{0x15}, at40), AnswerKind::Unrecognised);
    EXPECT_EQ(classifyAnswer(Bytes{0x06, 0x06}, at40), AnswerKind::Unrecognised);
    EXPECT_EQ(classifyAnswer(Bytes{}, at40), AnswerKind::Unrecognised);
    Bytes id(13, 0x20);
    id[0] = 'P';
    EXPECT_EQ(classifyAnswer(id, at40), AnswerKind::Unrecognised) << "identity one short";

    EXPECT_EQ(classifyAnswer(block(0x0080, 64), at40), AnswerKind::Unrecognised) << "address";
    EXPECT_EQ(classifyAnswer(block(0x0040, 16), at40), AnswerKind::Unrecognised) << "length";
    Bytes bad = block(0x0040, 64);
    bad.back() ^= 0x01;
    EXPECT_EQ(classifyAnswer(bad, at40), AnswerKind::Unrecognised) << "checksum";
    Bytes surplus = block(0x0040, 64);
    surplus.push_back(0x00);
    EXPECT_EQ(classifyAnswer(surplus, at40), AnswerKind::Unrecognised) << "surplus byte";
    Bytes shortBlock = block(0x0040, 64);
    shortBlock.erase(shortBlock.begin() + 10);
    EXPECT_EQ(classifyAnswer(shortBlock, at40), AnswerKind::Unrecognised) << "missing byte";
    EXPECT_EQ(classifyAnswer(Bytes{0x57, 0x00, 0x40}, at40), AnswerKind::Unrecognised);
}

TEST(AnswerTest, BandReadTakesTheBlockAt1D80WhateverItsLength) {
    const BlockExpectation band{0x1D80, 0, false};
    EXPECT_EQ(classifyAnswer(block(0x1D80, 16), band), AnswerKind::Block);
    EXPECT_EQ(classifyAnswer(block(0x1D80, 64), band), AnswerKind::Block);
    EXPECT_EQ(classifyAnswer(block(0x1D40, 64), band), AnswerKind::Unrecognised);
    // Elsewhere 1D80 needs the requested length like any block.
    EXPECT_EQ(classifyAnswer(block(0x1D80, 16), {0x1D80, 64, true}), AnswerKind::Unrecognised);
}

TEST(AnswerTest, BlockDataAndIdentityFields) {
    const Bytes b = block(0x0010, 16, 0x77);
    const auto data = blockData(b);
    ASSERT_EQ(data.size(), 16u);
    EXPECT_EQ(data[0], 0x77);
    const Bytes id{'P', '8', '9', '0', '0', 0, 0xF8, 0xFF, 'V', '3', '1', '0', 0xFF, 0xFF};
    const RadioIdentityAnswer parsed = parseIdentityAnswer(id);
    EXPECT_EQ(parsed.modelCode, "8900");
    EXPECT_EQ(parsed.dataVersion, "V310");
    EXPECT_TRUE(blockData(Bytes{0x57}).empty());
}

} // namespace
} // namespace zx::link
