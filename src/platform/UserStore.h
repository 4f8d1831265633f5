// The per-user settings store of the main window's placement: section "Settings" under
// the program's title, keys MainLeft, MainTop, MainWidth and MainHeight, in twips. The store
// is an INI file named after the title in the programs' one folder of the user on Linux
// (~/.config/zx908hf/ZX-908HF.ini) and the registry key HKEY_CURRENT_USER\Software\<title> on
// Windows; the recent files live in it too.
#pragma once

#include <QSettings>
#include <QString>

namespace zx::platform {

struct WindowPlacement {
    int left = 100;
    int top = 100;
    int width = 14500;
    int height = 10500;
    bool operator==(const WindowPlacement&) const = default;
};

class UserStore {
public:
    // The user's store under the program's title. A store an earlier version kept in a
    // folder of its own (~/.config/<title>/<title>.ini) is moved into the one folder.
    explicit UserStore(const QString& programTitle);
    // A store kept in the given INI file (tests, portable installations).
    static UserStore atFile(const QString& iniPath);

    // The stored placement; a missing or non-numeric key gives its default.
    WindowPlacement loadPlacement() const;
    bool savePlacement(const WindowPlacement& placement);

    // An INI file's path, or a registry key's ("HKEY_CURRENT_USER\...").
    const QString& path() const { return path_; }
    // The QSettings format of a store's path.
    static QSettings::Format formatOf(const QString& path);

private:
    UserStore() = default;
    QString path_;
};

} // namespace zx::platform
