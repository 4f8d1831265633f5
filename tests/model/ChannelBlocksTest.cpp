// Deleting chosen channels and filling consecutive channels: which entries go or change,
// the group that keeps one channel, the emergency channel, the raster, the band edges and
// channel 60.
#include "model/ChannelBlocks.h"

#include "model/Band.h"
#include "model/ModelTestSupport.h"

#include <gtest/gtest.h>

using namespace zx::model;

namespace {

class ChannelBlocks : public ::testing::Test {
protected:
    Workspace ws = zx::test::defaultWorkspace();

    // Group `group` holds exactly these channels (MHz), in this table order.
    void setGroup(int group, std::initializer_list<std::pair<int, double>> channels) {
        ws.record.channelCount[std::size_t(group)] = 0;
        for (const auto& [number, mhz] : channels)
            ASSERT_TRUE(addChannel(ws, group, number, formatMHz(mhz)));
        fixEmergencyChannels(ws.record);
    }
    std::vector<int> numbers(int group) const {
        std::vector<int> out;
        for (int e = 1; e <= ws.record.channelCount[std::size_t(group)]; ++e)
            out.push_back(ws.record.channel(group, e).number);
        return out;
    }
    const ChannelEntry* channel(int group, int number) const {
        for (int e = 1; e <= ws.record.channelCount[std::size_t(group)]; ++e)
            if (ws.record.channel(group, e).number == number)
                return &ws.record.channel(group, e);
        return nullptr;
    }
    int emergency(int group) const {
        return ws.record.optionFeatures[std::size_t(kEmergencyChannelPosition + group)] + 1;
    }
    void setEmergency(int group, int number) {
        ws.record.optionFeatures[std::size_t(kEmergencyChannelPosition + group)] =
            Integer(number - 1);
    }
};

} // namespace

TEST_F(ChannelBlocks, DeletesTheNamedChannelsWhereverTheTableKeepsThem) {
    setGroup(1, {{7, 28.7}, {3, 28.3}, {9, 28.9}, {1, 28.1}, {12, 29.2}});
    setEmergency(1, 9);
    const ChannelDeletion d = deleteChannels(ws.record, 1, {3, 9, 40});
    EXPECT_EQ(d.deleted, (std::vector<int>{3, 9}));
    EXPECT_EQ(d.kept, 0);
    EXPECT_EQ(numbers(1), (std::vector<int>{7, 1, 12})) << "the others keep their order";
    EXPECT_EQ(channel(1, 12)->rxFreq.str(), "29200000");
    EXPECT_EQ(emergency(1), 7) << "the emergency channel went: the group's first entry";
    EXPECT_EQ(numbers(0), std::vector<int>{1}) << "other groups stay";
}

TEST_F(ChannelBlocks, AGroupKeepsItsLowestNumberedChannelWhenAllAreDeleted) {
    setGroup(2, {{7, 28.7}, {3, 28.3}, {9, 28.9}});
    setEmergency(2, 9);
    const ChannelDeletion d = deleteChannels(ws.record, 2, {1, 2, 3, 5, 7, 9});
    EXPECT_EQ(d.kept, 3);
    EXPECT_EQ(d.deleted, (std::vector<int>{7, 9}));
    EXPECT_EQ(numbers(2), std::vector<int>{3});
    EXPECT_EQ(emergency(2), 3);

    // Only rows without a channel: nothing happens.
    const ConfigRecord before = ws.record;
    const ChannelDeletion none = deleteChannels(ws.record, 2, {4, 5});
    EXPECT_TRUE(none.deleted.empty());
    EXPECT_EQ(none.kept, 0);
    EXPECT_TRUE(ws.record == before);
    EXPECT_TRUE(deleteChannels(ws.record, 6, {1}).deleted.empty()) << "no group 6";
}

TEST_F(ChannelBlocks, FillSetsReceiveAndTransmitAddsMissingChannelsAndKeepsFlags) {
    setGroup(0, {{1, 28.1}, {6, 28.6}});
    ChannelEntry& six = ws.record.channel(0, 2);
    six.busy = 1;
    six.scan = 0;
    six.txFreq = "29000000";
    const FillPlan plan{0, 5, 28'500'000, 25'000, 4};
    EXPECT_FALSE(fillChannels(ws.record, ws.state, plan));
    EXPECT_EQ(numbers(0), (std::vector<int>{1, 6, 5, 7, 8}));
    EXPECT_EQ(channel(0, 5)->rxFreq.str(), "28500000");
    EXPECT_EQ(channel(0, 6)->rxFreq.str(), "28525000");
    EXPECT_EQ(channel(0, 6)->txFreq.str(), "28525000") << "a filled channel is simplex";
    EXPECT_EQ(channel(0, 6)->busy, 1);
    EXPECT_EQ(channel(0, 6)->scan, 0);
    EXPECT_EQ(channel(0, 8)->txFreq.str(), "28575000");
    EXPECT_EQ(channel(0, 7)->scan, 1);
    EXPECT_EQ(channel(0, 7)->echo, 1);
    EXPECT_EQ(channel(0, 1)->rxFreq.str(), "28100000");
}

TEST_F(ChannelBlocks, FillFrequenciesAreWholeHertzOnTheRasterOfTheBand) {
    // Sixty 10 Hz steps add up exactly; an off-raster start moves down onto the raster.
    EXPECT_FALSE(fillChannels(ws.record, ws.state, {3, 1, 28'000'013, 10, 60}));
    EXPECT_EQ(ws.record.channelCount[3], 60);
    EXPECT_EQ(channel(3, 1)->rxFreq.str(), "28000010");
    EXPECT_EQ(channel(3, 60)->rxFreq.str(), "28000600");

    // A group that had no channel gets an emergency channel.
    ws.record.channelCount[4] = 0;
    fixEmergencyChannels(ws.record);
    ASSERT_EQ(emergency(4), 0);
    EXPECT_FALSE(fillChannels(ws.record, ws.state, {4, 10, 29'000'000, 5'000, 2}));
    EXPECT_EQ(emergency(4), 10);
}

TEST_F(ChannelBlocks, FillIsRefusedPastChannel60AndOutsideTheBandAndChangesNothing) {
    const ConfigRecord before = ws.record;
    FillProblem p = fillChannels(ws.record, ws.state, {0, 58, 28'500'000, 10'000, 4});
    EXPECT_EQ(p.kind, FillProblem::PastChannel60);
    p = fillChannels(ws.record, ws.state, {0, 5, 29'650'000, 25'000, 4});
    EXPECT_EQ(p.kind, FillProblem::OutsideBand);
    EXPECT_EQ(p.number, 8);
    EXPECT_EQ(p.hz, 29'725'000);
    p = fillChannels(ws.record, ws.state, {0, 1, 28'005'000, -5'000, 3});
    EXPECT_EQ(p.kind, FillProblem::OutsideBand) << "downwards below the lower edge";
    EXPECT_EQ(p.number, 3);
    EXPECT_EQ(fillChannels(ws.record, ws.state, {0, 1, 28'500'000, 0, 0}).kind,
              FillProblem::NoChannels);
    EXPECT_TRUE(ws.record == before);

    // The edges themselves belong to the band (the wider band here).
    ws.state.bandText = bandTextFromIndex(1);
    parseBandEdges(ws.state);
    EXPECT_FALSE(checkFill({0, 1, 25'615'000, 4'490'000, 2}, ws.state));
    EXPECT_TRUE(checkFill({0, 1, 25'614'990, 10, 1}, ws.state));
    EXPECT_TRUE(checkFill({0, 1, 30'105'000, 10, 2}, ws.state));
}
