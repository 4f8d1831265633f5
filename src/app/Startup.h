// What happens between the start of the program and the first display of the main window:
// version list, decimal separator, settings and language, run-time defaults, the reset of
// the document with its New template.
#pragma once

#include "model/Defaults.h"
#include "model/Workspace.h"
#include "platform/Installation.h"
#include "platform/SystemLocale.h"

#include <QString>

namespace zx::app {

struct StartupInputs {
    // The system default locale identifier as hexadecimal text ("804" on a Chinese (PRC)
    // system). Tests pass their own; the program passes platform::systemLocaleIdHex().
    QString localeIdHex;
    model::Today today;
};

struct StartupResult {
    QString settingsPath; // the mysetup.ini in use (installed or the per-user copy)
    bool firstRun = false;
};

// Today from the system clock and the system's short date form.
model::Today todayFromSystem();

// Runs the start-up steps on `ws` in their fixed order. Missing or unreadable settings take
// the shipped defaults (first run, COM1, no handshaking, one stop bit), and every key is
// written back, so that after start-up the settings file is complete.
StartupResult runStartup(model::Workspace& ws, const platform::Installation& installation,
                         const StartupInputs& inputs, platform::DecimalSeparator& separator);

} // namespace zx::app
