// Port numbering: the system's serial devices, the numbers recorded in mysetup.ini, and
// what the user types for a port.
#include "platform/PortCatalog.h"

#include "platform/ProfileFile.h"

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
    : settingsPath_(std::move(settingsPath)), lister_(std::move(lister)) {}

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

QStringList PortCatalog::systemDevices() const {
    if (lister_)
        return lister_();
    QStringList devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
#ifdef Q_OS_WIN
        devices << info.portName();
#else
        devices << info.systemLocation();
#endif
    }
    return devices;
}

#ifdef Q_OS_WIN

// Windows names its ports COMn already: the number is the system's own.

QList<PortCatalog::Entry> PortCatalog::recorded() const {
    return {};
}

int PortCatalog::record(const QString& device) {
    return parsePortName(device);
}

QList<PortCatalog::Entry> PortCatalog::entries() {
    QList<Entry> list;
    for (const QString& device : systemDevices())
        if (const int number = parsePortName(device); number > 0)
            list.append({number, portName(number)});
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

int PortCatalog::record(const QString& device) {
    const QList<Entry> known = recorded();
    for (const Entry& entry : known)
        if (sameDevice(entry.device, device))
            return entry.number;
    std::set<int> used;
    for (const Entry& entry : known)
        used.insert(entry.number);
    int number = 1;
    while (used.count(number))
        ++number;
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
    const QStringList present = systemDevices();
    for (const QString& device : present)
        record(device);
    QList<Entry> list;
    for (const Entry& entry : recorded()) {
        const bool listed = present.contains(entry.device);
        if (listed || QFileInfo::exists(entry.device))
            list.append(entry);
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
    return device.isEmpty() ? 0 : record(device);
}

#endif

std::vector<int> PortCatalog::numbers() {
    std::vector<int> out;
    for (const Entry& entry : entries())
        out.push_back(entry.number);
    return out;
}

std::optional<int> PortCatalog::resolve(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool isNumber = false;
    const int number = trimmed.toInt(&isNumber);
    if (isNumber)
        return number > 0 ? std::optional<int>(number) : std::nullopt;
    if (const int named = parsePortName(trimmed); named > 0)
        return named;
    if (!QFileInfo::exists(trimmed))
        return std::nullopt;
    const int recordedNumber = numberFor(trimmed);
    return recordedNumber > 0 ? std::optional<int>(recordedNumber) : std::nullopt;
}

} // namespace zx::platform
