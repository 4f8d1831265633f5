// The channel grid's cell editors and what ends an edit.
#include "editors/ChannelCellDelegate.h"

#include "editors/AccessibleName.h"
#include "editors/ChannelGridKeys.h"
#include "editors/ChannelGridModel.h"
#include "editors/InputGuards.h"
#include "model/ConfigRecord.h"
#include "text/labels/ChannelInfoLabels.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace zx::editors {

namespace {

namespace labels = text::labels::channel_info;

// The entry a list showed when it was filled, to tell a choice of the user from it.
const char* const kShownIndex = "zxShownIndex";

QString qs(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

// A list set from a stored text shows the equal entry, else its first entry; an empty list
// shows nothing.
void selectEqualOrFirst(QComboBox* list, const QString& text) {
    const int index = list->findText(text, Qt::MatchExactly);
    list->setCurrentIndex(index >= 0 ? index : (list->count() > 0 ? 0 : -1));
}

} // namespace

ChannelCellDelegate::ChannelCellDelegate(QWidget* viewport, QObject* parent)
    : QStyledItemDelegate(parent) {
    textBox_ = new QLineEdit(viewport);
    textBox_->setObjectName(QStringLiteral("Text1"));
    textBox_->setAlignment(Qt::AlignCenter);
    textBox_->hide();
    new FrequencyBoxGuard(textBox_);
    routeUndoKeys(textBox_);
    for (std::size_t i = 0; i < lists_.size(); ++i) {
        lists_[i] = new QComboBox(viewport);
        lists_[i]->setObjectName(QStringLiteral("Combo8_%1").arg(i + 1));
        lists_[i]->hide();
        guardWheel(lists_[i]);
    }
}

QComboBox* ChannelCellDelegate::cellList(int column) const {
    if (column < model::ColBusy || column > model::ColScan)
        return nullptr;
    return lists_[std::size_t(column - model::ColBusy)];
}

QWidget* ChannelCellDelegate::editorFor(int column) const {
    if (column == model::ColRxFreq || column == model::ColTxFreq)
        return textBox_;
    return cellList(column);
}

void ChannelCellDelegate::setLanguage(int language) {
    for (int column = model::ColBusy; column <= model::ColScan; ++column) {
        QComboBox* list = cellList(column);
        const int index = list->currentIndex();
        const auto& entries =
            column == model::ColScan ? labels::kScanEntries : labels::kFlagEntries;
        const QSignalBlocker quiet(list);
        list->clear();
        for (const text::TextTable& entry : entries)
            list->addItem(qs(entry[language]));
        list->setCurrentIndex(index);
    }
}

bool ChannelCellDelegate::isPending(const QWidget* editor) const {
    if (editor == textBox_)
        return textBox_->isModified();
    if (const auto* list = qobject_cast<const QComboBox*>(editor))
        return list->currentIndex() != list->property(kShownIndex).toInt();
    return false;
}

void ChannelCellDelegate::keepRefused(QWidget* editor, const QString& typed) const {
    if (editor != textBox_)
        return;
    textBox_->setText(typed);
    textBox_->setModified(true);
    textBox_->selectAll();
}

QWidget* ChannelCellDelegate::createEditor(QWidget*, const QStyleOptionViewItem&,
                                           const QModelIndex& index) const {
    return editorFor(index.column());
}

void ChannelCellDelegate::destroyEditor(QWidget*, const QModelIndex&) const {
    // The editors serve every cell; the grid has hidden this one already.
}

void ChannelCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString text = index.data(Qt::EditRole).toString();
    if (const auto* grid = qobject_cast<const ChannelGridModel*>(index.model()))
        nameControl(editor, grid->cellName(index.row() + 1, index.column()));
    if (editor == textBox_) {
        textBox_->setText(text); // also clears the modified flag and the box's own undo
        textBox_->selectAll();
    } else if (auto* list = qobject_cast<QComboBox*>(editor)) {
        selectEqualOrFirst(list, text);
        list->setProperty(kShownIndex, list->currentIndex());
    }
}

void ChannelCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                       const QModelIndex& index) const {
    // Passing through a cell, or scrolling past it, stores nothing.
    if (!isPending(editor))
        return;
    if (editor == textBox_) {
        textBox_->setModified(false);
        model->setData(index, textBox_->text());
    } else if (auto* list = qobject_cast<QComboBox*>(editor)) {
        list->setProperty(kShownIndex, list->currentIndex());
        model->setData(index, QString::number(list->currentIndex()));
    }
}

void ChannelCellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                               const QModelIndex&) const {
    editor->setGeometry(option.rect); // exactly over the cell
}

bool ChannelCellDelegate::eventFilter(QObject* watched, QEvent* event) {
    auto* editor = qobject_cast<QWidget*>(watched);
    if (editor == nullptr)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) &&
            key->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier)) {
            emit moveRequested(key->key() == Qt::Key_Down);
            return true;
        }
        // Ctrl+Tab belongs to the main window (the next child window).
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            (key->modifiers() & Qt::ControlModifier))
            return false;
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            emit enterPressed();
            return true;
        case Qt::Key_Tab:
            emit tabPressed(!(key->modifiers() & Qt::ShiftModifier));
            return true;
        case Qt::Key_Backtab:
            emit tabPressed(false);
            return true;
        case Qt::Key_Left:
        case Qt::Key_Right: {
            if (key->modifiers() != Qt::NoModifier && key->modifiers() != Qt::KeypadModifier)
                return false;
            const bool right = key->key() == Qt::Key_Right;
            if (editor == textBox_) {
                // The caret moves inside the text; only at its end, or with the whole text
                // chosen, does the key go on to the cell beside, as in a spreadsheet.
                const QString& text = textBox_->text();
                const bool whole =
                    textBox_->hasSelectedText() && textBox_->selectedText().size() == text.size();
                const bool atEdge = !textBox_->hasSelectedText() &&
                                    textBox_->cursorPosition() == (right ? text.size() : 0);
                if (!whole && !atEdge)
                    return false;
            }
            emit sidewaysPressed(right);
            return true;
        }
        case Qt::Key_Escape:
            emit revertRequested();
            return true;
        default:
            return false;
        }
    }
    case QEvent::ShortcutOverride:
        // Escape belongs to the editor.
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            event->accept();
            return true;
        }
        return false;
    case QEvent::FocusOut: {
        // A dialog, a menu or another program took the focus for a while: the edit goes on
        // when it comes back.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return false;
        QWidget* now = QApplication::focusWidget();
        if (now && editor->isAncestorOf(now))
            return false;
        // A click elsewhere in the grid: the grid stores the edit when its cursor moves, and
        // keeps the user in the cell when it refuses the value.
        QWidget* viewport = editor->parentWidget();
        if (now && viewport && (now == viewport || now == viewport->parentWidget()))
            return false;
        // Leaving the cell editor for another control stores it (the box's validation).
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        return false;
    }
    default:
        return false;
    }
}

} // namespace zx::editors
