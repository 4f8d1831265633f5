// The port setup window FrmComSet.
#include "app/FrmComSet.h"

#include "editors/Mnemonics.h"
#include "text/Messages.h"
#include "text/labels/ComSetLabels.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zx::app {

namespace labels = text::labels::comset;

namespace {
QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
QString entryText(int number) {
    return QLatin1String(labels::kEntryPrefix) + QString::number(number);
}
} // namespace

QString ListedPort::description() const {
    return details.isEmpty() ? device : device + QStringLiteral("  ") + details;
}

int portNumberOfEntry(const QString& entry) {
    // The number is what follows the three letters of "COM"; blanks do not count.
    QString digits = entry.mid(3);
    digits.remove(QLatin1Char(' '));
    bool ok = false;
    const int n = digits.toInt(&ok);
    return ok && n >= 0 ? n : -1;
}

FrmComSet::FrmComSet(model::Workspace& workspace, PortLister lister, PortStore store,
                     QWidget* parent)
    : QDialog(parent), workspace_(workspace), lister_(std::move(lister)), store_(std::move(store)) {
    setObjectName(QStringLiteral("FrmComSet"));
    setModal(true);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    const int lang = workspace_.state.language;
    setWindowTitle(qs(labels::kCaption[lang]));

    auto* label1 = new QLabel(qs(labels::kLabelPort[lang]), this);
    label1->setObjectName(QStringLiteral("Label1"));
    combo_ = new QComboBox(this);
    combo_->setObjectName(QStringLiteral("Combo1"));
    combo_->setMinimumContentsLength(8);
    label1->setBuddy(combo_);
    // On Linux the numbers stand for device files; show which one the entry means.
    device_ = new QLabel(this);
    device_->setObjectName(QStringLiteral("LabelDevice"));
    auto* ok = new QPushButton(qs(text::kButtonOk[lang]), this);
    ok->setObjectName(QStringLiteral("CommandOK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(qs(text::kButtonCancel[lang]), this);
    cancel->setObjectName(QStringLiteral("CommandCancel"));

    auto* row = new QHBoxLayout;
    row->addWidget(label1);
    row->addWidget(combo_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(device_);
    layout->addLayout(buttons);

    connect(combo_, &QComboBox::activated, this, &FrmComSet::Combo1_Click);
    connect(ok, &QPushButton::clicked, this, &FrmComSet::CommandOK_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    fill(workspace_.state.comPort);

    refresh_ = new QTimer(this);
    refresh_->setObjectName(QStringLiteral("ReShowComPortTimer"));
    refresh_->setInterval(kRefreshIntervalMs);
    connect(refresh_, &QTimer::timeout, this, &FrmComSet::ReShowComPort);
    refresh_->start();
    // Closing the window by any means stops the refresh.
    connect(this, &QDialog::finished, refresh_, &QTimer::stop);
    editors::assignMnemonics(this, workspace_.state.language);
}

void FrmComSet::ReShowComPort() {
    fill(selectedPort_);
}

void FrmComSet::fill(int wanted) {
    const QList<ListedPort> ports = lister_ ? lister_() : QList<ListedPort>{};
    if (ports != ports_) {
        // Rebuild only on a change, so that an open drop-down is not torn down every second.
        ports_ = ports;
        const QSignalBlocker block(combo_);
        combo_->clear();
        for (const ListedPort& p : ports_) {
            // The entry reads "COM" + n, as the settings keep it; the device and the adapter
            // show beside it and in the drop-down's tooltips.
            combo_->addItem(entryText(p.number));
            combo_->setItemData(combo_->count() - 1, p.description(), Qt::ToolTipRole);
        }
    }
    if (ports_.isEmpty()) {
        selectedPort_ = 0;
        combo_->setCurrentIndex(-1);
        showDevice();
        return;
    }
    int index = combo_->findText(entryText(wanted));
    if (index < 0)
        index = 0;
    {
        const QSignalBlocker block(combo_);
        combo_->setCurrentIndex(index);
    }
    selectedPort_ = qMax(0, portNumberOfEntry(combo_->itemText(index)));
    showDevice();
}

void FrmComSet::Combo1_Click(int index) {
    selectedPort_ = index < 0 ? 0 : qMax(0, portNumberOfEntry(combo_->itemText(index)));
    showDevice();
}

void FrmComSet::showDevice() {
    const int index = combo_->currentIndex();
    device_->setText(index >= 0 && index < ports_.size() ? ports_[index].description() : QString());
}

void FrmComSet::CommandOK_Click() {
    const int index = combo_->currentIndex();
    if (index < 0) {
        // Nothing listed: no port is chosen, and there is nothing to write.
        workspace_.state.comPort = 0;
    } else {
        const int n = portNumberOfEntry(combo_->itemText(index));
        if (n >= 0) {
            workspace_.state.comPort = n;
            if (store_)
                store_(n);
        }
    }
    accept();
}

} // namespace zx::app
