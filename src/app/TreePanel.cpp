// Tree panel and its splitter.
#include "app/TreePanel.h"

#include "app/Twips.h"
#include "editors/FontScale.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <algorithm>

namespace zx::app {

// The narrow button at the panel's right edge. Mouse-down starts a drag, mouse-up ends it;
// each move while dragging moves the panel's edge by the distance moved.
class SplitterButton : public QPushButton {
public:
    explicit SplitterButton(TreePanel* panel) : QPushButton(panel), panel_(panel) {
        setObjectName(QStringLiteral("CommandMove"));
        // Reached by Tab, moved by Left and Right; a click does not take the focus from
        // the control the user works in.
        setFocusPolicy(Qt::TabFocus);
        setFixedWidth(5);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        setFlat(true);
    }

    bool dragging() const { return dragging_; }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        // A step of the width of a letter, so that it scales with the font.
        const int step = fontMetrics().averageCharWidth() * 2;
        if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
            panel_->moveEdge(event->key() == Qt::Key_Left ? -step : step);
            event->accept();
            return;
        }
        QPushButton::keyPressEvent(event);
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton)
            return;
        dragging_ = true;
        lastX_ = event->globalPosition().toPoint().x();
        setCursor(Qt::SizeHorCursor);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (!dragging_)
            return;
        const int x = event->globalPosition().toPoint().x();
        const QWidget* frame = panel_->parentWidget();
        const int inner = frame ? frame->width() : panel_->width() + (x - lastX_);
        // A refused move keeps the start point, so that the edge follows the pointer once
        // it is back in the allowed range.
        if (panel_->dragBy(x - lastX_, inner))
            lastX_ = x;
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton)
            return;
        dragging_ = false;
        unsetCursor();
    }

private:
    TreePanel* panel_;
    bool dragging_ = false;
    int lastX_ = 0;
};

TreePanel::TreePanel(QWidget* parent)
    : QWidget(parent), toolbar_(new QToolBar(this)), tree_(new QTreeWidget(this)),
      splitter_(new SplitterButton(this)) {
    setObjectName(QStringLiteral("TreePanel"));
    toolbar_->setObjectName(QStringLiteral("Toolbar1"));
    toolbar_->setIconSize(QSize(12, 12));
    close_ = toolbar_->addAction(style()->standardIcon(QStyle::SP_TitleBarCloseButton), QString());
    close_->setObjectName(QStringLiteral("删除"));
    close_->setData(QStringLiteral("删除"));
    connect(close_, &QAction::triggered, this, &TreePanel::closeRequested);

    tree_->setObjectName(QStringLiteral("TreeView1"));
    tree_->setHeaderHidden(true);
    tree_->installEventFilter(this);
    connect(tree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        const QString key = item->data(0, Qt::UserRole).toString();
        if (key != QLatin1String("N0"))
            emit nodeClicked(key);
    });

    auto* column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    // The panel's toolbar sits at the right, above the tree.
    column->addWidget(toolbar_, 0, Qt::AlignRight);
    column->addWidget(tree_, 1);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addLayout(column, 1);
    row->addWidget(splitter_);

    setFixedWidth(editors::scaledTwips(2800, this));
}

QPushButton* TreePanel::splitter() const {
    return splitter_;
}

void TreePanel::rebuild(const QString& modelName, const QString& channelInfo,
                        const QString& optFeatures, const QString& localInfo,
                        const QString& embeddedMsg) {
    tree_->clear();
    auto* root = new QTreeWidgetItem(tree_, {modelName});
    root->setData(0, Qt::UserRole, QStringLiteral("N0"));
    const std::pair<const char*, const QString*> children[] = {
        {"N1", &channelInfo}, {"N2", &optFeatures}, {"N8", &localInfo}, {"N9", &embeddedMsg}};
    for (const auto& [key, text] : children) {
        auto* node = new QTreeWidgetItem(root, {*text});
        node->setData(0, Qt::UserRole, QLatin1String(key));
    }
    root->setExpanded(true);
    // Wide enough for the longest page at the font in use, until the user sets the width.
    if (!widthSet_) {
        int needed = 0;
        for (QTreeWidgetItemIterator it(tree_); *it; ++it) {
            int depth = 1; // the root has its branch mark too
            for (QTreeWidgetItem* up = (*it)->parent(); up; up = up->parent())
                ++depth;
            needed = std::max(needed, depth * tree_->indentation() +
                                          tree_->fontMetrics().horizontalAdvance((*it)->text(0)));
        }
        const int chrome = 2 * tree_->frameWidth() + splitter_->width() + 4;
        setFixedWidth(std::max(editors::scaledTwips(2800, this), needed + chrome));
    }
}

void TreePanel::nameControls(const QString& tree, const QString& close, const QString& splitter,
                             const QString& splitterKeys) {
    tree_->setAccessibleName(tree);
    // The action's text names its tool button and is its tooltip.
    close_->setText(close);
    splitter_->setAccessibleName(splitter);
    splitter_->setAccessibleDescription(splitterKeys);
    splitter_->setToolTip(splitter);
}

bool TreePanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tree_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        QTreeWidgetItem* item = tree_->currentItem();
        const bool opening = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
        const QString page = item ? item->data(0, Qt::UserRole).toString() : QString();
        // A page opens as a click opens it; the root (the model name) opens nothing.
        if (opening && !page.isEmpty() && page != QLatin1String("N0")) {
            emit nodeClicked(page);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool TreePanel::moveEdge(int dx) {
    const QWidget* frame = parentWidget();
    return dragBy(dx, frame ? frame->width() : width() + dx);
}

bool TreePanel::dragBy(int dx, int maxWidth) {
    const int width = this->width() + dx;
    if (toTwips(width, this) < kMinimumWidthTwips || width > maxWidth)
        return false;
    setFixedWidth(width);
    widthSet_ = true;
    return true;
}

} // namespace zx::app
