// What a device path is, seen as a serial port, and why a port could not be opened, in words
// a user can act on: what to do about a permission problem (PortPermission.h), the program
// holding a busy port, the cable that was pulled. Checked without opening the device, so that
// naming a file never touches it.
#pragma once

#include "platform/PortPermission.h"
#include "platform/SerialPort.h"

#include <QString>

namespace zx::platform {

enum class DeviceProblem {
    None,       // a terminal device that can serve as a serial port
    Missing,    // no such file
    NotSerial,  // a folder, a regular file, /dev/null, or the terminal this program runs in
    Permission, // the user may not read and write it
    Busy,       // another program holds it
    Vanished,   // it was there and has gone away
    NoDevice,   // a port number that stands for no device
    Other,      // the system's own words say what
};

struct OpenFailure {
    DeviceProblem problem = DeviceProblem::None;
    QString device;      // the path, or COM<n> for NoDevice
    QString group;       // Permission: the group the device belongs to
    QString detail;      // Other: the system's message
    DeviceAccess access; // Permission: owner, group, mode and the user's groups
};

// Whose words the advice uses: the desktop program's menus or the command line's options.
enum class Advice { Desktop, CommandLine };

// Whether `path` names something that can be a serial port. On Windows, where ports are
// COMn names and not files, every name passes.
DeviceProblem checkSerialPath(const QString& path);

// A pseudo-terminal slave (/dev/pts/N). Its number is handed to the next terminal window
// once its owner lets go, so a recorded one may by now be someone's shell.
bool isPseudoTerminal(const QString& path);

// Why the serial port could not open `device` (its error and message given), looked at from
// the file system where ports are files. `openedBefore`: this run has had the device open, so
// a missing device means it went away.
OpenFailure explainOpenFailure(const QString& device, SerialError error, const QString& message,
                               bool openedBefore);

// What a port's error means when nothing else is known about the device.
DeviceProblem problemFor(SerialError error, bool openedBefore);

// The failure in the language given (1 English, 2 Chinese).
QString describe(const OpenFailure& failure, int language, Advice advice = Advice::Desktop);

} // namespace zx::platform
