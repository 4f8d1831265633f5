// What a write leaves of the document in the radio: the frequencies it shortens to 100 Hz
// are found (and only those), named the way the user reads them, and listed in the question
// before a write.
#include "link/WritePrecision.h"

#include "link/RadioImage.h"
#include "model/ChannelTable.h"
#include "model/Defaults.h"

#include <gtest/gtest.h>

namespace zx::test {
namespace {

model::Workspace workspace() {
    model::Workspace ws;
    model::buildTestFrequencyDefaults(ws.state);
    model::resetDocument(ws, model::Today{2026, 12, 9, "2026-12-09"});
    return ws;
}

TEST(WritePrecision, FrequenciesWithDigitsBeyond100HzAreListedAsTheRadioWillHoldThem) {
    model::Workspace ws = workspace();
    EXPECT_TRUE(link::shortenedFrequencies(ws).empty()) << "the defaults are 100 Hz steps";

    ASSERT_TRUE(model::addChannel(ws, 0, 12, "28.512340")); // RX and TX lose "40"
    ASSERT_TRUE(model::addChannel(ws, 0, 14, "28.512300")); // nothing lost
    ASSERT_TRUE(model::addChannel(ws, 3, 2, "29.100000"));
    ws.record.channel(3, ws.record.findChannel(3, 2)).txFreq = "29100010";  // TX only
    ws.record.channel(0, ws.record.findChannel(0, 14)).txFreq = "        "; // no TX at all
    ws.record.currentGroup = 0;

    const std::vector<link::ShortenedFrequency> found = link::shortenedFrequencies(ws);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(link::describe(found[0], text::English), "A-12 RX 28.512340 is written as 28.512300");
    EXPECT_EQ(link::describe(found[1], text::English), "A-12 TX 28.512340 is written as 28.512300");
    EXPECT_EQ(link::describe(found[2], text::English), "D-02 TX 29.100010 is written as 29.100000");
    EXPECT_EQ(link::describe(found[2], text::Chinese), "D-02 发射 29.100010 将写为 29.100000");

    // What a read gives back after the write is what the list says the radio holds.
    link::RadioImage image;
    image.encode(ws.record, 0);
    model::Workspace read = ws;
    image.decode(read);
    EXPECT_EQ(read.record.channel(0, read.record.findChannel(0, 12)).rxFreq.str(), "28512300");
    EXPECT_EQ(link::asWritten(ws), read.record);
}

TEST(WritePrecision, TheQuestionListsTheFrequenciesAndCutsALongList) {
    model::Workspace ws = workspace();
    ws.record.channelCount[0] = 0;
    for (int n = 1; n <= 25; ++n)
        ASSERT_TRUE(model::addChannel(ws, 0, n, "28.500050"));
    const std::vector<link::ShortenedFrequency> found = link::shortenedFrequencies(ws);
    ASSERT_EQ(found.size(), 50u);
    const std::string question = link::shortenedQuestion(found, text::English, 20);
    EXPECT_EQ(question.rfind("The radio keeps channel frequencies in 100 Hz steps.", 0), 0u);
    EXPECT_NE(question.find("A-01 RX 28.500050 is written as 28.500000\n"), std::string::npos);
    EXPECT_NE(question.find("A-10 TX 28.500050"), std::string::npos);
    EXPECT_EQ(question.find("A-11 RX"), std::string::npos) << "20 lines, then the rest counted";
    EXPECT_NE(question.find("… and 30 more\n\nWrite anyway?"), std::string::npos) << question;
}

} // namespace
} // namespace zx::test
