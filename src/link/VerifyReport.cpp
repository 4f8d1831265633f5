// Naming the fields of the radio memory image for the verification report, with the names
// and value words of the record's field description wherever a field of the image is one
// of the record's.
#include "link/VerifyReport.h"

#include "link/ImageLayout.h"
#include "model/Band.h"
#include "model/ConfigRecord.h"
#include "model/RecordFields.h"
#include "text/Fill.h"
#include "text/labels/RadioSafetyLabels.h"

#include <cstdio>
#include <initializer_list>
#include <optional>
#include <set>
#include <span>

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

// How the bytes of one field of the image hold its value.
enum class Held { Frequency, Bit, Byte, Word, SignedWord, SignedMagnitude, Hex, Message };

// A field of the image: where it starts, how long it is, how it holds its value, and its
// name. A bit field is one bit of the byte at `start`. A field that is also a field of the
// record (`described`) reads its value as the record's field does: "Enable", "Add", the
// option's list entry, the band string.
struct Field {
    int start = 0;
    int length = 1;
    Held held = Held::Hex;
    int bit = -1;
    std::string name;
    std::optional<model::FieldRef> described;
    int key() const { return start * 8 + (bit < 0 ? 0 : bit); }
};

std::string nameOf(std::initializer_list<model::FieldRef> path, int language) {
    return model::fieldName(std::span<const model::FieldRef>(path.begin(), path.size()), language);
}

std::string channelPart(int group, int number, const model::Field& field, int language) {
    return model::channelName(group, number) + ' ' + nameOf({{&field}}, language);
}

Field unused(int address, int language) {
    return {address, 1, Held::Hex, -1, str(labels::kFieldUnused[language]), {}};
}

// The flags of a channel, by their bit in slot byte 10.
const model::Field* channelFlag(int bit) {
    using namespace layout;
    namespace f = model::fields;
    switch (bit) {
    case kBusyBit:
        return &f::busy;
    case kEchoBit:
        return &f::echo;
    case kHiCutBit:
        return &f::hiCut;
    case kPlus10kBit:
        return &f::plus10k;
    case kNbAnlBit:
        return &f::nbAnl;
    case kRbBit:
        return &f::rb;
    default:
        return nullptr;
    }
}

Field channelField(int address, int bit, int language) {
    const int index = (address - RadioImage::kChannelBase) / RadioImage::kSlotSize;
    const int offset = (address - RadioImage::kChannelBase) % RadioImage::kSlotSize;
    const int slot = address - offset;
    const int group = index / model::kChannelsPerGroup;
    const int number = index % model::kChannelsPerGroup + 1;
    if (offset < 5)
        return {slot,
                5,
                Held::Frequency,
                -1,
                channelPart(group, number, model::fields::rxFreq, language),
                {}};
    if (offset < 10)
        return {slot + 5,
                5,
                Held::Frequency,
                -1,
                channelPart(group, number, model::fields::txFreq, language),
                {}};
    const std::string unusedName =
        model::channelName(group, number) + ' ' + str(labels::kFieldUnused[language]);
    if (offset == 10) {
        if (const model::Field* flag = channelFlag(bit))
            return {address,
                    1,
                    Held::Bit,
                    bit,
                    channelPart(group, number, *flag, language),
                    model::FieldRef{flag}};
        return {address, 1, Held::Bit, bit, unusedName, {}};
    }
    return {slot + 11, 7, Held::Hex, -1, unusedName, {}};
}

Field bitmapField(int address, int bit, int language) {
    const bool present = address < RadioImage::kScanBitmap;
    const int offset = address - (present ? RadioImage::kPresentBitmap : RadioImage::kScanBitmap);
    const int group = offset / 8;
    const int number = 8 * (offset % 8) + bit + 1;
    if (number > model::kChannelsPerGroup)
        return {address, 1, Held::Bit, bit, str(labels::kFieldUnused[language]), {}};
    // Whether a channel exists is no field of the record: the entry is there or not.
    if (present)
        return {address,
                1,
                Held::Bit,
                bit,
                model::channelName(group, number) + ' ' + str(labels::kFieldPresent[language]),
                {}};
    return {address,
            1,
            Held::Bit,
            bit,
            channelPart(group, number, model::fields::scan, language),
            model::FieldRef{&model::fields::scan}};
}

// A position of the optional features, read through its held form.
Field option(int start, int length, Held held, int bit, int position, int language) {
    const model::FieldRef ref{&model::fields::optionFeature, position};
    return {start, length, held, bit, nameOf({ref}, language), ref};
}

Field optionField(int address, int bit, int language) {
    using namespace layout;
    for (const BytePosition& p : kBytePositions)
        if (p.address == address)
            return option(address, 1, Held::Byte, -1, p.position, language);
    for (const BytePosition& p : {kWord1, kWord3, kWord40})
        if (address == p.address || address == p.address + 1)
            return option(p.address, 2, p.position == 40 ? Held::SignedWord : Held::Word, -1,
                          p.position, language);
    for (const BitPosition& p : kBitPositions)
        if (p.address == address && p.bit == bit)
            return option(address, 1, Held::Bit, bit, p.position, language);
    if (address == 0x1D6C || address == 0x1D6E)
        return {address, 1, Held::Bit, bit, str(labels::kFieldUnused[language]), {}};
    for (const BytePosition& p : {kPosition43, kPosition44})
        if (p.address == address)
            return option(address, 1, Held::Byte, -1, p.position, language);
    if (address == kOptionByteAddress) {
        const model::FieldRef ref{&model::fields::optionByte};
        return {address, 1, Held::Byte, -1, nameOf({ref}, language), ref};
    }
    if (address == RadioImage::kBandCodeAddress) {
        const model::FieldRef ref{&model::fields::bandIndex};
        return {address, 1, Held::Byte, -1, nameOf({ref}, language), ref};
    }
    for (const BytePosition& p : {kSigned45, kSigned46})
        if (address == p.address || address == p.address + 1)
            return option(p.address, 2, Held::SignedMagnitude, -1, p.position, language);
    return unused(address, language);
}

Field messageField(int line, int language) {
    const int start = line == 0 ? RadioImage::kMessageLine1 : RadioImage::kMessageLine2;
    return {
        start,
        RadioImage::kMessageLength,
        Held::Message,
        -1,
        nameOf({{&model::fields::embeddedMessage}, {&model::fields::messageLine, line}}, language),
        {}};
}

// The field at `address`; `bit` chooses among the fields of a byte that holds single bits.
Field fieldAt(int address, int bit, int language) {
    if (address >= RadioImage::kChannelBase && address < kChannelsEnd)
        return channelField(address, bit, language);
    if (address >= RadioImage::kPresentBitmap && address < RadioImage::kOptionBlock)
        return bitmapField(address, bit, language);
    if (address >= RadioImage::kOptionBlock && address < 0x1D8C)
        return optionField(address, bit, language);
    if (address >= RadioImage::kModelHeader && address < RadioImage::kModelHeader + 8)
        return {RadioImage::kModelHeader,
                8,
                Held::Hex,
                -1,
                str(labels::kFieldModelHeader[language]),
                {}};
    if (address >= RadioImage::kMessageLine1 && address < RadioImage::kMessageLine2)
        return messageField(0, language);
    if (address >= RadioImage::kMessageLine2 &&
        address < RadioImage::kMessageLine2 + RadioImage::kMessageLength)
        return messageField(1, language);
    return unused(address, language);
}

// Bytes that hold single bits, each of which is a field of its own: the two channel
// bitmaps, the two option flag bytes and byte 10 of every channel slot.
bool holdsBits(int address) {
    if (address >= RadioImage::kChannelBase && address < kChannelsEnd)
        return (address - RadioImage::kChannelBase) % RadioImage::kSlotSize == 10;
    return (address >= RadioImage::kPresentBitmap && address < RadioImage::kOptionBlock) ||
           address == 0x1D6C || address == 0x1D6E;
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

// The number a field of numbers holds, as the decoder reads it into the record (but
// without its corrections of values out of range, which would hide a differing byte).
long long numberOf(const Field& field, const Bytes& bytes) {
    const auto at = [&bytes](int address) { return int(bytes[std::size_t(address)]); };
    switch (field.held) {
    case Held::Bit:
        return at(field.start) >> field.bit & 1;
    case Held::Byte:
        if (field.described && field.described->field == &model::fields::optionFeature &&
            layout::isEmergencyPosition(field.described->index))
            return layout::emergencyChannelFromByte(bytes[std::size_t(field.start)]);
        return at(field.start);
    case Held::Word:
        return at(field.start) << 8 | at(field.start + 1);
    case Held::SignedWord:
        return std::int16_t(std::uint16_t(at(field.start) << 8 | at(field.start + 1)));
    case Held::SignedMagnitude: {
        const int magnitude = (at(field.start + 1) & 0x7F) << 8 | at(field.start);
        return (at(field.start + 1) & 0x80) ? -magnitude : magnitude;
    }
    default:
        return 0;
    }
}

std::string valueOf(const Field& field, const Bytes& bytes, int language) {
    switch (field.held) {
    case Held::Frequency: {
        bool numeric = false;
        const std::string digits =
            RadioImage::frequencyText(&bytes[std::size_t(field.start)], &numeric);
        return numeric ? model::formatMHz(std::stod(digits) / 1e6)
                       : hexBytes(bytes, field.start, field.length);
    }
    case Held::Message:
        return messageText(bytes, field.start);
    case Held::Hex:
        return hexBytes(bytes, field.start, field.length);
    default:
        break;
    }
    const long long number = numberOf(field, bytes);
    return field.described ? model::shownNumber(*field.described, number, language)
                           : std::to_string(number);
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
