// The find window.
#include "app/FrmFind.h"

#include "app/QtText.h"
#include "editors/Mnemonics.h"
#include "text/Messages.h"
#include "text/labels/ChannelListLabels.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace zx::app {

namespace labels = text::labels::channel_lists;

FrmFind::FrmFind(const QString& lastQuery, int language, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmFind"));
    setWindowTitle(qs(labels::kFindCaption, language));
    setModal(true);

    text_ = new QLineEdit(lastQuery, this);
    text_->setObjectName(QStringLiteral("TextFind"));
    // A frequency is digits and a decimal point (a comma is taken for one).
    text_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9.,]{0,10}")), text_));
    text_->selectAll();
    auto* label = new QLabel(qs(labels::kFindLabel, language), this);
    label->setObjectName(QStringLiteral("LabelFind"));
    label->setBuddy(text_);

    auto* buttons = new QDialogButtonBox(this);
    findNext_ = buttons->addButton(qs(labels::kFindButton, language), QDialogButtonBox::AcceptRole);
    findNext_->setObjectName(QStringLiteral("CommandFindNext"));
    findNext_->setDefault(true);
    close_ = buttons->addButton(qs(text::kButtonClose[language]), QDialogButtonBox::RejectRole);
    close_->setObjectName(QStringLiteral("CommandClose"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(text_);
    layout->addWidget(buttons);
    editors::assignMnemonics(this, language);
}

QString FrmFind::query() const {
    return text_->text();
}

} // namespace zx::app
