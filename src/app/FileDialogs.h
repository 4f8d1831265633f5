// The open and save dialogs of the document commands, behind an interface so that window
// tests can choose files without a dialog.
#pragma once

#include <QString>

class QWidget;

namespace zx::app {

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen path, or an empty text when the user cancelled.
    virtual QString openFile(QWidget* parent, const QString& filter) = 0;
    virtual QString saveFile(QWidget* parent, const QString& preset, const QString& filter) = 0;
};

// The standard dialogs.
class QtFileDialogs : public FileDialogs {
public:
    QString openFile(QWidget* parent, const QString& filter) override;
    QString saveFile(QWidget* parent, const QString& preset, const QString& filter) override;
};

} // namespace zx::app
