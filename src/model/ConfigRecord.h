// The configuration record of one radio: everything a data file holds, field by field in
// file order. The byte layout itself lives in RecordCodec; these structs hold values only.
#pragma once

#include "model/FixedText.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace zx::model {

using Integer = std::int16_t; // 16-bit signed, little-endian in the file
using Long = std::int32_t;    // 32-bit signed
using Byte = std::uint8_t;

inline constexpr int kGroupCount = 6;
inline constexpr int kChannelsPerGroup = 60;
inline constexpr int kOptionFeatureCount = 47;
inline constexpr int kEmergencyChannelPosition = 24; // positions 24..29: groups A..F

// Grid column numbers that address the fields of a channel.
enum ChannelColumn : int {
    ColRxFreq = 1,
    ColTxFreq = 2,
    ColBusy = 3,
    ColEcho = 4,
    ColHiCut = 5,
    ColPlus10k = 6,
    ColNbAnl = 7,
    ColRb = 8,
    ColScan = 9,
};

struct ChannelEntry {
    Integer number = 0;  // 1..60, the grid row that shows the channel
    Integer inUse = 0;   // 1 for a channel that exists
    FixedText<8> rxFreq; // stored frequency form; blank or eight "F" = none
    FixedText<8> txFreq;
    Integer scan = 0; // 0 "Del", 1 "Add"
    Integer busy = 0; // this and the flags below: 0 "Disable", 1 "Enable"
    Integer echo = 0;
    Integer hiCut = 0;
    Integer plus10k = 0;
    Integer nbAnl = 0;
    Integer rb = 0;
    Integer rxFineOffset = 0; // set by reading a radio; no window edits it
    Integer txFineOffset = 0;

    bool operator==(const ChannelEntry&) const = default;
};

struct ModelInfo {
    FixedText<6> modelCode{"8900"};
    Integer modelType = 248;
    Integer bandIndex = 0;
    FixedText<8> dateCode; // YYYYMMDD
    FixedText<5> firmwareVersion{"V3.10"};
    FixedText<6> modelCode2{"8900"};
    Integer bandIndex2 = 0;
    Integer typeLetter = 67; // "C"

    bool operator==(const ModelInfo&) const = default;
};

// DTMF settings. The meanings of the unnamed integers are not known to this program; they are
// carried as they are.
struct DtmfSettings {
    std::array<Integer, 6> options1{0, 0, 10, 0, 0, 1};
    FixedText<10> idCode{"000"};
    std::array<Integer, 5> options2{0, 10, 0, 0, 0};
    FixedText<10> stunCode;
    Integer stunType = 0;

    bool operator==(const DtmfSettings&) const = default;
};

struct FleetSyncSettings {
    Integer ownFleet = 255;
    Long ownId = 0;
    Integer baudRateIndex = 0;
    Long dataTxModulationDelay = 400;
    Long messageModeTimer = 10;
    Integer pttIdSideTone = 1;

    bool operator==(const FleetSyncSettings&) const = default;
};

struct AutodialEntry {
    Integer number = 0;
    FixedText<16> digits;

    bool operator==(const AutodialEntry&) const = default;
};

struct TestFrequency {
    Integer index = 0;   // 1..16
    FixedText<8> rxFreq; // plain decimal text
    FixedText<8> txFreq;
    Integer rxState = 15;
    Integer txState = 15;

    bool operator==(const TestFrequency&) const = default;
};

struct FleetListEntry {
    Integer row = 0;
    Integer fleet = 0;
    Long id = 0;

    bool operator==(const FleetListEntry&) const = default;
};

// Default values of the optional features, by position.
inline constexpr std::array<Integer, kOptionFeatureCount> kDefaultOptionFeatures{
    2,  105, 2,   105, 3, 1,  0,  4, 0, 60, 110, 160, // 0..11
    1,  1,   1,   1,   1, 1,                          // 12..17
    0,  0,   0,                                       // 18..20
    9,  9,   9,                                       // 21..23
    0,  0,   0,   0,   0, 0,                          // 24..29 emergency channels
    31, 15,                                           // 30, 31
    0,  0,   0,   0,   0, 0,                          // 32..37
    1,  1,   100, 0,   0, 31, 31, 0, 0};              // 38..46

// An empty embedded message line as stored: one NUL followed by 31 spaces.
inline const FixedText<32> kEmptyMessageLine{std::string_view("\0", 1)};

struct ConfigRecord {
    FixedText<4> dataVersion{"V310"};
    Integer currentGroup = 0;
    std::array<Integer, kGroupCount> channelCount{};
    std::array<ChannelEntry, kGroupCount * kChannelsPerGroup> channels{};
    ModelInfo modelInfo;
    std::array<Integer, kOptionFeatureCount> optionFeatures = kDefaultOptionFeatures;
    std::array<Integer, 2> keyAssignment{255, 10};
    std::array<Integer, 7> scanInfo{0, 255, 31, 51, 1, 3, 3};
    DtmfSettings dtmf;
    FleetSyncSettings fleetSync;
    Integer autodialCount = 0;
    std::array<AutodialEntry, 8> autodial{};
    Integer testFreqCount = 6;
    std::array<TestFrequency, 16> testFreqs{};
    std::array<FixedText<32>, 2> embeddedMessage{kEmptyMessageLine, kEmptyMessageLine};
    Integer fleetListCount = 0;
    std::array<FleetListEntry, 8> fleetList{};
    Byte optionByte = 1; // backlight colour, 1-based list position 1..8

    // Entry `entry` (1..60) of group `group` (0..5): position (entry - 1) + 60 * group.
    ChannelEntry& channel(int group, int entry) {
        return channels.at(static_cast<std::size_t>((entry - 1) + kChannelsPerGroup * group));
    }
    const ChannelEntry& channel(int group, int entry) const {
        return channels.at(static_cast<std::size_t>((entry - 1) + kChannelsPerGroup * group));
    }

    // The number of channels of group `group` (0..5), held to 0..60: a damaged file may hold
    // any count, and every loop over a group's entries must stay inside it.
    int usedChannels(int group) const {
        return std::clamp<int>(channelCount.at(static_cast<std::size_t>(group)), 0,
                               kChannelsPerGroup);
    }
    // Entry position (1..count) of the channel numbered `number` in `group`, 0 when none.
    int findChannel(int group, int number) const {
        for (int entry = 1; entry <= usedChannels(group); ++entry)
            if (channel(group, entry).number == number)
                return entry;
        return 0;
    }

    bool operator==(const ConfigRecord&) const = default;
};

} // namespace zx::model
