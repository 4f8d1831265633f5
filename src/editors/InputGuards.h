// Small input rules shared by the editor windows, so that nothing changes the document
// unless the user points at it:
// - a list changes by the mouse wheel only while it has the keyboard focus; otherwise the
//   wheel scrolls whatever lies beneath it (the grid, the window area);
// - Ctrl+Z and Ctrl+Y in a text box first take back (and redo) the typing in the box; once
//   the box has nothing of its own to take back they reach the program's Undo and Redo.
#pragma once

#include <QObject>

class QComboBox;
class QLineEdit;

namespace zx::editors {

// Installs the wheel rule on a list (its focus policy stops taking the focus by wheel).
void guardWheel(QComboBox* list);

// Installs the undo key rule on a text box.
void routeUndoKeys(QLineEdit* box);

} // namespace zx::editors
