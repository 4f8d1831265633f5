// The image back into the document after a read, and the identity-record area into the
// radio identity record.
#include "link/ImageLayout.h"
#include "link/RadioImage.h"
#include "model/Band.h"

#include <algorithm>
#include <string>

namespace zx::link {

namespace {

bool allDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string hexDigits(const std::uint8_t* p) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (int i = 0; i < 3; ++i) {
        text += kHex[p[i] >> 4];
        text += kHex[p[i] & 0x0F];
    }
    return text + "00";
}

// The fine offset in hertz of five slot bytes, kept as its magnitude (the sign is in the
// frequency text); the field is 16 bits, so offsets beyond it are kept at its limit rather
// than wrapped.
void takeFrequency(const std::uint8_t* p, model::FixedText<8>& freq, model::Integer& fineOffset,
                   bool& numeric) {
    const int offset = (((p[4] & 0x7F) << 8) | p[3]) * 10;
    fineOffset = static_cast<model::Integer>(std::min(offset, 32767));
    freq.assign(RadioImage::frequencyText(p, &numeric));
}

int flag(std::uint8_t byte, int bitNumber) {
    return (byte >> bitNumber) & 1;
}

model::FixedText<32> takeMessage(const std::uint8_t* p) {
    const std::uint8_t* stop = std::find(p, p + RadioImage::kMessageLength, 0xFF);
    std::string text(p, stop);
    if (text.size() < static_cast<std::size_t>(RadioImage::kMessageLength))
        text += '\0';
    return model::FixedText<32>(text);
}

// A field of the identity-record area: the bytes up to the first 00 or FF, at most `length`.
std::string identityBytes(const std::array<std::uint8_t, RadioImage::kSize>& bytes, int address,
                          int length) {
    const auto* begin = bytes.data() + address;
    const auto* stop =
        std::find_if(begin, begin + length, [](std::uint8_t b) { return b == 0x00 || b == 0xFF; });
    return std::string(begin, stop);
}

// Trailing spaces dropped and one NUL appended; the fixed field then pads or cuts, so a
// field filled completely keeps all its characters and no NUL.
template <std::size_t N>
void takeIdentityText(const std::array<std::uint8_t, RadioImage::kSize>& bytes, int address,
                      model::FixedText<N>& field) {
    std::string text = identityBytes(bytes, address, static_cast<int>(N));
    const std::size_t last = text.find_last_not_of(' ');
    text.erase(last == std::string::npos ? 0 : last + 1);
    text += '\0';
    field.assign(text);
}

} // namespace

std::string RadioImage::frequencyText(const std::uint8_t* p, bool* numeric) {
    std::string text = hexDigits(p);
    const int offset = (((p[4] & 0x7F) << 8) | p[3]) * 10;
    const bool subtract = (p[4] & 0x80) != 0;
    const bool isNumber = allDigits(text);
    if (isNumber) {
        const long value = std::stol(text) + (subtract ? -offset : offset);
        text = std::to_string(value);
    }
    if (numeric)
        *numeric = isNumber;
    return text;
}

int RadioImage::decode(model::Workspace& ws) const {
    using namespace layout;
    model::ConfigRecord& record = ws.record;

    for (int g = 0; g < model::kGroupCount; ++g) {
        int count = 0;
        for (int n = 1; n <= model::kChannelsPerGroup; ++n) {
            const int byteOffset = 8 * g + (n - 1) / 8;
            const int bitNumber = (n - 1) % 8;
            if (flag(bytes[kPresentBitmap + byteOffset], bitNumber) == 0)
                continue;
            ++count;
            model::ChannelEntry& ch = record.channel(g, count);
            const std::uint8_t* slot =
                bytes.data() + kChannelBase + kSlotSize * (model::kChannelsPerGroup * g + n - 1);
            ch.scan = static_cast<model::Integer>(flag(bytes[kScanBitmap + byteOffset], bitNumber));
            ch.inUse = 1;
            ch.number = static_cast<model::Integer>(n);
            bool rxNumeric = false;
            bool txNumeric = false;
            takeFrequency(slot, ch.rxFreq, ch.rxFineOffset, rxNumeric);
            takeFrequency(slot + 5, ch.txFreq, ch.txFineOffset, txNumeric);
            ch.busy = static_cast<model::Integer>(flag(slot[10], kBusyBit));
            ch.echo = static_cast<model::Integer>(flag(slot[10], kEchoBit));
            ch.hiCut = static_cast<model::Integer>(flag(slot[10], kHiCutBit));
            ch.plus10k = static_cast<model::Integer>(flag(slot[10], kPlus10kBit));
            ch.nbAnl = static_cast<model::Integer>(flag(slot[10], kNbAnlBit));
            ch.rb = static_cast<model::Integer>(flag(slot[10], kRbBit));
            // Without a receive frequency there is no channel: the entry is reused.
            if (!rxNumeric)
                --count;
        }
        record.channelCount[g] = static_cast<model::Integer>(count);
    }

    const int bandCode = readBandCode();
    record.modelInfo.bandIndex = static_cast<model::Integer>(bandCode);
    record.modelInfo.modelType = bytes[kModelHeader + 6];
    // Every band and model type of this radio goes with one model code.
    const std::string modelCode = "8900";
    record.modelInfo.modelCode = modelCode;
    ws.state.modelCode = modelCode;
    ws.state.bandText = model::bandTextFromIndex(bandCode);
    model::parseBandEdges(ws.state);

    record.embeddedMessage[0] = takeMessage(bytes.data() + kMessageLine1);
    record.embeddedMessage[1] = takeMessage(bytes.data() + kMessageLine2);

    auto& opt = record.optionFeatures;
    for (const BytePosition& p : kBytePositions)
        opt[p.position] = static_cast<model::Integer>(
            isEmergencyPosition(p.position) ? emergencyChannelFromByte(bytes[p.address])
                                            : bytes[p.address]);
    opt[kWord1.position] =
        static_cast<model::Integer>(bytes[kWord1.address] << 8 | bytes[kWord1.address + 1]);
    opt[kWord3.position] =
        static_cast<model::Integer>(bytes[kWord3.address] << 8 | bytes[kWord3.address + 1]);
    // Read as a signed 16-bit value: a high byte of 80 or more gives a negative number.
    opt[kWord40.position] = static_cast<model::Integer>(
        static_cast<std::uint16_t>(bytes[kWord40.address] << 8 | bytes[kWord40.address + 1]));
    for (const BitPosition& p : kBitPositions)
        opt[p.position] = static_cast<model::Integer>(flag(bytes[p.address], p.bit));
    for (const BytePosition& p : {kPosition43, kPosition44})
        opt[p.position] = bytes[p.address] > 63 ? 0 : bytes[p.address];
    const std::uint8_t colour = bytes[kOptionByteAddress];
    record.optionByte = colour > 8 ? 8 : (colour == 0 ? 1 : colour);
    for (const BytePosition& p : {kSigned45, kSigned46}) {
        const int magnitude = (bytes[p.address + 1] & 0x7F) << 8 | bytes[p.address];
        const bool negative = (bytes[p.address + 1] & 0x80) != 0;
        const int value = magnitude > kSignedMagnitudeLimit ? 0 : magnitude;
        opt[p.position] = static_cast<model::Integer>(negative ? -value : value);
    }
    return bandCode;
}

void RadioImage::decodeIdentity(model::RadioIdentity& id) const {
    id.areaCode = identityBytes(bytes, 0x1F08, 4);
    takeIdentityText(bytes, 0x1F10, id.serialNumber);
    takeIdentityText(bytes, 0x1F20, id.productionDate);
    takeIdentityText(bytes, 0x1F30, id.productionBatch);
    takeIdentityText(bytes, 0x1F38, id.customerCode);
    takeIdentityText(bytes, 0x1F40, id.maintenanceDate);
    takeIdentityText(bytes, 0x1F50, id.dealerCode);
    takeIdentityText(bytes, 0x1F60, id.stockDate);
    takeIdentityText(bytes, 0x1F70, id.saleDate);
    takeIdentityText(bytes, 0x1F80, id.seller);
    takeIdentityText(bytes, 0x1F90, id.maintenanceReason);
}

model::RadioIdentity RadioImage::decodeIdentity() const {
    model::RadioIdentity id;
    decodeIdentity(id);
    return id;
}

} // namespace zx::link
