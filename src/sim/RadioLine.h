// The radio's end of the line it is served on: a pseudo-terminal's master side, or a line
// inside the program (InProcessLine) where the system has no pseudo-terminals. The serving
// thread waits, reads and writes through it; another thread may wake it to stop.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace zx::sim {

class RadioLine {
public:
    using Clock = std::chrono::steady_clock;
    enum class Wait { Input, Timeout, Woken };

    virtual ~RadioLine() = default;

    // Blocks until bytes can be read, the timeout passes (none: no limit) or wake() is called.
    virtual Wait waitForInput(std::optional<std::chrono::milliseconds> timeout) = 0;
    // What has arrived, up to `size` bytes; 0 when nothing is there. Never blocks.
    virtual std::size_t read(std::uint8_t* buffer, std::size_t size) = 0;
    // Writes `bytes`, waiting up to `stall` for a full line to take more; returns how many
    // bytes went out (the rest is lost on the line).
    virtual std::size_t write(std::span<const std::uint8_t> bytes,
                              std::chrono::milliseconds stall) = 0;
    // Sleeps until `deadline`; false when woken before.
    virtual bool sleepUntil(Clock::time_point deadline) = 0;
    // Makes every wait return at once, now and later. Safe from any thread.
    virtual void wake() = 0;
    // What the program opens: the terminal's device path, or the in-process line's name.
    virtual const std::string& name() const = 0;
};

// A new pseudo-terminal in raw mode at 9600 baud. Throws std::system_error where the system
// has none to give (Windows has no pseudo-terminals at all).
std::unique_ptr<RadioLine> openPseudoTerminalLine();

} // namespace zx::sim
