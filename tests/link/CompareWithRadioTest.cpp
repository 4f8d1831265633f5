// Compare with Radio against the scripted radio: the read conversation that leaves the
// document alone and hands over what a read would have made of the radio.
#include "LinkHarness.h"
#include "model/ChannelTable.h"
#include "text/Messages.h"

#include <gtest/gtest.h>

namespace zx::test {
namespace {

using link::OperationKind;
using text::Answer;
using text::MessageKey;

class CompareWithRadioTest : public ::testing::Test {
protected:
    CompareWithRadioTest() {
        h.radios[1] = &radio;
        // The radio holds another configuration than the document, in the other band.
        model::Workspace other = h.ws;
        EXPECT_TRUE(model::addChannel(other, 1, 7, "28.400000"));
        other.record.embeddedMessage[0] = "RADIO";
        link::RadioImage image;
        image.encode(other.record, 1);
        radioChannelCounts = other.record.channelCount;
        std::copy(image.bytes.begin(), image.bytes.end(), radio.memory.begin());

        // The document has unsaved edits and a name of its own.
        EXPECT_TRUE(model::addChannel(h.ws, 0, 3, "28.100000"));
        h.ws.state.currentFileName = "/dealer/customer.dat";
        h.ws.state.untitled = false;
    }

    Harness h;
    TestRadio radio;
    std::array<model::Integer, model::kGroupCount> radioChannelCounts{};
};

TEST_F(CompareWithRadioTest, ReadsTheRadioAsAReadWouldWithoutTouchingTheDocument) {
    const model::Workspace before = h.ws;
    ASSERT_TRUE(h.link.compareWithRadio());
    h.pump();

    EXPECT_EQ(h.succeeded, true);
    EXPECT_EQ(h.finishedKind, OperationKind::Read);
    EXPECT_TRUE(h.prompter.asked.empty()) << "no question, no completion message";
    EXPECT_EQ(h.events, (std::vector<std::string>{"progressShown", "progressHidden"}));
    EXPECT_EQ(h.sentStarting(link::kReadLetter).size(), 120u);
    // The image is reported as every read reports it, so that it is kept as a backup.
    ASSERT_EQ(h.received.size(), 1u);
    EXPECT_TRUE(std::equal(radio.memory.begin(), radio.memory.begin() + 0x1E00,
                           h.received[0].bytes.begin()));

    // The document is as the user left it.
    EXPECT_EQ(h.ws.record, before.record);
    EXPECT_EQ(h.ws.state.currentFileName, "/dealer/customer.dat");
    EXPECT_FALSE(h.ws.state.untitled);
    EXPECT_EQ(h.ws.state.bandText, before.state.bandText);
    EXPECT_EQ(h.link.radioBandCode(), 1) << "the radio's band is learned as by any read";

    // What it read is exactly what Read from Radio then makes the document, and a read
    // after a comparison asks its question again.
    ASSERT_TRUE(h.link.radioDocument().has_value());
    const model::ConfigRecord compared = *h.link.radioDocument();
    EXPECT_EQ(compared.channelCount, radioChannelCounts);
    EXPECT_EQ(compared.embeddedMessage[0].trimmed(), "RADIO");
    ASSERT_TRUE(h.link.readFromRadio());
    h.pump();
    EXPECT_EQ(h.prompter.texts(),
              (std::vector<std::string>{std::string(text::message(MessageKey::ReadConfirm, 1)),
                                        std::string(text::message(MessageKey::ReadCompleted, 1))}));
    EXPECT_EQ(h.ws.record, compared);
}

TEST_F(CompareWithRadioTest, AComparisonThatFailsLeavesNothingBehind) {
    const model::Workspace before = h.ws;
    // The radio falls silent in the middle of the blocks; the connection prompt is cancelled.
    int blocks = 0;
    radio.fault = [&](int, const Bytes& c, Bytes& a) {
        if (c[0] == link::kReadLetter && ++blocks > 30)
            a.clear();
    };
    h.prompter.script({Answer::Cancel});
    ASSERT_TRUE(h.link.compareWithRadio());
    h.pump();
    EXPECT_EQ(h.succeeded, false);
    EXPECT_TRUE(h.received.empty()) << "no backup of a partial read";
    EXPECT_EQ(h.ws.record, before.record);
    EXPECT_FALSE(h.link.radioDocument().has_value()) << "nothing read to compare";
}

} // namespace
} // namespace zx::test
