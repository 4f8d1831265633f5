// Port names and what the user types for a port; the numbering itself is the system's
// (PortNumbersPosix.cpp, PortNumbersWindows.cpp).
#include "platform/PortCatalog.h"

#include "platform/SystemPorts.h"

#include <QRegularExpression>
#include <algorithm>

namespace zx::platform {

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

QList<PortCatalog::Entry> PortCatalog::inNumberOrder(QList<Entry> list) {
    std::stable_sort(list.begin(), list.end(),
                     [](const Entry& a, const Entry& b) { return a.number < b.number; });
    // One number per port even when a hand-edited file names a number twice.
    list.erase(std::unique(list.begin(), list.end(),
                           [](const Entry& a, const Entry& b) { return a.number == b.number; }),
               list.end());
    return list;
}

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
    return lister_ ? lister_() : listSystemPorts();
}

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
    return resolvePath(trimmed, mayBeAbsent);
}

} // namespace zx::platform
