// What the radio link engine needs from the outside world: a serial port, the 300 ms answer
// timer and the list of serial ports. The engine holds no I/O of its own; QtSerialLink is
// the real implementation, tests use a fake port and a manual clock.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zx::link {

struct PortSettings {
    int port = 1;        // port number, 1 for COM1; 0 = none chosen
    int handshaking = 0; // 0 none, 1 XON/XOFF, 2 RTS/CTS, 3 RTS/CTS and XON/XOFF
    int stopBits = 1;    // 1 or 2
    bool operator==(const PortSettings&) const = default;
};

class LinkIo {
public:
    virtual ~LinkIo() = default;

    // Opens the port afresh (closing it first when open) at 9600 baud, no parity, 8 data
    // bits. False when it cannot be opened; shows nothing.
    virtual bool openPort(const PortSettings& settings) = 0;
    // Why the last open failed, in the language given (1 English, 2 Chinese), for the line
    // beside "Cannot Open Communication Port."; empty when there is nothing to say.
    virtual std::string openFailureReason(int /*language*/) const { return {}; }
    virtual void closePort() = 0;
    virtual bool isPortOpen() const = 0;

    // Discards both buffers, then writes the command. The engine's onAnswer is called once
    // `expectedAnswerLength` bytes have been buffered, with the whole buffer.
    virtual void send(std::span<const std::uint8_t> command, int expectedAnswerLength) = 0;

    // The single-shot answer timer (300 ms): start re-arms it, stop disarms it. When it
    // fires the engine's onTimeout is called.
    virtual void startAnswerTimer() = 0;
    virtual void stopAnswerTimer() = 0;

    // Port numbers of the serial ports the system lists, in enumeration order.
    virtual std::vector<int> listPorts() = 0;
};

} // namespace zx::link
