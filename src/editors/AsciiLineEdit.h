// A text box that accepts only what can be typed on a 7-bit keyboard: copy, cut and paste
// (keys, context menu, middle button, drag and drop) are refused, Enter moves the focus on
// instead of inserting anything, and characters above code 127 are refused whether they come
// from a key or from an input method. Leaving the box is announced so the owner can commit.
#pragma once

#include <QLineEdit>

namespace zx::editors {

class AsciiLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit AsciiLineEdit(QWidget* parent = nullptr);

signals:
    void left(); // the box lost the focus

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

// True when every character of `text` is 7-bit.
bool isSevenBit(const QString& text);

} // namespace zx::editors
