// The panel on the left of the main window: a small toolbar whose one button hides the
// panel, the tree of editor pages, and the narrow splitter button at its right edge that
// is dragged to change the panel's width. From the keyboard, Return, Enter or Space on a
// page opens it, and the splitter, reached by Tab, moves with Left and Right.
#pragma once

#include <QString>
#include <QWidget>

class QAction;
class QPushButton;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace zx::app {

class SplitterButton;

class TreePanel : public QWidget {
    Q_OBJECT
public:
    // The narrowest the panel may be dragged, in twips.
    static constexpr int kMinimumWidthTwips = 300;

    explicit TreePanel(QWidget* parent = nullptr);

    // Rebuilds the nodes: root "N0" with the model name, expanded, and the children
    // N1, N2, N8, N9 with the given texts (menu captions, "&" kept).
    void rebuild(const QString& modelName, const QString& channelInfo, const QString& optFeatures,
                 const QString& localInfo, const QString& embeddedMsg);

    // What a screen reader calls the tree, the close button and the splitter (with the
    // splitter's keys as its description), in the current language.
    void nameControls(const QString& tree, const QString& close, const QString& splitter,
                      const QString& splitterKeys);

    // Moves the right edge by `dx` pixels when the new width stays between the minimum
    // and `maxWidth`; returns whether it moved.
    bool dragBy(int dx, int maxWidth);
    // The same within the frame the panel stands in.
    bool moveEdge(int dx);

    QTreeWidget* tree() const { return tree_; }
    QAction* closeAction() const { return close_; }
    QToolBar* toolbar() const { return toolbar_; }
    QPushButton* splitter() const;

signals:
    // A node was clicked; the key of the node ("N1", ...). The root gives no signal.
    void nodeClicked(const QString& key);
    // The panel's own close button was pressed.
    void closeRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolBar* toolbar_;
    QAction* close_ = nullptr;
    QTreeWidget* tree_;
    SplitterButton* splitter_;
    bool widthSet_ = false; // the user moved the edge
};

} // namespace zx::app
