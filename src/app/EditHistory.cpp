// The undo history on a QUndoStack: one command per recorded step.
#include "app/EditHistory.h"

#include <QUndoCommand>

namespace zx::app {

class EditHistory::StepCommand : public QUndoCommand {
public:
    StepCommand(EditHistory& history, model::EditStep step)
        : history_(history), step_(std::move(step)) {}

    const model::EditStep& step() const { return step_; }

    void undo() override { history_.putBack(step_, true); }
    void redo() override {
        // The first redo comes from the push: the step has already happened.
        if (pushed_)
            history_.putBack(step_, false);
        pushed_ = true;
    }

private:
    EditHistory& history_;
    model::EditStep step_;
    bool pushed_ = false;
};

EditHistory::EditHistory(model::Workspace& ws, QObject* parent) : QObject(parent), ws_(ws) {
    ws_.journal = this;
    connect(&stack_, &QUndoStack::indexChanged, this, &EditHistory::changed);
}

EditHistory::~EditHistory() {
    if (ws_.journal == this)
        ws_.journal = nullptr;
}

void EditHistory::undo() {
    stack_.undo();
}

void EditHistory::redo() {
    stack_.redo();
}

const model::EditStep* EditHistory::stepAt(int index) const {
    if (index < 0 || index >= stack_.count())
        return nullptr;
    return &static_cast<const StepCommand*>(stack_.command(index))->step();
}

const model::EditStep* EditHistory::undoStep() const {
    return stepAt(stack_.index() - 1);
}

const model::EditStep* EditHistory::redoStep() const {
    return stepAt(stack_.index());
}

void EditHistory::record(model::EditStep step) {
    stack_.push(new StepCommand(*this, std::move(step)));
}

void EditHistory::clear() {
    stack_.clear();
    emit changed();
}

void EditHistory::putBack(const model::EditStep& step, bool undone) {
    restore(ws_, step, undone);
    emit restored(step, undone);
}

} // namespace zx::app
