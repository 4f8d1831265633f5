// One serial port as the radio link uses it: opened by device name at 9600 baud, no parity,
// 8 data bits, 1 or 2 stop bits and a handshaking mode (0 none, 1 XON/XOFF, 2 RTS/CTS,
// 3 RTS/CTS and XON/XOFF); both buffers purged; bytes written; readyRead() when bytes have
// arrived; lost() when the device went away under the open port. The system's own port
// comes from makeSystemSerialPort() (QSerialPort on Linux, the Win32 communications API on
// Windows); the demo radio's line inside the program is another kind (InProcessPort.h).
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>

namespace zx::platform {

// Why an open failed, or what went wrong with an open port.
enum class SerialError {
    None,
    NotFound,   // no such device
    Busy,       // another program holds it, or the system refused access
    Unplugged,  // the device went away while it was open
    BadSetting, // the line settings were refused
    Other,      // errorString() says what
};

class SerialPort : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~SerialPort() override = default;

    virtual bool open(const QString& device, int stopBits, int handshaking) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Discards what was received and not read yet, and what was written and not sent yet.
    virtual void purge() = 0;
    // Queues `bytes` for sending and starts sending at once; false when the port refused.
    virtual bool write(const QByteArray& bytes) = 0;
    virtual QByteArray readAll() = 0;

    virtual SerialError error() const = 0;
    // The system's words for the last error.
    virtual QString errorString() const = 0;

signals:
    void readyRead();
    void lost();
};

// The system's serial port.
std::unique_ptr<SerialPort> makeSystemSerialPort();

} // namespace zx::platform
