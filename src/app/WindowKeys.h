// The keys that move between the parts of the main window, so that no part of it needs the
// mouse: Ctrl+Tab and Ctrl+F6 go to the next child window of the workspace, Ctrl+Shift+Tab
// and Ctrl+Shift+F6 to the previous one, F6 and Shift+F6 between the tree and the workspace.
// A control of a child window that gets the focus is scrolled into view when the child
// window is larger than the workspace (the channel window at a large font).
#pragma once

#include <QObject>

class QMdiArea;
class QWidget;

namespace zx::app {

class TreePanel;

class WindowKeys : public QObject {
    Q_OBJECT
public:
    // Installs the keys on `window`, whose parts are `tree` and `workspace`.
    WindowKeys(QWidget* window, TreePanel* tree, QMdiArea* workspace);

    // Activates the next (or previous) child window and puts the focus where it was in it.
    void nextChildWindow(bool forward);
    // From the tree to the workspace, from anywhere else to the tree (when it is shown).
    void switchPane();

private:
    // The focus into the active child window: the control that had it last, else its first.
    void focusActiveChild();
    // Scrolls the workspace so that `control` can be seen, when it is in a child window.
    void keepInView(QWidget* control);

    QWidget* window_;
    TreePanel* tree_;
    QMdiArea* workspace_;
};

} // namespace zx::app
