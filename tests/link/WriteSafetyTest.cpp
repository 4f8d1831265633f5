// The frame around a write against the scripted radio: the read-back and what it reports,
// the backup read before writing, the report of a write that stopped early, ending a
// conversation from outside, and the presence check of a batch.
#include "LinkHarness.h"
#include "link/VerifyReport.h"
#include "model/ChannelTable.h"
#include "text/Messages.h"

#include <gtest/gtest.h>

namespace zx::test {
namespace {

using link::OperationKind;
using link::Verification;
using link::WritePhase;
using text::Answer;
using text::MessageKey;

std::string en(MessageKey key) {
    return std::string(text::message(key, text::English));
}

// Slot of A-12 starts at 0010 + 18 * 11; its fourth byte is the low byte of the fine part.
constexpr int kA12Fine = 0x0010 + 18 * 11 + 3;

class WriteSafetyTest : public ::testing::Test {
protected:
    WriteSafetyTest() {
        h.radios[1] = &radio;
        radio.memory[0x1D87] = 0; // the document's band
        EXPECT_TRUE(model::addChannel(h.ws, 0, 12, "28.512300"));
    }

    // Commands of one kind the radio received, counted by their first byte.
    int received(std::uint8_t letter) const {
        int n = 0;
        for (const SentCommand& s : h.io.sent)
            n += !s.bytes.empty() && s.bytes[0] == letter;
        return n;
    }

    Harness h;
    TestRadio radio;
};

TEST_F(WriteSafetyTest, ReadBackNamesTheFieldOfAWrongByteAndTheWriteStillCounts) {
    // The radio acknowledges every block but keeps one wrong byte.
    radio.fault = [this](int, const Bytes& c, Bytes&) {
        if (c.size() > 5 && c[0] == link::kWriteLetter) {
            const int address = c[1] << 8 | c[2];
            if (kA12Fine >= address && kA12Fine < address + c[3])
                radio.memory[kA12Fine] ^= 0x01;
        }
    };
    ASSERT_TRUE(h.link.writeToRadio());
    h.pump();

    EXPECT_EQ(h.succeeded, true) << "the transfer completed";
    const Verification& v = h.link.verification();
    EXPECT_EQ(v.state, Verification::State::Differs);
    EXPECT_EQ(v.differences, std::vector<int>{kA12Fine});
    // The read conversation's 120 blocks followed the 477 write blocks.
    EXPECT_EQ(received(link::kReadLetter), 1 + 120);
    // One message: the write completed, and below it what the read-back found.
    ASSERT_EQ(h.prompter.texts().size(), 2u);
    EXPECT_EQ(h.prompter.texts()[1],
              en(MessageKey::WriteCompleted) +
                  "\nVerify failed. Fields where the radio differs from what was sent: 1\r\n"
                  "00D9 A-12 RX Frequency: radio 28.512310, sent 28.512300");
    EXPECT_EQ(h.prompter.asked[1].icon, text::Icon::Warning);
    EXPECT_EQ(h.phases, (std::vector<WritePhase>{WritePhase::Transfer, WritePhase::Verify}));
    // The image sent is reported once, as sent.
    ASSERT_EQ(h.sentImages.size(), 1u);
    EXPECT_EQ(h.sentImages[0].bytes[kA12Fine], 0x00);
    EXPECT_EQ(h.link.readBackImage().bytes[kA12Fine], 0x01);
}

TEST_F(WriteSafetyTest, WithoutVerificationNothingIsReadBack) {
    h.link.setWriteOptions({.backupFirst = false, .verify = false});
    ASSERT_TRUE(h.link.writeToRadio());
    h.pump();
    EXPECT_EQ(h.succeeded, true);
    EXPECT_EQ(received(link::kReadLetter), 1) << "only the band read";
    EXPECT_EQ(h.prompter.texts(), (std::vector<std::string>{en(MessageKey::WriteConfirm),
                                                            en(MessageKey::WriteCompleted)}));
    EXPECT_EQ(h.link.verification().state, Verification::State::NotRun);
}

TEST_F(WriteSafetyTest, BackupFirstReadsTheRadioBeforeWritingWithOneQuestion) {
    std::fill(radio.memory.begin() + 0x10, radio.memory.begin() + 0x1D00, 0x5A);
    const auto before = radio.memory;
    h.link.setWriteOptions({.backupFirst = true, .verify = true});
    ASSERT_TRUE(h.link.writeToRadio());
    h.pump();

    EXPECT_EQ(h.succeeded, true);
    EXPECT_EQ(h.phases, (std::vector<WritePhase>{WritePhase::BackupRead, WritePhase::Transfer,
                                                 WritePhase::Verify}));
    ASSERT_EQ(h.received.size(), 1u);
    for (int a = 0; a < 0x1DE0; ++a)
        ASSERT_EQ(h.received[0].bytes[a], before[a]) << "backup differs at " << a;
    // Every write block came after the last backup block.
    std::size_t lastBackupBlock = 0, firstWrite = 0;
    for (std::size_t i = 0; i < h.io.sent.size(); ++i) {
        const Bytes& b = h.io.sent[i].bytes;
        if (b[0] == link::kReadLetter && b.size() == 4 && b[3] == 64 && firstWrite == 0)
            lastBackupBlock = i;
        if (b[0] == link::kWriteLetter && b.size() > 5 && firstWrite == 0)
            firstWrite = i;
    }
    EXPECT_LT(lastBackupBlock, firstWrite);
    EXPECT_EQ(h.prompter.texts(),
              (std::vector<std::string>{en(MessageKey::WriteConfirm),
                                        en(MessageKey::WriteCompleted) + "\nVerify OK."}));
    // The image sent is not the backup: the write's image kept the document.
    EXPECT_EQ(h.sentImages.at(0).bytes[kA12Fine - 3], 0x28);
}

TEST_F(WriteSafetyTest, FailedBackupReadWritesNothing) {
    radio.modelCode = "8800";
    h.link.setWriteOptions({.backupFirst = true, .verify = true});
    ASSERT_TRUE(h.link.writeToRadio());
    h.pump();
    EXPECT_EQ(h.succeeded, false);
    EXPECT_TRUE(radio.writes.empty());
    EXPECT_TRUE(h.received.empty());
    EXPECT_TRUE(h.sentImages.empty());
    EXPECT_EQ(h.prompter.texts(), (std::vector<std::string>{en(MessageKey::WriteConfirm),
                                                            en(MessageKey::ModelTypeWrong)}));

    // Read, but the backup could not be kept: no write either.
    Harness h2;
    TestRadio r;
    h2.radios[1] = &r;
    h2.keepsImages = false;
    h2.link.setWriteOptions({.backupFirst = true, .verify = true});
    ASSERT_TRUE(h2.link.writeToRadio());
    h2.pump();
    EXPECT_EQ(h2.succeeded, false);
    EXPECT_EQ(h2.received.size(), 1u);
    EXPECT_TRUE(r.writes.empty());
    EXPECT_EQ(r.received, h2.io.sent.size()) << "the radio heard every command";
    EXPECT_EQ(h2.io.sent.back().bytes, link::end());
}

TEST_F(WriteSafetyTest, AWriteThatStopsSaysHowFarItGot) {
    struct Case {
        const char* name;
        int silentFromWrite; // 1-based write block from which the radio stays silent
        std::initializer_list<Answer> answers;
        std::string line;
    };
    const Case cases[] = {
        // Cancel at the connection prompt: 240 blocks acknowledged.
        {"cancelled",
         241,
         {Answer::Ok, Answer::Cancel},
         "Write stopped after 240 of 477 blocks: the radio holds a partly written "
         "configuration. Write it again."},
        // OK restarts at 0000, but the radio is gone: the first pass is what it holds.
        {"radio gone",
         6,
         {Answer::Ok, Answer::Ok, Answer::Cancel},
         "Write stopped after 5 of 477 blocks: the radio holds a partly written "
         "configuration. Write it again."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h2;
        TestRadio r;
        r.memory[0x1D87] = 0;
        h2.radios[1] = &r;
        bool gone = false;
        int writes = 0;
        r.fault = [&](int, const Bytes& command, Bytes& answer) {
            if (command[0] == link::kWriteLetter && command.size() > 5 &&
                ++writes == c.silentFromWrite)
                gone = true;
            if (gone)
                answer.clear();
        };
        h2.prompter.script(c.answers);
        ASSERT_TRUE(h2.link.writeToRadio());
        h2.pump();
        EXPECT_EQ(h2.succeeded, false);
        ASSERT_FALSE(h2.prompter.asked.empty());
        EXPECT_EQ(h2.prompter.asked.back().text, c.line);
        EXPECT_EQ(h2.prompter.asked.back().icon, text::Icon::Warning);
        EXPECT_EQ(h2.sentImages.size(), 1u) << "a partial write still reports what it sent";
        EXPECT_EQ(h2.link.verification().state, Verification::State::NotRun);
    }
}

TEST_F(WriteSafetyTest, AbortEndsTheSessionWithEndAndReportsThePartialWrite) {
    EXPECT_FALSE(h.link.abort()) << "nothing to abort";
    ASSERT_TRUE(h.link.writeToRadio());
    h.pump(100); // some way into the blocks
    ASSERT_TRUE(h.link.busy());
    ASSERT_EQ(h.link.step(), 4);
    const std::size_t blocks = radio.writes.size();

    ASSERT_TRUE(h.link.abort());
    EXPECT_EQ(h.io.sent.back().bytes, link::end());
    h.pump();
    EXPECT_EQ(h.succeeded, false);
    EXPECT_FALSE(h.io.open);
    EXPECT_EQ(radio.writes.size(), blocks) << "nothing sent after End";
    EXPECT_EQ(h.prompter.texts().back(),
              "Write stopped after " + std::to_string(blocks) +
                  " of 477 blocks: the radio holds a partly written configuration. Write it "
                  "again.");

    // Stopped before the first block (here during the identity exchange): it says that the
    // radio holds what it held, not nothing at all. A failure that wrote nothing says only
    // its own reason (FailedBackupReadWritesNothing).
    Harness early;
    TestRadio untouched;
    early.radios[1] = &untouched;
    ASSERT_TRUE(early.link.writeToRadio());
    early.pump(2);
    ASSERT_TRUE(early.link.abort());
    early.pump();
    EXPECT_EQ(early.succeeded, false);
    EXPECT_TRUE(untouched.writes.empty());
    EXPECT_EQ(early.prompter.texts().back(),
              "Stopped before anything was written: the radio holds what it held.");

    // A read that has not had its hand-shake answered yet still sends End: the radio may
    // have heard the hand-shake.
    Harness h2;
    ASSERT_TRUE(h2.link.readFromRadio());
    ASSERT_TRUE(h2.link.abort());
    EXPECT_EQ(h2.io.sent.back().bytes, link::end());
    h2.pump(); // no radio: the End stays unanswered, the timer finishes
    EXPECT_EQ(h2.succeeded, false);
    EXPECT_FALSE(h2.link.busy());
}

TEST_F(WriteSafetyTest, AReadBackThatCannotFinishIsReportedButTheWriteCounts) {
    bool ended = false;
    radio.fault = [&](int, const Bytes& c, Bytes& a) {
        if (ended)
            a.clear(); // gone after the write's End
        if (c == link::end())
            ended = true;
    };
    h.prompter.script({Answer::Ok, Answer::Cancel});
    ASSERT_TRUE(h.link.writeToRadio());
    h.pump();
    EXPECT_EQ(h.succeeded, true);
    EXPECT_EQ(h.link.verification().state, Verification::State::Incomplete);
    EXPECT_EQ(h.prompter.texts(),
              (std::vector<std::string>{
                  en(MessageKey::WriteConfirm), en(MessageKey::CheckConnection),
                  en(MessageKey::WriteCompleted) + "\nVerify not done: the radio could not be read "
                                                   "back. Write it again to be sure."}));
    // The read-back tried its hand-shake ten times before it asked; no settings search.
    int handshakes = 0;
    for (const SentCommand& s : h.io.sent)
        handshakes += s.bytes == link::handshake();
    EXPECT_EQ(handshakes, 1 + 10);
    EXPECT_TRUE(std::find(h.events.begin(), h.events.end(), "searchStarted") == h.events.end());
}

TEST_F(WriteSafetyTest, PresenceCheckReleasesAnAnsweringRadioAndShowsNothing) {
    ASSERT_TRUE(h.link.checkPresence());
    h.pump();
    EXPECT_EQ(h.succeeded, true);
    EXPECT_EQ(h.finishedKind, OperationKind::Presence);
    ASSERT_EQ(h.io.sent.size(), 2u);
    EXPECT_EQ(h.io.sent[0].bytes, link::handshake());
    EXPECT_EQ(h.io.sent[1].bytes, link::end());

    Harness silent; // no radio on the line
    ASSERT_TRUE(silent.link.checkPresence());
    silent.pump();
    EXPECT_EQ(silent.succeeded, false);
    EXPECT_EQ(silent.io.sent.size(), 1u) << "one hand-shake, no repeat, no search";
    EXPECT_TRUE(silent.prompter.asked.empty());

    Harness closed;
    closed.io.unopenable = {1};
    EXPECT_FALSE(closed.link.checkPresence());
    EXPECT_TRUE(closed.link.portOpenFailed());
    EXPECT_TRUE(closed.prompter.asked.empty());
}

TEST_F(WriteSafetyTest, PortThatCannotBeOpenedSaysWhyAlsoAtARetry) {
    h.io.openReason = "/dev/ttyUSB0 does not exist.";
    h.io.unopenable = {1};
    EXPECT_FALSE(h.link.readFromRadio());
    EXPECT_TRUE(h.link.portOpenFailed());
    ASSERT_EQ(h.prompter.asked.size(), 1u);
    EXPECT_EQ(h.prompter.asked[0].text,
              en(MessageKey::CannotOpenPort) + "\r\n/dev/ttyUSB0 does not exist.");

    // The port goes away during a read: the Retry cannot reopen it.
    Harness h2;
    TestRadio r;
    h2.radios[1] = &r;
    int reads = 0;
    r.fault = [&](int, const Bytes& c, Bytes& a) {
        if (c[0] == link::kReadLetter && ++reads == 3) {
            a.clear();
            h2.io.unopenable = {1};
        }
    };
    h2.prompter.script({Answer::Ok, Answer::Ok});
    ASSERT_TRUE(h2.link.readFromRadio());
    EXPECT_FALSE(h2.link.portOpenFailed());
    h2.pump();
    EXPECT_EQ(h2.succeeded, false);
    EXPECT_TRUE(h2.link.portOpenFailed());
    EXPECT_EQ(h2.prompter.texts().back(), en(MessageKey::CannotOpenPort));
}

TEST(VerifyReportTest, NamesEveryKindOfField) {
    link::RadioImage sent;
    model::ConfigRecord record;
    record.channelCount = {0, 0, 1, 0, 0, 0};
    record.channel(2, 1).number = 9;
    record.channel(2, 1).rxFreq = "28500000";
    record.channel(2, 1).txFreq = "28500000";
    record.channel(2, 1).busy = 1;
    record.optionFeatures[9] = 30;
    record.optionFeatures[45] = -300;
    record.embeddedMessage[1] = "HELLO";
    sent.encode(record, 0);
    link::RadioImage radio = sent;

    const int slot = 0x0010 + 18 * (2 * 60 + 8); // C-9
    radio.bytes[slot + 5] = 0x29;                // TX 29.500000
    radio.bytes[slot + 10] = 0x80;               // RB instead of BUSY
    radio.bytes[0x1D00 + 8 * 2 + 1] ^= 0x01;     // C-9 present bit
    radio.bytes[0x1D30 + 8 * 2 + 1] ^= 0x03;     // C-9 and C-10 scan bits
    radio.bytes[0x1D69] = 31;                    // position 9
    radio.bytes[0x1D89] = 0x01;                  // position 45: +300
    radio.bytes[0x1DC1] = 'A';                   // message line 2
    radio.bytes[0x1960] = 0x00;                  // unused area

    const std::vector<int> addresses = link::differingAddresses(radio, sent);
    EXPECT_EQ(addresses.size(), 8u);
    const std::vector<link::FieldDifference> d =
        link::describeDifferences(radio, sent, addresses, text::English);
    // Fields of the record read as the record's description names and shows them; the rest
    // by their place in the radio memory.
    const std::vector<link::FieldDifference> expected{
        {slot + 5, "C-09 TX FreQuency", "29.500000", "28.500000"},
        {slot + 10, "C-09 BUSY", "Disable", "Enable"},
        {slot + 10, "C-09 RB", "Enable", "Disable"},
        {0x1960, "Unused", "00", "FF"},
        {0x1D11, "C-09 Channel Present", "0", "1"},
        {0x1D41, "C-09 Scan", "Add", "Del"},
        {0x1D41, "C-10 Scan", "Add", "Del"},
        {0x1D69, "SWR Protect value", "3.1", "3.0"},
        {0x1D89, "RTIX(Hz)", "3000", "-3000"},
        {0x1DC1, "Local Information line 2", "\"HALLO\"", "\"HELLO\""},
    };
    EXPECT_EQ(d, expected);
    // In Chinese, with one line left over beyond the limit.
    link::Verification v{Verification::State::Differs, addresses};
    const std::string zh = link::verificationMessage(v, radio, sent, text::Chinese, 9);
    EXPECT_NE(zh.find("0915 C-09 发射频率：对讲机 29.500000，写入 28.500000"), std::string::npos)
        << zh;
    EXPECT_NE(zh.find("1D41 C-10 扫描：对讲机 添加，写入 删除"), std::string::npos) << zh;
    EXPECT_NE(zh.find("……另有 1 处。"), std::string::npos) << zh;
}

} // namespace
} // namespace zx::test
