// The channel information window: band list, group list, the six emergency channel lists
// and the 60-row channel grid of the current group, with a text box and per-column lists
// placed over the cell being edited. Every edit goes through model::updateChannelCell when
// the user leaves the cell.
#pragma once

#include "model/Workspace.h"
#include "text/Prompter.h"

#include <QWidget>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTimer;

namespace zx::editors {

class frmCommChInfo : public QWidget {
    Q_OBJECT
public:
    frmCommChInfo(model::Workspace& ws, text::Prompter& prompter, QWidget* parent = nullptr);
    ~frmCommChInfo() override;

    // Re-applies every text in ws.state.language, then refills the grid.
    void ReShowChInfoByLanguage();
    // Refills the window from the data model (after the record was replaced): band and
    // group selection, emergency lists and grid. An open editor takes the cell's new text.
    void SetGridData2();
    // Redisplays one grid row (1..60) and the emergency list texts from the data model.
    void reShowGrid(int row);
    // Rebuilds the six emergency channel lists from the channels of each group.
    void InitComboList();
    // Hides the text box and every cell list without storing anything.
    void SetEditNoVisable();
    // Stores a value still pending in the text box or a cell list (before a write to the
    // radio, and when the window unloads).
    void validateControls();

    // Editing steps, also used by the keyboard handling.
    void EnterGridEdit();
    void GridNextLine();
    void GridNextCol();
    void SetGridFocus(int column);

    // False once the window has unloaded.
    bool isOpen() const { return open_; }

signals:
    // The user confirmed a band change: ws.state.bandText already holds the new band, and a
    // new document is to be started.
    void newDocumentRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void initShowGrid();
    void changeShowByLanguage();
    void setGridData();
    void showRow(int row);
    void setEmergencyTexts();
    void showCurrentEmergency();
    void updateCaption();

    void cellEntry();
    void saveShowGridData();
    void commitTextBox(bool formatIntoCell);
    void commitCellList(int column);
    void storeCellEdit(int row, int column, const QString& value);
    void onEditorEnter();
    void onFocusTimer();
    void onUserScroll();
    void onGroupActivated(int index);
    void onEmergencyActivated(int group);
    void onBandActivated();

    int gridRow() const;
    int gridCol() const;
    void moveGridCursor(int row, int column);
    QComboBox* cellList(int column) const; // columns 3..9
    void hideEditor(QWidget* editor);
    int group() const;
    const model::ChannelEntry* findChannel(int group, int number) const;
    QString listText(int column, int value) const;

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
    QTableWidget* grid_ = nullptr;
    QLineEdit* text1_ = nullptr;
    std::array<QComboBox*, 7> cellLists_{}; // columns 3..9
    QPushButton* closeButton_ = nullptr;
    QTimer* focusTimer_ = nullptr;
    QTimer* scrollTimer_ = nullptr;

    // The cell being edited (grid numbering: rows 1..60, columns 1..9; 0 = none).
    int curRow_ = 0;
    int curCol_ = 0;
    int topRowAtEdit_ = 1;
    int focusColumn_ = 0;
    int captionChannel_ = 1;
    bool firstActivationPending_ = false;
    bool loaded_ = false;
    bool open_ = false;
    bool skipNextEntry_ = false;
    bool redirectedToRx_ = false;
    bool hidingEditor_ = false; // focus moves caused by hiding an editor do not commit
};

} // namespace zx::editors
