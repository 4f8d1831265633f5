// Laying out the list of differences of Compare with Radio.
#include "app/FrmCompare.h"

#include "app/QtText.h"
#include "text/labels/CompareLabels.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zx::app {

namespace labels = text::labels::compare;

FrmCompare::FrmCompare(const QString& verdict, const QStringList& lines, int language,
                       QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FrmCompare"));
    setWindowTitle(qs(labels::kCaption, language));
    setModal(true);

    verdict_ = new QLabel(verdict, this);
    verdict_->setObjectName(QStringLiteral("LabelVerdict"));
    verdict_->setWordWrap(true);

    // A read-only text rather than a list: a dealer may want to copy the lines into a note.
    lines_ = new QPlainTextEdit(this);
    lines_->setObjectName(QStringLiteral("TextDifferences"));
    lines_->setReadOnly(true);
    lines_->setLineWrapMode(QPlainTextEdit::NoWrap);
    lines_->setPlainText(lines.join(QLatin1Char('\n')));

    auto* buttons = new QDialogButtonBox(this);
    close_ = buttons->addButton(qs(labels::kClose, language), QDialogButtonBox::RejectRole);
    close_->setObjectName(QStringLiteral("CommandClose"));
    close_->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(verdict_);
    layout->addWidget(lines_, 1);
    layout->addWidget(buttons);
    // Wide enough for a frequency line; a long list scrolls.
    const QFontMetrics metrics(lines_->font());
    resize(metrics.horizontalAdvance(QLatin1Char('M')) * 60, metrics.lineSpacing() * 24);
}

} // namespace zx::app
