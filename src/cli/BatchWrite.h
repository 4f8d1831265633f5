// zx908hf-cli write FILE --batch: a dealer's bench. On every port given (--port, several
// times) radio after radio is connected; each is identified, written, verified, gets a line
// in the CSV log and is then waited out until it is disconnected or another radio is found
// in its place. All ports run at once on one event loop. A radio that fails never stops the
// batch; its line says why. The batch ends after --count radios or at Ctrl+C (End on every
// open session, then each port's state), with a summary.
#pragma once

#include <QString>

namespace zx::cli {

class RadioSession;

struct BatchOptions {
    int count = 0;    // radios to write over all ports; 0 = until stopped
    QString logPath;  // CSV log, appended to; empty = none
    QString document; // the file written, as the log names it
};

// Runs the batch with the settings and the document of a prepared session, on the ports of
// its --port options (the configured port without one). Returns 0 when every radio was
// written (and verified), 1 when one failed, 2 when two --port options name one device,
// 3 when the log cannot be written, 4 when no port can be used, 128 + the signal's number
// when stopped.
int runBatch(RadioSession& session, const BatchOptions& options);

} // namespace zx::cli
