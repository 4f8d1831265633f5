// The conversations written as tables: for each step, what the accepted answer (or the
// silence that the time-out handling takes for one) brings, what is sent next and which step
// follows. One interpreter (Link::State::runStep) plays every table, so a conversation is
// its rows and nothing else. Internal to the link library.
#pragma once

#include <cstdint>

namespace zx::link {

// What an answer at a step is taken for before anything is sent.
enum class Take : std::uint8_t {
    Nothing,
    Block,             // a read block, copied into the image at the block address
    BlockAndProgress,  // the same, and the progress display follows
    BandCode,          // the band block at 1D80: only the radio band code is taken
    BandCodeForWrite,  // the same, and the write carries that code at 1D87
    WriteAcknowledged, // the radio took a write block
};

// What follows once the answer is taken and the step has moved on.
enum class Then : std::uint8_t {
    SendIdentify,
    SendAcknowledge,
    SendBandRead, // Read block at 1D80 with the conversation's block length
    SendEnd,
    NextReadBlock,  // the next block of the sequence, or End (step 69) past its end
    NextWriteBlock, // likewise for a write
    EndAnswered,    // End after a completed transfer was answered: the conversation's end
    SearchVerdict,  // the settings search has shaken hands with a radio: is it ours?
};

struct StepRow {
    int step;
    Take take;
    // The identity check guards what follows: when it fails, the step becomes 70 and End
    // is sent instead.
    bool checked;
    Then then;
    int next; // the step after this one (a block sequence that is through makes it 69)
};

} // namespace zx::link
