// The channel information window: band list, group list, the six emergency channel lists
// and the 60-row channel grid of the current group (ChannelGridView over ChannelGridModel,
// with the cell editors of ChannelCellDelegate). Every edit is stored through the channel
// cell update when the user leaves the cell, as one undoable step. Whole rows are copied,
// cut, deleted, pasted, filled, inserted, moved and sorted through ChannelRowCommands, from
// the keys, the Edit menu and the grid's context menu.
#pragma once

#include "editors/ChannelRowMenu.h"
#include "model/Workspace.h"
#include "text/Prompter.h"

#include <QWidget>
#include <array>

class QComboBox;
class QLabel;
class QMenu;
class QPushButton;

namespace zx::editors {

class ChannelGridModel;
class ChannelGridView;
class ChannelRowCommands;

class frmCommChInfo : public QWidget {
    Q_OBJECT
public:
    frmCommChInfo(model::Workspace& ws, text::Prompter& prompter, QWidget* parent = nullptr);
    ~frmCommChInfo() override;

    // The designed size: 4500 x 9600 twips.
    QSize sizeHint() const override;

    // Re-applies every text in ws.state.language, then refills the grid.
    void ReShowChInfoByLanguage();
    // Refills the window from the data model (after the record was replaced or a step was
    // undone): band and group selection, emergency lists and grid. An open editor takes the
    // cell's new content and forgets what was typed.
    void SetGridData2();
    // Redisplays one grid row (1..60) and the emergency list texts from the data model.
    void reShowGrid(int row);
    // Rebuilds the six emergency channel lists from the channels of each group.
    void InitComboList();
    // Closes the cell editor without storing anything.
    void SetEditNoVisable();
    // Stores a value still pending in the cell editor (before a write to the radio, a save,
    // undo, and when the window unloads). The editor stays over its cell, showing what was
    // stored, so that the focus comes back to it after a dialog.
    void validateControls();
    // Puts the grid cursor (and the editor) on a cell of the current group.
    void showCell(int row, int column);

    // Edit > Fill Channels from the current row (or the first chosen row).
    void fillChannels();

    // A row command of the Edit menu or the context menu. Copy, Cut and Delete act on the
    // chosen rows; without any, the cursor's row is chosen first, so that the user sees which.
    void runRowCommand(RowCommand command);
    // The grid's context menu (shown for the row under the pointer).
    QMenu* contextMenu() const { return contextMenu_; }

    // View > Channel Flags: the six flag columns shown or hidden; the window grows or shrinks
    // by their width.
    void setFlagColumnsShown(bool shown);
    bool flagColumnsShown() const;

    // Goes to channel `number` of `group`, showing that group, and opens the editor of
    // `column` there.
    void showChannel(int group, int number, int column);
    // The grid cursor: the group shown, the row and the column (row 0 when none).
    int cursorRow() const;
    int cursorColumn() const;

    // Editing steps, also used by the keyboard handling.
    void EnterGridEdit();
    void GridNextLine();
    void GridNextCol();

    // False once the window has unloaded.
    bool isOpen() const { return open_; }

signals:
    // The user confirmed a band change, before anything changed: every editor is to store
    // what it holds.
    void aboutToChangeBand();
    // The band change is done: ws.state.bandText holds the new band and the document is the
    // untitled New template of it. The windows of the new document are to be shown.
    void newDocumentRequested();
    // A row command says what it did ("3 channels copied (A-01..A-03)."), for the status bar.
    void commandDone(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void initShowGrid();
    // Column widths, the grid's width and its header height for the columns shown.
    void layoutColumns();
    // A column's width: its twips of the layout, or what the widest of `texts` needs.
    int textColumnWidth(int twips, const QStringList& texts) const;
    // The grid's width without the flag columns: the layout's 4190 twips, or more when a
    // larger font widens the columns.
    int baseGridWidth() const;
    int px(int twips) const;
    void showGroup(int group);
    void changeShowByLanguage();
    void setGridData();
    void setEmergencyTexts();
    void showCurrentEmergency();
    void updateCaption();

    void onCellStored(int row, bool emergencyFixed);
    // After a row command changed the document: the emergency lists and the grid.
    void onRowsChanged();
    void onGroupActivated(int index);
    void onEmergencyActivated(int group);
    void onBandActivated();

    int group() const;

    // Runs f; an unexpected error is shown with the procedure's identifier and the step is
    // left, keeping what was stored before.
    template <typename F> void guarded(const char* identifier, F&& f);

    model::Workspace& ws_;
    text::Prompter& prompter_;

    QLabel* bandLabel_ = nullptr;
    QComboBox* bandList_ = nullptr;
    QLabel* groupLabel_ = nullptr;
    QComboBox* groupList_ = nullptr;
    std::array<QLabel*, model::kGroupCount> emergencyLabels_{};
    std::array<QComboBox*, model::kGroupCount> emergencyLists_{};
    ChannelGridModel* model_ = nullptr;
    ChannelGridView* grid_ = nullptr;
    ChannelRowCommands* rows_ = nullptr;
    QMenu* contextMenu_ = nullptr;
    QList<QAction*> contextEntries_;
    QPushButton* closeButton_ = nullptr;

    int captionChannel_ = 1;
    bool firstActivationPending_ = false;
    bool loaded_ = false;
    bool open_ = false;
};

} // namespace zx::editors
