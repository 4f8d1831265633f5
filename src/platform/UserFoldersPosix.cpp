// The user's folders of the programming tool on Linux: configuration under ~/.config, data
// under ~/.local/share (or where the XDG variables point).
#include "platform/Installation.h"
#include "platform/UserData.h"

#include <QStandardPaths>

namespace zx::platform {

QString Installation::userConfigFolder() {
    // One folder for both programs: a port chosen in the desktop program is the one the
    // command-line tool uses, whatever each program calls itself.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/zx908hf");
}

QString userDataFolder() {
    // Named after the desktop program, whichever of the two programs asks.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/zx908hf");
}

} // namespace zx::platform
