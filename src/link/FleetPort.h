// One port of a fleet run: its engine, its unattended prompter and the round it goes for
// every radio (wait, identity, write, report, wait for removal). Every step starts from the
// port's timer, never from inside the engine's finish, so the port is always opened afresh
// from the event loop. Internal to the link library.
#pragma once

#include "link/Fleet.h"
#include "link/UnattendedPrompter.h"
#include "text/TextTable.h"

#include <array>
#include <cstdint>
#include <optional>

namespace zx::link {

class FleetPort : public LinkEvents {
public:
    // Pause between two looks for a radio (arrival, removal).
    static constexpr int kPollMs = 1000;

    FleetPort(Fleet& fleet, std::size_t index, int portNumber, std::string name, LinkIo& io,
              FleetTimer& timer);
    ~FleetPort() override;

    Link& engine() { return link_; }
    const FleetPortStatus& status() const { return status_; }

    void start();
    void onTimer();
    // Now: End when a session is open, then stopped.
    void stop();
    // After the radio in hand (at once when there is none).
    void retire();

    // LinkEvents
    void progressChanged(int percent) override;
    void phaseChanged(WritePhase phase) override;
    bool imageReceived(const RadioImage& image) override;
    void imageSent(const RadioImage& image) override;
    void finished(OperationKind kind, bool success) override;

private:
    // What the timer starts next.
    enum class Step {
        LookForRadio,   // presence: has a radio been connected?
        ReadIdentity,   // the identity record of the radio found
        Write,          // the document, framed by the write options
        LookForRemoval, // presence: is the radio still there?
        CheckSwap,      // identity: is it still the same radio?
    };
    using Identity = std::array<std::uint8_t, 0x100>; // the identity area 1F00-1FFF

    void schedule(Step step, int ms);
    void run(Step step);
    void setState(FleetPortState state);
    void changed();

    void lookedForRadio(bool answered);
    void newRadio(std::optional<Identity> identity);
    void identityRead(bool ok);
    void written(bool transferred);
    void lookedForRemoval(bool answered);
    void checkedSwap(bool ok);

    void report(FleetResult result, std::string reason, bool transferred);
    void afterRadio();
    void becomeStopped();
    Identity identityOfImage() const;
    // Why the radio in hand failed, from what its conversations said since it was found.
    std::string reasonSinceRadio() const;
    std::string say(const text::TextTable& table, const std::string& value = {}) const;

    Fleet& fleet_;
    const std::size_t index_;
    model::Workspace ws_;
    LinkIo& io_;
    FleetTimer& timer_;
    UnattendedPrompter prompter_;
    Link link_;
    FleetPortStatus status_;

    Step next_ = Step::LookForRadio;
    Step running_ = Step::LookForRadio; // the step whose command holds the engine
    bool stopping_ = false;
    bool retiring_ = false;

    // The radio in hand.
    bool hasRadio_ = false;
    FleetRecord radio_;
    std::chrono::steady_clock::time_point radioStart_;
    std::size_t shownAtRadio_ = 0;
    std::optional<Identity> identity_;
    // The identity of the radio last done on this port, to tell a swapped radio from it.
    std::optional<Identity> lastIdentity_;
};

} // namespace zx::link
