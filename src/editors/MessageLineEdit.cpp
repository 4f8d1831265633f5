// Faint dots over the trailing blanks of a message line.
#include "editors/MessageLineEdit.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace zx::editors {

namespace {
// QLineEdit leaves this many pixels between its contents rectangle and the first character.
constexpr int kTextInset = 2;
} // namespace

MessageLineEdit::MessageLineEdit(QWidget* parent) : AsciiLineEdit(parent) {}

int MessageLineEdit::trailingBlanks() const {
    const QString shown = text();
    int count = 0;
    while (count < shown.size() && shown.at(shown.size() - 1 - count) == QLatin1Char(' '))
        ++count;
    return count;
}

QRect MessageLineEdit::textArea() const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    return style()
        ->subElementRect(QStyle::SE_LineEditContents, &option, this)
        .marginsRemoved(textMargins());
}

QPoint MessageLineEdit::dotCentre(int index) const {
    const QFontMetrics metrics = fontMetrics();
    const QString shown = text();
    const QRect area = textArea();
    const int left = area.left() + kTextInset + metrics.horizontalAdvance(shown.left(index));
    const int width = metrics.horizontalAdvance(shown.mid(index, 1));
    return {left + width / 2, area.center().y()};
}

void MessageLineEdit::paintEvent(QPaintEvent* event) {
    AsciiLineEdit::paintEvent(event);
    const int blanks = trailingBlanks();
    if (blanks == 0)
        return;
    const QString shown = text();
    // The box is made wide enough for a whole line; should the text ever scroll, the dots
    // would be in the wrong place, so none are drawn then.
    if (textArea().left() + kTextInset + fontMetrics().horizontalAdvance(shown) >
        textArea().right())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor colour = palette().color(QPalette::Text);
    colour.setAlphaF(0.35f);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    const qreal radius = qMax(1.0, fontMetrics().height() / 12.0);
    for (int i = int(shown.size()) - blanks; i < shown.size(); ++i)
        painter.drawEllipse(QPointF(dotCentre(i)), radius, radius);
}

} // namespace zx::editors
