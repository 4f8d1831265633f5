// StopSignals on Windows: a console control handler. Windows runs it on a thread of its own;
// it notes the event and posts the stop to the event loop. Ctrl+C counts as SIGINT, Ctrl+Break
// as SIGBREAK, and closing the console window (or the end of the session) as SIGHUP, 1. For
// the last, Windows ends the process as soon as the handler returns, so the handler waits
// (a little under the five seconds Windows grants) until the session has sent End and let go
// of the port.
#include "cli/StopSignals.h"

#include <QMetaObject>
#include <atomic>
#include <csignal>
#include <mutex>
#include <windows.h>

namespace zx::cli {

namespace {

constexpr int kClosed = 1; // SIGHUP's number, which Windows' C library has not
constexpr DWORD kCloseGraceMs = 4500;

std::atomic<int> firstSignal{0};
std::mutex currentMutex;
StopSignals* current = nullptr;
HANDLE released = nullptr; // set when the StopSignals object goes

int signalFor(DWORD event) {
    switch (event) {
    case CTRL_C_EVENT:
        return SIGINT;
    case CTRL_BREAK_EVENT:
        return SIGBREAK;
    default:
        return kClosed;
    }
}

BOOL WINAPI onConsoleControl(DWORD event) {
    const int signal = signalFor(event);
    int none = 0;
    firstSignal.compare_exchange_strong(none, signal);
    {
        std::lock_guard lock(currentMutex);
        if (!current)
            return FALSE; // no session to end: the default, which ends the process
        StopSignals* target = current;
        QMetaObject::invokeMethod(
            target, [target, signal] { emit target->stopRequested(signal); }, Qt::QueuedConnection);
    }
    if (signal == kClosed)
        WaitForSingleObject(released, kCloseGraceMs);
    return TRUE;
}

} // namespace

StopSignals::StopSignals() {
    firstSignal = 0;
    if (!released)
        released = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ResetEvent(released);
    {
        std::lock_guard lock(currentMutex);
        current = this;
    }
    SetConsoleCtrlHandler(onConsoleControl, TRUE);
}

StopSignals::~StopSignals() {
    SetConsoleCtrlHandler(onConsoleControl, FALSE);
    {
        std::lock_guard lock(currentMutex);
        if (current == this)
            current = nullptr;
    }
    SetEvent(released);
}

int StopSignals::received() const {
    return firstSignal;
}

void StopSignals::drain() {}

} // namespace zx::cli
