// The per-user settings store of the main window's placement: section "Settings" under
// the program's title, keys MainLeft, MainTop, MainWidth and MainHeight, in twips. The store
// is an INI file named after the title in the programs' one folder of the user
// (~/.config/zx908hf/ZX-908HF.ini); the recent files live in it too.
#pragma once

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

    const QString& path() const { return path_; }

private:
    UserStore() = default;
    QString path_;
};

} // namespace zx::platform
