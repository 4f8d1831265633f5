// Test bench for the link engine: a fake port with a manual clock, a scripted radio that
// answers the programming commands from its own memory, and a recorder of the engine's
// events. pump() plays the conversation to its end: every command gets the radio's answer,
// and a command left unanswered lets 300 ms pass on the clock so the answer timer fires.
#pragma once

#include "link/Command.h"
#include "link/Link.h"
#include "link/RadioImage.h"
#include "model/Defaults.h"
#include "support/ScriptedPrompter.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace zx::test {

using link::Bytes;
using link::PortSettings;

struct SentCommand {
    PortSettings on;
    Bytes bytes;
    int answerLength = 0;
    long long at = 0; // ms on the manual clock
};

class FakeLinkIo : public link::LinkIo {
public:
    std::vector<int> ports{1};
    std::set<int> unopenable;
    std::string openReason; // what openFailureReason says

    bool open = false;
    PortSettings current;
    std::vector<PortSettings> opens; // every open asked for, in order
    std::vector<SentCommand> sent;
    std::optional<Bytes> pending; // sent and not yet answered
    bool timerArmed = false;
    long long now = 0;

    bool openPort(const PortSettings& settings) override {
        opens.push_back(settings);
        open = false;
        if (unopenable.count(settings.port) != 0)
            return false;
        open = true;
        current = settings;
        return true;
    }
    std::string openFailureReason(int) const override { return openReason; }
    void closePort() override { open = false; }
    bool isPortOpen() const override { return open; }
    void send(std::span<const std::uint8_t> command, int answerLength) override {
        sent.push_back({current, Bytes(command.begin(), command.end()), answerLength, now});
        pending = Bytes(command.begin(), command.end());
    }
    void startAnswerTimer() override { timerArmed = true; }
    void stopAnswerTimer() override { timerArmed = false; }
    std::vector<int> listPorts() override { return ports; }
};

// The radio's side of the protocol, enough to play whole conversations.
class TestRadio {
public:
    TestRadio() { memory.fill(0xFF); }

    std::array<std::uint8_t, link::RadioImage::kSize> memory;
    std::string modelCode = "8900";
    std::string dataVersion = "V310";
    // Answers only at these settings when set (any settings on its port otherwise).
    std::optional<PortSettings> only;
    // Called with the command's index (0-based count of commands this radio received) and
    // its bytes; may change the answer or empty it (silence).
    std::function<void(int index, const Bytes& command, Bytes& answer)> fault;
    int received = 0;
    std::vector<Bytes> writes; // write-block commands received

    Bytes identityAnswer() const {
        Bytes a{link::kIdentityLetter};
        for (int i = 0; i < 4; ++i)
            a.push_back(static_cast<std::uint8_t>(i < int(modelCode.size()) ? modelCode[i] : ' '));
        a.push_back(memory[0x1D87] < 2 ? memory[0x1D87] : 0);
        a.push_back(0xF8);
        a.push_back(0xFF);
        for (int i = 0; i < 4; ++i)
            a.push_back(
                static_cast<std::uint8_t>(i < int(dataVersion.size()) ? dataVersion[i] : ' '));
        a.push_back(0xFF);
        a.push_back(0xFF);
        return a;
    }

    Bytes answer(const Bytes& c) {
        Bytes a;
        if (c == link::handshake() || c == link::acknowledge() || c == link::end()) {
            a = link::acknowledge();
        } else if (c == link::identify()) {
            a = identityAnswer();
        } else if (c.size() == 4 && c[0] == link::kReadLetter) {
            const int address = c[1] << 8 | c[2];
            a = link::blockAnswer(address,
                                  std::span<const std::uint8_t>(memory).subspan(address, c[3]));
        } else if (c.size() > 5 && c[0] == link::kWriteLetter) {
            const int address = c[1] << 8 | c[2];
            std::copy(c.begin() + 4, c.end() - 1, memory.begin() + address);
            writes.push_back(c);
            a = link::acknowledge();
        }
        if (fault)
            fault(received, c, a);
        ++received;
        return a;
    }
};

// A scripted prompter that also notes whether the port was open at each message.
class PortWatchingPrompter : public ScriptedPrompter {
public:
    explicit PortWatchingPrompter(const FakeLinkIo& io) : io_(io) {}
    std::vector<bool> portOpen;
    text::Answer ask(std::string_view t, text::Buttons b, text::Icon i) override {
        portOpen.push_back(io_.open);
        return ScriptedPrompter::ask(t, b, i);
    }

private:
    const FakeLinkIo& io_;
};

class Harness : public link::LinkEvents {
public:
    Harness() {
        ws.versions = {{"V310", "V310"}};
        model::Today today{2024, 5, 6, "2024-05-06"};
        ws.record = model::defaultRecord(ws.state, today);
        ws.fileBuffer = ws.record;
    }

    model::Workspace ws;
    FakeLinkIo io;
    PortWatchingPrompter prompter{io};
    link::Link link{ws, io, *this, prompter};
    std::map<int, TestRadio*> radios; // by port number

    // Event log.
    std::vector<std::string> events;
    std::vector<int> percents;
    std::vector<PortSettings> settingsSaved;
    std::vector<std::string> otherVersions;
    std::optional<bool> succeeded;
    link::OperationKind finishedKind = link::OperationKind::None;
    bool bandAdoptedCorrected = false;
    std::vector<link::WritePhase> phases;
    std::vector<link::RadioImage> received; // imageReceived, in order
    std::vector<link::RadioImage> sentImages;

    // Plays the conversation until it finishes (or nothing more happens).
    void pump(int limit = 200000) {
        while (link.busy() && limit-- > 0) {
            if (io.pending) {
                const Bytes command = *io.pending;
                io.pending.reset();
                if (TestRadio* r = radioOnLine()) {
                    const Bytes a = r->answer(command);
                    if (!a.empty()) {
                        io.now += 10;
                        link.onAnswer(a);
                        continue;
                    }
                }
            }
            if (!io.timerArmed)
                break; // stuck: the test will see the conversation still busy
            io.now += 300;
            io.timerArmed = false;
            link.onTimeout();
        }
    }

    TestRadio* radioOnLine() {
        if (!io.open)
            return nullptr;
        auto it = radios.find(io.current.port);
        if (it == radios.end())
            return nullptr;
        if (it->second->only && *it->second->only != io.current)
            return nullptr;
        return it->second;
    }

    // Commands sent whose bytes start with the letter.
    std::vector<SentCommand> sentStarting(std::uint8_t letter) const {
        std::vector<SentCommand> out;
        for (const SentCommand& s : io.sent)
            if (!s.bytes.empty() && s.bytes[0] == letter)
                out.push_back(s);
        return out;
    }
    static int addressOf(const Bytes& command) { return command[1] << 8 | command[2]; }

    void progressShown(link::OperationKind) override { events.push_back("progressShown"); }
    void progressChanged(int percent) override { percents.push_back(percent); }
    void progressHidden() override { events.push_back("progressHidden"); }
    void searchStarted() override { events.push_back("searchStarted"); }
    void searchEnded() override { events.push_back("searchEnded"); }
    void settingsFound(const PortSettings& s) override { settingsSaved.push_back(s); }
    void startOtherVersion(const std::string& v) override { otherVersions.push_back(v); }
    void readDecoding() override { events.push_back("readDecoding"); }
    void readDecoded() override { events.push_back("readDecoded"); }
    void identityDecoded() override { events.push_back("identityDecoded"); }
    void bandAdopted(bool corrected) override {
        events.push_back("bandAdopted");
        bandAdoptedCorrected = corrected;
    }
    void phaseChanged(link::WritePhase phase) override { phases.push_back(phase); }
    bool keepsImages = true;
    bool imageReceived(const link::RadioImage& image) override {
        received.push_back(image);
        return keepsImages;
    }
    void imageSent(const link::RadioImage& image) override { sentImages.push_back(image); }
    void finished(link::OperationKind kind, bool success) override {
        finishedKind = kind;
        succeeded = success;
    }
};

} // namespace zx::test
