// Every row of the answer time-out table: which silence is tolerated, which goes on as if
// acknowledged, which asks the user, and which starts the search for port settings. Also
// the answers that are dropped and so end up as silence.
#include "LinkHarness.h"
#include "text/Messages.h"

#include <gtest/gtest.h>

namespace zx::test {
namespace {

using link::OperationKind;
using text::Answer;
using text::Buttons;
using text::MessageKey;

std::string en(MessageKey key) {
    return std::string(text::message(key, text::English));
}

// Silences the `nth` (1-based) command equal to `command`, `times` times in a row.
std::function<void(int, const Bytes&, Bytes&)> silence(Bytes command, int nth, int times = 1) {
    auto seen = std::make_shared<int>(0);
    return [=](int, const Bytes& c, Bytes& a) {
        if (c == command) {
            ++*seen;
            if (*seen >= nth && *seen < nth + times)
                a.clear();
        }
    };
}

class TimeoutTest : public ::testing::Test {
protected:
    TimeoutTest() { h.radios[1] = &radio; }
    int count(const Bytes& command) const {
        return static_cast<int>(
            std::count_if(h.io.sent.begin(), h.io.sent.end(),
                          [&](const SentCommand& s) { return s.bytes == command; }));
    }
    bool searched() const {
        return std::find(h.events.begin(), h.events.end(), "searchStarted") != h.events.end();
    }
    Harness h;
    TestRadio radio;
};

TEST_F(TimeoutTest, OneSilenceAfterHandshakeOrIdentifyIsToleratedInReadAndWrite) {
    for (const Bytes& command : {link::handshake(), link::identify()}) {
        for (bool write : {false, true}) {
            Harness h2;
            TestRadio r;
            h2.radios[1] = &r;
            r.fault = silence(command, 1);
            h2.link.setWriteOptions({.backupFirst = false, .verify = false});
            ASSERT_TRUE(write ? h2.link.writeToRadio() : h2.link.readFromRadio());
            h2.pump();
            EXPECT_EQ(h2.succeeded, true) << (write ? "write" : "read");
            EXPECT_TRUE(std::find(h2.events.begin(), h2.events.end(), "searchStarted") ==
                        h2.events.end());
            // The silent command was sent again 300 ms later.
            std::vector<long long> at;
            for (const SentCommand& s : h2.io.sent)
                if (s.bytes == command)
                    at.push_back(s.at);
            ASSERT_EQ(at.size(), 2u);
            EXPECT_EQ(at[1] - at[0], 300);
        }
    }
}

TEST_F(TimeoutTest, SecondSilenceAfterHandshakeOrIdentifyStartsTheSearch) {
    for (const Bytes& command : {link::handshake(), link::identify()}) {
        Harness h2;
        TestRadio r;
        h2.radios[1] = &r;
        r.fault = silence(command, 1, 2);
        ASSERT_TRUE(h2.link.readFromRadio());
        h2.pump();
        ASSERT_FALSE(h2.events.empty());
        EXPECT_EQ(h2.events[1], "searchStarted");
        // The only port answers at its first combination: found, and the read completes.
        EXPECT_EQ(h2.succeeded, true);
        ASSERT_EQ(h2.settingsSaved.size(), 1u);
        EXPECT_EQ(h2.settingsSaved[0], (PortSettings{1, 0, 1}));
    }
}

TEST_F(TimeoutTest, LostAcknowledgesDoNotStopATransfer) {
    // Read: the ack after the identity (step 3) and after the first block (step 5).
    radio.fault = silence(link::acknowledge(), 1, 2);
    ASSERT_TRUE(h.link.readFromRadio());
    h.pump();
    EXPECT_EQ(h.succeeded, true);
    EXPECT_EQ(h.sentStarting(link::kReadLetter).size(), 120u);
    EXPECT_EQ(h.prompter.texts().size(), 2u); // confirm and completed only

    // Write: the ack at step 3 (second ack of the write: after the band read).
    Harness w;
    TestRadio wr;
    w.radios[1] = &wr;
    wr.fault = silence(link::acknowledge(), 2);
    ASSERT_TRUE(w.link.writeToRadio());
    w.pump();
    EXPECT_EQ(w.succeeded, true);
    EXPECT_EQ(wr.writes.size(), 477u);
}

TEST_F(TimeoutTest, WriteSilencesAtAckAndBandReadAskForTheConnection) {
    struct Row {
        Bytes command;
        int nth;
    };
    for (const Row& row : {Row{link::acknowledge(), 1}, Row{link::readBlock(0x1D80, 16), 1}}) {
        Harness w;
        TestRadio wr;
        w.radios[1] = &wr;
        wr.fault = silence(row.command, row.nth);
        w.prompter.script({Answer::Ok, Answer::Cancel});
        ASSERT_TRUE(w.link.writeToRadio());
        w.pump();
        EXPECT_EQ(w.succeeded, false);
        EXPECT_TRUE(wr.writes.empty());
        ASSERT_EQ(w.prompter.asked.size(), 2u);
        EXPECT_EQ(w.prompter.asked[1].text, en(MessageKey::CheckConnection));
        EXPECT_EQ(w.prompter.asked[1].buttons, Buttons::OkCancel);
    }
}

TEST_F(TimeoutTest, IdentityReadGoesOnWithoutTheHandshakeAcknowledge) {
    radio.fault = silence(link::handshake(), 1, 100);
    ASSERT_TRUE(h.link.readIdentity());
    h.pump();
    EXPECT_EQ(h.succeeded, true);
    EXPECT_EQ(count(link::handshake()), 1);
    EXPECT_FALSE(searched());
}

TEST_F(TimeoutTest, IdentityReadAndBandCheckOfferRetryAtEveryLaterStep) {
    struct Row {
        bool bandCheck;
        Bytes command;
        int nth;
    };
    const Row rows[] = {
        {false, link::identify(), 1},
        {false, link::acknowledge(), 1}, // 2, 3
        {false, link::readBlock(0x1F00, 16), 1},
        {false, link::acknowledge(), 2}, // 4, 5
        {true, link::handshake(), 1},
        {true, link::identify(), 1},
        {true, link::acknowledge(), 1},
        {true, link::readBlock(0x1D80, 64), 1},
        {true, link::acknowledge(), 2},
    };
    for (const Row& row : rows) {
        Harness c;
        TestRadio cr;
        c.radios[1] = &cr;
        cr.fault = silence(row.command, row.nth);
        c.prompter.script({Answer::Retry});
        ASSERT_TRUE(row.bandCheck ? c.link.checkRadioBand() : c.link.readIdentity());
        c.pump();
        EXPECT_EQ(c.succeeded, true);
        ASSERT_EQ(c.prompter.asked.size(), 1u);
        EXPECT_EQ(c.prompter.asked[0].text, en(MessageKey::CheckConnection));
        EXPECT_EQ(c.prompter.asked[0].buttons, Buttons::RetryCancel);
        EXPECT_TRUE(std::find(c.events.begin(), c.events.end(), "searchStarted") == c.events.end());
    }
}

TEST_F(TimeoutTest, CancelledRetryFinishesWithFailure) {
    radio.fault = silence(link::identify(), 1);
    h.prompter.script({Answer::Cancel});
    ASSERT_TRUE(h.link.checkRadioBand());
    h.pump();
    EXPECT_EQ(h.succeeded, false);
    EXPECT_FALSE(h.io.open);
    EXPECT_EQ(h.link.kind(), OperationKind::None);
}

TEST_F(TimeoutTest, SilenceAfterEndFinishes) {
    // After a completed transfer the End needs no answer.
    radio.fault = silence(link::end(), 1);
    ASSERT_TRUE(h.link.readIdentity());
    h.pump();
    EXPECT_EQ(h.succeeded, true);

    // After a refused check it ends in failure either way.
    Harness r;
    TestRadio rr;
    r.radios[1] = &rr;
    rr.modelCode = "1234";
    rr.fault = silence(link::end(), 1);
    ASSERT_TRUE(r.link.readFromRadio());
    r.pump();
    EXPECT_EQ(r.succeeded, false);
    EXPECT_EQ(r.prompter.texts().back(), en(MessageKey::ModelTypeWrong));
}

// Answers that are not what was asked for are dropped; the silence then takes its course.
TEST_F(TimeoutTest, DroppedBlockAnswersLeadToTheConnectionPrompt) {
    using Tamper = std::function<void(Bytes&)>;
    const std::pair<const char*, Tamper> cases[] = {
        {"short", [](Bytes& a) { a.pop_back(); }},
        {"surplus", [](Bytes& a) { a.push_back(0x00); }},
        {"address",
         [](Bytes& a) {
             a[2] ^= 0x40;
             a.back() = link::checksum(std::span<const std::uint8_t>(a).subspan(1, a.size() - 2));
         }},
        {"checksum", [](Bytes& a) { a.back() ^= 0xFF; }},
        {"acknowledge", [](Bytes& a) { a = link::acknowledge(); }},
        {"identity", [](Bytes& a) { a.assign(14, 'P'); }},
    };
    for (const auto& [name, tamper] : cases) {
        Harness c;
        TestRadio cr;
        c.radios[1] = &cr;
        int reads = 0;
        cr.fault = [&, t = tamper](int, const Bytes& cmd, Bytes& a) {
            if (cmd[0] == link::kReadLetter && ++reads == 3)
                t(a);
        };
        const model::ConfigRecord before = c.ws.record;
        c.prompter.script({Answer::Ok, Answer::Cancel});
        ASSERT_TRUE(c.link.readFromRadio());
        c.pump();
        EXPECT_EQ(c.succeeded, false) << name;
        EXPECT_EQ(c.prompter.texts().back(), en(MessageKey::CheckConnection)) << name;
        EXPECT_EQ(c.ws.record, before) << name;
        // The block was not stored: the image still holds FF at the third block.
        EXPECT_EQ(c.link.image().bytes[0x80], 0xFF) << name;
    }
}

TEST_F(TimeoutTest, AWrongAcknowledgeIsDroppedAndTheHandshakeRepeated) {
    radio.fault = [n = 0](int, const Bytes& c, Bytes& a) mutable {
        if (c == link::handshake() && n++ == 0)
            a = {0x15};
    };
    ASSERT_TRUE(h.link.readFromRadio());
    h.pump();
    EXPECT_EQ(h.succeeded, true);
    EXPECT_EQ(count(link::handshake()), 2);
}

TEST_F(TimeoutTest, EventsArrivingWhileAQuestionIsOpenAreIgnored) {
    struct Reentrant : ScriptedPrompter {
        link::Link* link = nullptr;
        text::Answer ask(std::string_view t, text::Buttons b, text::Icon i) override {
            if (link && link->busy()) {
                link->onAnswer(link::acknowledge());
                link->onTimeout();
            }
            return ScriptedPrompter::ask(t, b, i);
        }
    };
    model::Workspace ws;
    ws.versions = {{"V310", "V310"}};
    FakeLinkIo io;
    Reentrant prompter;
    link::LinkEvents events;
    link::Link link(ws, io, events, prompter);
    prompter.link = &link;
    prompter.script({Answer::Cancel});
    ASSERT_TRUE(link.checkRadioBand());
    link.onTimeout(); // hand-shake silent: Retry/Cancel asked; its events are ignored
    EXPECT_EQ(link.kind(), OperationKind::None);
    EXPECT_EQ(io.sent.size(), 1u);
}

} // namespace
} // namespace zx::test
