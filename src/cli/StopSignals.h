// Ctrl+C (SIGINT), SIGTERM and SIGHUP while zx908hf-cli talks to a radio (on Windows: Ctrl+C,
// Ctrl+Break and closing the console window, StopSignalsWindows.cpp). The handlers only
// note the signal and wake the event loop through a pipe; the conversation is then ended
// the clean way (End to the radio when a programming session is open, the port closed) and
// the program exits with 128 + the signal's number. The previous handlers come back when
// the object goes.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace zx::cli {

class StopSignals : public QObject {
    Q_OBJECT
public:
    StopSignals();
    ~StopSignals() override;
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // The first stop signal received, 0 while there was none.
    int received() const;
    // The exit code for it: 128 + its number.
    int exitCode() const { return 128 + received(); }

signals:
    // Delivered from the event loop, once per signal.
    void stopRequested(int signal);

private:
    void drain();
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace zx::cli
