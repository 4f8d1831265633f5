// The channel table in CHIRP's columns: what is written, that it reads back to the same
// channels, how a hand-written CHIRP file and its bad rows are read, and how rows are placed
// into a document.
#include "exchange/ChannelTable.h"

#include "exchange/ChannelImport.h"
#include "exchange/RandomDocument.h"
#include "model/RecordFields.h"

#include <gtest/gtest.h>
#include <map>
#include <tuple>

using namespace zx::exchange;
using zx::model::ChannelEntry;
using zx::model::ConfigRecord;
using zx::test::bandState;
using zx::test::defaultDocument;

namespace {

const std::string kHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n";

// What a channel is, without where the group keeps it.
using Channel = std::tuple<std::string, std::string, int, int, int, int, int, int, int>;
using Channels = std::map<std::pair<int, int>, Channel>;

Channels channelsOf(const ConfigRecord& r) {
    Channels out;
    for (int g = 0; g < zx::model::kGroupCount; ++g)
        for (int e = 1; e <= r.channelCount[std::size_t(g)]; ++e) {
            const ChannelEntry& c = r.channel(g, e);
            out[{g, c.number}] = {c.rxFreq.str(), c.txFreq.str(), c.scan,  c.busy, c.echo,
                                  c.hiCut,        c.plus10k,      c.nbAnl, c.rb};
        }
    return out;
}

std::vector<std::string> described(const std::vector<Note>& notes, int language) {
    std::vector<std::string> out;
    for (const Note& n : notes)
        out.push_back(n.describe(language));
    return out;
}

} // namespace

TEST(ChannelTable, WritesWhatChirpWritesForEachChannel) {
    const zx::model::RuntimeState state = bandState(0);
    ConfigRecord r = defaultDocument(state);
    // Group A: channel 5 receives 28.515 and transmits 0.1 MHz higher, created before 2.
    zx::model::addChannel(r, state, 0, 5, "28.515000");
    r.channel(0, 2).txFreq = "28615000";
    r.channel(0, 2).busy = 1;
    r.channel(0, 2).rb = 1;
    zx::model::addChannel(r, state, 0, 2, "29.000000");
    r.channel(0, 3).txFreq = "28500000";
    r.channel(0, 3).scan = 0;
    r.channel(0, 3).echo = 0;
    r.channelCount = {3, 0, 0, 0, 0, 1};
    r.channel(5, 1) = r.channel(0, 1);
    r.channel(5, 1).number = 60;
    r.channel(5, 1).txFreq = "        "; // no transmit frequency: the receive frequency

    const WrittenTable table = writeChannelTable(r);
    EXPECT_TRUE(table.notes.empty());
    EXPECT_EQ(table.text,
              kHeader +
                  "1,A-01,28.015000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,Auto,5.00,,,ECHO,,"
                  ",,\r\n"
                  "2,A-02,29.000000,-,0.500000,,88.5,88.5,023,NN,023,Tone->Tone,Auto,5.00,S,,,,,"
                  ",\r\n"
                  "5,A-05,28.515000,+,0.100000,,88.5,88.5,023,NN,023,Tone->Tone,Auto,5.00,,,BUSY "
                  "ECHO RB,,,,\r\n"
                  "360,F-60,28.015000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,Auto,5.00,,,ECHO,"
                  ",,,\r\n");

    // Copied grid rows: tab-separated, in the order asked, channels that do not exist left out.
    const WrittenTable rows = writeChannelRows(r, {{0, 5}, {0, 3}, {0, 1}}, '\t');
    EXPECT_EQ(rows.text.substr(0, 9), "Location\t");
    EXPECT_NE(rows.text.find("\r\n5\tA-05\t28.515000\t+\t0.100000\t"), std::string::npos);
    EXPECT_LT(rows.text.find("A-05"), rows.text.find("A-01"));
    EXPECT_EQ(rows.text.find("A-03"), std::string::npos);
}

TEST(ChannelTable, DamagedChannelsAreToldAboutNotWritten) {
    const zx::model::RuntimeState state = bandState(0);
    ConfigRecord r = defaultDocument(state);
    zx::model::addChannel(r, state, 1, 7, "28.100000");
    zx::model::addChannel(r, state, 1, 7, "28.200000");
    zx::model::addChannel(r, state, 1, 61, "28.300000");
    r.channel(0, 1).rxFreq = "FFFFFFFF";
    r.channel(2, 1).txFreq = "28X00000";
    const WrittenTable table = writeChannelTable(r);
    EXPECT_EQ(described(table.notes, zx::text::English),
              (std::vector<std::string>{
                  "A-01: no receive frequency; the channel is not written",
                  "B-07: a second entry with this number is not written",
                  "group B: entry numbered 61 is not a channel 1..60; not written",
                  "C-01: transmit frequency \"28X00000\" is not a number; written as the receive "
                  "frequency"}));
    EXPECT_NE(table.text.find("61,B-01,"), std::string::npos);
    EXPECT_NE(table.text.find("67,B-07,28.100000,"), std::string::npos);
    EXPECT_EQ(table.text.find("28.200000"), std::string::npos);
    EXPECT_NE(table.text.find("121,C-01,28.115000,,0.000000,"), std::string::npos);
}

TEST(ChannelTable, RandomDocumentsComeBackThroughTheTable) {
    std::mt19937 random(21);
    for (int band : {0, 1}) {
        const zx::model::RuntimeState state = bandState(band);
        for (int round = 0; round < 15; ++round) {
            const ConfigRecord original = zx::test::randomDocument(random, state);
            const WrittenTable written = writeChannelTable(original);
            ASSERT_TRUE(written.notes.empty());
            EXPECT_EQ(written.text.find("\xEF\xBB\xBF"), std::string::npos);

            const ReadTable read = readChannelTable(written.text, state);
            ASSERT_TRUE(read.bad.empty()) << read.bad.front().describe(zx::text::English);
            EXPECT_TRUE(read.warnings.empty());
            ConfigRecord imported = defaultDocument(state);
            EXPECT_EQ(replaceGroups(imported, read.rows), (std::vector<int>{0, 1, 2, 3, 4, 5}));
            ASSERT_EQ(channelsOf(imported), channelsOf(original))
                << "band " << band << " round " << round;
            // Entries come in number order; emergency channels designate channels of their group.
            for (int g = 0; g < zx::model::kGroupCount; ++g) {
                for (int e = 2; e <= imported.channelCount[std::size_t(g)]; ++e)
                    EXPECT_LT(imported.channel(g, e - 1).number, imported.channel(g, e).number);
                const int emergency = imported.optionFeatures[std::size_t(24 + g)] + 1;
                EXPECT_TRUE(channelsOf(imported).contains({g, emergency}));
            }
        }
    }
}

TEST(ChannelTable, ReadsAHandWrittenChirpFile) {
    const std::string csv = "\xEF\xBB\xBF# Exported from CHIRP, edited by hand\r\n"
                            "# Location 500 is beyond 360: the Name says where the channel goes\r\n"
                            "Name,Location,Frequency,Offset,Duplex,Mode,Skip,Comment,Bank,TStep\r\n"
                            "Calling,5,28.515000,0.000000,,FM,,BUSY ECHO,1,5.00\r\n"
                            "Repeater,65,29.620000,0.100000,-,FM,S,NB/ANL rb,,5.00\r\n"
                            "Up,66,29.520000,0.100000,+,FM,,,,\r\n"
                            "\r\n"
                            "Split,360,28.300000,29.300000,split,USB,,HI-CUT +10KHz,,\r\n"
                            "Listen,121,28.400000,0.000000,off,AM,,,,\r\n"
                            "C-02,500,28.410000,,,,,,,\r\n";
    const zx::model::RuntimeState state = bandState(0);
    const ReadTable read = readChannelTable(csv, state);
    ASSERT_TRUE(read.bad.empty()) << read.bad.front().describe(zx::text::English);
    EXPECT_EQ(read.rowCount, 6);
    EXPECT_EQ(described(read.warnings, zx::text::English),
              (std::vector<std::string>{"line 9: Duplex \"off\" (no transmit) is not available on "
                                        "this radio; the channel transmits on its receive "
                                        "frequency"}));

    const ConfigRecord base = defaultDocument(state);
    ConfigRecord r = base;
    EXPECT_EQ(replaceGroups(r, read.rows), (std::vector<int>{0, 1, 2, 5}));
    const Channels expected{
        {{0, 5}, {"28515000", "28515000", 1, 1, 1, 0, 0, 0, 0}},
        {{1, 5}, {"29620000", "29520000", 0, 0, 0, 0, 0, 1, 1}},
        {{1, 6}, {"29520000", "29620000", 1, 0, 0, 0, 0, 0, 0}},
        {{2, 1}, {"28400000", "28400000", 1, 0, 0, 0, 0, 0, 0}},
        {{2, 2}, {"28410000", "28410000", 1, 0, 0, 0, 0, 0, 0}},
        {{3, 1}, {"28085000", "28085000", 1, 0, 1, 0, 0, 0, 0}}, // group D untouched
        {{4, 1}, {"28055000", "28055000", 1, 0, 1, 0, 0, 0, 0}}, // group E untouched
        {{5, 60}, {"28300000", "29300000", 1, 0, 0, 1, 1, 0, 0}},
    };
    EXPECT_EQ(channelsOf(r), expected);
    // Emergency channel 1 of group A is gone: the group's first channel takes its place.
    EXPECT_EQ(r.optionFeatures[24], 4);
    EXPECT_EQ(r.optionFeatures[26], 0);
    // Nothing but the replaced channels changed.
    ConfigRecord rest = r;
    rest.channelCount = base.channelCount;
    rest.channels = base.channels;
    for (std::size_t position = 24; position < 30; ++position)
        rest.optionFeatures[position] = base.optionFeatures[position];
    EXPECT_EQ(rest, base);
}

TEST(ChannelTable, EveryBadRowIsNamedWithItsLine) {
    const std::string csv = "Location,Name,Frequency,Duplex,Offset\r\n"
                            "1,A-01,28.100000,,0.000000\r\n"
                            "2,A-02,27.500000,,0.000000\r\n"
                            "\r\n"
                            "3,A-03,28.2,x,0\r\n"
                            "900,Foo,28.3,,\r\n"
                            "1,A-01,28.4,,\r\n"
                            "4,A-04,abc,,\r\n"
                            "5,A-05,29.6,+,0.2\r\n"
                            "6,A-06,28.1234567,,\r\n";
    const ReadTable read = readChannelTable(csv, bandState(0));
    EXPECT_EQ(read.rowCount, 8);
    EXPECT_EQ(described(read.bad, zx::text::English),
              (std::vector<std::string>{
                  "line 3: 27.500000 MHz is outside 28.000000 - 29.700000 MHz",
                  "line 5: Duplex \"x\" is none of \"\", \"+\", \"-\", \"split\", \"off\"",
                  "line 6: Location \"900\" is outside 1 - 360 and Name \"Foo\" does not name a "
                  "channel such as A-05",
                  "line 7: channel A-01 is given twice (first on line 2)",
                  "line 8: Frequency \"abc\" is not a number",
                  "line 9: 29.800000 MHz is outside 28.000000 - 29.700000 MHz",
              }));
    EXPECT_EQ(read.bad.front().describe(zx::text::Chinese),
              "第3行：27.500000 MHz 超出 28.000000 - 29.700000 MHz");
    // The valid rows are kept for --skip-bad; a frequency off the raster is moved onto it, as
    // the channel cell does, and told about.
    ASSERT_EQ(read.rows.size(), 2u);
    EXPECT_EQ(read.rows[1].entry.rxFreq.str(), "28123450");
    EXPECT_EQ(described(read.warnings, zx::text::English),
              (std::vector<std::string>{
                  "line 10: 28.123457 MHz moved onto the 10 Hz raster: 28.123450 MHz"}));

    // In band 1 the same 27.5 MHz is fine.
    EXPECT_EQ(readChannelTable(csv, bandState(1)).bad.size(), 4u);
}

TEST(ChannelTable, HeadersOfOtherChirpReleasesAndPastedRows) {
    const zx::model::RuntimeState state = bandState(0);
    // Older releases write 18 columns, without RxDtcsCode, CrossMode and Power.
    const std::string older = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
                              "DtcsCode,DtcsPolarity,Mode,TStep,Skip,Comment,URCALL,RPT1CALL,"
                              "RPT2CALL\n"
                              "0,A-07,28.700000,,0.000000,,88.5,88.5,023,NN,FM,5.00,S,,,,\n";
    ReadTable read = readChannelTable(older, state);
    ASSERT_TRUE(read.bad.empty()) << read.bad.front().describe(zx::text::English);
    ASSERT_EQ(read.rows.size(), 1u);
    EXPECT_EQ(read.rows[0].slot, (ChannelSlot{0, 7}));
    EXPECT_EQ(read.rows[0].entry.scan, 0);

    // A file without the header is refused; neither Location nor Name is refused too.
    read = readChannelTable("1,A-01,28.1\n", state);
    EXPECT_EQ(described(read.bad, zx::text::English),
              (std::vector<std::string>{"line 1: no header line naming the columns "
                                        "(Location,Name,Frequency,... or Group,Channel,RX "
                                        "Frequency,...)"}));
    read = readChannelTable("Frequency,Mode\n28.1,FM\n", state);
    EXPECT_EQ(described(read.bad, zx::text::English),
              (std::vector<std::string>{"line 1: the header has no Location column"}));

    // Rows pasted from a spreadsheet: tab-separated, no header, CHIRP's column order, and no
    // place of their own.
    const std::string pasted = "9\tA-09\t28.600000\t+\t0.010000\n"
                               "10\tA-10\t28.610000\t\t0\n";
    read = readChannelTable(pasted, state, {0, false, true});
    ASSERT_TRUE(read.bad.empty()) << read.bad.front().describe(zx::text::English);
    ASSERT_EQ(read.rows.size(), 2u);
    EXPECT_FALSE(read.rows[0].placed);
    EXPECT_EQ(read.rows[0].entry.txFreq.str(), "28610000");
}

TEST(ChannelTable, PastedRowsSetTheirChannelsOnly) {
    const zx::model::RuntimeState state = bandState(0);
    ConfigRecord r = defaultDocument(state);
    zx::model::addChannel(r, state, 0, 3, "28.300000");
    const ReadTable read = readChannelTable(
        "Location\tName\tFrequency\n3\tx\t29.000000\n7\ty\t29.100000\n", state, {0, true, false});
    ASSERT_TRUE(read.bad.empty());
    EXPECT_EQ(setChannels(r, read.rows), 2);
    EXPECT_EQ(r.channelCount[0], 3);
    EXPECT_EQ(r.channel(0, 1).rxFreq.str(), "28015000") << "channel 1 stays";
    EXPECT_EQ(r.channel(0, 2).rxFreq.str(), "29000000") << "channel 3 overwritten in place";
    EXPECT_EQ(r.channel(0, 3).number, 7) << "channel 7 added at the end";
}
