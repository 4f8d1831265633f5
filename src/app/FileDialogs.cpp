// The standard file dialogs.
#include "app/FileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>

namespace zx::app {

QString QtFileDialogs::openFile(QWidget* parent, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
}

QString QtFileDialogs::saveFile(QWidget* parent, const QString& preset, const QString& filter) {
    QString chosen = QFileDialog::getSaveFileName(parent, QString(), preset, filter);
    // The filter names the extension; a name typed without it gets it, as a .dat file.
    if (!chosen.isEmpty() && QFileInfo(chosen).suffix().isEmpty())
        chosen += QStringLiteral(".dat");
    return chosen;
}

} // namespace zx::app
