// The optional features child window: the radio-wide settings (timers, tones, steps,
// display, scan, protection limits, squelch delays, audio levels, backlight colour, enabled
// modes, on/off functions). Every list and check box writes into the working record as soon
// as the user changes it; there is no OK or Cancel.
#pragma once

#include "editors/OptFeatureFields.h"
#include "model/Workspace.h"
#include "text/Prompter.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zx::editors {

class FrmOptFeatures : public QWidget {
    Q_OBJECT
public:
    FrmOptFeatures(model::Workspace& ws, text::Prompter& prompter, QWidget* parent = nullptr);

    // Refills the lists in the current language and shows the working record's values.
    void ReShowData();
    // Stores the value of one control: list k is identifier k, check box k is 100 + k.
    void SaveOptFeat(int id);
    // Lists and check boxes store on every change, so nothing is ever pending here.
    void validateControls() {}

private:
    void buildControls();
    void applyTexts();
    void fillLists();
    void showValues();
    void showOffset(int box, int position);
    void storeList(int id, int index);
    void storeCheck(int checkIndex);

    model::Workspace& ws_;
    text::Prompter& prompter_; // the window has no messages; kept for the common interface
    std::array<QLabel*, optfeat::kListCount> labels_{};
    std::array<QComboBox*, optfeat::kListCount> lists_{};
    std::array<QCheckBox*, optfeat::kCheckCount> checks_{};
    std::array<QLabel*, 2> offsetLabels_{};
    std::array<QLineEdit*, 2> offsets_{};
    QGroupBox* modeFrame_ = nullptr;
    QPushButton* close_ = nullptr;
};

} // namespace zx::editors
