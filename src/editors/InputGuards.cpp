// Event filters behind the shared input rules.
#include "editors/InputGuards.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace zx::editors {

namespace {

class WheelGuard : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Wheel && !static_cast<QWidget*>(watched)->hasFocus()) {
            // Ignored and filtered: the list never sees it, its parents get it.
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

class UndoKeyRouter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        const auto* box = static_cast<QLineEdit*>(watched);
        const bool undo = key->matches(QKeySequence::Undo);
        const bool redo = key->matches(QKeySequence::Redo) ||
                          (key->modifiers() == Qt::ControlModifier && key->key() == Qt::Key_Y);
        if ((undo && !box->isUndoAvailable()) || (redo && !box->isRedoAvailable())) {
            // Not taken by the box: the shortcut of the program's Undo or Redo runs.
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void guardWheel(QComboBox* list) {
    list->setFocusPolicy(Qt::StrongFocus);
    list->installEventFilter(new WheelGuard(list));
}

void routeUndoKeys(QLineEdit* box) {
    box->installEventFilter(new UndoKeyRouter(box));
}

} // namespace zx::editors
