// Program > "&Fleet Programming…": opens the Fleet Programming window on the current
// document, once it is saved (the log names the file that was written), while no other
// conversation holds a port. The window is application-modal, so the document cannot be
// edited while it is open; closing the main window ends a run first.
#pragma once

#include <QObject>
#include <QPointer>

class QAction;

namespace zx::app {

class FrmFleet;
class frmMain;

class FleetCommand : public QObject {
    Q_OBJECT
public:
    // Adds the entry at the end of the Program menu.
    explicit FleetCommand(frmMain& window);

    QAction* action() const { return action_; }
    void label(int language);
    // The save question when the document is modified or untitled, then the window.
    // Returns the window shown, or nullptr.
    FrmFleet* open();
    // The window while it is open.
    FrmFleet* window() const;
    // Ends a run in the window (End on every open session) before the program closes.
    void endRun();

private:
    frmMain& main_;
    QAction* action_ = nullptr;
    QPointer<FrmFleet> fleetWindow_;
};

} // namespace zx::app
