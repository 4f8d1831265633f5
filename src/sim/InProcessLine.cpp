// The in-process line: two byte queues under one lock.
#include "sim/InProcessLine.h"

#include <algorithm>

namespace zx::sim {

InProcessLine::InProcessLine(std::string name) : name_(std::move(name)) {}

RadioLine::Wait InProcessLine::waitForInput(std::optional<std::chrono::milliseconds> timeout) {
    std::unique_lock lock(mutex_);
    const auto ready = [this] { return woken_ || !toRadio_.empty(); };
    if (timeout)
        changed_.wait_for(lock, *timeout, ready);
    else
        changed_.wait(lock, ready);
    if (woken_)
        return Wait::Woken;
    return toRadio_.empty() ? Wait::Timeout : Wait::Input;
}

std::size_t InProcessLine::read(std::uint8_t* buffer, std::size_t size) {
    std::lock_guard lock(mutex_);
    const std::size_t n = std::min(size, toRadio_.size());
    std::copy_n(toRadio_.begin(), n, buffer);
    toRadio_.erase(toRadio_.begin(), toRadio_.begin() + std::ptrdiff_t(n));
    return n;
}

std::size_t InProcessLine::write(std::span<const std::uint8_t> bytes, std::chrono::milliseconds) {
    {
        std::lock_guard lock(mutex_);
        if (woken_)
            return 0;
        toProgram_.insert(toProgram_.end(), bytes.begin(), bytes.end());
    }
    std::lock_guard lock(listenerMutex_);
    if (listener_ && !bytes.empty())
        listener_();
    return bytes.size();
}

bool InProcessLine::sleepUntil(Clock::time_point deadline) {
    std::unique_lock lock(mutex_);
    return !changed_.wait_until(lock, deadline, [this] { return woken_; });
}

void InProcessLine::wake() {
    {
        std::lock_guard lock(mutex_);
        woken_ = true;
    }
    changed_.notify_all();
}

void InProcessLine::setProgramListener(std::function<void()> listener) {
    std::lock_guard lock(listenerMutex_);
    listener_ = std::move(listener);
}

void InProcessLine::programWrite(std::span<const std::uint8_t> bytes) {
    {
        std::lock_guard lock(mutex_);
        toRadio_.insert(toRadio_.end(), bytes.begin(), bytes.end());
    }
    changed_.notify_all();
}

std::vector<std::uint8_t> InProcessLine::programReadAll() {
    std::lock_guard lock(mutex_);
    std::vector<std::uint8_t> out(toProgram_.begin(), toProgram_.end());
    toProgram_.clear();
    return out;
}

std::size_t InProcessLine::programAvailable() const {
    std::lock_guard lock(mutex_);
    return toProgram_.size();
}

void InProcessLine::purge() {
    std::lock_guard lock(mutex_);
    toProgram_.clear();
    toRadio_.clear();
}

bool InProcessLine::radioGone() const {
    std::lock_guard lock(mutex_);
    return woken_;
}

} // namespace zx::sim
