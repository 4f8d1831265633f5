// Recording the steps of the document and putting them back: what one step holds, what undo
// restores and what it leaves alone, and when the journal empties.
#include "model/EditJournal.h"

#include "ModelTestSupport.h"
#include "model/Band.h"
#include "model/DataFile.h"
#include "model/RecordCodec.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

namespace zx::model {
namespace {

using test::ScriptedPrompter;

constexpr text::TextTable kThing{"Thing", "东西"};

// Keeps the steps in a list; undo and redo of any of them.
class ListJournal : public EditJournal {
public:
    std::vector<EditStep> steps;
    int clears = 0;

    void record(EditStep step) override { steps.push_back(std::move(step)); }
    void clear() override {
        steps.clear();
        ++clears;
    }
    void undo(Workspace& ws, std::size_t i) { restore(ws, steps.at(i), true); }
    void redo(Workspace& ws, std::size_t i) { restore(ws, steps.at(i), false); }
};

class EditJournalTest : public ::testing::Test {
protected:
    void SetUp() override { ws.journal = &journal; }

    // Channel `number` of group `group` gets `frequency` as one step.
    void setChannel(int group, int number, const char* frequency) {
        applyEdit(ws, {kThing, "cell", {group, number, ColRxFreq}}, [&] {
            ws.record.currentGroup = Integer(group);
            updateChannelCell(ws, number, ColRxFreq, frequency, prompter);
        });
    }

    Workspace ws = test::defaultWorkspace();
    ListJournal journal;
    ScriptedPrompter prompter;
};

TEST_F(EditJournalTest, EachChangeIsOneNamedStepAndAnEditThatChangesNothingIsNone) {
    const ConfigRecord start = ws.record;
    setChannel(0, 5, "28.5");
    ASSERT_EQ(journal.steps.size(), 1u);
    const EditStep& first = journal.steps[0];
    EXPECT_EQ(*first.before.record, start);
    EXPECT_EQ(*first.after.record, ws.record);
    EXPECT_FALSE(first.changesFrame());
    EXPECT_EQ(first.name.caption(text::English), "Thing cell");
    EXPECT_EQ(first.name.caption(text::Chinese), "东西 cell");

    // The same value again, and a step that only reads: nothing is recorded.
    setChannel(0, 5, "28.5");
    applyEdit(ws, {kThing, "", {}}, [] {});
    EXPECT_EQ(journal.steps.size(), 1u);

    // Scopes inside a scope make one step; its record is shared with the step before.
    applyEdit(ws, {kThing, "outer", {}}, [&] {
        setChannel(0, 6, "28.6");
        ws.record.embeddedMessage[0] = "HI";
    });
    ASSERT_EQ(journal.steps.size(), 2u);
    EXPECT_EQ(journal.steps[1].name.detail, "outer");
    EXPECT_EQ(journal.steps[1].before.record, journal.steps[0].after.record);

    // Without a journal an edit simply happens.
    ws.journal = nullptr;
    setChannel(0, 7, "28.7");
    EXPECT_EQ(journal.steps.size(), 2u);
    EXPECT_EQ(ws.record.channelCount[0], 4);
}

TEST_F(EditJournalTest, UndoRestoresTheRecordButKeepsTheFileBufferAndTheFileName) {
    setChannel(2, 9, "28.9"); // an addition in group C
    applyEdit(ws, {kThing, "message", {}}, [&] { ws.record.embeddedMessage[1] = "LINE"; });
    // The user looks at group A and saves under a name.
    ws.record.currentGroup = 0;
    ws.state.currentFileName = "/somewhere/saved.dat";
    ws.state.untitled = false;
    ws.fileBuffer = ws.record;
    ASSERT_FALSE(isModified(ws));

    journal.undo(ws, 1);
    EXPECT_EQ(ws.record.embeddedMessage[1], journal.steps[1].before.record->embeddedMessage[1]);
    EXPECT_EQ(ws.record.currentGroup, 0) << "a step outside the channels keeps the group";
    EXPECT_TRUE(isModified(ws)) << "compared with the file as saved";
    journal.undo(ws, 0);
    EXPECT_EQ(ws.record.channelCount[2], 1);
    EXPECT_EQ(ws.record.currentGroup, 2) << "a channel step shows its group";
    EXPECT_EQ(ws.state.currentFileName, "/somewhere/saved.dat");
    EXPECT_FALSE(ws.state.untitled);

    journal.redo(ws, 0);
    journal.redo(ws, 1);
    EXPECT_FALSE(isModified(ws)) << "redone up to the saved state";
    EXPECT_EQ(ws.fileBuffer.embeddedMessage[1].trimmed(), "LINE");
}

TEST_F(EditJournalTest, ABandChangeIsOneStepThatPutsBandAndFileNameBack) {
    ws.state.currentFileName = "/somewhere/mine.dat";
    ws.state.untitled = false;
    setChannel(0, 3, "28.3");
    const ConfigRecord edited = ws.record;
    applyEdit(ws, {kThing, "band", {}}, [&] {
        ws.state.bandText = kBandText1;
        parseBandEdges(ws.state);
        ws.record.channelCount[0] = 0; // the new document's table
        startNewDocument(ws);          // replaces the document, but as part of this step
    });
    EXPECT_EQ(journal.clears, 0);
    ASSERT_EQ(journal.steps.size(), 2u);
    EXPECT_TRUE(journal.steps[1].changesFrame());
    EXPECT_TRUE(ws.state.untitled);

    journal.undo(ws, 1);
    EXPECT_EQ(ws.state.bandText, kBandText0);
    EXPECT_DOUBLE_EQ(ws.state.bandHigh, 29.7);
    EXPECT_EQ(ws.state.currentFileName, "/somewhere/mine.dat");
    EXPECT_FALSE(ws.state.untitled);
    EXPECT_EQ(ws.record, edited);
    journal.redo(ws, 1);
    EXPECT_EQ(ws.state.bandText, kBandText1);
    EXPECT_TRUE(ws.state.untitled);
}

TEST_F(EditJournalTest, ReplacingTheDocumentEmptiesTheJournal) {
    test::ScratchDir dir;
    const std::string file = dir.file("a.dat");
    const RecordBytes bytes = encodeRecord(ws.record);
    test::writeBytes(file, {bytes.begin(), bytes.end()});

    setChannel(0, 4, "28.4");
    EXPECT_NE(openDataFile(ws, dir.file("missing.dat"), prompter).kind, OpenOutcome::Opened);
    EXPECT_EQ(journal.steps.size(), 1u) << "a refused Open replaces nothing";
    ASSERT_EQ(openDataFile(ws, file, prompter).kind, OpenOutcome::Opened);
    EXPECT_TRUE(journal.steps.empty());

    setChannel(0, 4, "28.4");
    startInitialDocument(ws); // also when the template is missing
    EXPECT_TRUE(journal.steps.empty());
    EXPECT_EQ(ws.state.currentFileName, "new.dat");

    // Read from the radio: the conversation says so itself.
    setChannel(0, 4, "28.4");
    documentReplaced(ws);
    EXPECT_TRUE(journal.steps.empty());
    EXPECT_EQ(journal.clears, 3);
}

} // namespace
} // namespace zx::model
