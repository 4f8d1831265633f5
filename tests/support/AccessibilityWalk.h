// What a screen reader and a keyboard user meet in a window, measured the way an assistive
// tool sees it: the window's accessible tree (QAccessible) is walked from its top, every
// interactive control is counted as named or unnamed, labels are checked for the control
// they describe, Alt+letters for being there and unique, and Tab is pressed round the
// window to see which controls it reaches and whether it ever gets stuck.
#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QPair>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QStringList>
#include <QTableView>
#include <QTest>
#include <QToolBar>
#include <QWidget>
#include <cstdlib>
#include <functional>

namespace zx::test::a11y {

// The checks of a walk; a test may leave one out to see what the others find.
enum Rule : unsigned {
    Names = 1,      // every interactive control has a name of its own or a linked label
    Labels = 2,     // a label with an Alt+letter has its control; no label beside an unlinked one
    Reach = 4,      // Tab reaches every enabled control (tool bar buttons: through the menus)
    Traps = 8,      // each Tab leaves the control it was pressed in; the round comes back
    Mnemonics = 16, // every labelled control and button has an Alt+letter, unique per window
    AllRules = 31,
};

struct Findings {
    QString window;
    int interactive = 0;
    int named = 0;
    QStringList unnamed;
    QStringList labels;
    QStringList unreachable;
    QStringList traps;
    QStringList mnemonics;

    double share() const { return interactive ? 100.0 * named / interactive : 100.0; }
    QStringList all() const { return unnamed + labels + unreachable + traps + mnemonics; }
};

// Controls whose text is their value: their own text is no name.
inline bool carriesValue(QAccessible::Role role) {
    switch (role) {
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::List:
    case QAccessible::Table:
    case QAccessible::Tree:
    case QAccessible::Slider:
    case QAccessible::ProgressBar:
        return true;
    default:
        return false;
    }
}

// Controls the user works: those that carry a value and those that are pressed.
inline bool isInteractiveRole(QAccessible::Role role) {
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::PageTabList:
    case QAccessible::ButtonDropDown:
    case QAccessible::ButtonMenu:
        return true;
    default:
        return carriesValue(role);
    }
}

inline QString describe(const QWidget* w) {
    return QStringLiteral("%1 '%2'").arg(QString::fromLatin1(w->metaObject()->className()),
                                         w->objectName());
}

inline bool hasLabelRelation(QAccessibleInterface* iface) {
    for (const auto& relation : iface->relations(QAccessible::Label))
        if (relation.first && !relation.first->text(QAccessible::Name).trimmed().isEmpty())
            return true;
    return false;
}

inline bool isNamed(QAccessibleInterface* iface, const QWidget* w) {
    if (hasLabelRelation(iface))
        return true;
    // A list box is read on Linux by its linked label; its own name is its current entry.
    if (iface->role() == QAccessible::ComboBox) {
        const QString name = iface->text(QAccessible::Name).trimmed();
        return !name.isEmpty() && name != iface->text(QAccessible::Value).trimmed();
    }
    if (!w->accessibleName().trimmed().isEmpty())
        return true;
    if (carriesValue(iface->role()))
        return false;
    return !iface->text(QAccessible::Name).trimmed().isEmpty();
}

// The interactive controls of `window` that can be seen: the accessible tree from the top
// (items of lists and tables are not controls of their own), then the widgets a view keeps
// over its cells, which the tree does not reach.
inline QList<QWidget*> interactiveControls(QWidget* window,
                                           const std::function<bool(QWidget*)>& skip = {}) {
    QList<QWidget*> found;
    QSet<QWidget*> seen;
    auto consider = [&](QWidget* w, QAccessibleInterface* iface) {
        if (!w || seen.contains(w) || !w->isVisibleTo(window) || (skip && skip(w)))
            return;
        seen.insert(w);
        if (iface && isInteractiveRole(iface->role()))
            found.append(w);
    };
    std::function<void(QAccessibleInterface*)> visit = [&](QAccessibleInterface* iface) {
        if (!iface)
            return;
        auto* w = qobject_cast<QWidget*>(iface->object());
        if (w && w != window)
            consider(w, iface);
        if (w && w != window && (!w->isVisibleTo(window) || (skip && skip(w))))
            return;
        const QAccessible::Role role = iface->role();
        if (role == QAccessible::Table || role == QAccessible::List || role == QAccessible::Tree ||
            role == QAccessible::ComboBox)
            return;
        for (int i = 0; i < iface->childCount(); ++i)
            visit(iface->child(i));
    };
    visit(QAccessible::queryAccessibleInterface(window));
    // The line inside an editable list or a spin box is part of that control.
    auto partOfControl = [window](QWidget* w) {
        for (QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
            if (qobject_cast<QComboBox*>(p) || qobject_cast<QAbstractSpinBox*>(p))
                return true;
        return false;
    };
    for (QWidget* w : window->findChildren<QWidget*>())
        if (!partOfControl(w))
            consider(w, QAccessible::queryAccessibleInterface(w));
    return found;
}

// The interactive control a focused widget belongs to: the outermost interactive ancestor
// inside the window (a view's cell editor belongs to the view, a list's line to the list).
inline QWidget* ownerOf(QWidget* focus, QWidget* window) {
    QWidget* owner = focus;
    for (QWidget* w = focus; w && w != window; w = w->parentWidget()) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
        if (iface && isInteractiveRole(iface->role()))
            owner = w;
    }
    return owner;
}

inline QChar mnemonicOf(const QString& text) {
    const QKeySequence key = QKeySequence::mnemonic(text);
    if (key.isEmpty())
        return QChar();
    return QKeySequence(key[0].key()).toString().at(0).toUpper();
}

inline bool inToolBar(const QWidget* w) {
    for (const QWidget* p = w; p; p = p->parentWidget())
        if (qobject_cast<const QToolBar*>(p))
            return true;
    return false;
}

inline void settle() {
    QApplication::processEvents();
    QTest::qWait(15);
}

// How the accessible table of `view` differs from what the view shows: a reader must be
// offered the columns shown and no other, in their order, each with its header, every cell
// reading as the model's cell of that column and knowing its place; the children a reader
// walks are those headers and cells. Empty when they agree.
inline QStringList tableMismatches(QTableView* view) {
    QStringList found;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(view);
    QAccessibleTableInterface* table = iface ? iface->tableInterface() : nullptr;
    if (!table)
        return {describe(view) + QStringLiteral(" is no accessible table")};
    const QAbstractItemModel* model = view->model();
    QList<int> shown;
    for (int column = 0; column < model->columnCount(); ++column)
        if (!view->isColumnHidden(column))
            shown.append(column);
    if (table->columnCount() != shown.size())
        found << QStringLiteral("%1 columns offered, %2 shown")
                     .arg(table->columnCount())
                     .arg(shown.size());
    if (table->rowCount() != model->rowCount())
        found << QStringLiteral("%1 rows offered, %2 in the model")
                     .arg(table->rowCount())
                     .arg(model->rowCount());
    auto readAs = [](const QModelIndex& index) {
        const QString name = index.data(Qt::AccessibleTextRole).toString();
        return name.isEmpty() ? index.data(Qt::DisplayRole).toString() : name;
    };
    QStringList headers;
    for (int k = 0; k < std::min(int(shown.size()), table->columnCount()); ++k) {
        const QString header = model->headerData(shown[k], Qt::Horizontal).toString();
        headers << header;
        if (table->columnDescription(k) != header)
            found << QStringLiteral("column %1 is described as '%2', shown as '%3'")
                         .arg(k)
                         .arg(table->columnDescription(k), header);
        for (int row = 0; row < model->rowCount(); ++row) {
            QAccessibleInterface* cell = table->cellAt(row, k);
            QAccessibleTableCellInterface* place = cell ? cell->tableCellInterface() : nullptr;
            const QString expected = readAs(model->index(row, shown[k]));
            QString wrong;
            if (!place)
                wrong = QStringLiteral("missing");
            else if (cell->text(QAccessible::Name) != expected)
                wrong = QStringLiteral("reads '%1', not '%2'")
                            .arg(cell->text(QAccessible::Name), expected);
            else if (place->rowIndex() != row || place->columnIndex() != k)
                wrong = QStringLiteral("says it is at %1,%2")
                            .arg(place->rowIndex())
                            .arg(place->columnIndex());
            else if (!view->horizontalHeader()->isHidden() &&
                     (place->columnHeaderCells().size() != 1 ||
                      place->columnHeaderCells().front()->text(QAccessible::Name) != header))
                wrong = QStringLiteral("has not the header '%1'").arg(header);
            if (!wrong.isEmpty()) {
                found << QStringLiteral("cell %1,%2 %3").arg(row).arg(k).arg(wrong);
                break; // one finding per column is enough
            }
        }
    }
    if (table->cellAt(0, int(shown.size())) != nullptr)
        found << QStringLiteral("a cell right of the last column shown is offered");
    // The children: the headers shown and the cells of the columns shown.
    const int headerRow = view->horizontalHeader()->isHidden() ? 0 : 1;
    const int children = iface->childCount();
    if (children != (model->rowCount() + headerRow) * int(shown.size()))
        found << QStringLiteral("%1 children for %2 columns shown").arg(children).arg(shown.size());
    for (int i = 0; i < children; ++i) {
        QAccessibleInterface* child = iface->child(i);
        if (child && child->role() == QAccessible::ColumnHeader &&
            !headers.contains(child->text(QAccessible::Name))) {
            found << QStringLiteral("the header '%1' of a hidden column is offered")
                         .arg(child->text(QAccessible::Name));
        } else if (child && child->tableCellInterface() &&
                   child->tableCellInterface()->columnIndex() >= int(shown.size())) {
            found << QStringLiteral("child %1 lies in column %2 of %3 shown")
                         .arg(i)
                         .arg(child->tableCellInterface()->columnIndex())
                         .arg(shown.size());
            break;
        }
    }
    return found;
}

// Walks a shown window. `skip` leaves widgets out (the workspace of the main window, whose
// child windows are walked on their own); `reserved` are Alt+letters already taken where the
// window is shown (the menu bar of the main window around a child window).
inline Findings walk(QWidget* window, unsigned rules = AllRules,
                     const std::function<bool(QWidget*)>& skip = {}, const QString& reserved = {}) {
    Findings f;
    f.window = window->objectName();
    settle();
    const QList<QWidget*> controls = interactiveControls(window, skip);

    for (QWidget* w : controls) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
        ++f.interactive;
        if (isNamed(iface, w))
            ++f.named;
        else if (rules & Names)
            f.unnamed << describe(w) + QStringLiteral(" has no name");
    }

    const QList<QLabel*> labels = window->findChildren<QLabel*>();
    if (rules & Labels) {
        for (QLabel* label : labels) {
            if (!label->isVisibleTo(window) || (skip && skip(label)) || label->text().isEmpty())
                continue;
            if (label->buddy() == nullptr && !mnemonicOf(label->text()).isNull())
                f.labels << describe(label) + QStringLiteral(" has an Alt+letter but no control");
            if (label->buddy() != nullptr)
                continue;
            // A label beside a control it does not name: right of it or just below it.
            // A label beside a control it does not name: the control right of it, or, with
            // none there, the one just below it that starts where the label starts.
            const QRect l(label->mapTo(window, QPoint(0, 0)), label->size());
            const int line = label->fontMetrics().height();
            QWidget* right = nullptr;
            QWidget* below = nullptr;
            for (QWidget* w : controls) {
                const QRect c(w->mapTo(window, QPoint(0, 0)), w->size());
                if (c.left() >= l.right() - 2 && c.left() - l.right() < 3 * line &&
                    c.top() < l.bottom() && c.bottom() > l.top())
                    right = right ? right : w;
                else if (c.top() >= l.bottom() - 2 && c.top() - l.bottom() < line &&
                         std::abs(c.left() - l.left()) < line)
                    below = below ? below : w;
            }
            QWidget* beside = right ? right : below;
            if (beside) {
                QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(beside);
                if (carriesValue(iface->role()) && (beside->focusPolicy() & Qt::TabFocus) &&
                    !hasLabelRelation(iface))
                    f.labels << describe(label) + QStringLiteral(" is not linked to ") +
                                    describe(beside);
            }
        }
    }

    if (rules & Mnemonics) {
        // Labels naming a control, buttons, check boxes and checkable frames.
        QList<QPair<QString, const QWidget*>> lettered;
        for (QLabel* label : labels)
            if (label->buddy() && label->isVisibleTo(window) && !label->text().isEmpty() &&
                !(skip && skip(label)))
                lettered.append({label->text(), label});
        for (QWidget* w : controls) {
            auto* button = qobject_cast<QAbstractButton*>(w);
            if (button && !inToolBar(button) && !button->text().isEmpty())
                lettered.append({button->text(), button});
        }
        for (QGroupBox* box : window->findChildren<QGroupBox*>())
            if (box->isCheckable() && box->isVisibleTo(window))
                lettered.append({box->title(), box});
        // A window of more such controls than there are free letters shares them (the key
        // pressed again goes on to the next control of that letter); the others may not.
        QSet<QChar> frame;
        for (QChar c : reserved)
            frame.insert(c.toUpper());
        const bool crowded = lettered.size() > 26 - frame.size();
        QHash<QChar, QString> taken;
        for (const auto& [text, w] : lettered) {
            const QChar c = mnemonicOf(text);
            if (c.isNull())
                f.mnemonics << describe(w) + QStringLiteral(" '%1' has no Alt+letter").arg(text);
            else if (frame.contains(c))
                f.mnemonics << describe(w) + QStringLiteral(" takes Alt+%1 of the menu bar").arg(c);
            else if (taken.contains(c) && !crowded)
                f.mnemonics << describe(w) + QStringLiteral(" takes Alt+%1 of %2").arg(c, taken[c]);
            else
                taken.insert(c, describe(w));
        }
    }

    if (rules & (Reach | Traps)) {
        window->activateWindow();
        QApplication::setActiveWindow(window->window());
        settle();
        // The round starts at the window's first control in the Tab order.
        QWidget* focus = nullptr;
        for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain())
            if (window->isAncestorOf(w) && w->isVisible() && w->isEnabled() &&
                (w->focusPolicy() & Qt::TabFocus) && !(skip && skip(w))) {
                focus = w;
                break;
            }
        if (focus) {
            focus->setFocus(Qt::TabFocusReason);
            settle();
            focus = QApplication::focusWidget();
        }
        // In a window of one control Tab has nowhere else to go.
        int stops = 0;
        for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain())
            if (window->isAncestorOf(w) && w->isVisible() && w->isEnabled() &&
                (w->focusPolicy() & Qt::TabFocus) && !(skip && skip(w)))
                ++stops;
        const bool alone = stops <= 1;
        QSet<QWidget*> reached;
        QWidget* first = focus ? ownerOf(focus, window) : nullptr;
        bool back = false;
        const int presses = 2 * int(controls.size()) + 6;
        for (int i = 0; focus && i < presses; ++i) {
            QWidget* before = ownerOf(focus, window);
            reached.insert(before);
            QTest::keyClick(focus, Qt::Key_Tab);
            settle();
            focus = QApplication::focusWidget();
            if (!focus)
                break;
            QWidget* after = ownerOf(focus, window);
            if ((rules & Traps) && after == before && !alone && !f.traps.contains(describe(before)))
                f.traps << describe(before);
            // Back at the start, or out of a window that shares its frame: the round is done.
            if ((after == first && after != before) || !window->isAncestorOf(focus)) {
                back = true;
                break;
            }
        }
        if ((rules & Traps) && first && !back && !alone)
            f.traps << QStringLiteral("Tab never comes back to ") + describe(first);
        if (rules & Reach)
            for (QWidget* w : controls) {
                QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
                if (!w->isEnabled() || inToolBar(w) || iface->role() == QAccessible::ProgressBar)
                    continue;
                if (!reached.contains(w))
                    f.unreachable << describe(w) + QStringLiteral(" is out of Tab's reach");
            }
    }
    return f;
}

} // namespace zx::test::a11y
