// The search for working port settings, started when the radio stays silent after the
// hand-shake or the identification request of a read or a write. Every listed port is
// tried with every handshaking mode and both stop-bit counts; the first combination at
// which a radio of the expected model answers is kept and the interrupted conversation
// goes on there.
#include "link/LinkState.h"

namespace zx::link {

namespace {
constexpr std::size_t kMaxCandidates = 256;
constexpr int kHandshakesPerCombination = 3;
} // namespace

void Link::State::startSearch() {
    search.savedKind = kind;
    kind = OperationKind::PortSearch;
    search.hasFallback = false;
    events.searchStarted();
    if (io.isPortOpen())
        io.closePort();
    search.candidates = io.listPorts();
    if (search.candidates.size() > kMaxCandidates)
        search.candidates.resize(kMaxCandidates);
    if (search.candidates.empty()) {
        searchExhausted();
        return;
    }
    search.position = 0;
    search.trial = {search.candidates[0], 0, 1};
    tryCombination();
}

void Link::State::tryCombination() {
    // A port that cannot be opened is skipped with all its variants.
    while (!io.openPort(search.trial)) {
        if (++search.position >= search.candidates.size()) {
            searchExhausted();
            return;
        }
        search.trial = {search.candidates[search.position], 0, 1};
    }
    handshakeSilences = 0;
    readStep = 1;
    writeStep = 0;
    sendHandshake();
}

namespace {

// The search shakes hands as a conversation does; a step without a row moves on.
constexpr StepRow kSearchSteps[] = {
    {1, Take::Nothing, false, Then::SendIdentify, 2},
    {2, Take::Nothing, false, Then::SendAcknowledge, 3},
    {3, Take::Nothing, false, Then::SearchVerdict, 3},
};

} // namespace

void Link::State::searchAnswer() {
    if (!runStep(kSearchSteps, {}))
        advanceSearch();
}

void Link::State::searchVerdict() {
    if (!modelMatches()) {
        if (!search.hasFallback) {
            search.hasFallback = true;
            search.fallback = search.trial;
        }
        advanceSearch();
        return;
    }
    kind = search.savedKind;
    ws.state.comPort = search.trial.port;
    ws.state.handshaking = search.trial.handshaking;
    ws.state.stopBits = search.trial.stopBits;
    events.settingsFound(search.trial);
    events.searchEnded();
    if (kind == OperationKind::Write && phase == WritePhase::Transfer) {
        // The write goes on with its band read, so that the band test and the band code
        // written at 1D87 are this radio's and not a stale value.
        readStep = 0;
        writeStep = 21;
    } else {
        readStep = 3;
        writeStep = 0;
    }
    stepFunction({});
}

void Link::State::searchSilence() {
    if (readStep == 1 && handshakeSilences < kHandshakesPerCombination - 1) {
        ++handshakeSilences;
        sendHandshake();
        return;
    }
    advanceSearch();
}

void Link::State::advanceSearch() {
    PortSettings& t = search.trial;
    if (++t.handshaking > 3) {
        t.handshaking = 0;
        if (++t.stopBits > 2) {
            t.stopBits = 1;
            if (++search.position >= search.candidates.size()) {
                searchExhausted();
                return;
            }
            t.port = search.candidates[search.position];
        }
    }
    tryCombination();
}

void Link::State::searchExhausted() {
    kind = search.savedKind;
    events.searchEnded();
    if (search.hasFallback) {
        // A radio of another model answered: go on there, so that the conversation's own
        // model test tells the user.
        ws.state.comPort = search.fallback.port;
        ws.state.handshaking = search.fallback.handshaking;
        ws.state.stopBits = search.fallback.stopBits;
        events.settingsFound(search.fallback);
        if (openPort(search.fallback)) {
            startConversation();
            return;
        }
    }
    resetSteps();
    connectionPromptTransfer();
}

} // namespace zx::link
