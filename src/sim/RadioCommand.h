// The commands the virtual radio understands, the record it keeps of each one it received,
// and the counters tests and the simulate verb read back.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zx::sim {

enum class CommandKind : std::uint8_t {
    Program,  // "PROGRAM": enter programming mode
    Identify, // 02
    Ack,      // 06
    Read,     // "R" ah al len
    Write,    // "W" ah al len data checksum
    End,      // "E": leave programming mode
};
inline constexpr std::size_t kCommandKinds = 6;

// Names used on the command line and in logs: program, identify, ack, read, write, end.
std::string_view commandName(CommandKind kind);
std::optional<CommandKind> commandFromName(std::string_view name);

// What became of a received command.
enum class Outcome : std::uint8_t {
    Answered,    // answered normally (possibly with an injected fault in the answer)
    Dropped,     // acted on, but its answer was suppressed by a fault rule
    BadChecksum, // a write block whose checksum did not match: ignored, no answer
    Silent,      // the radio had gone silent (silent-after-blocks): ignored
};
std::string_view outcomeName(Outcome outcome);

struct LogEntry {
    CommandKind kind = CommandKind::Program;
    int address = 0; // read and write blocks
    int length = 0;  // read and write blocks
    Outcome outcome = Outcome::Answered;
};
std::string describe(const LogEntry& entry);

struct RadioStats {
    std::array<int, kCommandKinds> received{}; // recognised commands, by kind
    int answers = 0;                           // answers sent
    int droppedAnswers = 0;                    // answers suppressed by a fault rule or by silence
    int badChecksumWrites = 0;                 // write blocks ignored for their checksum
    int garbageBytes = 0;                      // bytes that started no command and were skipped
    int partialDiscards = 0;                   // incomplete commands given up after a pause
    long bytesReceived = 0;
    long bytesSent = 0;
    long bytesLost = 0; // answer bytes nobody read (the terminal's buffer was full)

    int count(CommandKind kind) const { return received[static_cast<std::size_t>(kind)]; }
};

} // namespace zx::sim
