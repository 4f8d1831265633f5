// Ending a conversation early (a signal, the program closing) and the presence check that
// a batch of writes polls with.
#include "link/LinkState.h"

namespace zx::link {

void Link::State::abortNow() {
    if (aborting)
        return;
    aborting = true;
    io.stopAnswerTimer();
    // A radio left in its programming session stays there until it is switched off; End
    // releases it. Its answer (or the answer timer) then finishes the conversation.
    if (sessionOpen && io.isPortOpen()) {
        step() = 71;
        sendEnd();
        return;
    }
    finish(false);
}

void Link::State::stepPresence() {
    switch (readStep) {
    case 1:
        // Someone answered: release the radio again at once.
        readStep = 69;
        sendEnd();
        break;
    case 69:
        finish(true);
        break;
    default:
        finish(false);
        break;
    }
}

} // namespace zx::link
