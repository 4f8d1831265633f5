// Reading the USB identifiers out of a hardware identifier.
#include "platform/SystemPorts.h"

#include <QRegularExpression>

namespace zx::platform {

QString usbIdsFromHardwareId(const QString& hardwareId) {
    static const QRegularExpression pattern(
        QStringLiteral("VID_([0-9A-F]{4})[&+]PID_([0-9A-F]{4})"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(hardwareId);
    if (!match.hasMatch())
        return {};
    return (match.captured(1) + QLatin1Char(':') + match.captured(2)).toLower();
}

} // namespace zx::platform
