// The channel grid's table model over the current group.
#include "editors/ChannelGridModel.h"

#include "model/Band.h"
#include "model/ChannelTable.h"
#include "text/labels/ChannelInfoLabels.h"

#include <algorithm>
#include <exception>

namespace zx::editors {

namespace {

namespace labels = text::labels::channel_info;

QString qs(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

int fieldOfColumn(const model::ChannelEntry& entry, int column) {
    switch (column) {
    case model::ColBusy:
        return entry.busy;
    case model::ColEcho:
        return entry.echo;
    case model::ColHiCut:
        return entry.hiCut;
    case model::ColPlus10k:
        return entry.plus10k;
    case model::ColNbAnl:
        return entry.nbAnl;
    case model::ColRb:
        return entry.rb;
    default:
        return entry.scan;
    }
}

const std::array<text::TextTable, 2>& entriesOfColumn(int column) {
    return column == model::ColScan ? labels::kScanEntries : labels::kFlagEntries;
}

} // namespace

ChannelGridModel::ChannelGridModel(model::Workspace& ws, text::Prompter& prompter, QObject* parent)
    : QAbstractTableModel(parent), ws_(ws), prompter_(prompter) {
    for (int row = 0; row < kRows; ++row)
        texts_[std::size_t(row)][0] = QString::number(row + 1);
}

int ChannelGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kRows;
}

int ChannelGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant ChannelGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return texts_[std::size_t(index.row())][std::size_t(index.column())];
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case Qt::AccessibleTextRole: {
        // A row without a channel is read as empty rather than as silence.
        const QString& shown = texts_[std::size_t(index.row())][std::size_t(index.column())];
        if (shown.isEmpty() && index.column() >= 1)
            return qs(labels::kEmptyCell[ws_.state.language]);
        return shown;
    }
    default:
        return {};
    }
}

QString ChannelGridModel::cellName(int row, int column) const {
    return qs(labels::kGroupLetters[std::size_t(group())]) + QLatin1Char('-') +
           QString::number(row) + QLatin1Char(' ') + headerData(column, Qt::Horizontal).toString();
}

QVariant ChannelGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumns)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return qs(labels::kColumnHeaders[std::size_t(section)][ws_.state.language]);
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter | Qt::TextWordWrap);
    return {};
}

Qt::ItemFlags ChannelGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    // Column 0 only labels the rows; it shows when its row is chosen.
    if (index.column() == 0)
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool ChannelGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || index.column() < model::ColRxFreq)
        return false;
    const int row = index.row() + 1;
    const int column = index.column();
    model::CellUpdate update;
    try {
        model::applyEdit(ws_, stepName(row, column), [&] {
            update = model::updateChannelCell(ws_, row, column, value.toString().toStdString(),
                                              prompter_);
        });
    } catch (const std::exception&) {
        // What was stored before stays; the row shows the record again.
        prompter_.inform("frmCommChInfo_SaveShowGridData");
    }
    refreshRow(row);
    if (update.kind == model::CellUpdate::Refused) {
        emit cellRefused(row, column);
        return false;
    }
    emit cellStored(row, update.emergencyFixed());
    return true;
}

QString ChannelGridModel::text(int row, int column) const {
    if (row < 1 || row > kRows || column < 0 || column >= kColumns)
        return {};
    return texts_[std::size_t(row - 1)][std::size_t(column)];
}

int ChannelGridModel::group() const {
    return std::clamp<int>(ws_.record.currentGroup, 0, model::kGroupCount - 1);
}

QString ChannelGridModel::cellText(const model::ChannelEntry* entry, int row, int column) const {
    if (column == 0)
        return QString::number(row);
    if (entry == nullptr)
        return {};
    if (column == model::ColRxFreq)
        return qs(model::displayFromStored(entry->rxFreq.view(), ws_.state, prompter_));
    if (column == model::ColTxFreq)
        return qs(model::displayFromStored(entry->txFreq.view(), ws_.state, prompter_));
    const auto& entries = entriesOfColumn(column);
    const int value = fieldOfColumn(*entry, column);
    // A stored value that is no entry shows the first entry.
    const int shown = (value >= 0 && value < int(entries.size())) ? value : 0;
    return qs(entries[std::size_t(shown)][ws_.state.language]);
}

void ChannelGridModel::refresh() {
    for (int row = 1; row <= kRows; ++row) {
        const QSignalBlocker quiet(this);
        refreshRow(row);
    }
    emit dataChanged(index(0, 0), index(kRows - 1, kColumns - 1));
    emit headerDataChanged(Qt::Horizontal, 0, kColumns - 1);
}

void ChannelGridModel::refreshRow(int row) {
    if (row < 1 || row > kRows)
        return;
    const int g = group();
    const int count = ws_.record.usedChannels(g);
    const model::ChannelEntry* entry = nullptr;
    for (int e = 1; e <= count && entry == nullptr; ++e)
        if (ws_.record.channel(g, e).number == row)
            entry = &ws_.record.channel(g, e);
    auto& texts = texts_[std::size_t(row - 1)];
    for (int column = 0; column < kColumns; ++column)
        texts[std::size_t(column)] = cellText(entry, row, column);
    emit dataChanged(index(row - 1, 0), index(row - 1, kColumns - 1));
}

model::StepName ChannelGridModel::stepName(int row, int column) const {
    const int g = group();
    return {labels::kColumnHeaders[std::size_t(std::clamp(column, 0, kColumns - 1))],
            std::string(labels::kGroupLetters[std::size_t(g)]) + '-' + std::to_string(row),
            {g, row, column}};
}

} // namespace zx::editors
