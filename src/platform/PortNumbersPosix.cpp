// Port numbers on Linux: devices numbered in section `ports` of mysetup.ini, the lowest free
// number for a device seen for the first time.
#include "platform/InProcessPort.h"
#include "platform/PortCatalog.h"
#include "platform/ProfileFile.h"
#include "platform/SerialDevice.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <set>

namespace zx::platform {

namespace {

bool sameDevice(const QString& a, const QString& b) {
    if (a == b)
        return true;
    // Two spellings of one device (a link and its target) count as the same port.
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

} // namespace

QList<PortCatalog::Entry> PortCatalog::recorded() const {
    QList<Entry> list = sessionOnly_;
    if (settingsPath_.isEmpty())
        return list;
    const ProfileFile settings(settingsPath_);
    for (const QString& key : settings.keys(QString::fromLatin1(kSection))) {
        const int number = parsePortName(key);
        const QString device = settings.read(QString::fromLatin1(kSection), key).trimmed();
        if (number > 0 && !device.isEmpty())
            list.append({number, device});
    }
    return list;
}

int PortCatalog::lowestFreeNumber() const {
    std::set<int> used;
    for (const Entry& entry : recorded())
        used.insert(entry.number);
    int number = 1;
    while (used.count(number))
        ++number;
    return number;
}

int PortCatalog::record(const QString& device) {
    for (const Entry& entry : recorded())
        if (sameDevice(entry.device, device))
            return entry.number;
    const int number = lowestFreeNumber();
    bool kept = false;
    if (!settingsPath_.isEmpty()) {
        ProfileFile settings(settingsPath_);
        kept = settings.write(QString::fromLatin1(kSection), portName(number), device);
    }
    // A settings file that cannot be written still gives the device a number for this run.
    if (!kept)
        sessionOnly_.append({number, device});
    return number;
}

QList<PortCatalog::Entry> PortCatalog::entries() {
    const QList<SystemPort> present = systemPorts();
    for (const SystemPort& port : present)
        record(port.device);
    QList<Entry> list;
    for (Entry entry : recorded()) {
        const auto listed = std::find_if(present.begin(), present.end(), [&](const SystemPort& p) {
            return p.device == entry.device;
        });
        if (listed != present.end()) {
            entry.description = listed->description;
            entry.usbIds = listed->usbIds;
            list.append(entry);
        } else if (isInProcessLine(entry.device) ||
                   (checkSerialPath(entry.device) == DeviceProblem::None &&
                    (!isPseudoTerminal(entry.device) || namedThisRun_.contains(entry.device)))) {
            list.append(entry);
        }
    }
    return inNumberOrder(std::move(list));
}

QString PortCatalog::deviceFor(int number) {
    for (const Entry& entry : recorded())
        if (entry.number == number)
            return entry.device;
    return {};
}

int PortCatalog::numberFor(const QString& device) {
    if (device.isEmpty())
        return 0;
    namedThisRun_.append(device);
    return record(device);
}

std::optional<int> PortCatalog::resolvePath(const QString& text, bool mayBeAbsent) {
    // A path is opened exactly as given: relative to the current folder, not below /dev.
    const QString path = QDir::current().absoluteFilePath(text);
    if (!mayBeAbsent && !QFileInfo::exists(path))
        return std::nullopt;
    // Exactly that path: a link keeps being followed afresh at every open, so that it may
    // point at another device later (an adapter that comes with each radio).
    namedThisRun_.append(path);
    for (const Entry& entry : recorded())
        if (entry.device == path)
            return entry.number;
    const int fresh = lowestFreeNumber();
    sessionOnly_.append({fresh, path});
    return fresh;
}

} // namespace zx::platform
