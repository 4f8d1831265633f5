// What the link does when the radio stays silent for 300 ms after a command, and the two
// connection prompts that let the user start a conversation again or give up.
#include "link/LinkState.h"

namespace zx::link {

using text::Answer;
using text::Buttons;
using text::Icon;
using text::MessageKey;

namespace {
// After End the radio may take a moment before it takes a new hand-shake (a radio that
// restarts to apply what was written, say): the read-back tries longer than a first contact
// before it asks the user.
constexpr int kReadBackHandshakes = 10;
} // namespace

void Link::State::handleTimeout() {
    if (kind == OperationKind::None || promptDepth > 0)
        return;
    io.stopAnswerTimer();
    if (aborting) {
        finish(false); // End after an abort went unanswered
        return;
    }
    const int s = step();

    if (s == 69) {
        endAnswered();
        return;
    }
    if (s == 70) {
        finish(false);
        return;
    }

    switch (kind) {
    case OperationKind::Read:
    case OperationKind::Write: {
        const bool transfer = kind == OperationKind::Write && phase == WritePhase::Transfer;
        // The read-back talks to the radio this very port has just written: silence there
        // is a radio gone, not a wrong setting, and a search would only cost minutes.
        const bool readBack = kind == OperationKind::Write && phase == WritePhase::Verify;
        const bool noSearch = readBack || !searchAllowed;
        const int handshakeRetries = readBack ? kReadBackHandshakes - 1 : 1;
        if (s == 1) {
            if (handshakeSilences < handshakeRetries) {
                ++handshakeSilences;
                sendHandshake();
            } else if (noSearch) {
                connectionPromptTransfer();
            } else {
                startSearch();
            }
        } else if (s == 2) {
            if (identifySilences < 1) {
                ++identifySilences;
                sendIdentify();
            } else if (noSearch) {
                connectionPromptTransfer();
            } else {
                identifySilences = 0;
                startSearch();
            }
        } else if (s == 3 || (!transfer && s == 5)) {
            // A lost acknowledge does not stop the transfer.
            stepFunction({});
        } else if (s == 4 || (transfer && (s == 21 || s == 22))) {
            connectionPromptTransfer();
        } else {
            finish(false);
        }
        break;
    }
    case OperationKind::Presence:
        finish(false); // nobody answered the hand-shake
        break;
    case OperationKind::IdentityRead:
        if (s == 1)
            stepFunction({}); // some radios do not acknowledge the hand-shake here
        else if (s >= 2 && s <= 5)
            connectionPromptConversation();
        else
            finish(false);
        break;
    case OperationKind::BandCheck:
        if (s >= 1 && s <= 5)
            connectionPromptConversation();
        else
            finish(false);
        break;
    case OperationKind::PortSearch:
        searchSilence();
        break;
    default:
        break;
    }
}

void Link::State::connectionPromptTransfer() {
    if (ask(msg(MessageKey::CheckConnection), Buttons::OkCancel, Icon::Question) != Answer::Ok) {
        finish(false);
        return;
    }
    // The transfer begins again at 0000.
    blockAddress = -blockLength;
    lastPercent = 0;
    events.progressChanged(0);
    restartFromHandshake();
}

void Link::State::connectionPromptConversation() {
    const int unanswered = step();
    if (ask(msg(MessageKey::CheckConnection), Buttons::RetryCancel, Icon::None) != Answer::Retry) {
        finish(false);
        return;
    }
    // The identity read asks again for the block whose request went unanswered, rather than
    // going on with the next one and leaving a hole of FF in the record.
    if (kind == OperationKind::IdentityRead && unanswered == 4)
        blockAddress -= blockLength;
    restartFromHandshake();
}

void Link::State::restartFromHandshake() {
    // The port is opened afresh with the configured settings: after an exhausted search the
    // port may still be open on the last combination tried, and a fresh open also gives the
    // new attempt fresh silence counters.
    const int keptPercent = lastPercent;
    if (!openConfiguredPort()) {
        finish(false);
        return;
    }
    lastPercent = keptPercent;
    startConversation();
}

} // namespace zx::link
