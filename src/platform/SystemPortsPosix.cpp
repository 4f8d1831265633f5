// The serial devices Qt's serial-port module finds.
#include "platform/SystemPorts.h"

#include <QSerialPortInfo>

namespace zx::platform {

QList<PortCatalog::SystemPort> listSystemPorts() {
    QList<PortCatalog::SystemPort> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        PortCatalog::SystemPort port;
        port.device = info.systemLocation();
        port.description = info.description();
        if (info.hasVendorIdentifier() && info.hasProductIdentifier())
            port.usbIds = QStringLiteral("%1:%2")
                              .arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'))
                              .arg(info.productIdentifier(), 4, 16, QLatin1Char('0'));
        ports.append(port);
    }
    return ports;
}

} // namespace zx::platform
