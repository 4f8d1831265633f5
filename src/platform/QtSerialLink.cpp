// QSerialPort adapter of the radio link: opening with the line settings, gathering answers,
// the answer timer and the byte trace.
#include "platform/QtSerialLink.h"

#include "platform/PortCatalog.h"

#include <QFileInfo>
#include <QIODevice>
#include <QTextStream>

namespace zx::platform {

QtSerialLink::QtSerialLink(PortCatalog& catalog, QObject* parent)
    : QObject(parent), catalog_(catalog) {
    answerTimer_.setSingleShot(true);
    answerTimer_.setInterval(kAnswerTimeoutMs);
    answerTimer_.setTimerType(Qt::PreciseTimer);
    connect(&answerTimer_, &QTimer::timeout, this, &QtSerialLink::onTimerFired);
    connect(&port_, &QSerialPort::readyRead, this, &QtSerialLink::onReadyRead);
    connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialLink::onPortError);
    clock_.start();
}

QtSerialLink::~QtSerialLink() {
    answerTimer_.stop();
    if (port_.isOpen())
        port_.close();
}

void QtSerialLink::setReceiver(AnswerHandler onAnswer, TimeoutHandler onTimeout) {
    onAnswer_ = std::move(onAnswer);
    onTimeout_ = std::move(onTimeout);
}

void QtSerialLink::setTrace(QIODevice* trace) {
    trace_ = trace;
}

QSerialPort::FlowControl QtSerialLink::flowControlFor(int handshaking) {
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

QSerialPort::StopBits QtSerialLink::stopBitsFor(int stopBits) {
    return stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop;
}

bool QtSerialLink::fail(OpenFailure failure) {
    failure_ = std::move(failure);
    lastError_ = describe(failure_, 1, advice_);
    traceNote(QStringLiteral("open failed: %1").arg(lastError_));
    return false;
}

bool QtSerialLink::openPort(const link::PortSettings& settings) {
    answerTimer_.stop();
    if (port_.isOpen())
        port_.close();
    received_.clear();
    lastError_.clear();
    failure_ = {};

    // Values a hand-edited settings file may hold but no serial line has.
    if (settings.stopBits != 1 && settings.stopBits != 2)
        return fail({DeviceProblem::Other,
                     PortCatalog::portName(settings.port),
                     {},
                     QStringLiteral("stop bits must be 1 or 2, not %1").arg(settings.stopBits)});
    if (settings.handshaking < 0 || settings.handshaking > 3)
        return fail(
            {DeviceProblem::Other,
             PortCatalog::portName(settings.port),
             {},
             QStringLiteral("handshaking must be 0 to 3, not %1").arg(settings.handshaking)});
    const QString device = catalog_.deviceFor(settings.port);
    if (device.isEmpty())
        return fail({DeviceProblem::NoDevice, PortCatalog::portName(settings.port), {}, {}});
    // A settings file may name anything: only a terminal device is opened, so that a stray
    // entry never sets a file or the user's own terminal to raw mode and writes into it.
    switch (const DeviceProblem problem = checkSerialPath(device)) {
    case DeviceProblem::None:
        break;
    case DeviceProblem::Missing:
        return fail(
            {openedDevices_.contains(device) ? DeviceProblem::Vanished : problem, device, {}, {}});
    default:
        return fail({problem, device, {}, {}});
    }

    // The lock that keeps a second program off the port is named after the device opened:
    // the device itself, not the link or relative path it was reached by, so that two names
    // of one device are one lock.
    const QString resolved = QFileInfo(device).canonicalFilePath();
    port_.setPortName(resolved.isEmpty() ? device : resolved);
    port_.setBaudRate(kBaudRate);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(stopBitsFor(settings.stopBits));
    port_.setFlowControl(flowControlFor(settings.handshaking));
    const bool opened = port_.open(QIODevice::ReadWrite);
    // An error reported on the way while the port did open (a line-status complaint of the
    // driver, say) still leaves a usable port: it counts as open.
    if (!opened && !port_.isOpen())
        return fail(explainOpenFailure(device, port_.error(), port_.errorString(),
                                       openedDevices_.contains(device)));
    openedDevices_.insert(device);
    // Programming cables draw their power from the modem lines. A pseudo-terminal has none,
    // and setting them fails there; that must not fail the open.
    port_.setDataTerminalReady(true);
    if (port_.flowControl() != QSerialPort::HardwareControl)
        port_.setRequestToSend(true);
    port_.clearError();
    traceNote(QStringLiteral("open %1 9600,N,8,%2 handshaking %3")
                  .arg(device)
                  .arg(settings.stopBits)
                  .arg(settings.handshaking));
    return true;
}

std::string QtSerialLink::openFailureReason(int language) const {
    return describe(failure_, language, advice_).toStdString();
}

void QtSerialLink::onPortError(QSerialPort::SerialPortError error) {
    // The device went away under an open port (an adapter pulled out): close it, so that
    // the conversation meets silence and a retry says what happened.
    if (error != QSerialPort::ResourceError || !port_.isOpen())
        return;
    traceNote(QStringLiteral("port error: %1").arg(port_.errorString()));
    port_.close();
}

void QtSerialLink::closePort() {
    answerTimer_.stop();
    if (port_.isOpen()) {
        port_.close();
        traceNote(QStringLiteral("close"));
    }
    received_.clear();
}

bool QtSerialLink::isPortOpen() const {
    return port_.isOpen();
}

void QtSerialLink::send(std::span<const std::uint8_t> command, int expectedAnswerLength) {
    expected_ = expectedAnswerLength > 0 ? expectedAnswerLength : 1;
    // Both buffers are discarded: whatever the radio still had to say about the previous
    // command must not be taken for the answer to this one.
    received_.clear();
    if (!port_.isOpen())
        return;
    port_.clear(QSerialPort::AllDirections);
    const QByteArray bytes(reinterpret_cast<const char*>(command.data()),
                           qsizetype(command.size()));
    traceBytes('>', bytes);
    port_.write(bytes);
    // Push the bytes out now instead of on the next turn of the event loop.
    port_.flush();
    bytesSent_ += bytes.size();
}

void QtSerialLink::startAnswerTimer() {
    answerTimer_.start();
}

void QtSerialLink::stopAnswerTimer() {
    answerTimer_.stop();
}

std::vector<int> QtSerialLink::listPorts() {
    if (!searchPorts_.empty())
        return searchPorts_;
    return catalog_.numbers();
}

void QtSerialLink::onReadyRead() {
    const QByteArray chunk = port_.readAll();
    if (chunk.isEmpty())
        return;
    bytesReceived_ += chunk.size();
    traceBytes('<', chunk);
    received_.append(chunk);
    if (received_.size() < expected_)
        return;
    // The engine may send the next command from inside the handler, which clears the
    // buffer: hand over a copy of its own.
    QByteArray answer;
    answer.swap(received_);
    if (onAnswer_)
        onAnswer_(std::span<const std::uint8_t>(
            reinterpret_cast<const std::uint8_t*>(answer.constData()), std::size_t(answer.size())));
}

void QtSerialLink::onTimerFired() {
    traceNote(QStringLiteral("answer time-out"));
    if (onTimeout_)
        onTimeout_();
}

void QtSerialLink::traceBytes(char direction, const QByteArray& bytes) {
    if (!trace_)
        return;
    QTextStream out(trace_);
    out << QString::asprintf("%10.3f %c", double(clock_.nsecsElapsed()) / 1e6, direction);
    for (const char byte : bytes)
        out << QString::asprintf(" %02X", unsigned(std::uint8_t(byte)));
    out << '\n';
}

void QtSerialLink::traceNote(const QString& note) {
    if (!trace_)
        return;
    QTextStream out(trace_);
    out << QString::asprintf("%10.3f # ", double(clock_.nsecsElapsed()) / 1e6) << note << '\n';
}

} // namespace zx::platform
