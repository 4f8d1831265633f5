// The radio's end of a pseudo-terminal: the master side, with a pipe that wakes the serving
// thread's poll when the radio is told to stop.
#include "sim/PseudoTerminal.h"
#include "sim/RadioLine.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace zx::sim {

namespace {

class PseudoTerminalLine : public RadioLine {
public:
    PseudoTerminalLine() {
        int pipe[2];
        if (::pipe2(pipe, O_CLOEXEC | O_NONBLOCK) != 0)
            throw std::system_error(errno, std::generic_category(), "pipe");
        wakeRead_ = pipe[0];
        wakeWrite_ = pipe[1];
        name_ = terminal_.slavePath();
    }
    ~PseudoTerminalLine() override {
        ::close(wakeRead_);
        ::close(wakeWrite_);
    }

    Wait waitForInput(std::optional<std::chrono::milliseconds> timeout) override {
        pollfd fds[2] = {{terminal_.master(), POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        const int ready = ::poll(fds, 2, timeout ? int(timeout->count()) : -1);
        if (fds[1].revents & POLLIN)
            return Wait::Woken;
        if (ready > 0 && (fds[0].revents & POLLIN))
            return Wait::Input;
        if (ready > 0 && (fds[0].revents & (POLLHUP | POLLERR)))
            // Cannot happen while our own slave descriptor is open; do not spin if it does.
            sleepUntil(Clock::now() + std::chrono::milliseconds(10));
        return Wait::Timeout;
    }

    std::size_t read(std::uint8_t* buffer, std::size_t size) override {
        const ssize_t n = ::read(terminal_.master(), buffer, size);
        if (n > 0)
            return std::size_t(n);
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            sleepUntil(Clock::now() + std::chrono::milliseconds(10)); // do not spin on EIO
        return 0;
    }

    std::size_t write(std::span<const std::uint8_t> bytes,
                      std::chrono::milliseconds stall) override {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(terminal_.master(), bytes.data() + done, bytes.size() - done);
            if (n > 0) {
                done += std::size_t(n);
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && errno == EAGAIN) {
                pollfd fds[2] = {{terminal_.master(), POLLOUT, 0}, {wakeRead_, POLLIN, 0}};
                if (::poll(fds, 2, int(stall.count())) > 0 && (fds[0].revents & POLLOUT) &&
                    !(fds[1].revents & POLLIN))
                    continue;
            }
            break;
        }
        return done;
    }

    bool sleepUntil(Clock::time_point deadline) override {
        using namespace std::chrono;
        for (;;) {
            const auto left = deadline - Clock::now();
            if (left <= Clock::duration::zero())
                return true;
            if (left > milliseconds(2)) {
                // Sleep most of the way on the wake-up pipe so that a stop is not held up,
                // then finish with a precise sleep.
                pollfd fd{wakeRead_, POLLIN, 0};
                ::poll(&fd, 1, int(duration_cast<milliseconds>(left - milliseconds(1)).count()));
                if (fd.revents & POLLIN)
                    return false;
                continue;
            }
            std::this_thread::sleep_until(deadline);
        }
    }

    void wake() override {
        const char byte = 0;
        [[maybe_unused]] const auto written = ::write(wakeWrite_, &byte, 1);
    }

    const std::string& name() const override { return name_; }

private:
    PseudoTerminal terminal_;
    std::string name_;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
};

} // namespace

std::unique_ptr<RadioLine> openPseudoTerminalLine() {
    return std::make_unique<PseudoTerminalLine>();
}

} // namespace zx::sim
