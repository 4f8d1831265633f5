// Embedded message window: two 7-bit lines of at most 32 characters.
#include "editors/FrmEmbMsg.h"

#include "editors/EditorSupport.h"
#include "editors/InputGuards.h"
#include "editors/MessageLine.h"
#include "editors/MessageLineEdit.h"
#include "model/EditJournal.h"
#include "platform/CodePage.h"
#include "text/Messages.h"
#include "text/labels/EditingLabels.h"
#include "text/labels/EmbMsgLabels.h"
#include "text/labels/LocalInfoLabels.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zx::editors {

namespace labels = text::labels::emb_msg;

FrmEmbMsg::FrmEmbMsg(model::Workspace& ws, text::Prompter& prompter, QWidget* parent)
    : QWidget(parent), ws_(ws), prompter_(prompter) {
    setObjectName(QStringLiteral("FrmEmbMsg"));
    const int lang = ws_.state.language;
    setWindowTitle(tableText(labels::kCaption, lang));

    auto* top = new QVBoxLayout(this);
    for (int i = 0; i < 2; ++i) {
        lines_[i] = new MessageLineEdit(this);
        lines_[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
        lines_[i]->setMaxLength(kMessageLineLength);
        // The lines have no label: a screen reader calls them by the name of their step.
        lines_[i]->setAccessibleName(tableText(text::labels::editing::kMessageLine, lang) +
                                     QLatin1Char(' ') + QString::number(i + 1));
        // Wide enough for 32 characters of the box's font.
        lines_[i]->setMinimumWidth(lines_[i]->fontMetrics().horizontalAdvance(QString(34, 'W')));
        routeUndoKeys(lines_[i]);
        connect(lines_[i], &AsciiLineEdit::left, this, [this, i] { commitLine(i); });
        counts_[i] = new QLabel(this);
        counts_[i]->setObjectName(QStringLiteral("LabelCount_%1").arg(i));
        counts_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        counts_[i]->setMinimumWidth(counts_[i]->fontMetrics().horizontalAdvance(
            QStringLiteral("%1/%1").arg(kMessageLineLength)));
        counts_[i]->setToolTip(tableText(text::labels::local_info::kCounterTip, lang));
        connect(lines_[i], &QLineEdit::textChanged, this, [this, i] { showCount(i); });
        auto* row = new QHBoxLayout;
        row->addWidget(lines_[i], 1);
        row->addWidget(counts_[i]);
        top->addLayout(row);
    }

    close_ = new QPushButton(tableText(text::kButtonClose, lang), this);
    close_->setObjectName(QStringLiteral("CommandClose"));
    connect(close_, &QPushButton::clicked, this, [this] { closeHostWindow(this); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close_);
    top->addLayout(buttons);

    setTabOrder(lines_[0], lines_[1]);
    setTabOrder(lines_[1], close_);
    ReShowData();
}

FrmEmbMsg::~FrmEmbMsg() {
    // The boxes are destroyed after this object; a focus-out they report then must not
    // reach a half-destroyed window.
    for (int i = 0; i < 2; ++i) {
        if (lines_[i]->isModified())
            commitLine(i);
        disconnect(lines_[i], nullptr, this, nullptr);
    }
}

void FrmEmbMsg::ReShowData() {
    for (int i = 0; i < 2; ++i) {
        const std::string shown = shownMessageLine(ws_.record.embeddedMessage[std::size_t(i)]);
        lines_[i]->setText(platform::fromCodePage(shown, ws_.state.systemLanguage));
        lines_[i]->setModified(false);
        showCount(i);
    }
}

void FrmEmbMsg::showCount(int line) {
    const std::string bytes =
        platform::toCodePage(lines_[std::size_t(line)]->text(), ws_.state.systemLanguage);
    counts_[std::size_t(line)]->setText(
        QStringLiteral("%1/%2").arg(bytes.size()).arg(kMessageLineLength));
}

void FrmEmbMsg::commitLine(int line) {
    AsciiLineEdit* box = lines_[std::size_t(line)];
    const std::string bytes = platform::toCodePage(box->text(), ws_.state.systemLanguage);
    model::applyEdit(ws_, {text::labels::editing::kMessageLine, std::to_string(line + 1), {}}, [&] {
        ws_.record.embeddedMessage[std::size_t(line)] = storedMessageLine(bytes);
    });
    box->setModified(false);
}

void FrmEmbMsg::validateControls() {
    for (int i = 0; i < 2; ++i)
        if (lines_[i]->hasFocus() || focusWidget() == lines_[i] || lines_[i]->isModified())
            commitLine(i);
}

void FrmEmbMsg::closeEvent(QCloseEvent* event) {
    // Closing through the frame does not always move the focus first; an edit still in a
    // box would otherwise be lost.
    for (int i = 0; i < 2; ++i)
        if (lines_[i]->isModified())
            commitLine(i);
    QWidget::closeEvent(event);
}

} // namespace zx::editors
