// Windows names its serial ports COMn; they are no files that could be looked at beforehand,
// so what went wrong is known only from the open itself.
#include "platform/SerialDevice.h"

namespace zx::platform {

DeviceProblem checkSerialPath(const QString&) {
    return DeviceProblem::None;
}

bool isPseudoTerminal(const QString&) {
    return false;
}

OpenFailure explainOpenFailure(const QString& device, SerialError error, const QString& message,
                               bool openedBefore) {
    OpenFailure failure;
    failure.device = device;
    failure.detail = message;
    failure.problem = problemFor(error, openedBefore);
    return failure;
}

} // namespace zx::platform
