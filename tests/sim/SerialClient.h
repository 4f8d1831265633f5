// The program's end of the virtual radio's terminal for tests: opens the slave like a serial
// port (raw), writes commands and reads answers with time-outs, using plain POSIX calls.
#pragma once

#include <chrono>
#include <cstdint>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <string_view>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace zx::sim::test {

using Bytes = std::vector<std::uint8_t>;
using namespace std::chrono_literals;

class SerialClient {
public:
    explicit SerialClient(const std::string& path) {
        fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd_ < 0)
            throw std::runtime_error("cannot open " + path);
        termios settings{};
        ::tcgetattr(fd_, &settings);
        ::cfmakeraw(&settings);
        ::tcsetattr(fd_, TCSANOW, &settings);
    }
    ~SerialClient() { ::close(fd_); }
    SerialClient(const SerialClient&) = delete;
    SerialClient& operator=(const SerialClient&) = delete;

    void send(const Bytes& bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
            if (n > 0)
                done += std::size_t(n);
            else
                waitFor(POLLOUT, 100ms);
        }
    }
    void send(std::string_view text) { send(Bytes(text.begin(), text.end())); }

    // Reads until `count` bytes have come or `timeout` has passed; returns what came.
    Bytes read(std::size_t count, std::chrono::milliseconds timeout = 1000ms) {
        Bytes got;
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (got.size() < count) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0 || !waitFor(POLLIN, left))
                break;
            std::uint8_t buffer[512];
            const ssize_t n = ::read(fd_, buffer, std::min(sizeof buffer, count - got.size()));
            if (n > 0)
                got.insert(got.end(), buffer, buffer + n);
        }
        return got;
    }
    // Everything that arrives within `quiet` of silence (for checking that nothing, or
    // nothing more, comes).
    Bytes drain(std::chrono::milliseconds quiet = 60ms) {
        Bytes got;
        while (waitFor(POLLIN, quiet)) {
            std::uint8_t buffer[512];
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n <= 0)
                break;
            got.insert(got.end(), buffer, buffer + n);
        }
        return got;
    }

    // Sends a command and reads the expected number of answer bytes.
    Bytes exchange(const Bytes& command, std::size_t answerLength,
                   std::chrono::milliseconds timeout = 1000ms) {
        send(command);
        return read(answerLength, timeout);
    }

private:
    bool waitFor(short events, std::chrono::milliseconds timeout) {
        pollfd fd{fd_, events, 0};
        return ::poll(&fd, 1, int(timeout.count())) > 0 && (fd.revents & events);
    }
    int fd_ = -1;
};

inline Bytes bytesOf(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

} // namespace zx::sim::test
