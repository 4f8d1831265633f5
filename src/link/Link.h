// The radio link: the conversations that read and write the radio, the band check, the
// identity-record read and the search for working port settings, as one state machine
// without I/O. It is driven by the commands below, by onAnswer (a whole answer, once the
// expected count has arrived) and by onTimeout (the 300 ms answer timer fired).
//
// A write can be framed by two reads on the same port: a backup read before it (the radio's
// configuration as it was, for the caller to keep) and a read-back after it that is compared
// with what was sent. The engine keeps no files: it reports what it read and sent.
#pragma once

#include "link/LinkIo.h"
#include "model/Workspace.h"
#include "text/Prompter.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zx::link {

class RadioImage;

// Which conversation holds the port.
enum class OperationKind : std::int16_t {
    None = 0,
    Read = 1,
    Write = 2,
    IdentityRead = 3,
    BandCheck = 6,
    PortSearch = 9,
    // Is a radio there? A hand-shake, and End at once when it is answered. Shows nothing.
    Presence = 10,
};

// What the program asks of the radio: each command is one conversation from hand-shake to End.
enum class Command {
    Read,         // Read from Radio: the radio's configuration replaces the document
    Compare,      // Compare with Radio: a read that replaces nothing
    Write,        // Write to Radio, framed by the write options
    IdentityRead, // the radio's identity record
    BandCheck,    // Check Radio Band
    Presence,     // a hand-shake and End: is a radio there?
};

// What became of the last command.
enum class Outcome {
    None,         // no command yet
    Running,      // a conversation holds the port
    Done,         // finished with success (a write: transferred, and verified when asked)
    VerifyFailed, // a write transferred, but its read-back differs or could not be finished
    Refused,      // the identity check refused the radio (model, data version or band)
    Failed,       // silence, a cancelled connection prompt, a backup that could not be kept
    PortFailed,   // the port could not be opened, at the start or at a retry
    Cancelled,    // the question before the conversation was answered Cancel
    Stopped,      // ended early by abort()
};

// Where a write conversation stands: reading the radio for a backup first, sending the
// image, or reading it back to compare.
enum class WritePhase { BackupRead, Transfer, Verify };

struct WriteOptions {
    bool backupFirst = false; // read the radio before writing; no write when that read fails
    bool verify = true;       // read the radio back after writing and compare
};

// The outcome of the read-back after a write.
struct Verification {
    enum class State {
        NotRun,     // off, or the write did not get that far
        Ok,         // 0010-1DDF equal to what was sent
        Differs,    // see `differences`
        Incomplete, // the read-back did not finish
    };
    State state = State::NotRun;
    // Addresses (0010-1DDF) where the radio holds another byte than was sent, ascending.
    std::vector<int> differences;
    bool failed() const { return state == State::Differs || state == State::Incomplete; }
};

// What the engine tells the program around a conversation. The desktop program shows and
// hides its progress window and its child windows here; the command-line tool draws a
// progress bar. Every hook has a do-nothing default.
class LinkEvents {
public:
    virtual ~LinkEvents() = default;

    // Read and write: the progress display is shown before the hand-shake and hidden at
    // the finish. Percentages are whole numbers 0..100.
    virtual void progressShown(OperationKind /*kind*/) {}
    virtual void progressChanged(int /*percent*/) {}
    virtual void progressHidden() {}

    // The settings search replaced the progress caption / restored it.
    virtual void searchStarted() {}
    virtual void searchEnded() {}
    // Settings found by the search (or its fallback): write comPort, Handshaking and
    // StopBit to the settings file and refresh the status bar. The run-time state already
    // holds them.
    virtual void settingsFound(const PortSettings& /*settings*/) {}

    // The version question was answered Yes: hand over to the program version that
    // handles this data version.
    virtual void startOtherVersion(const std::string& /*dataVersion*/) {}

    // Successful read: called before the image is decoded into the document (close the
    // child windows) and after it (caption, open the channel window), before "Read Data
    // Completed." is shown.
    virtual void readDecoding() {}
    virtual void readDecoded() {}
    // Successful identity-record read: the identity record is decoded; show it.
    virtual void identityDecoded() {}
    // Band check adopted the radio's band (caption refresh); `channelsCorrected` when the
    // channel frequencies were corrected too (reopen the channel window).
    virtual void bandAdopted(bool /*channelsCorrected*/) {}

    // A write moved into another phase: the backup read before it, the transfer, the
    // read-back after it. The progress display starts again at 0 for each.
    virtual void phaseChanged(WritePhase /*phase*/) {}
    // The radio's memory as received: after a successful read (before it is decoded into the
    // document) and after the backup read of a write (which decodes nothing). False: it
    // could not be kept; a write that read it as its backup then writes nothing.
    virtual bool imageReceived(const RadioImage& /*image*/) { return true; }
    // The image a write sent (its identity bytes and band code included), once the transfer
    // is over, completed or not, provided at least one block went out.
    virtual void imageSent(const RadioImage& /*image*/) {}

    // The conversation has ended: port closed, operation kind back to 0. A write counts as
    // a success once its transfer completed, whatever its verification found.
    virtual void finished(OperationKind /*kind*/, bool /*success*/) {}
};

class Link {
public:
    Link(model::Workspace& workspace, LinkIo& io, LinkEvents& events, text::Prompter& prompter);
    ~Link();
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;

    // Starts a command; false when no conversation was started (one already runs, the port
    // could not be opened, or the user cancelled the question: see outcome()). Every
    // command then ends with LinkEvents::finished, and abort() ends any of them early.
    // Committing the editors' pending edits before a write is the caller's.
    bool start(Command command);

    // The main window's radio commands, start() by name.
    bool readFromRadio();
    bool writeToRadio();
    bool readIdentity();
    bool checkRadioBand();
    // Compare with Radio: the read conversation as readFromRadio runs it (progress, the
    // image reported for its backup), but without its question and without touching the
    // document, since nothing is replaced: on success radioDocument() holds the document the
    // read would have made, and "Read Data Completed." is not shown.
    bool compareWithRadio();
    // A hand-shake on the configured port; when the radio answers, End follows at once.
    // Finishes with success when it answered. No question, no message, no search; false
    // when the port cannot be opened.
    bool checkPresence();

    // Whether silence at the hand-shake or the identification of a read or write starts the
    // search for port settings (on by default). Off, the silence is met with the connection
    // prompt, as in a read-back: a fleet run must never send to ports it was not given.
    void setSearchAllowed(bool allowed);

    // How the next writes are framed (backup read before, verification after).
    void setWriteOptions(const WriteOptions& options);
    const WriteOptions& writeOptions() const;

    // Ends the conversation now, the way a cancelled one ends: End is sent first when a
    // programming session is open (its answer or silence then finishes), otherwise it
    // finishes at once. A write stopped this way says what the radio holds. False when no
    // conversation runs, or while a question is on screen.
    bool abort();

    // Inputs from the port adapter.
    void onAnswer(std::span<const std::uint8_t> answer);
    void onTimeout();

    OperationKind kind() const;
    bool busy() const { return kind() != OperationKind::None; }
    const RadioImage& image() const;
    int radioBandCode() const;

    // Where the conversation stands: the step of the side the current kind uses (the
    // write-side step for a write, the read-side step otherwise), the block address, and
    // the model code and data version of the last identity answer.
    int step() const;
    int blockAddress() const;
    const std::string& radioModelCode() const;
    const std::string& radioDataVersion() const;

    // The phase of the current (or last) write and the outcome of its read-back.
    WritePhase writePhase() const;
    const Verification& verification() const;
    // The image read back after the last verified write.
    const RadioImage& readBackImage() const;
    // What the last compareWithRadio read when it succeeded: the radio's image decoded over
    // the document as a read decodes it (the fields the radio does not keep are the
    // document's). Empty while one runs and after one that failed.
    const std::optional<model::ConfigRecord>& radioDocument() const;
    // True when the port could not be opened during the last command (at its start or when
    // a connection prompt retried).
    bool portOpenFailed() const;
    // The outcome of the last command; Running while it runs.
    Outcome outcome() const;
    // Whether the last command learned the radio's identity answer (model code and data
    // version) and its band code; what the getters above hold is otherwise an older radio's.
    bool radioIdentified() const;
    bool bandCodeRead() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace zx::link
