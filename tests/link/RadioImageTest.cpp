// The radio memory image: layout of channels, bitmaps, optional features and texts, and the
// lossy corners of the conversion (BCD digits, fine offsets, sign-magnitude values).
#include "link/RadioImage.h"

#include "model/Defaults.h"

#include <gtest/gtest.h>

namespace zx::link {
namespace {

constexpr int slotOf(int group, int n) {
    return 0x10 + 18 * (60 * group + n - 1);
}

class RadioImageTest : public ::testing::Test {
protected:
    RadioImageTest() {
        model::Today today{2024, 5, 6, "2024-05-06"};
        ws.record = model::defaultRecord(ws.state, today);
    }
    void setPresent(int group, int n) {
        image.bytes[RadioImage::kPresentBitmap + 8 * group + (n - 1) / 8] |= 1u << ((n - 1) % 8);
    }
    void putSlot(int group, int n, std::initializer_list<std::uint8_t> bytes) {
        std::copy(bytes.begin(), bytes.end(), image.bytes.begin() + slotOf(group, n));
    }
    model::Workspace ws;
    RadioImage image;
};

TEST_F(RadioImageTest, ResetFillsFfAndClearsBothBitmaps) {
    image.bytes.fill(0x12);
    image.reset();
    for (int a = 0; a < 0x2000; ++a) {
        const bool bitmap = a >= 0x1D00 && a < 0x1D60;
        ASSERT_EQ(image.bytes[a], bitmap ? 0x00 : 0xFF) << std::hex << a;
    }
}

TEST_F(RadioImageTest, EncodesChannelSlotBitmapsAndFlags) {
    auto& r = ws.record;
    r.channelCount = {2, 0, 0, 0, 0, 1};
    auto& a = r.channel(0, 1);
    a.number = 9;
    a.rxFreq = "28500050"; // last two digits are not sent
    a.txFreq = "2850000";  // short: padded on the left
    a.scan = 0;
    a.busy = 1, a.echo = 1, a.hiCut = 0, a.plus10k = 1, a.nbAnl = 0, a.rb = 1;
    auto& b = r.channel(0, 2);
    b.number = 1;
    b.rxFreq = "FFFFFFFF";
    b.txFreq = "        ";
    b.scan = 1;
    b.busy = b.echo = b.hiCut = b.plus10k = b.nbAnl = b.rb = 0;
    auto& c = r.channel(5, 1);
    c.number = 60;
    c.rxFreq = "28015000";
    c.txFreq = "28015000";
    c.scan = 1;

    image.encode(r, 1);

    const auto* s9 = &image.bytes[slotOf(0, 9)];
    EXPECT_EQ(std::vector<int>(s9, s9 + 11),
              (std::vector<int>{0x28, 0x50, 0x00, 0x00, 0x00, 0x02, 0x85, 0x00, 0x00, 0x00,
                                0x02 | 0x08 | 0x20 | 0x80}));
    for (int i = 11; i < 18; ++i)
        EXPECT_EQ(s9[i], 0xFF);
    const auto* s1 = &image.bytes[slotOf(0, 1)];
    EXPECT_EQ(std::vector<int>(s1, s1 + 5), (std::vector<int>{0xFF, 0xFF, 0xFF, 0x00, 0x00}));
    EXPECT_EQ(std::vector<int>(s1 + 5, s1 + 8), (std::vector<int>{0xFF, 0xFF, 0xFF}));

    // Group 0: channels 1 and 9 present, only 1 scanned; group 5: channel 60 (bit 3 of byte 7).
    EXPECT_EQ(image.bytes[0x1D00], 0x01);
    EXPECT_EQ(image.bytes[0x1D01], 0x01);
    EXPECT_EQ(image.bytes[0x1D30], 0x01);
    EXPECT_EQ(image.bytes[0x1D31], 0x00);
    EXPECT_EQ(image.bytes[0x1D00 + 8 * 5 + 7], 0x08);
    EXPECT_EQ(image.bytes[0x1D30 + 8 * 5 + 7], 0x08);
    EXPECT_EQ(image.bytes[0x1D87], 1);
    // Model header: P B R 9 0, band index, model type, FF.
    EXPECT_EQ(std::vector<int>(&image.bytes[0x1D90], &image.bytes[0x1D98]),
              (std::vector<int>{0x50, 0x42, 0x52, 0x39, 0x30, 0x00, 0xF8, 0xFF}));
}

TEST_F(RadioImageTest, DecodesFineOffsetsAndDropsChannelsWithoutReceiveFrequency) {
    setPresent(0, 1);
    putSlot(0, 1, {0x28, 0x50, 0x00, 0x05, 0x00, 0x28, 0x50, 0x00, 0x05, 0x80, 0x00});
    setPresent(0, 5);
    putSlot(0, 5, {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x28, 0x10, 0x00, 0x00, 0x00, 0x00});
    setPresent(0, 7);
    putSlot(0, 7, {0x29, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0xFA});
    setPresent(0, 60);
    putSlot(0, 60, {0x28, 0x01, 0x50, 0x00, 0x00, 0x28, 0x01, 0x50, 0x00, 0x00, 0x00});
    image.bytes[0x1D30] = 0x40; // channel 7 scanned

    image.decode(ws);

    const auto& r = ws.record;
    ASSERT_EQ(r.channelCount[0], 3); // 1, 7 and 60; 5 has no receive frequency
    EXPECT_EQ(r.channel(0, 1).number, 1);
    EXPECT_EQ(r.channel(0, 1).rxFreq.str(), "28500050");
    EXPECT_EQ(r.channel(0, 1).txFreq.str(), "28499950");
    EXPECT_EQ(r.channel(0, 1).rxFineOffset, 50);
    EXPECT_EQ(r.channel(0, 1).scan, 0);
    const auto& seven = r.channel(0, 2);
    EXPECT_EQ(seven.number, 7);
    EXPECT_EQ(seven.txFreq.str(), "FFFFFF00"); // a transmit text that is no number stays
    EXPECT_EQ(seven.scan, 1);
    EXPECT_EQ(seven.inUse, 1);
    // 0xFA: bits 1, 3, 4, 5, 6, 7.
    EXPECT_EQ(std::vector<int>(
                  {seven.busy, seven.echo, seven.hiCut, seven.plus10k, seven.nbAnl, seven.rb}),
              (std::vector<int>{1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(r.channel(0, 3).number, 60);
    EXPECT_EQ(r.channel(0, 3).rxFreq.str(), "28015000");
    for (int g = 1; g < 6; ++g)
        EXPECT_EQ(r.channelCount[g], 0);
}

TEST_F(RadioImageTest, SignMagnitudePositionsRoundTripAndRejectOverLargeMagnitudes) {
    ws.record.optionFeatures[45] = -300;
    ws.record.optionFeatures[46] = 1000;
    image.encode(ws.record, 0);
    EXPECT_EQ(image.bytes[0x1D88], 0x2C);
    EXPECT_EQ(image.bytes[0x1D89], 0x81);
    EXPECT_EQ(image.bytes[0x1D8A], 0xE8);
    EXPECT_EQ(image.bytes[0x1D8B], 0x03);

    ws.record.optionFeatures[45] = 7;
    ws.record.optionFeatures[46] = 7;
    image.decode(ws);
    EXPECT_EQ(ws.record.optionFeatures[45], -300);
    EXPECT_EQ(ws.record.optionFeatures[46], 1000);

    image.bytes[0x1D88] = 0xE9; // 1001
    image.bytes[0x1D89] = 0x83;
    image.decode(ws);
    EXPECT_EQ(ws.record.optionFeatures[45], 0);
}

TEST_F(RadioImageTest, OptionalFeaturesRoundTripAndOutOfRangeValuesAreMended) {
    auto& opt = ws.record.optionFeatures;
    for (int p = 0; p < 47; ++p)
        opt[p] = static_cast<model::Integer>(p % 2); // bits and bytes alike
    opt[1] = 0x1234;
    opt[3] = 300;
    opt[40] = 100;
    opt[0] = 200;
    opt[29] = 59;
    opt[43] = 63;
    opt[44] = 12;
    opt[19] = 77; // not carried
    ws.record.optionByte = 5;
    image.encode(ws.record, 0);
    EXPECT_EQ(image.bytes[0x1D61], 0x12);
    EXPECT_EQ(image.bytes[0x1D62], 0x34);
    EXPECT_EQ(image.bytes[0x1D6C], 0b101010);   // 13, 15, 17
    EXPECT_EQ(image.bytes[0x1D6E], 0b10101000); // 33, 35, 37 at bits 3, 5, 7
    EXPECT_EQ(image.bytes[0x1D7F], 0xFF);
    EXPECT_EQ(image.bytes[0x1D86], 5);

    model::Workspace back;
    back.record.optionFeatures[19] = 5;
    image.decode(back);
    auto expected = opt;
    expected[19] = 5;
    EXPECT_EQ(back.record.optionFeatures, expected);
    EXPECT_EQ(back.record.optionByte, 5);

    image.bytes[0x1D84] = 64;
    image.bytes[0x1D86] = 0;
    image.decode(back);
    EXPECT_EQ(back.record.optionFeatures[43], 0);
    EXPECT_EQ(back.record.optionByte, 1);
    image.bytes[0x1D86] = 9;
    image.bytes[0x1D7D] = 0xFF; // position 40 is signed
    image.bytes[0x1D7E] = 0xFE;
    image.decode(back);
    EXPECT_EQ(back.record.optionByte, 8);
    EXPECT_EQ(back.record.optionFeatures[40], -2);
}

TEST_F(RadioImageTest, EmergencyChannelOfAnEmptyGroupRoundTrips) {
    ws.record.channelCount[2] = 0;
    ws.record.optionFeatures[model::kEmergencyChannelPosition + 2] = -1;
    ws.record.optionFeatures[model::kEmergencyChannelPosition + 3] = 0;
    image.encode(ws.record, 0);
    EXPECT_EQ(image.bytes[0x1D77], 0xFF);

    model::Workspace back;
    image.decode(back);
    EXPECT_EQ(back.record.optionFeatures[model::kEmergencyChannelPosition + 2], -1);
    EXPECT_EQ(back.record.optionFeatures[model::kEmergencyChannelPosition + 3], 0);
}

TEST_F(RadioImageTest, DecodeSetsModelBandAndMessages) {
    image.bytes[0x1D87] = 1;
    image.bytes[0x1D96] = 0xF8;
    const std::string line = "HELLO WORLD";
    std::copy(line.begin(), line.end(), image.bytes.begin() + 0x1DA0);
    std::fill_n(image.bytes.begin() + 0x1DC0, 32, 'x'); // full line: no NUL
    EXPECT_EQ(image.decode(ws), 1);
    EXPECT_EQ(ws.record.modelInfo.bandIndex, 1);
    EXPECT_EQ(ws.record.modelInfo.modelType, 248);
    EXPECT_EQ(ws.state.bandText, "25.615000 - 30.105000 MHz");
    EXPECT_DOUBLE_EQ(ws.state.bandLow, 25.615);
    EXPECT_DOUBLE_EQ(ws.state.bandHigh, 30.105);
    EXPECT_EQ(ws.record.embeddedMessage[0].str(),
              std::string("HELLO WORLD\0", 12) + std::string(20, ' '));
    EXPECT_EQ(ws.record.embeddedMessage[1].str(), std::string(32, 'x'));

    image.bytes[0x1D87] = 7; // not a band code
    EXPECT_EQ(image.readBandCode(), 0);
}

TEST_F(RadioImageTest, EncodedMessageEndsInFf) {
    ws.record.embeddedMessage[0] = std::string("HI\0", 3);
    ws.record.embeddedMessage[1] = "AB  ";
    image.encode(ws.record, 0);
    EXPECT_EQ(image.bytes[0x1DA0], 'H');
    EXPECT_EQ(image.bytes[0x1DA1], 'I');
    EXPECT_EQ(image.bytes[0x1DA2], 0xFF);
    EXPECT_EQ(image.bytes[0x1DC2], 0xFF); // trailing spaces are not sent
    EXPECT_EQ(image.bytes[0x1DDF], 0xFF);
}

TEST_F(RadioImageTest, RecordSurvivesEncodeAndDecode) {
    auto& r = ws.record;
    r.channelCount = {3, 1, 0, 0, 0, 0};
    const char* freqs[] = {"28015000", "29690000", "28100000"};
    const int numbers[] = {1, 5, 60};
    for (int i = 0; i < 3; ++i) {
        auto& ch = r.channel(0, i + 1);
        ch.number = static_cast<model::Integer>(numbers[i]);
        ch.inUse = 1;
        ch.rxFreq = freqs[i];
        ch.txFreq = freqs[2 - i];
        ch.scan = static_cast<model::Integer>(i % 2);
        ch.busy = 1;
        ch.echo = ch.hiCut = ch.plus10k = ch.nbAnl = ch.rb = 0;
    }
    r.channel(1, 1).number = 2;
    r.channel(1, 1).rxFreq = "28500000";
    r.channel(1, 1).txFreq = "28500000";
    image.encode(r, 0);

    model::Workspace back;
    back.record.channelCount = {60, 60, 60, 60, 60, 60};
    image.decode(back);
    EXPECT_EQ(back.record.channelCount, r.channelCount);
    for (int g = 0; g < 2; ++g)
        for (int e = 1; e <= r.channelCount[g]; ++e) {
            const auto& want = r.channel(g, e);
            const auto& got = back.record.channel(g, e);
            EXPECT_EQ(got.number, want.number);
            EXPECT_EQ(got.rxFreq, want.rxFreq);
            EXPECT_EQ(got.txFreq, want.txFreq);
            EXPECT_EQ(got.scan, want.scan);
            EXPECT_EQ(got.busy, want.busy);
            EXPECT_EQ(got.echo, want.echo);
        }
}

TEST_F(RadioImageTest, ChannelNumbersOutsideTheTableAreNotWritten) {
    ws.record.channelCount = {1, 0, 0, 0, 0, 0};
    ws.record.channel(0, 1).number = 61; // would be group 1's first slot
    ws.record.channel(0, 1).rxFreq = "28015000";
    image.encode(ws.record, 0);
    EXPECT_EQ(image.bytes[slotOf(1, 1)], 0xFF);
    EXPECT_EQ(image.bytes[0x1D08], 0x00);
}

TEST_F(RadioImageTest, IdentityFieldsStopAtNulOrFfAndFillCompletely) {
    const std::string serial = "ABCDEFGHIJKLMNOP"; // 16 bytes, no terminator
    std::copy(serial.begin(), serial.end(), image.bytes.begin() + 0x1F10);
    const std::string date = "2024-01-02  ";
    std::copy(date.begin(), date.end(), image.bytes.begin() + 0x1F20);
    image.bytes[0x1F20 + date.size()] = 0x00;
    std::copy_n("CN01", 4, image.bytes.begin() + 0x1F08);
    std::copy_n("B1", 2, image.bytes.begin() + 0x1F30);
    std::fill_n(image.bytes.begin() + 0x1F90, 96, 'r');

    model::RadioIdentity id;
    id.version = "V3.10";
    image.decodeIdentity(id);
    EXPECT_EQ(id.areaCode, "CN01");
    EXPECT_EQ(id.serialNumber.str(), serial);
    EXPECT_EQ(id.productionDate.str(), std::string("2024-01-02\0", 11) + "     ");
    EXPECT_EQ(id.productionBatch.str(), std::string("B1\0", 3) + "     ");
    EXPECT_EQ(id.maintenanceReason.str(), std::string(96, 'r'));
    // An all-FF field is empty: a single NUL.
    EXPECT_EQ(id.seller.str(), std::string("\0", 1) + std::string(15, ' '));
    EXPECT_EQ(id.version, "V3.10");
}

TEST_F(RadioImageTest, StoreAndBlockAreClippedToTheImage) {
    const std::vector<std::uint8_t> data(32, 0x11);
    image.store(0x1FF0, data);
    EXPECT_EQ(image.bytes[0x1FFF], 0x11);
    EXPECT_EQ(image.block(0x1FF8, 64).size(), 8u);
    EXPECT_TRUE(image.block(-16, 16).empty());
    EXPECT_TRUE(image.block(0x2000, 16).empty());
    image.store(-4, data); // ignored
    EXPECT_EQ(image.bytes[0], 0xFF);
}

} // namespace
} // namespace zx::link
