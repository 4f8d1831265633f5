// The progress window shown while the radio is read or written. It is modal but never
// blocks: the link's answers and timer events keep arriving through the event loop while it
// is on screen, and the radio controller updates and closes it. Its Cancel button, Escape
// and the frame's close button ask for the conversation to end; the window itself stays
// until the conversation has ended. Its size is fixed when it opens, so that nothing it
// shows later (a longer phase, "100%") moves or resizes it.
#pragma once

#include "link/Link.h"
#include "text/Prompter.h"

#include <QDialog>
#include <QString>

class QLabel;
class QProgressBar;
class QPushButton;

namespace zx::app {

class FrmProgress : public QDialog {
    Q_OBJECT
public:
    // `kind` is Read or Write and chooses the caption; `language` is the language index.
    FrmProgress(link::OperationKind kind, int language, text::Prompter& prompter,
                QWidget* parent = nullptr);

    // Sets the bar and the percentage label ("42%"). A value outside 0..100 is reported
    // as the window's own error and leaves the display as it was.
    void SetProgressValue(int percent);
    int progressValue() const;

    // The phase of a write ("Backing up", "Writing", "Verifying"), shown left of the
    // percentage; the bar starts again from 0 for each.
    void setPhase(const QString& phase);
    QString phase() const;

    // The port settings search borrows the caption; endSearch gives the old one back.
    void beginSearch();
    void endSearch();

    // Closes the window from the program's side; the user cannot close it.
    void unload();

    // True once the user asked to cancel; the button is then greyed.
    bool cancelRequested() const { return cancelled_; }

signals:
    // Cancel, Escape or the frame's close button, once.
    void cancelClicked();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void ChangShowByLanguage();
    void justSize();
    // The bar's accessible name: the caption and the phase.
    void nameBar();
    void requestCancel();

    link::OperationKind kind_;
    int language_;
    text::Prompter& prompter_;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* phase_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QString savedCaption_;
    bool searching_ = false;
    bool unloading_ = false;
    bool cancelled_ = false;
};

} // namespace zx::app
