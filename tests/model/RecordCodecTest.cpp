// The byte layout of a data file: the defaults land at their offsets, and any 14536 bytes
// decode and encode back unchanged.
#include "model/RecordCodec.h"

#include "model/ModelTestSupport.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

using namespace zx::model;

namespace {

int integerAt(const RecordBytes& b, std::size_t offset) {
    return static_cast<std::int16_t>(b[offset] | (b[offset + 1] << 8));
}

long longAt(const RecordBytes& b, std::size_t offset) {
    return static_cast<std::int32_t>(b[offset] | (b[offset + 1] << 8) | (b[offset + 2] << 16) |
                                     (std::uint32_t(b[offset + 3]) << 24));
}

std::string textAt(const RecordBytes& b, std::size_t offset, std::size_t length) {
    return std::string(reinterpret_cast<const char*>(b.data()) + offset, length);
}

} // namespace

TEST(RecordCodec, DefaultRecordPutsEveryBlockAtItsOffset) {
    const zx::model::Workspace ws = zx::test::defaultWorkspace();
    const RecordBytes b = encodeRecord(ws.record);
    ASSERT_EQ(b.size(), 14536u);

    EXPECT_EQ(textAt(b, 0, 4), "V310");
    EXPECT_EQ(integerAt(b, 4), 0);
    const char* firstFreq[] = {"28015000", "28145000", "28115000",
                               "28085000", "28055000", "28025000"};
    for (int g = 0; g < 6; ++g) {
        EXPECT_EQ(integerAt(b, 6 + 2 * g), 1) << "group " << g;
        const std::size_t entry = 18 + std::size_t(60 * g) * 38;
        EXPECT_EQ(integerAt(b, entry), 1);                 // number
        EXPECT_EQ(integerAt(b, entry + 2), 1);             // inUse
        EXPECT_EQ(textAt(b, entry + 4, 8), firstFreq[g]);  // rxFreq
        EXPECT_EQ(textAt(b, entry + 12, 8), firstFreq[g]); // txFreq
        EXPECT_EQ(integerAt(b, entry + 20), 1);            // scan
        EXPECT_EQ(integerAt(b, entry + 22), 0);            // busy
        EXPECT_EQ(integerAt(b, entry + 24), 1);            // echo
        EXPECT_EQ(integerAt(b, entry + 38), 0) << "unused second entry";
    }
    // modelInfo
    EXPECT_EQ(textAt(b, 13698, 6), "8900  ");
    EXPECT_EQ(integerAt(b, 13704), 248);
    EXPECT_EQ(integerAt(b, 13706), 0);
    EXPECT_EQ(textAt(b, 13708, 8), "20240309");
    EXPECT_EQ(textAt(b, 13716, 5), "V3.10");
    EXPECT_EQ(textAt(b, 13721, 6), "8900  ");
    EXPECT_EQ(integerAt(b, 13727), 0);
    EXPECT_EQ(integerAt(b, 13729), 67);
    // optionFeatures
    EXPECT_EQ(integerAt(b, 13731), 2);
    EXPECT_EQ(integerAt(b, 13731 + 2 * 1), 105);
    EXPECT_EQ(integerAt(b, 13731 + 2 * 11), 160);
    EXPECT_EQ(integerAt(b, 13731 + 2 * 40), 100);
    EXPECT_EQ(integerAt(b, 13731 + 2 * 44), 31);
    EXPECT_EQ(integerAt(b, 13731 + 2 * 46), 0);
    // keyAssignment, scanInfo
    EXPECT_EQ(integerAt(b, 13825), 255);
    EXPECT_EQ(integerAt(b, 13827), 10);
    const int scan[] = {0, 255, 31, 51, 1, 3, 3};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(integerAt(b, 13829 + 2 * std::size_t(i)), scan[i]);
    // dtmf: six Integers, ID code, five Integers, stun code, stun type
    EXPECT_EQ(integerAt(b, 13843 + 4), 10);
    EXPECT_EQ(integerAt(b, 13843 + 10), 1);
    EXPECT_EQ(textAt(b, 13843 + 12, 10), "000       ");
    EXPECT_EQ(integerAt(b, 13843 + 22), 0);
    EXPECT_EQ(integerAt(b, 13843 + 24), 10);
    EXPECT_EQ(textAt(b, 13843 + 32, 10), std::string(10, ' '));
    // fleetSync
    EXPECT_EQ(integerAt(b, 13887), 255);
    EXPECT_EQ(longAt(b, 13889), 0);
    EXPECT_EQ(longAt(b, 13895), 400);
    EXPECT_EQ(longAt(b, 13899), 10);
    EXPECT_EQ(integerAt(b, 13903), 1);
    // counts and the test frequencies
    EXPECT_EQ(integerAt(b, 13905), 0);
    EXPECT_EQ(integerAt(b, 14051), 6);
    EXPECT_EQ(integerAt(b, 14053), 1);
    EXPECT_EQ(textAt(b, 14055, 8), "155.05  ");
    EXPECT_EQ(textAt(b, 14063, 8), "155.1   ");
    EXPECT_EQ(integerAt(b, 14071), 15);
    EXPECT_EQ(textAt(b, 14053 + 2 * 22 + 2, 8), "173.95  ");
    EXPECT_EQ(textAt(b, 14053 + 5 * 22 + 10, 8), "155.4   ");
    // embedded message: NUL and 31 spaces per line
    const std::string emptyLine = std::string(1, '\0') + std::string(31, ' ');
    EXPECT_EQ(textAt(b, 14405, 32), emptyLine);
    EXPECT_EQ(textAt(b, 14437, 32), emptyLine);
    EXPECT_EQ(integerAt(b, 14469), 0);
    EXPECT_EQ(b[14535], 1);
}

TEST(RecordCodec, AnyBytesDecodeAndEncodeBackUnchanged) {
    std::mt19937 random(7);
    for (int round = 0; round < 50; ++round) {
        RecordBytes original{};
        for (std::uint8_t& byte : original)
            byte = static_cast<std::uint8_t>(random());
        const ConfigRecord decoded = decodeRecord(original);
        ASSERT_EQ(encodeRecord(decoded), original) << "round " << round;
    }
}

TEST(RecordCodec, FieldsAreLittleEndianAndSigned) {
    ConfigRecord r;
    r.channel(5, 60).txFineOffset = -2;
    r.fleetSync.ownId = -123456789;
    r.optionFeatures[24] = -1;
    const RecordBytes b = encodeRecord(r);
    const std::size_t lastEntry = 18 + std::size_t(359) * 38;
    EXPECT_EQ(b[lastEntry + 36], 0xFE);
    EXPECT_EQ(b[lastEntry + 37], 0xFF);
    EXPECT_EQ(longAt(b, 13889), -123456789);
    EXPECT_EQ(integerAt(b, 13731 + 48), -1);
    const ConfigRecord back = decodeRecord(b);
    EXPECT_EQ(back.channel(5, 60).txFineOffset, -2);
    EXPECT_EQ(back.fleetSync.ownId, -123456789);
    EXPECT_EQ(back, r);
}

TEST(RecordCodec, ShortInputReadsAsZeroBytes) {
    const std::uint8_t head[] = {'V', '3', '1', '0', 3, 0};
    const ConfigRecord r = decodeRecord(head);
    EXPECT_EQ(r.dataVersion.str(), "V310");
    EXPECT_EQ(r.currentGroup, 3);
    EXPECT_EQ(r.channelCount[0], 0);
    EXPECT_EQ(r.optionByte, 0);
}
