// The channel information window: layout, texts, the band, group and emergency channel
// lists, and the grid's place in the window. The editing flow over the cells lives in
// ChannelGridView.
#include "editors/frmCommChInfo.h"

#include "editors/ChannelGridModel.h"
#include "editors/ChannelGridView.h"
#include "editors/ChannelRowCommands.h"
#include "editors/FontScale.h"
#include "editors/InputGuards.h"
#include "editors/Mnemonics.h"
#include "model/Band.h"
#include "model/DataFile.h"
#include "model/EditJournal.h"
#include "text/Messages.h"
#include "text/Mnemonic.h"
#include "text/labels/ChannelInfoLabels.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <string>
#include <vector>

namespace zx::editors {

namespace {

namespace labels = text::labels::channel_info;

QString qs(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

// A list set from a stored text shows the equal entry, else its first entry; an empty list
// shows nothing.
void selectEqualOrFirst(QComboBox* list, const QString& text) {
    const int index = list->findText(text, Qt::MatchExactly);
    list->setCurrentIndex(index >= 0 ? index : (list->count() > 0 ? 0 : -1));
}

// The height the header row needs so that every visible header, wrapped to its column,
// can be read; at least the 510 twips of the radio's layout.
int headerHeight(const QTableView* grid) {
    const QHeaderView* header = grid->horizontalHeader();
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    int needed = 0;
    for (int column = 0; column < grid->model()->columnCount(); ++column) {
        if (grid->isColumnHidden(column))
            continue;
        const QString text = grid->model()->headerData(column, Qt::Horizontal).toString();
        const QRect room(0, 0, std::max(1, grid->columnWidth(column) - 2 * margin), 1000);
        needed = std::max(needed, header->fontMetrics()
                                      .boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, text)
                                      .height());
    }
    return std::max(scaledTwips(510, grid), needed + 2 * margin);
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
        resize(sizeHint());
        selectEqualOrFirst(bandList_, qs(ws_.state.bandText));
        // A record from a file may carry a group outside A..F; the window shows group A then.
        if (ws_.record.currentGroup < 0 || ws_.record.currentGroup >= model::kGroupCount)
            ws_.record.currentGroup = 0;
        InitComboList();
        changeShowByLanguage();
        initShowGrid();
        setGridData();
        firstActivationPending_ = true;
        open_ = true;
        // The editor opens on the first activation, not while the window is built.
        grid_->setEntrySuspended(true);
        grid_->moveGridCursor(1, model::ColRxFreq);
        grid_->setEntrySuspended(false);
        loaded_ = true;
    });
}

frmCommChInfo::~frmCommChInfo() {
    if (open_)
        guarded("frmCommChInfo_Form_Unload", [&] {
            validateControls();
            open_ = false;
        });
    // The children outlive this part of the object; keep their signals away from it.
    disconnect(model_, nullptr, this, nullptr);
    disconnect(grid_, nullptr, this, nullptr);
    disconnect(rows_, nullptr, this, nullptr);
}

QSize frmCommChInfo::sizeHint() const {
    // The flag columns, when shown, widen the grid and the window alike.
    const int flags = grid_->flagColumnsShown()
                          ? (model::ColRb - model::ColBusy + 1) * grid_->columnWidth(model::ColBusy)
                          : 0;
    // Wider than designed only when a larger font widens the grid.
    return {px(4500) + baseGridWidth() - px(4190) + flags, px(9600)};
}

void frmCommChInfo::buildControls() {
    bandLabel_ = new QLabel(this);
    bandLabel_->setObjectName(QStringLiteral("LabelBand"));
    bandList_ = new QComboBox(this);
    bandList_->setObjectName(QStringLiteral("ComboBand"));
    bandList_->addItems(
        {QString::fromLatin1(model::kBandText0), QString::fromLatin1(model::kBandText1)});
    guardWheel(bandList_);

    groupLabel_ = new QLabel(this);
    groupLabel_->setObjectName(QStringLiteral("LabelGroup"));
    groupList_ = new QComboBox(this);
    groupList_->setObjectName(QStringLiteral("ComboGroup"));
    // Each list is named by its label, for a screen reader and for its Alt+letter.
    bandLabel_->setBuddy(bandList_);
    groupLabel_->setBuddy(groupList_);
    for (std::string_view letter : labels::kGroupLetters)
        groupList_->addItem(qs(letter));
    guardWheel(groupList_);

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
        emergencyLabels_[k]->setBuddy(emergencyLists_[k]);
        guardWheel(emergencyLists_[k]);
        top->addWidget(emergencyLabels_[k], 3, 0, Qt::AlignRight);
        top->addWidget(emergencyLists_[k], 3, 1);
        connect(emergencyLists_[k], &QComboBox::activated, this, [this, k] {
            guarded("frmCommChInfo_SetGridData", [&] { onEmergencyActivated(k); });
        });
    }
    top->setColumnStretch(1, 1);

    model_ = new ChannelGridModel(ws_, prompter_, this);
    grid_ = new ChannelGridView(model_, this);
    rows_ = new ChannelRowCommands(ws_, prompter_, grid_, this);

    closeButton_ = new QPushButton(this);
    closeButton_->setObjectName(QStringLiteral("CommandClose"));

    auto* layout = new QVBoxLayout(this);
    // The 4190-twip grid in the 4500-twip window.
    layout->setContentsMargins(px(150), px(100), px(150), px(100));
    layout->addLayout(top);
    layout->addWidget(grid_, 1);
    layout->addWidget(closeButton_, 0, Qt::AlignHCenter);

    connect(grid_, &ChannelGridView::cellEntered, this, [this](int row) {
        captionChannel_ = row;
        updateCaption();
    });
    connect(model_, &ChannelGridModel::cellStored, this, &frmCommChInfo::onCellStored);
    connect(grid_, &ChannelGridView::copyRowsRequested, rows_, &ChannelRowCommands::copyRows);
    connect(grid_, &ChannelGridView::cutRowsRequested, rows_, &ChannelRowCommands::cutRows);
    connect(grid_, &ChannelGridView::deleteRowsRequested, rows_, &ChannelRowCommands::deleteRows);
    connect(grid_, &ChannelGridView::pasteRowsRequested, rows_, &ChannelRowCommands::pasteRows);
    connect(grid_, &ChannelGridView::insertRowRequested, rows_, &ChannelRowCommands::insertRow);
    connect(grid_, &ChannelGridView::moveRowsRequested, rows_, &ChannelRowCommands::moveRows);
    connect(rows_, &ChannelRowCommands::documentChanged, this, &frmCommChInfo::onRowsChanged);
    connect(rows_, &ChannelRowCommands::done, this, &frmCommChInfo::commandDone);

    contextMenu_ = new QMenu(this);
    contextMenu_->setObjectName(QStringLiteral("ChannelContextMenu"));
    contextEntries_ = addRowCommands(contextMenu_, nullptr, "ctxChannels",
                                     [this](RowCommand command) { runRowCommand(command); });
    connect(grid_, &ChannelGridView::contextMenuRequested, this,
            [this](const QPoint& at) { contextMenu_->popup(at); });
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
        grid_->verticalHeader()->hide();
        grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        QHeaderView* header = grid_->horizontalHeader();
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setHighlightSections(false);
        // The narrow columns of the radio's layout wrap their headers onto two lines.
        header->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
        grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        layoutColumns();
    });
}

int frmCommChInfo::px(int twips) const {
    return scaledTwips(twips, this);
}

int frmCommChInfo::baseGridWidth() const {
    const QString widestFrequency = QStringLiteral("00.000000");
    const QComboBox* scan = grid_->cellDelegate()->cellList(model::ColScan);
    QStringList scanTexts;
    for (int i = 0; i < scan->count(); ++i)
        scanTexts << scan->itemText(i);
    const int columns = textColumnWidth(500, {QString::number(ChannelGridModel::kRows)}) +
                        2 * textColumnWidth(1200, {widestFrequency}) +
                        textColumnWidth(1000, scanTexts);
    // The columns with the grid's frame and scroll bar.
    const int chrome = 2 * grid_->frameWidth() +
                       grid_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid_);
    return std::max(px(4190), columns + chrome);
}

int frmCommChInfo::textColumnWidth(int twips, const QStringList& texts) const {
    // The radio's width, or what the widest text needs with the cell's margins at a larger
    // font.
    const int margin =
        grid_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid_) + 1;
    int needed = 0;
    for (const QString& text : texts)
        needed = std::max(needed, grid_->fontMetrics().horizontalAdvance(text) + 2 * margin + 2);
    // Nor narrower than the header lets a column be (the Windows style's is wider than the
    // radio's 500 twips of the channel number): the grid's width is the sum of these.
    needed = std::max(needed, grid_->horizontalHeader()->minimumSectionSize());
    return std::max(px(twips), needed);
}

void frmCommChInfo::layoutColumns() {
    const QString widestFrequency = QStringLiteral("00.000000");
    grid_->setColumnWidth(0, textColumnWidth(500, {QString::number(ChannelGridModel::kRows)}));
    grid_->setColumnWidth(model::ColRxFreq, textColumnWidth(1200, {widestFrequency}));
    grid_->setColumnWidth(model::ColTxFreq, textColumnWidth(1200, {widestFrequency}));
    const QComboBox* scan = grid_->cellDelegate()->cellList(model::ColScan);
    QStringList scanTexts;
    for (int i = 0; i < scan->count(); ++i)
        scanTexts << scan->itemText(i);
    grid_->setColumnWidth(model::ColScan, textColumnWidth(1000, scanTexts));
    grid_->verticalHeader()->setDefaultSectionSize(
        std::max(px(300), grid_->fontMetrics().height() + 4));
    // A flag column is as wide as its list needs to show its longest entry, or its header.
    const int margin = grid_->horizontalHeader()->style()->pixelMetric(
        QStyle::PM_HeaderMargin, nullptr, grid_->horizontalHeader());
    int flagWidth = grid_->horizontalHeader()->minimumSectionSize();
    for (int column = model::ColBusy; column <= model::ColRb; ++column) {
        const QString header = model_->headerData(column, Qt::Horizontal).toString();
        flagWidth = std::max(
            {flagWidth, grid_->cellDelegate()->cellList(column)->sizeHint().width(),
             grid_->horizontalHeader()->fontMetrics().horizontalAdvance(header) + 4 * margin});
    }
    for (int column = model::ColBusy; column <= model::ColRb; ++column)
        grid_->setColumnWidth(column, flagWidth);
    const int shown = grid_->flagColumnsShown() ? (model::ColRb - model::ColBusy + 1) : 0;
    grid_->setFixedWidth(baseGridWidth() + shown * flagWidth);
    grid_->horizontalHeader()->setFixedHeight(headerHeight(grid_));
    updateGeometry();
}

void frmCommChInfo::setFlagColumnsShown(bool shown) {
    guarded("frmCommChInfo_InitShowGridError", [&] {
        if (shown == grid_->flagColumnsShown())
            return;
        // The frame around the window (an MDI sub-window, or the window itself) grows or
        // shrinks by the width the columns take; its height stays as the user left it.
        QWidget* frame = qobject_cast<QMdiSubWindow*>(parentWidget()) ? parentWidget() : this;
        const int gridBefore = grid_->width();
        const int frameBefore = frame->width();
        grid_->setFlagColumnsShown(shown);
        layoutColumns();
        // The layouts take the new widths first, so that the frame may shrink again.
        for (QWidget* w : {static_cast<QWidget*>(this), frame})
            if (w->layout())
                w->layout()->activate();
        frame->resize(frameBefore + grid_->width() - gridBefore, frame->height());
    });
}

bool frmCommChInfo::flagColumnsShown() const {
    return grid_->flagColumnsShown();
}

void frmCommChInfo::changeShowByLanguage() {
    guarded("frmCommChInfo_ChangShowByLanguage", [&] {
        const int language = ws_.state.language;
        setCaption(bandLabel_, labels::kBandLabel, language);
        setCaption(groupLabel_, labels::kGroupLabel, language);
        groupList_->setCurrentIndex(group());
        updateCaption();
        grid_->setAccessibleName(qs(labels::kGridName[language]));
        grid_->cellDelegate()->setLanguage(language);
        labelRowCommands(contextEntries_, language);
        closeButton_->setText(qs(text::kButtonClose[language]));
        // The six emergency labels stand at one place, one shown at a time: they share the
        // Alt+letter the first one gets.
        setCaption(emergencyLabels_[0], labels::kEmergencyLabel, language,
                   " " + std::string(labels::kGroupLetters[0]));
        for (int k = 1; k < model::kGroupCount; ++k)
            emergencyLabels_[k]->clear();
        assignMnemonics(this, language, menuBarLetters());
        const char letter = text::mnemonicLetter(emergencyLabels_[0]->text().toStdString());
        for (int k = 1; k < model::kGroupCount; ++k)
            emergencyLabels_[k]->setText(
                qs(text::withMnemonic(std::string(labels::kEmergencyLabel[language]) + ' ' +
                                          std::string(labels::kGroupLetters[std::size_t(k)]),
                                      letter, language)));
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
    if (grid_->isVisible())
        layoutColumns();
    // An open editor shows its cell in the new language too.
    grid_->refillEditor();
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
        grid_->refillEditor();
    });
}

void frmCommChInfo::setGridData() {
    guarded("frmCommChInfo_SetGridData", [&] {
        model_->refresh();
        showCurrentEmergency();
        setEmergencyTexts();
    });
}

void frmCommChInfo::reShowGrid(int row) {
    guarded("frmCommChInfo_reShowGrid", [&] {
        setEmergencyTexts();
        model_->refreshRow(row);
    });
}

void frmCommChInfo::InitComboList() {
    guarded("ShowChIfoData", [&] {
        for (int k = 0; k < model::kGroupCount; ++k) {
            const int count = ws_.record.usedChannels(k);
            std::vector<int> numbers;
            for (int entry = 1; entry <= count; ++entry)
                numbers.push_back(ws_.record.channel(k, entry).number);
            std::sort(numbers.begin(), numbers.end());
            QComboBox* list = emergencyLists_[k];
            const QSignalBlocker quiet(list);
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
    grid_->closeEditorWithoutStore();
}

void frmCommChInfo::validateControls() {
    guarded("frmCommChInfo_SaveShowGridData", [&] { grid_->commitPendingEdit(); });
}

void frmCommChInfo::showCell(int row, int column) {
    guarded("frmCommChInfo_MSFlexGrid1_EnterCell", [&] {
        if (grid_->gridRow() == row && grid_->gridCol() == column)
            grid_->enterCell();
        else
            grid_->moveGridCursor(row, column);
    });
}

void frmCommChInfo::EnterGridEdit() {
    guarded("frmCommChInfo_EnterGridEdit", [&] { grid_->EnterGridEdit(); });
}

void frmCommChInfo::GridNextLine() {
    guarded("frmCommChInfo_GridNextLine", [&] { grid_->GridNextLine(); });
}

void frmCommChInfo::GridNextCol() {
    guarded("rmCommChInfo_GridNextCol", [&] { grid_->GridNextCol(); });
}

void frmCommChInfo::onCellStored(int row, bool emergencyFixed) {
    // An addition or deletion fixed the emergency channels up: the lists follow.
    if (emergencyFixed)
        InitComboList();
    reShowGrid(row);
}

void frmCommChInfo::onRowsChanged() {
    InitComboList();
    setGridData();
}

void frmCommChInfo::fillChannels() {
    guarded("frmCommChInfo_SetGridData", [&] { rows_->fillChannels(this); });
}

void frmCommChInfo::onGroupActivated(int index) {
    showGroup(index);
}

void frmCommChInfo::showGroup(int index) {
    // The edit of the group left is stored; no editor is open until a cell is entered.
    grid_->commitPendingEdit();
    grid_->closeEditorWithoutStore();
    grid_->setEntrySuspended(true);
    grid_->moveGridCursor(0, 0);
    grid_->setEntrySuspended(false);
    ws_.record.currentGroup = model::Integer(std::clamp(index, 0, model::kGroupCount - 1));
    groupList_->setCurrentIndex(group());
    setGridData();
    updateCaption();
}

void frmCommChInfo::runRowCommand(RowCommand command) {
    guarded("frmCommChInfo_SetGridData", [&] {
        grid_->commitPendingEdit();
        const bool onChosenRows = command == RowCommand::Copy || command == RowCommand::Cut ||
                                  command == RowCommand::Delete;
        if (onChosenRows && grid_->selectedRows().empty() && grid_->gridRow() >= 1)
            grid_->selectRows(grid_->gridRow(), grid_->gridRow());
        switch (command) {
        case RowCommand::Copy:
            rows_->copyRows();
            break;
        case RowCommand::Cut:
            rows_->cutRows();
            break;
        case RowCommand::Paste:
            rows_->pasteRows();
            break;
        case RowCommand::Delete:
            rows_->deleteRows();
            break;
        case RowCommand::Insert:
            rows_->insertRow();
            break;
        case RowCommand::MoveUp:
            rows_->moveRows(false);
            break;
        case RowCommand::MoveDown:
            rows_->moveRows(true);
            break;
        case RowCommand::Sort:
            rows_->sortGroup();
            break;
        }
    });
}

void frmCommChInfo::showChannel(int group, int number, int column) {
    guarded("frmCommChInfo_MSFlexGrid1_EnterCell", [&] {
        if (group != this->group())
            showGroup(group);
        grid_->scrollTo(model_->cell(number, column));
        if (grid_->gridRow() == number && grid_->gridCol() == column)
            grid_->enterCell();
        else
            grid_->moveGridCursor(number, column);
    });
}

int frmCommChInfo::cursorRow() const {
    return grid_->gridRow();
}

int frmCommChInfo::cursorColumn() const {
    return grid_->gridCol();
}

void frmCommChInfo::onEmergencyActivated(int k) {
    bool ok = false;
    const int number = emergencyLists_[k]->currentText().toInt(&ok);
    if (!ok)
        return;
    model::applyEdit(
        ws_,
        {labels::kEmergencyLabel, std::string(labels::kGroupLetters[std::size_t(k)]), {k, 0, 0}},
        [&] {
            ws_.record.optionFeatures[model::kEmergencyChannelPosition + k] =
                model::Integer(number - 1);
        });
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
    // What the editors still hold belongs to the document being cleared: it is stored
    // there first, so that taking the band change back brings it back too.
    emit aboutToChangeBand();
    grid_->commitPendingEdit();
    grid_->closeEditorWithoutStore();
    // The new band and the new document it starts are one step.
    model::applyEdit(ws_, {labels::kBandLabel, {}, {}}, [&] {
        ws_.state.bandText = chosen.toStdString();
        model::parseBandEdges(ws_.state);
        model::startNewDocument(ws_);
    });
    SetGridData2();
    emit newDocumentRequested(); // the receiver may close this window
}

void frmCommChInfo::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!firstActivationPending_)
        return;
    firstActivationPending_ = false;
    layoutColumns();
    // Once the window is on screen the editor opens on the current cell (channel 1, RX).
    QTimer::singleShot(0, this, [this] {
        guarded("frmCommChInfo_MSFlexGrid1_EnterCell", [&] { grid_->enterCell(); });
    });
}

void frmCommChInfo::closeEvent(QCloseEvent* event) {
    guarded("frmCommChInfo_Form_Unload", [&] {
        validateControls();
        open_ = false;
    });
    QWidget::closeEvent(event);
}

int frmCommChInfo::group() const {
    return std::clamp<int>(ws_.record.currentGroup, 0, model::kGroupCount - 1);
}

} // namespace zx::editors
