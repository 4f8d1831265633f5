// Optional features window: layout, labels, filling and showing, storing each change.
#include "editors/FrmOptFeatures.h"

#include "editors/EditorSupport.h"
#include "editors/InputGuards.h"
#include "editors/Mnemonics.h"
#include "model/EditJournal.h"
#include "text/Messages.h"
#include "text/labels/OptFeaturesLabels.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace zx::editors {

using namespace optfeat;
namespace labels = text::labels::opt_features;

namespace {

// Lists 0..11 stand in the left column, 12..22 in the right one.
constexpr int kLeftColumnLists = 12;

bool isMode(int checkIndex) {
    return checkIndex >= 0 && checkIndex < kModeCheckCount;
}

} // namespace

FrmOptFeatures::FrmOptFeatures(model::Workspace& ws, text::Prompter& prompter, QWidget* parent)
    : QWidget(parent), ws_(ws), prompter_(prompter) {
    setObjectName(QStringLiteral("FrmOptFeatures"));
    buildControls();
    applyTexts();
    ReShowData();
}

void FrmOptFeatures::buildControls() {
    auto* lists = new QGridLayout;
    for (int k = 0; k < kListCount; ++k) {
        labels_[k] = new QLabel(this);
        labels_[k]->setObjectName(QStringLiteral("Label1_%1").arg(k));
        labels_[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        lists_[k] = new QComboBox(this);
        lists_[k]->setObjectName(QStringLiteral("Combo1_%1").arg(k));
        labels_[k]->setBuddy(lists_[k]);
        guardWheel(lists_[k]);
        const int row = k < kLeftColumnLists ? k : k - kLeftColumnLists;
        const int column = k < kLeftColumnLists ? 0 : 2;
        lists->addWidget(labels_[k], row, column);
        lists->addWidget(lists_[k], row, column + 1);
        // activated() comes from the user only (mouse, wheel, keys), never from filling.
        connect(lists_[k], &QComboBox::activated, this, [this, k] { SaveOptFeat(k); });
    }

    for (int k = 0; k < kCheckCount; ++k) {
        checks_[k] = new QCheckBox(this);
        checks_[k]->setObjectName(QStringLiteral("Check1_%1").arg(k));
        connect(checks_[k], &QCheckBox::clicked, this,
                [this, k] { SaveOptFeat(kCheckIdBase + k); });
    }
    // Not available to the user: "VOIC" has no field, "Common Option" is kept as it is.
    checks_[kVoicCheck]->setEnabled(false);
    checks_[kCommonOptionCheck]->setEnabled(false);

    modeFrame_ = new QGroupBox(this);
    modeFrame_->setObjectName(QStringLiteral("FrameMode"));
    auto* modes = new QGridLayout(modeFrame_);
    for (int k = 0; k < kModeCheckCount; ++k)
        modes->addWidget(checks_[k], k / 3, k % 3);

    auto* others = new QGridLayout;
    int cell = 0;
    for (int k = kModeCheckCount; k < kCheckCount; ++k, ++cell)
        others->addWidget(checks_[k], cell / 3, cell % 3);

    auto* offsetRow = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        offsetLabels_[i] = new QLabel(this);
        offsetLabels_[i]->setObjectName(QStringLiteral("Label2_%1").arg(i));
        offsets_[i] = new QLineEdit(this);
        offsets_[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
        offsetLabels_[i]->setBuddy(offsets_[i]);
        // The offsets are tuned at the factory; the user sees them but cannot change them.
        offsetLabels_[i]->setEnabled(false);
        offsets_[i]->setEnabled(false);
        offsetRow->addWidget(offsetLabels_[i]);
        offsetRow->addWidget(offsets_[i]);
    }
    offsetRow->addStretch();

    close_ = new QPushButton(this);
    close_->setObjectName(QStringLiteral("CommandClose"));
    connect(close_, &QPushButton::clicked, this, [this] { closeHostWindow(this); });
    offsetRow->addWidget(close_);

    auto* top = new QVBoxLayout(this);
    top->addLayout(lists);
    top->addWidget(modeFrame_);
    top->addLayout(others);
    top->addLayout(offsetRow);
}

void FrmOptFeatures::applyTexts() {
    const int lang = ws_.state.language;
    setWindowTitle(tableText(labels::kCaption, lang));
    for (int k = 0; k < kListCount; ++k) {
        const labels::UnitLabel& label = labels::kListLabels[k];
        setCaption(labels_[k], label.text, lang, label.unit);
    }
    for (int k = 0; k < kCheckCount; ++k)
        setCaption(checks_[k], labels::kCheckLabels[k], lang);
    modeFrame_->setTitle(tableText(labels::kModeFrame, lang));
    setCaption(offsetLabels_[0], labels::kRxOffset, lang);
    setCaption(offsetLabels_[1], labels::kTxOffset, lang);
    close_->setText(tableText(text::kButtonClose, lang));
    assignMnemonics(this, lang, menuBarLetters());
}

void FrmOptFeatures::ReShowData() {
    fillLists();
    showValues();
}

void FrmOptFeatures::fillLists() {
    for (int k = 0; k < kListCount; ++k) {
        const QSignalBlocker quiet(lists_[k]);
        lists_[k]->clear();
        lists_[k]->addItems(listEntries(k, ws_.state.language));
    }
}

void FrmOptFeatures::showValues() {
    const model::ConfigRecord& rec = ws_.record;
    for (int k = 0; k < kListCount; ++k) {
        const ListField field = listField(k);
        const int stored = field.position == kOptionBytePosition
                               ? int(rec.optionByte)
                               : int(rec.optionFeatures[std::size_t(field.position)]);
        const QSignalBlocker quiet(lists_[k]);
        // A value outside the list is shown as the first entry; the record keeps it until
        // the user picks an entry.
        lists_[k]->setCurrentIndex(shownIndex(stored, field.offset, lists_[k]->count()));
    }
    for (int k = 0; k < kCheckCount; ++k) {
        const int position = kCheckPositions[k];
        if (position == kNoField)
            continue;
        const QSignalBlocker quiet(checks_[k]);
        checks_[k]->setChecked(shownChecked(k, rec.optionFeatures[std::size_t(position)]));
    }
    showOffset(0, kRxOffsetPosition);
    showOffset(1, kTxOffsetPosition);
}

void FrmOptFeatures::showOffset(int box, int position) {
    model::Integer& field = ws_.record.optionFeatures[std::size_t(position)];
    const QString text = offsetText(field);
    offsets_[box]->setText(text);
    // Setting the box's text stores it back: an offset beyond +-1000 is clamped there.
    field = offsetFromText(text);
}

void FrmOptFeatures::SaveOptFeat(int id) {
    // One step per control, named by its label.
    if (id >= 0 && id < kListCount) {
        const int index = lists_[id]->currentIndex();
        if (index < 0)
            return;
        model::applyEdit(ws_, {labels::kListLabels[id].text, {}, {}},
                         [&] { storeList(id, index); });
        return;
    }
    const int k = id - kCheckIdBase;
    if (k < 0 || k >= kCheckCount || kCheckPositions[k] == kNoField)
        return;
    model::applyEdit(ws_, {labels::kCheckLabels[k], {}, {}}, [&] { storeCheck(k); });
}

void FrmOptFeatures::storeList(int id, int index) {
    const ListField field = listField(id);
    const int value = index + field.offset;
    if (field.position == kOptionBytePosition)
        ws_.record.optionByte = model::Byte(value);
    else
        ws_.record.optionFeatures[std::size_t(field.position)] = model::Integer(value);
}

void FrmOptFeatures::storeCheck(int k) {
    model::ConfigRecord& rec = ws_.record;
    rec.optionFeatures[std::size_t(kCheckPositions[k])] = checks_[k]->isChecked() ? 1 : 0;
    if (!isMode(k))
        return;
    // The radio needs at least one operating mode: clearing the last one sets it again.
    // A mode box counts as the user sees it (a stored 2 shows as set).
    for (int m = 0; m < kModeCheckCount; ++m)
        if (checks_[m]->isChecked())
            return;
    {
        const QSignalBlocker quiet(checks_[k]);
        checks_[k]->setChecked(true);
    }
    rec.optionFeatures[std::size_t(kCheckPositions[k])] = 1;
}

} // namespace zx::editors
