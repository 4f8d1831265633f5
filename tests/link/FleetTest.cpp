// Fleet runs against scripted radios on several fake ports sharing one manual clock: every
// radio written and logged with its identity, failing and refused radios on one port while
// the others go on, a radio swapped in at once, the count over several ports, stopping with
// End on every open port, and ports that never see the settings search.
#include "link/Fleet.h"

#include "LinkHarness.h"
#include "model/ChannelTable.h"
#include "text/Messages.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace zx::test {
namespace {

using link::FleetPortState;
using link::FleetRecord;
using link::FleetResult;

// A port of the bench: the fake adapter, the radio on its cable (none: unplugged) and the
// port's timer, all on the bench's clock.
struct BenchPort : FakeLinkIo, link::FleetTimer {
    long long* clock = nullptr;
    TestRadio* radio = nullptr;
    std::optional<long long> answerDue;
    std::optional<long long> timerDue;
    int listed = 0; // how often the port list was asked for (the settings search)

    void startAnswerTimer() override { answerDue = *clock + 300; }
    void stopAnswerTimer() override { answerDue.reset(); }
    std::vector<int> listPorts() override {
        ++listed;
        return ports;
    }
    void start(int ms) override { timerDue = *clock + ms; }
    void stop() override { timerDue.reset(); }

    // The commands of one kind the port sent, by their first byte.
    int sentOf(std::uint8_t letter) const {
        int n = 0;
        for (const SentCommand& s : sent)
            n += !s.bytes.empty() && s.bytes[0] == letter;
        return n;
    }
};

class Bench : public link::FleetListener, public link::FleetClock {
public:
    explicit Bench(int ports, link::FleetOptions options = {}) {
        ws.versions = {{"V310", "V310"}};
        ws.record = model::defaultRecord(ws.state, model::Today{2026, 3, 15, "2026-03-15"});
        EXPECT_TRUE(model::addChannel(ws, 0, 12, "28.512300"));
        options.document = "/fleet/a12.dat";
        for (int i = 0; i < ports; ++i) {
            auto port = std::make_unique<BenchPort>();
            port->clock = &clockMs;
            port->ports = {i + 1};
            bench.push_back(std::move(port));
        }
        fleet = std::make_unique<link::Fleet>(ws, options, *this, *this);
        for (int i = 0; i < ports; ++i)
            fleet->addPort(i + 1, "COM" + std::to_string(i + 1), *bench[i], *bench[i]);
    }

    // Plays the run until `done` holds or `limitMs` of bench time have passed: answers go
    // back 10 ms after their command, silences and the ports' timers fire when they fall due,
    // whichever comes first.
    bool runUntil(const std::function<bool()>& done, long long limitMs = 600000) {
        const long long end = clockMs + limitMs;
        while (!done() && clockMs < end) {
            std::optional<long long> due;
            std::size_t which = 0;
            bool isAnswerTimer = false;
            for (std::size_t i = 0; i < bench.size(); ++i) {
                for (const auto& [t, answerTimer] :
                     {std::pair{bench[i]->answerDue, true}, std::pair{bench[i]->timerDue, false}})
                    if (t && (!due || *t < *due)) {
                        due = *t;
                        which = i;
                        isAnswerTimer = answerTimer;
                    }
            }
            // The command answered next: the one sent first (ports run side by side).
            BenchPort* waiting = nullptr;
            std::size_t waitingIndex = 0;
            for (std::size_t i = 0; i < bench.size(); ++i)
                if (bench[i]->pending &&
                    (!waiting || bench[i]->sent.back().at < waiting->sent.back().at)) {
                    waiting = bench[i].get();
                    waitingIndex = i;
                }
            if (waiting) {
                const long long ready = std::max(clockMs, waiting->sent.back().at + 10);
                if (!due || ready <= *due) {
                    const Bytes command = *waiting->pending;
                    waiting->pending.reset();
                    if (!waiting->open || !waiting->radio)
                        continue;
                    const Bytes answer = waiting->radio->answer(command);
                    if (answer.empty())
                        continue; // silence: the answer timer will tell
                    clockMs = ready;
                    waiting->now = clockMs;
                    fleet->engine(waitingIndex).onAnswer(answer);
                    continue;
                }
            }
            if (!due)
                return done();
            clockMs = std::max(clockMs, *due);
            BenchPort& port = *bench[which];
            port.now = clockMs;
            if (isAnswerTimer) {
                port.answerDue.reset();
                fleet->engine(which).onTimeout();
            } else {
                port.timerDue.reset();
                fleet->onTimer(which);
            }
        }
        return done();
    }

    bool over() const { return finishedCalls > 0; }
    FleetPortState state(std::size_t port) const { return fleet->status(port).state; }

    // link::FleetListener
    void radioDone(const FleetRecord& record) override { records.push_back(record); }
    void message(std::size_t port, const std::string& text) override {
        messages.push_back({port, text});
    }
    void finished() override { ++finishedCalls; }
    // link::FleetClock
    std::chrono::system_clock::time_point now() const override {
        return std::chrono::system_clock::time_point(std::chrono::milliseconds(clockMs));
    }
    std::chrono::steady_clock::time_point elapsed() const override {
        return std::chrono::steady_clock::time_point(std::chrono::milliseconds(clockMs));
    }

    model::Workspace ws;
    long long clockMs = 0;
    std::vector<std::unique_ptr<BenchPort>> bench;
    std::unique_ptr<link::Fleet> fleet;
    std::vector<FleetRecord> records;
    std::vector<std::pair<std::size_t, std::string>> messages;
    int finishedCalls = 0;
};

// A radio of the document's band with its own serial number in its identity record.
std::unique_ptr<TestRadio> radioWithSerial(const std::string& serial) {
    auto radio = std::make_unique<TestRadio>();
    radio->memory[0x1D87] = 0;
    std::memcpy(&radio->memory[0x1F10], serial.data(), serial.size());
    return radio;
}

// The image the document makes, as the radio should hold it after a write.
link::RadioImage documentImage(const model::Workspace& ws) {
    link::RadioImage image;
    image.encode(ws.record, 0);
    return image;
}

void expectHoldsDocument(const TestRadio& radio, const model::Workspace& ws) {
    const link::RadioImage image = documentImage(ws);
    for (int a = 0x0010; a < 0x1D90; ++a)
        ASSERT_EQ(radio.memory[a], image.bytes[a]) << std::hex << a;
}

TEST(FleetTest, EveryPortWritesVerifiesAndReportsItsRadioWithItsIdentity) {
    link::FleetOptions options;
    options.count = 3;
    Bench b(3, options);
    std::vector<std::unique_ptr<TestRadio>> radios;
    for (int i = 0; i < 3; ++i) {
        radios.push_back(radioWithSerial("SN-00" + std::to_string(i + 1)));
        b.bench[i]->radio = radios[i].get();
    }
    b.fleet->start();
    ASSERT_TRUE(b.runUntil([&] { return b.over(); }));

    ASSERT_EQ(b.records.size(), 3u);
    std::set<std::string> serials;
    for (const FleetRecord& r : b.records) {
        EXPECT_EQ(r.result, FleetResult::Verified) << r.reason;
        EXPECT_TRUE(r.transferred);
        EXPECT_EQ(r.modelCode, "8900");
        EXPECT_EQ(r.band, "28.000000 - 29.700000 MHz");
        EXPECT_EQ(r.portName, "COM" + std::to_string(r.port + 1));
        EXPECT_EQ(r.serialNumber, "SN-00" + std::to_string(r.port + 1));
        EXPECT_GT(r.seconds, 5.0) << "a write and its read-back on the bench clock";
        serials.insert(r.serialNumber);
    }
    EXPECT_EQ(serials.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        expectHoldsDocument(*radios[i], b.ws);
        EXPECT_EQ(b.bench[i]->sentOf(link::kWriteLetter), 477);
        // Each port kept to its own port and line settings, and never searched.
        for (const PortSettings& opened : b.bench[i]->opens)
            EXPECT_EQ(opened, (PortSettings{i + 1, 0, 1}));
        EXPECT_EQ(b.bench[i]->listed, 0);
        EXPECT_EQ(b.state(i), FleetPortState::Stopped);
        // The identity record was read before the first block was written.
        const auto& sent = b.bench[i]->sent;
        const auto firstWrite = std::find_if(sent.begin(), sent.end(), [](const SentCommand& s) {
            return s.bytes[0] == link::kWriteLetter;
        });
        const auto identityRead = std::find_if(sent.begin(), sent.end(), [](const SentCommand& s) {
            return s.bytes[0] == link::kReadLetter && Harness::addressOf(s.bytes) == 0x1F00;
        });
        EXPECT_LT(identityRead - sent.begin(), firstWrite - sent.begin());
    }
    EXPECT_EQ(b.fleet->good(), 3);
    EXPECT_EQ(b.fleet->verified(), 3);
    EXPECT_EQ(b.finishedCalls, 1);
}

TEST(FleetTest, FailingAndRefusedRadiosAreReportedWhileTheOtherPortsComplete) {
    link::FleetOptions options;
    options.count = 4;
    Bench b(4, options);
    auto wrongByte = radioWithSerial("SN-WRONG");
    auto silent = radioWithSerial("SN-SILENT");
    auto otherModel = radioWithSerial("SN-MODEL");
    auto good = radioWithSerial("SN-GOOD");
    otherModel->modelCode = "7700";
    // A-12's fine byte is kept wrong although the block is acknowledged.
    constexpr int kA12Fine = 0x0010 + 18 * 11 + 3;
    TestRadio* w = wrongByte.get();
    wrongByte->fault = [w](int, const Bytes& c, Bytes&) {
        if (c.size() > 5 && c[0] == link::kWriteLetter && (c[1] << 8 | c[2]) == (kA12Fine & ~15))
            w->memory[kA12Fine] ^= 0x01;
    };
    TestRadio* s = silent.get();
    silent->fault = [s](int, const Bytes&, Bytes& answer) {
        if (s->writes.size() > 100)
            answer.clear(); // the cable pulled half way through the write
    };
    b.bench[0]->radio = wrongByte.get();
    b.bench[1]->radio = silent.get();
    b.bench[2]->radio = otherModel.get();
    b.bench[3]->radio = good.get();
    b.fleet->start();
    ASSERT_TRUE(b.runUntil([&] { return b.over(); }));

    ASSERT_EQ(b.records.size(), 4u);
    std::map<std::size_t, FleetRecord> byPort;
    for (const FleetRecord& r : b.records)
        byPort[r.port] = r;
    // Every one of them carries its serial number: the identity came first.
    EXPECT_EQ(byPort[0].serialNumber, "SN-WRONG");
    EXPECT_EQ(byPort[1].serialNumber, "SN-SILENT");
    EXPECT_EQ(byPort[2].serialNumber, "SN-MODEL");
    EXPECT_EQ(byPort[3].serialNumber, "SN-GOOD");

    EXPECT_EQ(byPort[0].result, FleetResult::Failed);
    EXPECT_TRUE(byPort[0].transferred);
    EXPECT_EQ(byPort[0].reason.rfind("Verify failed. Fields where the radio differs from what "
                                     "was sent: 1; 00D9 A-12 RX Frequency",
                                     0),
              0u)
        << byPort[0].reason;

    EXPECT_EQ(byPort[1].result, FleetResult::Failed);
    EXPECT_FALSE(byPort[1].transferred);
    EXPECT_EQ(byPort[1].reason.rfind("Write stopped after 100 of 477 blocks", 0), 0u)
        << byPort[1].reason;

    EXPECT_EQ(byPort[2].result, FleetResult::Refused);
    EXPECT_EQ(byPort[2].reason, "Model type is wrong.");
    EXPECT_EQ(byPort[2].modelCode, "7700");
    EXPECT_EQ(b.bench[2]->sentOf(link::kWriteLetter), 0) << "nothing written to it";

    EXPECT_EQ(byPort[3].result, FleetResult::Verified);
    expectHoldsDocument(*good, b.ws);
    EXPECT_EQ(b.fleet->good(), 1);
    EXPECT_EQ(b.fleet->failed(), 3);
    EXPECT_EQ(b.fleet->written(), 2);
    // Its silence was met with the connection prompt (answered Cancel), not with a search.
    EXPECT_EQ(b.bench[1]->listed, 0);
    for (const PortSettings& opened : b.bench[1]->opens)
        EXPECT_EQ(opened.port, 2);
}

TEST(FleetTest, ARadioIsAwaitedOutAndASwappedOneIsNoticedByItsIdentity) {
    Bench b(1);
    auto first = radioWithSerial("SN-A");
    auto second = radioWithSerial("SN-B");
    b.bench[0]->radio = first.get();
    b.fleet->start();
    ASSERT_TRUE(b.runUntil([&] { return b.records.size() == 1; }));
    EXPECT_EQ(b.records[0].serialNumber, "SN-A");

    // Left on the cable: it is not written again, the port asks for it to be removed.
    const long long later = b.clockMs + 20000;
    ASSERT_TRUE(b.runUntil([&] { return b.clockMs > later && !b.fleet->engine(0).busy(); }));
    EXPECT_EQ(b.records.size(), 1u);
    EXPECT_EQ(b.state(0), FleetPortState::RemoveRadio);
    EXPECT_EQ(first->writes.size(), 477u);

    // Swapped between two looks, never silent: its identity tells it from the first one.
    b.bench[0]->radio = second.get();
    ASSERT_TRUE(b.runUntil([&] { return b.records.size() == 2; }, 60000));
    EXPECT_EQ(b.records[1].serialNumber, "SN-B");
    EXPECT_EQ(b.records[1].result, FleetResult::Verified);
    EXPECT_EQ(b.records[1].number, 2);
    expectHoldsDocument(*second, b.ws);

    // Taken off, and the first one put back: a new radio as far as the port can tell.
    b.bench[0]->radio = nullptr;
    ASSERT_TRUE(b.runUntil([&] { return b.state(0) == FleetPortState::WaitingForRadio; }, 20000));
    first->writes.clear();
    b.bench[0]->radio = first.get();
    ASSERT_TRUE(b.runUntil([&] { return b.records.size() == 3; }, 60000));
    EXPECT_EQ(b.records[2].serialNumber, "SN-A");
    EXPECT_EQ(first->writes.size(), 477u);

    b.fleet->stop();
    ASSERT_TRUE(b.runUntil([&] { return b.over(); }, 5000));
    EXPECT_EQ(b.records.size(), 3u) << "no radio was in hand when stopped";
}

TEST(FleetTest, ARadioThatNeverGivesItsIdentityIsLoggedOnceAndWithNothingOfTheRadioBefore) {
    Bench b(1);
    auto first = radioWithSerial("SN-A");
    b.bench[0]->radio = first.get();
    b.fleet->start();
    ASSERT_TRUE(b.runUntil([&] { return b.records.size() == 1; }));
    // Taken off; the next one answers the hand-shake and nothing else.
    b.bench[0]->radio = nullptr;
    ASSERT_TRUE(b.runUntil([&] { return b.state(0) == FleetPortState::WaitingForRadio; }, 20000));
    auto mute = radioWithSerial("SN-MUTE");
    mute->fault = [](int, const Bytes& command, Bytes& answer) {
        if (command != link::handshake() && command != link::end())
            answer.clear();
    };
    b.bench[0]->radio = mute.get();
    ASSERT_TRUE(b.runUntil([&] { return b.records.size() == 2; }, 20000));
    const FleetRecord& r = b.records[1];
    EXPECT_EQ(r.result, FleetResult::Failed);
    EXPECT_EQ(r.reason, "identity not read: no answer");
    EXPECT_TRUE(r.serialNumber.empty());
    EXPECT_TRUE(r.modelCode.empty()) << "not the model of the radio before it";
    EXPECT_TRUE(r.band.empty());
    EXPECT_TRUE(mute->writes.empty());
    // Still on the cable: asked to be removed, not logged again at every look.
    const long long later = b.clockMs + 30000;
    ASSERT_TRUE(b.runUntil([&] { return b.clockMs > later; }));
    EXPECT_EQ(b.records.size(), 2u);
    EXPECT_EQ(b.state(0), FleetPortState::RemoveRadio);

    // One that gives its identity record but then falls silent at the write's identify: its
    // serial number is known, its model and band are not (and not the first radio's either).
    b.bench[0]->radio = nullptr;
    ASSERT_TRUE(b.runUntil([&] { return b.state(0) == FleetPortState::WaitingForRadio; }, 20000));
    auto halfMute = radioWithSerial("SN-HALF");
    int identifies = 0;
    halfMute->fault = [&identifies](int, const Bytes& command, Bytes& answer) {
        if (command == link::identify() && ++identifies > 1)
            answer.clear();
    };
    b.bench[0]->radio = halfMute.get();
    ASSERT_TRUE(b.runUntil([&] { return b.records.size() == 3; }, 20000));
    EXPECT_EQ(b.records[2].serialNumber, "SN-HALF");
    EXPECT_EQ(b.records[2].result, FleetResult::Failed);
    EXPECT_EQ(b.records[2].reason, "no answer");
    EXPECT_TRUE(b.records[2].modelCode.empty()) << b.records[2].modelCode;
    EXPECT_TRUE(b.records[2].band.empty()) << b.records[2].band;
}

TEST(FleetTest, TheCountCoversEveryPortAndAPortThatCannotOpenKeepsWaiting) {
    link::FleetOptions options;
    options.count = 2;
    Bench b(3, options);
    auto one = radioWithSerial("SN-1");
    auto two = radioWithSerial("SN-2");
    auto three = radioWithSerial("SN-3");
    b.bench[0]->radio = one.get();
    // The third cable is not plugged in yet: its port cannot be opened.
    b.bench[2]->unopenable = {3};
    b.bench[2]->openReason = "/dev/ttyUSB2 does not exist.";
    b.fleet->start();
    ASSERT_TRUE(b.runUntil([&] { return b.records.size() == 1; }));
    EXPECT_GE(b.bench[2]->opens.size(), 3u) << "looked for again about once a second";
    EXPECT_EQ(b.fleet->status(2).state, FleetPortState::WaitingForRadio);
    EXPECT_EQ(b.fleet->status(2).problem, "/dev/ttyUSB2 does not exist.");
    for (const auto& [port, text] : b.messages)
        EXPECT_NE(port, 2u) << "a port that is not there yet says so in its row only: " << text;

    // Plugged in, with a radio: it is written, and with two radios begun the count is reached,
    // so the second port, still waiting, stops without its radio.
    b.bench[2]->unopenable.clear();
    b.bench[2]->radio = three.get();
    ASSERT_TRUE(b.runUntil([&] { return b.records.size() == 2; }));
    EXPECT_TRUE(b.fleet->status(2).problem.empty());
    b.bench[1]->radio = two.get();
    ASSERT_TRUE(b.runUntil([&] { return b.over(); }));
    EXPECT_EQ(b.records.size(), 2u);
    EXPECT_EQ(b.records[1].serialNumber, "SN-3");
    EXPECT_EQ(two->received, 0) << "the count was reached before its radio came";
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(b.state(i), FleetPortState::Stopped);
}

TEST(FleetTest, StoppingSendsEndOnEveryOpenPortAndReportsTheRadiosLeftHalfWritten) {
    Bench b(3);
    auto one = radioWithSerial("SN-1");
    auto two = radioWithSerial("SN-2");
    b.bench[0]->radio = one.get();
    b.bench[1]->radio = two.get(); // the third port has no radio: it is waiting
    b.fleet->start();
    ASSERT_TRUE(b.runUntil([&] { return one->writes.size() > 40 && two->writes.size() > 40; }));
    EXPECT_EQ(b.state(0), FleetPortState::Writing);
    EXPECT_GT(b.fleet->status(0).percent, 5);

    b.fleet->stop();
    ASSERT_TRUE(b.runUntil([&] { return b.over(); }, 5000));
    for (int i : {0, 1}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(b.bench[i]->sent.back().bytes, link::end());
        EXPECT_FALSE(b.bench[i]->open);
        EXPECT_EQ(b.state(i), FleetPortState::Stopped);
    }
    ASSERT_EQ(b.records.size(), 2u);
    for (const FleetRecord& r : b.records) {
        EXPECT_EQ(r.result, FleetResult::Stopped);
        EXPECT_NE(r.reason.find("the radio holds a partly written configuration"),
                  std::string::npos)
            << r.reason;
    }
    EXPECT_FALSE(b.bench[2]->open);
    EXPECT_EQ(b.finishedCalls, 1);
}

TEST(FleetTest, WithRetryEachSilentRadioGetsItsRetriesAndThenFails) {
    link::FleetOptions options;
    options.retry = true;
    options.retries = 2;
    options.count = 2;
    Bench b(1, options);
    // Both go silent after ten blocks, as a loose cable does.
    const auto silentAfterTen = [](TestRadio* r) {
        return [r](int, const Bytes&, Bytes& answer) {
            if (r->writes.size() >= 10)
                answer.clear();
        };
    };
    auto first = radioWithSerial("SN-1");
    auto second = radioWithSerial("SN-2");
    first->fault = silentAfterTen(first.get());
    second->fault = silentAfterTen(second.get());
    const auto prompts = [&b] {
        int n = 0;
        for (const auto& [port, text] : b.messages)
            n += text == text::message(text::MessageKey::CheckConnection, text::English);
        return n;
    };
    b.bench[0]->radio = first.get();
    b.fleet->start();
    ASSERT_TRUE(b.runUntil([&] { return b.records.size() == 1; }));
    EXPECT_EQ(b.records[0].result, FleetResult::Failed);
    EXPECT_EQ(prompts(), 3) << "two retries, then Cancel";

    // Silent, so taken for removed; the next radio gets its own two retries.
    ASSERT_TRUE(b.runUntil([&] { return b.state(0) == FleetPortState::WaitingForRadio; }, 20000));
    b.bench[0]->radio = second.get();
    ASSERT_TRUE(b.runUntil([&] { return b.over(); }));
    ASSERT_EQ(b.records.size(), 2u);
    EXPECT_EQ(b.records[1].serialNumber, "SN-2");
    EXPECT_EQ(prompts(), 6);
    EXPECT_EQ(b.bench[0]->listed, 0);
}

} // namespace
} // namespace zx::test
