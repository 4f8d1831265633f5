// Keys between the parts of the main window.
#include "app/WindowKeys.h"

#include "app/TreePanel.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QShortcut>
#include <QTreeWidget>

namespace zx::app {

namespace {

// The first control of `container` that Tab stops at.
QWidget* firstControl(QWidget* container) {
    for (QWidget* w = container->nextInFocusChain(); w && w != container; w = w->nextInFocusChain())
        if (container->isAncestorOf(w) && w->isVisible() && w->isEnabled() &&
            (w->focusPolicy() & Qt::TabFocus))
            return w;
    return container;
}

} // namespace

WindowKeys::WindowKeys(QWidget* window, TreePanel* tree, QMdiArea* workspace)
    : QObject(window), window_(window), tree_(tree), workspace_(workspace) {
    auto add = [this](QList<QKeySequence> keys, auto slot) {
        auto* shortcut = new QShortcut(window_);
        shortcut->setKeys(keys);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, slot);
    };
    add({QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_F6)},
        [this] { nextChildWindow(true); });
    add({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6)},
        [this] { nextChildWindow(false); });
    add({QKeySequence(Qt::Key_F6), QKeySequence(Qt::SHIFT | Qt::Key_F6)}, [this] { switchPane(); });
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { keepInView(now); });
}

void WindowKeys::keepInView(QWidget* control) {
    if (control == nullptr || !workspace_->isAncestorOf(control))
        return;
    QWidget* view = workspace_->viewport();
    const QRect shown = view->rect();
    const QRect at(control->mapTo(view, QPoint(0, 0)), control->size());
    // A little room around the control, so that its frame shows too.
    const int margin = control->fontMetrics().height() / 2;
    auto scroll = [margin](QScrollBar* bar, int start, int end, int first, int last) {
        int by = 0;
        if (end > last)
            by = end - last + margin;
        if (start - by < first)
            by = start - first - margin;
        if (by != 0)
            bar->setValue(bar->value() + by);
    };
    scroll(workspace_->verticalScrollBar(), at.top(), at.bottom(), shown.top(), shown.bottom());
    scroll(workspace_->horizontalScrollBar(), at.left(), at.right(), shown.left(), shown.right());
}

void WindowKeys::nextChildWindow(bool forward) {
    const QList<QMdiSubWindow*> open = workspace_->subWindowList();
    if (open.isEmpty())
        return;
    if (forward)
        workspace_->activateNextSubWindow();
    else
        workspace_->activatePreviousSubWindow();
    focusActiveChild();
}

void WindowKeys::switchPane() {
    QWidget* focus = QApplication::focusWidget();
    const bool inTree = focus && (focus == tree_ || tree_->isAncestorOf(focus));
    if (!inTree && tree_->isVisible()) {
        tree_->tree()->setFocus(Qt::ShortcutFocusReason);
        return;
    }
    focusActiveChild();
}

void WindowKeys::focusActiveChild() {
    QMdiSubWindow* sub = workspace_->activeSubWindow();
    if (sub == nullptr) {
        const QList<QMdiSubWindow*> open = workspace_->subWindowList();
        if (open.isEmpty())
            return;
        sub = open.front();
        workspace_->setActiveSubWindow(sub);
    }
    QWidget* child = sub->widget();
    if (child == nullptr)
        return;
    QWidget* last = child->focusWidget();
    QWidget* target = last && last->isVisible() ? last : firstControl(child);
    target->setFocus(Qt::ShortcutFocusReason);
}

} // namespace zx::app
