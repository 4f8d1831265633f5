// The menu bar and the toolbar of the main window: every entry with its control name as
// objectName, shortcuts, separators, the check marks of the View menu and the entries that
// can never be chosen. Labelling sets the captions of one language.
#pragma once

#include <QList>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace zx::app {

struct MainMenus {
    // Menus.
    QMenu* mnuFile = nullptr;
    QMenu* mnuModel = nullptr;
    QMenu* MnuBand = nullptr;
    QMenu* mnuEdit = nullptr;
    QMenu* mnuProgram = nullptr;
    QMenu* mnuSet = nullptr;
    QMenu* mnuView = nullptr;
    QMenu* mnuWindow = nullptr;
    QMenu* mnuHelp = nullptr;

    // Entries.
    QAction* mnuFileNew = nullptr;
    QAction* mnuFileOpen = nullptr;
    QAction* mnuFileSave = nullptr;
    QAction* mnuFileSaveAs = nullptr;
    QAction* mnuImportChannels = nullptr; // CSV channel tables, after Save As
    QAction* mnuExportChannels = nullptr;
    QAction* mnuFilePrint = nullptr;
    QAction* mnuFileExit = nullptr;
    QAction* mnuModelInfo = nullptr;
    QAction* MnuCheckRadioBand = nullptr;
    QAction* MnuFrequencyCheck = nullptr;
    QAction* mnuEditUndo = nullptr;
    QAction* mnuEditRedo = nullptr;
    QAction* mnuChannelInfo = nullptr;
    QAction* mnuFillChannels = nullptr; // beside Channel Information
    QAction* mnuOptFeature = nullptr;
    QAction* mnuKeyAssignm = nullptr;
    QAction* mnuScanInfo = nullptr;
    QAction* mnuEmbeddedMsg = nullptr;
    QAction* mnuEMG = nullptr;
    QAction* mnuReadFromRadio = nullptr;
    QAction* mnuWriteToRadio = nullptr;
    QAction* mnuComm = nullptr;
    QAction* mnuLanguage = nullptr;
    QAction* MnuInitial = nullptr;
    QAction* MnuInitialBand1 = nullptr;
    QAction* MnuInitialBand2 = nullptr;
    QAction* mnuTreeView = nullptr;
    QAction* mnuViewToolbar = nullptr;
    QAction* mnuViewStatusBar = nullptr;
    QAction* mnuWindowCascade = nullptr;
    QAction* mnuCloseAll = nullptr;
    QAction* mnuHelpTopic = nullptr;
    QAction* mnuHelpAbout = nullptr;

    // The separator after "Close All Windows": the list of open windows follows it.
    QAction* windowListSeparator = nullptr;

    // The last files opened or saved, before Exit (hidden while unused), and the separator
    // that closes the list.
    static constexpr int kRecentFileCount = 8;
    QAction* mnuRecentFile[kRecentFileCount] = {};
    QAction* recentFilesSeparator = nullptr;

    // Toolbar buttons, each with its key as objectName and data.
    QToolBar* tbToolBar = nullptr;
    QAction* tbNew = nullptr;        // "新建"
    QAction* tbOpen = nullptr;       // "打开"
    QAction* tbSave = nullptr;       // "保存"
    QAction* tbPrint = nullptr;      // "打印"
    QAction* tbReadRadio = nullptr;  // "ReadRadio"
    QAction* tbCommSet = nullptr;    // "CommSet"
    QAction* tbWriteRadio = nullptr; // "WriteRadio"
    QAction* tbAbout = nullptr;      // "About"

    // Creates the menus and the toolbar in `window`.
    void build(QMainWindow* window);
    // Captions of the menus and entries, and the toolbar tooltips, in one language.
    void label(int language);
};

} // namespace zx::app
