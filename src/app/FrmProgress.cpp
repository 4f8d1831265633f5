// The progress window of a read or write: caption, "Completion percentage:", the bar and
// the percentage label.
#include "app/FrmProgress.h"

#include "editors/FontScale.h"
#include "editors/Mnemonics.h"
#include "text/labels/FeedbackLabels.h"
#include "text/labels/ProgressLabels.h"
#include "text/labels/RadioSafetyLabels.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

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
    // No help button in the frame; its close button cancels, as the Cancel button does.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

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
    cancel_ = new QPushButton(this);
    cancel_->setObjectName(QStringLiteral("CommandCancel"));
    cancel_->setAutoDefault(false);
    connect(cancel_, &QPushButton::clicked, this, &FrmProgress::requestCancel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(labels);
    layout->addWidget(bar_);
    layout->addLayout(buttons);

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
    // The caption keeps its English text, so that its Alt+letter is the same in Chinese.
    editors::setCaption(cancel_, text::labels::feedback::kCancel, language_);
    nameBar();
    editors::assignMnemonics(this, language_);
}

void FrmProgress::justSize() {
    // Label1 ends 10 twips (under one pixel) left of Label2: the labels sit side by side.
    if (QLayout* row = layout() ? layout()->itemAt(0)->layout() : nullptr)
        row->setSpacing(1);
    // Room for the widest phase and for "100%" from the start: the window never grows while
    // it is on screen, so it stays where it opened.
    namespace safety = text::labels::safety;
    const QFontMetrics metrics(phase_->font());
    int phaseWidth = 0;
    if (language_ == text::English || language_ == text::Chinese)
        for (const text::TextTable* phase :
             {&safety::kPhaseBackup, &safety::kPhaseWrite, &safety::kPhaseVerify})
            phaseWidth = std::max(phaseWidth, metrics.horizontalAdvance(qs((*phase)[language_])));
    phase_->setMinimumWidth(phaseWidth);
    label2_->setMinimumWidth(
        QFontMetrics(label2_->font()).horizontalAdvance(QStringLiteral("100%")));
    setMinimumWidth(editors::scaledTwips(5400, this)); // 360 pixels at the default font
    setFixedSize(sizeHint().expandedTo(minimumSize()));
}

void FrmProgress::requestCancel() {
    if (cancelled_ || unloading_)
        return;
    cancelled_ = true;
    cancel_->setEnabled(false);
    emit cancelClicked();
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
    nameBar();
}

void FrmProgress::nameBar() {
    // The bar is named by what runs ("Write data to radio") and the phase of it; a new phase
    // is announced as the bar's new name.
    QString name = windowTitle();
    if (!phase_->text().isEmpty())
        name += QStringLiteral(": ") + phase_->text();
    if (name == bar_->accessibleName())
        return;
    bar_->setAccessibleName(name); // which tells the reader of the change itself
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
    nameBar();
}

void FrmProgress::endSearch() {
    if (!searching_)
        return;
    searching_ = false;
    setWindowTitle(savedCaption_);
    nameBar();
}

void FrmProgress::unload() {
    unloading_ = true;
    done(QDialog::Accepted);
}

void FrmProgress::closeEvent(QCloseEvent* event) {
    if (unloading_) {
        event->accept();
        return;
    }
    // The frame's close button: the conversation is asked to end, and it closes the window.
    event->ignore();
    requestCancel();
}

void FrmProgress::reject() {
    // Escape: as Cancel. The window stays until the conversation has ended.
    if (unloading_)
        QDialog::reject();
    else
        requestCancel();
}

} // namespace zx::app
