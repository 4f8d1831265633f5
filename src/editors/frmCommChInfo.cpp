// The channel information window: layout, texts, filling the grid from the data model, and
// the editing flow over the grid (cell entry, the editors placed over the cell, Enter
// navigation, commit on leaving a cell, group, emergency channel and band changes).
#include "editors/frmCommChInfo.h"

#include "editors/ChannelGridKeys.h"
#include "model/Band.h"
#include "model/ChannelTable.h"
#include "text/Messages.h"
#include "text/labels/ChannelInfoLabels.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <string>
#include <vector>

namespace zx::editors {

namespace {

namespace labels = text::labels::channel_info;

constexpr int kRows = 60;    // grid rows 1..60, one per channel number
constexpr int kColumns = 10; // column 0 shows the row number
constexpr int kLastColumn = model::ColScan;

// The window is laid out in twips; 15 twips make one pixel at 96 dpi.
constexpr int px(int twips) {
    return twips / 15;
}

QString qs(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

bool isEnterKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// A list set from a stored text shows the equal entry, else its first entry; an empty list
// shows nothing.
void selectEqualOrFirst(QComboBox* list, const QString& text) {
    const int index = list->findText(text, Qt::MatchExactly);
    list->setCurrentIndex(index >= 0 ? index : (list->count() > 0 ? 0 : -1));
}

// An editor is shown over its cell from show() to hide(), also while the window itself is
// hidden or minimised.
bool shown(const QWidget* editor) {
    return !editor->isHidden();
}

bool isFrequencyColumn(int column) {
    return column == model::ColRxFreq || column == model::ColTxFreq;
}

bool isListColumn(int column) {
    return column >= model::ColBusy && column <= model::ColScan;
}

int fieldOfColumn(const model::ChannelEntry& entry, int column) {
    switch (column) {
    case model::ColBusy:
        return entry.busy;
    case model::ColEcho:
        return entry.echo;
    case model::ColHiCut:
        return entry.hiCut;
    case model::ColPlus10k:
        return entry.plus10k;
    case model::ColNbAnl:
        return entry.nbAnl;
    case model::ColRb:
        return entry.rb;
    default:
        return entry.scan;
    }
}

const std::array<text::TextTable, 2>& entriesOfColumn(int column) {
    return column == model::ColScan ? labels::kScanEntries : labels::kFlagEntries;
}

} // namespace

template <typename F> void frmCommChInfo::guarded(const char* identifier, F&& f) {
    try {
        f();
    } catch (const std::exception&) {
        prompter_.inform(identifier);
    }
}

frmCommChInfo::frmCommChInfo(model::Workspace& ws, text::Prompter& prompter, QWidget* parent)
    : QWidget(parent), ws_(ws), prompter_(prompter) {
    setObjectName(QStringLiteral("frmCommChInfo"));
    buildControls();
    guarded("frmCommChInfo_Form_Load", [&] {
        resize(px(4500), px(9600));
        selectEqualOrFirst(bandList_, qs(ws_.state.bandText));
        initShowGrid();
        SetEditNoVisable();
        // A record from a file may carry a group outside A..F; the window shows group A then.
        if (ws_.record.currentGroup < 0 || ws_.record.currentGroup >= model::kGroupCount)
            ws_.record.currentGroup = 0;
        InitComboList();
        changeShowByLanguage();
        setGridData();
        firstActivationPending_ = true;
        open_ = true;
        {
            // The editor opens on the first activation, not while the window is built.
            const QSignalBlocker blocker(grid_);
            moveGridCursor(1, model::ColRxFreq);
        }
        loaded_ = true;
    });
}

frmCommChInfo::~frmCommChInfo() {
    if (open_)
        guarded("frmCommChInfo_Form_Unload", [&] {
            validateControls();
            open_ = false;
        });
    // The children outlive this part of the object; keep their events away from it.
    text1_->removeEventFilter(this);
    grid_->removeEventFilter(this);
    for (QComboBox* list : cellLists_)
        list->removeEventFilter(this);
}

void frmCommChInfo::buildControls() {
    bandLabel_ = new QLabel(this);
    bandLabel_->setObjectName(QStringLiteral("LabelBand"));
    bandList_ = new QComboBox(this);
    bandList_->setObjectName(QStringLiteral("ComboBand"));
    bandList_->addItems(
        {QString::fromLatin1(model::kBandText0), QString::fromLatin1(model::kBandText1)});

    groupLabel_ = new QLabel(this);
    groupLabel_->setObjectName(QStringLiteral("LabelGroup"));
    groupList_ = new QComboBox(this);
    groupList_->setObjectName(QStringLiteral("ComboGroup"));
    for (std::string_view letter : labels::kGroupLetters)
        groupList_->addItem(qs(letter));

    auto* top = new QGridLayout;
    top->setHorizontalSpacing(px(100));
    top->addWidget(bandLabel_, 0, 0, 1, 2);
    top->addWidget(bandList_, 1, 0, 1, 2);
    top->addWidget(groupLabel_, 2, 0, Qt::AlignRight);
    top->addWidget(groupList_, 2, 1);
    // The six emergency pairs share one place; only the current group's pair is visible.
    for (int k = 0; k < model::kGroupCount; ++k) {
        emergencyLabels_[k] = new QLabel(this);
        emergencyLabels_[k]->setObjectName(QStringLiteral("LabelEmergency_%1").arg(k));
        emergencyLists_[k] = new QComboBox(this);
        emergencyLists_[k]->setObjectName(QStringLiteral("ComboEmergency_%1").arg(k));
        top->addWidget(emergencyLabels_[k], 3, 0, Qt::AlignRight);
        top->addWidget(emergencyLists_[k], 3, 1);
        connect(emergencyLists_[k], &QComboBox::activated, this, [this, k] {
            guarded("frmCommChInfo_SetGridData", [&] { onEmergencyActivated(k); });
        });
    }
    top->setColumnStretch(1, 1);

    grid_ = new QTableWidget(kRows, kColumns, this);
    grid_->setObjectName(QStringLiteral("MSFlexGrid1"));
    grid_->installEventFilter(this);

    text1_ = new QLineEdit(grid_->viewport());
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setAlignment(Qt::AlignCenter);
    new FrequencyBoxGuard(text1_);
    text1_->installEventFilter(this); // after the guard, so that it sees Enter first

    for (int i = 0; i < int(cellLists_.size()); ++i) {
        cellLists_[i] = new QComboBox(grid_->viewport());
        cellLists_[i]->setObjectName(QStringLiteral("Combo8_%1").arg(i + 1));
        cellLists_[i]->installEventFilter(this);
    }

    closeButton_ = new QPushButton(this);
    closeButton_->setObjectName(QStringLiteral("CommandClose"));

    focusTimer_ = new QTimer(this);
    focusTimer_->setObjectName(QStringLiteral("TimerFocus"));
    focusTimer_->setSingleShot(true);
    focusTimer_->setInterval(10);
    scrollTimer_ = new QTimer(this);
    scrollTimer_->setObjectName(QStringLiteral("TimerScroll"));
    scrollTimer_->setSingleShot(true);
    scrollTimer_->setInterval(500);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(grid_, 1);
    layout->addWidget(closeButton_, 0, Qt::AlignHCenter);

    connect(focusTimer_, &QTimer::timeout, this,
            [this] { guarded("FrmCommChInfo_TimerFocus_Timer_Error", [&] { onFocusTimer(); }); });
    connect(grid_, &QTableWidget::currentCellChanged, this,
            [this] { guarded("frmCommChInfo_MSFlexGrid1_EnterCell", [&] { cellEntry(); }); });
    // Only scrolling by the user moves the cursor along; the scroll action is reported
    // before the new position is applied, so the handling runs once the grid has moved.
    connect(grid_->verticalScrollBar(), &QAbstractSlider::actionTriggered, this, [this] {
        QTimer::singleShot(
            0, this, [this] { guarded("MSFlexGrid1_Scroll Error", [&] { onUserScroll(); }); });
    });
    connect(groupList_, &QComboBox::activated, this, [this](int index) {
        guarded("frmCommChInfo_SetGridData", [&] { onGroupActivated(index); });
    });
    connect(bandList_, &QComboBox::activated, this,
            [this] { guarded("frmCommChInfo_Form_Load", [&] { onBandActivated(); }); });
    connect(closeButton_, &QPushButton::clicked, this, [this] {
        // Inside an MDI area the frame that wraps the window is what closes.
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()); sub && sub->widget() == this)
            sub->close();
        else
            close();
    });
}

void frmCommChInfo::initShowGrid() {
    guarded("frmCommChInfo_InitShowGridError", [&] {
        grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        grid_->setSelectionMode(QAbstractItemView::NoSelection);
        grid_->verticalHeader()->hide();
        grid_->verticalHeader()->setDefaultSectionSize(px(300));
        grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        QHeaderView* header = grid_->horizontalHeader();
        header->setFixedHeight(px(510));
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setHighlightSections(false);
        // The narrow columns of the radio's layout wrap their headers onto two lines.
        header->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
        grid_->setColumnWidth(0, px(500));
        grid_->setColumnWidth(model::ColRxFreq, px(1200));
        grid_->setColumnWidth(model::ColTxFreq, px(1200));
        for (int column = model::ColBusy; column <= model::ColRb; ++column)
            grid_->setColumnHidden(column, true);
        grid_->setColumnWidth(model::ColScan, px(1000));
        grid_->setFixedWidth(px(4190));
        grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        for (int row = 0; row < kRows; ++row)
            for (int column = 0; column < kColumns; ++column) {
                auto* item = new QTableWidgetItem;
                item->setTextAlignment(Qt::AlignCenter);
                // Column 0 only labels the rows.
                item->setFlags(column == 0 ? Qt::ItemIsEnabled
                                           : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
                grid_->setItem(row, column, item);
            }
    });
}

void frmCommChInfo::changeShowByLanguage() {
    guarded("frmCommChInfo_ChangShowByLanguage", [&] {
        const int language = ws_.state.language;
        bandLabel_->setText(qs(labels::kBandLabel[language]));
        groupLabel_->setText(qs(labels::kGroupLabel[language]));
        groupList_->setCurrentIndex(group());
        updateCaption();
        for (int k = 0; k < model::kGroupCount; ++k)
            emergencyLabels_[k]->setText(qs(labels::kEmergencyLabel[language]) + QLatin1Char(' ') +
                                         groupList_->itemText(k));
        QStringList headers;
        for (const text::TextTable& header : labels::kColumnHeaders)
            headers << qs(header[language]);
        grid_->setHorizontalHeaderLabels(headers);
        for (int row = 1; row <= kRows; ++row)
            grid_->item(row - 1, 0)->setText(QString::number(row));
        for (int column = model::ColBusy; column <= model::ColScan; ++column) {
            QComboBox* list = cellList(column);
            list->clear();
            for (const text::TextTable& entry : entriesOfColumn(column))
                list->addItem(qs(entry[language]));
        }
        closeButton_->setText(qs(text::kButtonClose[language]));
    });
}

void frmCommChInfo::updateCaption() {
    const int language = ws_.state.language;
    setWindowTitle(qs(labels::kCaptionPrefix[language]) + QLatin1Char(' ') +
                   QString::number(captionChannel_) + qs(labels::kCaptionClose) +
                   qs(labels::kCaptionGroupSeparator) + qs(labels::kGroupLetters[group()]));
}

void frmCommChInfo::ReShowChInfoByLanguage() {
    changeShowByLanguage();
    setGridData();
    // An open editor shows the cell in the new language too.
    if (isListColumn(curCol_) && curRow_ > 0 && shown(cellList(curCol_)))
        selectEqualOrFirst(cellList(curCol_), grid_->item(curRow_ - 1, curCol_)->text());
}

void frmCommChInfo::SetGridData2() {
    guarded("frmCommChInfo_SetGridData", [&] {
        if (ws_.record.currentGroup < 0 || ws_.record.currentGroup >= model::kGroupCount)
            ws_.record.currentGroup = 0;
        selectEqualOrFirst(bandList_, qs(ws_.state.bandText));
        groupList_->setCurrentIndex(group());
        updateCaption();
        InitComboList();
        setGridData();
        // A text still open over a cell belongs to the record that was replaced: the editor
        // takes the cell's new content instead of storing the old text later.
        if (curRow_ > 0 && isFrequencyColumn(curCol_) && shown(text1_)) {
            text1_->setText(grid_->item(curRow_ - 1, curCol_)->text());
            if (!text1_->text().isEmpty())
                text1_->selectAll();
        } else if (curRow_ > 0 && isListColumn(curCol_) && shown(cellList(curCol_))) {
            selectEqualOrFirst(cellList(curCol_), grid_->item(curRow_ - 1, curCol_)->text());
        }
    });
}

void frmCommChInfo::setGridData() {
    guarded("frmCommChInfo_SetGridData", [&] {
        for (int row = 1; row <= kRows; ++row)
            showRow(row);
        showCurrentEmergency();
        setEmergencyTexts();
    });
}

void frmCommChInfo::showRow(int row) {
    const model::ChannelEntry* entry = findChannel(group(), row);
    for (int column = model::ColRxFreq; column <= kLastColumn; ++column) {
        QString textOfCell;
        if (entry) {
            if (column == model::ColRxFreq)
                textOfCell =
                    qs(model::displayFromStored(entry->rxFreq.view(), ws_.state, prompter_));
            else if (column == model::ColTxFreq)
                textOfCell =
                    qs(model::displayFromStored(entry->txFreq.view(), ws_.state, prompter_));
            else
                textOfCell = listText(column, fieldOfColumn(*entry, column));
        }
        grid_->item(row - 1, column)->setText(textOfCell);
    }
}

void frmCommChInfo::reShowGrid(int row) {
    guarded("frmCommChInfo_reShowGrid", [&] {
        setEmergencyTexts();
        if (row < 1 || row > kRows)
            return;
        showRow(row);
        // The text box empties with the row, unless it holds the user's text of another row.
        if (!findChannel(group(), row) && (curRow_ == row || !shown(text1_)))
            text1_->clear();
    });
}

void frmCommChInfo::InitComboList() {
    guarded("ShowChIfoData", [&] {
        for (int k = 0; k < model::kGroupCount; ++k) {
            const int count =
                std::clamp<int>(ws_.record.channelCount[k], 0, model::kChannelsPerGroup);
            std::vector<int> numbers;
            for (int entry = 1; entry <= count; ++entry)
                numbers.push_back(ws_.record.channel(k, entry).number);
            std::sort(numbers.begin(), numbers.end());
            QComboBox* list = emergencyLists_[k];
            list->clear();
            for (int number : numbers)
                list->addItem(QString::number(number));
        }
    });
}

void frmCommChInfo::setEmergencyTexts() {
    for (int k = 0; k < model::kGroupCount; ++k) {
        const int stored = ws_.record.optionFeatures[model::kEmergencyChannelPosition + k];
        selectEqualOrFirst(emergencyLists_[k], QString::number(stored + 1));
    }
}

void frmCommChInfo::showCurrentEmergency() {
    for (int k = 0; k < model::kGroupCount; ++k) {
        emergencyLabels_[k]->setVisible(k == group());
        emergencyLists_[k]->setVisible(k == group());
    }
}

void frmCommChInfo::SetEditNoVisable() {
    hideEditor(text1_);
    for (QComboBox* list : cellLists_)
        hideEditor(list);
}

void frmCommChInfo::validateControls() {
    guarded("frmCommChInfo_SaveShowGridData", [&] {
        if (isFrequencyColumn(curCol_) && curRow_ > 0 && shown(text1_))
            commitTextBox(false);
        else if (isListColumn(curCol_) && curRow_ > 0 && shown(cellList(curCol_)))
            commitCellList(curCol_);
    });
}

// Cell entry: runs whenever the grid's current cell changes.
void frmCommChInfo::cellEntry() {
    const int row = gridRow();
    const int column = gridCol();
    if (row < 1 || column < 1)
        return;
    if (skipNextEntry_) {
        skipNextEntry_ = false;
        return;
    }
    captionChannel_ = row;
    updateCaption();
    if (column == model::ColRxFreq && redirectedToRx_) {
        redirectedToRx_ = false;
    } else {
        if (curRow_ > 0 && curCol_ > 0)
            saveShowGridData();
        // A row without a receive frequency is always entered at its receive cell.
        if (column >= model::ColTxFreq &&
            grid_->item(row - 1, model::ColRxFreq)->text().isEmpty()) {
            curRow_ = row;
            curCol_ = model::ColRxFreq;
            redirectedToRx_ = true;
            moveGridCursor(row, model::ColRxFreq);
            redirectedToRx_ = false;
            return;
        }
    }
    EnterGridEdit();
}

void frmCommChInfo::EnterGridEdit() {
    guarded("frmCommChInfo_EnterGridEdit", [&] {
        const int row = gridRow();
        const int column = gridCol();
        if (row < 1 || column < 1)
            return;
        topRowAtEdit_ = grid_->rowAt(0) + 1;
        curRow_ = row;
        curCol_ = column;
        QTableWidgetItem* item = grid_->item(row - 1, column);
        const QRect cell = grid_->visualItemRect(item);
        if (isFrequencyColumn(column)) {
            text1_->setGeometry(cell);
            text1_->show();
            text1_->raise();
            text1_->setText(item->text());
            SetGridFocus(column);
            if (!text1_->text().isEmpty())
                text1_->selectAll();
        } else {
            QComboBox* list = cellList(column);
            list->setGeometry(cell.left(), cell.top(), cell.width(), cell.height());
            selectEqualOrFirst(list, item->text());
            list->show();
            list->raise();
            SetGridFocus(column);
        }
    });
}

void frmCommChInfo::SetGridFocus(int column) {
    focusColumn_ = column;
    focusTimer_->start();
}

void frmCommChInfo::onFocusTimer() {
    focusTimer_->stop();
    const int column = focusColumn_;
    if (isFrequencyColumn(column)) {
        for (QComboBox* list : cellLists_)
            hideEditor(list);
        if (shown(text1_) && text1_->isEnabled())
            text1_->setFocus(Qt::OtherFocusReason);
    } else if (isListColumn(column)) {
        QComboBox* target = cellList(column);
        hideEditor(text1_);
        for (QComboBox* list : cellLists_)
            if (list != target)
                hideEditor(list);
        if (shown(target) && target->isEnabled())
            target->setFocus(Qt::OtherFocusReason);
    }
}

void frmCommChInfo::saveShowGridData() {
    guarded("frmCommChInfo_SaveShowGridData", [&] {
        if (curRow_ < 1)
            return;
        if (isFrequencyColumn(curCol_) && shown(text1_))
            commitTextBox(true);
        else if (isListColumn(curCol_) && shown(cellList(curCol_)))
            commitCellList(curCol_);
    });
}

void frmCommChInfo::commitTextBox(bool formatIntoCell) {
    const int row = curRow_;
    const int column = curCol_;
    const QString typed = text1_->text();
    hideEditor(text1_);
    if (formatIntoCell) {
        const std::string value = typed.toStdString();
        grid_->item(row - 1, column)
            ->setText(model::isNumeric(value) ? qs(model::formatMHz(model::toNumber(value)))
                                              : typed);
    }
    storeCellEdit(row, column, typed);
}

void frmCommChInfo::commitCellList(int column) {
    const int row = curRow_;
    QComboBox* list = cellList(column);
    const QString shown = list->currentText();
    const int index = list->currentIndex();
    hideEditor(list);
    grid_->item(row - 1, column)->setText(shown);
    storeCellEdit(row, column, QString::number(index));
}

void frmCommChInfo::storeCellEdit(int row, int column, const QString& value) {
    const model::CellUpdate update =
        model::updateChannelCell(ws_, row, column, value.toStdString(), prompter_);
    if (update.emergencyFixed())
        InitComboList();
    reShowGrid(row);
}

void frmCommChInfo::onEditorEnter() {
    const int column = gridCol();
    if (column == model::ColRxFreq && text1_->text().isEmpty())
        GridNextLine();
    else if (column >= 1 && column <= kLastColumn)
        GridNextCol();
}

void frmCommChInfo::GridNextCol() {
    guarded("rmCommChInfo_GridNextCol", [&] {
        int next = gridCol() + 1;
        if (next >= model::ColBusy && next <= model::ColRb)
            next = model::ColScan;
        if (next > kLastColumn) {
            // Back to the receive column without opening an editor there, then down a row.
            skipNextEntry_ = true;
            moveGridCursor(gridRow(), model::ColRxFreq);
            skipNextEntry_ = false;
            GridNextLine();
        } else {
            moveGridCursor(gridRow(), next);
        }
    });
}

void frmCommChInfo::GridNextLine() {
    guarded("frmCommChInfo_GridNextLine", [&] {
        const int next = gridRow() >= kRows ? 1 : gridRow() + 1;
        moveGridCursor(next, gridCol());
    });
}

void frmCommChInfo::onUserScroll() {
    if (scrollTimer_->isActive())
        return;
    scrollTimer_->start();
    const int row = gridRow();
    if (row < 1 || curRow_ < 1)
        return;
    // Keep the cursor at the same place on screen while the rows move under it.
    const int target = grid_->rowAt(0) + 1 + (row - topRowAtEdit_);
    if (target >= 1 && target <= kRows)
        moveGridCursor(target, gridCol());
    if (gridRow() != curRow_)
        cellEntry();
}

void frmCommChInfo::onGroupActivated(int index) {
    saveShowGridData();
    moveGridCursor(0, 0);
    curRow_ = 0;
    curCol_ = 0;
    SetEditNoVisable();
    ws_.record.currentGroup = model::Integer(std::clamp(index, 0, model::kGroupCount - 1));
    setGridData();
    updateCaption();
}

void frmCommChInfo::onEmergencyActivated(int k) {
    bool ok = false;
    const int number = emergencyLists_[k]->currentText().toInt(&ok);
    if (ok)
        ws_.record.optionFeatures[model::kEmergencyChannelPosition + k] =
            model::Integer(number - 1);
}

void frmCommChInfo::onBandActivated() {
    if (!loaded_)
        return;
    const QString chosen = bandList_->currentText();
    if (chosen == qs(ws_.state.bandText))
        return;
    const text::Answer answer =
        prompter_.ask(text::message(text::MessageKey::AllDataCleared, ws_.state.language),
                      text::Buttons::OkCancel, text::Icon::Warning);
    if (answer != text::Answer::Ok) {
        // The list goes back to the band of the document, which did not change.
        selectEqualOrFirst(bandList_, qs(ws_.state.bandText));
        return;
    }
    ws_.state.bandText = chosen.toStdString();
    model::parseBandEdges(ws_.state);
    emit newDocumentRequested(); // the receiver may close this window
}

bool frmCommChInfo::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text1_) {
        if (isEnterKey(event)) {
            guarded("FrmCommChInfo_Text1_KeyPress_Error", [&] { onEditorEnter(); });
            return true;
        }
        // Leaving the text box stores what was typed (the box's own validation).
        if (event->type() == QEvent::FocusOut && !hidingEditor_ && shown(text1_) &&
            isFrequencyColumn(curCol_) && curRow_ > 0)
            guarded("frmCommChInfo_SaveShowGridData", [&] { commitTextBox(false); });
        return false;
    }
    if (watched == grid_) {
        if (isEnterKey(event)) {
            EnterGridEdit();
            return true;
        }
        return false;
    }
    for (int column = model::ColBusy; column <= model::ColScan; ++column) {
        QComboBox* list = cellList(column);
        if (watched != list)
            continue;
        if (isEnterKey(event)) {
            guarded("Combo8_KeyPress", [&] { onEditorEnter(); });
            return true;
        }
        // Opening the list's own drop-down is not leaving it.
        if (event->type() == QEvent::FocusOut &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason && !hidingEditor_ &&
            shown(list) && list->isEnabled() && curCol_ == column && curRow_ > 0)
            guarded("Combo8_Validate", [&] { commitCellList(column); });
        return false;
    }
    return QWidget::eventFilter(watched, event);
}

void frmCommChInfo::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!firstActivationPending_)
        return;
    firstActivationPending_ = false;
    // Once the window is on screen the editor opens on the current cell (channel 1, RX).
    QTimer::singleShot(
        0, this, [this] { guarded("frmCommChInfo_MSFlexGrid1_EnterCell", [&] { cellEntry(); }); });
}

void frmCommChInfo::closeEvent(QCloseEvent* event) {
    guarded("frmCommChInfo_Form_Unload", [&] {
        validateControls();
        open_ = false;
    });
    QWidget::closeEvent(event);
}

int frmCommChInfo::gridRow() const {
    return grid_->currentRow() + 1; // -1 (no cursor) gives 0, the header row
}

int frmCommChInfo::gridCol() const {
    return std::max(grid_->currentColumn(), 0);
}

void frmCommChInfo::moveGridCursor(int row, int column) {
    if (row < 1)
        grid_->setCurrentIndex(QModelIndex());
    else
        grid_->setCurrentCell(row - 1, column);
}

QComboBox* frmCommChInfo::cellList(int column) const {
    return cellLists_.at(std::size_t(column - model::ColBusy));
}

void frmCommChInfo::hideEditor(QWidget* editor) {
    // The focus goes back to the grid rather than to the next control of the window; the
    // focus change this causes is no leaving of the editor and stores nothing.
    hidingEditor_ = true;
    if (editor->isVisible() && editor->hasFocus())
        grid_->setFocus(Qt::OtherFocusReason);
    editor->hide();
    hidingEditor_ = false;
}

int frmCommChInfo::group() const {
    return std::clamp<int>(ws_.record.currentGroup, 0, model::kGroupCount - 1);
}

const model::ChannelEntry* frmCommChInfo::findChannel(int group, int number) const {
    const int count = std::clamp<int>(ws_.record.channelCount[group], 0, model::kChannelsPerGroup);
    for (int entry = 1; entry <= count; ++entry)
        if (ws_.record.channel(group, entry).number == number)
            return &ws_.record.channel(group, entry);
    return nullptr;
}

QString frmCommChInfo::listText(int column, int value) const {
    const auto& entries = entriesOfColumn(column);
    // A stored value that is no entry shows the first entry.
    const int index = (value >= 0 && value < int(entries.size())) ? value : 0;
    return qs(entries[std::size_t(index)][ws_.state.language]);
}

} // namespace zx::editors
