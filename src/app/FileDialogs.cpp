// The standard file dialogs.
#include "app/FileDialogs.h"

#include <QFileDialog>

namespace zx::app {

QString QtFileDialogs::openFile(QWidget* parent, const QString& folder, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, QString(), folder, filter);
}

QString QtFileDialogs::saveFile(QWidget* parent, const QString& preset, const QString& filter) {
    QFileDialog dialog(parent, QString(), preset, filter);
    dialog.setObjectName(QStringLiteral("SaveFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Added while the dialog is open: "target" is checked (and asked about) as "target.dat".
    dialog.setDefaultSuffix(QStringLiteral("dat"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace zx::app
