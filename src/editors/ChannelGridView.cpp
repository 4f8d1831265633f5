// The channel grid's editing flow: cell entry, the editor over the current cell, the
// Enter/Tab navigation, the editor following a scroll, and the choice of whole rows.
#include "editors/ChannelGridView.h"

#include "editors/ChannelGridAccessible.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <algorithm>

namespace zx::editors {

namespace {

constexpr int kRows = ChannelGridModel::kRows;

bool isFlagColumn(int column) {
    return column >= model::ColBusy && column <= model::ColRb;
}

// Ctrl+Shift+Up or Down: the channels move.
bool isMoveKey(const QKeyEvent& event) {
    return (event.key() == Qt::Key_Up || event.key() == Qt::Key_Down) &&
           event.modifiers() == (Qt::ControlModifier | Qt::ShiftModifier);
}

} // namespace

ChannelGridView::ChannelGridView(ChannelGridModel* model, QWidget* parent)
    : QTableView(parent), model_(model) {
    // Before anything asks for the grid's accessible table, so that a reader gets ours.
    installChannelGridAccessible();
    setObjectName(QStringLiteral("MSFlexGrid1"));
    setModel(model_);
    delegate_ = new ChannelCellDelegate(viewport(), this);
    setItemDelegate(delegate_);
    // Cells are entered by moving the cursor; the only other way into an editor is a
    // printable key typed on the grid itself.
    setEditTriggers(QAbstractItemView::AnyKeyPressed);
    setSelectionMode(QAbstractItemView::NoSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);

    connect(delegate_, &ChannelCellDelegate::enterPressed, this, &ChannelGridView::onEditorEnter);
    connect(delegate_, &ChannelCellDelegate::tabPressed, this, &ChannelGridView::leaveGrid);
    connect(delegate_, &ChannelCellDelegate::sidewaysPressed, this, &ChannelGridView::gridSideways);
    // Tab is the way out of the grid, not from cell to cell.
    setTabKeyNavigation(false);
    connect(model_, &ChannelGridModel::cellRefused, this, [this] { refused_ = true; });
    connect(delegate_, &ChannelCellDelegate::revertRequested, this, &ChannelGridView::refillEditor);
    connect(delegate_, &ChannelCellDelegate::moveRequested, this,
            &ChannelGridView::moveRowsRequested);
    for (int column = model::ColBusy; column <= model::ColRb; ++column)
        setColumnHidden(column, true);
}

void ChannelGridView::setFlagColumnsShown(bool shown) {
    if (shown == flagsShown_)
        return;
    flagsShown_ = shown;
    // A list open in a column that disappears: the cursor moves on to Scan, which stores the
    // list as leaving any cell does.
    if (!shown && isFlagColumn(gridCol()) && gridRow() >= 1)
        moveGridCursor(gridRow(), model::ColScan);
    for (int column = model::ColBusy; column <= model::ColRb; ++column)
        setColumnHidden(column, !shown);
    // A reader reads the table anew: its columns are now the ones shown.
    QAccessibleTableModelChangeEvent changed(this, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&changed);
    emit flagColumnsShownChanged(shown);
}

int ChannelGridView::gridRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

int ChannelGridView::gridCol() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() : 0;
}

int ChannelGridView::editRow() const {
    return editor_ && editIndex_.isValid() ? editIndex_.row() + 1 : 0;
}

int ChannelGridView::editCol() const {
    return editor_ && editIndex_.isValid() ? editIndex_.column() : 0;
}

void ChannelGridView::moveGridCursor(int row, int column) {
    if (row < 1)
        setCurrentIndex(QModelIndex());
    else
        setCurrentIndex(model_->cell(row, column));
}

bool ChannelGridView::receiveCellEmpty(int row) const {
    return model_->text(row, model::ColRxFreq).isEmpty();
}

bool ChannelGridView::storeEdit(QWidget* editor) {
    refused_ = false;
    const QString typed = editor == delegate_->textBox() ? delegate_->textBox()->text() : QString();
    commitData(editor);
    if (!refused_)
        return true;
    // The row was shown again from the record, the editor with it: the value typed comes
    // back, chosen, so that what is typed next replaces it.
    delegate_->keepRefused(editor, typed);
    return false;
}

void ChannelGridView::returnToRefusedCell() {
    // The cursor goes back to the cell whose value was refused; its editor never closed.
    returning_ = true;
    selectionModel()->setCurrentIndex(editIndex_, QItemSelectionModel::NoUpdate);
    returning_ = false;
    if (editor_ != nullptr)
        editor_->setFocus(Qt::OtherFocusReason);
}

void ChannelGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (returning_) {
        QTableView::currentChanged(current, previous);
        return;
    }
    // The cell left stores its edit and its editor closes; a value the cell refuses keeps
    // the user in it.
    if (!finishEdit()) {
        returnToRefusedCell();
        return;
    }
    QTableView::currentChanged(current, previous);
    // Chosen rows stay chosen only while the cursor is on the row numbers.
    if ((!current.isValid() || current.column() >= 1) && selectionModel()->hasSelection())
        clearSelection();
    if (entrySuspended_ || !isVisible())
        return;
    if (skipNextEntry_) {
        skipNextEntry_ = false;
        return;
    }
    enterCell();
}

void ChannelGridView::enterCell() {
    const int row = gridRow();
    const int column = gridCol();
    if (row < 1 || column < 1)
        return;
    emit cellEntered(row);
    // A row without a receive frequency is always entered at its receive cell.
    if (column >= model::ColTxFreq && receiveCellEmpty(row)) {
        moveGridCursor(row, model::ColRxFreq);
        return;
    }
    EnterGridEdit();
}

bool ChannelGridView::finishEdit() {
    if (editor_ == nullptr)
        return true;
    QWidget* leaving = editor_;
    if (!storeEdit(leaving))
        return false;
    if (editor_ == leaving) // storing may have closed it already
        closeEditor(leaving, QAbstractItemDelegate::NoHint);
    return true;
}

void ChannelGridView::EnterGridEdit() {
    const QModelIndex current = currentIndex();
    if (!current.isValid() || current.column() < 1)
        return;
    if (editor_ != nullptr && editIndex_ == current) {
        editor_->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!finishEdit())
        return;
    QAbstractItemView::edit(current);
}

bool ChannelGridView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    const bool started = QTableView::edit(index, trigger, event);
    if (started && state() == QAbstractItemView::EditingState && editor_ == nullptr) {
        editor_ = delegate_->editorFor(index.column());
        editIndex_ = index;
    }
    return started;
}

void ChannelGridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    if (editor != editor_)
        return; // not (or no longer) open
    editor_ = nullptr;
    editIndex_ = QPersistentModelIndex();
    QTableView::closeEditor(editor, hint);
}

void ChannelGridView::onEditorEnter() {
    const int column = gridCol();
    if (column == model::ColRxFreq && delegate_->textBox()->text().isEmpty())
        GridNextLine();
    else if (column >= model::ColRxFreq && column <= model::ColScan)
        GridNextCol();
}

void ChannelGridView::GridNextCol() {
    int next = gridCol() + 1;
    // Hidden flag columns are never entered this way.
    if (!flagsShown_ && isFlagColumn(next))
        next = model::ColScan;
    if (next > model::ColScan) {
        // Back to the receive column without opening an editor there, then down a row.
        skipNextEntry_ = true;
        moveGridCursor(gridRow(), model::ColRxFreq);
        skipNextEntry_ = false;
        GridNextLine();
    } else {
        moveGridCursor(gridRow(), next);
    }
}

void ChannelGridView::gridSideways(bool right) {
    int column = gridCol() + (right ? 1 : -1);
    if (!flagsShown_ && isFlagColumn(column))
        column = right ? model::ColScan : model::ColTxFreq;
    if (gridRow() < 1 || column < model::ColRxFreq || column > model::ColScan)
        return;
    moveGridCursor(gridRow(), column);
}

void ChannelGridView::leaveGrid(bool forward) {
    if (!finishEdit()) {
        returnToRefusedCell();
        return;
    }
    // The next control of the window in the Tab order that is not part of the grid.
    QWidget* w = this;
    do {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (w == this)
            return;
    } while (isAncestorOf(w) || w->window() != window() || !w->isVisible() || !w->isEnabled() ||
             !(w->focusPolicy() & Qt::TabFocus));
    w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

void ChannelGridView::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    if ((reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason) || editor_ != nullptr)
        return;
    // Coming in by Tab, the user is at a cell at once.
    if (gridRow() < 1 || gridCol() < model::ColRxFreq)
        moveGridCursor(std::max(gridRow(), 1), model::ColRxFreq);
    else
        enterCell();
}

void ChannelGridView::GridNextLine() {
    const int next = gridRow() >= kRows ? 1 : gridRow() + 1;
    moveGridCursor(next, gridCol());
}

void ChannelGridView::commitPendingEdit() {
    if (editor_ == nullptr)
        return;
    if (delegate_->isPending(editor_))
        commitData(editor_);
    refillEditor();
}

void ChannelGridView::closeEditorWithoutStore() {
    if (editor_ != nullptr)
        closeEditor(editor_, QAbstractItemDelegate::NoHint);
}

void ChannelGridView::refillEditor() {
    if (editor_ != nullptr && editIndex_.isValid())
        delegate_->setEditorData(editor_, editIndex_);
}

void ChannelGridView::keyPressEvent(QKeyEvent* event) {
    if (editor_ == nullptr && rowKey(event)) {
        event->accept();
        return;
    }
    if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) &&
        !(event->modifiers() & Qt::ControlModifier)) {
        leaveGrid(event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
        event->accept();
        return;
    }
    // Enter on the grid opens the editor of its cell.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && editor_ == nullptr) {
        EnterGridEdit();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

bool ChannelGridView::rowKey(QKeyEvent* event) {
    const bool chosen = selectionModel()->hasSelection();
    if (event->matches(QKeySequence::Copy) && chosen) {
        emit copyRowsRequested();
        return true;
    }
    if (event->matches(QKeySequence::Cut) && chosen) {
        emit cutRowsRequested();
        return true;
    }
    if (event->matches(QKeySequence::Paste) && pasteRow() >= 1) {
        emit pasteRowsRequested();
        return true;
    }
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier && chosen) {
        emit deleteRowsRequested();
        return true;
    }
    if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier && pasteRow() >= 1) {
        emit insertRowRequested();
        return true;
    }
    if (isMoveKey(*event)) {
        emit moveRowsRequested(event->key() == Qt::Key_Down);
        return true;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        selectRows(1, kRows);
        return true;
    }
    if (event->key() == Qt::Key_Escape && chosen) {
        clearSelection();
        return true;
    }
    // Up and Down on the row numbers choose the next row, with Shift a range.
    if (gridCol() == 0 && gridRow() >= 1 &&
        (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        const int row = std::clamp(gridRow() + (event->key() == Qt::Key_Up ? -1 : 1), 1, kRows);
        const bool extend = event->modifiers() & Qt::ShiftModifier;
        moveGridCursor(row, 0);
        scrollTo(currentIndex());
        chooseRow(row, extend ? Qt::ShiftModifier : Qt::NoModifier);
        return true;
    }
    return false;
}

std::vector<int> ChannelGridView::selectedRows() const {
    std::vector<int> rows;
    for (int row = 1; row <= kRows; ++row)
        if (selectionModel()->isRowSelected(row - 1))
            rows.push_back(row);
    return rows;
}

int ChannelGridView::pasteRow() const {
    const std::vector<int> rows = selectedRows();
    return rows.empty() ? gridRow() : rows.front();
}

void ChannelGridView::selectRows(int first, int last) {
    first = std::clamp(first, 1, kRows);
    last = std::clamp(last, first, kRows);
    moveGridCursor(first, 0); // stores and closes the editor
    selectionModel()->select(QItemSelection(model_->cell(first, 0), model_->cell(last, 0)),
                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    anchorRow_ = first;
}

void ChannelGridView::chooseRow(int row, Qt::KeyboardModifiers modifiers) {
    QItemSelectionModel* chosen = selectionModel();
    if ((modifiers & Qt::ShiftModifier) && anchorRow_ >= 1) {
        const int from = std::min(anchorRow_, row);
        const int to = std::max(anchorRow_, row);
        const auto keep = (modifiers & Qt::ControlModifier) ? QItemSelectionModel::Select
                                                            : QItemSelectionModel::ClearAndSelect;
        chosen->select(QItemSelection(model_->cell(from, 0), model_->cell(to, 0)),
                       keep | QItemSelectionModel::Rows);
        return;
    }
    chosen->select(model_->cell(row, 0),
                   ((modifiers & Qt::ControlModifier) ? QItemSelectionModel::Toggle
                                                      : QItemSelectionModel::ClearAndSelect) |
                       QItemSelectionModel::Rows);
    anchorRow_ = row;
}

void ChannelGridView::mousePressEvent(QMouseEvent* event) {
    const QModelIndex clicked = indexAt(event->position().toPoint());
    choosingRows_ = event->button() == Qt::LeftButton && clicked.isValid() && clicked.column() == 0;
    QTableView::mousePressEvent(event);
    if (editor_ != nullptr && clicked != currentIndex()) {
        // The cell being edited refused its value and kept the cursor (or the click hit no
        // cell): the click goes no further, the editor keeps the keys.
        choosingRows_ = false;
        editor_->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (choosingRows_) {
        // The cursor is on the row number now (the editor has closed): the row is chosen.
        chooseRow(clicked.row() + 1, event->modifiers());
        return;
    }
    // A click on the current cell, whose editor was closed when the focus went elsewhere,
    // opens it again, as a click on any other cell does.
    if (editor_ == nullptr && clicked.isValid() && clicked == currentIndex())
        enterCell();
    else if (editor_ != nullptr)
        editor_->setFocus(Qt::OtherFocusReason); // a click on the cell being edited
}

void ChannelGridView::mouseMoveEvent(QMouseEvent* event) {
    if (!choosingRows_ || !(event->buttons() & Qt::LeftButton)) {
        QTableView::mouseMoveEvent(event);
        return;
    }
    // Dragging over the row numbers chooses the rows from the one pressed.
    const int row = rowAt(int(event->position().y())) + 1;
    if (row >= 1 && anchorRow_ >= 1)
        chooseRow(row, event->modifiers() | Qt::ShiftModifier);
}

void ChannelGridView::scrollContentsBy(int dx, int dy) {
    const int oldTop = rowAt(0);
    QTableView::scrollContentsBy(dx, dy);
    if (following_ || editor_ == nullptr || !editIndex_.isValid())
        return;
    const int newTop = rowAt(0);
    if (oldTop < 0 || newTop < 0 || newTop == oldTop)
        return;
    // The editor keeps its place on screen: the row now there is the one being edited.
    const int target = editIndex_.row() + 1 + (newTop - oldTop);
    following_ = true;
    if (target >= 1 && target <= kRows) {
        moveGridCursor(target, editIndex_.column());
    } else {
        QWidget* leaving = editor_;
        commitData(leaving);
        if (editor_ == leaving)
            closeEditor(leaving, QAbstractItemDelegate::NoHint);
    }
    following_ = false;
}

void ChannelGridView::contextMenuEvent(QContextMenuEvent* event) {
    // From the keyboard the menu is for the cursor's row; from the mouse for the row under it.
    int row = gridRow();
    QPoint at = visualRect(currentIndex()).center();
    if (event->reason() == QContextMenuEvent::Mouse) {
        row = rowAt(event->pos().y()) + 1;
        at = event->pos();
    }
    if (row < 1) {
        event->ignore();
        return;
    }
    const std::vector<int> chosen = selectedRows();
    if (std::find(chosen.begin(), chosen.end(), row) == chosen.end())
        selectRows(row, row);
    event->accept();
    emit contextMenuRequested(viewport()->mapToGlobal(at));
}

} // namespace zx::editors
