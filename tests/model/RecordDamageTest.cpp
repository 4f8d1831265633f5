// Damaged data files: each rule of what a record can hold, broken in a file, found, repaired
// as its line says, and the file refused or opened repaired as the user answers.
#include "model/RecordDamage.h"

#include "model/ChannelTable.h"
#include "model/DataFile.h"
#include "model/ModelTestSupport.h"
#include "model/RecordCodec.h"
#include "support/ScriptedPrompter.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

using namespace zx::model;
using zx::test::ScratchDir;
using zx::test::ScriptedPrompter;
using zx::text::Answer;

namespace {

constexpr int kEnglish = zx::text::English;

// A sound document with a few channels in group A (1, 2, 5) and one in every other group.
ConfigRecord soundRecord() {
    Workspace ws = zx::test::defaultWorkspace();
    addChannel(ws, 0, 2, "28.100000");
    addChannel(ws, 0, 5, "28.200000");
    ws.record.optionFeatures[kEmergencyChannelPosition] = 4; // channel 5
    return ws.record;
}

struct Rule {
    const char* name;
    std::function<void(ConfigRecord&)> damage;
    std::vector<std::string> lines; // what the repair says, in order
    std::function<void(const ConfigRecord&)> repaired;
};

std::vector<Rule> rules() {
    return {
        {"current group outside 0..5",
         [](ConfigRecord& r) { r.currentGroup = 7; },
         {"Current Group is 7, outside 0..5: it becomes 5."},
         [](const ConfigRecord& r) { EXPECT_EQ(r.currentGroup, 5); }},
        {"negative channel count",
         [](ConfigRecord& r) {
             r.channelCount[2] = -3;
             r.optionFeatures[kEmergencyChannelPosition + 2] = 3;
         },
         // The group is empty now, so its emergency channel can name nothing.
         {"Channel Count C is -3, outside 0..60: it becomes 0.",
          "Emergency Channel C is 4, which is no channel of group C: it becomes (none)."},
         [](const ConfigRecord& r) {
             EXPECT_EQ(r.channelCount[2], 0);
             EXPECT_EQ(r.optionFeatures[kEmergencyChannelPosition + 2], -1);
         }},
        {"channel number outside 1..60",
         [](ConfigRecord& r) { r.channel(0, 2).number = 75; },
         {"Group A entry 2: channel number 75 is outside 1..60: the channel is dropped."},
         [](const ConfigRecord& r) {
             ASSERT_EQ(r.channelCount[0], 2);
             EXPECT_EQ(r.channel(0, 1).number, 1);
             EXPECT_EQ(r.channel(0, 2).number, 5); // the gap is closed
         }},
        {"two channels with one number",
         [](ConfigRecord& r) { r.channel(0, 3).number = 2; },
         // The first of the two stays; the emergency channel named the one that went.
         {"A-02: group entry 3 is a second channel with this number: it is dropped.",
          "Emergency Channel A is 5, which is no channel of group A: it becomes 1."},
         [](const ConfigRecord& r) {
             ASSERT_EQ(r.channelCount[0], 2);
             EXPECT_EQ(r.channel(0, 2).rxFreq.view(), "28100000");
             EXPECT_EQ(r.optionFeatures[kEmergencyChannelPosition], 0);
         }},
        {"receive frequency not a number",
         [](ConfigRecord& r) { r.channel(0, 2).rxFreq = std::string_view("28.1\x01 00", 8); },
         {"A-02 RX Frequency \"28.1\\x01 00\" is not a number: the channel is dropped."},
         [](const ConfigRecord& r) {
             EXPECT_EQ(r.channelCount[0], 2);
             EXPECT_EQ(r.findChannel(0, 2), 0);
         }},
        {"transmit frequency not a number",
         [](ConfigRecord& r) { r.channel(0, 3).txFreq = "ABCDEFGH"; },
         {"A-05 TX FreQuency \"ABCDEFGH\" is not a number: it becomes the RX frequency."},
         [](const ConfigRecord& r) { EXPECT_EQ(r.channel(0, 3).txFreq.view(), "28200000"); }},
        {"channel flag outside its list",
         [](ConfigRecord& r) {
             r.channel(1, 1).busy = 7;
             r.channel(1, 1).scan = -1;
         },
         {"B-01 Scan holds [-1], which is no entry of its list: it becomes Del.",
          "B-01 BUSY holds [7], which is no entry of its list: it becomes Disable."},
         [](const ConfigRecord& r) {
             EXPECT_EQ(r.channel(1, 1).busy, 0);
             EXPECT_EQ(r.channel(1, 1).scan, 0);
         }},
        {"optional features outside their lists",
         [](ConfigRecord& r) {
             r.optionFeatures[0] = 77; // TOT: Off, 30 .. 600 s
             r.optionFeatures[12] = 5; // the LSB mode box
             r.optionByte = 0;         // backlight colour 1..8
         },
         {"TOT[s] holds [77], which is no entry of its list: it becomes Off.",
          "LSB Enable holds [5], which is no entry of its list: it becomes Enable.",
          "Backlight Color holds [0], which is no entry of its list: it becomes Blue."},
         [](const ConfigRecord& r) {
             EXPECT_EQ(r.optionFeatures[0], 0);
             EXPECT_EQ(r.optionFeatures[12], 1);
             EXPECT_EQ(r.optionByte, 1);
         }},
        {"emergency channel outside its group",
         [](ConfigRecord& r) { r.optionFeatures[kEmergencyChannelPosition + 1] = -32690; },
         {"Emergency Channel B is -32689, which is no channel of group B: it becomes 1."},
         [](const ConfigRecord& r) {
             EXPECT_EQ(r.optionFeatures[kEmergencyChannelPosition + 1], 0);
         }},
        {"count of a block no window edits",
         [](ConfigRecord& r) { r.autodialCount = 9; },
         {"Autodial Count is 9, outside 0..8: it becomes 8."},
         [](const ConfigRecord& r) { EXPECT_EQ(r.autodialCount, 8); }},
    };
}

TEST(RecordDamage, EachRuleFindsWhatBreaksItAndRepairsAsItsLineSays) {
    const ConfigRecord sound = soundRecord();
    for (const Rule& rule : rules()) {
        SCOPED_TRACE(rule.name);
        ConfigRecord record = sound;
        rule.damage(record);
        EXPECT_EQ(findDamage(record, kEnglish), rule.lines);
        const std::vector<std::string> lines = repairRecord(record, kEnglish);
        EXPECT_EQ(lines, rule.lines);
        rule.repaired(record);
        // What the repair made is sound, and a second repair changes nothing.
        const ConfigRecord once = record;
        EXPECT_TRUE(repairRecord(record, kEnglish).empty());
        EXPECT_EQ(record, once);
    }
}

TEST(RecordDamage, SoundRecordsAndEveryFormOfNoFrequencyAreLeftAlone) {
    ConfigRecord record = soundRecord();
    record.channel(0, 2).txFreq = "FFFFFFFF";
    record.channel(0, 3).txFreq = "        ";
    record.channel(1, 1).rxFreq = "        ";
    // Entries beyond a group's count hold anything: they are not part of the document.
    record.channel(0, 4).number = -5;
    record.channel(0, 4).rxFreq = "garbage!";
    record.optionFeatures[45] = -32768; // the offsets have no list
    // An empty group names no emergency channel, or the 0 of a record never fixed up.
    record.channelCount[4] = 0;
    record.channelCount[5] = 0;
    record.optionFeatures[kEmergencyChannelPosition + 4] = -1;
    record.optionFeatures[kEmergencyChannelPosition + 5] = 0;
    const ConfigRecord before = record;
    EXPECT_TRUE(repairRecord(record, kEnglish).empty());
    EXPECT_EQ(record, before);

    // The templates the installation ships are sound, in both bands.
    int templates = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ZX_PROGRAM_DIR "/Init")) {
        if (entry.path().extension() != ".dat")
            continue;
        ++templates;
        const std::vector<std::uint8_t> bytes = zx::test::readBytes(entry.path().string());
        EXPECT_TRUE(findDamage(decodeRecord(bytes), kEnglish).empty()) << entry.path();
    }
    EXPECT_EQ(templates, 4);
}

TEST(RecordDamage, TheQuestionListsTenLinesAndCountsTheRest) {
    // A count of 60 over one channel: 59 entries numbered 0, each dropped.
    ConfigRecord record = soundRecord();
    record.channelCount[3] = 60;
    const std::vector<std::string> lines = findDamage(record, kEnglish);
    ASSERT_EQ(lines.size(), 59u);
    EXPECT_EQ(lines[0],
              "Group D entry 2: channel number 0 is outside 1..60: the channel is dropped.");
    EXPECT_EQ(lines[58],
              "Group D entry 60: channel number 0 is outside 1..60: the channel is dropped.");

    const std::string question = damageQuestion("old.dat", lines, kEnglish);
    EXPECT_EQ(question.rfind("The file \"old.dat\" is damaged:\n" + lines[0] + "\n", 0), 0u);
    EXPECT_NE(question.find(lines[9] + "\nand 49 more\n\nOpen it repaired?"), std::string::npos)
        << question;
    EXPECT_EQ(question.find(lines[10]), std::string::npos);

    // Chinese has its own words for every part.
    const std::vector<std::string> chinese = findDamage(record, zx::text::Chinese);
    ASSERT_EQ(chinese.size(), 59u);
    EXPECT_EQ(chinese[0], "D 组第 2 项：信道号 0 超出 1..60：删除该信道。");
    const std::string asked = damageQuestion("old.dat", chinese, zx::text::Chinese);
    EXPECT_NE(asked.find("另有 49 处"), std::string::npos);
    EXPECT_NE(asked.find("是否打开修复后的文件"), std::string::npos);
}

class DamagedFile : public ::testing::Test {
protected:
    DamagedFile() {
        ws.state.currentFileName = dir.file("open.dat");
        ws.state.untitled = false;
        record = soundRecord();
        record.channel(0, 2).number = 75;
        record.optionFeatures[0] = 77;
        const RecordBytes bytes = encodeRecord(record);
        path = dir.file("damaged.dat");
        zx::test::writeBytes(path, {bytes.begin(), bytes.end()});
    }
    ScratchDir dir;
    Workspace ws = zx::test::defaultWorkspace();
    ConfigRecord record;
    std::string path;
};

TEST_F(DamagedFile, RefusedItChangesNothing) {
    const Workspace before = ws;
    ScriptedPrompter prompter;
    prompter.script({Answer::No});
    EXPECT_EQ(openDataFile(ws, path, prompter).kind, OpenOutcome::Damaged);
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].buttons, zx::text::Buttons::YesNo);
    EXPECT_EQ(prompter.asked[0].text,
              damageQuestion("damaged.dat", findDamage(record, kEnglish), kEnglish));
    EXPECT_EQ(ws.record, before.record);
    EXPECT_EQ(ws.fileBuffer, before.fileBuffer);
    EXPECT_EQ(ws.state.currentFileName, before.state.currentFileName);
    EXPECT_FALSE(ws.state.untitled);
}

TEST_F(DamagedFile, OpenedRepairedItIsAnUntitledModifiedDocument) {
    ScriptedPrompter prompter;
    prompter.script({Answer::Yes});
    const OpenOutcome outcome = openDataFile(ws, path, prompter);
    EXPECT_EQ(outcome.kind, OpenOutcome::Opened);
    EXPECT_TRUE(outcome.repaired);
    EXPECT_EQ(ws.record.channelCount[0], 2);
    EXPECT_EQ(ws.record.optionFeatures[0], 0);
    EXPECT_EQ(ws.fileBuffer.channelCount[0], 3) << "the file buffer holds the file as it is";
    EXPECT_TRUE(isModified(ws));
    EXPECT_TRUE(ws.state.untitled);
    EXPECT_EQ(ws.state.currentFileName, kUntitledFileName);
    EXPECT_EQ(zx::test::readBytes(path).size(), kRecordSize) << "the file itself is untouched";

    // A sound file opens without a question, under its own name.
    Workspace other = zx::test::defaultWorkspace();
    const RecordBytes bytes = encodeRecord(soundRecord());
    zx::test::writeBytes(dir.file("sound.dat"), {bytes.begin(), bytes.end()});
    ScriptedPrompter quiet;
    const OpenOutcome sound = openDataFile(other, dir.file("sound.dat"), quiet);
    EXPECT_EQ(sound.kind, OpenOutcome::Opened);
    EXPECT_FALSE(sound.repaired);
    EXPECT_TRUE(quiet.asked.empty());
    EXPECT_FALSE(other.state.untitled);
    EXPECT_FALSE(isModified(other));
}

} // namespace
