// Whole conversations against the scripted radio: read, write, band check and the
// identity-record read, with the command sequence, the image, the document and the
// messages they leave behind.
#include "LinkHarness.h"
#include "link/LinkState.h"
#include "model/Band.h"
#include "text/Messages.h"

#include <gtest/gtest.h>

namespace zx::test {
namespace {

using link::OperationKind;
using text::Answer;
using text::Buttons;
using text::Icon;
using text::MessageKey;

std::string en(MessageKey key) {
    return std::string(text::message(key, text::English));
}

class ConversationTest : public ::testing::Test {
protected:
    ConversationTest() { h.radios[1] = &radio; }
    Harness h;
    TestRadio radio;
};

// A radio configuration: two channels in group B, band 1, a message.
void fillRadio(TestRadio& radio) {
    model::ConfigRecord r;
    r.channelCount = {0, 2, 0, 0, 0, 0};
    r.channel(1, 1).number = 3;
    r.channel(1, 1).rxFreq = "26100000";
    r.channel(1, 1).txFreq = "26200000";
    r.channel(1, 1).scan = 1;
    r.channel(1, 2).number = 40;
    r.channel(1, 2).rxFreq = "29000000";
    r.channel(1, 2).txFreq = "29000000";
    r.embeddedMessage[0] = "RADIO";
    r.optionFeatures[45] = -12;
    link::RadioImage image;
    image.encode(r, 1);
    radio.memory = image.bytes;
    radio.memory[0x1DF0] = 0x42; // last read block runs past 1DE0
}

TEST_F(ConversationTest, ReadTakesOneHundredTwentyBlocksAndDecodesThem) {
    fillRadio(radio);
    h.ws.state.currentFileName = "/tmp/old.dat";
    h.ws.state.untitled = false;
    ASSERT_TRUE(h.link.readFromRadio());
    EXPECT_EQ(h.link.kind(), OperationKind::Read);
    h.pump();

    ASSERT_EQ(h.succeeded, true);
    EXPECT_EQ(h.finishedKind, OperationKind::Read);
    EXPECT_FALSE(h.link.busy());
    EXPECT_FALSE(h.io.open);
    EXPECT_EQ(h.io.sent[0].bytes, link::handshake());
    EXPECT_EQ(h.io.sent[1].bytes, link::identify());
    EXPECT_EQ(h.io.sent[1].answerLength, 14);
    EXPECT_EQ(h.io.sent[2].bytes, link::acknowledge());

    const auto reads = h.sentStarting(link::kReadLetter);
    ASSERT_EQ(reads.size(), 120u);
    for (std::size_t i = 0; i < reads.size(); ++i) {
        EXPECT_EQ(Harness::addressOf(reads[i].bytes), static_cast<int>(64 * i));
        EXPECT_EQ(reads[i].answerLength, 69);
    }
    EXPECT_EQ(h.io.sent.back().bytes, link::end());
    // Each block is acknowledged: hand-shake, identify, ack, 120 x (read, ack), end.
    EXPECT_EQ(h.io.sent.size(), 3u + 240u + 1u);

    for (int a = 0; a < 0x1E00; ++a)
        ASSERT_EQ(h.link.image().bytes[a], radio.memory[a]) << std::hex << a;

    const auto& rec = h.ws.record;
    EXPECT_EQ(rec.channelCount[0], 0);
    ASSERT_EQ(rec.channelCount[1], 2);
    EXPECT_EQ(rec.channel(1, 1).number, 3);
    EXPECT_EQ(rec.channel(1, 1).rxFreq.str(), "26100000");
    EXPECT_EQ(rec.channel(1, 2).number, 40);
    EXPECT_EQ(rec.optionFeatures[45], -12);
    EXPECT_EQ(rec.embeddedMessage[0].trimmed(), "RADIO");
    // A read takes the radio's band with the data.
    EXPECT_EQ(h.ws.state.bandText, model::kBandText1);
    EXPECT_EQ(h.link.radioBandCode(), 1);
    EXPECT_EQ(h.ws.state.currentFileName, "new.dat");
    EXPECT_TRUE(h.ws.state.untitled);

    EXPECT_EQ(h.prompter.texts(), (std::vector<std::string>{en(MessageKey::ReadConfirm),
                                                            en(MessageKey::ReadCompleted)}));
    EXPECT_EQ(h.prompter.asked[0].buttons, Buttons::OkCancel);
    EXPECT_EQ(h.prompter.asked[0].icon, Icon::Question);
    EXPECT_EQ(h.events, (std::vector<std::string>{"progressShown", "progressHidden", "readDecoding",
                                                  "readDecoded"}));
    ASSERT_FALSE(h.percents.empty());
    EXPECT_EQ(h.percents.back(), 100);
    for (std::size_t i = 1; i < h.percents.size(); ++i)
        EXPECT_GE(h.percents[i] - h.percents[i - 1], 1);
}

TEST_F(ConversationTest, CancelledReadQuestionClosesThePortAndChangesNothing) {
    const model::ConfigRecord before = h.ws.record;
    h.prompter.script({Answer::Cancel});
    EXPECT_FALSE(h.link.readFromRadio());
    EXPECT_FALSE(h.link.busy());
    EXPECT_FALSE(h.io.open);
    EXPECT_TRUE(h.io.sent.empty());
    EXPECT_EQ(h.ws.record, before);
}

TEST_F(ConversationTest, PortThatCannotBeOpenedIsReported) {
    h.io.unopenable = {1};
    EXPECT_FALSE(h.link.writeToRadio());
    EXPECT_EQ(h.link.kind(), OperationKind::None);
    ASSERT_EQ(h.prompter.asked.size(), 1u);
    EXPECT_EQ(h.prompter.asked[0].text, en(MessageKey::CannotOpenPort));
    EXPECT_EQ(h.prompter.asked[0].icon, Icon::Error);
}

TEST_F(ConversationTest, WriteSendsFourHundredSeventySevenBlocksAndTheRadiosOwnIdentity) {
    radio.memory[0x1D87] = 0; // same band as the document
    std::fill_n(radio.memory.begin(), 16, 0x33);
    h.ws.record.embeddedMessage[1] = "SECOND";
    link::RadioImage expected;
    expected.encode(h.ws.record, 0);

    ASSERT_TRUE(h.link.writeToRadio());
    h.pump();
    ASSERT_EQ(h.succeeded, true);

    // Hand-shake, identify, ack, band read of 16 bytes at 1D80, ack, then the blocks.
    ASSERT_GE(h.io.sent.size(), 5u);
    EXPECT_EQ(h.io.sent[3].bytes, link::readBlock(0x1D80, 16));
    EXPECT_EQ(h.io.sent[3].answerLength, 21);
    EXPECT_EQ(h.io.sent[4].bytes, link::acknowledge());
    ASSERT_EQ(radio.writes.size(), 477u);
    EXPECT_EQ(Harness::addressOf(radio.writes.front()), 0x0010);
    EXPECT_EQ(Harness::addressOf(radio.writes.back()), 0x1DD0);
    EXPECT_EQ(h.io.sent.back().bytes, link::end());

    // 0000-000F untouched; 1D90-1D9D carry the identity answer, everything else the image.
    for (int a = 0; a < 16; ++a)
        EXPECT_EQ(radio.memory[a], 0x33);
    const Bytes identity = radio.identityAnswer();
    for (int a = 0x10; a < 0x1DE0; ++a) {
        const int want = (a >= 0x1D90 && a < 0x1D9E) ? identity[a - 0x1D90] : expected.bytes[a];
        ASSERT_EQ(radio.memory[a], want) << std::hex << a;
    }
    // Verification is on unless turned off: the read-back finds what was sent.
    EXPECT_EQ(h.prompter.texts(),
              (std::vector<std::string>{en(MessageKey::WriteConfirm),
                                        en(MessageKey::WriteCompleted) + "\nVerify OK."}));
    EXPECT_EQ(h.percents.back(), 100);
}

TEST_F(ConversationTest, WriteKeepsTheRadiosBandCodeReadAtTheBandRead) {
    // Document and radio both in band 1; the link had learned nothing before (code 0).
    radio.memory[0x1D87] = 1;
    h.ws.state.bandText = model::kBandText1;
    model::parseBandEdges(h.ws.state);
    ASSERT_TRUE(h.link.writeToRadio());
    h.pump();
    ASSERT_EQ(h.succeeded, true);
    EXPECT_EQ(radio.memory[0x1D87], 1);
    EXPECT_EQ(h.link.radioBandCode(), 1);
}

TEST_F(ConversationTest, WriteRestartedFromThePromptSendsFourHundredSeventyEightBlocks) {
    int writesSeen = 0;
    radio.fault = [&](int, const Bytes& c, Bytes& a) {
        if (c[0] == link::kWriteLetter && ++writesSeen == 10)
            a.clear(); // the tenth block goes unanswered once
    };
    h.prompter.script({Answer::Ok, Answer::Ok});
    ASSERT_TRUE(h.link.writeToRadio());
    h.pump();
    ASSERT_EQ(h.succeeded, true);

    EXPECT_EQ(h.prompter.texts(), (std::vector<std::string>{
                                      en(MessageKey::WriteConfirm), en(MessageKey::CheckConnection),
                                      en(MessageKey::WriteCompleted) + "\nVerify OK."}));
    EXPECT_EQ(h.prompter.asked[1].buttons, Buttons::OkCancel);
    EXPECT_EQ(h.prompter.asked[1].icon, Icon::Question);
    ASSERT_EQ(radio.writes.size(), 10u + 478u);
    EXPECT_EQ(Harness::addressOf(radio.writes[10]), 0x0000);
    EXPECT_EQ(Harness::addressOf(radio.writes.back()), 0x1DD0);
    // The restart went through the whole hand-shake again, on a freshly opened port.
    EXPECT_EQ(h.io.opens.size(), 2u);
    EXPECT_NE(std::find(h.percents.begin(), h.percents.end(), 0), h.percents.end());
}

TEST_F(ConversationTest, CancelledTransferPromptLeavesTheDocumentAlone) {
    fillRadio(radio);
    radio.fault = [](int, const Bytes& c, Bytes& a) {
        if (c[0] == link::kReadLetter && (c[1] << 8 | c[2]) == 0x0400)
            a.clear();
    };
    const model::ConfigRecord before = h.ws.record;
    h.prompter.script({Answer::Ok, Answer::Cancel});
    ASSERT_TRUE(h.link.readFromRadio());
    h.pump();
    EXPECT_EQ(h.succeeded, false);
    EXPECT_EQ(h.ws.record, before);
    EXPECT_EQ(h.prompter.texts(), (std::vector<std::string>{en(MessageKey::ReadConfirm),
                                                            en(MessageKey::CheckConnection)}));
    EXPECT_FALSE(h.io.open);
}

TEST_F(ConversationTest, BandCheckWithTheSameBandIsSilent) {
    radio.memory[0x1D87] = 0;
    ASSERT_TRUE(h.link.checkRadioBand());
    h.pump();
    EXPECT_EQ(h.succeeded, true);
    EXPECT_TRUE(h.prompter.asked.empty());
    const auto reads = h.sentStarting(link::kReadLetter);
    ASSERT_EQ(reads.size(), 1u);
    EXPECT_EQ(reads[0].bytes, link::readBlock(0x1D80, 64));
}

TEST_F(ConversationTest, BandCheckAdoptsTheRadiosBandAndCorrectsChannels) {
    radio.memory[0x1D87] = 1;
    h.ws.record.channel(0, 1).rxFreq = "25000000"; // below either band
    h.prompter.script({Answer::Yes, Answer::Yes});
    ASSERT_TRUE(h.link.checkRadioBand());
    h.pump();
    EXPECT_EQ(h.succeeded, true);
    EXPECT_EQ(h.prompter.texts(), (std::vector<std::string>{en(MessageKey::BandDiffers),
                                                            en(MessageKey::SomeFreqOutOfRange)}));
    EXPECT_EQ(h.prompter.asked[0].buttons, Buttons::YesNo);
    EXPECT_EQ(h.ws.state.bandText, model::kBandText1);
    EXPECT_DOUBLE_EQ(h.ws.state.bandLow, 25.615);
    EXPECT_EQ(h.ws.record.channel(0, 1).rxFreq.str(), "25615000");
    EXPECT_TRUE(h.bandAdoptedCorrected);
}

TEST_F(ConversationTest, BandCheckAnsweredNoKeepsTheDocumentButLearnsTheCode) {
    radio.memory[0x1D87] = 1;
    h.prompter.script({Answer::No});
    const model::ConfigRecord before = h.ws.record;
    ASSERT_TRUE(h.link.checkRadioBand());
    h.pump();
    EXPECT_EQ(h.ws.state.bandText, model::kBandText0);
    EXPECT_EQ(h.ws.record, before);
    EXPECT_EQ(h.link.radioBandCode(), 1);
    EXPECT_EQ(h.prompter.asked.size(), 1u);
}

TEST_F(ConversationTest, IdentityReadTakesSixteenBlocksAndShowsTheRecord) {
    const std::string serial = "SN-0042";
    std::copy(serial.begin(), serial.end(), radio.memory.begin() + 0x1F10);
    radio.memory[0x1F10 + serial.size()] = 0;
    ASSERT_TRUE(h.link.readIdentity());
    h.pump();
    EXPECT_EQ(h.succeeded, true);
    const auto reads = h.sentStarting(link::kReadLetter);
    ASSERT_EQ(reads.size(), 16u);
    EXPECT_EQ(Harness::addressOf(reads.front().bytes), 0x1F00);
    EXPECT_EQ(Harness::addressOf(reads.back().bytes), 0x1FF0);
    EXPECT_EQ(h.ws.identity.serialNumber.trimmed(), serial);
    EXPECT_TRUE(h.prompter.asked.empty()); // no question, no progress
    EXPECT_EQ(h.events, std::vector<std::string>{"identityDecoded"});
}

TEST_F(ConversationTest, IdentityReadRetryAsksAgainForTheUnansweredBlock) {
    std::fill_n(radio.memory.begin() + 0x1F40, 16, 'M');
    int asked1F40 = 0;
    radio.fault = [&](int, const Bytes& c, Bytes& a) {
        if (c[0] == link::kReadLetter && (c[1] << 8 | c[2]) == 0x1F40 && ++asked1F40 == 1)
            a.clear();
    };
    h.prompter.script({Answer::Retry});
    ASSERT_TRUE(h.link.readIdentity());
    h.pump();
    EXPECT_EQ(h.succeeded, true);
    EXPECT_EQ(asked1F40, 2);
    EXPECT_EQ(h.prompter.asked.at(0).buttons, Buttons::RetryCancel);
    EXPECT_EQ(h.ws.identity.maintenanceDate.str(), std::string(16, 'M'));
}

TEST(ProgressTest, RoundsHalvesToEven) {
    EXPECT_EQ(link::progressPercent(0, 0x1DE0), 0);
    EXPECT_EQ(link::progressPercent(956, 0x1DE0), 12);  // 12.5
    EXPECT_EQ(link::progressPercent(2868, 0x1DE0), 38); // 37.5
    EXPECT_EQ(link::progressPercent(3824, 0x1DE0), 50);
    EXPECT_EQ(link::progressPercent(0x1DD0, 0x1DE0), 100);
    EXPECT_EQ(link::progressPercent(-64, 0x1DE0), 0);
}

} // namespace
} // namespace zx::test
