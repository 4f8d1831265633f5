// The commands on whole rows of the channel grid: copy, cut, delete and paste through the
// clipboard, Fill Channels, and inserting a row, moving channels and sorting the group. Rows
// travel as tab-separated text with CHIRP's header, so that they paste into a spreadsheet or
// CHIRP and come back from either; pasted rows are checked as an imported file is, and a bad
// row refuses the whole paste. Every change of the document is one undoable step of the
// current group.
#pragma once

#include "model/Workspace.h"
#include "text/Prompter.h"
#include "text/TextTable.h"

#include <QObject>
#include <vector>

class QWidget;

namespace zx::editors {

class ChannelGridView;

class ChannelRowCommands : public QObject {
    Q_OBJECT
public:
    ChannelRowCommands(model::Workspace& ws, text::Prompter& prompter, ChannelGridView* grid,
                       QObject* parent = nullptr);

    // The chosen rows' channels onto the clipboard; rows without a channel are left out.
    void copyRows();
    // Copy, then delete the channels copied.
    void cutRows();
    // Deletes the chosen rows' channels. A group keeps at least one channel: when the rows
    // hold all of them, the lowest-numbered stays and the user is told.
    void deleteRows();
    // The clipboard's rows onto consecutive channels from the paste row on; they replace
    // the channels there, and how many did so is told.
    void pasteRows();
    // Edit > Fill Channels from the paste row (the first chosen row or the cursor's row).
    void fillChannels(QWidget* dialogParent);

    // An empty row at the paste row: the channels from there on move down one number. Refused
    // with a message while channel 60 is in use.
    void insertRow();
    // The chosen rows (neighbours), or the cursor's row, one row up or down; the rows moved
    // stay chosen, so that the move can be repeated.
    void moveRows(bool down);
    // The group renumbered 1..n in the order of the receive frequencies.
    void sortGroup();

signals:
    // The document changed under the grid; the window shows it again.
    void documentChanged();
    // What a copy, cut or paste did, in the user's language.
    void done(const QString& text);

private:
    int group() const;
    // Puts the rows' channels on the clipboard; false when some channel could not be written
    // (the user has been told which).
    bool copyToClipboard(const std::vector<int>& rows, bool& anyChannel);
    // How many of the rows hold a channel of the current group.
    int channelsIn(const std::vector<int>& rows) const;
    void tell(const text::TextTable& text, const std::vector<std::string>& values);
    void deleteChannels(const std::vector<int>& rows, const text::TextTable& stepName);
    // "A-5", or "A-5..A-9" for several rows.
    std::string rowsDetail(int first, int last) const;
    // The chosen rows, or the cursor's row when none is chosen; empty when neither.
    std::vector<int> rowsOrCursor() const;

    model::Workspace& ws_;
    text::Prompter& prompter_;
    ChannelGridView* grid_;
};

} // namespace zx::editors
