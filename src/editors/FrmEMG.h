// The radio identity display (captioned "Embedded Message"): shows the identity and service
// record the radio keeps about itself (area, model, band, serial number, dates, dealer data).
// Display only: nothing in it can be changed, and it writes nowhere.
#pragma once

#include "model/Workspace.h"
#include "text/Prompter.h"

#include <QDialog>
#include <string>
#include <string_view>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zx::editors {

// Display form of an identity text: trailing blanks removed, then cut before the first NUL.
std::string identityDisplayForm(std::string_view text);

class FrmEMG : public QDialog {
    Q_OBJECT
public:
    FrmEMG(const model::Workspace& ws, text::Prompter& prompter, QWidget* parent = nullptr);

    // Fills every box from the identity record.
    void ShowByData();

private:
    QLineEdit* addBox(const char* name, int maxLength = 0);
    void applyTexts();
    QString shown(std::string_view bytes) const;

    const model::Workspace& ws_;
    text::Prompter& prompter_; // the window has no messages; kept for the common interface

    QLineEdit* areaCode_ = nullptr;
    QLineEdit* manufactureCode_ = nullptr;
    QLineEdit* userCode_ = nullptr;
    QComboBox* radioType_ = nullptr;
    QComboBox* frequency_ = nullptr;
    QLineEdit* serialNumber_ = nullptr;
    QLineEdit* productedDate_ = nullptr;
    QLineEdit* maintainedDate_ = nullptr;
    QLineEdit* version_ = nullptr;
    QPlainTextEdit* maintained_ = nullptr;
    QLineEdit* dealerCode_ = nullptr;
    QLineEdit* stockDate_ = nullptr;
    QLineEdit* sellDate_ = nullptr;
    QLineEdit* seller_ = nullptr;
    QGroupBox* dealerFrame_ = nullptr;
    QPushButton* close_ = nullptr;
};

} // namespace zx::editors
