// The desktop program told to end from outside: SIGTERM (kill, a shutdown) and SIGHUP (the
// terminal or the session it ran in closed). Instead of dying where it stands, it leaves its
// event loops and unwinds, so that what it made for the run goes with it: the virtual
// radio's temporary folder of --demo, the serial port and its lock. The handler only writes
// a byte into a pipe; the quit happens on the event loop. Systems without these signals
// (Windows ends a program through its windows) get nothing to do.
#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace zx::platform {

class TerminationSignals : public QObject {
public:
    // Installs the handlers; `onSignal` runs on the event loop for the first signal.
    explicit TerminationSignals(std::function<void(int)> onSignal, QObject* parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    void drain();
    std::function<void(int)> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
    bool handled_ = false;
};

} // namespace zx::platform
