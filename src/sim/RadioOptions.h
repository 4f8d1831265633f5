// How a virtual radio presents itself and which faults it injects.
#pragma once

#include "sim/RadioCommand.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zx::sim {

// Selects answers of one command: the nth (1-based, counted over the radio's whole run) or,
// with nth 0, every one.
struct AnswerRule {
    CommandKind command = CommandKind::Read;
    int nth = 1;
    bool matches(CommandKind kind, int count) const {
        return kind == command && (nth == 0 || nth == count);
    }
};

struct FaultPlan {
    // Silence instead of these answers. The command itself still takes effect (a write block
    // is stored), as when the answer is lost on the line.
    std::vector<AnswerRule> dropAnswers;
    // One surplus byte (00) right after these answers.
    std::vector<AnswerRule> surplusAfter;
    // The nth read-block answer (1-based) carries a wrong checksum; 0 = never.
    int badChecksumBlock = 0;
    // Every answer goes out in this many pieces, with `splitGap` between them.
    int splitPieces = 1;
    std::chrono::milliseconds splitGap{5};
    // After answering this many block commands (read or write) the radio goes silent for
    // the rest of its run, as if the cable had been pulled: nothing more is acted on.
    std::optional<int> silentAfterBlocks;
    // A write block that covers this address stores the byte there XOR `wrongByteXor`, and
    // the radio acknowledges it all the same: a memory fault only a read-back can see.
    std::optional<int> wrongByteAt;
    std::uint8_t wrongByteXor = 0x01;
};

struct RadioOptions {
    std::string modelCode = "8900";   // identity answer bytes 1..4
    std::string dataVersion = "V310"; // identity answer bytes 8..11
    // Written to 1D87 when the radio starts; without it the memory keeps its own byte.
    std::optional<int> bandCode;
    // Pace both directions at the line rate: 10 bits per byte at 9600 baud.
    bool paced = false;
    // An incomplete command that sees no further byte for this long is given up and the
    // parser resynchronises on its remaining bytes (the radio's receiver restarts). Shorter
    // than the program's 300 ms answer timer, so the command it repeats after a silence
    // meets a clean receiver.
    std::chrono::milliseconds partialTimeout{250};
    FaultPlan faults;
};

} // namespace zx::sim
