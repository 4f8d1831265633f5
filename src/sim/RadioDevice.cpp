// The radio's answers, its memory and the injected faults.
#include "sim/RadioDevice.h"

#include "link/Command.h"

#include <algorithm>

namespace zx::sim {

namespace {
// The log keeps the most recent commands; a radio that serves for hours must not grow
// without bound.
constexpr std::size_t kLogLimit = 1 << 16;

void putText(Bytes& out, const std::string& text, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i)
        out.push_back(i < text.size() ? static_cast<std::uint8_t>(text[i]) : ' ');
}

std::size_t index(CommandKind kind) {
    return static_cast<std::size_t>(kind);
}
} // namespace

RadioDevice::RadioDevice(RadioOptions options, const Memory& memory)
    : options_(std::move(options)), memory_(memory) {
    if (options_.bandCode)
        memory_[kBandCodeAddress] = static_cast<std::uint8_t>(*options_.bandCode);
    options_.faults.splitPieces = std::max(1, options_.faults.splitPieces);
}

Bytes RadioDevice::identityAnswer() const {
    Bytes answer;
    answer.push_back(link::kIdentityLetter);
    putText(answer, options_.modelCode, 4);
    const std::uint8_t band = memory_[kBandCodeAddress];
    answer.push_back(band < 2 ? band : 0);
    answer.push_back(kModelType);
    answer.push_back(0xFF);
    putText(answer, options_.dataVersion, 4);
    answer.push_back(0xFF);
    answer.push_back(0xFF);
    return answer;
}

std::vector<Reply> RadioDevice::receive(std::span<const std::uint8_t> bytes) {
    std::vector<Reply> replies;
    stats_.bytesReceived += long(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        parser_.append(bytes[i]);
        drain(i + 1, replies);
    }
    return replies;
}

std::vector<Reply> RadioDevice::giveUpPartial() {
    std::vector<Reply> replies;
    if (!parser_.hasPartial())
        return replies;
    ++stats_.partialDiscards;
    parser_.skipLeadByte();
    drain(0, replies);
    return replies;
}

void RadioDevice::drain(std::size_t receivedBytes, std::vector<Reply>& replies) {
    while (auto command = parser_.next(programmingMode_)) {
        ++stats_.received[index(command->kind)];
        Outcome outcome = Outcome::Answered;
        Bytes answer = act(*command, outcome);
        if (!answer.empty()) {
            const int count = ++answerCounts_[index(command->kind)];
            const auto& drops = options_.faults.dropAnswers;
            if (std::any_of(drops.begin(), drops.end(), [&](const AnswerRule& rule) {
                    return rule.matches(command->kind, count);
                })) {
                outcome = Outcome::Dropped;
                ++stats_.droppedAnswers;
            } else {
                replies.push_back(shape(std::move(answer), command->kind, count, receivedBytes));
                ++stats_.answers;
            }
        }
        record(*command, outcome);
    }
}

Bytes RadioDevice::act(const ParsedCommand& command, Outcome& outcome) {
    const bool block = command.kind == CommandKind::Read || command.kind == CommandKind::Write;
    if (!silent_ && block && options_.faults.silentAfterBlocks &&
        blocksActed_ >= *options_.faults.silentAfterBlocks)
        silent_ = true;
    if (silent_) {
        outcome = Outcome::Silent;
        ++stats_.droppedAnswers;
        return {};
    }

    switch (command.kind) {
    case CommandKind::Program:
        programmingMode_ = true;
        return link::acknowledge();
    case CommandKind::Identify:
        return identityAnswer();
    case CommandKind::Ack:
        return link::acknowledge();
    case CommandKind::End:
        programmingMode_ = false;
        return link::acknowledge();
    case CommandKind::Read: {
        ++blocksActed_;
        const std::span<const std::uint8_t> data(memory_.data() + command.address,
                                                 std::size_t(command.length));
        Bytes answer = link::blockAnswer(command.address, data);
        if (++blockAnswers_ == options_.faults.badChecksumBlock)
            answer.back() = static_cast<std::uint8_t>(answer.back() + 1);
        return answer;
    }
    case CommandKind::Write:
        if (!command.checksumOk) {
            outcome = Outcome::BadChecksum;
            ++stats_.badChecksumWrites;
            return {};
        }
        ++blocksActed_;
        std::copy(command.data.begin(), command.data.end(), memory_.begin() + command.address);
        if (const auto& wrong = options_.faults.wrongByteAt;
            wrong && *wrong >= command.address &&
            *wrong < command.address + static_cast<int>(command.data.size()))
            memory_[std::size_t(*wrong)] ^= options_.faults.wrongByteXor;
        return link::acknowledge();
    }
    return {};
}

Reply RadioDevice::shape(Bytes answer, CommandKind kind, int count,
                         std::size_t receivedBytes) const {
    const auto& surplus = options_.faults.surplusAfter;
    const bool addSurplus =
        std::any_of(surplus.begin(), surplus.end(),
                    [&](const AnswerRule& rule) { return rule.matches(kind, count); });

    Reply reply;
    reply.receivedBytes = receivedBytes;
    const std::size_t pieces =
        std::min<std::size_t>(std::size_t(options_.faults.splitPieces), answer.size());
    std::size_t from = 0;
    for (std::size_t i = 0; i < pieces; ++i) {
        // Pieces as equal as possible; the earlier ones take the remainder.
        const std::size_t size = answer.size() / pieces + (i < answer.size() % pieces ? 1 : 0);
        reply.pieces.emplace_back(answer.begin() + std::ptrdiff_t(from),
                                  answer.begin() + std::ptrdiff_t(from + size));
        from += size;
    }
    reply.surplus = addSurplus;
    return reply;
}

void RadioDevice::record(const ParsedCommand& command, Outcome outcome) {
    if (log_.size() >= kLogLimit)
        log_.erase(log_.begin(), log_.begin() + std::ptrdiff_t(kLogLimit / 2));
    log_.push_back({command.kind, command.address, command.length, outcome});
    ++logTotal_;
}

RadioStats RadioDevice::stats() const {
    RadioStats stats = stats_;
    stats.garbageBytes = parser_.garbageBytes();
    return stats;
}

} // namespace zx::sim
