// Inserting rows, moving channels and sorting a group on the record: the numbers each channel
// ends with, what travels with it, the emergency channel following its channel, channel 60,
// the edges of the group, damaged entries, and finding channels by frequency.
#include "model/ChannelOrder.h"

#include "model/Band.h"
#include "model/ChannelFind.h"
#include "model/ModelTestSupport.h"

#include <gtest/gtest.h>
#include <map>

using namespace zx::model;

namespace {

using Plan = std::map<int, std::string>;

class ChannelOrder : public ::testing::Test {
protected:
    Workspace ws = zx::test::defaultWorkspace();

    void setGroup(int group, std::initializer_list<std::pair<int, double>> channels) {
        ws.record.channelCount[std::size_t(group)] = 0;
        for (const auto& [number, mhz] : channels)
            ASSERT_TRUE(addChannel(ws, group, number, formatMHz(mhz)));
        fixEmergencyChannels(ws.record);
    }
    // Number -> receive frequency of every channel of the group.
    std::map<int, std::string> plan(int group) const {
        std::map<int, std::string> out;
        for (int e = 1; e <= ws.record.usedChannels(group); ++e)
            out.emplace(ws.record.channel(group, e).number,
                        ws.record.channel(group, e).rxFreq.str());
        return out;
    }
    const ChannelEntry& channel(int group, int number) const {
        return ws.record.channel(group, ws.record.findChannel(group, number));
    }
    int emergency(int group) const {
        return ws.record.optionFeatures[std::size_t(kEmergencyChannelPosition + group)] + 1;
    }
    void setEmergency(int group, int number) {
        ws.record.optionFeatures[std::size_t(kEmergencyChannelPosition + group)] =
            Integer(number - 1);
    }
};

TEST_F(ChannelOrder, InsertMovesTheFollowingChannelsDownAndTheEmergencyChannelWithThem) {
    setGroup(2, {{7, 28.7}, {3, 28.3}, {5, 28.5}, {1, 28.1}});
    ws.record.channel(2, 1).rb = 1; // channel 7 carries a flag
    setEmergency(2, 5);
    std::map<int, Plan> others;
    for (int g : {0, 1, 3, 4, 5})
        others[g] = plan(g);

    EXPECT_EQ(insertChannelRow(ws.record, 2, 3).kind, OrderChange::Changed);
    EXPECT_EQ(plan(2), (Plan{{1, "28100000"}, {4, "28300000"}, {6, "28500000"}, {8, "28700000"}}));
    EXPECT_EQ(ws.record.channelCount[2], 4) << "no channel is added: the row is empty";
    EXPECT_EQ(channel(2, 8).rb, 1) << "the flags travel with the channel";
    EXPECT_EQ(emergency(2), 6) << "the emergency channel is still the one on 28.5 MHz";
    EXPECT_EQ(ws.record.channel(2, 1).number, 8) << "entries keep their place in the table";
    for (const auto& [g, p] : others)
        EXPECT_EQ(plan(g), p) << "group " << g << " stays";

    // An insert past every channel moves nothing: the record stays as it is.
    const ConfigRecord afterFirst = ws.record;
    EXPECT_EQ(insertChannelRow(ws.record, 2, 9).kind, OrderChange::Unchanged);
    EXPECT_EQ(ws.record, afterFirst);
}

TEST_F(ChannelOrder, InsertIsRefusedWhileChannel60IsInUseAndRowsOutsideTheGroupAreInvalid) {
    setGroup(0, {{1, 28.1}, {60, 29.6}});
    const ConfigRecord before = ws.record;
    EXPECT_EQ(insertChannelRow(ws.record, 0, 2).kind, OrderChange::Channel60InUse);
    EXPECT_EQ(insertChannelRow(ws.record, 0, 0).kind, OrderChange::Invalid);
    EXPECT_EQ(insertChannelRow(ws.record, 0, 61).kind, OrderChange::Invalid);
    EXPECT_EQ(insertChannelRow(ws.record, 6, 1).kind, OrderChange::Invalid);
    EXPECT_EQ(ws.record, before);

    // Channel 59 may move onto 60.
    setGroup(1, {{59, 29.59}, {2, 28.2}});
    EXPECT_TRUE(insertChannelRow(ws.record, 1, 59));
    EXPECT_EQ(plan(1), (Plan{{2, "28200000"}, {60, "29590000"}}));
}

TEST_F(ChannelOrder, MovingSwapsWithTheNeighbourOrTakesAnEmptyRow) {
    setGroup(0, {{4, 28.4}, {5, 28.5}, {9, 28.9}});
    setEmergency(0, 5);
    EXPECT_TRUE(moveChannelRows(ws.record, 0, 5, 5, false));
    EXPECT_EQ(plan(0), (Plan{{4, "28500000"}, {5, "28400000"}, {9, "28900000"}}));
    EXPECT_EQ(emergency(0), 4) << "the emergency channel moved with 28.5 MHz";

    EXPECT_TRUE(moveChannelRows(ws.record, 0, 9, 9, true));
    EXPECT_EQ(plan(0), (Plan{{4, "28500000"}, {5, "28400000"}, {10, "28900000"}}))
        << "onto an empty row";
    EXPECT_TRUE(moveChannelRows(ws.record, 0, 4, 4, true));
    EXPECT_TRUE(moveChannelRows(ws.record, 0, 5, 5, false));
    EXPECT_EQ(plan(0), (Plan{{4, "28500000"}, {5, "28400000"}, {10, "28900000"}}))
        << "down and up again is where it was";
    EXPECT_EQ(emergency(0), 4);

    // An empty row moves too: the channel below it comes up.
    EXPECT_TRUE(moveChannelRows(ws.record, 0, 9, 9, true));
    EXPECT_EQ(plan(0), (Plan{{4, "28500000"}, {5, "28400000"}, {9, "28900000"}}));
    // Two empty rows: nothing changes.
    EXPECT_EQ(moveChannelRows(ws.record, 0, 20, 20, true).kind, OrderChange::Unchanged);
}

TEST_F(ChannelOrder, ABlockMovesAsOneAndTheGroupEdgesStopIt) {
    setGroup(3, {{1, 28.1}, {2, 28.2}, {3, 28.3}, {4, 28.4}, {60, 29.6}});
    setEmergency(3, 4);
    EXPECT_TRUE(moveChannelRows(ws.record, 3, 2, 3, true));
    EXPECT_EQ(
        plan(3),
        (Plan{
            {1, "28100000"}, {2, "28400000"}, {3, "28200000"}, {4, "28300000"}, {60, "29600000"}}));
    EXPECT_EQ(emergency(3), 2);
    EXPECT_TRUE(moveChannelRows(ws.record, 3, 3, 4, false));
    EXPECT_EQ(
        plan(3),
        (Plan{
            {1, "28100000"}, {2, "28200000"}, {3, "28300000"}, {4, "28400000"}, {60, "29600000"}}));
    EXPECT_EQ(emergency(3), 4);

    const ConfigRecord before = ws.record;
    EXPECT_EQ(moveChannelRows(ws.record, 3, 1, 2, false).kind, OrderChange::AtEdge);
    EXPECT_EQ(moveChannelRows(ws.record, 3, 60, 60, true).kind, OrderChange::AtEdge);
    EXPECT_EQ(moveChannelRows(ws.record, 3, 4, 2, true).kind, OrderChange::Invalid);
    EXPECT_EQ(ws.record, before);
}

TEST_F(ChannelOrder, SortingRenumbersByReceiveFrequencyAndPacksTheEntriesInThatOrder) {
    // Channel 7 was created before channel 3 on the same frequency.
    setGroup(4, {{12, 29.1}, {7, 28.5}, {40, 28.2}, {3, 28.5}, {9, 28.02}});
    ws.record.channel(4, 1).txFreq = "29200000"; // channel 12 transmits elsewhere
    ws.record.channel(4, 2).scan = 0;            // channel 7
    setEmergency(4, 7);

    EXPECT_TRUE(sortGroupByRxFrequency(ws.record, 4));
    EXPECT_EQ(
        plan(4),
        (Plan{
            {1, "28020000"}, {2, "28200000"}, {3, "28500000"}, {4, "28500000"}, {5, "29100000"}}));
    EXPECT_EQ(channel(4, 4).scan, 0) << "equal frequencies keep their order by number: 3, then 7";
    EXPECT_EQ(channel(4, 3).scan, 1);
    EXPECT_EQ(channel(4, 5).txFreq.str(), "29200000");
    EXPECT_EQ(emergency(4), 4) << "the emergency channel is still old channel 7";
    for (int e = 1; e <= 5; ++e)
        EXPECT_EQ(ws.record.channel(4, e).number, e) << "entries in number order";

    const ConfigRecord sorted = ws.record;
    EXPECT_EQ(sortGroupByRxFrequency(ws.record, 4).kind, OrderChange::Unchanged);
    EXPECT_EQ(ws.record, sorted);
}

TEST_F(ChannelOrder, SortingPutsUnreadableFrequenciesLastAndMendsDamagedNumbers) {
    setGroup(5, {{5, 28.9}, {5, 28.3}, {77, 28.1}});
    ws.record.channel(5, 3).number = 77; // outside 1..60, as a damaged file may hold
    ws.record.channel(5, 2).rxFreq = "FFFFFFFF";
    setEmergency(5, 5);
    EXPECT_TRUE(sortGroupByRxFrequency(ws.record, 5));
    EXPECT_EQ(plan(5), (Plan{{1, "28100000"}, {2, "28900000"}, {3, "FFFFFFFF"}}));
    EXPECT_EQ(emergency(5), 2) << "the first entry numbered 5 was the emergency channel";

    ws.record.channelCount[1] = 0;
    fixEmergencyChannels(ws.record);
    EXPECT_EQ(sortGroupByRxFrequency(ws.record, 1).kind, OrderChange::Unchanged);
    EXPECT_EQ(emergency(1), 0) << "an empty group keeps no emergency channel";
}

TEST_F(ChannelOrder, FindLooksForTheBeginningOfAFrequencyInEveryGroup) {
    setGroup(0, {{5, 28.1}, {2, 28.125}, {9, 28.3}});
    setGroup(2, {{1, 28.1}});
    ws.record.channel(0, 3).txFreq = "28100000"; // channel 9 transmits on 28.1
    setGroup(1, {{4, 29.0}});
    ws.record.channel(1, 1).rxFreq = "        "; // no receive frequency
    ws.record.channel(1, 1).txFreq = "28150000";

    const std::vector<FoundChannel> found = findFrequency(ws.record, "28.1");
    EXPECT_EQ(found, (std::vector<FoundChannel>{{0, 2, ColRxFreq},
                                                {0, 5, ColRxFreq},
                                                {0, 9, ColTxFreq},
                                                {1, 4, ColTxFreq},
                                                {2, 1, ColRxFreq}}));
    EXPECT_EQ(findFrequency(ws.record, "28.12").size(), 1u);
    EXPECT_TRUE(findFrequency(ws.record, "28.1250001").empty()) << "more digits than shown";
    EXPECT_TRUE(findFrequency(ws.record, "8.1").empty()) << "the beginning, not any part";

    EXPECT_EQ(nextFound(found, {0, 5, ColRxFreq}, true), (FoundChannel{0, 9, ColTxFreq}));
    EXPECT_EQ(nextFound(found, {0, 9, ColTxFreq}, true), (FoundChannel{1, 4, ColTxFreq}))
        << "on into the next group";
    EXPECT_EQ(nextFound(found, {2, 1, ColRxFreq}, true), found.front()) << "round again";
    EXPECT_EQ(nextFound(found, {0, 2, ColRxFreq}, false), found.back());
    EXPECT_EQ(nextFound(found, {0, 7, ColScan}, false), (FoundChannel{0, 5, ColRxFreq}));
    EXPECT_EQ(nextFound(found, {0, 5, 0}, true), (FoundChannel{0, 5, ColRxFreq}))
        << "from the row number, its own channel comes first";
    EXPECT_FALSE(nextFound({}, {0, 1, 1}, true));

    EXPECT_EQ(frequencyQuery("  28,1 "), "28.1");
    EXPECT_FALSE(frequencyQuery("28.1.2"));
    EXPECT_FALSE(frequencyQuery("abc"));
    EXPECT_FALSE(frequencyQuery("   "));
}

} // namespace
