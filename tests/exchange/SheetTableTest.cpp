// The spreadsheet columns and the forms spreadsheets give: what a row holds, random documents
// through the table in both languages and with every separator, the header that tells the
// kinds apart (mixed and repeated headers refused), semicolon files with decimal commas, a
// pasted column of frequencies, and every bad cell named with its line, field and text.
#include "exchange/SheetTable.h"

#include "exchange/ChannelImport.h"
#include "exchange/ChannelPaste.h"
#include "exchange/RandomDocument.h"

#include <gtest/gtest.h>
#include <map>
#include <tuple>

using namespace zx::exchange;
using zx::model::ChannelEntry;
using zx::model::ConfigRecord;
using zx::test::bandState;
using zx::test::defaultDocument;

namespace {

const zx::model::RuntimeState kBand0 = bandState(0);

using Channel = std::tuple<std::string, std::string, int, int, int, int, int, int, int>;
using Channels = std::map<std::pair<int, int>, Channel>;

Channels channelsOf(const ConfigRecord& r) {
    Channels out;
    for (int g = 0; g < zx::model::kGroupCount; ++g)
        for (int e = 1; e <= r.usedChannels(g); ++e) {
            const ChannelEntry& c = r.channel(g, e);
            out[{g, c.number}] = {c.rxFreq.str(), c.txFreq.str(), c.scan,  c.busy, c.echo,
                                  c.hiCut,        c.plus10k,      c.nbAnl, c.rb};
        }
    return out;
}

std::vector<std::string> described(const std::vector<Note>& notes,
                                   int language = zx::text::English) {
    std::vector<std::string> out;
    for (const Note& n : notes)
        out.push_back(n.describe(language));
    return out;
}

std::string firstLine(const std::string& text) {
    return text.substr(0, text.find("\r\n"));
}

} // namespace

TEST(SheetTable, OneRowPerChannelWithTheProgramsOwnTexts) {
    ConfigRecord r = defaultDocument(kBand0);
    r.channelCount.fill(0);
    zx::model::addChannel(r, kBand0, 1, 12, "28.515000");
    r.channel(1, 1).txFreq = "28615000";
    r.channel(1, 1).scan = 0;
    r.channel(1, 1).busy = 1;
    r.channel(1, 1).echo = 0;
    r.channel(1, 1).rb = 1;
    zx::model::addChannel(r, kBand0, 1, 3, "29.000000");
    r.channel(1, 2).txFreq = "        "; // no transmit frequency: the receive frequency

    const WrittenTable english = writeSheetTable(r, zx::text::English);
    EXPECT_TRUE(english.notes.empty());
    EXPECT_EQ(english.text, "Group,Channel,RX Frequency,TX Frequency,Scan,BUSY,ECHO,HI-CUT,+10KHz,"
                            "NB/ANL,RB\r\n"
                            "B,3,29.000000,29.000000,Add,Disable,Enable,Disable,Disable,Disable,"
                            "Disable\r\n"
                            "B,12,28.515000,28.615000,Del,Enable,Disable,Disable,Disable,Disable,"
                            "Enable\r\n");
    const WrittenTable chinese = writeSheetTable(r, zx::text::Chinese, ';');
    EXPECT_EQ(firstLine(chinese.text),
              "组;信道;接收频率;发射频率;扫描;BUSY;ECHO;HI-CUT;+10KHz;NB/ANL;RB");
    EXPECT_NE(chinese.text.find("B;12;28.515000;28.615000;删除;使用;不使用;"), std::string::npos);

    // Damaged channels are told about as the CHIRP table tells them.
    r.channel(1, 2).rxFreq = "FFFFFFFF";
    EXPECT_EQ(described(writeSheetTable(r, zx::text::English).notes),
              std::vector<std::string>{"B-03: no receive frequency; the channel is not written"});
}

TEST(SheetTable, RandomDocumentsComeBackInEitherLanguageAndWithEverySeparator) {
    std::mt19937 random(18);
    for (int band : {0, 1}) {
        const zx::model::RuntimeState state = bandState(band);
        for (int language : {zx::text::English, zx::text::Chinese}) {
            for (char separator : {',', ';', '\t'}) {
                const ConfigRecord source = zx::test::randomDocument(random, state);
                const WrittenTable written = writeSheetTable(source, language, separator);
                const ReadTable read = readChannelTable(written.text, state);
                ASSERT_TRUE(read.bad.empty()) << described(read.bad).front();
                EXPECT_EQ(read.kind, TableKind::Sheet);
                EXPECT_TRUE(read.warnings.empty());
                ConfigRecord target = defaultDocument(state);
                EXPECT_EQ(replaceGroups(target, read.rows).size(), 6u);
                EXPECT_EQ(channelsOf(target), channelsOf(source))
                    << "band " << band << ", language " << language << ", separator "
                    << int(separator);
            }
        }
    }
}

TEST(SheetTable, AHandWrittenSheetWithFewerColumnsAndEveryKindOfBadCell) {
    const std::string sheet = "\xEF\xBB\xBF"
                              "channel;GROUP;rx frequency;Scan;RB;Notes\r\n"
                              "5;a;28,5;del;1;my note\r\n" // decimal comma, lower case, 0/1
                              "6;A;28.6;;Enable;\r\n"      // empty scan: Add
                              "7;A;28.7;maybe;;\r\n"       // scan text unknown
                              "61;A;28.8;;;\r\n"           // no such channel
                              "5;A;28.9;;;\r\n"            // A-05 again
                              "8;G;29.0;;;\r\n"            // no such group
                              "9;A;;;;\r\n"                // no frequency
                              "10;A;30.0;;;\r\n";          // outside the band
    const ReadTable read = readChannelTable(sheet, kBand0);
    EXPECT_EQ(read.kind, TableKind::Sheet);
    EXPECT_EQ(read.rowCount, 8);
    EXPECT_EQ(described(read.bad),
              (std::vector<std::string>{
                  "line 4: Scan \"maybe\" is none of Del, Add, 删除, 添加, 0, 1",
                  "line 5: Group \"A\" and Channel \"61\" do not name a channel (A - F, 1 - 60)",
                  "line 6: channel A-05 is given twice (first on line 2)",
                  "line 7: Group \"G\" and Channel \"8\" do not name a channel (A - F, 1 - 60)",
                  "line 8: RX Frequency \"\" is not a number",
                  "line 9: 30.000000 MHz is outside 28.000000 - 29.700000 MHz",
              }));
    EXPECT_EQ(read.bad.front().describe(zx::text::Chinese),
              "第4行：Scan \"maybe\" 不是 Del, Add, 删除, 添加, 0, 1 之一");
    ASSERT_EQ(read.rows.size(), 2u);
    const ChannelEntry& a5 = read.rows[0].entry;
    EXPECT_EQ(read.rows[0].slot, (ChannelSlot{0, 5}));
    EXPECT_EQ(a5.rxFreq.str(), "28500000");
    EXPECT_EQ(a5.txFreq.str(), "28500000") << "no TX column: the receive frequency";
    EXPECT_EQ(std::tie(a5.scan, a5.rb, a5.echo, a5.busy), std::tuple(0, 1, 1, 0))
        << "absent flags take the values of a new channel";
    EXPECT_EQ(read.rows[1].entry.scan, 1);
    EXPECT_FALSE(read.rows[0].keepsFlags) << "the row gives its scan";
}

TEST(SheetTable, TheHeaderTellsTheKindsApartAndAMixOrASecondHeaderIsRefused) {
    const std::string chirpSemicolons = "Location;Name;Frequency;Duplex;Offset\n"
                                        "3;A-03;28,300000;+;0,100000\n";
    ReadTable read = readChannelTable(chirpSemicolons, kBand0);
    ASSERT_TRUE(read.bad.empty()) << described(read.bad).front();
    EXPECT_EQ(read.kind, TableKind::Chirp);
    ASSERT_EQ(read.rows.size(), 1u);
    EXPECT_EQ(read.rows[0].entry.txFreq.str(), "28400000");

    read = readChannelTable("Location\tGroup\tFrequency\tRX Frequency\n1\tA\t28.1\t28.1\n", kBand0);
    EXPECT_TRUE(read.refused);
    EXPECT_TRUE(read.rows.empty());
    EXPECT_EQ(described(read.bad),
              std::vector<std::string>{"line 1: the header names CHIRP's columns (Location, "
                                       "Frequency) and the spreadsheet columns (Group, RX "
                                       "Frequency) at once; keep the columns of one kind"});

    // Two exports put together: the second header is named, nothing is read.
    const zx::model::ConfigRecord doc = defaultDocument(kBand0);
    const std::string both =
        writeChannelTable(doc).text + "\r\n" + writeSheetTable(doc, zx::text::English).text;
    read = readChannelTable(both, kBand0);
    EXPECT_TRUE(read.refused);
    EXPECT_TRUE(read.rows.empty());
    EXPECT_EQ(described(read.bad),
              std::vector<std::string>{
                  "line 9: a second header line (the first is on line 1); a file holds one table"});

    // No header at all, or a sheet that does not say where its rows go.
    read = readChannelTable("A;1;28.1\n", kBand0);
    EXPECT_TRUE(read.refused);
    EXPECT_EQ(read.rowCount, 0);
    read = readChannelTable("RX Frequency;Scan\n28.1;Add\n", kBand0);
    EXPECT_EQ(described(read.bad),
              std::vector<std::string>{"line 1: the header has no Group column"});
}

TEST(SheetTable, APastedColumnOfFrequenciesFillsChannelsLineByLine) {
    ConfigRecord r = defaultDocument(kBand0);
    zx::model::addChannel(r, kBand0, 2, 4, "29.000000");
    r.channel(2, 2).rb = 1;
    r.channel(2, 2).scan = 0;
    // As a spreadsheet copies a column with an empty cell in it, and with decimal commas.
    const PastedRows pasted = readPastedRows("28.4\r\n28,5\r\n\r\n28.123456\r\n", kBand0, 2, 3);
    ASSERT_TRUE(pasted.acceptable()) << described(pasted.table.bad).front();
    EXPECT_TRUE(pasted.table.frequencyColumn);
    EXPECT_EQ(described(pasted.table.warnings),
              std::vector<std::string>{
                  "line 4: 28.123456 MHz moved onto the 10 Hz raster: 28.123450 MHz"});
    EXPECT_EQ(setChannels(r, pasted.table.rows), 3);
    const auto at = [&](int number) -> const ChannelEntry& {
        return r.channel(2, r.findChannel(2, number));
    };
    EXPECT_EQ(at(3).rxFreq.str(), "28400000");
    EXPECT_EQ(at(3).txFreq.str(), "28400000");
    EXPECT_EQ(std::tie(at(3).scan, at(3).echo), std::tuple(1, 1)) << "a new channel's defaults";
    EXPECT_EQ(at(4).rxFreq.str(), "28500000");
    EXPECT_EQ(std::tie(at(4).scan, at(4).rb), std::tuple(0, 1)) << "channel 4 keeps its flags";
    EXPECT_EQ(r.findChannel(2, 5), 0) << "the empty cell left channel 5 alone";
    EXPECT_EQ(at(6).rxFreq.str(), "28123450");

    // A bad line is named by its line, its field and its text.
    const PastedRows bad = readPastedRows("28.1\nabc\n27.0\n", kBand0, 0, 1);
    EXPECT_FALSE(bad.acceptable());
    EXPECT_EQ(
        described(bad.table.bad),
        (std::vector<std::string>{"line 2: RX Frequency \"abc\" is not a number",
                                  "line 3: 27.000000 MHz is outside 28.000000 - 29.700000 MHz"}));
    EXPECT_EQ(bad.table.bad.front().describe(zx::text::Chinese),
              "第2行：接收频率 \"abc\" 不是数字");

    // Its empty lines count for the way to channel 60.
    EXPECT_TRUE(readPastedRows("28.1\n\n\n28.2\n", kBand0, 0, 58).pastEnd);
    EXPECT_FALSE(readPastedRows("28.1\n\n\n28.2\n", kBand0, 0, 57).pastEnd);
}

TEST(SheetTable, PastedSheetRowsWithoutFlagsKeepTheChannelsFlags) {
    ConfigRecord r = defaultDocument(kBand0);
    r.channel(0, 1).busy = 1;
    const PastedRows pasted =
        readPastedRows("RX Frequency\tTX Frequency\n28.7\t\n28.8\t28.9\n", kBand0, 0, 1);
    ASSERT_TRUE(pasted.acceptable()) << described(pasted.table.bad).front();
    EXPECT_EQ(setChannels(r, pasted.table.rows), 2);
    EXPECT_EQ(r.channel(0, 1).rxFreq.str(), "28700000");
    EXPECT_EQ(r.channel(0, 1).busy, 1);
    EXPECT_EQ(r.channel(0, r.findChannel(0, 2)).txFreq.str(), "28900000");
}
