// The four kinds of permission trouble and their advice.
#include "platform/PortPermission.h"

#include "text/Fill.h"
#include "text/labels/RadioSafetyLabels.h"

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

} // namespace zx::platform
