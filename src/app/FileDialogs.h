// The open and save dialogs of the document commands, behind an interface so that window
// tests can choose files without a dialog.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace zx::app {

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen path, or an empty text when the user cancelled. The open dialog starts in
    // `folder` (the dialog's own choice when empty); the save dialog starts at `preset`,
    // a file name with or without its folder.
    virtual QString openFile(QWidget* parent, const QString& folder, const QString& filter) = 0;
    virtual QString saveFile(QWidget* parent, const QString& preset, const QString& filter) = 0;
    // The save dialog offering several formats, one filter each: the chosen path, and in
    // `chosen` the index of the filter left selected. Without a dialog of its own, the first
    // filter through saveFile().
    virtual QString saveFileAs(QWidget* parent, const QString& preset, const QStringList& filters,
                               int& chosen) {
        chosen = 0;
        return saveFile(parent, preset, filters.value(0));
    }
};

// The standard dialogs. The save dialog adds the extension of the filter (".dat") to a name
// typed without it before it checks whether the file exists, so the overwrite question names
// the file really written.
class QtFileDialogs : public FileDialogs {
public:
    QString openFile(QWidget* parent, const QString& folder, const QString& filter) override;
    QString saveFile(QWidget* parent, const QString& preset, const QString& filter) override;
    QString saveFileAs(QWidget* parent, const QString& preset, const QStringList& filters,
                       int& chosen) override;
};

} // namespace zx::app
