// Recording the steps of the document and putting them back.
#include "model/EditJournal.h"

namespace zx::model {

std::string StepName::caption(int language) const {
    std::string text(what[language]);
    if (!detail.empty()) {
        if (!text.empty())
            text += ' ';
        text += detail;
    }
    return text;
}

DocumentFrame currentFrame(const Workspace& ws) {
    const RuntimeState& s = ws.state;
    return {s.bandText,        s.bandLow,         s.bandHigh, s.modelCode,
            s.dataVersionText, s.currentFileName, s.untitled};
}

void EditJournal::restore(Workspace& ws, const EditStep& step, bool before) {
    const DocumentSnapshot& side = before ? step.before : step.after;
    const Integer group = ws.record.currentGroup;
    ws.record = *side.record;
    ws.record.currentGroup = step.name.place.group >= 0 ? Integer(step.name.place.group) : group;
    if (step.changesFrame()) {
        const DocumentFrame& f = side.frame;
        ws.state.bandText = f.bandText;
        ws.state.bandLow = f.bandLow;
        ws.state.bandHigh = f.bandHigh;
        ws.state.modelCode = f.modelCode;
        ws.state.dataVersionText = f.dataVersionText;
        ws.state.currentFileName = f.currentFileName;
        ws.state.untitled = f.untitled;
    }
    latest_ = ws.record == *side.record ? side.record : nullptr;
}

EditScope::EditScope(Workspace& ws, StepName name)
    : ws_(ws), journal_(ws.journal), name_(std::move(name)) {
    if (journal_ == nullptr)
        return;
    outermost_ = journal_->depth_++ == 0;
    if (!outermost_)
        return; // part of an outer step
    // Most steps start where the previous one ended: share its record instead of copying.
    if (journal_->latest_ && *journal_->latest_ == ws.record)
        before_.record = journal_->latest_;
    else
        before_.record = std::make_shared<const ConfigRecord>(ws.record);
    before_.frame = currentFrame(ws);
}

EditScope::~EditScope() {
    if (journal_ == nullptr)
        return;
    --journal_->depth_;
    // Only the outermost scope records, and only into a journal still attached.
    if (!outermost_ || ws_.journal != journal_)
        return;
    try {
        DocumentSnapshot after{nullptr, currentFrame(ws_)};
        if (*before_.record == ws_.record && before_.frame == after.frame)
            return; // nothing changed: no step
        after.record = std::make_shared<const ConfigRecord>(ws_.record);
        journal_->latest_ = after.record;
        journal_->record({std::move(name_), std::move(before_), std::move(after)});
    } catch (...) {
        // Out of memory while recording: the edit stands, it just cannot be taken back.
    }
}

void documentReplaced(Workspace& ws) {
    EditJournal* journal = ws.journal;
    if (journal == nullptr || journal->depth_ > 0)
        return;
    journal->latest_.reset();
    journal->clear();
}

} // namespace zx::model
