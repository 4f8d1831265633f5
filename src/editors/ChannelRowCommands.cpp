// Copy, cut, delete, paste and fill on rows of the channel grid.
#include "editors/ChannelRowCommands.h"

#include "editors/ChannelGridView.h"
#include "editors/FrmFillChannels.h"
#include "exchange/ChannelImport.h"
#include "exchange/ChannelPaste.h"
#include "exchange/NoteList.h"
#include "model/ChannelBlocks.h"
#include "model/ChannelOrder.h"
#include "model/EditJournal.h"
#include "model/RecordFields.h"
#include "text/labels/ChannelInfoLabels.h"
#include "text/labels/ChannelListLabels.h"
#include "text/labels/ChannelRowsLabels.h"
#include "text/labels/FeedbackLabels.h"

#include <QClipboard>
#include <QGuiApplication>
#include <algorithm>

namespace zx::editors {

namespace {

namespace labels = text::labels::channel_rows;
namespace feedback = text::labels::feedback;
namespace lists = text::labels::channel_lists;

} // namespace

ChannelRowCommands::ChannelRowCommands(model::Workspace& ws, text::Prompter& prompter,
                                       ChannelGridView* grid, QObject* parent)
    : QObject(parent), ws_(ws), prompter_(prompter), grid_(grid) {}

int ChannelRowCommands::group() const {
    return std::clamp<int>(ws_.record.currentGroup, 0, model::kGroupCount - 1);
}

std::string ChannelRowCommands::rowsDetail(int first, int last) const {
    const std::string letter(text::labels::channel_info::kGroupLetters[std::size_t(group())]);
    std::string detail = letter + '-' + std::to_string(first);
    if (last != first)
        detail += ".." + letter + '-' + std::to_string(last);
    return detail;
}

bool ChannelRowCommands::copyToClipboard(const std::vector<int>& rows, bool& anyChannel) {
    std::vector<exchange::ChannelSlot> places;
    for (int row : rows)
        places.push_back({group(), row});
    const exchange::WrittenTable table = exchange::writeChannelRows(ws_.record, places, '\t');
    // Rows without a channel leave the clipboard with what it had.
    const int count = ws_.record.usedChannels(group());
    anyChannel = false;
    for (int entry = 1; entry <= count && !anyChannel; ++entry)
        anyChannel = std::find(rows.begin(), rows.end(),
                               ws_.record.channel(group(), entry).number) != rows.end();
    if (anyChannel)
        QGuiApplication::clipboard()->setText(QString::fromStdString(table.text));
    if (table.notes.empty())
        return true;
    prompter_.inform(model::fillIn(labels::kNotCopied[ws_.state.language],
                                   {exchange::noteList(table.notes, ws_.state.language)}),
                     text::Icon::Warning);
    return false;
}

int ChannelRowCommands::channelsIn(const std::vector<int>& rows) const {
    int channels = 0;
    for (int row : rows)
        if (ws_.record.findChannel(group(), row) != 0)
            ++channels;
    return channels;
}

void ChannelRowCommands::tell(const text::TextTable& text, const std::vector<std::string>& values) {
    emit done(QString::fromStdString(model::fillIn(text[ws_.state.language], values)));
}

void ChannelRowCommands::copyRows() {
    const std::vector<int> rows = grid_->selectedRows();
    bool anyChannel = false;
    if (!rows.empty() && copyToClipboard(rows, anyChannel) && anyChannel)
        tell(feedback::kCopied,
             {std::to_string(channelsIn(rows)), rowsDetail(rows.front(), rows.back())});
}

void ChannelRowCommands::cutRows() {
    const std::vector<int> rows = grid_->selectedRows();
    bool anyChannel = false;
    if (rows.empty())
        return;
    // A channel that could not be copied is not deleted either: nothing is lost by a cut.
    const int channels = channelsIn(rows);
    if (copyToClipboard(rows, anyChannel) && anyChannel) {
        deleteChannels(rows, labels::kStepCut);
        tell(feedback::kCut, {std::to_string(channels), rowsDetail(rows.front(), rows.back())});
    }
}

void ChannelRowCommands::deleteRows() {
    const std::vector<int> rows = grid_->selectedRows();
    if (!rows.empty())
        deleteChannels(rows, labels::kStepDelete);
}

void ChannelRowCommands::deleteChannels(const std::vector<int>& rows,
                                        const text::TextTable& stepName) {
    const int g = group();
    model::ChannelDeletion deletion;
    model::applyEdit(
        ws_, {stepName, rowsDetail(rows.front(), rows.back()), {g, rows.front(), model::ColRxFreq}},
        [&] { deletion = model::deleteChannels(ws_.record, g, rows); });
    if (!deletion.deleted.empty())
        emit documentChanged();
    if (deletion.kept != 0)
        prompter_.inform(model::fillIn(labels::kGroupKeepsOne[ws_.state.language],
                                       {exchange::channelName({g, deletion.kept})}),
                         text::Icon::Information);
}

void ChannelRowCommands::pasteRows() {
    const int first = grid_->pasteRow();
    if (first < 1)
        return;
    const int language = ws_.state.language;
    const int g = group();
    const QByteArray text = QGuiApplication::clipboard()->text().toUtf8();
    const exchange::PastedRows pasted = exchange::readPastedRows(
        std::string_view(text.constData(), std::size_t(text.size())), ws_.state, g, first);
    const exchange::ReadTable& table = pasted.table;
    if (!table.bad.empty()) {
        prompter_.inform(model::fillIn(labels::kPasteRefused[language],
                                       {exchange::noteList(table.bad, language)}),
                         text::Icon::Warning);
        return;
    }
    if (table.rows.empty()) {
        prompter_.inform(labels::kPasteNoRows[language], text::Icon::Information);
        return;
    }
    if (pasted.pastEnd) {
        prompter_.inform(
            model::fillIn(labels::kPastePastEnd[language],
                          {std::to_string(table.rowCount), exchange::channelName({g, first})}),
            text::Icon::Warning);
        return;
    }
    // The rows are in order; a pasted column may leave gaps between them.
    const int last = table.rows.back().slot.number;
    // Counted before: the rows replace the channels they land on.
    std::vector<int> landing;
    for (const exchange::ChannelRow& row : table.rows)
        landing.push_back(row.slot.number);
    const int replaced = channelsIn(landing);
    model::applyEdit(ws_,
                     {labels::kStepPaste, rowsDetail(first, last), {g, first, model::ColRxFreq}},
                     [&] { exchange::setChannels(ws_.record, table.rows); });
    emit documentChanged();
    grid_->selectRows(first, last);
    tell(feedback::kPasted,
         {std::to_string(table.rows.size()), rowsDetail(first, last), std::to_string(replaced)});
}

void ChannelRowCommands::fillChannels(QWidget* dialogParent) {
    grid_->commitPendingEdit();
    const int first = std::max(1, grid_->pasteRow());
    const int g = group();
    FrmFillChannels window(ws_, prompter_, g, first, dialogParent);
    if (window.exec() != QDialog::Accepted)
        return;
    const model::FillPlan plan = window.plan();
    const int last = plan.firstNumber + plan.count - 1;
    model::applyEdit(ws_,
                     {labels::kStepFill, rowsDetail(first, last), {g, first, model::ColRxFreq}},
                     [&] { model::fillChannels(ws_.record, ws_.state, plan); });
    emit documentChanged();
    grid_->selectRows(first, last);
    // The editor the window was opened from has closed: the keys go to the rows filled.
    grid_->setFocus(Qt::OtherFocusReason);
}

std::vector<int> ChannelRowCommands::rowsOrCursor() const {
    std::vector<int> rows = grid_->selectedRows();
    if (rows.empty() && grid_->gridRow() >= 1)
        rows.push_back(grid_->gridRow());
    return rows;
}

void ChannelRowCommands::insertRow() {
    grid_->commitPendingEdit();
    const int row = grid_->pasteRow();
    if (row < 1)
        return;
    const int g = group();
    model::OrderChange change;
    model::applyEdit(ws_, {lists::kStepInsert, rowsDetail(row, row), {g, row, model::ColRxFreq}},
                     [&] { change = model::insertChannelRow(ws_.record, g, row); });
    if (change.kind == model::OrderChange::Channel60InUse) {
        prompter_.inform(model::fillIn(lists::kInsertChannel60[ws_.state.language],
                                       {exchange::channelName({g, model::kChannelsPerGroup})}),
                         text::Icon::Warning);
        return;
    }
    if (change)
        emit documentChanged();
    grid_->selectRows(row, row);
}

void ChannelRowCommands::moveRows(bool down) {
    grid_->commitPendingEdit();
    const std::vector<int> rows = rowsOrCursor();
    if (rows.empty())
        return;
    const int first = rows.front();
    const int last = rows.back();
    if (last - first + 1 != int(rows.size())) {
        prompter_.inform(lists::kMoveNeighbours[ws_.state.language], text::Icon::Information);
        return;
    }
    const int g = group();
    const int step = down ? 1 : -1;
    model::OrderChange change;
    model::applyEdit(ws_,
                     {down ? lists::kStepMoveDown : lists::kStepMoveUp,
                      rowsDetail(first, last),
                      {g, first + step, model::ColRxFreq}},
                     [&] { change = model::moveChannelRows(ws_.record, g, first, last, down); });
    if (change.kind == model::OrderChange::AtEdge || change.kind == model::OrderChange::Invalid) {
        grid_->selectRows(first, last);
        return;
    }
    if (change)
        emit documentChanged();
    grid_->selectRows(first + step, last + step);
}

void ChannelRowCommands::sortGroup() {
    grid_->commitPendingEdit();
    const int g = group();
    model::OrderChange change;
    model::applyEdit(ws_,
                     {lists::kStepSort,
                      std::string(text::labels::channel_info::kGroupLetters[std::size_t(g)]),
                      {g, 1, model::ColRxFreq}},
                     [&] { change = model::sortGroupByRxFrequency(ws_.record, g); });
    if (change)
        emit documentChanged();
    if (const int count = ws_.record.usedChannels(g); count > 0)
        grid_->selectRows(1, count);
}

} // namespace zx::editors
