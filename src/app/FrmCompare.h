// The window of Compare with Radio when the radio differs from the document: the verdict
// ("The radio differs from customer.dat in 3 fields.") and one line per field ("A-05 RX
// Frequency: radio 28.515000, file 28.525000") in a list that scrolls and can be selected
// and copied, in the current language. Modal; it only shows.
#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace zx::app {

class FrmCompare : public QDialog {
    Q_OBJECT
public:
    FrmCompare(const QString& verdict, const QStringList& lines, int language,
               QWidget* parent = nullptr);

private:
    QLabel* verdict_ = nullptr;
    QPlainTextEdit* lines_ = nullptr;
    QPushButton* close_ = nullptr;
};

} // namespace zx::app
