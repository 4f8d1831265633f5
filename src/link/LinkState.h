// The inside of the link engine: the link state (operation kind, steps, block sequence,
// retry counters, the image), the search state, and the engine's operations. Each group of
// operations lives in its own source file: LinkEngine.cpp (port, sending, dispatch),
// Conversation.cpp (step functions), Timeouts.cpp (silence and connection prompts),
// IdentityCheck.cpp, Finish.cpp, PortSearch.cpp, WritePhases.cpp (backup read, read-back
// and the partial-write report) and Abort.cpp (ending early, the presence check). Internal to
// the link library.
#pragma once

#include "link/Answer.h"
#include "link/Command.h"
#include "link/Link.h"
#include "link/RadioImage.h"
#include "text/Messages.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zx::link {

struct Link::State {
    State(model::Workspace& workspace, LinkIo& linkIo, LinkEvents& linkEvents,
          text::Prompter& textPrompter)
        : ws(workspace), io(linkIo), events(linkEvents), prompter(textPrompter) {}

    model::Workspace& ws;
    LinkIo& io;
    LinkEvents& events;
    text::Prompter& prompter;

    RadioImage image;    // read into by a read; encoded and sent by a write
    RadioImage readBack; // the backup read and the read-back of a write
    // The read compares the radio with the document instead of replacing it; what it read
    // goes to radioDocument.
    bool comparing = false;
    std::optional<model::ConfigRecord> radioDocument;
    int radioBandCode = 0; // last band code learned from a radio; 0 until one is

    OperationKind kind = OperationKind::None;
    int readStep = 0;  // kinds 1, 3, 6 and 9
    int writeStep = 0; // kind 2
    int blockLength = 0;
    int blockAddress = 0;
    int endAddress = 0;

    Bytes lastCommand;
    int lastAnswerLength = 0;
    AnswerKind awaiting = AnswerKind::Unrecognised; // the answer the last command asks for

    int handshakeSilences = 0;
    int identifySilences = 0;
    int lastPercent = 0;

    RadioIdentityAnswer radio; // from the last identity answer

    // A question is on screen: a modal message box may deliver port and timer events
    // while it waits, and those must not drive the conversation behind the user's back.
    int promptDepth = 0;

    // A hand-shake went out and no End since: the radio may be in its programming mode.
    bool sessionOpen = false;
    bool aborting = false;
    bool openFailed = false; // the port could not be opened during this command

    // The write's frame and where it stands.
    WriteOptions writeOptions;
    WriteOptions currentWrite; // the options the running write started with
    WritePhase phase = WritePhase::Transfer;
    bool transferComplete = false;
    bool sentReported = false;
    int blocksSent = 0; // write blocks sent in this conversation, every pass
    int passAcked = 0;  // write blocks acknowledged in the last pass that sent one
    int passTotal = 0;  // blocks of that pass
    int passStart = 0;  // first address of the pass now running
    bool passSending = false;
    Verification verification;

    struct Search {
        OperationKind savedKind = OperationKind::None;
        std::vector<int> candidates;
        std::size_t position = 0;
        PortSettings trial;
        bool hasFallback = false;
        PortSettings fallback;
    } search;

    // --- LinkEngine.cpp
    bool startRead(bool compare);
    std::string msg(text::MessageKey key) const;
    text::Answer ask(std::string_view text, text::Buttons buttons, text::Icon icon);
    int& step(); // the step of the side the current kind (and write phase) uses
    // The read-side step drives this conversation: every kind but a write's transfer.
    bool readSide() const;
    // Where answers to read blocks and identity answers go.
    RadioImage& readTarget();
    PortSettings configuredSettings() const;
    bool openPort(const PortSettings& settings); // clears the silence counters; no message
    bool openConfiguredPort();                   // shows "Cannot Open Communication Port."
    void setBlockSequence(OperationKind k);
    void send(Bytes command, int answerLength, AnswerKind answer);
    void sendHandshake();
    void sendIdentify();
    void sendAcknowledge();
    void sendEnd();
    void resetSteps(); // the conversation's step := 1, the other side's := 0
    void sendReadBlock(int address, int length);
    void sendWriteBlock(int address);
    void startConversation();
    void handleAnswer(std::span<const std::uint8_t> answer);
    BlockExpectation blockExpectation() const;
    bool atBandRead() const;

    // --- Conversation.cpp
    void stepFunction(std::span<const std::uint8_t> answer);
    void stepRead(std::span<const std::uint8_t> answer);
    void stepWriteRead(std::span<const std::uint8_t> answer); // backup read, read-back
    void stepWrite(std::span<const std::uint8_t> answer);
    void stepIdentityRead(std::span<const std::uint8_t> answer);
    void stepBandCheck(std::span<const std::uint8_t> answer);
    void nextReadBlock();
    void nextWriteBlock();
    void storeBlock(std::span<const std::uint8_t> answer);
    void endAnswered(); // End after a completed transfer was answered (or stayed silent)
    void takeBandCode(std::span<const std::uint8_t> answer);
    void updateProgress();

    // --- Timeouts.cpp
    void handleTimeout();
    void connectionPromptTransfer();     // OK / Cancel: the transfer starts again at 0000
    void connectionPromptConversation(); // Retry / Cancel: the identity read and band check
    void restartFromHandshake();

    // --- IdentityCheck.cpp
    bool identityCheck();
    bool modelMatches() const;

    // --- Finish.cpp
    void finish(bool success);
    void finishRead();
    void finishBandCheck();

    // --- WritePhases.cpp
    void startWrite();
    void beginPhase(WritePhase next);
    void transferDone();
    void verifyDone();
    void noteWriteBlockSent();
    void noteWriteBlockAcked();
    void reportSent();
    // `stopped`: ended by abort() (a signal, the program closing, Cancel).
    void showWriteOutcome(bool transferred, bool stopped);

    // --- Abort.cpp
    void stepPresence();
    void abortNow();

    // --- PortSearch.cpp
    void startSearch();
    void tryCombination();
    void searchAnswer();
    void searchSilence();
    void advanceSearch();
    void searchExhausted();
};

// Percentage of the transfer done: address × 100 / end, rounded half to even.
int progressPercent(int address, int endAddress);

} // namespace zx::link
