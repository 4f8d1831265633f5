// Classification of one whole answer from the radio: acknowledge, identity answer, data
// block, or something that does not match and is dropped.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace zx::link {

enum class AnswerKind { Acknowledge, Identity, Block, Unrecognised };

// The block that the current request asked for. With `compareLength` false only the address
// has to match (the band read takes the radio's block at 1D80 whatever its length).
struct BlockExpectation {
    int address = 0;
    int length = 0;
    bool compareLength = true;
};

// The first rule that matches wins: exactly one byte 06; exactly 14 bytes starting "P"; a
// block "W" whose address (and length) match, whose byte count is its length + 5 and whose
// last byte is the checksum of the bytes after the letter. Anything else is Unrecognised.
AnswerKind classifyAnswer(std::span<const std::uint8_t> answer, const BlockExpectation& expected);

// The data bytes of an answer already classified as a block.
std::span<const std::uint8_t> blockData(std::span<const std::uint8_t> block);

// Model code (bytes 1-4) and data version (bytes 8-11) of an identity answer.
struct RadioIdentityAnswer {
    std::string modelCode;
    std::string dataVersion;
};
RadioIdentityAnswer parseIdentityAnswer(std::span<const std::uint8_t> answer);

} // namespace zx::link
