// The window of Compare with Radio when the radio differs from the document, and of Compare
// with File: the verdict ("The radio differs from customer.dat in 3 fields.") and one line
// per field ("A-05 RX Frequency: radio 28.515000, file 28.525000") in a list that scrolls and
// can be selected and copied (Copy All takes every line), and printed, in the current
// language. Modal; it only shows.
#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QPagedPaintDevice;
class QPlainTextEdit;
class QPushButton;

namespace zx::app {

class FrmCompare : public QDialog {
    Q_OBJECT
public:
    FrmCompare(const QString& verdict, const QStringList& lines, int language,
               QWidget* parent = nullptr);

    // The caption, the verdict and the lines on the pages of `device`.
    void printTo(QPagedPaintDevice& device) const;

private:
    void copyAll() const;
    void print();

    QLabel* verdict_ = nullptr;
    QPlainTextEdit* lines_ = nullptr;
    QPushButton* copyAll_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* close_ = nullptr;
    QString verdictText_; // as written, without the label's Alt+letter marks
    QStringList lineTexts_;
};

} // namespace zx::app
