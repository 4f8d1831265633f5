// The port list from HKEY_LOCAL_MACHINE\HARDWARE\DEVICEMAP\SERIALCOMM, and the user's folders
// and store on Windows.
#include "platform/Installation.h"
#include "platform/PortCatalog.h"
#include "platform/SystemPorts.h"
#include "platform/UserData.h"
#include "platform/UserStore.h"

#include <QDir>
#include <QSettings>
#include <gtest/gtest.h>
#include <windows.h>

namespace zx::platform {
namespace {

// COM ports the registry lists, read straight from the key (its value names hold "\\",
// which QSettings takes for key separators).
QStringList registryPorts() {
    QStringList ports;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return ports;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameSize = 256;
        wchar_t value[64] = {};
        DWORD valueSize = sizeof value - sizeof(wchar_t);
        const LONG result = RegEnumValueW(key, i, name, &nameSize, nullptr, nullptr,
                                          reinterpret_cast<BYTE*>(value), &valueSize);
        if (result == ERROR_NO_MORE_ITEMS)
            break;
        if (result == ERROR_SUCCESS)
            ports << QString::fromWCharArray(value).toUpper();
    }
    RegCloseKey(key);
    return ports;
}

TEST(PortListOnWindows, TheCatalogListsEveryComPortOfTheRegistryByItsNumber) {
    const QStringList expected = registryPorts();
    const QList<PortCatalog::SystemPort> listed = listSystemPorts();
    QStringList names;
    for (const PortCatalog::SystemPort& port : listed)
        names << port.device;
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()),
              QSet<QString>(expected.begin(), expected.end()));

    PortCatalog catalog{QString()};
    for (const PortCatalog::Entry& entry : catalog.entries()) {
        EXPECT_EQ(entry.device, PortCatalog::portName(entry.number));
        EXPECT_TRUE(expected.contains(entry.device)) << entry.device.toStdString();
        EXPECT_EQ(catalog.deviceFor(entry.number), entry.device);
    }
    EXPECT_EQ(catalog.deviceFor(12), "COM12") << "a port number is the system's own";
    EXPECT_EQ(catalog.resolve("\\\\.\\COM12"), 12);
    EXPECT_EQ(catalog.resolve("com3"), 3);
    EXPECT_EQ(catalog.resolve("C:\\not-a-port"), std::nullopt);
    const QString mapped = qEnvironmentVariable("ZX_WINE_COM_PORT");
    if (!mapped.isEmpty())
        EXPECT_TRUE(expected.contains(mapped)) << "the port mapped for the test is listed";
}

TEST(UserFoldersOnWindows, SettingsRoamWithTheUserAndBackupsStayOnThisPc) {
    const QString roaming = QDir::fromNativeSeparators(qEnvironmentVariable("APPDATA"));
    const QString local = QDir::fromNativeSeparators(qEnvironmentVariable("LOCALAPPDATA"));
    ASSERT_FALSE(roaming.isEmpty());
    ASSERT_FALSE(local.isEmpty());
    EXPECT_EQ(Installation::userConfigFolder().toLower(), (roaming + "/zx908hf").toLower());
    EXPECT_EQ(userDataFolder().toLower(), (local + "/zx908hf").toLower());
}

TEST(UserFoldersOnWindows, TheWindowPlacementLivesUnderTheUsersSoftwareKey) {
    const QString title = QStringLiteral("ZX-908HF store test");
    UserStore store(title);
    EXPECT_EQ(store.path(), "HKEY_CURRENT_USER\\Software\\" + title);
    ASSERT_TRUE(store.savePlacement({120, 340, 15000, 9000}));
    EXPECT_EQ(UserStore(title).loadPlacement(), (WindowPlacement{120, 340, 15000, 9000}));
    QSettings key(store.path(), QSettings::NativeFormat);
    EXPECT_EQ(key.value("Settings/MainWidth").toString(), "15000");
    key.clear();
    key.sync();
    EXPECT_EQ(UserStore(title).loadPlacement(), WindowPlacement{}) << "defaults without a key";
}

} // namespace
} // namespace zx::platform
