// Splits the byte stream the program sends into the radio's commands. Bytes arrive in
// arbitrary chunks, so the parser keeps an incomplete command until the rest arrives. A byte
// that cannot start a command, or a header that makes no sense (a block outside the memory,
// length 0), is skipped and parsing restarts at the next byte; a broken hand-shake is skipped
// up to the byte where it went wrong. So garbage between commands never wedges the parser. Outside programming mode only "PROGRAM" is recognised, as on the radio.
#pragma once

#include "sim/RadioCommand.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace zx::sim {

struct ParsedCommand {
    CommandKind kind = CommandKind::Program;
    int address = 0;                // read and write blocks
    int length = 0;                 // read and write blocks
    std::vector<std::uint8_t> data; // write blocks
    bool checksumOk = true;         // write blocks: the checksum byte matched
};

class CommandParser {
public:
    static constexpr int kMemorySize = 0x2000;

    void append(std::uint8_t byte) { pending_.push_back(byte); }

    // The next complete command at the front of the pending bytes, skipping garbage; nullopt
    // when the pending bytes are empty or only the beginning of a command.
    std::optional<ParsedCommand> next(bool programmingMode);

    // An incomplete command is waiting for more bytes.
    bool hasPartial() const { return !pending_.empty(); }
    // Gives up the incomplete command at the front (the radio's receiver restarts after a
    // pause): its first byte is skipped and the rest is parsed afresh by later next() calls.
    void skipLeadByte();

    int garbageBytes() const { return garbageBytes_; }

private:
    enum class Scan { NeedMore, Invalid, Complete };
    Scan scan(bool programmingMode, ParsedCommand& command, std::size_t& used) const;

    std::vector<std::uint8_t> pending_;
    int garbageBytes_ = 0;
};

} // namespace zx::sim
