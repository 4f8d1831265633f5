// Advice for a serial device the user may not open, from who owns it, its group and mode and
// the groups of the user: joining the device's group helps only when the group may read and
// write it and is not root's, and a user who has just been added to the group must first log
// in again, because a session keeps the groups it began with.
#pragma once

#include <QList>
#include <QString>

namespace zx::platform {

// What the file system and the user database say about a device and the user.
struct DeviceAccess {
    bool known = false; // false: the device could not be looked at (a folder on its path)
    unsigned ownerId = 0;
    unsigned groupId = 0;
    unsigned mode = 0; // permission bits, 07777
    QString owner;     // names; the number when the database has none
    QString group;
    QList<unsigned> sessionGroups; // the groups this program runs with
    QList<unsigned> memberGroups;  // the groups the user database gives the user now
};

enum class PermissionCase {
    Unknown,     // nothing is known about the device
    JoinGroup,   // the group may use it and the user is not in it
    LogInAgain,  // the user is in the group now, but this session began before
    GroupMayNot, // the group may not read and write it: joining it does not help
    RootOnly,    // it belongs to root's group: nobody should join that
    Refused,     // in the group, which may use it, and still refused (an access list)
};

PermissionCase permissionCase(const DeviceAccess& access);

// The advice in a language (1 English, 2 Chinese) for `device`.
QString permissionAdvice(const QString& device, const DeviceAccess& access, int language);

// The access of `device` for the user running this program (POSIX systems; elsewhere
// nothing is known).
DeviceAccess deviceAccess(const QString& device);

} // namespace zx::platform
