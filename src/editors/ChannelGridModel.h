// The channel grid's table model: 60 rows (channel numbers 1..60) by 10 columns (row
// number, RX and TX frequency, the six hidden flag lists, scan) over the current group of
// the working record. Cell texts are computed when the grid is filled (so that a damaged
// frequency shows its message once, not on every repaint); a stored cell edit goes through
// the channel cell update as one undoable step.
#pragma once

#include "model/EditJournal.h"
#include "model/Workspace.h"
#include "text/Prompter.h"

#include <QAbstractTableModel>
#include <QString>
#include <array>

namespace zx::editors {

class ChannelGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kRows = 60;    // one per channel number
    static constexpr int kColumns = 10; // column 0 shows the row number

    ChannelGridModel(model::Workspace& ws, text::Prompter& prompter, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Store cell edit: the text typed (frequency columns) or the list index as decimal text.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // The index of a cell in grid numbering (rows 1..60, columns 0..9).
    QModelIndex cell(int row, int column) const { return index(row - 1, column); }
    QString text(int row, int column) const;

    // The group shown (the record's current group, held to A..F).
    int group() const;
    // Fills every cell from the working record (after it was replaced, restored or
    // relabelled).
    void refresh();
    // Fills one row (1..60) from the working record.
    void refreshRow(int row);

    // What a screen reader calls a cell: channel and column, e.g. "A-7 RX Frequency".
    QString cellName(int row, int column) const;
    // The name of the step that a stored edit of a cell makes, e.g. "RX Frequency A-5".
    model::StepName stepName(int row, int column) const;

signals:
    // A cell edit was stored; `emergencyFixed` after an addition or deletion, when the
    // emergency channels were fixed up.
    void cellStored(int row, bool emergencyFixed);
    // A cell edit was refused (a receive frequency outside the band): nothing changed.
    void cellRefused(int row, int column);

private:
    QString cellText(const model::ChannelEntry* entry, int row, int column) const;

    model::Workspace& ws_;
    text::Prompter& prompter_;
    std::array<std::array<QString, kColumns>, kRows> texts_;
};

} // namespace zx::editors
