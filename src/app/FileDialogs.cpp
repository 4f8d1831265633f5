// The standard file dialogs.
#include "app/FileDialogs.h"

#include <QFileDialog>
#include <QRegularExpression>
#include <algorithm>

namespace zx::app {

namespace {

// The extension of the filter's first pattern: "dat" for "Data File (*.dat)".
QString firstSuffix(const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral("\\*\\.([A-Za-z0-9]+)"));
    return pattern.match(filter).captured(1);
}

} // namespace

QString QtFileDialogs::openFile(QWidget* parent, const QString& folder, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, QString(), folder, filter);
}

QString QtFileDialogs::saveFile(QWidget* parent, const QString& preset, const QString& filter) {
    QFileDialog dialog(parent, QString(), preset, filter);
    dialog.setObjectName(QStringLiteral("SaveFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Added while the dialog is open: "target" is checked (and asked about) as "target.dat"
    // (or "target.csv" when channel tables are saved).
    dialog.setDefaultSuffix(firstSuffix(filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString QtFileDialogs::saveFileAs(QWidget* parent, const QString& preset,
                                  const QStringList& filters, int& chosen) {
    QFileDialog dialog(parent, QString(), preset);
    dialog.setObjectName(QStringLiteral("SaveFileDialog"));
    dialog.setNameFilters(filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(firstSuffix(filters.value(0)));
    // Each format may have its extension: the one added follows the filter chosen.
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString& filter) { dialog.setDefaultSuffix(firstSuffix(filter)); });
    chosen = 0;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    chosen = std::max<int>(0, int(filters.indexOf(dialog.selectedNameFilter())));
    return dialog.selectedFiles().constFirst();
}

} // namespace zx::app
