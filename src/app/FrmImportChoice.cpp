// Laying out the import choice and taking the answer.
#include "app/FrmImportChoice.h"

#include "app/QtText.h"
#include "editors/Mnemonics.h"
#include "text/Fill.h"
#include "text/labels/ImportChoiceLabels.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zx::app {

namespace {

namespace labels = text::labels::import_choice;

// "2: A-01, A-02", or "0".
QString countCell(int group, const std::vector<int>& numbers, int language) {
    if (numbers.empty())
        return QStringLiteral("0");
    return qs(text::fill(labels::kCountAndNames[language],
                         {std::to_string(numbers.size()), exchange::channelNames(group, numbers)}));
}

} // namespace

FrmImportChoice::FrmImportChoice(const std::vector<exchange::GroupImport>& plan,
                                 const QString& fileName, int channelCount, int language,
                                 QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FrmImportChoice"));
    setWindowTitle(qs(labels::kCaption, language));
    setModal(true);

    // The text names the table under it: a file name's '&' stays text.
    intro_ = new QLabel(
        editors::literalCaption(qs(text::fill(
            labels::kIntro[language], {fileName.toStdString(), std::to_string(channelCount)}))),
        this);
    intro_->setObjectName(QStringLiteral("LabelIntro"));
    intro_->setWordWrap(true);

    table_ = new QTableWidget(int(plan.size()), 4, this);
    table_->setObjectName(QStringLiteral("TableGroups"));
    table_->setHorizontalHeaderLabels({qs(labels::kGroup, language), qs(labels::kAdded, language),
                                       qs(labels::kReplaced, language),
                                       qs(labels::kOthers, language)});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab goes on to the buttons rather than from cell to cell.
    table_->setTabKeyNavigation(false);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setWordWrap(false);
    for (int row = 0; row < int(plan.size()); ++row) {
        const exchange::GroupImport& g = plan[std::size_t(row)];
        const QString cells[] = {
            QString(QChar(u'A' + g.group)), countCell(g.group, g.added, language),
            countCell(g.group, g.replaced, language), countCell(g.group, g.others, language)};
        for (int column = 0; column < 4; ++column)
            table_->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    table_->resizeColumnsToContents();
    table_->horizontalHeader()->setStretchLastSection(true);

    explain_ = new QLabel(qs(labels::kExplain, language), this);
    explain_->setObjectName(QStringLiteral("LabelExplain"));
    explain_->setWordWrap(true);

    const auto button = [this](const char* name, const text::TextTable& caption, int language) {
        auto* b = new QPushButton(qs(caption, language), this);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    merge_ = button("CommandMerge", labels::kMerge, language);
    replace_ = button("CommandReplace", labels::kReplaceGroups, language);
    cancel_ = button("CommandCancel", labels::kCancel, language);
    merge_->setDefault(true);
    connect(merge_, &QPushButton::clicked, this, [this] { choose(Choice::Merge); });
    connect(replace_, &QPushButton::clicked, this, [this] { choose(Choice::ReplaceGroups); });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(merge_);
    buttons->addWidget(replace_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro_);
    layout->addWidget(table_, 1);
    layout->addWidget(explain_);
    layout->addLayout(buttons);

    // Every group row and the widest names in view without scrolling.
    int width = 0;
    for (int column = 0; column < 4; ++column)
        width += table_->columnWidth(column);
    const int rows = table_->horizontalHeader()->height() +
                     table_->verticalHeader()->defaultSectionSize() * int(plan.size());
    table_->setMinimumSize(std::min(width + 8, 900), std::min(rows + 8, 400));
    intro_->setBuddy(table_);
    editors::assignMnemonics(this, language);
}

void FrmImportChoice::choose(Choice choice) {
    choice_ = choice;
    accept();
}

} // namespace zx::app
