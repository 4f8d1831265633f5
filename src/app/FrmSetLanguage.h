// The language setup window: one list of the languages the system allows, OK and Cancel.
// OK writes the chosen language index to the settings file; the main window re-labels
// itself when it becomes active again.
#pragma once

#include "model/RuntimeState.h"

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QPushButton;

namespace zx::app {

class FrmSetLanguage : public QDialog {
    Q_OBJECT
public:
    FrmSetLanguage(model::RuntimeState& state, QString settingsPath, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void accept() override;

    model::RuntimeState& state_;
    QString settingsPath_;
    QLabel* label1_;
    QComboBox* combo1_;
    QPushButton* command1_;
    QPushButton* command2_;
};

} // namespace zx::app
