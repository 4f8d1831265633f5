// Who may use a device, from stat(2) and the user database.
#include "platform/PortPermission.h"

#include <QFile>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zx::platform {

DeviceAccess deviceAccess(const QString& device) {
    DeviceAccess access;
    struct stat info {};
    if (::stat(QFile::encodeName(device).constData(), &info) != 0)
        return access;
    access.known = true;
    access.ownerId = info.st_uid;
    access.groupId = info.st_gid;
    access.mode = info.st_mode & 07777;
    const passwd* owner = ::getpwuid(info.st_uid);
    access.owner = owner ? QString::fromLocal8Bit(owner->pw_name) : QString::number(info.st_uid);
    const group* g = ::getgrgid(info.st_gid);
    access.group = g ? QString::fromLocal8Bit(g->gr_name) : QString::number(info.st_gid);

    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> session(std::size_t(count > 0 ? count : 0));
    if (count > 0 && ::getgroups(count, session.data()) == count)
        for (const gid_t id : session)
            access.sessionGroups.append(id);
    access.sessionGroups.append(::getegid());

    // What the user database says now: a group the user was just added to shows here
    // before it reaches a session.
    if (const passwd* user = ::getpwuid(::getuid())) {
        int n = 64;
        std::vector<gid_t> member(static_cast<std::size_t>(n));
        if (::getgrouplist(user->pw_name, user->pw_gid, member.data(), &n) < 0) {
            member.resize(std::size_t(n));
            ::getgrouplist(user->pw_name, user->pw_gid, member.data(), &n);
        }
        for (int i = 0; i < n && i < int(member.size()); ++i)
            access.memberGroups.append(member[std::size_t(i)]);
    }
    return access;
}

} // namespace zx::platform
