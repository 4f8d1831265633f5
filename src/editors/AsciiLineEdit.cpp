// Key, mouse and input-method filtering of the 7-bit text boxes.
#include "editors/AsciiLineEdit.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace zx::editors {

namespace {

constexpr char16_t kCtrlC = 3;
constexpr char16_t kCtrlV = 22;
constexpr char16_t kCtrlX = 24;

bool isClipboardKey(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Paste) ||
        event->matches(QKeySequence::Cut))
        return true;
    const QString text = event->text();
    return text.size() == 1 && (text[0].unicode() == kCtrlC || text[0].unicode() == kCtrlV ||
                                text[0].unicode() == kCtrlX);
}

// Buttons that would paste (middle, the X11 selection) or open a menu (right).
bool isSwallowedButton(Qt::MouseButton button) {
    return button == Qt::RightButton || button == Qt::MiddleButton;
}

} // namespace

bool isSevenBit(const QString& text) {
    for (QChar c : text)
        if (c.unicode() > 127)
            return false;
    return true;
}

AsciiLineEdit::AsciiLineEdit(QWidget* parent) : QLineEdit(parent) {
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    setDragEnabled(false);
}

void AsciiLineEdit::keyPressEvent(QKeyEvent* event) {
    if (isClipboardKey(event)) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        focusNextChild();
        return;
    }
    if (!isSevenBit(event->text())) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void AsciiLineEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (isSevenBit(event->commitString())) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QString kept;
    for (QChar c : event->commitString())
        if (c.unicode() <= 127)
            kept.append(c);
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(kept, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
    event->accept();
}

void AsciiLineEdit::mousePressEvent(QMouseEvent* event) {
    if (isSwallowedButton(event->button())) {
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void AsciiLineEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (isSwallowedButton(event->button())) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void AsciiLineEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    if (isSwallowedButton(event->button())) {
        event->accept();
        return;
    }
    QLineEdit::mouseDoubleClickEvent(event);
}

void AsciiLineEdit::contextMenuEvent(QContextMenuEvent* event) {
    event->accept(); // no menu, so nothing can be pasted through it
}

void AsciiLineEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    emit left();
}

} // namespace zx::editors
