// The four kinds of permission trouble and their advice.
#include "platform/PortPermission.h"

#include "text/Fill.h"
#include "text/labels/RadioSafetyLabels.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#endif

namespace zx::platform {

namespace {

namespace labels = text::labels::safety;

constexpr unsigned kRootGroup = 0;
constexpr unsigned kGroupReadWrite = 060;

QString fill(const text::TextTable& table, int language, const QStringList& values) {
    std::vector<std::string> held;
    for (const QString& v : values)
        held.push_back(v.toStdString());
    return QString::fromStdString(text::fill(table[language], held));
}

} // namespace

PermissionCase permissionCase(const DeviceAccess& access) {
    if (!access.known)
        return PermissionCase::Unknown;
    if (access.groupId == kRootGroup)
        return PermissionCase::RootOnly;
    if ((access.mode & kGroupReadWrite) != kGroupReadWrite)
        return PermissionCase::GroupMayNot;
    // In the group, and the group may: something beyond the mode refuses (an access list).
    if (access.sessionGroups.contains(access.groupId))
        return PermissionCase::Refused;
    if (access.memberGroups.contains(access.groupId))
        return PermissionCase::LogInAgain;
    return PermissionCase::JoinGroup;
}

QString permissionAdvice(const QString& device, const DeviceAccess& access, int language) {
    const QString mode = QStringLiteral("%1").arg(access.mode & 07777, 4, 8, QLatin1Char('0'));
    const QStringList values{device, access.group, access.owner, mode};
    switch (permissionCase(access)) {
    case PermissionCase::Unknown:
        return fill(labels::kPortNoAccess, language, values);
    case PermissionCase::JoinGroup:
        return fill(labels::kPortPermission, language, values);
    case PermissionCase::LogInAgain:
        return fill(labels::kPortLogInAgain, language, values);
    case PermissionCase::GroupMayNot:
        return fill(labels::kPortGroupMayNot, language, values);
    case PermissionCase::RootOnly:
        return fill(labels::kPortRootOnly, language, values);
    case PermissionCase::Refused:
        return fill(labels::kPortRefused, language, values);
    }
    return {};
}

DeviceAccess deviceAccess(const QString& device) {
    DeviceAccess access;
#ifdef Q_OS_UNIX
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
#else
    Q_UNUSED(device);
#endif
    return access;
}

} // namespace zx::platform
