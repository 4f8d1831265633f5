// The cell editors of the channel grid: one frequency text box (`Text1`, for the RX and TX
// columns) and one list per list column (`Combo8_1`..`Combo8_7`, columns 3..9). The same
// widgets serve every cell: the grid shows one over the cell being edited and hides it
// again. The delegate decides what an editor stores (only what the user changed) and how
// its keys and focus changes end an edit:
// - Enter is reported to the grid, which moves on; so are Ctrl+Shift+Up and Down, which
//   move the channels; Tab and Shift+Tab, which leave the grid for the next or previous
//   control; and Left and Right where the editor has no use for them (a list, or a text
//   chosen whole or with the caret at its end), which go to the cell beside;
// - each editor is named for a screen reader by the cell it is over ("A-7 RX Frequency");
// - Escape puts the stored value back and stores nothing;
// - leaving the editor for another control stores it and closes it; a dialog, a menu or
//   another program taking the focus leaves it open, so the focus comes back to it.
#pragma once

#include <QStyledItemDelegate>
#include <array>

class QComboBox;
class QLineEdit;

namespace zx::editors {

class ChannelCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // The editors are children of `viewport`, the grid's viewport.
    ChannelCellDelegate(QWidget* viewport, QObject* parent = nullptr);

    QLineEdit* textBox() const { return textBox_; }
    QComboBox* cellList(int column) const; // columns 3..9, nullptr otherwise
    QWidget* editorFor(int column) const;

    // The entries of the cell lists in a language.
    void setLanguage(int language);

    // True when the user changed the editor since it was filled from its cell.
    bool isPending(const QWidget* editor) const;
    // The cell refused `typed`: the editor holds it again, pending, all of it chosen.
    void keepRefused(QWidget* editor, const QString& typed) const;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

signals:
    void enterPressed();
    void tabPressed(bool forward);
    // Left or Right in an editor that has no use for it: the cell beside is to be entered.
    void sidewaysPressed(bool right);
    // Escape in an editor: the grid fills it from its cell again.
    void revertRequested();
    // Ctrl+Shift+Up or Down in an editor: the channels are to move.
    void moveRequested(bool down);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* textBox_ = nullptr;
    std::array<QComboBox*, 7> lists_{}; // columns 3..9
};

} // namespace zx::editors
