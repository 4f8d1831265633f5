// The undo history of the desktop program: the journal every edit of the document is
// recorded in (model/EditJournal.h), kept on a QUndoStack. Undo and redo put the document
// of a step back; the main window then lets the open editors show it.
#pragma once

#include "model/EditJournal.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

namespace zx::app {

class EditHistory : public QObject, public model::EditJournal {
    Q_OBJECT
public:
    // Attaches itself to the workspace as its journal, for as long as it lives.
    explicit EditHistory(model::Workspace& ws, QObject* parent = nullptr);
    ~EditHistory() override;

    bool canUndo() const { return stack_.canUndo(); }
    bool canRedo() const { return stack_.canRedo(); }
    void undo();
    void redo();
    int count() const { return stack_.count(); }

    // The step undo (or redo) would take; nullptr when there is none.
    const model::EditStep* undoStep() const;
    const model::EditStep* redoStep() const;

    // model::EditJournal
    void record(model::EditStep step) override;
    void clear() override;

signals:
    // A step was taken back (undone) or done again; the workspace holds its document.
    void restored(const model::EditStep& step, bool undone);
    // Steps were added, taken, or all dropped.
    void changed();

private:
    class StepCommand;
    const model::EditStep* stepAt(int index) const;
    void putBack(const model::EditStep& step, bool undone);

    model::Workspace& ws_;
    QUndoStack stack_;
};

} // namespace zx::app
