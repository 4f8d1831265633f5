// The self-pipe behind StopSignals: the one thing an async-signal-safe handler may do is
// write a byte.
#include "cli/StopSignals.h"

#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace zx::cli {

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

int wakeFds[2] = {-1, -1};
volatile std::sig_atomic_t firstSignal = 0;
struct sigaction previous[3];

extern "C" void onStopSignal(int signal) {
    if (firstSignal == 0)
        firstSignal = signal;
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t n = ::write(wakeFds[1], &byte, 1);
    errno = saved;
}

} // namespace

StopSignals::StopSignals() {
    if (wakeFds[0] < 0 && ::pipe2(wakeFds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    firstSignal = 0;
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a terminal prompt waiting in a read returns, so the stop is not held
    // up until someone presses a key.
    action.sa_flags = 0;
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        ::sigaction(kSignals[i], &action, &previous[i]);
    notifier_ = new QSocketNotifier(wakeFds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &StopSignals::drain);
}

StopSignals::~StopSignals() {
    if (!notifier_)
        return;
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        ::sigaction(kSignals[i], &previous[i], nullptr);
}

int StopSignals::received() const {
    return firstSignal;
}

void StopSignals::drain() {
    unsigned char byte = 0;
    while (::read(wakeFds[0], &byte, 1) == 1)
        emit stopRequested(byte);
}

} // namespace zx::cli
