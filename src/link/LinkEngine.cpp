// The link engine: the commands of the main window, opening the port, sending one command
// at a time, and the answer handler that classifies each answer and drives the steps.
#include "link/LinkState.h"

#include <utility>

namespace zx::link {

using text::Answer;
using text::Buttons;
using text::Icon;
using text::MessageKey;

// ---------------------------------------------------------------- helpers

std::string Link::State::msg(MessageKey key) const {
    return std::string(text::message(key, ws.state.language));
}

Answer Link::State::ask(std::string_view text, Buttons buttons, Icon icon) {
    ++promptDepth;
    const Answer answer = prompter.ask(text, buttons, icon);
    --promptDepth;
    return answer;
}

bool Link::State::readSide() const {
    return kind != OperationKind::Write || phase != WritePhase::Transfer;
}

int& Link::State::step() {
    return readSide() ? readStep : writeStep;
}

RadioImage& Link::State::readTarget() {
    const OperationKind k = kind == OperationKind::PortSearch ? search.savedKind : kind;
    // A write's own reads must not touch the image it sends.
    return k == OperationKind::Write && phase != WritePhase::Transfer ? readBack : image;
}

PortSettings Link::State::configuredSettings() const {
    return {ws.state.comPort, ws.state.handshaking, ws.state.stopBits};
}

bool Link::State::openPort(const PortSettings& settings) {
    handshakeSilences = 0;
    identifySilences = 0;
    lastPercent = 0;
    return io.openPort(settings);
}

bool Link::State::openConfiguredPort() {
    if (openPort(configuredSettings()))
        return true;
    openFailed = true;
    // The reason goes beside the message: a user cannot mend what nobody names.
    std::string text = msg(MessageKey::CannotOpenPort);
    const std::string reason = io.openFailureReason(ws.state.language);
    if (!reason.empty()) {
        text += text::kCrLf;
        text += reason;
    }
    ask(text, Buttons::Ok, Icon::Error);
    return false;
}

void Link::State::setBlockSequence(OperationKind k) {
    switch (k) {
    case OperationKind::Read:
        blockLength = 64, blockAddress = -64, endAddress = 0x1DE0;
        break;
    case OperationKind::Write:
        // A first write starts at 0010: 0000-000F is sent only after a restart.
        blockLength = 16, blockAddress = 0, endAddress = 0x1DE0;
        break;
    case OperationKind::IdentityRead:
        blockLength = 16, blockAddress = 0x1EF0, endAddress = 0x2000;
        break;
    case OperationKind::BandCheck:
        blockLength = 64, blockAddress = 0x1D40, endAddress = 0x1D80;
        break;
    default:
        blockLength = 0, blockAddress = 0, endAddress = 0;
        break;
    }
}

void Link::State::send(Bytes command, int answerLength, AnswerKind answer) {
    io.startAnswerTimer();
    lastCommand = std::move(command);
    lastAnswerLength = answerLength;
    awaiting = answer;
    io.send(lastCommand, answerLength);
}

void Link::State::sendHandshake() {
    sessionOpen = true;
    send(handshake(), kAckAnswerLength, AnswerKind::Acknowledge);
}
void Link::State::sendIdentify() {
    send(identify(), kIdentityAnswerLength, AnswerKind::Identity);
}
void Link::State::sendAcknowledge() {
    send(acknowledge(), kAckAnswerLength, AnswerKind::Acknowledge);
}
void Link::State::sendEnd() {
    sessionOpen = false;
    send(end(), kAckAnswerLength, AnswerKind::Acknowledge);
}
void Link::State::sendReadBlock(int address, int length) {
    send(readBlock(address, length), blockAnswerLength(length), AnswerKind::Block);
}
void Link::State::sendWriteBlock(int address) {
    send(writeBlock(address, image.block(address, blockLength)), kAckAnswerLength,
         AnswerKind::Acknowledge);
}

void Link::State::resetSteps() {
    switch (kind) {
    case OperationKind::Read:
    case OperationKind::Write:
    case OperationKind::IdentityRead:
    case OperationKind::BandCheck:
    case OperationKind::Presence:
        step() = 1;
        (readSide() ? writeStep : readStep) = 0;
        break;
    default:
        readStep = 0;
        writeStep = 0;
        break;
    }
}

void Link::State::startConversation() {
    resetSteps();
    if (kind == OperationKind::Write && phase == WritePhase::Transfer)
        passSending = false; // a restarted transfer is a new pass from its first block
    sendHandshake();
}

// ---------------------------------------------------------------- answers

bool Link::State::atBandRead() const {
    return (kind == OperationKind::BandCheck && readStep == 4) ||
           (kind == OperationKind::Write && phase == WritePhase::Transfer && writeStep == 22);
}

BlockExpectation Link::State::blockExpectation() const {
    // The band read asks for 1D80 while the block sequence stands elsewhere; only a block
    // from 1D80 answers it.
    if (atBandRead())
        return {RadioImage::kBandBlock, 0, false};
    return {blockAddress, blockLength, true};
}

void Link::State::handleAnswer(std::span<const std::uint8_t> answer) {
    if (kind == OperationKind::None || promptDepth > 0)
        return;
    const AnswerKind got = classifyAnswer(answer, blockExpectation());
    // An answer of another kind than the outstanding command asks for does not belong to
    // it (a stray acknowledge must not stand in for a data block): it is dropped like any
    // other mismatch, and the answer timer decides.
    if (got == AnswerKind::Unrecognised || got != awaiting)
        return;
    if (got == AnswerKind::Block && atBandRead() && blockData(answer).size() <= 7)
        return; // too short to carry the band code

    if (got == AnswerKind::Identity &&
        (kind == OperationKind::Read || kind == OperationKind::Write ||
         kind == OperationKind::BandCheck || kind == OperationKind::PortSearch)) {
        radio = parseIdentityAnswer(answer);
        identified = true;
        readTarget().storeIdentityAnswer(answer);
    }
    io.stopAnswerTimer();
    if (aborting) {
        finish(false); // the answer to End (or to what was outstanding when it went out)
        return;
    }
    if (kind == OperationKind::PortSearch)
        searchAnswer();
    else
        stepFunction(answer);
}

// ---------------------------------------------------------------- Link

Link::Link(model::Workspace& workspace, LinkIo& io, LinkEvents& events, text::Prompter& prompter)
    : state_(std::make_unique<State>(workspace, io, events, prompter)) {}

Link::~Link() = default;

bool Link::State::begin(OperationKind k, bool quiet) {
    if (kind != OperationKind::None)
        return false;
    kind = k;
    readStep = 0;
    writeStep = 0;
    openFailed = false;
    refused = false;
    identified = false;
    bandCodeRead = false;
    outcome = Outcome::Running;
    if (k == OperationKind::Write)
        phase = WritePhase::Transfer;
    // A quiet command (the presence check a fleet polls with) says nothing when the port
    // will not open; the caller knows why from the adapter.
    const bool opened = quiet ? openPort(configuredSettings()) : openConfiguredPort();
    if (!opened) {
        openFailed = true;
        outcome = Outcome::PortFailed;
        kind = OperationKind::None;
        return false;
    }
    return true;
}

bool Link::State::confirm(text::MessageKey question) {
    if (ask(msg(question), Buttons::OkCancel, Icon::Question) == Answer::Ok)
        return true;
    io.closePort();
    outcome = Outcome::Cancelled;
    kind = OperationKind::None;
    return false;
}

bool Link::State::startRead(bool compare) {
    if (!begin(OperationKind::Read))
        return false;
    comparing = compare;
    if (compare)
        radioDocument.reset();
    // The question guards the document a read replaces; a comparison replaces nothing.
    if (!compare && !confirm(text::MessageKey::ReadConfirm))
        return false;
    image.reset();
    setBlockSequence(OperationKind::Read);
    events.progressShown(OperationKind::Read);
    startConversation();
    return true;
}

bool Link::start(Command command) {
    State& s = *state_;
    switch (command) {
    case Command::Read:
        return s.startRead(false);
    case Command::Compare:
        return s.startRead(true);
    case Command::Write:
        if (!s.begin(OperationKind::Write) || !s.confirm(text::MessageKey::WriteConfirm))
            return false;
        s.image.reset();
        s.image.encode(s.ws.record, s.radioBandCode);
        s.startWrite();
        return true;
    case Command::IdentityRead:
        if (!s.begin(OperationKind::IdentityRead))
            return false;
        s.image.reset();
        s.setBlockSequence(OperationKind::IdentityRead);
        s.startConversation();
        return true;
    case Command::BandCheck:
        if (!s.begin(OperationKind::BandCheck))
            return false;
        s.setBlockSequence(OperationKind::BandCheck);
        s.startConversation();
        return true;
    case Command::Presence:
        // Silent by design: a batch asks every second whether a radio is there.
        if (!s.begin(OperationKind::Presence, true))
            return false;
        s.startConversation();
        return true;
    }
    return false;
}

bool Link::readFromRadio() {
    return start(Command::Read);
}
bool Link::compareWithRadio() {
    return start(Command::Compare);
}
bool Link::writeToRadio() {
    return start(Command::Write);
}
bool Link::readIdentity() {
    return start(Command::IdentityRead);
}
bool Link::checkRadioBand() {
    return start(Command::BandCheck);
}
bool Link::checkPresence() {
    return start(Command::Presence);
}

void Link::setSearchAllowed(bool allowed) {
    state_->searchAllowed = allowed;
}

void Link::setWriteOptions(const WriteOptions& options) {
    state_->writeOptions = options;
}

const WriteOptions& Link::writeOptions() const {
    return state_->writeOptions;
}

bool Link::abort() {
    State& s = *state_;
    if (!busy() || s.promptDepth > 0)
        return false;
    s.abortNow();
    return true;
}

void Link::onAnswer(std::span<const std::uint8_t> answer) {
    state_->handleAnswer(answer);
}

void Link::onTimeout() {
    state_->handleTimeout();
}

OperationKind Link::kind() const {
    return state_->kind;
}
const RadioImage& Link::image() const {
    return state_->image;
}
int Link::radioBandCode() const {
    return state_->radioBandCode;
}
int Link::step() const {
    return state_->readSide() ? state_->readStep : state_->writeStep;
}
WritePhase Link::writePhase() const {
    return state_->phase;
}
const Verification& Link::verification() const {
    return state_->verification;
}
const RadioImage& Link::readBackImage() const {
    return state_->readBack;
}
const std::optional<model::ConfigRecord>& Link::radioDocument() const {
    return state_->radioDocument;
}
bool Link::portOpenFailed() const {
    return state_->openFailed;
}
Outcome Link::outcome() const {
    return state_->outcome;
}
bool Link::radioIdentified() const {
    return state_->identified;
}
bool Link::bandCodeRead() const {
    return state_->bandCodeRead;
}
int Link::blockAddress() const {
    return state_->blockAddress;
}
const std::string& Link::radioModelCode() const {
    return state_->radio.modelCode;
}
const std::string& Link::radioDataVersion() const {
    return state_->radio.dataVersion;
}

} // namespace zx::link
