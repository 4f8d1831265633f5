// The radio link: the conversations that read and write the radio, the band check, the
// identity-record read and the search for working port settings, as one state machine
// without I/O. It is driven by the commands below, by onAnswer (a whole answer, once the
// expected count has arrived) and by onTimeout (the 300 ms answer timer fired).
#pragma once

#include "link/LinkIo.h"
#include "model/Workspace.h"
#include "text/Prompter.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>

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

    // The conversation has ended: port closed, operation kind back to 0.
    virtual void finished(OperationKind /*kind*/, bool /*success*/) {}
};

class Link {
public:
    Link(model::Workspace& workspace, LinkIo& io, LinkEvents& events, text::Prompter& prompter);
    ~Link();
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;

    // The main window's radio commands. Each returns false when no conversation was
    // started (the port could not be opened, or the user cancelled the question).
    // Committing the editors' pending edits before a write is the caller's.
    bool readFromRadio();
    bool writeToRadio();
    bool readIdentity();
    bool checkRadioBand();

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

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace zx::link
