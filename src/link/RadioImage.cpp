// The radio memory image: reset, raw access, and the encoding of the configuration record
// into the image before a write.
#include "link/RadioImage.h"

#include "link/ImageLayout.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace zx::link {

namespace {

constexpr int kBitmapBytes = 0x60; // both channel bitmaps, 1D00-1D5F

std::uint8_t low8(int value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

// A frequency text as the radio takes it: cut at the first NUL, trailing spaces dropped,
// padded on the left with "0" to eight characters. Empty when there is no frequency or the
// text is not eight decimal digits (the radio gets FF FF FF then).
std::string radioDigits(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    const std::size_t last = text.find_last_not_of(' ');
    text = last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
    if (text.empty() || text == "FFFFFFFF" || text.size() > 8)
        return {};
    std::string digits(8 - text.size(), '0');
    digits += text;
    // Only plain digits make valid packed BCD; anything else would send garbage nibbles.
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return {};
    return digits;
}

void putFrequency(std::uint8_t* slot, std::string_view text) {
    const std::string digits = radioDigits(text);
    for (int i = 0; i < 3; ++i) {
        slot[i] =
            digits.empty()
                ? 0xFF
                : static_cast<std::uint8_t>((digits[2 * i] - '0') << 4 | (digits[2 * i + 1] - '0'));
    }
    // The last two digits and the fine offset are not sent: the radio keeps 100 Hz steps.
    slot[3] = 0x00;
    slot[4] = 0x00;
}

std::uint8_t bit(int value, int bitNumber) {
    return value != 0 ? static_cast<std::uint8_t>(1u << bitNumber) : 0;
}

void putMessage(std::array<std::uint8_t, RadioImage::kSize>& bytes, int address,
                const model::FixedText<32>& line) {
    const std::string text = line.trimmed();
    std::fill_n(bytes.begin() + address, RadioImage::kMessageLength, 0xFF);
    std::copy(text.begin(), text.end(), bytes.begin() + address);
}

} // namespace

void RadioImage::reset() {
    bytes.fill(0xFF);
    std::fill_n(bytes.begin() + kPresentBitmap, kBitmapBytes, 0x00);
}

int RadioImage::readBandCode() const {
    const std::uint8_t code = bytes[kBandCodeAddress];
    return code < 2 ? code : 0;
}

void RadioImage::storeIdentityAnswer(std::span<const std::uint8_t> answer) {
    store(kModelHeader, answer.first(std::min<std::size_t>(answer.size(), 14)));
}

void RadioImage::store(int address, std::span<const std::uint8_t> data) {
    if (address < 0 || address >= static_cast<int>(kSize))
        return;
    const std::size_t room = kSize - static_cast<std::size_t>(address);
    std::copy_n(data.begin(), std::min(room, data.size()), bytes.begin() + address);
}

std::span<const std::uint8_t> RadioImage::block(int address, int length) const {
    if (address < 0 || address >= static_cast<int>(kSize) || length <= 0)
        return {};
    const std::size_t room = kSize - static_cast<std::size_t>(address);
    return std::span<const std::uint8_t>(bytes).subspan(
        static_cast<std::size_t>(address), std::min(room, static_cast<std::size_t>(length)));
}

void RadioImage::encode(const model::ConfigRecord& record, int radioBandCode) {
    using namespace layout;

    for (int g = 0; g < model::kGroupCount; ++g) {
        const int count = record.usedChannels(g);
        for (int e = 1; e <= count; ++e) {
            const model::ChannelEntry& ch = record.channel(g, e);
            const int n = ch.number;
            // A number outside 1..60 has no slot; writing it would spill into a neighbour.
            if (n < 1 || n > model::kChannelsPerGroup)
                continue;
            std::uint8_t* slot =
                bytes.data() + kChannelBase + kSlotSize * (model::kChannelsPerGroup * g + n - 1);
            putFrequency(slot, ch.rxFreq.view());
            putFrequency(slot + 5, ch.txFreq.view());
            slot[10] = bit(ch.busy, kBusyBit) | bit(ch.echo, kEchoBit) | bit(ch.hiCut, kHiCutBit) |
                       bit(ch.plus10k, kPlus10kBit) | bit(ch.nbAnl, kNbAnlBit) | bit(ch.rb, kRbBit);
            const int byteOffset = 8 * g + (n - 1) / 8;
            const std::uint8_t mask = static_cast<std::uint8_t>(1u << ((n - 1) % 8));
            bytes[kPresentBitmap + byteOffset] |= mask;
            if (ch.scan != 0)
                bytes[kScanBitmap + byteOffset] |= mask;
        }
    }

    std::copy(kModelHeaderLead.begin(), kModelHeaderLead.end(), bytes.begin() + kModelHeader);
    bytes[kModelHeader + 5] = low8(record.modelInfo.bandIndex);
    bytes[kModelHeader + 6] = low8(record.modelInfo.modelType);
    bytes[kModelHeader + 7] = 0xFF;

    const auto& opt = record.optionFeatures;
    for (const BytePosition& p : kBytePositions)
        bytes[p.address] = low8(opt[p.position]);
    for (const BytePosition& p : {kWord1, kWord3, kWord40}) {
        bytes[p.address] = low8(opt[p.position] >> 8);
        bytes[p.address + 1] = low8(opt[p.position]);
    }
    // The two flag bytes are built bit by bit; their unused bits stay 0.
    bytes[0x1D6C] = 0;
    bytes[0x1D6E] = 0;
    for (const BitPosition& p : kBitPositions)
        bytes[p.address] |= bit(opt[p.position], p.bit);
    bytes[kPosition43.address] = low8(opt[kPosition43.position]);
    bytes[kPosition44.address] = low8(opt[kPosition44.position]);
    bytes[kOptionByteAddress] = record.optionByte;
    bytes[kBandCodeAddress] = low8(radioBandCode);
    for (const BytePosition& p : {kSigned45, kSigned46}) {
        const int value = opt[p.position];
        const int magnitude = std::abs(value) & 0x7FFF;
        bytes[p.address] = low8(magnitude);
        bytes[p.address + 1] = static_cast<std::uint8_t>((magnitude >> 8) | (value < 0 ? 0x80 : 0));
    }

    putMessage(bytes, kMessageLine1, record.embeddedMessage[0]);
    putMessage(bytes, kMessageLine2, record.embeddedMessage[1]);
}

} // namespace zx::link
