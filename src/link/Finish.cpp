// The finish that closes every conversation: port closed, held-back messages shown, and on
// success the conversation's effect on the document.
#include "link/LinkState.h"
#include "model/Band.h"
#include "model/ChannelTable.h"
#include "model/EditJournal.h"
#include "text/labels/EditingLabels.h"

#include <utility>

namespace zx::link {

using text::Answer;
using text::Buttons;
using text::Icon;
using text::MessageKey;

void Link::State::finish(bool success) {
    // Ended during a settings search (an abort): it ends as the conversation it stood for.
    if (kind == OperationKind::PortSearch) {
        kind = search.savedKind;
        events.searchEnded();
    }
    const OperationKind finished = kind;
    const bool stopped = aborting;
    if (finished == OperationKind::Write) {
        // A write whose transfer completed has written the radio, whatever became of the
        // read-back after it.
        if (phase == WritePhase::Verify && verification.state == Verification::State::NotRun)
            verification.state = Verification::State::Incomplete;
        success = transferComplete;
        if (blocksSent > 0)
            reportSent();
    }
    outcome = stopped                                                     ? Outcome::Stopped
              : openFailed                                                ? Outcome::PortFailed
              : refused                                                   ? Outcome::Refused
              : !success                                                  ? Outcome::Failed
              : finished == OperationKind::Write && verification.failed() ? Outcome::VerifyFailed
                                                                          : Outcome::Done;
    if (finished == OperationKind::Read || finished == OperationKind::Write)
        events.progressHidden();
    io.stopAnswerTimer();
    if (io.isPortOpen())
        io.closePort();
    sessionOpen = false;
    aborting = false;
    ++promptDepth;
    prompter.showDeferred();
    --promptDepth;
    if (finished == OperationKind::Write)
        showWriteOutcome(success, stopped);

    if (success) {
        switch (finished) {
        case OperationKind::Read:
            finishRead();
            break;
        case OperationKind::IdentityRead:
            image.decodeIdentity(ws.identity);
            ws.identityRead = true;
            events.identityDecoded();
            break;
        case OperationKind::BandCheck:
            finishBandCheck();
            break;
        default:
            break;
        }
    }

    kind = OperationKind::None;
    readStep = 0;
    writeStep = 0;
    events.finished(finished, success);
}

void Link::State::finishRead() {
    events.imageReceived(image);
    if (comparing) {
        // Decoded as a read decodes, over a copy: the document stays as the user left it.
        model::Workspace read = ws;
        read.journal = nullptr;
        radioBandCode = image.decode(read);
        radioDocument = read.record;
        return;
    }
    events.readDecoding();
    {
        // The radio's configuration replaces the document as one step that can be taken
        // back: undo brings the document before the read again, its name included.
        const model::EditScope step(ws, {text::labels::editing::kReadFromRadio, {}, {}});
        radioBandCode = image.decode(ws);
        ws.state.currentFileName = model::kUntitledFileName;
        ws.state.untitled = true;
    }
    events.readDecoded();
    ask(msg(MessageKey::ReadCompleted), Buttons::Ok, Icon::None);
}

void Link::State::finishBandCheck() {
    const std::string radioBand = model::bandTextFromIndex(radioBandCode);
    if (radioBand == ws.state.bandText)
        return;
    if (ask(msg(MessageKey::BandDiffers), Buttons::YesNo, Icon::Question) != Answer::Yes)
        return;
    bool corrected = false;
    {
        // The new band and the correction it brings are one step the user can take back.
        const model::EditScope step(ws, {text::labels::editing::kRadioBandAdopted, {}, {}});
        ws.state.bandText = radioBand;
        model::parseBandEdges(ws.state);
        if (model::checkAllFrequencies(ws, prompter) &&
            ask(msg(MessageKey::SomeFreqOutOfRange), Buttons::YesNo, Icon::Question) ==
                Answer::Yes) {
            model::correctAllFrequencies(ws, prompter);
            corrected = true;
        }
    }
    events.bandAdopted(corrected);
}

} // namespace zx::link
