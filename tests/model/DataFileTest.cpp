// Open, Save, templates and the is-modified test of data files.
#include "model/DataFile.h"

#include "model/ModelTestSupport.h"
#include "model/RecordCodec.h"
#include "support/ScriptedPrompter.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>

using namespace zx::model;
using zx::test::ScratchDir;
using zx::test::ScriptedPrompter;
using zx::text::Answer;

namespace {

const std::string kUnknown = "Unknown version Of DataFile!";
const std::string kFileError = "file error.";

class DataFile : public ::testing::Test {
protected:
    ScratchDir dir;
    Workspace ws = zx::test::defaultWorkspace();
    ScriptedPrompter prompter;

    // A valid file whose record differs from the defaults, so that a load is visible.
    std::vector<std::uint8_t> sampleFile() {
        ConfigRecord r = ws.record;
        r.channel(0, 1).rxFreq = "29000000";
        r.embeddedMessage[0] = "HELLO";
        r.modelInfo.bandIndex = 1;
        const RecordBytes b = encodeRecord(r);
        return {b.begin(), b.end()};
    }
    std::string fileWith(const std::vector<std::uint8_t>& bytes, const std::string& name) {
        const std::string path = dir.file(name);
        zx::test::writeBytes(path, bytes);
        return path;
    }
    // Opening must leave the whole document as it was.
    void expectRejected(const std::string& path, OpenOutcome::Kind kind,
                        const std::string& message) {
        const Workspace before = ws;
        ScriptedPrompter p;
        p.script({Answer::No});
        EXPECT_EQ(openDataFile(ws, path, p).kind, kind) << path;
        EXPECT_EQ(ws.record, before.record);
        EXPECT_EQ(ws.fileBuffer, before.fileBuffer);
        EXPECT_EQ(ws.state.currentFileName, before.state.currentFileName);
        EXPECT_EQ(ws.state.bandText, before.state.bandText);
        EXPECT_TRUE(ws.state.untitled);
        if (!message.empty()) {
            ASSERT_EQ(p.asked.size(), 1u) << path;
            EXPECT_EQ(p.asked[0].text, message);
        }
    }
};

} // namespace

TEST_F(DataFile, OpenLoadsTheRecordAndTheRuntimeState) {
    const std::string path = fileWith(sampleFile(), "a.dat");
    const OpenOutcome out = openDataFile(ws, path, prompter);
    EXPECT_EQ(out.kind, OpenOutcome::Opened);
    EXPECT_TRUE(prompter.asked.empty());
    EXPECT_EQ(ws.record.channel(0, 1).rxFreq.str(), "29000000");
    EXPECT_EQ(ws.state.bandText, kBandText1);
    EXPECT_DOUBLE_EQ(ws.state.bandLow, 25.615);
    EXPECT_EQ(ws.state.currentFileName, path);
    EXPECT_FALSE(ws.state.untitled);
    EXPECT_FALSE(isModified(ws));
}

TEST_F(DataFile, VersionRecognition) {
    EXPECT_TRUE(isRecognisedVersion("V310"));
    EXPECT_TRUE(isRecognisedVersion("V999"));
    EXPECT_TRUE(isRecognisedVersion(std::string("V310\0x", 6)));
    EXPECT_FALSE(isRecognisedVersion("V31A"));
    EXPECT_FALSE(isRecognisedVersion(std::string("V31\0", 4)));
    EXPECT_FALSE(isRecognisedVersion("V31 "));
    EXPECT_FALSE(isRecognisedVersion("v310"));
    EXPECT_FALSE(isRecognisedVersion("X310"));
    EXPECT_FALSE(isRecognisedVersion(""));

    std::vector<std::uint8_t> bytes = sampleFile();
    bytes[3] = 'A';
    expectRejected(fileWith(bytes, "v31a.dat"), OpenOutcome::UnknownVersion, kUnknown);
    bytes[3] = 0;
    expectRejected(fileWith(bytes, "v31nul.dat"), OpenOutcome::UnknownVersion, kUnknown);
}

TEST_F(DataFile, WrongLengthsAreRejectedWithTheFileAndBothLengths) {
    std::vector<std::uint8_t> bytes = sampleFile();
    bytes.pop_back();
    expectRejected(fileWith(bytes, "short.dat"), OpenOutcome::WrongLength,
                   "The file \"short.dat\" is 14535 bytes long; a data file is exactly 14536 "
                   "bytes long. It was not opened.");
    bytes.push_back(1);
    bytes.push_back(2);
    expectRejected(fileWith(bytes, "long.dat"), OpenOutcome::WrongLength,
                   "The file \"long.dat\" is 14537 bytes long; a data file is exactly 14536 "
                   "bytes long. It was not opened.");
    // Only a little more than a record is read; the message still has the real length.
    bytes.resize(1'000'000, 0x55);
    expectRejected(fileWith(bytes, "huge.dat"), OpenOutcome::WrongLength,
                   "The file \"huge.dat\" is 1000000 bytes long; a data file is exactly 14536 "
                   "bytes long. It was not opened.");

    ws.state.language = zx::text::Chinese;
    expectRejected(fileWith(bytes, "大.dat"), OpenOutcome::WrongLength,
                   "文件“大.dat”的长度为 1000000 字节，数据文件的长度必须正好是 14536 字节。"
                   "文件未打开。");
}

TEST_F(DataFile, BadFilesNeverChangeTheDocument) {
    // A file that cannot be read says why, below the message table's text.
    expectRejected(dir.file("missing.dat"), OpenOutcome::ReadError,
                   kFileError + "\n" + dir.file("missing.dat") + " does not exist.");
    expectRejected(dir.path().string(), OpenOutcome::ReadError,
                   kFileError + "\n" + dir.path().string() + " is a folder, not a file.");
    expectRejected(fileWith({}, "empty.dat"), OpenOutcome::UnknownVersion, kUnknown);
    expectRejected(fileWith({'V', '3'}, "tiny.dat"), OpenOutcome::UnknownVersion, kUnknown);
    std::mt19937 random(3);
    for (std::size_t size : {std::size_t(5), std::size_t(14536), std::size_t(20000)}) {
        std::vector<std::uint8_t> bytes(size);
        for (auto& b : bytes)
            b = static_cast<std::uint8_t>(random());
        bytes[0] = 'X';
        expectRejected(fileWith(bytes, "random.dat"), OpenOutcome::UnknownVersion, kUnknown);
    }
}

TEST_F(DataFile, IncompatibleVersionAsksAndHandsOver) {
    std::vector<std::uint8_t> bytes = sampleFile();
    bytes[2] = '0'; // V300: recognised, not paired with V310
    const std::string path = fileWith(bytes, "v300.dat");
    const std::string question = compatibilityQuestion("V300", zx::text::English);
    EXPECT_EQ(question, "incompatible version. It may cause unknown error.To start the "
                        "corresponding software version, or not?\r\nDataFile version is "
                        "V3.00\r\nprogramming software is V3.10");
    expectRejected(path, OpenOutcome::Declined, question);

    const Workspace before = ws;
    ScriptedPrompter yes;
    yes.script({Answer::Yes});
    const OpenOutcome out = openDataFile(ws, path, yes);
    EXPECT_EQ(out.kind, OpenOutcome::StartOtherVersion);
    EXPECT_EQ(out.dataVersion, "V300");
    EXPECT_EQ(yes.asked.at(0).buttons, zx::text::Buttons::YesNo);
    EXPECT_EQ(ws.record, before.record);

    ws.versions = {{"V300", "V300"}, {"V310", "V310"}};
    EXPECT_EQ(softwareVersionFor(ws.versions, "V300"), "V300");
    EXPECT_EQ(softwareVersionFor(ws.versions, "V999"), "");
}

TEST_F(DataFile, OwnVersionOpensWhateverTheVersionListHolds) {
    // A missing Version.ini gives an empty list, a damaged one a list without this program.
    for (const VersionList& list :
         {VersionList{}, VersionList{{"V300", "V300"}}, VersionList{{"", ""}}}) {
        ws.versions = list;
        EXPECT_TRUE(isCompatibleVersion(ws.versions, "V310"));
        EXPECT_EQ(openDataFile(ws, fileWith(sampleFile(), "v310.dat"), prompter).kind,
                  OpenOutcome::Opened);
        EXPECT_TRUE(prompter.asked.empty());
        EXPECT_FALSE(isCompatibleVersion(ws.versions, "V309"));
    }
}

TEST_F(DataFile, CompatibleOtherVersionIsSavedAsV310) {
    ws.versions = {{"V310", "V310"}, {"V310", "V309"}};
    std::vector<std::uint8_t> bytes = sampleFile();
    bytes[2] = '0';
    bytes[3] = '9';
    const std::string path = fileWith(bytes, "v309.dat");
    ASSERT_EQ(openDataFile(ws, path, prompter).kind, OpenOutcome::Opened);
    EXPECT_EQ(ws.record.dataVersion.str(), "V310");
    EXPECT_FALSE(isModified(ws));
    ASSERT_TRUE(saveDataFile(ws, prompter));
    const std::vector<std::uint8_t> saved = zx::test::readBytes(path);
    ASSERT_EQ(saved.size(), kRecordSize);
    EXPECT_EQ(std::string(saved.begin(), saved.begin() + 4), "V310");
}

TEST_F(DataFile, SaveAndReopenIsNotModified) {
    ws.state.currentFileName = dir.file("saved.dat");
    updateChannelCell(ws, 4, ColRxFreq, "28.4", prompter);
    ws.record.embeddedMessage[1] = "LINE TWO";
    EXPECT_TRUE(isModified(ws));
    ASSERT_TRUE(saveDataFile(ws, prompter));
    EXPECT_FALSE(isModified(ws));
    EXPECT_FALSE(ws.state.untitled);
    EXPECT_EQ(zx::test::readBytes(ws.state.currentFileName).size(), kRecordSize);

    const ConfigRecord saved = ws.record;
    Workspace other = zx::test::defaultWorkspace();
    ASSERT_EQ(openDataFile(other, ws.state.currentFileName, prompter).kind, OpenOutcome::Opened);
    EXPECT_FALSE(isModified(other));
    EXPECT_EQ(other.record, saved);
    EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(DataFile, FailedSaveKeepsTheOldFileAndStaysModified) {
    const std::string path = fileWith(sampleFile(), "keep.dat");
    ASSERT_EQ(openDataFile(ws, path, prompter).kind, OpenOutcome::Opened);
    const std::vector<std::uint8_t> old = zx::test::readBytes(path);
    updateChannelCell(ws, 2, ColRxFreq, "28.2", prompter);
    ASSERT_TRUE(isModified(ws));

    // A missing folder is a write error; a folder as destination is refused by name.
    const std::string folder = dir.path().string();
    const std::string refusal = "Cannot save to \"" + folder +
                                "\": it is not a regular file (a folder, a device or a pipe). "
                                "Nothing was replaced.";
    const std::string missing = dir.file("no/such/folder/x.dat");
    for (const auto& [target, message] :
         {std::pair{missing, kFileError + "\nThe folder of " + missing + " does not exist."},
          std::pair{folder, refusal}}) {
        ws.state.currentFileName = target;
        ScriptedPrompter p;
        EXPECT_FALSE(saveDataFile(ws, p));
        EXPECT_EQ(p.texts(), std::vector<std::string>{message});
        EXPECT_TRUE(isModified(ws));
        EXPECT_FALSE(ws.state.untitled);
    }
    EXPECT_EQ(zx::test::readBytes(path), old);
    // No temporary file is left behind.
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(DataFile, SaveReplacesAnExistingFile) {
    const std::string path = fileWith(std::vector<std::uint8_t>(100, 0xAA), "old.dat");
    ws.state.currentFileName = path;
    ASSERT_TRUE(saveDataFile(ws, prompter));
    const std::vector<std::uint8_t> now = zx::test::readBytes(path);
    const RecordBytes expected = encodeRecord(ws.record);
    EXPECT_EQ(now, std::vector<std::uint8_t>(expected.begin(), expected.end()));
}

TEST_F(DataFile, SaveWritesTheRuntimeStateIntoTheRecord) {
    ws.record.modelInfo.modelType = 7;
    ws.record.modelInfo.modelCode = "XXXX";
    ws.record.dataVersion = "V999";
    ws.state.bandText = kBandText1;
    ws.state.currentFileName = dir.file("rt.dat");
    ASSERT_TRUE(saveDataFile(ws, prompter));
    EXPECT_EQ(ws.record.modelInfo.modelType, 248);
    EXPECT_EQ(ws.record.modelInfo.modelCode.str(), "8900  ");
    EXPECT_EQ(ws.record.modelInfo.modelCode2.str(), "8900  ");
    EXPECT_EQ(ws.record.modelInfo.bandIndex, 1);
    EXPECT_EQ(ws.record.dataVersion.str(), "V310");
}

TEST_F(DataFile, ReorderedChannelsAreNotModified) {
    updateChannelCell(ws, 2, ColRxFreq, "28.2", prompter);
    updateChannelCell(ws, 3, ColRxFreq, "28.3", prompter);
    ws.fileBuffer = ws.record;
    std::swap(ws.record.channel(0, 1), ws.record.channel(0, 3));
    EXPECT_FALSE(isModified(ws));
    ws.record.channel(0, 1).busy = 1; // now channel 3 really changed
    EXPECT_TRUE(isModified(ws));
}

TEST_F(DataFile, ModifiedCoversTheComparedPartsOnly) {
    ws.fileBuffer = ws.record;
    using Change = void (*)(ConfigRecord&);
    const std::pair<const char*, Change> compared[] = {
        {"count", [](ConfigRecord& r) { r.channelCount[5] = 2; }},
        {"number", [](ConfigRecord& r) { r.channel(2, 1).number = 2; }},
        {"inUse", [](ConfigRecord& r) { r.channel(2, 1).inUse = 0; }},
        {"rx", [](ConfigRecord& r) { r.channel(2, 1).rxFreq = "28000000"; }},
        {"tx", [](ConfigRecord& r) { r.channel(2, 1).txFreq = "28000000"; }},
        {"scan", [](ConfigRecord& r) { r.channel(2, 1).scan = 0; }},
        {"echo", [](ConfigRecord& r) { r.channel(2, 1).echo = 0; }},
        {"hiCut", [](ConfigRecord& r) { r.channel(2, 1).hiCut = 1; }},
        {"plus10k", [](ConfigRecord& r) { r.channel(2, 1).plus10k = 1; }},
        {"nbAnl", [](ConfigRecord& r) { r.channel(2, 1).nbAnl = 1; }},
        {"rb", [](ConfigRecord& r) { r.channel(2, 1).rb = 1; }},
        {"typeLetter", [](ConfigRecord& r) { r.modelInfo.typeLetter = 68; }},
        {"dateCode", [](ConfigRecord& r) { r.modelInfo.dateCode = "20250101"; }},
        {"message", [](ConfigRecord& r) { r.embeddedMessage[1] = "X"; }},
        {"option", [](ConfigRecord& r) { r.optionFeatures[46] = 1; }},
        {"optionByte", [](ConfigRecord& r) { r.optionByte = 2; }},
    };
    for (const auto& [name, change] : compared) {
        Workspace copy = ws;
        change(copy.record);
        EXPECT_TRUE(isModified(copy)) << name;
    }
    const std::pair<const char*, Change> ignored[] = {
        {"group", [](ConfigRecord& r) { r.currentGroup = 3; }},
        {"fine", [](ConfigRecord& r) { r.channel(0, 1).rxFineOffset = 5; }},
        {"unused", [](ConfigRecord& r) { r.channel(0, 2).rxFreq = "29000000"; }},
        {"keys", [](ConfigRecord& r) { r.keyAssignment[0] = 1; }},
        {"fleet", [](ConfigRecord& r) { r.fleetSync.ownId = 9; }},
        {"test", [](ConfigRecord& r) { r.testFreqCount = 2; }},
    };
    for (const auto& [name, change] : ignored) {
        Workspace copy = ws;
        change(copy.record);
        EXPECT_FALSE(isModified(copy)) << name;
    }
}

TEST_F(DataFile, TemplatesLoadSilentlyOrLeaveTheDefaults) {
    EXPECT_EQ(newTemplatePath(ws), "/nonexistent/Init/0_ZX-908HF_New.dat");
    ws.state.bandText = kBandText1;
    ws.programFolder = dir.path().string();
    // The same file, whichever separator each side joins with ("\\" on Windows).
    EXPECT_EQ(std::filesystem::path(initialTemplatePath(ws)).lexically_normal(),
              std::filesystem::path(dir.file("Init/1_ZX-908HF.dat")).lexically_normal());

    // Missing: the record keeps its data, gets the run-time state, buffer follows.
    ws.record.modelInfo.bandIndex = 0;
    ws.record.channel(0, 1).rxFreq = "29500000";
    loadTemplate(ws, dir.file("none.dat"));
    EXPECT_EQ(ws.record.modelInfo.bandIndex, 1);
    EXPECT_EQ(ws.record.channel(0, 1).rxFreq.str(), "29500000");
    EXPECT_EQ(ws.fileBuffer, ws.record);

    // Present: loaded without checks, untitled unchanged, even with a foreign version.
    std::vector<std::uint8_t> bytes = sampleFile();
    bytes[1] = '9';
    std::filesystem::create_directories(dir.path() / "Init");
    fileWith(bytes, "Init/1_ZX-908HF_New.dat");
    resetDocument(ws, zx::test::fixedToday());
    EXPECT_EQ(ws.record.dataVersion.str(), "V910");
    EXPECT_EQ(ws.record.embeddedMessage[0].trimmed(), "HELLO");
    EXPECT_EQ(ws.fileBuffer, ws.record);
    EXPECT_TRUE(ws.state.untitled);
    EXPECT_FALSE(isModified(ws));
}

TEST(Defaults, RecordAndIdentity) {
    RuntimeState state;
    state.bandText = kBandText1;
    const ConfigRecord r = defaultRecord(state, zx::test::fixedToday());
    EXPECT_EQ(r.modelInfo.bandIndex, 1);
    EXPECT_EQ(r.modelInfo.bandIndex2, 1);
    EXPECT_EQ(r.modelInfo.dateCode.str(), "20240309");
    EXPECT_EQ(r.testFreqs[0].rxFreq.trimmed(), "155.05") << "table built when missing";
    EXPECT_EQ(r.embeddedMessage[0].view(), std::string(1, '\0') + std::string(31, ' '));

    const RadioIdentity id = defaultIdentity(state, zx::test::fixedToday());
    EXPECT_EQ(id.serialNumber.str(), "2024030900000001");
    EXPECT_EQ(id.productionDate.view(), std::string("2024-03-09\0     ", 16));
    EXPECT_EQ(id.maintenanceReason.view().substr(0, 2), std::string("\0 ", 2));
    EXPECT_EQ(id.productionBatch.str(), "03-1-E-1");
    EXPECT_EQ(id.customerCode.str(), "001A");
    EXPECT_EQ(id.modelText, "ZX-908HF");
    EXPECT_EQ(id.saleDate, id.productionDate);
}
