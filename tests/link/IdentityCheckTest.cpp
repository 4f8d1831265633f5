// The identity check: model code, data version and (for a write) band, with the one message
// it chooses and when that message appears.
#include "LinkHarness.h"
#include "model/Band.h"
#include "text/Messages.h"

#include <gtest/gtest.h>

namespace zx::test {
namespace {

using text::Answer;
using text::Buttons;
using text::Icon;
using text::MessageKey;

std::string en(MessageKey key) {
    return std::string(text::message(key, text::English));
}

class IdentityCheckTest : public ::testing::Test {
protected:
    IdentityCheckTest() {
        h.ws.versions = {{"V310", "V310"}, {"V400", "V400"}};
        h.radios[1] = &radio;
        radio.memory[0x1D87] = 0;
    }
    void run(bool write) {
        ASSERT_TRUE(write ? h.link.writeToRadio() : h.link.readFromRadio());
        h.pump();
    }
    Harness h;
    TestRadio radio;
};

TEST_F(IdentityCheckTest, WrongModelIsReportedAloneAfterThePortIsClosed) {
    radio.modelCode = "1234";
    radio.dataVersion = "V999"; // also incompatible
    radio.memory[0x1D87] = 1;   // and another band
    const model::ConfigRecord before = h.ws.record;
    run(true);
    EXPECT_EQ(h.succeeded, false);
    EXPECT_TRUE(radio.writes.empty());
    EXPECT_EQ(h.io.sent.back().bytes, link::end());
    EXPECT_EQ(h.prompter.texts(), (std::vector<std::string>{en(MessageKey::WriteConfirm),
                                                            en(MessageKey::ModelTypeWrong)}));
    EXPECT_EQ(h.prompter.portOpen, (std::vector<bool>{true, false}));
    EXPECT_EQ(h.prompter.asked[1].buttons, Buttons::Ok);
    EXPECT_EQ(h.ws.record, before);
}

TEST_F(IdentityCheckTest, IncompatibleVersionIsAskedAtOnceAndYesHandsOver) {
    radio.dataVersion = "V999";
    radio.memory[0x1D87] = 1; // band differs too: not mentioned
    h.prompter.script({Answer::Ok, Answer::Yes});
    run(true);
    EXPECT_EQ(h.succeeded, false);
    ASSERT_EQ(h.prompter.asked.size(), 2u);
    EXPECT_EQ(h.prompter.asked[1].text, en(MessageKey::VerIncompatible) +
                                            "\r\nFirmware version is V9.99\r\n" +
                                            en(MessageKey::VerSoftwareIs) + " V3.10");
    EXPECT_EQ(h.prompter.asked[1].buttons, Buttons::YesNo);
    EXPECT_EQ(h.prompter.asked[1].icon, Icon::None);
    EXPECT_TRUE(h.prompter.portOpen[1]);
    EXPECT_EQ(h.otherVersions, std::vector<std::string>{"V999"});
    EXPECT_TRUE(radio.writes.empty());
}

TEST_F(IdentityCheckTest, IncompatibleVersionAnsweredNoFailsToo) {
    radio.dataVersion = "V999";
    h.prompter.script({Answer::Ok, Answer::No});
    run(false);
    EXPECT_EQ(h.succeeded, false);
    EXPECT_TRUE(h.otherVersions.empty());
    EXPECT_EQ(h.prompter.asked.size(), 2u);
}

TEST_F(IdentityCheckTest, BandMismatchStopsOnlyTheWrite) {
    radio.memory[0x1D87] = 1;
    run(true);
    EXPECT_EQ(h.succeeded, false);
    EXPECT_TRUE(radio.writes.empty());
    EXPECT_EQ(h.prompter.texts().back(), en(MessageKey::BandTypeWrong));
    EXPECT_FALSE(h.prompter.portOpen.back());

    h.succeeded.reset();
    run(false);
    EXPECT_EQ(h.succeeded, true);
    EXPECT_EQ(h.ws.state.bandText, model::kBandText1);
}

TEST_F(IdentityCheckTest, ModelCodeIsComparedCutAtNulAndTrimmed) {
    h.ws.state.modelCode = std::string("8900  \0xx", 9);
    run(false);
    EXPECT_EQ(h.succeeded, true);
}

} // namespace
} // namespace zx::test
