// The print-items window: its labels in the current language and nothing more. Printing is
// not part of this program; the window is kept so that the toolbar's Print button shows
// what the radio's printed programming information would consist of.
#pragma once

#include <QDialog>

namespace zx::app {

class FrmPrintList : public QDialog {
    Q_OBJECT
public:
    explicit FrmPrintList(int language, QWidget* parent = nullptr);
};

} // namespace zx::app
