// Tree panel and its splitter.
#include "app/TreePanel.h"

#include "app/Twips.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zx::app {

// The narrow button at the panel's right edge. Mouse-down starts a drag, mouse-up ends it;
// each move while dragging moves the panel's edge by the distance moved.
class SplitterButton : public QPushButton {
public:
    explicit SplitterButton(TreePanel* panel) : QPushButton(panel), panel_(panel) {
        setObjectName(QStringLiteral("CommandMove"));
        setFocusPolicy(Qt::NoFocus);
        setFixedWidth(5);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        setFlat(true);
    }

    bool dragging() const { return dragging_; }

protected:
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
    QAction* remove =
        toolbar_->addAction(style()->standardIcon(QStyle::SP_TitleBarCloseButton), QString());
    remove->setObjectName(QStringLiteral("删除"));
    remove->setData(QStringLiteral("删除"));
    connect(remove, &QAction::triggered, this, &TreePanel::closeRequested);

    tree_->setObjectName(QStringLiteral("TreeView1"));
    tree_->setHeaderHidden(true);
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

    setFixedWidth(toPixels(2800, this));
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
}

bool TreePanel::dragBy(int dx, int maxWidth) {
    const int width = this->width() + dx;
    if (toTwips(width, this) < kMinimumWidthTwips || width > maxWidth)
        return false;
    setFixedWidth(width);
    return true;
}

} // namespace zx::app
