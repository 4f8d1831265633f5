// The user's folders of the programming tool on Windows: the settings copy under the roaming
// application data (%APPDATA%\zx908hf), which follows the user from PC to PC; backups and
// traces under the local one (%LOCALAPPDATA%\zx908hf), which stays on this PC.
#include "platform/Installation.h"
#include "platform/UserData.h"

#include <QDir>
#include <shlobj.h>
#include <windows.h>

namespace zx::platform {

namespace {

QString knownFolder(REFKNOWNFOLDERID id, const char* fallbackVariable) {
    wchar_t* path = nullptr;
    QString folder;
    if (SHGetKnownFolderPath(id, KF_FLAG_CREATE, nullptr, &path) == S_OK)
        folder = QDir::fromNativeSeparators(QString::fromWCharArray(path));
    CoTaskMemFree(path);
    if (folder.isEmpty())
        folder = QDir::fromNativeSeparators(qEnvironmentVariable(fallbackVariable));
    return folder + QStringLiteral("/zx908hf");
}

} // namespace

QString Installation::userConfigFolder() {
    return knownFolder(FOLDERID_RoamingAppData, "APPDATA");
}

QString userDataFolder() {
    return knownFolder(FOLDERID_LocalAppData, "LOCALAPPDATA");
}

} // namespace zx::platform
