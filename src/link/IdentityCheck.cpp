// The identity check that guards read, write and band check: model code, data version and,
// for a write, the band of the connected radio against the program and the document.
#include "link/LinkState.h"
#include "model/Band.h"
#include "model/DataFile.h"

namespace zx::link {

using text::MessageKey;

namespace {

std::string cutAtNulTrimmed(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    const std::size_t last = text.find_last_not_of(' ');
    return std::string(last == std::string_view::npos ? std::string_view{}
                                                      : text.substr(0, last + 1));
}

} // namespace

bool Link::State::modelMatches() const {
    return radio.modelCode == cutAtNulTrimmed(ws.state.modelCode);
}

bool Link::State::identityCheck() {
    io.stopAnswerTimer();
    const std::string radioBand = model::bandTextFromIndex(radioBandCode);
    const bool modelOk = modelMatches();
    // The band counts for the transfer of a write only; the reads around it take any band.
    const bool bandOk = kind != OperationKind::Write || phase != WritePhase::Transfer ||
                        ws.state.bandText == radioBand;
    const bool versionOk = model::isCompatibleVersion(ws.versions, radio.dataVersion);
    if (modelOk && bandOk && versionOk)
        return true;
    refused = true;

    // One message, the first that applies.
    if (!modelOk) {
        prompter.deferred().append(msg(MessageKey::ModelTypeWrong));
    } else if (!versionOk) {
        std::string question = msg(MessageKey::VerIncompatible);
        question += text::kCrLf;
        question += "Firmware version is ";
        question += text::versionForDisplay(radio.dataVersion);
        question += text::kCrLf;
        question += msg(MessageKey::VerSoftwareIs);
        question += ' ';
        question += text::versionForDisplay(model::kProgramDataVersion);
        if (ask(question, text::Buttons::YesNo, text::Icon::None) == text::Answer::Yes)
            events.startOtherVersion(radio.dataVersion);
    } else {
        prompter.deferred().append(msg(MessageKey::BandTypeWrong));
    }
    return false;
}

} // namespace zx::link
