// The text box of one embedded message line: a 7-bit box that shows the blanks at the end of
// its text as faint dots. A line loaded from a file may be filled up with blanks that count
// against its 32 characters; without the dots it would look short yet refuse more typing.
// Only the drawing changes: the text itself keeps every blank.
#pragma once

#include "editors/AsciiLineEdit.h"

namespace zx::editors {

class MessageLineEdit : public AsciiLineEdit {
    Q_OBJECT
public:
    explicit MessageLineEdit(QWidget* parent = nullptr);

    // The number of blanks at the end of the text (those drawn as dots).
    int trailingBlanks() const;
    // Where the dot of the character at `index` is drawn, in widget coordinates.
    QPoint dotCentre(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect textArea() const;
};

} // namespace zx::editors
