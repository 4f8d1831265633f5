// Classification of the radio's answers.
#include "link/Answer.h"

#include "link/Command.h"

namespace zx::link {

namespace {

bool isBlock(std::span<const std::uint8_t> a, const BlockExpectation& expected) {
    if (a.size() < 4 || a[0] != kWriteLetter)
        return false;
    const int address = a[1] << 8 | a[2];
    const int length = a[3];
    if (address != (expected.address & 0xFFFF))
        return false;
    if (expected.compareLength && length != expected.length)
        return false;
    if (a.size() != static_cast<std::size_t>(blockAnswerLength(length)))
        return false;
    return a.back() == checksum(a.subspan(1, a.size() - 2));
}

} // namespace

AnswerKind classifyAnswer(std::span<const std::uint8_t> a, const BlockExpectation& expected) {
    if (a.size() == 1 && a[0] == kAck)
        return AnswerKind::Acknowledge;
    if (a.size() == static_cast<std::size_t>(kIdentityAnswerLength) && a[0] == kIdentityLetter)
        return AnswerKind::Identity;
    if (isBlock(a, expected))
        return AnswerKind::Block;
    return AnswerKind::Unrecognised;
}

std::span<const std::uint8_t> blockData(std::span<const std::uint8_t> block) {
    if (block.size() < static_cast<std::size_t>(kBlockFrameOverhead))
        return {};
    return block.subspan(4, block.size() - kBlockFrameOverhead);
}

RadioIdentityAnswer parseIdentityAnswer(std::span<const std::uint8_t> a) {
    RadioIdentityAnswer id;
    if (a.size() >= 12) {
        id.modelCode.assign(a.begin() + 1, a.begin() + 5);
        id.dataVersion.assign(a.begin() + 8, a.begin() + 12);
    }
    return id;
}

} // namespace zx::link
