// The first panel of the main window's status bar: what the last command did ("Saved …",
// "12 channels exported to …", "3 channels copied.", "Printed 4 pages."), shown for a few
// seconds so that a command without a window of its own still answers, and a standing note
// that stays while it holds (the backup the document was opened from).
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class QLabel;

namespace zx::app {

class StatusFeedback : public QObject {
    Q_OBJECT
public:
    explicit StatusFeedback(QLabel* panel, QObject* parent = nullptr);

    // Shows `text` for kShowMs; the standing note comes back afterwards.
    void show(const QString& text);
    // The note the panel shows when no feedback is due; an empty text clears it.
    void setStandingNote(const QString& note);
    QString standingNote() const { return standing_; }
    QString text() const;

    static constexpr int kShowMs = 8000;

private:
    void showStanding();

    QLabel* panel_;
    QTimer timer_;
    QString standing_;
};

} // namespace zx::app
