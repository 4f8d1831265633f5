// The field description: the layout it gives is the data file's, and the names and values it
// shows are those of the windows, in both languages.
#include "model/RecordFields.h"

#include "model/OptionFields.h"
#include "model/RecordCodec.h"
#include "text/Language.h"

#include <gtest/gtest.h>
#include <map>

using namespace zx::model;
using zx::text::Chinese;
using zx::text::English;

namespace {

const FieldLayout& at(const std::string& path) {
    static const std::map<std::string, const FieldLayout*> byPath = [] {
        std::map<std::string, const FieldLayout*> m;
        for (const FieldLayout& f : recordLayout())
            m[f.path] = &f;
        return m;
    }();
    return *byPath.at(path);
}

} // namespace

TEST(RecordFields, LayoutIsTheDataFilesOffsetTable) {
    const std::vector<FieldLayout>& layout = recordLayout();
    std::size_t end = 0;
    for (const FieldLayout& f : layout) {
        EXPECT_EQ(f.offset, end) << f.path << ": nothing lies between fields";
        const std::size_t width = f.kind == Kind::Integer ? 2
                                  : f.kind == Kind::Long  ? 4
                                  : f.kind == Kind::Byte  ? 1
                                                          : f.width;
        EXPECT_EQ(f.width, width) << f.path;
        end = f.offset + f.width;
    }
    EXPECT_EQ(end, kRecordSize);

    const std::pair<const char*, std::size_t> blocks[] = {
        {"dataVersion", 0},
        {"currentGroup", 4},
        {"channelCount[0]", 6},
        {"channels[0][0].number", 18},
        {"channels[1][4].number", 18 + (4 + 60) * 38},
        {"modelInfo.modelCode", 13698},
        {"optionFeatures[0]", 13731},
        {"keyAssignment[0]", 13825},
        {"scanInfo[0]", 13829},
        {"dtmf.options1[0]", 13843},
        {"dtmf.idCode", 13843 + 12},
        {"dtmf.stunCode", 13843 + 32},
        {"fleetSync.ownFleet", 13887},
        {"fleetSync.pttIdSideTone", 13887 + 16},
        {"autodialCount", 13905},
        {"autodial[0].number", 13907},
        {"testFreqCount", 14051},
        {"testFreqs[0].index", 14053},
        {"testFreqs[1].txState", 14053 + 22 + 20},
        {"embeddedMessage[0]", 14405},
        {"embeddedMessage[1]", 14437},
        {"fleetListCount", 14469},
        {"fleetList[0].row", 14471},
        {"fleetList[7].id", 14471 + 7 * 8 + 4},
        {"optionByte", 14535},
    };
    for (const auto& [path, offset] : blocks)
        EXPECT_EQ(at(path).offset, offset) << path;

    // Inside a channel entry: number, inUse, two frequencies of 8, nine Integers.
    const char* entry[] = {"number", "inUse",        "rxFreq",      "txFreq",  "scan",
                           "busy",   "echo",         "hiCut",       "plus10k", "nbAnl",
                           "rb",     "rxFineOffset", "txFineOffset"};
    const std::size_t entryOffsets[] = {0, 2, 4, 12, 20, 22, 24, 26, 28, 30, 32, 34, 36};
    for (std::size_t i = 0; i < std::size(entry); ++i)
        EXPECT_EQ(at(std::string("channels[5][59].") + entry[i]).offset,
                  18 + 359 * 38 + entryOffsets[i])
            << entry[i];
    EXPECT_EQ(at("fleetSync.ownId").kind, Kind::Long);
    EXPECT_EQ(at("optionByte").kind, Kind::Byte);
    EXPECT_EQ(at("modelInfo.firmwareVersion").width, 5u);
}

TEST(RecordFields, NamesReadAsTheUserKnowsThem) {
    auto name = [](std::initializer_list<FieldRef> path, int language) {
        return fieldName(std::span<const FieldRef>(path.begin(), path.size()), language);
    };
    EXPECT_EQ(name({{&fields::embeddedMessage}, {&fields::messageLine, 0}}, English),
              "Local Information line 1");
    EXPECT_EQ(name({{&fields::embeddedMessage}, {&fields::messageLine, 1}}, Chinese),
              "本机信息 第2行");
    EXPECT_EQ(name({{&fields::keyAssignment}, {&fields::integerElement, 1}}, English),
              "Key Assignment 2");
    EXPECT_EQ(name({{&fields::autodial}, {&fields::autodialEntry, 2}, {&fields::autodialDigits}},
                   English),
              "Autodial 3 Digits");
    EXPECT_EQ(name({{&fields::dtmf}, {&fields::dtmfIdCode}}, English), "DTMF ID Code");
    EXPECT_EQ(name({{&fields::modelInfo}, {&fields::bandIndex}}, Chinese), "机型信息 频段");
    // The optional features are named by their own labels, with the unit.
    EXPECT_EQ(name({{&fields::optionFeatures}, {&fields::optionFeature, 0}}, English), "TOT[s]");
    EXPECT_EQ(name({{&fields::optionFeatures}, {&fields::optionFeature, 1}}, English),
              "RB Frequecy[Hz]");
    EXPECT_EQ(name({{&fields::optionFeatures}, {&fields::optionFeature, 22}}, Chinese),
              "AM SQ关闭延时时间[ms]");
    EXPECT_EQ(name({{&fields::optionFeatures}, {&fields::optionFeature, 26}}, English),
              "Emergency Channel C");
    EXPECT_EQ(name({{&fields::optionFeatures}, {&fields::optionFeature, 33}}, English), "ECHO");
    EXPECT_EQ(name({{&fields::optionByte}}, Chinese), "背光灯颜色");
}

TEST(RecordFields, ValuesReadAsTheWindowsShowThem) {
    auto option = [](int position, long long value, int language) {
        return shownNumber({&fields::optionFeature, position}, value, language);
    };
    EXPECT_EQ(option(0, 0, English), "Off");
    EXPECT_EQ(option(0, 0, Chinese), "关");
    EXPECT_EQ(option(0, 4, English), "120");
    EXPECT_EQ(option(0, 21, English), "[21]") << "beyond the last entry (600 s)";
    EXPECT_EQ(option(1, 105, English), "1050");
    EXPECT_EQ(option(2, 2, English), "150");
    EXPECT_EQ(option(4, 3, English), "10Hz");
    EXPECT_EQ(option(9, 60, English), "6.0");
    EXPECT_EQ(option(10, 90, English), "9.0");
    EXPECT_EQ(option(23, 199, English), "1000");
    EXPECT_EQ(option(30, 0, English), "OFF");
    EXPECT_EQ(option(30, 63, English), "63");
    EXPECT_EQ(option(42, 1, Chinese), "频率步进");
    EXPECT_EQ(option(12, 1, English), "Enable");
    EXPECT_EQ(option(32, 0, Chinese), "不使用");
    EXPECT_EQ(option(39, 2, English), "[2]");
    EXPECT_EQ(option(24, 4, English), "5");
    EXPECT_EQ(option(29, -1, English), "(none)");
    EXPECT_EQ(option(45, -300, English), "-3000");
    EXPECT_EQ(shownNumber({&fields::optionByte}, 8, English), "Loop");
    EXPECT_EQ(shownNumber({&fields::optionByte}, 0, English), "[0]");
    EXPECT_EQ(shownNumber({&fields::scan}, 0, Chinese), "删除");
    EXPECT_EQ(shownNumber({&fields::hiCut}, 1, English), "Enable");
    EXPECT_EQ(shownNumber({&fields::bandIndex}, 1, English), "25.615000 - 30.105000 MHz");
    EXPECT_EQ(shownNumber({&fields::typeLetter}, 67, English), "C");

    EXPECT_EQ(shownText(fields::rxFreq, "28515000"), "28.515000");
    EXPECT_EQ(shownText(fields::rxFreq, "FFFFFFFF"), "");
    EXPECT_EQ(shownText(fields::rxFreq, "28A15000"), "28A15000");
    EXPECT_EQ(shownText(fields::messageLine, std::string_view("HI \0  x", 7)), "HI ");
    EXPECT_EQ(shownText(fields::messageLine, "32 characters, no NUL, kept whole"),
              "32 characters, no NUL, kept whole");
    EXPECT_EQ(shownText(fields::dtmfIdCode, "000       "), "000");
}

TEST(OptionFields, ListsHoldTheWindowsEntries) {
    const auto& lists = options::optionLists();
    const std::pair<int, int> counts[] = {{0, 21},  {1, 271}, {2, 20},   {7, 60},  {9, 189},
                                          {10, 81}, {12, 60}, {14, 200}, {18, 64}, {22, 8}};
    for (const auto& [list, count] : counts)
        EXPECT_EQ(lists[std::size_t(list)].values.count(), count) << "list " << list;
    EXPECT_EQ(lists[9].values.entries(English).back(), "20.0");
    EXPECT_EQ(lists[22].values.entries(Chinese).back(), "循环");
    EXPECT_EQ(lists[22].values.offset, 1);
    EXPECT_EQ(options::storedOption(ConfigRecord{}, options::kBacklightPosition), 1);
    EXPECT_EQ(options::storedOption(ConfigRecord{}, 9), 60);
}
