// The per-user settings store of the main window's placement: section "Settings" under
// the program's title, keys MainLeft, MainTop, MainWidth and MainHeight, in twips.
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
    // The user's store under the program's title (a QSettings file in the user's
    // configuration folder).
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
