// The menu entries of safe radio programming, placed beside the main window's own entries:
// File > "Open Backup Folder" (after Save As), Program > "Compare with Radio" (after Write to
// Radio), Setup > "Back Up Radio Before Writing" and
// "Verify After Writing" (check entries at the end, kept in mysetup.ini), Help > "Open
// Serial Trace Folder" (after Help topics).
#pragma once

class QAction;

namespace zx::app {

struct MainMenus;

struct SafetyMenus {
    QAction* mnuOpenBackupFolder = nullptr;
    QAction* mnuCompareWithRadio = nullptr;
    QAction* mnuBackupBeforeWrite = nullptr;
    QAction* mnuVerifyAfterWrite = nullptr;
    QAction* mnuOpenTraceFolder = nullptr;

    // Adds the entries to the menus built by `menus`.
    void build(MainMenus& menus);
    void label(int language);
};

} // namespace zx::app
