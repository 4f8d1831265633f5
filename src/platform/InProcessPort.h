// The program's end of an in-process line (the demo radio's, and the virtual radio's on
// systems without pseudo-terminals) as a serial port. Lines are made known by name for the
// time they are registered; the radio link opens such a name instead of a device. Line
// settings have no meaning on such a line and are accepted as they come.
#pragma once

#include "platform/SerialPort.h"

#include <QString>
#include <memory>

namespace zx::sim {
class InProcessLine;
}

namespace zx::platform {

// Registers `line` under its name until the returned token goes.
class InProcessRegistration {
public:
    explicit InProcessRegistration(std::shared_ptr<sim::InProcessLine> line);
    ~InProcessRegistration();
    InProcessRegistration(const InProcessRegistration&) = delete;
    InProcessRegistration& operator=(const InProcessRegistration&) = delete;

private:
    QString name_;
};

// Whether `name` is a registered in-process line.
bool isInProcessLine(const QString& name);

// A port on the registered line of that name (opening fails with NotFound once the line is
// no longer registered).
std::unique_ptr<SerialPort> makeInProcessPort();

} // namespace zx::platform
