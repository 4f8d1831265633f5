// Serving a RadioDevice on a line: the wait loop, pacing and answer output.
#include "sim/VirtualRadio.h"

#include "model/FilePath.h"
#include "sim/InProcessLine.h"
#include "sim/RadioLine.h"

#include <algorithm>
#include <fstream>
#include <pthread.h>
#include <sched.h>
#include <stdexcept>

namespace zx::sim {

namespace {
// How long a write to a full terminal buffer may wait for the program to read before the
// rest of the answer is given up as lost on the line.
constexpr int kWriteStallMs = 100;
} // namespace

Memory VirtualRadio::blankMemory() {
    Memory memory;
    memory.fill(0xFF);
    return memory;
}

VirtualRadio::VirtualRadio(RadioOptions options, const Memory& memory)
    : paced_(options.paced), partialTimeout_(options.partialTimeout),
      splitGap_(options.faults.splitGap), device_(std::move(options), memory) {}

VirtualRadio::~VirtualRadio() {
    stop();
}

void VirtualRadio::start() {
    if (running())
        return;
    startOn(openPseudoTerminalLine());
}

std::shared_ptr<InProcessLine> VirtualRadio::startInProcess(const std::string& name) {
    if (running())
        return std::dynamic_pointer_cast<InProcessLine>(line_);
    auto line = std::make_shared<InProcessLine>(name);
    startOn(line);
    return line;
}

void VirtualRadio::startOn(std::shared_ptr<RadioLine> line) {
    line_ = std::move(line);
    devicePath_ = line_->name();
    stopping_ = false;
    thread_ = std::thread([this] { serve(); });
    if (paced_) {
        // Line timing should not suffer from the load of the machine: a paced radio asks for
        // the lowest real-time priority where the system grants it, and runs without it
        // otherwise. The thread only ever blocks in poll or sleeps, so it cannot starve
        // anything.
        sched_param priority{};
        priority.sched_priority = 1;
        ::pthread_setschedparam(thread_.native_handle(), SCHED_FIFO, &priority);
    }
}

void VirtualRadio::stop() {
    if (!running())
        return;
    stopping_ = true;
    line_->wake();
    thread_.join();
    line_.reset();
}

void VirtualRadio::serve() {
    std::uint8_t buffer[4096];
    Clock::time_point lastByte = Clock::now();
    while (!stopping_) {
        bool partial;
        {
            std::lock_guard lock(mutex_);
            partial = device_.hasPartial();
        }
        std::optional<std::chrono::milliseconds> timeout;
        if (partial) {
            const auto left = lastByte + partialTimeout_ - Clock::now();
            timeout = std::max(std::chrono::milliseconds(0),
                               std::chrono::ceil<std::chrono::milliseconds>(left));
        }
        const RadioLine::Wait ready = line_->waitForInput(timeout);
        if (stopping_ || ready == RadioLine::Wait::Woken)
            break;

        if (ready == RadioLine::Wait::Input) {
            const std::size_t n = line_->read(buffer, sizeof buffer);
            if (n > 0) {
                const Clock::time_point now = Clock::now();
                lastByte = now;
                const Clock::time_point rxStart = paced_ ? std::max(rxFree_, now) : now;
                rxFree_ = rxStart + wireTime(n);
                std::vector<Reply> replies;
                std::size_t before;
                {
                    std::lock_guard lock(mutex_);
                    before = device_.logTotal();
                    replies = device_.receive({buffer, n});
                }
                handle(replies, before, rxStart, true);
                continue;
            }
        }

        if (partial && Clock::now() >= lastByte + partialTimeout_) {
            std::vector<Reply> replies;
            std::size_t before;
            {
                std::lock_guard lock(mutex_);
                before = device_.logTotal();
                replies = device_.giveUpPartial();
            }
            lastByte = Clock::now();
            handle(replies, before, Clock::now(), false);
        }
    }
}

void VirtualRadio::handle(const std::vector<Reply>& replies, std::size_t logBefore,
                          Clock::time_point rxStart, bool timed) {
    std::vector<LogEntry> entries;
    {
        std::lock_guard lock(mutex_);
        const auto& log = device_.log();
        const std::size_t added = std::min(device_.logTotal() - logBefore, log.size());
        if (observer_)
            entries.assign(log.end() - std::ptrdiff_t(added), log.end());
    }
    changed_.notify_all();
    for (const LogEntry& entry : entries)
        observer_(entry);
    for (const Reply& reply : replies) {
        if (stopping_)
            return;
        const Clock::time_point ready =
            paced_ && timed ? rxStart + wireTime(reply.receivedBytes) : Clock::now();
        transmit(reply, ready);
    }
}

void VirtualRadio::transmit(const Reply& reply, Clock::time_point ready) {
    const std::uint8_t surplus[] = {kSurplusByte};
    if (!paced_) {
        for (std::size_t i = 0; i < reply.pieces.size(); ++i) {
            if (i > 0 && !waitUntil(Clock::now() + splitGap_))
                return;
            Bytes piece = reply.pieces[i];
            if (reply.surplus && i + 1 == reply.pieces.size())
                piece.push_back(surplus[0]);
            writeAll(piece);
        }
        return;
    }

    // Each byte leaves once its own wire time is over; bytes that fell due while the thread
    // slept go out together.
    Clock::time_point start = std::max(txFree_, ready);
    for (std::size_t i = 0; i < reply.pieces.size(); ++i) {
        const Bytes& piece = reply.pieces[i];
        if (i > 0)
            start += splitGap_;
        std::size_t sent = 0;
        while (sent < piece.size()) {
            if (!waitUntil(start + wireTime(sent + 1)))
                return;
            const long long elapsed =
                std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start).count();
            const std::size_t due = std::min<std::size_t>(
                piece.size(), std::size_t(elapsed * kBaud / (kBitsPerByte * 1'000'000'000LL)));
            const bool last = i + 1 == reply.pieces.size() && due == piece.size();
            Bytes chunk(piece.begin() + std::ptrdiff_t(sent), piece.begin() + std::ptrdiff_t(due));
            if (last && reply.surplus)
                chunk.push_back(surplus[0]);
            writeAll(chunk);
            sent = due;
        }
        start += wireTime(piece.size());
    }
    txFree_ = start;
}

bool VirtualRadio::waitUntil(Clock::time_point deadline) {
    return !stopping_ && line_->sleepUntil(deadline) && !stopping_;
}

void VirtualRadio::writeAll(std::span<const std::uint8_t> bytes) {
    const std::size_t done = line_->write(bytes, std::chrono::milliseconds(kWriteStallMs));
    std::lock_guard lock(mutex_);
    bytesSent_ += long(done);
    bytesLost_ += long(bytes.size() - done);
}

Memory VirtualRadio::memory() const {
    std::lock_guard lock(mutex_);
    return device_.memory();
}

void VirtualRadio::setMemory(const Memory& memory) {
    std::lock_guard lock(mutex_);
    device_.memory() = memory;
}

Bytes VirtualRadio::readMemory(int address, int length) const {
    std::lock_guard lock(mutex_);
    const auto& memory = device_.memory();
    const int from = std::clamp(address, 0, int(kMemorySize));
    const int to = std::clamp(address + std::max(length, 0), from, int(kMemorySize));
    return Bytes(memory.begin() + from, memory.begin() + to);
}

void VirtualRadio::dumpMemory(const std::string& path) const {
    const Memory copy = memory();
    std::ofstream out(model::systemPath(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(copy.data()), std::streamsize(copy.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

bool VirtualRadio::programmingMode() const {
    std::lock_guard lock(mutex_);
    return device_.programmingMode();
}

RadioStats VirtualRadio::stats() const {
    std::lock_guard lock(mutex_);
    RadioStats stats = device_.stats();
    stats.bytesSent = bytesSent_;
    stats.bytesLost = bytesLost_;
    return stats;
}

std::vector<LogEntry> VirtualRadio::log() const {
    std::lock_guard lock(mutex_);
    return device_.log();
}

void VirtualRadio::clearLog() {
    std::lock_guard lock(mutex_);
    device_.clearLog();
}

std::size_t VirtualRadio::commandsHandled() const {
    std::lock_guard lock(mutex_);
    return device_.logTotal();
}

bool VirtualRadio::waitForCommands(std::size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return device_.logTotal() >= count; });
}

} // namespace zx::sim
