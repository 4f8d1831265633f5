// The channel grid's accessible table and its cells, over the columns shown.
#include "editors/ChannelGridAccessible.h"

#include "editors/ChannelGridView.h"

#include <QHeaderView>
#include <QItemSelectionModel>

namespace zx::editors {

namespace {

// One cell of the grid as a reader meets it (row -1: the header of its column). It keeps
// the model column, so that a cell whose column is hidden afterwards is no longer valid.
class GridCell : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    GridCell(ChannelGridView* view, int row, int modelColumn)
        : view_(view), row_(row), column_(modelColumn) {}

    bool isHeader() const { return row_ < 0; }
    int modelRow() const { return row_; }
    int modelColumn() const { return column_; }

    bool isValid() const override {
        return view_ && row_ < view_->model()->rowCount() && column_ >= 0 &&
               column_ < view_->model()->columnCount() && !view_->isColumnHidden(column_);
    }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(view_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        if (!isValid())
            return {};
        QAbstractItemModel* model = view_->model();
        if (isHeader()) {
            if (t != QAccessible::Name)
                return {};
            QString name =
                model->headerData(column_, Qt::Horizontal, Qt::AccessibleTextRole).toString();
            return name.isEmpty() ? model->headerData(column_, Qt::Horizontal).toString() : name;
        }
        const QModelIndex index = model->index(row_, column_);
        switch (t) {
        case QAccessible::Name: {
            const QString name = index.data(Qt::AccessibleTextRole).toString();
            return name.isEmpty() ? index.data(Qt::DisplayRole).toString() : name;
        }
        case QAccessible::Description:
            return index.data(Qt::AccessibleDescriptionRole).toString();
        default:
            return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        if (!isValid())
            return {};
        if (isHeader()) {
            QHeaderView* header = view_->horizontalHeader();
            const QRect r(header->sectionViewportPosition(column_), 0, header->sectionSize(column_),
                          header->height());
            return QRect(header->viewport()->mapToGlobal(r.topLeft()), r.size());
        }
        const QRect r = view_->visualRect(view_->model()->index(row_, column_));
        return QRect(view_->viewport()->mapToGlobal(r.topLeft()), r.size());
    }

    QAccessible::Role role() const override {
        return isHeader() ? QAccessible::ColumnHeader : QAccessible::Cell;
    }

    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invisible = true;
            return s;
        }
        const QRect shown = view_->viewport()->rect();
        if (!isHeader()) {
            const QModelIndex index = view_->model()->index(row_, column_);
            if (!view_->visualRect(index).intersects(shown))
                s.offscreen = true;
            s.focusable = true;
            s.selectable = true;
            s.selected = isSelected();
            s.focused = view_->hasFocus() && view_->currentIndex() == index;
            s.editable = (index.flags() & Qt::ItemIsEditable) != 0;
        }
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }

    // QAccessibleTableCellInterface
    bool isSelected() const override {
        return isValid() && !isHeader() &&
               view_->selectionModel()->isSelected(view_->model()->index(row_, column_));
    }
    QList<QAccessibleInterface*> columnHeaderCells() const override {
        auto* t = grid();
        QAccessibleInterface* header = t && !isHeader() ? t->headerCell(columnIndex()) : nullptr;
        return header ? QList<QAccessibleInterface*>{header} : QList<QAccessibleInterface*>{};
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override {
        auto* t = grid();
        return t ? int(t->shownColumns().indexOf(column_)) : -1;
    }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    ChannelGridAccessible* grid() const { return dynamic_cast<ChannelGridAccessible*>(parent()); }

    QPointer<ChannelGridView> view_;
    int row_;
    int column_;
};

QAccessibleInterface* gridFactory(const QString& className, QObject* object) {
    auto* view = qobject_cast<ChannelGridView*>(object);
    if (view && className == QLatin1String(ChannelGridView::staticMetaObject.className()))
        return new ChannelGridAccessible(view);
    return nullptr;
}

} // namespace

void installChannelGridAccessible() {
    QAccessible::installFactory(gridFactory); // a second call adds nothing
}

ChannelGridAccessible::ChannelGridAccessible(ChannelGridView* view)
    : QAccessibleWidget(view, QAccessible::Table) {}

ChannelGridAccessible::~ChannelGridAccessible() {
    forgetCells();
}

ChannelGridView* ChannelGridAccessible::view() const {
    return static_cast<ChannelGridView*>(widget());
}

QList<int> ChannelGridAccessible::shownColumns() const {
    QList<int> shown;
    const ChannelGridView* grid = view();
    for (int column = 0; column < grid->model()->columnCount(); ++column)
        if (!grid->isColumnHidden(column))
            shown.append(column);
    return shown;
}

void ChannelGridAccessible::forgetCells() const {
    for (QAccessible::Id id : std::as_const(cells_))
        QAccessible::deleteAccessibleInterface(id);
    cells_.clear();
}

QAccessibleInterface* ChannelGridAccessible::cellOf(int row, int modelColumn) const {
    const QPair<int, int> key(row, modelColumn);
    const auto known = cells_.constFind(key);
    if (known != cells_.constEnd())
        return QAccessible::accessibleInterface(*known);
    auto* made = new GridCell(view(), row, modelColumn);
    cells_.insert(key, QAccessible::registerAccessibleInterface(made));
    return made;
}

QAccessibleInterface* ChannelGridAccessible::headerCell(int column) const {
    const QList<int> shown = shownColumns();
    if (column < 0 || column >= shown.size() || view()->horizontalHeader()->isHidden())
        return nullptr;
    return cellOf(-1, shown[column]);
}

QAccessibleInterface* ChannelGridAccessible::cellAt(int row, int column) const {
    const QList<int> shown = shownColumns();
    if (row < 0 || row >= rowCount() || column < 0 || column >= shown.size())
        return nullptr;
    return cellOf(row, shown[column]);
}

void* ChannelGridAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

// The children: the column headers (when the header is shown), then the cells row by row.
int ChannelGridAccessible::childCount() const {
    const int headers = view()->horizontalHeader()->isHidden() ? 0 : 1;
    return (rowCount() + headers) * columnCount();
}

QAccessibleInterface* ChannelGridAccessible::child(int index) const {
    const int columns = columnCount();
    if (index < 0 || columns == 0 || index >= childCount())
        return nullptr;
    if (!view()->horizontalHeader()->isHidden()) {
        if (index < columns)
            return headerCell(index);
        index -= columns;
    }
    return cellAt(index / columns, index % columns);
}

int ChannelGridAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto* cell = dynamic_cast<const GridCell*>(child);
    if (!cell || !cell->isValid() || cell->parent() != this)
        return -1;
    const int column = int(shownColumns().indexOf(cell->modelColumn()));
    const int headers = view()->horizontalHeader()->isHidden() ? 0 : 1;
    if (cell->isHeader())
        return headers ? column : -1;
    return (cell->modelRow() + headers) * columnCount() + column;
}

QAccessibleInterface* ChannelGridAccessible::childAt(int x, int y) const {
    ChannelGridView* grid = view();
    const QPoint global(x, y);
    QHeaderView* header = grid->horizontalHeader();
    if (!header->isHidden()) {
        const QPoint at = header->viewport()->mapFromGlobal(global);
        if (header->viewport()->rect().contains(at)) {
            const int column = header->logicalIndexAt(at.x());
            return column >= 0 ? headerCell(int(shownColumns().indexOf(column))) : nullptr;
        }
    }
    const QModelIndex index = grid->indexAt(grid->viewport()->mapFromGlobal(global));
    if (!index.isValid())
        return nullptr;
    return cellAt(index.row(), int(shownColumns().indexOf(index.column())));
}

QAccessibleInterface* ChannelGridAccessible::focusChild() const {
    const QModelIndex current = view()->currentIndex();
    if (!current.isValid())
        return nullptr;
    return cellAt(current.row(), int(shownColumns().indexOf(current.column())));
}

int ChannelGridAccessible::columnCount() const {
    return int(shownColumns().size());
}

int ChannelGridAccessible::rowCount() const {
    return view()->model()->rowCount();
}

QString ChannelGridAccessible::columnDescription(int column) const {
    QAccessibleInterface* header = headerCell(column);
    if (header)
        return header->text(QAccessible::Name);
    const QList<int> shown = shownColumns();
    return column >= 0 && column < shown.size()
               ? view()->model()->headerData(shown[column], Qt::Horizontal).toString()
               : QString();
}

QString ChannelGridAccessible::rowDescription(int row) const {
    return view()->model()->headerData(row, Qt::Vertical).toString();
}

QList<QAccessibleInterface*> ChannelGridAccessible::selectedCells() const {
    QList<QAccessibleInterface*> chosen;
    const QList<int> shown = shownColumns();
    for (const QModelIndex& index : view()->selectionModel()->selectedIndexes()) {
        const int column = int(shown.indexOf(index.column()));
        if (column >= 0)
            chosen.append(cellAt(index.row(), column));
    }
    return chosen;
}

int ChannelGridAccessible::selectedCellCount() const {
    return int(selectedCells().size());
}

QList<int> ChannelGridAccessible::selectedRows() const {
    QList<int> rows;
    for (int row : view()->selectedRows())
        rows.append(row - 1);
    return rows;
}

int ChannelGridAccessible::selectedRowCount() const {
    return int(selectedRows().size());
}

bool ChannelGridAccessible::isRowSelected(int row) const {
    return row >= 0 && row < rowCount() && view()->selectionModel()->isRowSelected(row);
}

void ChannelGridAccessible::modelChange(QAccessibleTableModelChangeEvent* event) {
    // Rows or columns came or went (or the columns shown changed): the cells are made anew.
    if (event->modelChangeType() != QAccessibleTableModelChangeEvent::DataChanged)
        forgetCells();
}

} // namespace zx::editors
