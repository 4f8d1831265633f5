// The channel cell update and the table-wide operations.
#include "model/ChannelTable.h"

#include "model/Band.h"
#include "model/ModelTestSupport.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

using namespace zx::model;
using zx::test::ScriptedPrompter;

namespace {

class ChannelTable : public ::testing::Test {
protected:
    Workspace ws = zx::test::defaultWorkspace();
    ScriptedPrompter prompter;

    CellUpdate set(int number, int column, std::string_view value) {
        return updateChannelCell(ws, number, column, value, prompter);
    }
    // Channel numbers of a group in table order.
    std::vector<int> numbers(int group) const {
        std::vector<int> out;
        for (int e = 1; e <= ws.record.channelCount[std::size_t(group)]; ++e)
            out.push_back(ws.record.channel(group, e).number);
        return out;
    }
    const ChannelEntry& entry(int group, int position) const {
        return ws.record.channel(group, position);
    }
    int emergency(int group) const {
        return ws.record.optionFeatures[std::size_t(kEmergencyChannelPosition + group)];
    }
};

} // namespace

TEST_F(ChannelTable, ResetGivesOneChannelPerGroup) {
    for (int g = 0; g < kGroupCount; ++g) {
        EXPECT_EQ(numbers(g), std::vector<int>{1});
        EXPECT_EQ(entry(g, 1).rxFreq, entry(g, 1).txFreq);
        EXPECT_EQ(entry(g, 1).inUse, 1);
    }
    EXPECT_EQ(entry(3, 1).rxFreq.str(), "28085000");
    EXPECT_EQ(ws.record.currentGroup, 0);
}

TEST_F(ChannelTable, ReceiveFrequencyIsSnappedAndAddsAtTheEnd) {
    EXPECT_EQ(set(7, ColRxFreq, "28.123456").kind, CellUpdate::Added);
    EXPECT_EQ(set(3, ColRxFreq, "28.5").kind, CellUpdate::Added);
    EXPECT_EQ(numbers(0), (std::vector<int>{1, 7, 3}));
    EXPECT_EQ(entry(0, 2).rxFreq.str(), "28123450");
    EXPECT_EQ(entry(0, 2).txFreq.str(), "28123450");
    EXPECT_EQ(entry(0, 2).scan, 1);
    EXPECT_EQ(entry(0, 2).echo, 1);
    EXPECT_EQ(entry(0, 2).busy, 0);
    EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(ChannelTable, ARefusedReceiveFrequencyKeepsTheChannelAndNamesTheBand) {
    const std::string warning =
        "Frequency is out of range.\nThe band is 28.000000 - 29.700000 MHz.";
    // A new number: nothing is added.
    EXPECT_EQ(set(5, ColRxFreq, "27.5").kind, CellUpdate::Refused);
    EXPECT_EQ(numbers(0), std::vector<int>{1});
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{warning});
    EXPECT_EQ(prompter.asked[0].icon, zx::text::Icon::Warning);

    // An existing channel with its own TX, scan and flags stays exactly as it was, for a
    // value out of the band as for one that is no number; so does the emergency channel.
    set(2, ColRxFreq, "28.2");
    set(2, ColTxFreq, "28.3");
    set(2, ColScan, "0");
    set(2, ColBusy, "1");
    ws.record.optionFeatures[kEmergencyChannelPosition] = 1; // channel 2
    const ChannelEntry before = entry(0, 2);
    for (const char* typo : {"2.83", "31", "28..3", "."}) {
        EXPECT_EQ(set(2, ColRxFreq, typo).kind, CellUpdate::Refused) << typo;
        EXPECT_EQ(entry(0, 2), before) << typo;
    }
    EXPECT_EQ(numbers(0), (std::vector<int>{1, 2}));
    EXPECT_EQ(emergency(0), 1);
    EXPECT_EQ(prompter.asked.size(), 5u);
    // The message gives the band in use.
    ws.state.bandText = bandTextFromIndex(1);
    parseBandEdges(ws.state);
    set(2, ColRxFreq, "31");
    EXPECT_EQ(prompter.texts().back(),
              "Frequency is out of range.\nThe band is 25.615000 - 30.105000 MHz.");
    ws.state.language = zx::text::Chinese;
    set(2, ColRxFreq, "31");
    EXPECT_EQ(prompter.texts().back(), "频率超出范围。\n频段为 25.615000 - 30.105000 MHz。");
    // Clearing the cell on purpose still deletes the channel.
    EXPECT_EQ(set(2, ColRxFreq, "").kind, CellUpdate::Deleted);
    EXPECT_EQ(numbers(0), std::vector<int>{1});
}

TEST_F(ChannelTable, OutOfBandTransmitFrequencyMovesToTheNearerEdge) {
    EXPECT_EQ(set(1, ColTxFreq, "27.5").kind, CellUpdate::Updated);
    EXPECT_EQ(entry(0, 1).txFreq.str(), "28000000");
    EXPECT_EQ(set(1, ColTxFreq, "31").kind, CellUpdate::Updated);
    EXPECT_EQ(entry(0, 1).txFreq.str(), "29700000");
    EXPECT_EQ(prompter.asked.size(), 2u);
    // A transmit frequency for a channel that does not exist stores nothing.
    EXPECT_EQ(set(9, ColTxFreq, "28.5").kind, CellUpdate::Nothing);
    EXPECT_EQ(numbers(0), std::vector<int>{1});
}

TEST_F(ChannelTable, ClearingTransmitCopiesReceive) {
    set(1, ColTxFreq, "29.1");
    EXPECT_EQ(entry(0, 1).txFreq.str(), "29100000");
    EXPECT_EQ(set(1, ColTxFreq, "").kind, CellUpdate::Updated);
    EXPECT_EQ(entry(0, 1).txFreq.str(), "28015000");
}

TEST_F(ChannelTable, ClearingReceiveDeletesAndKeepsTheGroupPacked) {
    ws.record.currentGroup = 2;
    set(4, ColRxFreq, "28.4");
    set(9, ColRxFreq, "28.9");
    set(9, ColBusy, "1");
    EXPECT_EQ(set(4, ColRxFreq, "").kind, CellUpdate::Deleted);
    EXPECT_EQ(numbers(2), (std::vector<int>{1, 9}));
    EXPECT_EQ(entry(2, 2).rxFreq.str(), "28900000");
    EXPECT_EQ(entry(2, 2).busy, 1);
    EXPECT_EQ(set(1, ColRxFreq, "").kind, CellUpdate::Deleted);
    EXPECT_EQ(numbers(2), std::vector<int>{9});
    // The only channel left cannot be cleared away.
    EXPECT_EQ(set(9, ColRxFreq, "").kind, CellUpdate::Nothing);
    EXPECT_EQ(numbers(2), std::vector<int>{9});
    EXPECT_EQ(numbers(0), std::vector<int>{1}) << "other groups untouched";
}

TEST_F(ChannelTable, ListColumnsStoreIntegers) {
    const std::pair<int, Integer ChannelEntry::*> columns[] = {
        {ColBusy, &ChannelEntry::busy},   {ColEcho, &ChannelEntry::echo},
        {ColHiCut, &ChannelEntry::hiCut}, {ColPlus10k, &ChannelEntry::plus10k},
        {ColNbAnl, &ChannelEntry::nbAnl}, {ColRb, &ChannelEntry::rb},
        {ColScan, &ChannelEntry::scan}};
    for (const auto& [column, field] : columns) {
        EXPECT_EQ(set(1, column, "1").kind, CellUpdate::Updated) << column;
        EXPECT_EQ(entry(0, 1).*field, 1) << column;
        set(1, column, "0");
        EXPECT_EQ(entry(0, 1).*field, 0) << column;
    }
    const ChannelEntry before = entry(0, 1);
    EXPECT_EQ(set(1, ColBusy, "yes").kind, CellUpdate::Nothing);
    EXPECT_EQ(set(1, ColBusy, "70000").kind, CellUpdate::Nothing);
    EXPECT_EQ(set(1, 10, "1").kind, CellUpdate::Nothing);
    EXPECT_EQ(set(1, 0, "28.1").kind, CellUpdate::Nothing);
    EXPECT_EQ(set(2, ColBusy, "1").kind, CellUpdate::Nothing);
    EXPECT_EQ(entry(0, 1), before);
    EXPECT_EQ(numbers(0), std::vector<int>{1});
}

TEST_F(ChannelTable, FullGroupAndBadPositionsChangeNothing) {
    for (int n = 2; n <= 60; ++n)
        ASSERT_EQ(set(n, ColRxFreq, "28.5").kind, CellUpdate::Added) << n;
    const ConfigRecord full = ws.record;
    EXPECT_FALSE(addChannel(ws, 0, 61, "28.6"));
    EXPECT_EQ(set(61, ColRxFreq, "28.6").kind, CellUpdate::Nothing);
    EXPECT_EQ(ws.record, full);
    EXPECT_EQ(ws.record.channel(1, 1).number, 1) << "group B's first entry not overwritten";

    for (int bad : {0, -1, 61, 2}) // group B has one channel
        EXPECT_FALSE(deleteChannel(ws.record, 1, bad)) << bad;
    EXPECT_FALSE(deleteChannel(ws.record, 6, 1));
    EXPECT_FALSE(addChannel(ws, -1, 1, "28.5"));
    EXPECT_EQ(ws.record, full);
}

TEST_F(ChannelTable, DamagedCountsAndGroupAreHeldToTheTable) {
    ws.record.channelCount[0] = 500;
    ws.record.channelCount[1] = -4;
    EXPECT_FALSE(addChannel(ws, 0, 2, "28.5"));
    EXPECT_TRUE(deleteChannel(ws.record, 0, 60));
    EXPECT_EQ(ws.record.channelCount[0], 59);
    EXPECT_TRUE(addChannel(ws, 1, 5, "28.5"));
    EXPECT_EQ(ws.record.channelCount[1], 1);
    EXPECT_FALSE(deleteChannel(ws.record, 1, 2));

    const ConfigRecord before = ws.record;
    ws.record.currentGroup = 9;
    EXPECT_EQ(set(1, ColRxFreq, "28.5").kind, CellUpdate::Nothing);
    ws.record.currentGroup = before.currentGroup;
    EXPECT_EQ(ws.record, before);
    ScriptedPrompter quiet;
    ws.record.channelCount = {32767, -32768, 61, 0, 60, 1};
    EXPECT_NO_FATAL_FAILURE(checkAllFrequencies(ws, quiet));
    EXPECT_NO_FATAL_FAILURE(correctAllFrequencies(ws, quiet));
    EXPECT_NO_FATAL_FAILURE(fixEmergencyChannels(ws.record));
}

TEST_F(ChannelTable, EmergencyChannelsFollowAdditionsAndDeletions) {
    set(5, ColRxFreq, "28.5");
    set(6, ColRxFreq, "28.6");
    ws.record.optionFeatures[24] = 5; // channel 6 of group A
    set(1, ColRxFreq, "");            // deletion: 6 still exists
    EXPECT_EQ(emergency(0), 5);
    set(6, ColRxFreq, ""); // the designated channel goes: first entry's number
    EXPECT_EQ(emergency(0), 4);
    EXPECT_EQ(numbers(0), std::vector<int>{5});

    // A group without channels ends with -1; fix-up runs for all six groups.
    ws.record.channelCount[3] = 0;
    ws.record.optionFeatures[25] = 40; // group B: no channel 41
    set(7, ColRxFreq, "28.7");
    EXPECT_EQ(emergency(3), -1);
    EXPECT_EQ(emergency(1), 0);
    EXPECT_EQ(emergency(0), 4);
}

TEST_F(ChannelTable, CheckAndCorrectAllFrequencies) {
    EXPECT_FALSE(checkAllFrequencies(ws, prompter));
    ws.record.channel(0, 1).rxFreq = "28123456"; // off the raster
    EXPECT_TRUE(checkAllFrequencies(ws, prompter));
    ws.record.channel(0, 1).rxFreq = "28015000";
    ws.record.channel(4, 1).txFreq = "31000000"; // above the band
    EXPECT_TRUE(checkAllFrequencies(ws, prompter));
    ws.record.channel(2, 1).rxFreq = "27000000";
    ws.record.channel(1, 1).rxFreq = "28123456";
    // An entry beyond the count is not looked at.
    ws.record.channel(5, 2).rxFreq = "99000000";

    correctAllFrequencies(ws, prompter);
    EXPECT_EQ(ws.record.channel(4, 1).txFreq.str(), "29700000");
    EXPECT_EQ(ws.record.channel(2, 1).rxFreq.str(), "28000000");
    EXPECT_EQ(ws.record.channel(1, 1).rxFreq.str(), "28123450");
    EXPECT_EQ(ws.record.channel(0, 1).rxFreq.str(), "28015000");
    EXPECT_EQ(ws.record.channel(5, 2).rxFreq.str(), "99000000");
    EXPECT_FALSE(checkAllFrequencies(ws, prompter));
    EXPECT_TRUE(prompter.asked.empty()) << "neither operation warns";
}

TEST_F(ChannelTable, BandOneEdgesAreAccepted) {
    ws.state.bandText = kBandText1;
    parseBandEdges(ws.state);
    set(2, ColRxFreq, "25.615");
    set(3, ColRxFreq, "30.105");
    EXPECT_EQ(numbers(0), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(entry(0, 2).rxFreq.str(), "25615000");
    EXPECT_EQ(entry(0, 3).rxFreq.str(), "30105000");
    EXPECT_TRUE(prompter.asked.empty());
}

TEST(TestFrequencies, DefaultTable) {
    RuntimeState s;
    buildTestFrequencyDefaults(s);
    const char* rx[] = {"155.05", "136.05", "173.95", "155", "155.2", "155.4"};
    const char* tx[] = {"155.1", "136.1", "173.9", "155", "155.2", "155.4"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(s.testFreqDefaults[std::size_t(i + 1)], rx[i]);
        EXPECT_EQ(s.testFreqDefaults[std::size_t(i + 17)], tx[i]);
    }
    EXPECT_EQ(s.testFreqDefaults[7], "");
    EXPECT_EQ(s.testFreqDefaults[32], "");

    ConfigRecord r;
    r.testFreqCount = 0;
    applyDefaultTestFrequencies(r, s);
    EXPECT_EQ(r.testFreqCount, 6);
    EXPECT_EQ(r.testFreqs[2].index, 3);
    EXPECT_EQ(r.testFreqs[2].rxFreq.str(), "173.95  ");
    EXPECT_EQ(r.testFreqs[2].txState, 15);
    EXPECT_EQ(r.testFreqs[6].index, 0);
}
