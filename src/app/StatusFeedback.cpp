// Feedback in the status bar.
#include "app/StatusFeedback.h"

#include <QLabel>

namespace zx::app {

StatusFeedback::StatusFeedback(QLabel* panel, QObject* parent) : QObject(parent), panel_(panel) {
    timer_.setSingleShot(true);
    timer_.setInterval(kShowMs);
    connect(&timer_, &QTimer::timeout, this, &StatusFeedback::showStanding);
}

void StatusFeedback::show(const QString& text) {
    panel_->setText(text);
    // A long path stays readable in full when the pointer rests on it.
    panel_->setToolTip(text);
    timer_.start();
}

void StatusFeedback::setStandingNote(const QString& note) {
    standing_ = note;
    if (!timer_.isActive())
        showStanding();
}

QString StatusFeedback::text() const {
    return panel_->text();
}

void StatusFeedback::showStanding() {
    panel_->setText(standing_);
    panel_->setToolTip(standing_);
}

} // namespace zx::app
