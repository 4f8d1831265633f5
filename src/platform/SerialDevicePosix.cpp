// Serial device checks through stat(2), sysfs and access(2); nothing is opened.
#include "platform/SerialDevice.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace zx::platform {

namespace {
// Character devices that are terminals but never a radio's serial line: the controlling
// terminal (/dev/tty), the console and the pseudo-terminal multiplexer (major 5), and the
// virtual consoles (major 4, minors below 64).
bool isConsole(dev_t rdev) {
    return major(rdev) == 5 || (major(rdev) == 4 && minor(rdev) < 64);
}

// The terminal this program itself talks through: writing "PROGRAM" there would land on
// the user's own screen.
bool isOwnTerminal(dev_t rdev) {
    for (int fd = 0; fd <= 2; ++fd) {
        struct stat info {};
        if (::isatty(fd) && ::fstat(fd, &info) == 0 && S_ISCHR(info.st_mode) &&
            info.st_rdev == rdev)
            return true;
    }
    return false;
}

// A character device of the tty class. Pseudo-terminal slaves (majors 136-143) have no
// sysfs entry; without sysfs the device is given the benefit of the doubt.
bool isTerminalDevice(dev_t rdev) {
    if (major(rdev) >= 136 && major(rdev) <= 143)
        return true;
    const QString sysfs =
        QStringLiteral("/sys/dev/char/%1:%2/subsystem").arg(major(rdev)).arg(minor(rdev));
    if (!QFileInfo::exists(QStringLiteral("/sys/dev/char")))
        return true;
    return QFileInfo(QFileInfo(sysfs).symLinkTarget()).fileName() == QLatin1String("tty");
}
} // namespace

DeviceProblem checkSerialPath(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return errno == EACCES ? DeviceProblem::Permission : DeviceProblem::Missing;
    if (!S_ISCHR(info.st_mode) || !isTerminalDevice(info.st_rdev) || isConsole(info.st_rdev) ||
        isOwnTerminal(info.st_rdev))
        return DeviceProblem::NotSerial;
    return DeviceProblem::None;
}

bool isPseudoTerminal(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISCHR(info.st_mode) &&
           major(info.st_rdev) >= 136 && major(info.st_rdev) <= 143;
}

OpenFailure explainOpenFailure(const QString& device, SerialError error, const QString& message,
                               bool openedBefore) {
    OpenFailure failure;
    failure.device = device;
    failure.detail = message;
    const QByteArray local = QFile::encodeName(device);
    struct stat info {};
    if (::stat(local.constData(), &info) != 0) {
        failure.problem = openedBefore ? DeviceProblem::Vanished : DeviceProblem::Missing;
        return failure;
    }
    if (error == SerialError::Busy) {
        if (::access(local.constData(), R_OK | W_OK) != 0 && errno == EACCES) {
            failure.problem = DeviceProblem::Permission;
            failure.access = deviceAccess(device);
            failure.group = failure.access.group;
        } else {
            // Allowed, yet refused: another program has it (a lock file or an exclusive
            // open).
            failure.problem = DeviceProblem::Busy;
        }
        return failure;
    }
    failure.problem = problemFor(error, openedBefore);
    return failure;
}

} // namespace zx::platform
