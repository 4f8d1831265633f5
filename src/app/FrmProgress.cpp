// The progress window of a read or write: caption, "Completion percentage:", the bar and
// the percentage label.
#include "app/FrmProgress.h"

#include "text/labels/ProgressLabels.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace zx::app {

namespace labels = text::labels::progress;

namespace {
QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
} // namespace

FrmProgress::FrmProgress(link::OperationKind kind, int language, text::Prompter& prompter,
                         QWidget* parent)
    : QDialog(parent), kind_(kind), language_(language), prompter_(prompter) {
    setObjectName(QStringLiteral("FrmProgress"));
    setModal(true);
    // No close or help buttons in the frame: the conversation decides when this goes away.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    label1_ = new QLabel(this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label2_ = new QLabel(this);
    label2_->setObjectName(QStringLiteral("Label2"));
    phase_ = new QLabel(this);
    phase_->setObjectName(QStringLiteral("LabelPhase"));
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("ProgressBar1"));
    bar_->setRange(0, 100);
    // The percentage is shown by Label2; the bar itself carries no text.
    bar_->setTextVisible(false);

    auto* labels = new QHBoxLayout;
    labels->addWidget(phase_);
    labels->addStretch(1);
    labels->addWidget(label1_);
    labels->addWidget(label2_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(labels);
    layout->addWidget(bar_);

    // The load event of the window: captions, then the bar at 0 and "0%".
    ChangShowByLanguage();
    justSize();
    SetProgressValue(0);
}

void FrmProgress::ChangShowByLanguage() {
    const text::TextTable& caption =
        kind_ == link::OperationKind::Write ? labels::kCaptionWrite : labels::kCaptionRead;
    if (language_ != text::English && language_ != text::Chinese) {
        prompter_.inform(labels::kErrChangeShowByLanguage);
        return;
    }
    setWindowTitle(qs(caption[language_]));
    label1_->setText(qs(labels::kLabelCompletion[language_]));
}

void FrmProgress::justSize() {
    // Label1 ends 10 twips (under one pixel) left of Label2: the labels sit side by side.
    if (QLayout* row = layout() ? layout()->itemAt(0)->layout() : nullptr)
        row->setSpacing(1);
    setMinimumWidth(360);
}

void FrmProgress::SetProgressValue(int percent) {
    if (percent < bar_->minimum() || percent > bar_->maximum()) {
        prompter_.inform(labels::kErrSetProgressValue);
        return;
    }
    bar_->setValue(percent);
    label2_->setText(QString::number(percent) + QLatin1Char('%'));
}

int FrmProgress::progressValue() const {
    return bar_->value();
}

void FrmProgress::setPhase(const QString& phase) {
    phase_->setText(phase);
}

QString FrmProgress::phase() const {
    return phase_->text();
}

void FrmProgress::beginSearch() {
    if (searching_)
        return;
    searching_ = true;
    savedCaption_ = windowTitle();
    setWindowTitle(qs(labels::kCaptionSearch[language_]));
}

void FrmProgress::endSearch() {
    if (!searching_)
        return;
    searching_ = false;
    setWindowTitle(savedCaption_);
}

void FrmProgress::unload() {
    unloading_ = true;
    done(QDialog::Accepted);
}

void FrmProgress::closeEvent(QCloseEvent* event) {
    if (unloading_)
        event->accept();
    else
        event->ignore();
}

void FrmProgress::reject() {
    // Escape would close a dialog; this one stays until the conversation ends.
    if (unloading_)
        QDialog::reject();
}

} // namespace zx::app
