// The advice for a serial device the user may not open: it follows the device's owner, group
// and mode and the user's groups, so that nobody is told to join root's group or a group that
// may not use the device, or to join a group they are in already.
#include "platform/PortPermission.h"

#include "platform/SerialDevice.h"

#include <gtest/gtest.h>

namespace zx::platform {
namespace {

constexpr unsigned kDialout = 20;
constexpr unsigned kUsers = 100;

DeviceAccess dialoutDevice(unsigned mode) {
    DeviceAccess access;
    access.known = true;
    access.ownerId = 0;
    access.owner = QStringLiteral("root");
    access.groupId = kDialout;
    access.group = QStringLiteral("dialout");
    access.mode = mode;
    access.sessionGroups = {kUsers};
    access.memberGroups = {kUsers};
    return access;
}

std::string advice(const DeviceAccess& access, int language = 1) {
    return permissionAdvice(QStringLiteral("/dev/ttyUSB0"), access, language).toStdString();
}

TEST(PortPermission, TheAdviceFollowsTheDeviceAndTheUsersGroups) {
    // Not in the group, which may use the device: join it.
    DeviceAccess notInGroup = dialoutDevice(0660);
    EXPECT_EQ(permissionCase(notInGroup), PermissionCase::JoinGroup);
    EXPECT_EQ(advice(notInGroup),
              "No permission to use /dev/ttyUSB0. Its group is dialout: run  sudo usermod -aG "
              "dialout $USER  and then log out and in again.");

    // Added to the group, but this session began before: only logging in again helps.
    DeviceAccess justAdded = dialoutDevice(0660);
    justAdded.memberGroups.append(kDialout);
    EXPECT_EQ(permissionCase(justAdded), PermissionCase::LogInAgain);
    EXPECT_EQ(advice(justAdded),
              "No permission to use /dev/ttyUSB0 yet: you are in its group dialout now, but this "
              "session began before you were added. Log out and in again.");
    EXPECT_EQ(advice(justAdded).find("usermod"), std::string::npos);

    // The group may not read and write it: joining does not help, whoever is in it.
    DeviceAccess ownerOnly = dialoutDevice(0600);
    EXPECT_EQ(permissionCase(ownerOnly), PermissionCase::GroupMayNot);
    EXPECT_EQ(advice(ownerOnly),
              "No permission to use /dev/ttyUSB0: its group dialout may not read and write it "
              "(owner root, mode 0600), so joining the group does not help. Ask the "
              "administrator to give the group read and write access, for instance with a udev "
              "rule (MODE=\"0660\").");
    ownerOnly.sessionGroups.append(kDialout);
    EXPECT_EQ(permissionCase(ownerOnly), PermissionCase::GroupMayNot);
    EXPECT_EQ(permissionCase(dialoutDevice(0640)), PermissionCase::GroupMayNot);

    // root:root: never "join the group root", whatever the mode says.
    for (const unsigned mode : {0600u, 0660u}) {
        DeviceAccess rootOnly = dialoutDevice(mode);
        rootOnly.groupId = 0;
        rootOnly.group = QStringLiteral("root");
        EXPECT_EQ(permissionCase(rootOnly), PermissionCase::RootOnly);
        EXPECT_EQ(advice(rootOnly).find("usermod"), std::string::npos);
        EXPECT_NE(advice(rootOnly).find("only root may use it (owner root, group root, mode 0"),
                  std::string::npos)
            << advice(rootOnly);
        EXPECT_NE(advice(rootOnly, 2).find("只有 root 可以使用它"), std::string::npos);
    }

    // In the group, which may use it, and refused all the same (an access list).
    DeviceAccess inGroup = dialoutDevice(0660);
    inGroup.sessionGroups.append(kDialout);
    EXPECT_EQ(permissionCase(inGroup), PermissionCase::Refused);
    EXPECT_EQ(advice(inGroup).find("usermod"), std::string::npos);

    // Chinese says the same.
    EXPECT_EQ(advice(justAdded, 2), "暂时没有使用 /dev/ttyUSB0 的权限：您已加入它的用户组 dialout，"
                                    "但本次登录早于加入时间。请注销并重新登录。");
}

TEST(PortPermission, TheFailureOfAnOpenCarriesTheAdvice) {
    OpenFailure failure;
    failure.problem = DeviceProblem::Permission;
    failure.device = QStringLiteral("/dev/ttyUSB0");
    failure.access = dialoutDevice(0600);
    EXPECT_TRUE(describe(failure, 1).contains("joining the group does not help"));

    // What the system says of a real device.
    const DeviceAccess null = deviceAccess(QStringLiteral("/dev/null"));
    ASSERT_TRUE(null.known);
    EXPECT_EQ(null.owner, QStringLiteral("root"));
    EXPECT_EQ(null.mode, 0666u);
    EXPECT_FALSE(null.sessionGroups.isEmpty());
    EXPECT_FALSE(deviceAccess(QStringLiteral("/no/such/device")).known);

    // A port number without a device: the desktop points at its menu, the command line at
    // its options.
    const OpenFailure noDevice{DeviceProblem::NoDevice, QStringLiteral("COM1"), {}, {}, {}};
    EXPECT_EQ(describe(noDevice, 1),
              "COM1 stands for no device. Choose a port under Setup, Communication Port.");
    EXPECT_EQ(describe(noDevice, 1, Advice::CommandLine),
              "COM1 stands for no device. Name the port with --port (zx908hf-cli ports lists the "
              "serial ports).");
}

} // namespace
} // namespace zx::platform
