// A serial line inside one process, for systems without pseudo-terminals and for the demo
// radio: the radio's end (RadioLine) on its serving thread, the program's end on the event
// loop. Bytes cross at once; the virtual radio paces them itself, exactly as on a terminal.
// The program is told of arriving bytes through a listener that runs on the radio's thread
// and must only hand the news on (post an event).
#pragma once

#include "sim/RadioLine.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

namespace zx::sim {

class InProcessLine : public RadioLine {
public:
    explicit InProcessLine(std::string name);

    // RadioLine: the radio's end.
    Wait waitForInput(std::optional<std::chrono::milliseconds> timeout) override;
    std::size_t read(std::uint8_t* buffer, std::size_t size) override;
    std::size_t write(std::span<const std::uint8_t> bytes,
                      std::chrono::milliseconds stall) override;
    bool sleepUntil(Clock::time_point deadline) override;
    void wake() override;
    const std::string& name() const override { return name_; }

    // The program's end. The listener is called after bytes for the program arrived; setting
    // it (or clearing it with {}) waits for a call in progress, so that its owner may go.
    void setProgramListener(std::function<void()> listener);
    void programWrite(std::span<const std::uint8_t> bytes);
    std::vector<std::uint8_t> programReadAll();
    std::size_t programAvailable() const;
    // Discards what either end has not read yet, as a purge of both buffers does.
    void purge();
    // The radio's end is gone (the radio stopped): nothing more will come.
    bool radioGone() const;

private:
    const std::string name_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::uint8_t> toRadio_;
    std::deque<std::uint8_t> toProgram_;
    bool woken_ = false;
    std::mutex listenerMutex_;
    std::function<void()> listener_;
};

} // namespace zx::sim
