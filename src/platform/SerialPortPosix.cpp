// The system serial port through QSerialPort.
#include "platform/SerialPortPosix.h"

#include "platform/SerialPort.h"

namespace zx::platform {

QSerialPort::FlowControl flowControlFor(int handshaking) {
    switch (handshaking) {
    case 1:
        return QSerialPort::SoftwareControl;
    case 2:
    case 3: // RTS/CTS and XON/XOFF together: QSerialPort has one mode at a time
        return QSerialPort::HardwareControl;
    default:
        return QSerialPort::NoFlowControl;
    }
}

QSerialPort::StopBits stopBitsFor(int stopBits) {
    return stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop;
}

namespace {

class QtSystemPort : public SerialPort {
public:
    QtSystemPort() {
        connect(&port_, &QSerialPort::readyRead, this, &SerialPort::readyRead);
        connect(&port_, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
            // The device went away under an open port (an adapter pulled out).
            if (e == QSerialPort::ResourceError && port_.isOpen()) {
                error_ = SerialError::Unplugged;
                errorString_ = port_.errorString();
                port_.close();
                emit lost();
            }
        });
    }
    ~QtSystemPort() override {
        if (port_.isOpen())
            port_.close();
    }

    bool open(const QString& device, int stopBits, int handshaking) override {
        error_ = SerialError::None;
        errorString_.clear();
        port_.setPortName(device);
        port_.setBaudRate(9600);
        port_.setDataBits(QSerialPort::Data8);
        port_.setParity(QSerialPort::NoParity);
        port_.setStopBits(stopBitsFor(stopBits));
        port_.setFlowControl(flowControlFor(handshaking));
        const bool opened = port_.open(QIODevice::ReadWrite);
        // An error reported on the way while the port did open (a line-status complaint of
        // the driver, say) still leaves a usable port: it counts as open.
        if (!opened && !port_.isOpen()) {
            errorString_ = port_.errorString();
            switch (port_.error()) {
            case QSerialPort::DeviceNotFoundError:
                error_ = SerialError::NotFound;
                break;
            case QSerialPort::PermissionError:
                error_ = SerialError::Busy;
                break;
            case QSerialPort::UnsupportedOperationError:
                error_ = SerialError::BadSetting;
                break;
            default:
                error_ = SerialError::Other;
                break;
            }
            return false;
        }
        // Programming cables draw their power from the modem lines. A pseudo-terminal has
        // none, and setting them fails there; that must not fail the open.
        port_.setDataTerminalReady(true);
        if (port_.flowControl() != QSerialPort::HardwareControl)
            port_.setRequestToSend(true);
        port_.clearError();
        return true;
    }

    void close() override {
        if (port_.isOpen())
            port_.close();
    }
    bool isOpen() const override { return port_.isOpen(); }
    void purge() override { port_.clear(QSerialPort::AllDirections); }
    bool write(const QByteArray& bytes) override {
        const bool ok = port_.write(bytes) == bytes.size();
        // Push the bytes out now instead of on the next turn of the event loop.
        port_.flush();
        return ok;
    }
    QByteArray readAll() override { return port_.readAll(); }
    SerialError error() const override { return error_; }
    QString errorString() const override { return errorString_; }

private:
    QSerialPort port_;
    SerialError error_ = SerialError::None;
    QString errorString_;
};

} // namespace

std::unique_ptr<SerialPort> makeSystemSerialPort() {
    return std::make_unique<QtSystemPort>();
}

} // namespace zx::platform
