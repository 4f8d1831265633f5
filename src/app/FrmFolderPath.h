// The message shown when no file manager could show a folder (File > Open Backup Folder,
// Help > Open Serial Trace Folder on a system without one): the folder's path in a box from
// which it can be selected and copied, and a button that copies it. Modal.
#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;

namespace zx::app {

class FrmFolderPath : public QDialog {
    Q_OBJECT
public:
    FrmFolderPath(const QString& folder, int language, QWidget* parent = nullptr);

private:
    QLineEdit* path_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* ok_ = nullptr;
};

} // namespace zx::app
