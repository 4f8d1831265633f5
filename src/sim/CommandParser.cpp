// Byte-stream parsing of the radio's commands with resynchronisation on garbage.
#include "sim/CommandParser.h"

#include "link/Command.h"

#include <algorithm>
#include <string_view>

namespace zx::sim {

namespace {
constexpr std::string_view kHandshake = "PROGRAM";
constexpr std::size_t kBlockHeader = 4; // letter, address high, address low, length

bool blockFits(int address, int length) {
    return length > 0 && address + length <= CommandParser::kMemorySize;
}
} // namespace

CommandParser::Scan CommandParser::scan(bool programmingMode, ParsedCommand& command,
                                        std::size_t& used) const {
    const std::uint8_t lead = pending_.front();
    used = 1;
    if (lead == static_cast<std::uint8_t>(kHandshake.front())) {
        const std::size_t have = std::min(pending_.size(), kHandshake.size());
        for (std::size_t i = 1; i < have; ++i) {
            // A broken hand-shake is skipped as a whole: its letters ("R" among them) are
            // not commands, and no "P" can start inside it.
            if (pending_[i] != static_cast<std::uint8_t>(kHandshake[i])) {
                used = i;
                return Scan::Invalid;
            }
        }
        if (have < kHandshake.size())
            return Scan::NeedMore;
        command.kind = CommandKind::Program;
        used = kHandshake.size();
        return Scan::Complete;
    }
    if (!programmingMode)
        return Scan::Invalid;

    switch (lead) {
    case link::kIdentifyByte:
        command.kind = CommandKind::Identify;
        used = 1;
        return Scan::Complete;
    case link::kAck:
        command.kind = CommandKind::Ack;
        used = 1;
        return Scan::Complete;
    case link::kEndLetter:
        command.kind = CommandKind::End;
        used = 1;
        return Scan::Complete;
    case link::kReadLetter:
    case link::kWriteLetter:
        break;
    default:
        return Scan::Invalid;
    }

    if (pending_.size() < kBlockHeader)
        return Scan::NeedMore;
    command.address = pending_[1] << 8 | pending_[2];
    command.length = pending_[3];
    if (!blockFits(command.address, command.length))
        return Scan::Invalid;
    if (lead == link::kReadLetter) {
        command.kind = CommandKind::Read;
        used = kBlockHeader;
        return Scan::Complete;
    }

    const std::size_t frame = kBlockHeader + std::size_t(command.length) + 1;
    if (pending_.size() < frame)
        return Scan::NeedMore;
    command.kind = CommandKind::Write;
    command.data.assign(pending_.begin() + kBlockHeader, pending_.begin() + frame - 1);
    // The checksum covers address, length and data; a frame that fails it is consumed whole
    // (its data bytes must not be mistaken for commands) and the radio ignores it.
    const std::span<const std::uint8_t> summed(pending_.data() + 1, frame - 2);
    command.checksumOk = link::checksum(summed) == pending_[frame - 1];
    used = frame;
    return Scan::Complete;
}

std::optional<ParsedCommand> CommandParser::next(bool programmingMode) {
    while (!pending_.empty()) {
        ParsedCommand command;
        std::size_t used = 0;
        switch (scan(programmingMode, command, used)) {
        case Scan::NeedMore:
            return std::nullopt;
        case Scan::Invalid:
            for (std::size_t i = 0; i < used; ++i)
                skipLeadByte();
            continue;
        case Scan::Complete:
            pending_.erase(pending_.begin(), pending_.begin() + std::ptrdiff_t(used));
            return command;
        }
    }
    return std::nullopt;
}

void CommandParser::skipLeadByte() {
    if (pending_.empty())
        return;
    pending_.erase(pending_.begin());
    ++garbageBytes_;
}

} // namespace zx::sim
