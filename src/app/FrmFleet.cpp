// Laying out and running the Fleet Programming window.
#include "app/FrmFleet.h"

#include "app/FileDialogs.h"
#include "app/QtText.h"
#include "editors/Mnemonics.h"
#include "platform/BackupStore.h"
#include "platform/FleetLog.h"
#include "platform/PortCatalog.h"
#include "platform/QtFleet.h"
#include "text/Fill.h"
#include "text/Messages.h"
#include "text/Prompter.h"
#include "text/labels/FleetLabels.h"
#include "text/labels/RadioSafetyLabels.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <optional>

namespace zx::app {

namespace labels = text::labels::fleet;
using link::FleetPortState;

namespace {

// Port list columns.
enum PortColumn { ColumnPort, ColumnAdapter, ColumnState, PortColumns };

// How a port's row shows its last radio until the next one is found.
const QColor kGoodRow(0xC8, 0xF0, 0xC8);
const QColor kFailedRow(0xF8, 0xC8, 0xC8);

// How long closing the window waits for the radios to answer End.
constexpr int kEndRunMs = 5000;
// The port list follows adapters plugged in or out while no run holds it.
constexpr int kPortRefreshMs = 1000;

QTableWidgetItem* readOnlyItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setToolTip(text); // a long reason is cut in its cell
    return item;
}

// One line a row; the column that says most takes the room that is left.
void layOutTable(QTableWidget* table, int stretching) {
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Tab goes on to the next control rather than from cell to cell.
    table->setTabKeyNavigation(false);
    QHeaderView* header = table->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(stretching, QHeaderView::Stretch);
}

} // namespace

FrmFleet::FrmFleet(Setup setup, QWidget* parent) : QDialog(parent), setup_(setup) {
    setObjectName(QStringLiteral("FrmFleet"));
    setWindowModality(Qt::ApplicationModal);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    language_ = setup_.document->state.language;
    context_.language = language_;
    context_.codePage = setup_.document->state.systemLanguage;
    context_.document = QString::fromStdString(setup_.document->state.currentFileName);
    buildWindow();
    label();
    if (setup_.backups)
        log_->setText(platform::FleetLog::dailyPath(setup_.backups->folder(), setup_.today));
    refreshPorts();
    portTimer_ = new QTimer(this);
    portTimer_->setObjectName(QStringLiteral("TimerPorts"));
    portTimer_->setInterval(kPortRefreshMs);
    connect(portTimer_, &QTimer::timeout, this, [this] {
        if (!running())
            refreshPorts();
    });
    portTimer_->start();
    setRunning(false);
}

FrmFleet::~FrmFleet() {
    endRun();
}

QString FrmFleet::say(const text::TextTable& table, const QStringList& values) const {
    std::vector<std::string> held;
    for (const QString& value : values)
        held.push_back(value.toStdString());
    return qs(text::fill(table[language_], held));
}

void FrmFleet::buildWindow() {
    document_ = new QLabel(this);
    document_->setObjectName(QStringLiteral("LabelDocument"));
    document_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    portsLabel_ = new QLabel(this);
    portsLabel_->setObjectName(QStringLiteral("LabelPorts"));
    portTable_ = new QTableWidget(0, PortColumns, this);
    portTable_->setObjectName(QStringLiteral("TablePorts"));
    layOutTable(portTable_, ColumnState);
    portsLabel_->setBuddy(portTable_);

    verify_ = new QCheckBox(this);
    verify_->setObjectName(QStringLiteral("CheckVerify"));
    verify_->setChecked(true);
    backupFirst_ = new QCheckBox(this);
    backupFirst_->setObjectName(QStringLiteral("CheckBackupFirst"));
    countLabel_ = new QLabel(this);
    countLabel_->setObjectName(QStringLiteral("LabelCount"));
    count_ = new QSpinBox(this);
    count_->setObjectName(QStringLiteral("SpinCount"));
    count_->setRange(0, 9999);
    countLabel_->setBuddy(count_);
    logLabel_ = new QLabel(this);
    logLabel_->setObjectName(QStringLiteral("LabelLog"));
    log_ = new QLineEdit(this);
    log_->setObjectName(QStringLiteral("TextLog"));
    logLabel_->setBuddy(log_);
    browse_ = new QPushButton(this);
    browse_->setObjectName(QStringLiteral("CommandBrowse"));
    connect(browse_, &QPushButton::clicked, this, &FrmFleet::browseLog);

    start_ = new QPushButton(this);
    start_->setObjectName(QStringLiteral("CommandStart"));
    start_->setDefault(true);
    connect(start_, &QPushButton::clicked, this, [this] { start(); });
    stop_ = new QPushButton(this);
    stop_->setObjectName(QStringLiteral("CommandStop"));
    connect(stop_, &QPushButton::clicked, this, [this] { stop(); });
    close_ = new QPushButton(this);
    close_->setObjectName(QStringLiteral("CommandClose"));
    connect(close_, &QPushButton::clicked, this, &QDialog::close);

    radiosLabel_ = new QLabel(this);
    radiosLabel_->setObjectName(QStringLiteral("LabelRadios"));
    int shownColumns = 0;
    int resultColumn = 0;
    for (const platform::FleetColumnInfo& column : platform::fleetColumns()) {
        if (column.column == platform::FleetColumn::Result)
            resultColumn = shownColumns;
        shownColumns += column.shown ? 1 : 0;
    }
    radioTable_ = new QTableWidget(0, shownColumns, this);
    radioTable_->setObjectName(QStringLiteral("TableRadios"));
    layOutTable(radioTable_, resultColumn);
    radiosLabel_->setBuddy(radioTable_);
    totals_ = new QLabel(this);
    totals_->setObjectName(QStringLiteral("LabelTotals"));

    auto* options = new QGridLayout;
    options->addWidget(verify_, 0, 0, 1, 3);
    options->addWidget(backupFirst_, 1, 0, 1, 3);
    options->addWidget(countLabel_, 2, 0);
    options->addWidget(count_, 2, 1);
    options->addWidget(logLabel_, 3, 0);
    options->addWidget(log_, 3, 1);
    options->addWidget(browse_, 3, 2);
    options->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(start_);
    buttons->addWidget(stop_);
    buttons->addStretch(1);
    buttons->addWidget(close_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(document_);
    layout->addWidget(portsLabel_);
    layout->addWidget(portTable_, 1);
    layout->addLayout(options);
    layout->addLayout(buttons);
    layout->addWidget(radiosLabel_);
    layout->addWidget(radioTable_, 2);
    layout->addWidget(totals_);

    const QFontMetrics metrics(font());
    resize(metrics.horizontalAdvance(QLatin1Char('M')) * 80, metrics.lineSpacing() * 40);
}

void FrmFleet::label() {
    setWindowTitle(say(labels::kCaption));
    const model::Workspace& ws = *setup_.document;
    document_->setText(say(labels::kDocument, {QFileInfo(context_.document).fileName(),
                                               QString::fromStdString(ws.state.bandText)}));
    document_->setToolTip(QDir::toNativeSeparators(context_.document));
    portsLabel_->setText(say(labels::kPorts));
    portTable_->setHorizontalHeaderLabels(
        {say(labels::kColumnPort), say(labels::kColumnAdapter), say(labels::kColumnState)});
    verify_->setText(say(labels::kVerify));
    backupFirst_->setText(say(labels::kBackupFirst));
    countLabel_->setText(say(labels::kCount));
    logLabel_->setText(say(labels::kLog));
    browse_->setText(say(labels::kBrowse));
    start_->setText(say(labels::kStart));
    stop_->setText(say(labels::kStop));
    close_->setText(qs(text::kButtonClose, language_));
    radiosLabel_->setText(say(labels::kRadiosDone));
    QStringList headings;
    for (const platform::FleetColumnInfo& column : platform::fleetColumns())
        if (column.shown)
            headings << qs(column.heading, language_);
    radioTable_->setHorizontalHeaderLabels(headings);
    showTotals();
    editors::assignMnemonics(this, language_);
}

void FrmFleet::refreshPorts() {
    std::vector<PortRow> listed;
    for (const platform::PortCatalog::Entry& entry : setup_.catalog->entries())
        listed.push_back({entry.number, entry.device, entry.details()});
    const auto same = [](const PortRow& a, const PortRow& b) {
        return a.number == b.number && a.device == b.device && a.details == b.details;
    };
    if (listed.size() == ports_.size() &&
        std::equal(listed.begin(), listed.end(), ports_.begin(), same))
        return;
    // Ticks follow their device; a new list ticks the configured port the first time.
    QStringList ticked;
    for (int row = 0; row < portTable_->rowCount(); ++row)
        if (portTable_->item(row, ColumnPort)->checkState() == Qt::Checked)
            ticked << ports_[std::size_t(row)].device;
    const bool first = ports_.empty() && portTable_->rowCount() == 0;
    ports_ = listed;
    portTable_->setRowCount(int(ports_.size()));
    for (std::size_t i = 0; i < ports_.size(); ++i) {
        const PortRow& port = ports_[i];
        auto* name = new QTableWidgetItem(platform::PortCatalog::portName(port.number));
        name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        const bool tick =
            first ? port.number == setup_.document->state.comPort : ticked.contains(port.device);
        name->setCheckState(tick ? Qt::Checked : Qt::Unchecked);
        portTable_->setItem(int(i), ColumnPort, name);
        portTable_->setItem(
            int(i), ColumnAdapter,
            readOnlyItem(port.details.isEmpty() ? port.device : port.device + "  " + port.details));
        portTable_->setItem(int(i), ColumnState, readOnlyItem(QString()));
    }
}

int FrmFleet::portRow(int portNumber) const {
    for (std::size_t i = 0; i < ports_.size(); ++i)
        if (ports_[i].number == portNumber)
            return int(i);
    return -1;
}

bool FrmFleet::running() const {
    return fleet_ && fleet_->running();
}

void FrmFleet::setRunning(bool running) {
    for (QWidget* w : std::initializer_list<QWidget*>{verify_, backupFirst_, count_, log_, browse_})
        w->setEnabled(!running);
    start_->setEnabled(!running);
    stop_->setEnabled(running);
    for (int row = 0; row < portTable_->rowCount(); ++row) {
        QTableWidgetItem* item = portTable_->item(row, ColumnPort);
        const Qt::ItemFlags flags = item->flags();
        item->setFlags(running ? flags & ~Qt::ItemIsUserCheckable
                               : flags | Qt::ItemIsUserCheckable);
    }
}

bool FrmFleet::start() {
    if (running())
        return false;
    refreshPorts();
    std::vector<int> rows;
    for (int row = 0; row < portTable_->rowCount(); ++row)
        if (portTable_->item(row, ColumnPort)->checkState() == Qt::Checked)
            rows.push_back(row);
    if (rows.empty()) {
        setup_.prompter->inform(
            (ports_.empty() ? labels::kNoPortListed : labels::kNoPortChosen)[language_],
            text::Icon::Warning);
        return false;
    }
    std::optional<platform::FleetLog> log;
    if (const QString path = log_->text().trimmed(); !path.isEmpty()) {
        // The day's log lives with the backups, whose folder may not be there yet.
        if (setup_.backups &&
            QFileInfo(path).absolutePath() == QDir(setup_.backups->folder()).absolutePath())
            QDir().mkpath(setup_.backups->folder());
        platform::FleetLog file(path);
        QString error;
        if (!file.prepare(language_, &error)) {
            setup_.prompter->inform(error.toStdString(), text::Icon::Warning);
            return false;
        }
        log = file;
    }

    link::FleetOptions options;
    options.write = {.backupFirst = backupFirst_->isChecked(), .verify = verify_->isChecked()};
    options.count = count_->value();
    options.document = setup_.document->state.currentFileName;
    fleet_ = std::make_unique<platform::QtFleet>(*setup_.document, options, *setup_.catalog);
    rowOfFleetPort_.clear();
    for (const int row : rows) {
        const PortRow& port = ports_[std::size_t(row)];
        fleet_->addPort(port.number,
                        platform::PortCatalog::portName(port.number) + " (" + port.device + ")");
        rowOfFleetPort_.push_back(row);
    }
    fleet_->setBackups(setup_.backups);
    fleet_->setLog(log, context_);
    connect(fleet_.get(), &platform::QtFleet::portStatusChanged, this, &FrmFleet::showPort);
    connect(fleet_.get(), &platform::QtFleet::radioFinished, this, &FrmFleet::addRadio);
    connect(fleet_.get(), &platform::QtFleet::runFinished, this, &FrmFleet::finishedRun);
    // Said once the port that met it has wound up, not inside its conversation.
    connect(fleet_.get(), &platform::QtFleet::logFailed, this, [this](const QString& error) {
        const std::string text =
            say(labels::kLogFailed, {QDir::toNativeSeparators(log_->text()), error}).toStdString();
        QTimer::singleShot(0, this,
                           [this, text] { setup_.prompter->inform(text, text::Icon::Error); });
    });
    connect(fleet_.get(), &platform::QtFleet::backupFailed, this,
            [this](int, const QString& error) {
                const std::string text =
                    say(text::labels::safety::kBackupFailed, {error}).toStdString();
                QTimer::singleShot(
                    0, this, [this, text] { setup_.prompter->inform(text, text::Icon::Warning); });
            });

    for (int row = 0; row < portTable_->rowCount(); ++row) {
        portTable_->item(row, ColumnState)->setText(say(labels::kStateIdle));
        for (int column = 0; column < PortColumns; ++column)
            portTable_->item(row, column)->setBackground(QBrush());
    }
    radioTable_->setRowCount(0);
    setRunning(true);
    showTotals();
    fleet_->start();
    return true;
}

void FrmFleet::stop() {
    if (running())
        fleet_->stop();
}

void FrmFleet::endRun() {
    if (!running())
        return;
    QEventLoop loop;
    connect(this, &FrmFleet::runFinished, &loop, &QEventLoop::quit);
    QTimer::singleShot(kEndRunMs, &loop, &QEventLoop::quit);
    fleet_->stop();
    if (running())
        loop.exec();
}

void FrmFleet::showPort(int fleetPort) {
    const int row = rowOfFleetPort_.at(std::size_t(fleetPort));
    const link::FleetPortStatus& status = fleet_->fleet().status(std::size_t(fleetPort));
    const QString state = platform::fleetStateText(status, context_);
    portTable_->item(row, ColumnState)->setText(state);
    portTable_->item(row, ColumnState)->setToolTip(state);
    // The row keeps the colour of its last radio until the next one is found.
    QBrush background;
    if (status.state == FleetPortState::RemoveRadio && status.last)
        background = status.last->good() ? kGoodRow : kFailedRow;
    else if (status.state == FleetPortState::WaitingForRadio ||
             status.state == FleetPortState::Stopped)
        background = portTable_->item(row, ColumnPort)->background();
    for (int column = 0; column < PortColumns; ++column)
        portTable_->item(row, column)->setBackground(background);
}

void FrmFleet::addRadio(int index) {
    const link::FleetRecord& record = fleet_->records().at(index);
    const int row = radioTable_->rowCount();
    radioTable_->insertRow(row);
    int column = 0;
    for (const platform::FleetColumnInfo& info : platform::fleetColumns()) {
        if (!info.shown)
            continue;
        QTableWidgetItem* item =
            readOnlyItem(platform::fleetShownValue(info.column, record, context_));
        item->setBackground(record.good() ? kGoodRow : kFailedRow);
        radioTable_->setItem(row, column++, item);
    }
    radioTable_->scrollToBottom();
    showTotals();
    // A radio is ready to be taken off: the dealer need not watch the screen.
    QApplication::beep();
}

void FrmFleet::showTotals() {
    const int good = fleet_ ? fleet_->fleet().good() : 0;
    const int failed = fleet_ ? fleet_->fleet().failed() : 0;
    totals_->setText(say(labels::kTotals, {QString::number(good), QString::number(failed)}));
}

void FrmFleet::finishedRun() {
    setRunning(false);
    emit runFinished();
}

void FrmFleet::browseLog() {
    const QString chosen = setup_.dialogs->appendFile(
        this, log_->text(), say(labels::kLogFileLabel) + QStringLiteral(" (*.csv)"));
    if (!chosen.isEmpty())
        log_->setText(chosen);
}

void FrmFleet::closeEvent(QCloseEvent* event) {
    // Every open session ends with End first; a radio left half written is reported.
    endRun();
    portTimer_->stop();
    event->accept();
}

void FrmFleet::reject() {
    // Escape closes the window as its close button does, ending the run first.
    close();
}

} // namespace zx::app
