// Print-items window.
#include "app/FrmPrintList.h"

#include "app/QtText.h"
#include "text/labels/PrintListLabels.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace zx::app {

namespace labels = text::labels::print_list;

FrmPrintList::FrmPrintList(int language, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmPrintList"));
    setWindowTitle(qs(labels::caption, language));

    auto* grid = new QGridLayout;
    const text::TextTable* items[] = {&labels::channelGroup, &labels::optionFeatures,
                                      &labels::localInformation, &labels::embeddedMessage};
    int row = 0;
    for (const text::TextTable* item : items) {
        auto* check = new QCheckBox(qs(*item, language), this);
        check->setObjectName(QStringLiteral("Check%1").arg(row + 1));
        grid->addWidget(check, row++, 0);
    }
    // The channel groups to print, A..F.
    auto* lblRange = new QLabel(qs(labels::startEnd, language), this);
    lblRange->setObjectName(QStringLiteral("LabelRange"));
    auto* range = new QHBoxLayout;
    range->addWidget(lblRange);
    for (const char* name : {"TextStart", "TextEnd"}) {
        auto* box = new QSpinBox(this);
        box->setObjectName(QLatin1String(name));
        box->setRange(1, 6);
        range->addWidget(box);
    }
    grid->addLayout(range, 0, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const std::pair<const char*, const text::TextTable*> commands[] = {
        {"CommandSelectAll", &labels::selectAll},
        {"CommandClearAll", &labels::clearAll},
        {"CommandSet", &labels::set}};
    for (const auto& [name, caption] : commands) {
        auto* button = new QPushButton(qs(*caption, language), this);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

} // namespace zx::app
