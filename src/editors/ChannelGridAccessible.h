// What a screen reader is offered of the channel grid: a table of the columns the user can
// see. The flag columns (BUSY .. RB) are hidden unless switched on, and a reader must not
// read values a sighted user cannot see; Qt's own table offers every column of the model, so
// the grid has a table of its own here, whose column k is the k-th column shown. The column
// headers, the cells and their names follow the same numbering; a row without a channel is
// read as the model names it ("empty").
#pragma once

#include <QAccessibleWidget>
#include <QHash>
#include <QPair>
#include <QPointer>

namespace zx::editors {

class ChannelGridView;

// Installs the grid's table for every channel grid created afterwards (once per program).
void installChannelGridAccessible();

class ChannelGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit ChannelGridAccessible(ChannelGridView* view);
    ~ChannelGridAccessible() override;

    // The model columns shown, in the order shown.
    QList<int> shownColumns() const;
    ChannelGridView* view() const;

    // The header cell of shown column `column` and the cell at `row`, `column`; null when
    // there is none. Made once and kept until the table changes.
    QAccessibleInterface* headerCell(int column) const;
    QAccessibleInterface* cellAt(int row, int column) const override;

    // QAccessibleInterface
    void* interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override;
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override;
    // Rows are chosen by the grid's own commands (its row numbers, the keys); a reader's
    // request to choose is refused, as the grid offers no free selection of cells.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

private:
    // The interface of a cell (row -1: a column header) of a model column, made on demand.
    QAccessibleInterface* cellOf(int row, int modelColumn) const;
    void forgetCells() const;

    mutable QHash<QPair<int, int>, QAccessible::Id> cells_;
};

} // namespace zx::editors
