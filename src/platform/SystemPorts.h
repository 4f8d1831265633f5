// The serial ports the system lists: on Linux the serial devices Qt finds (QSerialPortInfo),
// on Windows the values of HKEY_LOCAL_MACHINE\HARDWARE\DEVICEMAP\SERIALCOMM (COMn), with the
// adapter's name and USB identifiers where the system knows them.
#pragma once

#include "platform/PortCatalog.h"

#include <QList>
#include <QString>

namespace zx::platform {

QList<PortCatalog::SystemPort> listSystemPorts();

// "10c4:ea60" from a Windows hardware identifier ("USB\VID_10C4&PID_EA60&REV_0100", also
// "FTDIBUS\VID_0403+PID_6001+..."); empty when it names no USB vendor and product.
QString usbIdsFromHardwareId(const QString& hardwareId);

} // namespace zx::platform
