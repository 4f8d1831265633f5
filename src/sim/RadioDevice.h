// The radio's side of the programming protocol without any I/O: its memory, programming
// mode, the answers it gives and the faults it injects into them. VirtualRadio puts it on a
// pseudo-terminal; tests can also drive it directly.
//
// Identity answer (14 bytes): 'P'; the model code (4 characters, space padded); the band
// code (the memory's 1D87 when it is 0 or 1, otherwise 0); the model type F8 (248); FF; the
// data version (4 characters, space padded); FF FF. Bytes 5..7 thus mirror the model header
// the program keeps at 1D95..1D97, so that a write, which sends these 14 bytes back to
// 1D90..1D9D, leaves a consistent header in the radio.
//
// "E" is answered with 06 and leaves programming mode: the radio goes back to normal
// operation, and every later conversation has to start with "PROGRAM" again.
#pragma once

#include "sim/CommandParser.h"
#include "sim/RadioCommand.h"
#include "sim/RadioOptions.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zx::sim {

inline constexpr std::size_t kMemorySize = 0x2000;
using Memory = std::array<std::uint8_t, kMemorySize>;
using Bytes = std::vector<std::uint8_t>;

inline constexpr int kBandCodeAddress = 0x1D87;
inline constexpr std::uint8_t kModelType = 0xF8;
inline constexpr std::uint8_t kSurplusByte = 0x00;

// An answer to one command, in the pieces it goes out in.
struct Reply {
    // How many bytes of the chunk given to receive() had arrived when the command was
    // recognised (0 for replies produced by giveUpPartial()).
    std::size_t receivedBytes = 0;
    std::vector<Bytes> pieces;
    // One surplus byte goes out together with the last byte of the answer, so that the
    // program's receive buffer holds one byte too many whenever it looks.
    bool surplus = false;
};

class RadioDevice {
public:
    RadioDevice(RadioOptions options, const Memory& memory);

    // Takes a chunk of received bytes and returns the answers to the commands it completed.
    std::vector<Reply> receive(std::span<const std::uint8_t> bytes);
    // An incomplete command has waited too long: skip its first byte, parse the rest afresh.
    std::vector<Reply> giveUpPartial();
    bool hasPartial() const { return parser_.hasPartial(); }

    bool programmingMode() const { return programmingMode_; }
    bool silent() const { return silent_; }
    Bytes identityAnswer() const;

    Memory& memory() { return memory_; }
    const Memory& memory() const { return memory_; }
    RadioStats stats() const;
    // The most recent commands (older ones are let go after 65536).
    const std::vector<LogEntry>& log() const { return log_; }
    // Commands recorded since the radio started, including those let go or cleared.
    std::size_t logTotal() const { return logTotal_; }
    void clearLog() { log_.clear(); }

private:
    // Parses what is pending and answers every complete command.
    void drain(std::size_t receivedBytes, std::vector<Reply>& replies);
    // The plain answer to a command, empty when there is none; applies its effect.
    Bytes act(const ParsedCommand& command, Outcome& outcome);
    Reply shape(Bytes answer, CommandKind kind, int count, std::size_t receivedBytes) const;
    void record(const ParsedCommand& command, Outcome outcome);

    RadioOptions options_;
    Memory memory_;
    CommandParser parser_;
    bool programmingMode_ = false;
    bool silent_ = false;
    int blocksActed_ = 0;
    int blockAnswers_ = 0; // read-block answers, for the checksum fault
    std::array<int, kCommandKinds> answerCounts_{};
    RadioStats stats_;
    std::vector<LogEntry> log_;
    std::size_t logTotal_ = 0;
};

} // namespace zx::sim
