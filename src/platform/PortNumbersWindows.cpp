// Port numbers on Windows: the number of the system's COMn name. An in-process line gets the
// lowest number above every port the system lists, for the run only.
#include "platform/InProcessPort.h"
#include "platform/PortCatalog.h"

#include <set>

namespace zx::platform {

QList<PortCatalog::Entry> PortCatalog::recorded() const {
    return sessionOnly_;
}

int PortCatalog::lowestFreeNumber() const {
    std::set<int> used;
    for (const SystemPort& port : systemPorts())
        used.insert(parsePortName(port.device));
    for (const Entry& entry : sessionOnly_)
        used.insert(entry.number);
    int number = used.empty() ? 1 : *used.rbegin() + 1;
    while (used.count(number))
        ++number;
    return number;
}

int PortCatalog::record(const QString& device) {
    if (const int number = parsePortName(device); number > 0)
        return number;
    for (const Entry& entry : sessionOnly_)
        if (entry.device == device)
            return entry.number;
    if (!isInProcessLine(device))
        return 0;
    const int number = lowestFreeNumber();
    sessionOnly_.append({number, device});
    return number;
}

QList<PortCatalog::Entry> PortCatalog::entries() {
    QList<Entry> list;
    for (const SystemPort& port : systemPorts())
        if (const int number = parsePortName(port.device); number > 0)
            list.append({number, portName(number), port.description, port.usbIds});
    for (const Entry& entry : sessionOnly_)
        if (isInProcessLine(entry.device))
            list.append(entry);
    return inNumberOrder(std::move(list));
}

QString PortCatalog::deviceFor(int number) {
    for (const Entry& entry : sessionOnly_)
        if (entry.number == number)
            return entry.device;
    return number > 0 ? portName(number) : QString();
}

int PortCatalog::numberFor(const QString& device) {
    if (device.isEmpty())
        return 0;
    namedThisRun_.append(device);
    return record(device);
}

std::optional<int> PortCatalog::resolvePath(const QString& text, bool) {
    // Ports are COMn names; "\\.\COM12" is the same port written the system's way.
    if (const int number = parsePortName(QString(text).remove(QStringLiteral("\\\\.\\")));
        number > 0)
        return number;
    if (isInProcessLine(text))
        return numberFor(text);
    return std::nullopt;
}

} // namespace zx::platform
