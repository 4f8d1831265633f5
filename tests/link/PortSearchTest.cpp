// The search for port settings: the order of the trials, three hand-shakes per combination,
// skipping ports that cannot be opened, the fallback to a radio of another model, and the
// end when nothing answers.
#include "LinkHarness.h"
#include "text/Messages.h"

#include <gtest/gtest.h>

namespace zx::test {
namespace {

using link::OperationKind;
using text::Answer;
using text::MessageKey;

std::string en(MessageKey key) {
    return std::string(text::message(key, text::English));
}

// The settings of every hand-shake sent, in order.
std::vector<PortSettings> handshakesOn(const Harness& h) {
    std::vector<PortSettings> out;
    for (const SentCommand& s : h.io.sent)
        if (s.bytes == link::handshake())
            out.push_back(s.on);
    return out;
}

class PortSearchTest : public ::testing::Test {
protected:
    PortSearchTest() {
        h.io.ports = {1, 3};
        h.ws.state.comPort = 1;
    }
    Harness h;
    TestRadio radio;
};

TEST_F(PortSearchTest, SilentCom1GetsEightCombinationsThenCom3IsFound) {
    radio.only = PortSettings{3, 0, 1};
    h.radios[3] = &radio;
    ASSERT_TRUE(h.link.readFromRadio());
    h.pump();

    const std::vector<PortSettings> hs = handshakesOn(h);
    // Two on the configured settings, then 8 combinations x 3 on COM1, then COM3.
    ASSERT_EQ(hs.size(), 2u + 24u + 1u);
    std::vector<PortSettings> combos;
    for (std::size_t i = 2; i < 26; i += 3) {
        EXPECT_EQ(hs[i], hs[i + 1]);
        EXPECT_EQ(hs[i], hs[i + 2]);
        combos.push_back(hs[i]);
    }
    EXPECT_EQ(combos, (std::vector<PortSettings>{{1, 0, 1},
                                                 {1, 1, 1},
                                                 {1, 2, 1},
                                                 {1, 3, 1},
                                                 {1, 0, 2},
                                                 {1, 1, 2},
                                                 {1, 2, 2},
                                                 {1, 3, 2}}));
    EXPECT_EQ(hs[26], (PortSettings{3, 0, 1}));

    ASSERT_EQ(h.settingsSaved, std::vector<PortSettings>{(PortSettings{3, 0, 1})});
    EXPECT_EQ(h.ws.state.comPort, 3);
    EXPECT_EQ(h.ws.state.handshaking, 0);
    EXPECT_EQ(h.ws.state.stopBits, 1);
    // The read goes on from the identity check: the blocks follow on COM3.
    EXPECT_EQ(h.succeeded, true);
    const auto reads = h.sentStarting(link::kReadLetter);
    ASSERT_EQ(reads.size(), 120u);
    EXPECT_EQ(reads[0].on, (PortSettings{3, 0, 1}));
    // The search's caption came and went.
    EXPECT_EQ(std::count(h.events.begin(), h.events.end(), "searchStarted"), 1);
    EXPECT_EQ(std::count(h.events.begin(), h.events.end(), "searchEnded"), 1);
    // A silent combination costs three time-outs.
    const auto firstOnCom3 = std::find_if(h.io.sent.begin(), h.io.sent.end(),
                                          [](const SentCommand& s) { return s.on.port == 3; });
    EXPECT_EQ(firstOnCom3->at, 2 * 300 + 8 * 3 * 300);
}

TEST_F(PortSearchTest, WriteFoundBySearchStillReadsTheRadiosBand) {
    radio.only = PortSettings{3, 2, 2};
    radio.memory[0x1D87] = 1; // radio in the other band
    h.radios[3] = &radio;
    ASSERT_TRUE(h.link.writeToRadio());
    h.pump();
    EXPECT_EQ(h.settingsSaved.back(), (PortSettings{3, 2, 2}));
    EXPECT_EQ(h.succeeded, false);
    EXPECT_TRUE(radio.writes.empty());
    EXPECT_EQ(h.prompter.texts().back(), en(MessageKey::BandTypeWrong));
    const auto reads = h.sentStarting(link::kReadLetter);
    ASSERT_EQ(reads.size(), 1u);
    EXPECT_EQ(reads[0].bytes, link::readBlock(0x1D80, 16));
}

TEST_F(PortSearchTest, PortsThatCannotBeOpenedAreSkippedWithAllTheirVariants) {
    h.io.ports = {2, 1, 3};
    h.io.unopenable = {2};
    radio.only = PortSettings{3, 0, 1};
    h.radios[3] = &radio;
    h.radios[1] = nullptr;
    h.radios.erase(1);
    ASSERT_TRUE(h.link.readFromRadio());
    h.pump();
    EXPECT_EQ(h.succeeded, true);
    EXPECT_EQ(std::count_if(h.io.opens.begin(), h.io.opens.end(),
                            [](const PortSettings& s) { return s.port == 2; }),
              1);
}

TEST_F(PortSearchTest, RadioOfAnotherModelIsOnlyAFallback) {
    TestRadio other;
    other.modelCode = "7777";
    other.only = PortSettings{1, 1, 2};
    h.radios[1] = &other;
    h.ws.state.comPort = 3; // configured port silent
    const model::ConfigRecord before = h.ws.record;
    ASSERT_TRUE(h.link.readFromRadio());
    h.pump();

    // Every combination of both ports was tried, then the fallback taken.
    const std::vector<PortSettings> hs = handshakesOn(h);
    EXPECT_EQ(hs.back(), (PortSettings{1, 1, 2}));
    EXPECT_EQ(h.settingsSaved, std::vector<PortSettings>{(PortSettings{1, 1, 2})});
    EXPECT_EQ(h.ws.state.comPort, 1);
    EXPECT_EQ(h.ws.state.handshaking, 1);
    EXPECT_EQ(h.ws.state.stopBits, 2);
    EXPECT_EQ(h.succeeded, false);
    EXPECT_EQ(h.prompter.texts(), (std::vector<std::string>{en(MessageKey::ReadConfirm),
                                                            en(MessageKey::ModelTypeWrong)}));
    EXPECT_EQ(h.ws.record, before);
    EXPECT_TRUE(std::count_if(hs.begin(), hs.end(),
                              [](const PortSettings& s) { return s.port == 3; }) >= 24);
}

TEST_F(PortSearchTest, NothingAnsweringEndsAtTheConnectionPrompt) {
    h.prompter.script({Answer::Ok, Answer::Cancel});
    ASSERT_TRUE(h.link.writeToRadio());
    h.pump();
    EXPECT_EQ(h.succeeded, false);
    EXPECT_EQ(h.finishedKind, OperationKind::Write);
    EXPECT_EQ(h.prompter.texts().back(), en(MessageKey::CheckConnection));
    EXPECT_TRUE(h.settingsSaved.empty());
    EXPECT_EQ(h.ws.state.comPort, 1);
    EXPECT_EQ(handshakesOn(h).size(), 2u + 2 * 24u);
    EXPECT_FALSE(h.io.open);
}

TEST_F(PortSearchTest, NoListedPortEndsAtOnce) {
    h.io.ports = {};
    h.prompter.script({Answer::Ok, Answer::Cancel});
    ASSERT_TRUE(h.link.readFromRadio());
    h.pump();
    EXPECT_EQ(h.succeeded, false);
    EXPECT_EQ(handshakesOn(h).size(), 2u);
    EXPECT_EQ(h.prompter.texts().back(), en(MessageKey::CheckConnection));
}

TEST_F(PortSearchTest, RetryAfterAnExhaustedSearchUsesTheConfiguredPort) {
    // Nothing answers during the search; the radio is plugged in before the user says OK.
    // The search left the port open on its last trial (COM3, handshaking 3, 2 stop bits).
    radio.only = PortSettings{1, 0, 1};
    radio.fault = [this](int, const Bytes&, Bytes& a) {
        if (h.prompter.asked.size() < 2)
            a.clear();
    };
    h.radios[1] = &radio;
    h.prompter.script({Answer::Ok, Answer::Ok});
    ASSERT_TRUE(h.link.readFromRadio());
    h.pump();
    EXPECT_EQ(h.succeeded, true);
    EXPECT_TRUE(h.settingsSaved.empty());
    EXPECT_EQ(h.prompter.texts()[1], en(MessageKey::CheckConnection));
    EXPECT_EQ(h.sentStarting(link::kReadLetter).size(), 120u);
    EXPECT_EQ(h.sentStarting(link::kReadLetter)[0].on, (PortSettings{1, 0, 1}));
}

} // namespace
} // namespace zx::test
