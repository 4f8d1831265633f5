// Framing of the radio's programming commands.
#include "link/Command.h"

#include <numeric>

namespace zx::link {

namespace {

// Letter, address high, address low, length, then the data and the checksum.
Bytes blockFrame(std::uint8_t letter, int address, std::span<const std::uint8_t> data) {
    Bytes frame;
    frame.reserve(data.size() + kBlockFrameOverhead);
    frame.push_back(letter);
    frame.push_back(static_cast<std::uint8_t>((address >> 8) & 0xFF));
    frame.push_back(static_cast<std::uint8_t>(address & 0xFF));
    frame.push_back(static_cast<std::uint8_t>(data.size() & 0xFF));
    frame.insert(frame.end(), data.begin(), data.end());
    frame.push_back(checksum(std::span<const std::uint8_t>(frame).subspan(1)));
    return frame;
}

} // namespace

std::uint8_t checksum(std::span<const std::uint8_t> bytes) {
    const unsigned sum = std::accumulate(bytes.begin(), bytes.end(), 0u);
    return static_cast<std::uint8_t>(sum & 0xFF);
}

Bytes handshake() {
    return {'P', 'R', 'O', 'G', 'R', 'A', 'M'};
}

Bytes identify() {
    return {kIdentifyByte};
}

Bytes acknowledge() {
    return {kAck};
}

Bytes readBlock(int address, int length) {
    return {kReadLetter, static_cast<std::uint8_t>((address >> 8) & 0xFF),
            static_cast<std::uint8_t>(address & 0xFF), static_cast<std::uint8_t>(length & 0xFF)};
}

Bytes writeBlock(int address, std::span<const std::uint8_t> data) {
    return blockFrame(kWriteLetter, address, data);
}

Bytes blockAnswer(int address, std::span<const std::uint8_t> data) {
    return blockFrame(kWriteLetter, address, data);
}

Bytes end() {
    return {kEndLetter};
}

} // namespace zx::link
