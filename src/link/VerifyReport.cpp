// Naming the fields of the radio memory image for the verification report.
#include "link/VerifyReport.h"

#include "link/ImageLayout.h"
#include "model/Band.h"
#include "model/ConfigRecord.h"
#include "text/Fill.h"
#include "text/labels/ChannelInfoLabels.h"
#include "text/labels/RadioSafetyLabels.h"

#include <cstdio>
#include <set>

namespace zx::link {

namespace {

namespace labels = text::labels::safety;
using Bytes = std::array<std::uint8_t, RadioImage::kSize>;

constexpr int kChannelsEnd = RadioImage::kChannelBase +
                             RadioImage::kSlotSize * model::kGroupCount * model::kChannelsPerGroup;

std::string hex2(int value) {
    char text[4];
    std::snprintf(text, sizeof text, "%02X", value & 0xFF);
    return text;
}

std::string hex4(int value) {
    char text[6];
    std::snprintf(text, sizeof text, "%04X", value & 0xFFFF);
    return text;
}

std::string hexBytes(const Bytes& bytes, int start, int length) {
    std::string text;
    for (int i = 0; i < length; ++i) {
        if (i > 0)
            text += ' ';
        text += hex2(bytes[std::size_t(start + i)]);
    }
    return text;
}

std::string str(std::string_view view) {
    return std::string(view);
}

// What one field holds, in the form its kind is shown in.
enum class Shown { Frequency, ChannelFlags, Bit, Byte, Word, SignedWord, Signed45, Hex, Message };

// A field of the image: where it starts, how long it is, how its value is shown, and its
// name. A bit field is one bit of the byte at `start`.
struct Field {
    int start = 0;
    int length = 1;
    Shown shown = Shown::Hex;
    int bit = -1;
    std::string name;
    int key() const { return start * 8 + (bit < 0 ? 0 : bit); }
};

std::string channelName(int group, int number) {
    return str(text::labels::channel_info::kGroupLetters[std::size_t(group)]) + '-' +
           std::to_string(number);
}

Field unused(int address, int language) {
    return {address, 1, Shown::Hex, -1, str(labels::kFieldUnused[language])};
}

Field channelField(int address, int language) {
    const int index = (address - RadioImage::kChannelBase) / RadioImage::kSlotSize;
    const int offset = (address - RadioImage::kChannelBase) % RadioImage::kSlotSize;
    const int slot = address - offset;
    const std::string channel =
        channelName(index / model::kChannelsPerGroup, index % model::kChannelsPerGroup + 1) + ' ';
    if (offset < 5)
        return {slot, 5, Shown::Frequency, -1, channel + str(labels::kFieldRx[language])};
    if (offset < 10)
        return {slot + 5, 5, Shown::Frequency, -1, channel + str(labels::kFieldTx[language])};
    if (offset == 10)
        return {slot + 10, 1, Shown::ChannelFlags, -1,
                channel + str(labels::kFieldFlags[language])};
    return {slot + 11, 7, Shown::Hex, -1, channel + str(labels::kFieldUnused[language])};
}

Field bitmapField(int address, int bit, int language) {
    const bool present = address < RadioImage::kScanBitmap;
    const int offset = address - (present ? RadioImage::kPresentBitmap : RadioImage::kScanBitmap);
    const int number = 8 * (offset % 8) + bit + 1;
    if (number > model::kChannelsPerGroup)
        return {address, 1, Shown::Bit, bit, str(labels::kFieldUnused[language])};
    const text::TextTable& what = present ? labels::kFieldPresent : labels::kFieldScan;
    return {address, 1, Shown::Bit, bit,
            channelName(offset / 8, number) + ' ' + str(what[language])};
}

std::string optionName(int position, int language) {
    return text::fill(labels::kFieldOption[language], {std::to_string(position)});
}

Field optionField(int address, int bit, int language) {
    using namespace layout;
    for (const BytePosition& p : kBytePositions)
        if (p.address == address)
            return {address, 1, Shown::Byte, -1, optionName(p.position, language)};
    for (const BytePosition& p : {kWord1, kWord3, kWord40})
        if (address == p.address || address == p.address + 1)
            return {p.address, 2, p.position == 40 ? Shown::SignedWord : Shown::Word, -1,
                    optionName(p.position, language)};
    for (const BitPosition& p : kBitPositions)
        if (p.address == address && p.bit == bit)
            return {address, 1, Shown::Bit, bit, optionName(p.position, language)};
    if (address == 0x1D6C || address == 0x1D6E)
        return {address, 1, Shown::Bit, bit, str(labels::kFieldUnused[language])};
    for (const BytePosition& p : {kPosition43, kPosition44})
        if (p.address == address)
            return {address, 1, Shown::Byte, -1, optionName(p.position, language)};
    if (address == kOptionByteAddress)
        return {address, 1, Shown::Byte, -1, str(labels::kFieldBacklight[language])};
    if (address == RadioImage::kBandCodeAddress)
        return {address, 1, Shown::Byte, -1, str(labels::kFieldBandCode[language])};
    for (const BytePosition& p : {kSigned45, kSigned46})
        if (address == p.address || address == p.address + 1)
            return {p.address, 2, Shown::Signed45, -1, optionName(p.position, language)};
    return unused(address, language);
}

// The field at `address`; `bit` chooses among the fields of a byte that holds single bits.
Field fieldAt(int address, int bit, int language) {
    if (address >= RadioImage::kChannelBase && address < kChannelsEnd)
        return channelField(address, language);
    if (address >= RadioImage::kPresentBitmap && address < RadioImage::kOptionBlock)
        return bitmapField(address, bit, language);
    if (address >= RadioImage::kOptionBlock && address < 0x1D8C)
        return optionField(address, bit, language);
    if (address >= RadioImage::kModelHeader && address < RadioImage::kModelHeader + 8)
        return {RadioImage::kModelHeader, 8, Shown::Hex, -1,
                str(labels::kFieldModelHeader[language])};
    if (address >= RadioImage::kMessageLine1 && address < RadioImage::kMessageLine2)
        return {RadioImage::kMessageLine1, RadioImage::kMessageLength, Shown::Message, -1,
                text::fill(labels::kFieldMessage[language], {"1"})};
    if (address >= RadioImage::kMessageLine2 &&
        address < RadioImage::kMessageLine2 + RadioImage::kMessageLength)
        return {RadioImage::kMessageLine2, RadioImage::kMessageLength, Shown::Message, -1,
                text::fill(labels::kFieldMessage[language], {"2"})};
    return unused(address, language);
}

// Bytes that hold single bits, each of which is a field of its own.
bool holdsBits(int address) {
    return (address >= RadioImage::kPresentBitmap && address < RadioImage::kOptionBlock) ||
           address == 0x1D6C || address == 0x1D6E;
}

std::string channelFlags(std::uint8_t byte, int language) {
    using namespace layout;
    namespace ci = text::labels::channel_info;
    // Column headers 3..8 name the flags in the grid's order.
    const int bits[] = {kBusyBit, kEchoBit, kHiCutBit, kPlus10kBit, kNbAnlBit, kRbBit};
    std::string text;
    for (int i = 0; i < 6; ++i) {
        if ((byte >> bits[i] & 1) == 0)
            continue;
        if (!text.empty())
            text += ' ';
        text += ci::kColumnHeaders[std::size_t(3 + i)][language];
    }
    return text.empty() ? str(labels::kNoOptions[language]) : text;
}

std::string messageText(const Bytes& bytes, int start) {
    std::string text = "\"";
    for (int i = 0; i < RadioImage::kMessageLength; ++i) {
        const std::uint8_t c = bytes[std::size_t(start + i)];
        if (c == 0xFF)
            break;
        if (c >= 0x20 && c < 0x7F)
            text += char(c);
        else
            text += "\\x" + hex2(c);
    }
    return text + '"';
}

std::string valueOf(const Field& field, const Bytes& bytes, int language) {
    const auto at = [&bytes](int address) { return bytes[std::size_t(address)]; };
    switch (field.shown) {
    case Shown::Frequency: {
        bool numeric = false;
        const std::string digits =
            RadioImage::frequencyText(&bytes[std::size_t(field.start)], &numeric);
        return numeric ? model::formatMHz(std::stod(digits) / 1e6)
                       : hexBytes(bytes, field.start, field.length);
    }
    case Shown::ChannelFlags:
        return channelFlags(at(field.start), language);
    case Shown::Bit:
        return std::to_string(at(field.start) >> field.bit & 1);
    case Shown::Byte:
        return std::to_string(at(field.start));
    case Shown::Word:
        return std::to_string(at(field.start) << 8 | at(field.start + 1));
    case Shown::SignedWord:
        return std::to_string(
            std::int16_t(std::uint16_t(at(field.start) << 8 | at(field.start + 1))));
    case Shown::Signed45: {
        const int magnitude = (at(field.start + 1) & 0x7F) << 8 | at(field.start);
        return std::to_string((at(field.start + 1) & 0x80) ? -magnitude : magnitude);
    }
    case Shown::Message:
        return messageText(bytes, field.start);
    case Shown::Hex:
        break;
    }
    return hexBytes(bytes, field.start, field.length);
}

} // namespace

std::vector<int> differingAddresses(const RadioImage& radio, const RadioImage& sent) {
    std::vector<int> out;
    for (int address = kVerifyFrom; address < kVerifyTo; ++address)
        if (radio.bytes[std::size_t(address)] != sent.bytes[std::size_t(address)])
            out.push_back(address);
    return out;
}

std::vector<FieldDifference> describeDifferences(const RadioImage& radio, const RadioImage& sent,
                                                 const std::vector<int>& addresses, int language) {
    std::vector<FieldDifference> out;
    std::set<int> described;
    const auto add = [&](const Field& field, int address) {
        if (!described.insert(field.key()).second)
            return;
        out.push_back({address, field.name, valueOf(field, radio.bytes, language),
                       valueOf(field, sent.bytes, language)});
    };
    for (const int address : addresses) {
        if (holdsBits(address)) {
            const int changed =
                radio.bytes[std::size_t(address)] ^ sent.bytes[std::size_t(address)];
            for (int bit = 0; bit < 8; ++bit)
                if (changed >> bit & 1)
                    add(fieldAt(address, bit, language), address);
        } else {
            add(fieldAt(address, -1, language), address);
        }
    }
    return out;
}

std::string verificationMessage(const Verification& verification, const RadioImage& radio,
                                const RadioImage& sent, int language, std::size_t maxLines) {
    switch (verification.state) {
    case Verification::State::NotRun:
        return {};
    case Verification::State::Ok:
        return str(labels::kVerifyOk[language]);
    case Verification::State::Incomplete:
        return str(labels::kVerifyIncomplete[language]);
    case Verification::State::Differs:
        break;
    }
    const std::vector<FieldDifference> fields =
        describeDifferences(radio, sent, verification.differences, language);
    std::string message =
        text::fill(labels::kVerifyDiffers[language], {std::to_string(fields.size())});
    for (std::size_t i = 0; i < fields.size() && i < maxLines; ++i) {
        const FieldDifference& d = fields[i];
        message += "\r\n";
        message += text::fill(labels::kVerifyLine[language],
                              {hex4(d.address), d.field, d.radioValue, d.sentValue});
    }
    if (fields.size() > maxLines) {
        message += "\r\n";
        message +=
            text::fill(labels::kVerifyMore[language], {std::to_string(fields.size() - maxLines)});
    }
    return message;
}

} // namespace zx::link
