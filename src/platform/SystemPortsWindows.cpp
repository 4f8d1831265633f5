// The ports of HKEY_LOCAL_MACHINE\HARDWARE\DEVICEMAP\SERIALCOMM, in the order the registry
// gives them, named after their adapters through SetupAPI (the Ports device class).
#include "platform/SystemPorts.h"

#include <QHash>
#include <QRegularExpression>
#include <windows.h>
// windows.h first: SetupAPI's header relies on its types.
#include <setupapi.h>

namespace zx::platform {

namespace {

// The Ports device class ({4D36E978-E325-11CE-BFC1-08002BE10318}).
const GUID kPortsClass = {
    0x4D36E978, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};

QString fromWide(const wchar_t* text, std::size_t maxChars) {
    std::size_t n = 0;
    while (n < maxChars && text[n] != L'\0')
        ++n;
    return QString::fromWCharArray(text, qsizetype(n)).trimmed();
}

QString deviceProperty(HDEVINFO set, SP_DEVINFO_DATA& device, DWORD property) {
    wchar_t buffer[512] = {};
    DWORD type = 0;
    if (!SetupDiGetDeviceRegistryPropertyW(set, &device, property, &type,
                                           reinterpret_cast<BYTE*>(buffer), sizeof buffer - 2,
                                           nullptr))
        return {};
    // A list of strings (the hardware identifiers) counts with its first, the most precise.
    return fromWide(buffer, std::size(buffer) - 1);
}

struct Adapter {
    QString name;
    QString usbIds;
};

// COMn -> the adapter's name, for the devices of the Ports class that are present.
QHash<QString, Adapter> adapters() {
    QHash<QString, Adapter> found;
    const HDEVINFO set = SetupDiGetClassDevsW(&kPortsClass, nullptr, nullptr, DIGCF_PRESENT);
    if (set == INVALID_HANDLE_VALUE)
        return found;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD i = 0; SetupDiEnumDeviceInfo(set, i, &device); ++i) {
        const HKEY key =
            SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
        if (key == INVALID_HANDLE_VALUE)
            continue;
        wchar_t portName[64] = {};
        DWORD size = sizeof portName - 2;
        DWORD type = 0;
        const bool named =
            RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE*>(portName),
                             &size) == ERROR_SUCCESS &&
            type == REG_SZ;
        RegCloseKey(key);
        if (!named)
            continue;
        QString friendly = deviceProperty(set, device, SPDRP_FRIENDLYNAME);
        if (friendly.isEmpty())
            friendly = deviceProperty(set, device, SPDRP_DEVICEDESC);
        const QString port = fromWide(portName, std::size(portName) - 1).toUpper();
        // "USB-SERIAL CH340 (COM3)": the list shows the COM name already.
        friendly.remove(
            QRegularExpression(QStringLiteral("\\s*\\(") + port + QStringLiteral("\\)$"),
                               QRegularExpression::CaseInsensitiveOption));
        found.insert(
            port, {friendly, usbIdsFromHardwareId(deviceProperty(set, device, SPDRP_HARDWAREID))});
    }
    SetupDiDestroyDeviceInfoList(set);
    return found;
}

} // namespace

QList<PortCatalog::SystemPort> listSystemPorts() {
    QList<PortCatalog::SystemPort> ports;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE,
                      &key) != ERROR_SUCCESS)
        return ports;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameSize = DWORD(std::size(name));
        wchar_t value[256] = {};
        DWORD valueSize = sizeof value - 2;
        DWORD type = 0;
        const LONG result = RegEnumValueW(key, i, name, &nameSize, nullptr, &type,
                                          reinterpret_cast<BYTE*>(value), &valueSize);
        if (result == ERROR_NO_MORE_ITEMS)
            break;
        if (result != ERROR_SUCCESS || type != REG_SZ)
            continue;
        const QString port = fromWide(value, valueSize / sizeof(wchar_t));
        if (PortCatalog::parsePortName(port) > 0)
            ports.append({port.toUpper(), {}, {}});
    }
    RegCloseKey(key);
    if (ports.isEmpty())
        return ports;
    const QHash<QString, Adapter> names = adapters();
    for (PortCatalog::SystemPort& port : ports) {
        const auto adapter = names.constFind(port.device);
        if (adapter != names.constEnd()) {
            port.description = adapter->name;
            port.usbIds = adapter->usbIds;
        }
    }
    return ports;
}

} // namespace zx::platform
