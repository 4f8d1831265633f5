// Where the optional features live in the radio memory image, shared by the encoder and the
// decoder so that the two cannot drift apart. Internal to the link library.
#pragma once

#include "model/ConfigRecord.h"

#include <array>
#include <cstdint>

namespace zx::link::layout {

// A position of optionFeatures carried as one plain byte.
struct BytePosition {
    int address;
    int position;
};

inline constexpr std::array<BytePosition, 27> kBytePositions{{
    {0x1D60, 0},  {0x1D63, 2},  {0x1D66, 4},  {0x1D67, 7},  {0x1D68, 8},  {0x1D69, 9},
    {0x1D6A, 11}, {0x1D6B, 10}, {0x1D6D, 18}, {0x1D6F, 20}, {0x1D70, 5},  {0x1D71, 6},
    {0x1D72, 21}, {0x1D73, 22}, {0x1D74, 23}, {0x1D75, 24}, {0x1D76, 25}, {0x1D77, 26},
    {0x1D78, 27}, {0x1D79, 28}, {0x1D7A, 29}, {0x1D7B, 38}, {0x1D7C, 39}, {0x1D80, 41},
    {0x1D81, 42}, {0x1D82, 30}, {0x1D83, 31},
}};

// An emergency channel position (24..29) carries FF for a group without channels: read
// back as -1, the document's "none", not as channel 256.
inline constexpr bool isEmergencyPosition(int position) {
    return position >= model::kEmergencyChannelPosition &&
           position < model::kEmergencyChannelPosition + model::kGroupCount;
}
inline constexpr int emergencyChannelFromByte(std::uint8_t byte) {
    return byte == 0xFF ? -1 : byte;
}

// Positions carried as 16 bits, high byte first.
inline constexpr BytePosition kWord1{0x1D61, 1};
inline constexpr BytePosition kWord3{0x1D64, 3};
inline constexpr BytePosition kWord40{0x1D7D, 40}; // read back as signed

// Positions 43 and 44 (0..63) and the backlight colour.
inline constexpr BytePosition kPosition43{0x1D84, 43};
inline constexpr BytePosition kPosition44{0x1D85, 44};
inline constexpr int kOptionByteAddress = 0x1D86;

// Positions carried as one bit: the bit number in the byte at `address`.
struct BitPosition {
    int address;
    int bit;
    int position;
};

inline constexpr std::array<BitPosition, 12> kBitPositions{{
    {0x1D6C, 0, 12},
    {0x1D6C, 1, 13},
    {0x1D6C, 2, 14},
    {0x1D6C, 3, 15},
    {0x1D6C, 4, 16},
    {0x1D6C, 5, 17},
    {0x1D6E, 1, 32},
    {0x1D6E, 3, 33},
    {0x1D6E, 4, 34},
    {0x1D6E, 5, 35},
    {0x1D6E, 6, 36},
    {0x1D6E, 7, 37},
}};

// Signed values as magnitude and sign: low byte first, bit 7 of the second byte the sign.
inline constexpr BytePosition kSigned45{0x1D88, 45};
inline constexpr BytePosition kSigned46{0x1D8A, 46};
inline constexpr int kSignedMagnitudeLimit = 1000;

// Channel slot byte 10: the flag bits of a channel.
inline constexpr int kBusyBit = 1;
inline constexpr int kEchoBit = 3;
inline constexpr int kHiCutBit = 4;
inline constexpr int kPlus10kBit = 5;
inline constexpr int kNbAnlBit = 6;
inline constexpr int kRbBit = 7;

inline constexpr std::array<std::uint8_t, 5> kModelHeaderLead{0x50, 0x42, 0x52, 0x39, 0x30};

// Identity-record area rows: address and length of each field.
struct IdentityRow {
    int address;
    int length;
};

} // namespace zx::link::layout
