// The folder's path, to copy.
#include "app/FrmFolderPath.h"

#include "app/ProgramIcon.h"
#include "app/QtText.h"
#include "editors/Mnemonics.h"
#include "text/labels/FeedbackLabels.h"

#include <QClipboard>
#include <QDir>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zx::app {

namespace labels = text::labels::feedback;

FrmFolderPath::FrmFolderPath(const QString& folder, int language, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FrmFolderPath"));
    setWindowTitle(qs(labels::kFolderCaption, language));
    setWindowIcon(programIcon());
    setModal(true);

    auto* message = new QLabel(qs(labels::kFolderNotShown, language), this);
    message->setObjectName(QStringLiteral("LabelMessage"));
    message->setWordWrap(true);

    path_ = new QLineEdit(QDir::toNativeSeparators(folder), this);
    path_->setObjectName(QStringLiteral("TextPath"));
    path_->setReadOnly(true);
    path_->setMinimumWidth(QFontMetrics(path_->font()).horizontalAdvance(path_->text()) + 24);
    path_->selectAll();
    message->setBuddy(path_);

    copy_ = new QPushButton(qs(labels::kCopyPath, language), this);
    copy_->setObjectName(QStringLiteral("CommandCopy"));
    copy_->setAutoDefault(false);
    connect(copy_, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(path_->text()); });
    ok_ = new QPushButton(qs(labels::kOk, language), this);
    ok_->setObjectName(QStringLiteral("CommandOK"));
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(copy_);
    buttons->addWidget(ok_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(message);
    layout->addWidget(path_);
    layout->addLayout(buttons);
    editors::assignMnemonics(this, language);
    // The path is what the user came for: it has the focus, all of it chosen.
    path_->setFocus(Qt::OtherFocusReason);
}

} // namespace zx::app
