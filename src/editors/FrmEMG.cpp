// Radio identity display: layout, labels and the display form of the identity texts.
#include "editors/FrmEMG.h"

#include "editors/EditorSupport.h"
#include "editors/Mnemonics.h"
#include "editors/ReadOnlyList.h"
#include "platform/CodePage.h"
#include "text/Messages.h"
#include "text/labels/EmgLabels.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>

namespace zx::editors {

namespace labels = text::labels::emg;

namespace {

constexpr int kAreaCodeLength = 4;

// Label object names, in the order the window shows its fields.
struct LabelSlot {
    const char* name;
    const text::TextTable* text;
};
constexpr LabelSlot kLabelSlots[] = {
    {"LabelAreaCode", &labels::kAreaCode},
    {"LabelManufactureCode", &labels::kManufactureCode},
    {"LabelUserCode", &labels::kUserCode},
    {"LabelRadioType", &labels::kRadioType},
    {"LabelFrequency", &labels::kFrequency},
    {"LabelSerialNumber", &labels::kSerialNumber},
    {"LabelProductedDate", &labels::kProductedDate},
    {"LabelMaintainedDate", &labels::kMaintainedDate},
    {"LabelVersion", &labels::kVersion},
    {"LabelMaintained", &labels::kMaintained},
    {"LabelDescription", &labels::kDescription},
    {"LabelDealerCode", &labels::kDealerCode},
    {"LabelStockDate", &labels::kStockDate},
    {"LabelSellDate", &labels::kSellDate},
    {"LabelSeller", &labels::kSeller},
};

QLabel* rightAligned(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QComboBox* singleEntryList(const char* name, QWidget* parent) {
    auto* list = new ReadOnlyList(parent);
    list->setObjectName(QString::fromLatin1(name));
    return list;
}

} // namespace

std::string identityDisplayForm(std::string_view text) {
    const std::size_t end = text.find_last_not_of(' ');
    text = end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1);
    return std::string(text.substr(0, text.find('\0')));
}

FrmEMG::FrmEMG(const model::Workspace& ws, text::Prompter& prompter, QWidget* parent)
    : QDialog(parent), ws_(ws), prompter_(prompter) {
    setObjectName(QStringLiteral("FrmEMG"));

    areaCode_ = addBox("TextAreaCode", kAreaCodeLength);
    manufactureCode_ = addBox("TextManufactureCode");
    userCode_ = addBox("TextUserCode");
    radioType_ = singleEntryList("ComboRadioType", this);
    frequency_ = singleEntryList("ComboFrequency", this);
    serialNumber_ = addBox("TextSerialNumber");
    productedDate_ = addBox("TextProductedDate");
    maintainedDate_ = addBox("TextMaintainedDate");
    version_ = addBox("TextVersion");
    maintained_ = new QPlainTextEdit(this);
    maintained_->setObjectName(QStringLiteral("TextMaintained"));
    maintained_->setReadOnly(true);
    maintained_->setContextMenuPolicy(Qt::NoContextMenu);
    maintained_->setMaximumHeight(maintained_->fontMetrics().lineSpacing() * 5);

    dealerFrame_ = new QGroupBox(this);
    dealerFrame_->setObjectName(QStringLiteral("FrameDealer"));
    dealerCode_ = addBox("TextDealerCode");
    stockDate_ = addBox("TextStockDate");
    sellDate_ = addBox("TextSellDate");
    seller_ = addBox("TextSeller");

    std::array<QLabel*, std::size(kLabelSlots)> label{};
    for (std::size_t i = 0; i < label.size(); ++i)
        label[i] = rightAligned(kLabelSlots[i].name, this);

    auto* grid = new QGridLayout;
    QWidget* const boxes[] = {areaCode_,      manufactureCode_, userCode_,
                              radioType_,     frequency_,       serialNumber_,
                              productedDate_, maintainedDate_,  version_};
    int row = 0;
    for (QWidget* box : boxes) {
        grid->addWidget(label[std::size_t(row)], row, 0);
        grid->addWidget(box, row, 1);
        label[std::size_t(row)]->setBuddy(box);
        ++row;
    }
    // The maintenance reason has two labels stacked beside its multi-line box.
    auto* reasonLabels = new QVBoxLayout;
    reasonLabels->addWidget(label[9]);
    reasonLabels->addWidget(label[10]);
    reasonLabels->addStretch();
    grid->addLayout(reasonLabels, row, 0);
    grid->addWidget(maintained_, row, 1);
    label[9]->setBuddy(maintained_);
    label[10]->setBuddy(maintained_);
    // A read-only box: Tab goes on to the next control.
    maintained_->setTabChangesFocus(true);

    auto* dealer = new QGridLayout(dealerFrame_);
    QWidget* const dealerBoxes[] = {dealerCode_, stockDate_, sellDate_, seller_};
    for (int i = 0; i < 4; ++i) {
        dealer->addWidget(label[std::size_t(11 + i)], i, 0);
        dealer->addWidget(dealerBoxes[i], i, 1);
        label[std::size_t(11 + i)]->setBuddy(dealerBoxes[i]);
    }

    close_ = new QPushButton(this);
    close_->setObjectName(QStringLiteral("CommandClose"));
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close_);

    auto* top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addWidget(dealerFrame_);
    top->addLayout(buttons);

    // Opening: the band of the open document is the only entry of its list, then the
    // labels, then the record.
    frequency_->addItem(QString::fromStdString(ws_.state.bandText));
    applyTexts();
    ShowByData();
}

QLineEdit* FrmEMG::addBox(const char* name, int maxLength) {
    auto* box = new QLineEdit(this);
    box->setObjectName(QString::fromLatin1(name));
    box->setReadOnly(true);
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    return box;
}

void FrmEMG::applyTexts() {
    // Anything but English shows Chinese here.
    const int lang = ws_.state.language == text::English ? text::English : text::Chinese;
    setWindowTitle(tableText(labels::kCaption, lang));
    for (const LabelSlot& slot : kLabelSlots)
        findChild<QLabel*>(QString::fromLatin1(slot.name))->setText(tableText(*slot.text, lang));
    dealerFrame_->setTitle(tableText(labels::kDealerFrame, lang));
    close_->setText(tableText(text::kButtonClose, lang));
    assignMnemonics(this, lang);
}

QString FrmEMG::shown(std::string_view bytes) const {
    return platform::fromCodePage(identityDisplayForm(bytes), ws_.state.systemLanguage);
}

void FrmEMG::ShowByData() {
    const model::RadioIdentity& id = ws_.identity;
    areaCode_->setText(shown(id.areaCode));
    manufactureCode_->setText(shown(id.productionBatch.view()));
    userCode_->setText(shown(id.customerCode.view()));
    radioType_->clear();
    radioType_->addItem(shown(id.modelText));
    radioType_->setCurrentIndex(0);
    frequency_->setCurrentIndex(frequency_->count() > 0 ? 0 : -1);
    serialNumber_->setText(shown(id.serialNumber.view()));
    productedDate_->setText(shown(id.productionDate.view()));
    maintainedDate_->setText(shown(id.maintenanceDate.view()));
    version_->setText(shown(id.version));
    maintained_->setPlainText(shown(id.maintenanceReason.view()));
    dealerCode_->setText(shown(id.dealerCode.view()));
    stockDate_->setText(shown(id.stockDate.view()));
    sellDate_->setText(shown(id.saleDate.view()));
    seller_->setText(shown(id.seller.view()));
}

} // namespace zx::editors
