// How the line settings and the system's error codes map onto the Win32 communications API,
// the serial port of Windows builds.
#pragma once

#include "platform/SerialPort.h"

#include <windows.h>

namespace zx::platform {

// 9600 baud, no parity, 8 data bits, the stop bits given, binary; handshaking 1 XON/XOFF both
// ways, 2 RTS/CTS, 3 both; DTR on (and RTS when it is no handshake line), since programming
// cables draw their power from the modem lines.
void applyLineSettings(DCB& dcb, int stopBits, int handshaking);

// What a failed CreateFile, ReadFile or WriteFile means for the user: no such port, the port
// in use, the adapter gone.
SerialError serialErrorFor(DWORD code, bool whileOpen);

// The system's message for an error code, one line.
QString systemMessage(DWORD code);

// "\\.\COM12": the name that opens any COM port, two-digit numbers included.
QString devicePathFor(const QString& portName);

} // namespace zx::platform
