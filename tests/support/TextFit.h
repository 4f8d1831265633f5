// Whether the texts of a window can be read whole: every label, button, check box, list and
// text box at least as wide as its text needs, and the cells and headers of lists and tables
// wide (and high) enough for what they show. Used with a larger application font.
#pragma once

#include "text/Mnemonic.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QStyle>
#include <QTableView>
#include <QTreeWidget>
#include <QWidget>
#include <functional>

namespace zx::test::fit {

inline QString describe(const QWidget* w, const QString& text) {
    return QStringLiteral("%1 '%2' cuts '%3'")
        .arg(QString::fromLatin1(w->metaObject()->className()), w->objectName(), text);
}

inline QString readable(const QString& caption) {
    return QString::fromStdString(text::withoutMnemonic(caption.toStdString()));
}

// The texts of `window` that do not fit their control.
inline QStringList clippedTexts(QWidget* window, const std::function<bool(QWidget*)>& skip = {}) {
    QStringList cut;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || (skip && skip(w)))
            continue;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->text().isEmpty() || label->wordWrap() || label->textFormat() == Qt::RichText)
                continue;
            const int needed = label->fontMetrics().horizontalAdvance(readable(label->text()));
            if (needed > label->contentsRect().width())
                cut << describe(label, readable(label->text()));
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            if (!button->text().isEmpty() && button->width() < button->sizeHint().width())
                cut << describe(button, readable(button->text()));
        } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
            const int needed = box->fontMetrics().horizontalAdvance(readable(box->title()));
            if (!box->title().isEmpty() && needed > box->width())
                cut << describe(box, box->title());
        } else if (auto* list = qobject_cast<QComboBox*>(w)) {
            // Wide enough for its longest entry, as it would make itself.
            if (list->count() > 0 && list->width() < list->minimumSizeHint().width())
                cut << describe(list, list->currentText());
        } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
            const int frame = line->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) * 2 + 4;
            if (line->fontMetrics().horizontalAdvance(line->text()) + frame > line->width())
                cut << describe(line, line->text());
        } else if (auto* table = qobject_cast<QTableView*>(w)) {
            // The margin the style leaves either side of a cell's text.
            const int margin =
                table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1;
            for (int column = 0; column < table->model()->columnCount(); ++column) {
                if (table->isColumnHidden(column))
                    continue;
                for (int row = 0; row < table->model()->rowCount(); ++row) {
                    const QString text = table->model()->index(row, column).data().toString();
                    if (table->fontMetrics().horizontalAdvance(text) + 2 * margin >
                        table->columnWidth(column)) {
                        cut << describe(table, text);
                        break;
                    }
                }
            }
            if (table->model()->rowCount() > 0 &&
                table->rowHeight(0) < table->fontMetrics().height())
                cut << describe(table, QStringLiteral("(row height)"));
        } else if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
            const int room = tree->viewport()->width();
            for (QTreeWidgetItemIterator it(tree); *it; ++it) {
                const QRect at = tree->visualItemRect(*it);
                const QString text = readable((*it)->text(0));
                if (tree->columnCount() == 1 && at.isValid() &&
                    at.left() + tree->fontMetrics().horizontalAdvance(text) > room)
                    cut << describe(tree, text);
            }
        }
    }
    return cut;
}

} // namespace zx::test::fit
