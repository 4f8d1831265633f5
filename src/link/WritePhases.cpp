// The frame around a write: the backup read before it, the read-back that verifies it, and
// what the user is told at its end (completed and verified, or how far it got before it
// stopped, since the radio then holds a mix of old and new configuration).
#include "link/LinkState.h"
#include "link/VerifyReport.h"
#include "text/Fill.h"
#include "text/labels/RadioSafetyLabels.h"

namespace zx::link {

namespace labels = text::labels::safety;

void Link::State::startWrite() {
    currentWrite = writeOptions;
    transferComplete = false;
    sentReported = false;
    blocksSent = 0;
    passAcked = 0;
    passTotal = 0;
    passSending = false;
    verification = {};
    events.progressShown(OperationKind::Write);
    beginPhase(currentWrite.backupFirst ? WritePhase::BackupRead : WritePhase::Transfer);
}

void Link::State::beginPhase(WritePhase next) {
    const WritePhase firstPhase =
        currentWrite.backupFirst ? WritePhase::BackupRead : WritePhase::Transfer;
    const bool first = next == firstPhase;
    phase = next;
    if (next == WritePhase::Transfer) {
        setBlockSequence(OperationKind::Write);
    } else {
        // The read conversation's blocks, into an image of their own.
        readBack.reset();
        setBlockSequence(OperationKind::Read);
    }
    handshakeSilences = 0;
    identifySilences = 0;
    lastPercent = 0;
    events.phaseChanged(next);
    if (!first)
        events.progressChanged(0);
    // The port stays open: the previous phase ended with End, so the radio takes a new
    // hand-shake.
    startConversation();
}

void Link::State::transferDone() {
    transferComplete = true;
    reportSent();
    if (currentWrite.verify)
        beginPhase(WritePhase::Verify);
    else
        finish(true);
}

void Link::State::verifyDone() {
    verification.differences = differingAddresses(readBack, image);
    verification.state =
        verification.differences.empty() ? Verification::State::Ok : Verification::State::Differs;
    finish(true);
}

void Link::State::noteWriteBlockSent() {
    if (!passSending) {
        // The first block of a pass: from here on the radio's old configuration is being
        // overwritten, and this pass is the one to report.
        passSending = true;
        passAcked = 0;
        passTotal = (endAddress - blockAddress + blockLength - 1) / blockLength;
    }
    ++blocksSent;
}

void Link::State::noteWriteBlockAcked() {
    ++passAcked;
}

void Link::State::reportSent() {
    if (sentReported)
        return;
    sentReported = true;
    events.imageSent(image);
}

void Link::State::showWriteOutcome(bool transferred, bool stopped) {
    const int lang = ws.state.language;
    if (transferred) {
        // One message: "Write Data Completed." with what the read-back found below it.
        std::string done = msg(text::MessageKey::WriteCompleted);
        const std::string verified = verificationMessage(verification, readBack, image, lang);
        if (!verified.empty())
            done += "\n" + verified;
        ask(done, text::Buttons::Ok,
            verification.failed() ? text::Icon::Warning : text::Icon::None);
        return;
    }
    if (blocksSent == 0) {
        // Nothing was written. Failures have said why already; a stop is worth a word, since
        // the user cannot know how far it got.
        if (stopped)
            ask(std::string(labels::kStoppedBeforeWriting[lang]), text::Buttons::Ok,
                text::Icon::Information);
        return;
    }
    ask(text::fill(labels::kWriteStopped[lang],
                   {std::to_string(passAcked), std::to_string(passTotal)}),
        text::Buttons::Ok, text::Icon::Warning);
}

} // namespace zx::link
