// A list that looks and behaves like a read-only text box.
#include "editors/ReadOnlyList.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace zx::editors {

ReadOnlyList::ReadOnlyList(QWidget* parent) : QComboBox(parent) {
    // An editable list shows its entry in a line edit. Made read-only, given its frame back
    // and laid over the whole list, it is drawn exactly like the text boxes of the window.
    setEditable(true);
    lineEdit()->setReadOnly(true);
    lineEdit()->setFrame(true);
    lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
    setContextMenuPolicy(Qt::NoContextMenu);
}

void ReadOnlyList::showPopup() {
    // There is nothing to choose.
}

void ReadOnlyList::paintEvent(QPaintEvent*) {
    // The line edit covers the list; the drop-down button is not drawn at all.
}

void ReadOnlyList::resizeEvent(QResizeEvent* event) {
    QComboBox::resizeEvent(event);
    coverWithLineEdit();
}

void ReadOnlyList::showEvent(QShowEvent* event) {
    QComboBox::showEvent(event);
    coverWithLineEdit();
}

void ReadOnlyList::changeEvent(QEvent* event) {
    QComboBox::changeEvent(event);
    coverWithLineEdit();
}

void ReadOnlyList::coverWithLineEdit() {
    // The list places its line edit beside the button after every resize or style change.
    if (QLineEdit* edit = lineEdit())
        edit->setGeometry(rect());
}

QSize ReadOnlyList::sizeHint() const {
    return QSize(QComboBox::sizeHint().width(), lineEdit()->sizeHint().height());
}

QSize ReadOnlyList::minimumSizeHint() const {
    return QSize(QComboBox::minimumSizeHint().width(), lineEdit()->minimumSizeHint().height());
}

void ReadOnlyList::keyPressEvent(QKeyEvent* event) {
    // The keys that step through or open a list do nothing here.
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_F4:
    case Qt::Key_Space:
        event->ignore();
        return;
    default:
        QComboBox::keyPressEvent(event);
    }
}

void ReadOnlyList::wheelEvent(QWheelEvent* event) {
    event->ignore();
}

} // namespace zx::editors
