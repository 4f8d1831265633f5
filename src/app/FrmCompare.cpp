// Laying out the list of differences of Compare with Radio.
#include "app/FrmCompare.h"

#include "app/QtText.h"
#include "editors/Mnemonics.h"
#include "text/labels/ChannelListLabels.h"
#include "text/labels/CompareLabels.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

namespace zx::app {

namespace labels = text::labels::compare;

FrmCompare::FrmCompare(const QString& verdict, const QStringList& lines, int language,
                       QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FrmCompare"));
    setWindowTitle(qs(labels::kCaption, language));
    setModal(true);

    // The verdict names the list under it: a file name's '&' stays text.
    verdict_ = new QLabel(editors::literalCaption(verdict), this);
    verdict_->setObjectName(QStringLiteral("LabelVerdict"));
    verdict_->setWordWrap(true);

    // A read-only text rather than a list: a dealer may want to copy the lines into a note.
    lines_ = new QPlainTextEdit(this);
    lines_->setObjectName(QStringLiteral("TextDifferences"));
    lines_->setReadOnly(true);
    lines_->setLineWrapMode(QPlainTextEdit::NoWrap);
    lines_->setPlainText(lines.join(QLatin1Char('\n')));
    // The verdict names the list of differences under it; Tab moves on from the list.
    verdict_->setBuddy(lines_);
    lines_->setTabChangesFocus(true);

    verdictText_ = verdict;
    lineTexts_ = lines;
    auto* buttons = new QDialogButtonBox(this);
    namespace lists = text::labels::channel_lists;
    copyAll_ = buttons->addButton(qs(lists::kCopyAll, language), QDialogButtonBox::ActionRole);
    copyAll_->setObjectName(QStringLiteral("CommandCopyAll"));
    connect(copyAll_, &QPushButton::clicked, this, &FrmCompare::copyAll);
    print_ = buttons->addButton(qs(lists::kPrint, language), QDialogButtonBox::ActionRole);
    print_->setObjectName(QStringLiteral("CommandPrint"));
    connect(print_, &QPushButton::clicked, this, &FrmCompare::print);
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
    editors::assignMnemonics(this, language);
}

void FrmCompare::copyAll() const {
    QGuiApplication::clipboard()->setText(verdictText_ + QLatin1Char('\n') +
                                          lineTexts_.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

void FrmCompare::printTo(QPagedPaintDevice& device) const {
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextCharFormat title;
    title.setFontWeight(QFont::Bold);
    title.setFontPointSize(12);
    cursor.insertText(windowTitle(), title);
    cursor.insertBlock();
    cursor.insertText(verdictText_, QTextCharFormat());
    cursor.insertBlock();
    for (const QString& line : lineTexts_) {
        cursor.insertBlock();
        cursor.insertText(line);
    }
    document.print(&device);
}

void FrmCompare::print() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName(QStringLiteral("PrintPreview"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { printTo(*target); });
    preview.exec();
}

} // namespace zx::app
