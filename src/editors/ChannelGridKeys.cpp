// Key filter and mouse suppression of the channel grid's frequency text box.
#include "editors/ChannelGridKeys.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace zx::editors {

bool isRefusedFrequencyKey(const QKeyEvent& event) {
    if (event.matches(QKeySequence::Copy) || event.matches(QKeySequence::Paste) ||
        event.matches(QKeySequence::Cut))
        return true;
    if (event.modifiers() & Qt::ControlModifier) {
        const int key = event.key();
        if (key == Qt::Key_C || key == Qt::Key_V || key == Qt::Key_X)
            return true;
        // Any other Ctrl combination is an editing command (undo, select all, word moves)
        // and types nothing, whatever character the event carries with it.
        return false;
    }
    for (const QChar ch : event.text()) {
        const char16_t code = ch.unicode();
        if (code == 3 || code == 22 || code == 24) // Ctrl+C, Ctrl+V, Ctrl+X as characters
            return true;
        if (code > 127)
            return true;
        if (code >= 32 && code <= 126 && !(code >= u'0' && code <= u'9') && code != u'.')
            return true;
    }
    return false;
}

FrequencyBoxGuard::FrequencyBoxGuard(QLineEdit* box) : QObject(box) {
    box->setContextMenuPolicy(Qt::NoContextMenu);
    box->setAcceptDrops(false);
    box->setDragEnabled(false);
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->installEventFilter(this);
}

bool FrequencyBoxGuard::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        return isRefusedFrequencyKey(*static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        return mouse->button() == Qt::RightButton || mouse->button() == Qt::MiddleButton;
    }
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::DragEnter:
    case QEvent::Drop:
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace zx::editors
