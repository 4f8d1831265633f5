// Print-items window.
#include "app/FrmPrintList.h"

#include "app/QtText.h"
#include "editors/AccessibleName.h"
#include "editors/FrmEMG.h"
#include "editors/Mnemonics.h"
#include "platform/CodePage.h"
#include "text/Fill.h"
#include "text/labels/ChannelInfoLabels.h"
#include "text/labels/EmgLabels.h"
#include "text/labels/FeedbackLabels.h"
#include "text/labels/PrintListLabels.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace zx::app {

namespace {

namespace labels = text::labels::print_list;

// The identity rows as the radio identity window shows them, in its order.
QList<QPair<QString, QString>> identityRows(const model::Workspace& ws, int language) {
    namespace emg = text::labels::emg;
    const model::RadioIdentity& id = ws.identity;
    const auto shown = [&](std::string_view bytes) {
        return platform::fromCodePage(editors::identityDisplayForm(bytes), ws.state.systemLanguage);
    };
    const auto row = [&](const text::TextTable& label, const QString& value) {
        return QPair<QString, QString>(qs(label, language), value);
    };
    return {
        row(emg::kAreaCode, shown(id.areaCode)),
        row(emg::kManufactureCode, shown(id.productionBatch.view())),
        row(emg::kUserCode, shown(id.customerCode.view())),
        row(emg::kRadioType, shown(id.modelText)),
        row(emg::kFrequency, QString::fromStdString(ws.state.bandText)),
        row(emg::kSerialNumber, shown(id.serialNumber.view())),
        row(emg::kProductedDate, shown(id.productionDate.view())),
        row(emg::kMaintainedDate, shown(id.maintenanceDate.view())),
        row(emg::kVersion, shown(id.version)),
        row(emg::kMaintained, shown(id.maintenanceReason.view())),
        row(emg::kDealerCode, shown(id.dealerCode.view())),
        row(emg::kStockDate, shown(id.stockDate.view())),
        row(emg::kSellDate, shown(id.saleDate.view())),
        row(emg::kSeller, shown(id.seller.view())),
    };
}

QComboBox* groupList(const char* name, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    for (std::string_view letter : text::labels::channel_info::kGroupLetters)
        list->addItem(qs(letter));
    return list;
}

} // namespace

FrmPrintList::FrmPrintList(const model::Workspace& ws, QWidget* parent) : QDialog(parent), ws_(ws) {
    setObjectName(QStringLiteral("FrmPrintList"));
    const int language = ws.state.language;
    setWindowTitle(qs(labels::caption, language));

    auto* grid = new QGridLayout;
    const text::TextTable* items[] = {&labels::channelGroup, &labels::optionFeatures,
                                      &labels::localInformation, &labels::embeddedMessage};
    QCheckBox* checks[4] = {};
    for (int row = 0; row < 4; ++row) {
        checks[row] = new QCheckBox(qs(*items[row], language), this);
        checks[row]->setObjectName(QStringLiteral("Check%1").arg(row + 1));
        grid->addWidget(checks[row], row, 0);
        connect(checks[row], &QCheckBox::toggled, this, [this] { itemsChanged(); });
    }
    channels_ = checks[0];
    options_ = checks[1];
    localInformation_ = checks[2];
    embeddedMessage_ = checks[3];
    // The identity record describes a radio only once one was read.
    embeddedMessage_->setEnabled(ws.identityRead);

    // The channel groups to print, Start to End.
    auto* lblRange = new QLabel(qs(labels::startEnd, language), this);
    lblRange->setObjectName(QStringLiteral("LabelRange"));
    start_ = groupList("TextStart", this);
    end_ = groupList("TextEnd", this);
    end_->setCurrentIndex(end_->count() - 1);
    // The label's Alt+letter goes to the first list; each list has a name of its own.
    lblRange->setBuddy(start_);
    editors::nameControl(start_, qs(labels::startGroup, language));
    editors::nameControl(end_, qs(labels::endGroup, language));
    auto* range = new QHBoxLayout;
    range->addWidget(lblRange);
    range->addWidget(start_);
    range->addWidget(end_);
    grid->addLayout(range, 0, 1);
    // The range runs forwards: moving one end past the other moves the other along.
    connect(start_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (end_->currentIndex() < index)
            end_->setCurrentIndex(index);
    });
    connect(end_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (start_->currentIndex() > index)
            start_->setCurrentIndex(index);
    });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const std::pair<const char*, const text::TextTable*> commands[] = {
        {"CommandSelectAll", &labels::selectAll},
        {"CommandClearAll", &labels::clearAll},
        {"CommandSet", &labels::set}};
    QPushButton* pressed[3] = {};
    for (int i = 0; i < 3; ++i) {
        pressed[i] = new QPushButton(qs(*commands[i].second, language), this);
        pressed[i]->setObjectName(QLatin1String(commands[i].first));
        pressed[i]->setAutoDefault(false);
        buttons->addWidget(pressed[i]);
    }
    set_ = pressed[2];
    connect(pressed[0], &QPushButton::clicked, this, [this] { selectAll(); });
    connect(pressed[1], &QPushButton::clicked, this, [this] { clearAll(); });
    connect(set_, &QPushButton::clicked, this, [this] { showPreview(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    chooseDocumentItems();
    editors::assignMnemonics(this, language);
}

void FrmPrintList::selectAll() {
    for (QCheckBox* check : {channels_, options_, localInformation_, embeddedMessage_})
        check->setChecked(check->isEnabled());
    start_->setCurrentIndex(0);
    end_->setCurrentIndex(end_->count() - 1);
}

void FrmPrintList::chooseDocumentItems() {
    selectAll();
    // The identity record belongs to the radio read last, not to the file: printed only
    // when chosen.
    embeddedMessage_->setChecked(false);
}

void FrmPrintList::clearAll() {
    for (QCheckBox* check : {channels_, options_, localInformation_, embeddedMessage_})
        check->setChecked(false);
}

void FrmPrintList::itemsChanged() {
    start_->setEnabled(channels_->isChecked());
    end_->setEnabled(channels_->isChecked());
    set_->setEnabled(channels_->isChecked() || options_->isChecked() ||
                     localInformation_->isChecked() || embeddedMessage_->isChecked());
}

PrintSelection FrmPrintList::selection() const {
    PrintSelection s;
    s.channels = channels_->isChecked();
    s.firstGroup = start_->currentIndex();
    s.lastGroup = end_->currentIndex();
    s.options = options_->isChecked();
    s.localInformation = localInformation_->isChecked();
    s.embeddedMessage = embeddedMessage_->isChecked();
    return s;
}

PrintSource FrmPrintList::source() const {
    PrintSource s;
    s.record = &ws_.record;
    s.modelName = QString::fromStdString(ws_.state.modelName);
    s.bandText = QString::fromStdString(ws_.state.bandText);
    // The file-name part, as the caption shows it (names from other versions may carry "\").
    s.fileName = QFileInfo(QString::fromStdString(ws_.state.currentFileName))
                     .fileName()
                     .section(QLatin1Char('\\'), -1);
    s.date = QDate::currentDate();
    s.language = ws_.state.language;
    s.systemLanguage = ws_.state.systemLanguage;
    if (ws_.identityRead) {
        s.identity = identityRows(ws_, ws_.state.language);
        const std::string serial = editors::identityDisplayForm(ws_.identity.serialNumber.view());
        const int language = ws_.state.language;
        s.identityNote = qs(text::fill(
            text::labels::feedback::kIdentityReadFrom[language],
            {serial.empty()
                 ? std::string(text::labels::feedback::kNoSerialNumber[language])
                 : platform::fromCodePage(serial, ws_.state.systemLanguage).toStdString(),
             identityReadAt_.isValid()
                 ? QLocale(QLocale::C)
                       .toString(identityReadAt_, QStringLiteral("yyyy-MM-dd HH:mm"))
                       .toStdString()
                 : std::string("?")}));
    }
    return s;
}

void FrmPrintList::showPreview() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(paperFor(QLocale::system())));
    printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    printer.setDocName(windowTitle());
    const PrintSource printed = source();
    const PrintSelection chosen = selection();
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName(QStringLiteral("PrintPreview"));
    int pages = 0;
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [&](QPrinter* target) { pages = printPages(*target, printed, chosen); });
    // The preview closes accepted once it has printed (or saved the PDF); its last paint
    // was that one.
    if (preview.exec() != QDialog::Accepted || pages == 0)
        return;
    const bool pdf = printer.outputFormat() == QPrinter::PdfFormat;
    if (pdf && printer.outputFileName().isEmpty())
        return;
    emit this->printed(pages, pdf ? printer.outputFileName() : QString());
}

} // namespace zx::app
