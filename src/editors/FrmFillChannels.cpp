// The fill window.
#include "editors/FrmFillChannels.h"

#include "editors/Mnemonics.h"
#include "exchange/ChannelTable.h"
#include "model/Band.h"
#include "model/RecordFields.h"
#include "text/Messages.h"
#include "text/labels/ChannelRowsLabels.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

namespace zx::editors {

namespace {

namespace labels = text::labels::channel_rows;

QString qs(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

// The widest step that still fits two channels into the wider band, in kHz.
constexpr double kMaxStepKHz = 4490.0;

} // namespace

FrmFillChannels::FrmFillChannels(const model::Workspace& ws, text::Prompter& prompter, int group,
                                 int firstNumber, QWidget* parent)
    : QDialog(parent), ws_(ws), prompter_(prompter), group_(group), firstNumber_(firstNumber) {
    setObjectName(QStringLiteral("FrmFillChannels"));
    const int language = ws.state.language;
    setWindowTitle(qs(labels::kFillCaption[language]));

    auto* from = new QLabel(this);
    from->setObjectName(QStringLiteral("LabelFrom"));
    from->setText(qs(
        model::fillIn(labels::kFillFrom[language], {exchange::channelName({group, firstNumber})})));

    start_ = new QLineEdit(this);
    start_->setObjectName(QStringLiteral("TextStart"));
    // Digits and one "." only, as in the grid's frequency box.
    start_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,3}(\\.[0-9]{0,6})?")), start_));
    QString preset = qs(model::formatMHz(ws.state.bandLow));
    const int count = ws.record.usedChannels(group);
    for (int entry = 1; entry <= count; ++entry) {
        const model::ChannelEntry& channel = ws.record.channel(group, entry);
        if (channel.number != firstNumber)
            continue;
        const auto shown = model::frequencyDisplayForm(channel.rxFreq.view());
        if (shown && !shown->empty())
            preset = qs(*shown);
        break;
    }
    start_->setText(preset);
    start_->selectAll();

    step_ = new QDoubleSpinBox(this);
    step_->setObjectName(QStringLiteral("SpinStep"));
    step_->setLocale(QLocale::c()); // "." as the decimal separator, as everywhere in the program
    step_->setDecimals(2);          // 10 Hz, the raster of the radio
    step_->setRange(0.01, kMaxStepKHz);
    step_->setValue(10.0);

    count_ = new QSpinBox(this);
    count_->setObjectName(QStringLiteral("SpinCount"));
    count_->setRange(1, model::kChannelsPerGroup);
    count_->setValue(std::min(10, model::kChannelsPerGroup + 1 - firstNumber));

    auto* form = new QFormLayout;
    form->addRow(from);
    form->addRow(qs(labels::kFillStart[language]), start_);
    form->addRow(qs(labels::kFillStep[language]), step_);
    form->addRow(qs(labels::kFillCount[language]), count_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok =
        buttons->addButton(qs(text::kButtonOk[language]), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("CommandOK"));
    ok->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(qs(text::kButtonCancel[language]), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CommandCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &FrmFillChannels::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FrmFillChannels::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    assignMnemonics(this, language);
}

model::FillPlan FrmFillChannels::plan() const {
    return plan_;
}

bool FrmFillChannels::readPlan(model::FillPlan& plan) {
    const int language = ws_.state.language;
    const std::string start = start_->text().toStdString();
    if (!model::isNumeric(start)) {
        prompter_.inform(model::fillIn(labels::kFillStartNotNumber[language], {start}),
                         text::Icon::Warning);
        return false;
    }
    plan.group = group_;
    plan.firstNumber = firstNumber_;
    plan.startHz = std::llround(model::toNumber(start) * 1'000'000.0);
    plan.stepHz = std::llround(step_->value() * 1000.0);
    plan.count = count_->value();

    const model::FillProblem problem = model::checkFill(plan, ws_.state);
    switch (problem.kind) {
    case model::FillProblem::None:
        return true;
    case model::FillProblem::OutsideBand:
        prompter_.inform(
            model::fillIn(labels::kFillOutsideBand[language],
                          {exchange::channelName({group_, problem.number}),
                           model::formatMHz(double(problem.hz) / 1'000'000.0), ws_.state.bandText}),
            text::Icon::Warning);
        return false;
    case model::FillProblem::PastChannel60:
    case model::FillProblem::NoChannels:
        break;
    }
    prompter_.inform(
        model::fillIn(labels::kFillPastChannel60[language],
                      {std::to_string(plan.count), exchange::channelName({group_, firstNumber_})}),
        text::Icon::Warning);
    return false;
}

void FrmFillChannels::accept() {
    model::FillPlan plan;
    if (!readPlan(plan))
        return; // stays open for a correction
    plan_ = plan;
    QDialog::accept();
}

} // namespace zx::editors
