// The channel list tools of the main window: the row commands in the Edit menu, View >
// Channel Flags (kept in the per-user store), Edit > Find / Find Next / Find Previous
// (Ctrl+F, F3, Shift+F3) across all groups, File > Compare with File and File > Restore from
// Backup. The commands on rows and cells work on the channel window, which opens first when
// it is closed.
#pragma once

#include "editors/ChannelRowMenu.h"

#include <QList>
#include <QObject>
#include <QString>

class QAction;

namespace zx::editors {
class frmCommChInfo;
} // namespace zx::editors

namespace zx::app {

class frmMain;
struct MainMenus;
struct SafetyMenus;

class ChannelListTools : public QObject {
    Q_OBJECT
public:
    explicit ChannelListTools(frmMain& window);

    // Adds the entries to the menus (the safety entries are there already) and connects them.
    void build(MainMenus& menus, SafetyMenus& safety);
    void label(int language);

    // A channel window is about to be shown: it takes the flag columns from the View entry.
    void channelWindowOpened(editors::frmCommChInfo& channels) const;

    void runRowCommand(editors::RowCommand command);
    void setFlagColumnsShown(bool shown);
    // Asks for a frequency, then goes to the next channel showing it.
    void find();
    // The next (or previous) channel showing the frequency asked for last, from the cursor
    // on, through every group and round again; asks first when nothing was asked yet. The
    // status bar says where it went, or that there is none.
    void findNext(bool forward);
    void compareWithFile();
    void restoreFromBackup();

    QAction* mnuViewChannelFlags = nullptr;
    QList<QAction*> mnuRowCommands;
    QAction* mnuFind = nullptr;
    QAction* mnuFindNext = nullptr;
    QAction* mnuFindPrevious = nullptr;
    QAction* mnuCompareWithFile = nullptr;
    QAction* mnuRestoreFromBackup = nullptr;

private:
    editors::frmCommChInfo* channelWindow() const;
    void showStatus(const QString& text) const;

    frmMain& window_;
    QString query_;
};

} // namespace zx::app
