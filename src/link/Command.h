// The radio's programming commands as bytes: framing, checksums and the answer lengths that
// go with each command. Shared by the link engine and the virtual radio.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zx::link {

using Bytes = std::vector<std::uint8_t>;

inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kIdentifyByte = 0x02;
inline constexpr std::uint8_t kReadLetter = 0x52;     // "R"
inline constexpr std::uint8_t kWriteLetter = 0x57;    // "W": write command and block answer
inline constexpr std::uint8_t kEndLetter = 0x45;      // "E"
inline constexpr std::uint8_t kIdentityLetter = 0x50; // "P": first byte of the identity answer

inline constexpr int kAckAnswerLength = 1;
inline constexpr int kIdentityAnswerLength = 14;
// A block answer is "W", address high, address low, length, the data, checksum.
inline constexpr int kBlockFrameOverhead = 5;
inline constexpr int blockAnswerLength(int length) {
    return length + kBlockFrameOverhead;
}

// Sum modulo 256 of the bytes (address, length and data; not the letter).
std::uint8_t checksum(std::span<const std::uint8_t> bytes);

// "PROGRAM"
Bytes handshake();
// 02
Bytes identify();
// 06
Bytes acknowledge();
// "R", address high, address low, length
Bytes readBlock(int address, int length);
// "W", address high, address low, length, data, checksum
Bytes writeBlock(int address, std::span<const std::uint8_t> data);
// The radio's answer to a read block request; the same framing as a write block.
Bytes blockAnswer(int address, std::span<const std::uint8_t> data);
// "E"
Bytes end();

} // namespace zx::link
