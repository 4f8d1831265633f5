// Pasted rows: where they go, what refuses them, and how long lists of notes are cut short.
#include "exchange/ChannelPaste.h"

#include "exchange/ChannelImport.h"
#include "exchange/NoteList.h"
#include "exchange/RandomDocument.h"

#include <gtest/gtest.h>

using namespace zx::exchange;
using zx::test::bandState;

namespace {

const zx::model::RuntimeState kBand0 = bandState(0);

// CHIRP's columns without a header, as a spreadsheet copies them.
std::string sheetRow(int location, const std::string& frequency, const std::string& comment = "",
                     const std::string& duplex = "", const std::string& offset = "0.000000") {
    return std::to_string(location) + "\tX\t" + frequency + '\t' + duplex + '\t' + offset +
           "\t\t88.5\t88.5\t023\tNN\t023\tTone->Tone\tAuto\t5.00\t\t\t" + comment + "\t\t\t\t\r\n";
}

std::vector<std::pair<int, int>> places(const PastedRows& pasted) {
    std::vector<std::pair<int, int>> out;
    for (const ChannelRow& row : pasted.table.rows)
        out.push_back({row.placed ? row.slot.group : -1, row.slot.number});
    return out;
}

} // namespace

TEST(ChannelPaste, RowsCopiedFromTheGridGoToConsecutiveChannelsFromTheRowChosen) {
    std::mt19937 random(7);
    zx::model::ConfigRecord source = zx::test::randomDocument(random, kBand0, 60);
    // copied (their Location and Name say A), pasted at D-20.
    const std::string copied = writeChannelRows(source, {{0, 10}, {0, 11}, {0, 40}}, '\t').text;
    const PastedRows pasted = readPastedRows(copied, kBand0, 3, 20);
    ASSERT_TRUE(pasted.acceptable());
    EXPECT_EQ(places(pasted), (std::vector<std::pair<int, int>>{{3, 20}, {3, 21}, {3, 22}}));

    zx::model::ConfigRecord target = zx::test::defaultDocument(kBand0);
    setChannels(target, pasted.table.rows);
    const auto find = [](const zx::model::ConfigRecord& r, int group, int number) {
        for (int e = 1; e <= r.channelCount[std::size_t(group)]; ++e)
            if (r.channel(group, e).number == number)
                return r.channel(group, e);
        return zx::model::ChannelEntry{};
    };
    const zx::model::ChannelEntry from = find(source, 0, 40);
    const zx::model::ChannelEntry to = find(target, 3, 22);
    EXPECT_EQ(to.number, 22);
    EXPECT_EQ(to.rxFreq, from.rxFreq);
    EXPECT_EQ(to.txFreq, from.txFreq);
    EXPECT_EQ(
        std::tie(to.scan, to.busy, to.echo, to.hiCut, to.plus10k, to.nbAnl, to.rb),
        std::tie(from.scan, from.busy, from.echo, from.hiCut, from.plus10k, from.nbAnl, from.rb));
}

TEST(ChannelPaste, SpreadsheetRowsWithoutHeaderAndCommaRowsAreRead) {
    const PastedRows sheet = readPastedRows(sheetRow(999, "28.500000", "BUSY RB") +
                                                sheetRow(0, "28.600000", "", "-", "0.100000"),
                                            kBand0, 0, 59);
    ASSERT_TRUE(sheet.acceptable()) << sheet.table.bad.size();
    EXPECT_EQ(places(sheet), (std::vector<std::pair<int, int>>{{0, 59}, {0, 60}}));
    EXPECT_EQ(sheet.table.rows[0].entry.busy, 1);
    EXPECT_EQ(sheet.table.rows[0].entry.rb, 1);
    EXPECT_EQ(sheet.table.rows[1].entry.txFreq.str(), "28500000");

    const PastedRows commas =
        readPastedRows("Location,Name,Frequency\r\n5,A-05,29.000000\r\n", kBand0, 1, 1);
    ASSERT_TRUE(commas.acceptable());
    EXPECT_EQ(places(commas), (std::vector<std::pair<int, int>>{{1, 1}}));
}

TEST(ChannelPaste, BadRowsAndRowsPastChannel60AreNotPlaced) {
    const PastedRows bad =
        readPastedRows(sheetRow(1, "28.500000") + sheetRow(2, "30.000000"), kBand0, 0, 1);
    EXPECT_FALSE(bad.acceptable());
    ASSERT_EQ(bad.table.bad.size(), 1u);
    EXPECT_EQ(bad.table.bad[0].describe(1),
              "line 2: 30.000000 MHz is outside 28.000000 - 29.700000 MHz");

    // Three rows from channel 59 do not fit, even when one of them is bad.
    const std::string three =
        sheetRow(1, "28.500000") + sheetRow(2, "abc") + sheetRow(3, "28.700000");
    const PastedRows past = readPastedRows(three, kBand0, 0, 59);
    EXPECT_TRUE(past.pastEnd);
    for (const ChannelRow& row : past.table.rows)
        EXPECT_FALSE(row.placed);
    EXPECT_FALSE(readPastedRows(three, kBand0, 0, 58).pastEnd);

    const PastedRows empty = readPastedRows("", kBand0, 0, 1);
    EXPECT_FALSE(empty.acceptable());
    EXPECT_FALSE(empty.pastEnd);
    EXPECT_TRUE(empty.table.bad.empty());
}

TEST(ChannelPaste, LongListsOfNotesAreCutShortWithTheCountLeftOut) {
    std::string rows;
    for (int i = 1; i <= 40; ++i)
        rows += sheetRow(i, "31.000000");
    const std::vector<Note> bad = readPastedRows(rows, kBand0, 0, 1).table.bad;
    ASSERT_EQ(bad.size(), 40u);
    const auto lines = [](const std::string& text) {
        return 1 + std::count(text.begin(), text.end(), '\n');
    };
    const std::string english = noteList(bad, 1, 15);
    EXPECT_EQ(lines(english), 15);
    EXPECT_EQ(english.substr(english.rfind('\n') + 1), "… and 26 more");
    const std::string chinese = noteList(bad, 2, 15);
    EXPECT_EQ(chinese.substr(chinese.rfind('\n') + 1), "…… 另有 26 行");
    EXPECT_EQ(chinese.substr(0, chinese.find('\n')), bad[0].describe(2));

    const std::string fifteen = noteList({bad.begin(), bad.begin() + 15}, 1, 15);
    EXPECT_EQ(lines(fifteen), 15);
    EXPECT_EQ(fifteen.substr(fifteen.rfind('\n') + 1), bad[14].describe(1))
        << "fifteen notes fit without a count line";
}
