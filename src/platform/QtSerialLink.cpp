// Serial port adapter of the radio link: opening with the line settings, gathering answers,
// the answer timer and the byte trace.
#include "platform/QtSerialLink.h"

#include "platform/InProcessPort.h"
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
    clock_.start();
}

QtSerialLink::~QtSerialLink() {
    answerTimer_.stop();
    if (port_)
        port_->close();
}

void QtSerialLink::setReceiver(AnswerHandler onAnswer, TimeoutHandler onTimeout) {
    onAnswer_ = std::move(onAnswer);
    onTimeout_ = std::move(onTimeout);
}

void QtSerialLink::setTrace(QIODevice* trace) {
    trace_ = trace;
}

bool QtSerialLink::fail(OpenFailure failure) {
    failure_ = std::move(failure);
    lastError_ = describe(failure_, 1, advice_);
    traceNote(QStringLiteral("open failed: %1").arg(lastError_));
    return false;
}

bool QtSerialLink::openPort(const link::PortSettings& settings) {
    answerTimer_.stop();
    // The old port is kept until the next open: this may run inside its own readyRead (a
    // search that moves on to the next port from an answer handler).
    if (port_) {
        port_->close();
        port_->disconnect(this);
        retired_ = std::move(port_);
    }
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
    if (isInProcessLine(device))
        return openOn(makeInProcessPort(), device, device, settings);
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
    return openOn(makeSystemSerialPort(), device, resolved.isEmpty() ? device : resolved, settings);
}

bool QtSerialLink::openOn(std::unique_ptr<SerialPort> port, const QString& device,
                          const QString& systemName, const link::PortSettings& settings) {
    deviceName_ = systemName;
    if (!port->open(systemName, settings.stopBits, settings.handshaking))
        return fail(explainOpenFailure(device, port->error(), port->errorString(),
                                       openedDevices_.contains(device)));
    port_ = std::move(port);
    connect(port_.get(), &SerialPort::readyRead, this, &QtSerialLink::onReadyRead);
    connect(port_.get(), &SerialPort::lost, this, &QtSerialLink::onPortLost);
    openedDevices_.insert(device);
    traceNote(QStringLiteral("open %1 9600,N,8,%2 handshaking %3")
                  .arg(device)
                  .arg(settings.stopBits)
                  .arg(settings.handshaking));
    return true;
}

std::string QtSerialLink::openFailureReason(int language) const {
    return describe(failure_, language, advice_).toStdString();
}

void QtSerialLink::onPortLost() {
    // The device went away under an open port (an adapter pulled out): the port has closed
    // itself, so the conversation meets silence and a retry says what happened.
    traceNote(QStringLiteral("port error: %1").arg(port_ ? port_->errorString() : QString()));
}

void QtSerialLink::closePort() {
    answerTimer_.stop();
    if (port_ && port_->isOpen()) {
        port_->close();
        traceNote(QStringLiteral("close"));
    }
    received_.clear();
}

bool QtSerialLink::isPortOpen() const {
    return port_ && port_->isOpen();
}

void QtSerialLink::send(std::span<const std::uint8_t> command, int expectedAnswerLength) {
    expected_ = expectedAnswerLength > 0 ? expectedAnswerLength : 1;
    // Both buffers are discarded: whatever the radio still had to say about the previous
    // command must not be taken for the answer to this one.
    received_.clear();
    if (!isPortOpen())
        return;
    port_->purge();
    const QByteArray bytes(reinterpret_cast<const char*>(command.data()),
                           qsizetype(command.size()));
    traceBytes('>', bytes);
    port_->write(bytes);
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
    if (!port_)
        return;
    const QByteArray chunk = port_->readAll();
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
