// Names a control for a screen reader where no label of the window names it, so that the
// reader says what the control is for and the control's value stays its value.
#pragma once

#include <QString>

class QWidget;

namespace zx::editors {

// Gives `control` the accessible name `name`. A list box is read on Linux by the label
// linked to it (its own name is its current entry), so a list gets an unseen label of that
// text as well.
void nameControl(QWidget* control, const QString& name);

// Set on the unseen labels of nameControl().
inline constexpr const char* kUnseenLabelMark = "zxUnseenLabelMark";

} // namespace zx::editors
