// Comparing documents: exactly the changed channel, option and message line are named, in
// words of both languages; what means the same is no difference.
#include "exchange/DocumentDiff.h"

#include "exchange/RandomDocument.h"

#include <gtest/gtest.h>

using namespace zx::exchange;
using zx::model::ConfigRecord;
using zx::text::Chinese;
using zx::text::English;

namespace {

std::vector<std::string> lines(const std::vector<Difference>& differences, int language) {
    std::vector<std::string> out;
    for (const Difference& d : differences)
        out.push_back(describe(d, language));
    return out;
}

const std::string kNul(1, '\0');

} // namespace

TEST(DocumentDiff, NamesExactlyTheChangedChannelOptionAndMessageLine) {
    const zx::model::RuntimeState state = zx::test::bandState(0);
    std::mt19937 random(3);
    const ConfigRecord a = zx::test::randomDocument(random, state);
    EXPECT_TRUE(compareDocuments(a, a).empty());

    // A-05 receives 28.515 MHz before, 28.525 MHz after.
    auto a05 = [&](ConfigRecord& r) -> zx::model::ChannelEntry& {
        for (int e = 1; e <= r.channelCount[0]; ++e)
            if (r.channel(0, e).number == 5)
                return r.channel(0, e);
        zx::model::addChannel(r, state, 0, 5, "28.515000");
        return r.channel(0, r.channelCount[0]);
    };
    ConfigRecord before = a;
    a05(before).rxFreq = "28515000";
    before.optionFeatures[0] = 2;
    ConfigRecord b = before;
    a05(b).rxFreq = "28525000";
    b.optionFeatures[0] = 4;
    b.embeddedMessage[0] = "HELLO" + kNul;

    const std::vector<Difference> differences = compareDocuments(before, b);
    EXPECT_EQ(
        lines(differences, English),
        (std::vector<std::string>{"A-05 RX Frequency: 28.515000 → 28.525000", "TOT[s]: 60 → 120",
                                  "Local Information line 1: \"\" → \"HELLO\""}));
    EXPECT_EQ(lines(differences, Chinese),
              (std::vector<std::string>{"A-05 接收频率：28.515000 → 28.525000", "TOT[秒]：60 → 120",
                                        "本机信息 第1行：\"\" → \"HELLO\""}));
    EXPECT_EQ(differenceKey(differences[0]), "A-05.rxFreq");
    EXPECT_EQ(differenceKey(differences[1]), "optionFeatures[0]");
    EXPECT_EQ(differenceKey(differences[2]), "embeddedMessage[0]");
}

TEST(DocumentDiff, ChannelsAreMatchedByNumberAndFlagsReadAsWords) {
    const zx::model::RuntimeState state = zx::test::bandState(0);
    ConfigRecord a = zx::test::defaultDocument(state);
    zx::model::addChannel(a, state, 1, 7, "28.700000");
    zx::model::addChannel(a, state, 1, 9, "28.900000");

    // The same channels in another order, with channel B-09 changed and B-03 new.
    ConfigRecord b = a;
    std::swap(b.channel(1, 2), b.channel(1, 3));
    b.channel(1, 2).scan = 0;
    b.channel(1, 2).hiCut = 1;
    b.channel(1, 2).txFreq = "28950000";
    zx::model::addChannel(b, state, 1, 3, "28.300000");
    a.channel(1, 2).rxFineOffset = 50; // B-07
    b.optionFeatures[25] = 6;          // emergency channel B-07
    a.optionByte = 8;

    EXPECT_EQ(lines(compareDocuments(a, b), English),
              (std::vector<std::string>{
                  "B-03: (none) → 28.300000",
                  "B-07 RX Fine Offset: 50 → 0",
                  "B-09 TX FreQuency: 28.900000 → 28.950000",
                  "B-09 Scan: Add → Del",
                  "B-09 HI-CUT: Disable → Enable",
                  "Emergency Channel B: 1 → 7",
                  "Backlight Color: Loop → Blue",
              }));
    EXPECT_EQ(lines(compareDocuments(b, a), Chinese)[0], "B-03：28.300000 → (无)");
    EXPECT_EQ(differenceKey(compareDocuments(a, b)[0]), "B-03");
}

TEST(DocumentDiff, WhatReadsTheSameIsNoDifference) {
    const zx::model::RuntimeState state = zx::test::bandState(0);
    ConfigRecord a = zx::test::defaultDocument(state);
    ConfigRecord b = a;
    // Bytes after a NUL, entries beyond a count, the group on show, channels beyond the count.
    b.embeddedMessage[1] = kNul + "old text";
    b.autodial[3].digits = "12345";
    b.currentGroup = 4;
    b.channel(0, 2).number = 2;
    b.channel(0, 2).rxFreq = "29000000";
    b.dtmf.idCode = "000" + kNul + "xyz";
    EXPECT_TRUE(compareDocuments(a, b).empty());

    // Within the counts they are differences, named by their record place.
    b.autodialCount = 4;
    a.autodialCount = 4;
    b.dtmf.idCode = "123";
    EXPECT_EQ(lines(compareDocuments(a, b), English),
              (std::vector<std::string>{"DTMF ID Code: \"000\" → \"123\"",
                                        "Autodial 4 Digits: \"\" → \"12345\""}));
}

TEST(DocumentDiff, RadioScopeComparesWhatTheRadioKeeps) {
    const zx::model::RuntimeState state = zx::test::bandState(0);
    ConfigRecord file = zx::test::defaultDocument(state);
    file.embeddedMessage[0] = "HELLO   "; // no NUL, trailing spaces
    file.channel(0, 1).rxFineOffset = 70; // not sent to the radio
    file.optionFeatures[19] = 1;          // "Common Option": no place in the radio
    file.keyAssignment[0] = 3;            // not exchanged with the radio
    file.modelInfo.dateCode = "20200101";

    ConfigRecord radio = zx::test::defaultDocument(state);
    radio.embeddedMessage[0] = "HELLO" + kNul;
    EXPECT_TRUE(compareDocuments(file, radio, DiffScope::Radio).empty());
    EXPECT_EQ(compareDocuments(file, radio, DiffScope::Document).size(), 5u);

    radio.channel(0, 1).rxFreq = "28015100";
    radio.modelInfo.bandIndex = 1;
    EXPECT_EQ(
        lines(compareDocuments(file, radio, DiffScope::Radio), English),
        (std::vector<std::string>{
            "A-01 RX Frequency: 28.015000 → 28.015100",
            "Model Information Band: 28.000000 - 29.700000 MHz → 25.615000 - 30.105000 MHz"}));
}

TEST(DocumentDiff, TextsOfTheCodePageAreDecodedAtTheEdge) {
    ConfigRecord a;
    ConfigRecord b;
    b.embeddedMessage[1] = "\xC4\xE3\xBA\xC3" + kNul;
    const std::vector<Difference> d = compareDocuments(a, b);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(describe(d[0], English), "Local Information line 2: \"\" → \"????\"");
    const TextDecoder gbk = [](std::string_view bytes) {
        return bytes == "\xC4\xE3\xBA\xC3" ? std::string("你好") : std::string(bytes);
    };
    EXPECT_EQ(describe(d[0], Chinese, gbk), "本机信息 第2行：\"\" → \"你好\"");
}

TEST(DocumentDiff, TextsThatReadTheSameShowTheirBytes) {
    ConfigRecord before;
    ConfigRecord after = before;
    // A control character and a byte the code page cannot show: both differ, neither reads
    // so; and a plain difference stays plain.
    before.embeddedMessage[0] = std::string("HELLO\x01", 6);
    after.embeddedMessage[0] = std::string("HELLO\x02", 6);
    before.dtmf.idCode = "A\xC1";
    after.dtmf.idCode = "A\xC2";
    after.embeddedMessage[1] = "NEW" + kNul;
    const std::vector<std::string> shown = lines(compareDocuments(before, after), English);
    const std::string spaces = " 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 "
                               "20 20 20 20";
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0], "DTMF ID Code: \"A?\" [41 C1 20 20 20 20 20 20 20 20] → \"A?\" [41 C2 20 "
                        "20 20 20 20 20 20 20]");
    EXPECT_EQ(shown[1], "Local Information line 1: \"HELLO\x01" + std::string(26, ' ') +
                            "\" [48 45 4C 4C 4F 01" + spaces + "] → \"HELLO\x02" +
                            std::string(26, ' ') + "\" [48 45 4C 4C 4F 02" + spaces + "]");
    EXPECT_EQ(shown[2], "Local Information line 2: \"\" → \"NEW\"");
}
