// A fleet run: one document written into radio after radio, on several programming cables
// at once. Each port has its own link engine and goes round on its own: wait for a radio
// (a presence hand-shake about once a second), read its identity record, write it (with the
// backup read and the verification the options ask for), report it, then wait until it is
// taken off the cable or another radio (another identity) is found there, and start again.
// Nothing a port meets holds up another: questions take the answer that changes nothing,
// a radio of another model or band is refused, a failing one is marked failed, and each of
// them is reported; the search for port settings never runs (it would send to every port).
//
// Like the engine, the fleet holds no I/O: every port brings its serial adapter (LinkIo) and
// a single-shot timer; the program drives the engines' answers and time-outs and each
// port's timer, all on one event loop. The desktop window and the command-line tool run the
// same fleet, so they report the same radios the same way.
#pragma once

#include "link/Link.h"
#include "model/Workspace.h"

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zx::link {

class FleetPort;

// A port's single-shot timer: when it fires, the program calls Fleet::onTimer for the port.
class FleetTimer {
public:
    virtual ~FleetTimer() = default;
    virtual void start(int ms) = 0; // (re)arms it
    virtual void stop() = 0;
};

// Where the fleet takes its times from.
class FleetClock {
public:
    virtual ~FleetClock() = default;
    virtual std::chrono::system_clock::time_point now() const = 0; // the time a radio is logged at
    virtual std::chrono::steady_clock::time_point elapsed() const = 0; // for its seconds
};

struct FleetOptions {
    WriteOptions write;
    int count = 0;        // radios to write in all, over every port; 0 = until stopped
    bool retry = false;   // the connection prompt is answered Retry (else Cancel)
    int retries = 3;      // that many times for each radio
    std::string document; // the file written, for the log
};

// What became of one radio.
enum class FleetResult {
    Verified, // written, and the read-back holds what was sent
    Written,  // written, not verified (verification off)
    Refused,  // the identity check refused it (model, data version or band): nothing written
    Failed,   // it did not answer, the write stopped, or the read-back differs
    Stopped,  // the run was stopped while it was being written
};

struct FleetRecord {
    int number = 0; // its place in the run, 1 for the first radio found on any port
    std::size_t port = 0;
    std::string portName;
    std::chrono::system_clock::time_point time; // when it was found
    double seconds = 0;                         // from then until it was done
    // The bytes of its identity record's serial number (no NUL, no trailing blanks); empty
    // when the identity record was not read.
    std::string serialNumber;
    std::string modelCode; // from its identity answer; empty when the write did not get it
    std::string band;      // its band text; empty when the write did not read it
    FleetResult result = FleetResult::Failed;
    std::string reason;       // why it failed, was refused or stopped (UTF-8, UI language)
    bool transferred = false; // every block was written (also when the read-back failed)
    bool good() const { return result == FleetResult::Verified || result == FleetResult::Written; }
};

enum class FleetPortState {
    Idle,            // before the run starts
    WaitingForRadio, // polling for a radio
    Identifying,     // reading the identity record of the radio found
    BackingUp,       // the write's phases
    Writing,
    Verifying,
    RemoveRadio, // a radio is done (see `last`) and has to be taken off
    Stopping,    // End sent, waiting for its answer
    Stopped,
};

struct FleetPortStatus {
    std::string name;
    FleetPortState state = FleetPortState::Idle;
    int percent = 0;     // of the phase being written, read back or backed up
    std::string problem; // while waiting: why the port cannot be opened now; else empty
    // The radio on the port now, or the last one (while it is to be removed).
    std::optional<FleetRecord> last;
    int radios = 0; // radios done on this port
};

class FleetListener {
public:
    virtual ~FleetListener() = default;
    // A port's status changed (state, percentage, problem).
    virtual void portChanged(std::size_t /*port*/) {}
    // A radio is done, well or not. Called before the port moves on.
    virtual void radioDone(const FleetRecord& /*record*/) {}
    // A message of a port's conversation (what a message box would have shown).
    virtual void message(std::size_t /*port*/, const std::string& /*text*/) {}
    // What a backup-first read received, as a read would decode it over `document`; false
    // when it could not be kept (that radio is then not written).
    virtual bool imageReceived(std::size_t /*port*/, const RadioImage& /*image*/,
                               const model::Workspace& /*document*/) {
        return true;
    }
    // What a write sent.
    virtual void imageSent(std::size_t /*port*/, const RadioImage& /*image*/,
                           const model::ConfigRecord& /*record*/) {}
    // Every port has stopped: the run is over.
    virtual void finished() {}
};

class Fleet {
public:
    // `document` is the workspace whose record is written (its state gives the band, the
    // model code, the language and the line settings); every port works on its own copy.
    Fleet(const model::Workspace& document, FleetOptions options, FleetClock& clock,
          FleetListener& listener);
    ~Fleet();
    Fleet(const Fleet&) = delete;
    Fleet& operator=(const Fleet&) = delete;

    // Before start(): a port, by its number (the engine opens it as comPort) and the name
    // its reports carry. The adapter and the timer must outlive the fleet.
    std::size_t addPort(int portNumber, std::string name, LinkIo& io, FleetTimer& timer);
    std::size_t portCount() const;
    // The port's engine: the adapter hands it the answers and answer time-outs.
    Link& engine(std::size_t port);
    // The port's timer fired.
    void onTimer(std::size_t port);

    // Every port starts waiting for a radio.
    void start();
    // Ends every port now: End on every open session (a write stopped this way is reported
    // with the partial-write message), the others stop at once. finished() follows once
    // every answer to End has come or timed out.
    void stop();
    // No new radio is started; the radios being written are finished and reported, then
    // the run ends. Also what reaching the count does.
    void finishCurrent();

    bool running() const;
    const FleetPortStatus& status(std::size_t port) const;

    // Radios found, done well (verified or written) and not.
    int radiosBegun() const { return begun_; }
    int good() const { return good_; }
    int failed() const { return failed_; }
    // Radios whose every block was written, and those of them verified.
    int written() const { return written_; }
    int verified() const { return verified_; }

    // --- for the ports
    const model::Workspace& document() const { return document_; }
    const FleetOptions& options() const { return options_; }
    FleetClock& clock() { return clock_; }
    FleetListener& listener() { return listener_; }
    // A port found a radio: its number in the run, or 0 when no more are to be started.
    int beginRadio();
    void radioDone(const FleetRecord& record);
    void portStopped();

private:
    model::Workspace document_;
    FleetOptions options_;
    FleetClock& clock_;
    FleetListener& listener_;
    std::vector<std::unique_ptr<FleetPort>> ports_;
    bool started_ = false;
    bool finishing_ = false;
    bool over_ = false;
    int begun_ = 0;
    int good_ = 0;
    int failed_ = 0;
    int written_ = 0;
    int verified_ = 0;
};

} // namespace zx::link
