// What the link does when the radio stays silent for 300 ms after a command, and the two
// connection prompts that let the user start a conversation again or give up.
#include "link/LinkState.h"

namespace zx::link {

using text::Answer;
using text::Buttons;
using text::Icon;
using text::MessageKey;

void Link::State::handleTimeout() {
    if (kind == OperationKind::None || promptDepth > 0)
        return;
    io.stopAnswerTimer();
    const int s = step();

    if (s == 69) {
        finish(true);
        return;
    }
    if (s == 70) {
        finish(false);
        return;
    }

    switch (kind) {
    case OperationKind::Read:
    case OperationKind::Write:
        if (s == 1) {
            if (handshakeSilences < 1) {
                ++handshakeSilences;
                sendHandshake();
            } else {
                startSearch();
            }
        } else if (s == 2) {
            if (identifySilences < 1) {
                ++identifySilences;
                sendIdentify();
            } else {
                identifySilences = 0;
                startSearch();
            }
        } else if (s == 3 || (kind == OperationKind::Read && s == 5)) {
            // A lost acknowledge does not stop the transfer.
            stepFunction({});
        } else if (s == 4 || (kind == OperationKind::Write && (s == 21 || s == 22))) {
            connectionPromptTransfer();
        } else {
            finish(false);
        }
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
