// Closing an editor window that may be wrapped in an MDI sub-window.
#include "editors/EditorSupport.h"

#include <QMdiSubWindow>

namespace zx::editors {

void closeHostWindow(QWidget* window) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget());
        sub && sub->widget() == window) {
        sub->close();
        return;
    }
    window->close();
}

} // namespace zx::editors
