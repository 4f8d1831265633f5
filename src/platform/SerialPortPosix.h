// How the line settings map onto QSerialPort, the serial port of Linux builds. QSerialPort
// offers one flow control at a time, so handshaking 3 runs with RTS/CTS alone (the radio's
// cable carries no XON/XOFF traffic during programming, so nothing is lost by that).
#pragma once

#include <QSerialPort>

namespace zx::platform {

QSerialPort::FlowControl flowControlFor(int handshaking);
QSerialPort::StopBits stopBitsFor(int stopBits);

} // namespace zx::platform
