// An import told before it happens: per group what it adds, replaces and leaves out, and the
// two ways of carrying it out. And the comparison with a radio that sets apart what the radio
// holds to 100 Hz, as every write leaves it, from real differences.
#include "exchange/ImportPlan.h"

#include "exchange/RadioComparison.h"
#include "exchange/RandomDocument.h"
#include "model/ChannelTable.h"

#include <gtest/gtest.h>

using namespace zx::exchange;
using zx::model::ConfigRecord;

namespace {

const zx::model::RuntimeState kBand0 = zx::test::bandState(0);

ChannelRow row(int group, int number, const char* stored) {
    ChannelRow r;
    r.placed = true;
    r.slot = {group, number};
    r.entry.inUse = 1;
    r.entry.number = zx::model::Integer(number);
    r.entry.rxFreq = stored;
    r.entry.txFreq = stored;
    return r;
}

// Group A holds; group C holds C-01.
ConfigRecord document() {
    ConfigRecord r = zx::test::defaultDocument(kBand0);
    zx::model::addChannel(r, kBand0, 0, 2, "28.200000");
    zx::model::addChannel(r, kBand0, 0, 5, "28.500000");
    return r;
}

std::vector<int> numbers(const ConfigRecord& r, int group) {
    std::vector<int> out;
    for (int e = 1; e <= r.usedChannels(group); ++e)
        out.push_back(r.channel(group, e).number);
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace

TEST(ImportPlan, EachGroupTheFileNamesIsToldWithWhatItGainsLosesAndKeeps) {
    const ConfigRecord before = document();
    const std::vector<ChannelRow> rows{row(0, 5, "28600000"), row(0, 8, "28800000"),
                                       row(2, 9, "29000000")};
    const std::vector<GroupImport> plan = planImport(before, rows);
    ASSERT_EQ(plan.size(), 2u) << "groups B, D, E and F are not named";
    EXPECT_EQ(plan[0].group, 0);
    EXPECT_EQ(plan[0].added, std::vector<int>{8});
    EXPECT_EQ(plan[0].replaced, std::vector<int>{5});
    EXPECT_EQ(plan[0].others, (std::vector<int>{1, 2}));
    EXPECT_EQ(plan[1].group, 2);
    EXPECT_EQ(plan[1].added, std::vector<int>{9});
    EXPECT_EQ(plan[1].others, std::vector<int>{1});
    EXPECT_EQ(channelNames(0, plan[0].others), "A-01, A-02");
    EXPECT_EQ(channelNames(0, {1, 2, 3, 4}, 2), "A-01, A-02, …");

    // Merge: the channels the file does not name stay; the ones it names take its values.
    ConfigRecord merged = before;
    EXPECT_EQ(importRows(merged, rows, ImportMode::Merge), (std::vector<int>{0, 2}));
    EXPECT_EQ(numbers(merged, 0), (std::vector<int>{1, 2, 5, 8}));
    ASSERT_NE(merged.findChannel(0, 2), 0);
    EXPECT_EQ(merged.channel(0, merged.findChannel(0, 2)), before.channel(0, 2));
    EXPECT_EQ(merged.channel(0, merged.findChannel(0, 5)).rxFreq.str(), "28600000");
    EXPECT_EQ(numbers(merged, 2), (std::vector<int>{1, 9}));
    EXPECT_EQ(numbers(merged, 1), numbers(before, 1));

    // Replace: the groups hold only the file's channels; the emergency channel follows.
    ConfigRecord replaced = before;
    replaced.optionFeatures[zx::model::kEmergencyChannelPosition] = 1;
    importRows(replaced, rows, ImportMode::ReplaceGroups);
    EXPECT_EQ(numbers(replaced, 0), (std::vector<int>{5, 8}));
    EXPECT_EQ(numbers(replaced, 2), std::vector<int>{9});
    EXPECT_EQ(replaced.optionFeatures[zx::model::kEmergencyChannelPosition], 4) << "A-05";
    EXPECT_EQ(numbers(replaced, 1), numbers(before, 1));
}

TEST(RadioComparison, FrequenciesTheRadioHoldsTo100HzAreNoDifferences) {
    ConfigRecord file = zx::test::defaultDocument(kBand0);
    zx::model::addChannel(file, kBand0, 0, 12, "28.512340");
    zx::model::addChannel(file, kBand0, 0, 13, "28.600040");
    file.optionFeatures[45] = 1500; // more than the radio's field holds

    // What a write leaves in the radio: six digits of each frequency, the field read as 0.
    ConfigRecord written = file;
    written.channel(0, 2).rxFreq = "28512300";
    written.channel(0, 2).txFreq = "28512300";
    written.channel(0, 3).rxFreq = "28600000";
    written.channel(0, 3).txFreq = "28600000";
    written.optionFeatures[45] = 0;

    // The radio holds A-12 as written, A-13 RX at another frequency altogether.
    ConfigRecord radio = written;
    radio.channel(0, 3).rxFreq = "28700000";

    const RadioComparison compared = compareWithRadio(radio, file, written);
    std::vector<std::string> real;
    for (const Difference& d : compared.differences)
        real.push_back(differenceKey(d));
    std::vector<std::string> rounded;
    for (const Difference& d : compared.storedTo100Hz)
        rounded.push_back(differenceKey(d));
    EXPECT_EQ(real, (std::vector<std::string>{"A-13.rxFreq", "optionFeatures[45]"}))
        << "a lost option value is no matter of precision";
    EXPECT_EQ(rounded, (std::vector<std::string>{"A-12.rxFreq", "A-12.txFreq", "A-13.txFreq"}));
    ASSERT_FALSE(compared.storedTo100Hz.empty());
    EXPECT_EQ(describeAgainstRadio(compared.storedTo100Hz[0], zx::text::English),
              "A-12 RX Frequency: radio 28.512300, file 28.512340");

    // A radio that holds the file to the hertz shows nothing at all.
    const RadioComparison same = compareWithRadio(file, file, written);
    EXPECT_TRUE(same.differences.empty());
    EXPECT_TRUE(same.storedTo100Hz.empty());
}
