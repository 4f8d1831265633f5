// The main window: a multiple-document frame with menus, toolbar, status bar and the tree
// of editor pages. It owns the document commands (New, Open, Save, Save As, Initial
// Setting, Exit), opens the editor windows, applies a language change, keeps its placement
// in the per-user store and starts the radio commands.
#pragma once

#include "app/FrmAbout.h"
#include "app/MainMenus.h"
#include "app/RecentFiles.h"
#include "app/SafetyMenus.h"
#include "model/Workspace.h"
#include "platform/Installation.h"
#include "text/Prompter.h"

#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>

class QLabel;
class QMdiArea;
class QMdiSubWindow;

namespace zx::platform {
class DecimalSeparator;
class ProcessStarter;
} // namespace zx::platform

namespace zx::model {
struct EditStep;
} // namespace zx::model

namespace zx::app {

class ChannelListTools;
class EditHistory;
class FileDialogs;
class FleetCommand;
class RadioController;
class StatusFeedback;
class TreePanel;

// What the main window needs from the outside world; tests put in their own.
struct MainServices {
    text::Prompter* prompter = nullptr;
    FileDialogs* dialogs = nullptr;
    platform::ProcessStarter* starter = nullptr;
    platform::Installation installation{QString(), QString()};
    QString settingsPath;  // mysetup.ini in use
    QString userStorePath; // the per-user store of the window placement (INI file)
    platform::DecimalSeparator* separator = nullptr; // restored at exit when set
    // Ends the program at once with the given code (after handing over to another
    // version). The program quits its event loop; tests record the call.
    std::function<void(int)> endProgram;
    SystemInfoLocator systemInfo = locateSystemInfoTool;
};

// The editor child windows the main window opens by name.
enum class ChildWindow { ChannelInfo, OptFeatures, EmbMsg };

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    // Loads the window: restores its placement, labels itself and starts a new document
    // with the channel window open.
    frmMain(model::Workspace& ws, MainServices services, QWidget* parent = nullptr);
    ~frmMain() override;

    model::Workspace& workspace() { return ws_; }
    text::Prompter& prompter() { return *services_.prompter; }
    const MainServices& services() const { return services_; }
    RadioController& radio() { return *radio_; }
    QMdiArea* mdiArea() const { return mdi_; }
    MainMenus& menus() { return menus_; }
    SafetyMenus& safetyMenus() { return safety_; }
    FleetCommand& fleetCommand() { return *fleet_; }
    TreePanel* treePanel() const { return tree_; }
    EditHistory& history() { return *history_; }
    // The row commands, channel flags, find, Compare with File and the backups window.
    ChannelListTools& listTools() { return *lists_; }
    const RecentFiles& recentFiles() const { return recent_; }

    // Opening a child window: an open one gets the focus, otherwise it is loaded, shown and
    // every child window is cascaded. Returns the editor widget.
    QWidget* openChildWindow(ChildWindow which);
    // The open editor of that kind, or nullptr.
    QWidget* childWindow(ChildWindow which) const;
    void closeChildWindow(ChildWindow which);
    // Closes and reopens the channel window after the working record was changed while it
    // was open (frequency correction, band adoption), without letting it store the stale
    // text of its cell editor.
    void reopenChannelWindow();
    void closeAllChildWindows();
    void cascade();

    // Labels the window in the current language: file filter, status bar, caption, menus,
    // toolbar tooltips and the tree (Change_Language).
    void Change_Language();
    // "ZX-908HF[band][File Name:name]".
    void setCaption();
    QString caption() const;
    // Status bar panel 3: "COM" (or its Chinese text) and the port number.
    void setPortPanel();
    QLabel* statusPanel(int panel) const;
    // The panel beside them that reads "Modified" while the document has unsaved changes.
    QLabel* modifiedPanel() const { return modifiedPanel_; }
    void refreshModifiedPanel();
    // What a command did, in status bar panel 1 for a few seconds.
    void showStatus(const QString& text);
    StatusFeedback& feedback() { return *feedback_; }
    // The backup (radio memory image) the document was opened from, named in the status bar
    // and in the Save As suggestion until the document is saved or replaced; empty when none.
    void setOpenedBackup(const QString& path);
    QString openedBackup() const { return openedBackup_; }

    // The document commands. New, Open and Initial Setting replace the document and empty
    // the undo history; a read from the radio replaces it as one step that can be undone.
    void LoadNewDoc(); // New without any question: the untitled New template
    // The unsaved-changes question when the document is modified, then "All data will be
    // cleared.".
    void fileNew();
    void newFromToolbar(); // asks the unsaved-changes question when the document is modified
    void fileOpen();
    // Open of a chosen file, with every rule of Open (used for a file named on the
    // command line too). A radio memory image (a backup) is decoded as a read would decode
    // it. Returns whether the document now holds the file.
    bool openFile(const QString& path);
    // A file dropped on the window or picked from the recent files: the unsaved-changes
    // question, then Open.
    bool openWithQuestion(const QString& path);
    // Entry `index` (0..7) of the recent files; a file that no longer exists is removed from
    // the list with a message.
    void openRecentFile(int index);
    bool fileSave();
    bool fileSaveAs();
    // Read from Radio (menu and toolbar): the unsaved-changes question when the document is
    // modified, then the read with its own question.
    void readFromRadio();
    void initialSetting(); // the unsaved-changes question, then the untitled Initial template
    // The folder the file dialogs start in: the current file's, else the last one used.
    QString dialogFolder() const;

    // Undo and redo of the last step, after the open editors stored what they hold.
    void undo();
    void redo();
    // After the document changed outside the editors (an import, a fill): every open editor
    // shows it again, and the caption and status bar follow.
    void refreshOpenEditors();
    void checkAllChannelFrequency();
    void showLanguageSetup();
    void showAbout();
    void showPrintList();

    // Makes every open editor commit the edit in progress into the working record.
    void commitOpenEditors();
    // Shows the radio identity display modally (after an identity read).
    void showIdentityWindow();
    // The file-name part of the current file name, as the caption shows it.
    QString documentName() const;

    // Applies a language chosen in the language setup window: re-labels, closes all child
    // windows, reopens the channel window. Nothing happens when the language is unchanged.
    void applyLanguageChange();
    int lastAppliedLanguage() const { return lastAppliedLanguage_; }

    // Hands over to the installed version that handles `dataVersion`: starts it with `path`
    // as argument (none when empty) and ends this program with exit code 0; shows "Fail to
    // start the software. This version does not exist." when that version is not there.
    void handOver(const std::string& dataVersion, const QString& path);
    // True after this program handed a file to another version and asked to end.
    bool handedOver() const { return handedOver_; }

    // The file-dialog filter: "Data File (*.dat)" in the current language.
    QString fileFilter() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildWindow();
    void connectCommands();
    void restorePlacement();
    // Moves and shrinks the window so that all of it lies on a screen.
    void keepOnScreen();
    void storePlacement();
    void setTreeVisible(bool visible);
    void rebuildWindowList();
    // Saves before Open or Exit after the user answered Yes: an untitled document goes
    // through Save As. False when the save was cancelled or failed.
    bool saveBeforeLeaving();
    // Asks the unsaved-changes question; true when the command may go on.
    bool confirmDiscardOrSave();
    QMdiSubWindow* subWindow(ChildWindow which) const;
    // After the channel window's band change: the windows of a new document.
    void showNewDocument();
    // After undo or redo: every open editor shows the document again.
    void refreshOpenEditors(const model::EditStep& step);
    void updateUndoActions();
    void updateRecentMenu();
    // A file opened or saved: on top of the recent files, its folder the last one used.
    void rememberFile(const QString& path);
    // After a save: the file on top of the recent files, the caption, and the status bar.
    void saved(const QString& path);

    model::Workspace& ws_;
    MainServices services_;
    std::unique_ptr<EditHistory> history_;
    RecentFiles recent_;
    std::unique_ptr<RadioController> radio_;
    MainMenus menus_;
    SafetyMenus safety_;
    ChannelListTools* lists_ = nullptr;
    FleetCommand* fleet_ = nullptr; // Program > Fleet Programming…
    QMdiArea* mdi_ = nullptr;
    TreePanel* tree_ = nullptr;
    QLabel* panels_[3] = {};
    QLabel* modifiedPanel_ = nullptr;
    StatusFeedback* feedback_ = nullptr;
    QString openedBackup_;
    QList<QAction*> windowActions_; // the list of open windows in the Window menu
    int lastAppliedLanguage_ = 0;
    bool handedOver_ = false;
    bool shownOnce_ = false;
};

} // namespace zx::app
