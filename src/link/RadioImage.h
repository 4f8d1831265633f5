// The byte copy of the radio's programmable memory (8192 bytes, addresses 0000-1FFF) and its
// conversions: configuration record to image before a write, image to record after a read,
// and the identity-record area to the radio identity record.
#pragma once

#include "model/RadioIdentity.h"
#include "model/Workspace.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace zx::link {

class RadioImage {
public:
    static constexpr std::size_t kSize = 8192;

    // Addresses of the regions the conversions and conversations use.
    static constexpr int kChannelBase = 0x0010;
    static constexpr int kSlotSize = 18;
    static constexpr int kPresentBitmap = 0x1D00;
    static constexpr int kScanBitmap = 0x1D30;
    static constexpr int kOptionBlock = 0x1D60;
    static constexpr int kBandBlock = 0x1D80; // the block the band check and write read
    static constexpr int kBandCodeAddress = 0x1D87;
    static constexpr int kModelHeader = 0x1D90;
    static constexpr int kMessageLine1 = 0x1DA0;
    static constexpr int kMessageLine2 = 0x1DC0;
    static constexpr int kMessageLength = 32;
    static constexpr int kIdentityArea = 0x1F00;

    std::array<std::uint8_t, kSize> bytes;

    RadioImage() { reset(); }

    // All FF, then the two channel bitmaps (1D00-1D5F) cleared.
    void reset();

    // Record to image, before a write. The band code goes to 1D87.
    void encode(const model::ConfigRecord& record, int radioBandCode);
    void encode(const model::Workspace& ws, int radioBandCode) { encode(ws.record, radioBandCode); }

    // Image to document, after a read: channels, model info, embedded message and optional
    // features of the working record; the run-time model code, band text and band edges.
    // Returns the radio band code read from 1D87.
    int decode(model::Workspace& ws) const;
    void decode(model::Workspace& ws, int& radioBandCode) const { radioBandCode = decode(ws); }

    // The identity-record area (1F00-1FFF) to the radio identity record. Texts are taken as
    // bytes; conversion from the code page is for the display. Fields the area does not
    // carry (reserved, version, model text) keep what `identity` held.
    void decodeIdentity(model::RadioIdentity& identity) const;
    model::RadioIdentity decodeIdentity() const;

    // The frequency text decode takes from the five bytes of a slot's receive or transmit
    // part (three BCD bytes, the signed fine part in 10 Hz units): the frequency in hertz as
    // decimal digits, or the hexadecimal digits followed by "00" when the BCD bytes are not
    // decimal; `numeric` tells which.
    static std::string frequencyText(const std::uint8_t* fiveBytes, bool* numeric = nullptr);

    // Byte 1D87 when it is 0 or 1, otherwise 0.
    int readBandCode() const;

    // Copies the 14 bytes of an identity answer to 1D90-1D9D.
    void storeIdentityAnswer(std::span<const std::uint8_t> answer);

    // Copies bytes to `address` onwards; bytes that would fall past the image are dropped.
    void store(int address, std::span<const std::uint8_t> data);
    // `length` bytes from `address`, clipped to the image (empty for an address outside).
    std::span<const std::uint8_t> block(int address, int length) const;

    bool operator==(const RadioImage&) const = default;
};

} // namespace zx::link
