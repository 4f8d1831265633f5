// The channel grid (`MSFlexGrid1`): a table view over the channel grid model that keeps
// one editor open over the cell being edited and moves it the way the radio's dealers
// expect:
// - entering a cell stores the edit of the cell left and opens the new cell's editor; a row
//   without a receive frequency is always entered at its receive cell;
// - Enter goes on to the next cell (RX, TX, Scan, next row; an empty RX goes down); Left and
//   Right in an editor that has no use for them go to the cell beside in the row;
// - Tab and Shift+Tab leave the grid for the next or previous control of the window, storing
//   the edit as leaving any cell does; Tab coming back into the grid opens the editor of its
//   current cell (the receive cell of channel 1 when there is none);
// - a value the cell refuses (a receive frequency outside the band) keeps the editor open
//   over its cell with the value chosen, whichever way the user tried to leave it within
//   the grid;
// - a printable key typed while the grid itself has the focus starts editing the current
//   cell with that key; there is no keyboard search that would jump to another row;
// - when the rows scroll, the editor stays at its place on screen and the cell now under it
//   takes it over, on every scroll step, so that no editor is ever left on a hidden row;
// - whole rows are chosen on the row numbers (click, Shift+click, Ctrl+click, dragging,
//   Shift+Up/Down, Ctrl+A) through the selection model; entering a cell lets them go. With
//   no editor open, Ctrl+C, Ctrl+X, Delete, Ctrl+V and Insert are asked of the window as row
//   commands; inside an editor they stay the editor's (the frequency box refuses them).
//   Ctrl+Shift+Up/Down move the channels, with or without an editor open;
// - the context menu (right button, the menu key) is asked of the window for the row under
//   the pointer, which is chosen first unless it already is;
// - the flag columns (BUSY .. RB) are hidden unless shown by one switch; shown, Enter and
//   Tab visit them like the other list columns.
#pragma once

#include "editors/ChannelCellDelegate.h"
#include "editors/ChannelGridModel.h"

#include <QTableView>
#include <vector>

namespace zx::editors {

class ChannelGridView : public QTableView {
    Q_OBJECT
public:
    ChannelGridView(ChannelGridModel* model, QWidget* parent = nullptr);

    ChannelGridModel* gridModel() const { return model_; }
    ChannelCellDelegate* cellDelegate() const { return delegate_; }

    // The grid cursor in grid numbering: rows 1..60 (0 = none), columns 0..9.
    int gridRow() const;
    int gridCol() const;
    // Moves the grid cursor; row 0 takes it away (no cell, no editor).
    void moveGridCursor(int row, int column);

    // The cell whose editor is open (0, 0 when none) and that editor.
    int editRow() const;
    int editCol() const;
    QWidget* openEditor() const { return editor_; }

    // Cell entry for the current cell (opening the window, after scrolling).
    void enterCell();
    // Opens the editor of the current cell (EnterGridEdit).
    void EnterGridEdit();
    // Enter in an editor: an empty receive cell goes down a row, any other cell on.
    void onEditorEnter();
    void GridNextCol();
    void GridNextLine();
    // Left or Right within the row: the next (previous) column shown, up to Scan (down to RX).
    void gridSideways(bool right);
    // Stores the edit and moves the focus to the next (previous) control outside the grid; a
    // value the cell refuses keeps the user in it.
    void leaveGrid(bool forward);

    // Stores what the open editor holds; it stays open and shows what was stored.
    void commitPendingEdit();
    // Closes the open editor without storing anything (SetEditNoVisable).
    void closeEditorWithoutStore();
    // The open editor shows its cell's content again, dropping what was typed.
    void refillEditor();

    // While set, moving the cursor opens no editor (the window is being built or the group
    // is changing).
    void setEntrySuspended(bool suspended) { entrySuspended_ = suspended; }

    // The rows chosen (1..60, ascending); empty when none.
    std::vector<int> selectedRows() const;
    // Chooses rows first..last (grid numbering) and puts the cursor on the row number of
    // `first`, closing the editor.
    void selectRows(int first, int last);
    // The row a paste starts at: the first chosen row, else the cursor's row; 0 when none.
    int pasteRow() const;

    // Shows or hides the six flag columns; the one switch for everything that depends on
    // which columns can be seen (the Enter order, the window's width, what a screen reader
    // is offered).
    void setFlagColumnsShown(bool shown);
    bool flagColumnsShown() const { return flagsShown_; }

signals:
    // A cell was entered; the caption names its row.
    void cellEntered(int row);
    // Row commands, asked with no editor open.
    void copyRowsRequested();
    void cutRowsRequested();
    void deleteRowsRequested();
    void pasteRowsRequested();
    void insertRowRequested();
    void moveRowsRequested(bool down);
    // The context menu, to be shown at `globalPos`.
    void contextMenuRequested(const QPoint& globalPos);
    void flagColumnsShownChanged(bool shown);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void keyboardSearch(const QString&) override {}
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool receiveCellEmpty(int row) const;
    // Stores what `editor` holds; false when the cell refused it (a receive frequency
    // outside the band): the editor then stays open with the value chosen.
    bool storeEdit(QWidget* editor);
    // Stores and closes the open editor, if any; false when the cell refused its value (the
    // editor then stays open).
    bool finishEdit();
    void returnToRefusedCell();
    // A click on a row number: the row alone, a range from the anchor (Shift) or the row
    // added or taken away (Ctrl).
    void chooseRow(int row, Qt::KeyboardModifiers modifiers);
    // Row commands and row keys while no editor is open; true when the key was one.
    bool rowKey(QKeyEvent* event);

    ChannelGridModel* model_;
    ChannelCellDelegate* delegate_;
    QWidget* editor_ = nullptr;
    QPersistentModelIndex editIndex_;
    bool entrySuspended_ = false;
    bool refused_ = false;   // the last stored edit was refused
    bool returning_ = false; // the cursor is going back to a refused cell
    bool skipNextEntry_ = false;
    bool following_ = false;    // the cursor is following a scroll
    int anchorRow_ = 0;         // where a range of rows starts (Shift)
    bool choosingRows_ = false; // the left button went down on a row number
    bool flagsShown_ = false;
};

} // namespace zx::editors
