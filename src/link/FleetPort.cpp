// The round of one fleet port: wait for a radio, read its identity, write it, report it,
// wait until it is taken off (or another one is found in its place).
#include "link/FleetPort.h"

#include "link/RadioImage.h"
#include "model/Band.h"
#include "text/Fill.h"
#include "text/Messages.h"
#include "text/labels/FleetLabels.h"

#include <algorithm>

namespace zx::link {

namespace labels = text::labels::fleet;
using text::MessageKey;

namespace {

bool isMessage(const std::string& text, MessageKey key) {
    return text == text::message(key, text::English) || text == text::message(key, text::Chinese);
}

// The first two lines of a message, as one line. "Write Data Completed." heads the message
// that says what the read-back found; the finding is the reason, not the heading.
std::string firstLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (const char c : text) {
        if (c == '\r' || c == '\n') {
            if (!line.empty() && !(lines.empty() && isMessage(line, MessageKey::WriteCompleted)))
                lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    std::string out;
    for (std::size_t i = 0; i < lines.size() && i < 2; ++i)
        out += (i == 0 ? "" : "; ") + lines[i];
    return out;
}

} // namespace

FleetPort::FleetPort(Fleet& fleet, std::size_t index, int portNumber, std::string name, LinkIo& io,
                     FleetTimer& timer)
    : fleet_(fleet), index_(index), ws_(fleet.document()), io_(io), timer_(timer),
      prompter_(fleet.options().retry, fleet.options().retries), link_(ws_, io_, *this, prompter_) {
    ws_.journal = nullptr; // the copy is written into by reads, never edited
    ws_.state.comPort = portNumber;
    status_.name = std::move(name);
    link_.setSearchAllowed(false);
    link_.setWriteOptions(fleet.options().write);
    // Starting the run was the answer to "Write data to radio. Do you wish continue?".
    for (const int language : {int(text::English), int(text::Chinese)})
        prompter_.setFixedAnswer(std::string(text::message(MessageKey::WriteConfirm, language)),
                                 text::Answer::Ok);
    prompter_.setListener(
        [this](const std::string& text) { fleet_.listener().message(index_, text); });
}

FleetPort::~FleetPort() {
    timer_.stop();
}

std::string FleetPort::say(const text::TextTable& table, const std::string& value) const {
    return text::fill(table[ws_.state.language], {value});
}

void FleetPort::changed() {
    fleet_.listener().portChanged(index_);
}

void FleetPort::setState(FleetPortState state) {
    status_.state = state;
    status_.percent = 0;
    changed();
}

void FleetPort::schedule(Step step, int ms) {
    next_ = step;
    timer_.start(ms);
}

void FleetPort::start() {
    status_.radios = 0;
    setState(FleetPortState::WaitingForRadio);
    schedule(Step::LookForRadio, 0);
}

void FleetPort::onTimer() {
    if (stopping_ || status_.state == FleetPortState::Stopped || link_.busy())
        return;
    run(next_);
}

void FleetPort::run(Step step) {
    running_ = step;
    switch (step) {
    case Step::LookForRadio:
    case Step::LookForRemoval:
        if (!link_.start(Command::Presence)) {
            // The adapter is not there (yet): said in the row, looked for again.
            const std::string problem = io_.openFailureReason(ws_.state.language);
            if (step == Step::LookForRemoval) {
                lookedForRemoval(false);
            } else if (problem != status_.problem) {
                status_.problem = problem;
                changed();
            }
            if (step == Step::LookForRadio)
                schedule(Step::LookForRadio, kPollMs);
        }
        break;
    case Step::ReadIdentity:
    case Step::CheckSwap:
        if (!link_.start(Command::IdentityRead))
            step == Step::ReadIdentity ? identityRead(false) : checkedSwap(false);
        break;
    case Step::Write:
        if (!link_.start(Command::Write))
            written(false);
        break;
    }
}

void FleetPort::finished(OperationKind /*kind*/, bool success) {
    if (stopping_) {
        becomeStopped();
        return;
    }
    switch (running_) {
    case Step::LookForRadio:
        lookedForRadio(success);
        break;
    case Step::ReadIdentity:
        identityRead(success);
        break;
    case Step::Write:
        written(success);
        break;
    case Step::LookForRemoval:
        lookedForRemoval(success);
        break;
    case Step::CheckSwap:
        checkedSwap(success);
        break;
    }
}

// ---- the round ------------------------------------------------------------------------

void FleetPort::lookedForRadio(bool answered) {
    if (!status_.problem.empty()) {
        status_.problem.clear();
        changed();
    }
    if (answered)
        newRadio(std::nullopt);
    else
        schedule(Step::LookForRadio, kPollMs);
}

void FleetPort::newRadio(std::optional<Identity> identity) {
    // Held before the fleet is asked: reaching the count while this port asks retires every
    // port, and this one then stops after its radio.
    hasRadio_ = true;
    const int number = fleet_.beginRadio();
    if (number == 0) {
        hasRadio_ = false;
        stop();
        return;
    }
    radio_ = {};
    radio_.number = number;
    radio_.port = index_;
    radio_.portName = status_.name;
    radio_.time = fleet_.clock().now();
    radioStart_ = fleet_.clock().elapsed();
    shownAtRadio_ = prompter_.shown().size();
    prompter_.newRadio();
    status_.last = radio_;
    identity_ = identity;
    if (identity) {
        // Found by the swap check, which has just read the identity record.
        radio_.serialNumber = link_.image().decodeIdentity().serialNumber.trimmed();
        status_.last = radio_;
        setState(FleetPortState::Writing);
        schedule(Step::Write, 0);
        return;
    }
    setState(FleetPortState::Identifying);
    schedule(Step::ReadIdentity, 0);
}

void FleetPort::identityRead(bool ok) {
    if (!ok) {
        identity_.reset();
        report(FleetResult::Failed, say(labels::kReasonNoIdentity, reasonSinceRadio()), false);
        afterRadio();
        return;
    }
    // Read before anything is written, so that even a radio that then fails is logged with
    // its serial number.
    identity_ = identityOfImage();
    radio_.serialNumber = link_.image().decodeIdentity().serialNumber.trimmed();
    status_.last = radio_;
    setState(FleetPortState::Writing);
    schedule(Step::Write, 0);
}

void FleetPort::written(bool transferred) {
    if (link_.radioIdentified())
        radio_.modelCode = link_.radioModelCode();
    if (link_.bandCodeRead())
        radio_.band = model::bandTextFromIndex(link_.radioBandCode());
    switch (link_.outcome()) {
    case Outcome::Done:
        report(link_.verification().state == Verification::State::Ok ? FleetResult::Verified
                                                                     : FleetResult::Written,
               {}, true);
        break;
    case Outcome::Refused:
        report(FleetResult::Refused, reasonSinceRadio(), false);
        break;
    default:
        report(FleetResult::Failed, reasonSinceRadio(), transferred);
        break;
    }
    afterRadio();
}

void FleetPort::lookedForRemoval(bool answered) {
    if (answered) {
        // Someone answers: the radio done, or another one put in its place at once.
        schedule(Step::CheckSwap, 0);
        return;
    }
    setState(FleetPortState::WaitingForRadio);
    schedule(Step::LookForRadio, kPollMs);
}

void FleetPort::checkedSwap(bool ok) {
    if (ok) {
        const Identity found = identityOfImage();
        if (!lastIdentity_ || found != *lastIdentity_) {
            newRadio(found);
            return;
        }
    }
    // The same radio, or one whose identity cannot be read: it is still to be removed.
    schedule(Step::LookForRemoval, kPollMs);
}

void FleetPort::report(FleetResult result, std::string reason, bool transferred) {
    radio_.result = result;
    radio_.reason = std::move(reason);
    radio_.transferred = transferred;
    radio_.seconds = std::chrono::duration<double>(fleet_.clock().elapsed() - radioStart_).count();
    status_.last = radio_;
    ++status_.radios;
    lastIdentity_ = identity_;
    fleet_.radioDone(radio_);
}

void FleetPort::afterRadio() {
    hasRadio_ = false;
    if (stopping_ || retiring_) {
        becomeStopped();
        return;
    }
    setState(FleetPortState::RemoveRadio);
    schedule(Step::LookForRemoval, kPollMs);
}

// ---- stopping -------------------------------------------------------------------------

void FleetPort::stop() {
    if (stopping_ || status_.state == FleetPortState::Stopped)
        return;
    stopping_ = true;
    timer_.stop();
    if (link_.busy()) {
        setState(FleetPortState::Stopping);
        // End when a session is open; its answer (or silence) finishes the conversation,
        // and finished() stops the port.
        if (link_.abort())
            return;
    }
    becomeStopped();
}

void FleetPort::retire() {
    retiring_ = true;
    if (!hasRadio_)
        stop();
}

void FleetPort::becomeStopped() {
    if (status_.state == FleetPortState::Stopped)
        return;
    if (hasRadio_) {
        // What a write stopped half way says ("Write stopped after ... blocks") is the reason.
        const std::string said = reasonSinceRadio();
        report(FleetResult::Stopped,
               prompter_.shown().size() > shownAtRadio_ ? said : say(labels::kReasonStopped),
               link_.outcome() == Outcome::Stopped &&
                   link_.verification().state != Verification::State::NotRun);
        hasRadio_ = false;
    }
    timer_.stop();
    status_.state = FleetPortState::Stopped;
    status_.percent = 0;
    status_.problem.clear();
    changed();
    fleet_.portStopped();
}

// ---- the engine's events --------------------------------------------------------------

void FleetPort::progressChanged(int percent) {
    status_.percent = percent;
    changed();
}

void FleetPort::phaseChanged(WritePhase phase) {
    if (stopping_)
        return;
    setState(phase == WritePhase::BackupRead ? FleetPortState::BackingUp
             : phase == WritePhase::Verify   ? FleetPortState::Verifying
                                             : FleetPortState::Writing);
}

bool FleetPort::imageReceived(const RadioImage& image) {
    return fleet_.listener().imageReceived(index_, image, ws_);
}

void FleetPort::imageSent(const RadioImage& image) {
    fleet_.listener().imageSent(index_, image, ws_.record);
}

// ---- helpers --------------------------------------------------------------------------

FleetPort::Identity FleetPort::identityOfImage() const {
    Identity identity{};
    const auto& bytes = link_.image().bytes;
    std::copy(bytes.begin() + 0x1F00, bytes.begin() + 0x2000, identity.begin());
    return identity;
}

std::string FleetPort::reasonSinceRadio() const {
    const std::vector<std::string>& shown = prompter_.shown();
    for (std::size_t i = shown.size(); i > shownAtRadio_; --i) {
        const std::string& text = shown[i - 1];
        if (isMessage(text, MessageKey::WriteConfirm) ||
            isMessage(text, MessageKey::WriteCompleted))
            continue;
        // The connection prompt is the radio's silence, not something to do.
        if (isMessage(text, MessageKey::CheckConnection))
            return say(labels::kReasonNoAnswer);
        if (std::string lines = firstLines(text); !lines.empty())
            return lines;
    }
    return say(labels::kReasonNoAnswer);
}

} // namespace zx::link
