// zx908hf --demo: a virtual radio inside the program, served on an in-process line that the
// program uses as its serial port for this run (the same on every system: Windows has no
// pseudo-terminals, and the line needs no device). A new user can read, write, check the band
// and read the identity record without a radio or a cable. The user's saved port settings
// are left alone: the terminal is numbered in a scratch copy of the settings file, and
// nothing the port setup or the port search finds is written back during the run.
#pragma once

#include "model/Workspace.h"
#include "platform/InProcessPort.h"
#include "sim/VirtualRadio.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace zx::app {

class RadioController;
class frmMain;

class DemoRadio {
public:
    // Starts a radio of the program's own model holding the Initial template of the
    // document's band (the built-in blank memory when no template is installed) and a
    // filled-in identity record. Returns nullptr with `error` set when the radio could not
    // start.
    // `paced`: at the line rate, as a radio would be (tests take it unpaced).
    static std::unique_ptr<DemoRadio> start(const model::Workspace& ws, QString* error = nullptr,
                                            bool paced = true);
    // start() and attach() for the main window's radio commands, with the status bar
    // showing the radio's port.
    static std::unique_ptr<DemoRadio> startFor(frmMain& window, QString* error = nullptr,
                                               bool paced = true);
    ~DemoRadio();

    // The name of the radio's line, which the port list shows as its device.
    QString devicePath() const;
    sim::VirtualRadio& radio() { return *radio_; }

    // Points the controller at this radio for the run: the line gets a port number in
    // the scratch settings copy and becomes comPort. Returns that number (0 on failure).
    int attach(RadioController& controller, model::Workspace& ws, const QString& settingsPath);

    // The identity the demonstration radio reports (also for tests).
    static void fillIdentity(sim::Memory& memory);

private:
    DemoRadio() = default;
    std::unique_ptr<sim::VirtualRadio> radio_;
    std::unique_ptr<platform::InProcessRegistration> registration_;
    QTemporaryDir scratch_;
};

} // namespace zx::app
