// Port numbering: the system's serial devices, the numbers recorded in mysetup.ini, and
// what the user types for a port.
#include "platform/PortCatalog.h"

#include "platform/ProfileFile.h"
#include "platform/SerialDevice.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPortInfo>
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

PortCatalog::PortCatalog(QString settingsPath, DeviceLister lister)
    : settingsPath_(std::move(settingsPath)) {
    if (lister)
        lister_ = [lister] {
            QList<SystemPort> ports;
            for (const QString& device : lister())
                ports.append({device, {}, {}});
            return ports;
        };
}

PortCatalog::PortCatalog(QString settingsPath, PortLister lister)
    : settingsPath_(std::move(settingsPath)), lister_(std::move(lister)) {}

QString PortCatalog::Entry::details() const {
    if (usbIds.isEmpty())
        return description;
    return description.isEmpty() ? QStringLiteral("(%1)").arg(usbIds)
                                 : QStringLiteral("%1 (%2)").arg(description, usbIds);
}

QString PortCatalog::portName(int number) {
    return QStringLiteral("COM") + QString::number(number);
}

int PortCatalog::parsePortName(const QString& name) {
    QString text = name;
    text.remove(QLatin1Char(' '));
    static const QRegularExpression pattern(QStringLiteral("^COM([0-9]{1,5})$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return 0;
    const int number = match.captured(1).toInt();
    return number > 0 ? number : 0;
}

QList<PortCatalog::SystemPort> PortCatalog::systemPorts() const {
    if (lister_)
        return lister_();
    QList<SystemPort> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SystemPort port;
#ifdef Q_OS_WIN
        port.device = info.portName();
#else
        port.device = info.systemLocation();
#endif
        port.description = info.description();
        if (info.hasVendorIdentifier() && info.hasProductIdentifier())
            port.usbIds = QStringLiteral("%1:%2")
                              .arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'))
                              .arg(info.productIdentifier(), 4, 16, QLatin1Char('0'));
        ports.append(port);
    }
    return ports;
}

#ifdef Q_OS_WIN

// Windows names its ports COMn already: the number is the system's own.

QList<PortCatalog::Entry> PortCatalog::recorded() const {
    return {};
}

int PortCatalog::record(const QString& device) {
    return parsePortName(device);
}

int PortCatalog::lowestFreeNumber() const {
    return 0;
}

QList<PortCatalog::Entry> PortCatalog::entries() {
    QList<Entry> list;
    for (const SystemPort& port : systemPorts())
        if (const int number = parsePortName(port.device); number > 0)
            list.append({number, portName(number), port.description, port.usbIds});
    std::sort(list.begin(), list.end(),
              [](const Entry& a, const Entry& b) { return a.number < b.number; });
    return list;
}

QString PortCatalog::deviceFor(int number) {
    return number > 0 ? portName(number) : QString();
}

int PortCatalog::numberFor(const QString& device) {
    return parsePortName(device);
}

#else

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
        } else if (checkSerialPath(entry.device) == DeviceProblem::None &&
                   (!isPseudoTerminal(entry.device) || namedThisRun_.contains(entry.device))) {
            list.append(entry);
        }
    }
    std::sort(list.begin(), list.end(),
              [](const Entry& a, const Entry& b) { return a.number < b.number; });
    // One number per port even when a hand-edited file names a number twice.
    list.erase(std::unique(list.begin(), list.end(),
                           [](const Entry& a, const Entry& b) { return a.number == b.number; }),
               list.end());
    return list;
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

#endif

std::vector<int> PortCatalog::numbers() {
    std::vector<int> out;
    for (const Entry& entry : entries())
        out.push_back(entry.number);
    return out;
}

std::optional<int> PortCatalog::resolve(const QString& text, bool mayBeAbsent) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool isNumber = false;
    const int number = trimmed.toInt(&isNumber);
    if (isNumber)
        return number > 0 ? std::optional<int>(number) : std::nullopt;
    if (const int named = parsePortName(trimmed); named > 0)
        return named;
    // A path is opened exactly as given: relative to the current folder, not below /dev.
    const QString path = QDir::current().absoluteFilePath(trimmed);
    if (!mayBeAbsent && !QFileInfo::exists(path))
        return std::nullopt;
#ifdef Q_OS_WIN
    return std::nullopt;
#else
    // Exactly that path: a link keeps being followed afresh at every open, so that it may
    // point at another device later (an adapter that comes with each radio).
    namedThisRun_.append(path);
    for (const Entry& entry : recorded())
        if (entry.device == path)
            return entry.number;
    const int fresh = lowestFreeNumber();
    sessionOnly_.append({fresh, path});
    return fresh;
#endif
}

} // namespace zx::platform
