// zx908hf-cli write FILE --batch: a dealer's bench. One radio after another is connected;
// each is written, verified and identified, gets a line in the CSV log, and is then waited
// out until it is disconnected. A radio that fails never stops the batch; its line says
// why. The batch ends after --count radios or at Ctrl+C, with a summary.
#pragma once

#include <QString>

namespace zx::cli {

class RadioSession;

struct BatchOptions {
    int count = 0;   // radios to write; 0 = until stopped
    QString logPath; // CSV log, appended to; empty = none
};

// Runs the batch on a prepared session whose document holds the file to write. Returns 0
// when every radio was written (and verified), 1 when one failed, 128 + the signal's number
// when it was stopped, 3 when the log cannot be written.
int runBatch(RadioSession& session, const BatchOptions& options);

// How often the batch asks whether a radio is there.
inline constexpr int kBatchPollMs = 1000;

} // namespace zx::cli
