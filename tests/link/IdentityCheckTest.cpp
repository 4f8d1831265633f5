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

// Records whether the port was open whenever something is shown.
class PortWatchingPrompter : public ScriptedPrompter {
public:
    const FakeLinkIo* io = nullptr;
    std::vector<bool> portOpen;
    text::Answer ask(std::string_view t, text::Buttons b, text::Icon i) override {
        portOpen.push_back(io->open);
        return ScriptedPrompter::ask(t, b, i);
    }
};

class IdentityCheckTest : public ::testing::Test {
protected:
    IdentityCheckTest() {
        ws.versions = {{"V310", "V310"}, {"V400", "V400"}};
        prompter.io = &io;
        radio.memory[0x1D87] = 0;
    }
    void run(bool write) {
        ASSERT_TRUE(write ? link.writeToRadio() : link.readFromRadio());
        // Same pump as the harness, on this fixture's parts.
        for (int guard = 0; link.busy() && guard < 100000; ++guard) {
            if (io.pending) {
                const Bytes c = *io.pending;
                io.pending.reset();
                const Bytes a = radio.answer(c);
                if (!a.empty()) {
                    link.onAnswer(a);
                    continue;
                }
            }
            if (!io.timerArmed)
                break;
            io.timerArmed = false;
            link.onTimeout();
        }
    }
    struct Events : link::LinkEvents {
        std::vector<std::string> versions;
        std::optional<bool> success;
        void startOtherVersion(const std::string& v) override { versions.push_back(v); }
        void finished(link::OperationKind, bool ok) override { success = ok; }
    } events;
    model::Workspace ws;
    FakeLinkIo io;
    PortWatchingPrompter prompter;
    TestRadio radio;
    link::Link link{ws, io, events, prompter};
};

TEST_F(IdentityCheckTest, WrongModelIsReportedAloneAfterThePortIsClosed) {
    radio.modelCode = "1234";
    radio.dataVersion = "V999"; // also incompatible
    radio.memory[0x1D87] = 1;   // and another band
    const model::ConfigRecord before = ws.record;
    run(true);
    EXPECT_EQ(events.success, false);
    EXPECT_TRUE(radio.writes.empty());
    EXPECT_EQ(io.sent.back().bytes, link::end());
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{en(MessageKey::WriteConfirm),
                                                          en(MessageKey::ModelTypeWrong)}));
    EXPECT_EQ(prompter.portOpen, (std::vector<bool>{true, false}));
    EXPECT_EQ(prompter.asked[1].buttons, Buttons::Ok);
    EXPECT_EQ(ws.record, before);
}

TEST_F(IdentityCheckTest, IncompatibleVersionIsAskedAtOnceAndYesHandsOver) {
    radio.dataVersion = "V999";
    radio.memory[0x1D87] = 1; // band differs too: not mentioned
    prompter.script({Answer::Ok, Answer::Yes});
    run(true);
    EXPECT_EQ(events.success, false);
    ASSERT_EQ(prompter.asked.size(), 2u);
    EXPECT_EQ(prompter.asked[1].text, en(MessageKey::VerIncompatible) +
                                          "\r\nFirmware version is V9.99\r\n" +
                                          en(MessageKey::VerSoftwareIs) + " V3.10");
    EXPECT_EQ(prompter.asked[1].buttons, Buttons::YesNo);
    EXPECT_EQ(prompter.asked[1].icon, Icon::None);
    EXPECT_TRUE(prompter.portOpen[1]);
    EXPECT_EQ(events.versions, std::vector<std::string>{"V999"});
    EXPECT_TRUE(radio.writes.empty());
}

TEST_F(IdentityCheckTest, IncompatibleVersionAnsweredNoFailsToo) {
    radio.dataVersion = "V999";
    prompter.script({Answer::Ok, Answer::No});
    run(false);
    EXPECT_EQ(events.success, false);
    EXPECT_TRUE(events.versions.empty());
    EXPECT_EQ(prompter.asked.size(), 2u);
}

TEST_F(IdentityCheckTest, BandMismatchStopsOnlyTheWrite) {
    radio.memory[0x1D87] = 1;
    run(true);
    EXPECT_EQ(events.success, false);
    EXPECT_TRUE(radio.writes.empty());
    EXPECT_EQ(prompter.texts().back(), en(MessageKey::BandTypeWrong));
    EXPECT_FALSE(prompter.portOpen.back());

    events.success.reset();
    run(false);
    EXPECT_EQ(events.success, true);
    EXPECT_EQ(ws.state.bandText, model::kBandText1);
}

TEST_F(IdentityCheckTest, ModelCodeIsComparedCutAtNulAndTrimmed) {
    ws.state.modelCode = std::string("8900  \0xx", 9);
    run(false);
    EXPECT_EQ(events.success, true);
}

} // namespace
} // namespace zx::test
