// The virtual radio: a RadioDevice served on a line by a background thread: a
// pseudo-terminal, whose slave the real program (or a test) opens as its serial port, or an
// in-process line that the program's own port reaches (systems without pseudo-terminals, the
// demo radio). With
// pacing, commands are taken as received only once their wire time at 9600 baud (10 bits a
// byte) has elapsed, and answers leave at that rate too; deadlines are absolute, so timing
// errors do not add up over a long transfer.
#pragma once

#include "sim/RadioDevice.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace zx::sim {

class InProcessLine;
class RadioLine;

class VirtualRadio {
public:
    using Clock = std::chrono::steady_clock;
    // Called on the radio's thread for every command it handled (set before start()).
    using Observer = std::function<void(const LogEntry&)>;

    // Line rate the radio is paced at.
    static constexpr int kBaud = 9600;
    static constexpr int kBitsPerByte = 10;
    // Wire time of `bytes` bytes at the line rate.
    static constexpr std::chrono::nanoseconds wireTime(std::size_t bytes) {
        return std::chrono::nanoseconds(static_cast<long long>(bytes) * kBitsPerByte *
                                        1'000'000'000LL / kBaud);
    }

    explicit VirtualRadio(RadioOptions options = {}, const Memory& memory = blankMemory());
    ~VirtualRadio();
    VirtualRadio(const VirtualRadio&) = delete;
    VirtualRadio& operator=(const VirtualRadio&) = delete;

    static Memory blankMemory(); // all FF

    // Opens a pseudo-terminal and starts serving. Throws std::system_error (always where the
    // system has no pseudo-terminals).
    void start();
    // Starts serving on a new in-process line named `name`, which the program's end uses.
    std::shared_ptr<InProcessLine> startInProcess(const std::string& name);
    // Stops serving and closes the terminal; also done by the destructor.
    void stop();
    bool running() const { return thread_.joinable(); }
    // The slave's device path, or the in-process line's name (empty before a start).
    const std::string& devicePath() const { return devicePath_; }

    void setObserver(Observer observer) { observer_ = std::move(observer); }

    // The radio's memory, safe to use while it serves.
    Memory memory() const;
    void setMemory(const Memory& memory);
    Bytes readMemory(int address, int length) const; // clipped to the memory
    // Writes the memory to an 8192-byte image file. Throws std::runtime_error.
    void dumpMemory(const std::string& path) const;

    bool programmingMode() const;
    RadioStats stats() const;
    std::vector<LogEntry> log() const;
    void clearLog();
    // Waits until `count` commands have been handled since the start (see logTotal).
    bool waitForCommands(std::size_t count, std::chrono::milliseconds timeout) const;
    std::size_t commandsHandled() const;

private:
    void startOn(std::shared_ptr<RadioLine> line);
    void serve();
    void handle(const std::vector<Reply>& replies, std::size_t logBefore, Clock::time_point rxStart,
                bool timed);
    void transmit(const Reply& reply, Clock::time_point ready);
    bool waitUntil(Clock::time_point deadline);
    void writeAll(std::span<const std::uint8_t> bytes);

    const bool paced_;
    const std::chrono::milliseconds partialTimeout_;
    const std::chrono::milliseconds splitGap_;
    Observer observer_;

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    RadioDevice device_;
    long bytesSent_ = 0;
    long bytesLost_ = 0;

    std::shared_ptr<RadioLine> line_;
    std::string devicePath_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;

    // Serving thread only: when the receive and transmit lines are next free.
    Clock::time_point rxFree_{};
    Clock::time_point txFree_{};
};

} // namespace zx::sim
