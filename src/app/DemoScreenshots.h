// zx908hf --screenshot FOLDER: pictures of the main window for the documentation. The
// program opens each editor in turn and saves the window as a PNG, then the port setup window
// and the print window over the main window; with --demo it also reads
// the demonstration radio (the progress window over the main window) and reads its identity
// record (the identity display). Message boxes are answered with their default button. The
// files are named <language>-<picture>.png ("en-channels.png", "zh-identity.png").
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;
class QPixmap;

namespace zx::app {

class frmMain;

class DemoScreenshots : public QObject {
    Q_OBJECT
public:
    // Calls `done` with 0 when every picture is saved, 1 when one could not be.
    DemoScreenshots(frmMain& window, QString folder, bool withRadio, std::function<void(int)> done);

    // Starts taking the pictures from the event loop.
    void start();
    // The files written so far.
    const QStringList& written() const { return written_; }

    // A window drawn with a plain title bar carrying its caption (a screen without a window
    // manager draws none).
    static QPixmap framed(QWidget* window);

private:
    void editors();
    void portSetup();
    void printList();
    // Opens a modal window with `open`, saves it over the main window as `picture` once it is
    // up (found by its object name), closes it and goes on with `next`.
    void modalPicture(const QString& objectName, const QString& picture, std::function<void()> open,
                      std::function<void()> next);
    // The main window with `dialog` drawn over its middle.
    QPixmap withDialog(QWidget* dialog);
    void readRadio();
    void readIdentity();
    bool save(const QPixmap& picture, const QString& name);
    void finish();
    // Answers a message box that is up with its default button.
    void answerMessageBox();

    frmMain& window_;
    QString folder_;
    bool withRadio_;
    std::function<void(int)> done_;
    QString prefix_;
    QStringList written_;
    bool failed_ = false;
    bool finished_ = false;
};

} // namespace zx::app
