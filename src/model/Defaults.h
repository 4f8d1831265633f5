// The reset of the document to its built-in defaults, and the exchange between the record
// and the run-time state.
#pragma once

#include "model/Workspace.h"

#include <string>

namespace zx::model {

// Today's date as the program needs it: YYYYMMDD digits and the system's short date form.
struct Today {
    int year = 2000;
    int month = 1;
    int day = 1;
    std::string shortDate; // e.g. "2026-12-08"; the platform layer supplies the user's form
};

// The built-in default record (no template): one channel numbered 1 in each group,
// optional features and the unedited blocks at their defaults, model info from the run-time
// state and the date, empty embedded message.
ConfigRecord defaultRecord(const RuntimeState& state, const Today& today);
// The default radio identity record.
RadioIdentity defaultIdentity(const RuntimeState& state, const Today& today);

// Reset to defaults, then load the New template of the current band over the working
// record (silently keeping the built-in defaults when it is missing); the file buffer ends
// equal to the working record.
void resetDocument(Workspace& ws, const Today& today);

// After a load: model code, band string, band edges and data version from the record.
void recordToRuntime(Workspace& ws);
// Before a save: modelInfo from the run-time state, dataVersion "V310".
void runtimeToRecord(Workspace& ws);

} // namespace zx::model
