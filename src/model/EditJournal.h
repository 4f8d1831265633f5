// Undoable edits of the document. Every change a user makes goes through applyEdit() (or an
// EditScope): when the program has given the workspace a journal, the change is recorded
// there as one step holding the document before and after it, and the journal can put
// either back. Replacing the whole document (New, Open, Initial Setting) empties the
// journal; a read from the radio is a step of its own. Without a journal (command-line tool, tests)
// edits simply happen.
#pragma once

#include "model/Workspace.h"
#include "text/TextTable.h"

#include <memory>
#include <string>

namespace zx::model {

// Where a step changed the document, so that it can be shown again: the channel group and
// the grid cell of a channel edit; group -1 for everything else.
struct EditPlace {
    int group = -1;
    int row = 0;
    int column = 0;
};

// The name of a step: a text of the label tables and a detail that reads the same in every
// language ("A-5"), so that its caption follows a language change.
struct StepName {
    text::TextTable what;
    std::string detail;
    EditPlace place;

    // "RX Frequency A-5" in English, "接收频率 A-5" in Chinese.
    std::string caption(int language) const;
};

// The band and file name the document carries beside its record. Only a band change
// touches them, so only such a step puts them back.
struct DocumentFrame {
    std::string bandText;
    double bandLow = 0;
    double bandHigh = 0;
    std::string modelCode;
    std::string dataVersionText;
    std::string currentFileName;
    bool untitled = true;

    bool operator==(const DocumentFrame&) const = default;
};

// The document at one moment. Records are shared between steps: the record after one step
// is usually the record before the next.
struct DocumentSnapshot {
    std::shared_ptr<const ConfigRecord> record;
    DocumentFrame frame;
};

struct EditStep {
    StepName name;
    DocumentSnapshot before;
    DocumentSnapshot after;

    bool changesFrame() const { return !(before.frame == after.frame); }
};

// Keeps the steps. The desktop program implements it with its undo stack.
class EditJournal {
public:
    virtual ~EditJournal() = default;

    // A step that has just happened (the workspace already holds `after`).
    virtual void record(EditStep step) = 0;
    // The document was replaced: no step may be taken back any more.
    virtual void clear() = 0;

protected:
    // Puts one side of a step back into the workspace. The file buffer stays as it is, so
    // the modified state keeps following the comparison with it; the current group becomes
    // the group of a channel step and stays otherwise.
    void restore(Workspace& ws, const EditStep& step, bool before);

private:
    friend class EditScope;
    friend void documentReplaced(Workspace& ws);
    int depth_ = 0;
    // The record as the journal last left it, shared by the next step when unchanged.
    std::shared_ptr<const ConfigRecord> latest_;
};

// Records everything that changes the document between its construction and its end as one
// step named `name`. Scopes inside a scope belong to the outer step.
class EditScope {
public:
    EditScope(Workspace& ws, StepName name);
    ~EditScope();
    EditScope(const EditScope&) = delete;
    EditScope& operator=(const EditScope&) = delete;

private:
    Workspace& ws_;
    EditJournal* journal_ = nullptr; // null when there is no journal
    bool outermost_ = false;         // only the outermost scope records
    StepName name_;
    DocumentSnapshot before_;
};

// Runs `change` on the workspace as one step named `name`.
template <typename F> void applyEdit(Workspace& ws, StepName name, F&& change) {
    EditScope scope(ws, std::move(name));
    std::forward<F>(change)();
}

// The document was replaced as a whole: empties the journal. Inside a step (the band change
// loads a template) it is part of that step and empties nothing.
void documentReplaced(Workspace& ws);

// The frame of the document as the workspace holds it now.
DocumentFrame currentFrame(const Workspace& ws);

} // namespace zx::model
