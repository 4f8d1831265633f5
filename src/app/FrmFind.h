// Edit > Find: asks for a frequency or its beginning ("28.1"). Find Next closes the window and
// the main window goes to the next channel showing it; F3 and Shift+F3 go on from there.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace zx::app {

class FrmFind : public QDialog {
    Q_OBJECT
public:
    FrmFind(const QString& lastQuery, int language, QWidget* parent = nullptr);

    QString query() const;

private:
    QLineEdit* text_ = nullptr;
    QPushButton* findNext_ = nullptr;
    QPushButton* close_ = nullptr;
};

} // namespace zx::app
