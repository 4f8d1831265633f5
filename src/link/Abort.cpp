// Ending a conversation early (a signal, the program closing, a fleet run stopped).
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

} // namespace zx::link
