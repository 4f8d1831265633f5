// The radio link's real serial port (SerialPort.h) at 9600 baud, no parity, 8 data bits, 1 or
// 2 stop bits, plus the single-shot 300 ms answer timer. Bytes arrive in whatever chunks the
// driver delivers; they are gathered and handed to the engine as one answer once the
// expected count is buffered, the way the radio protocol expects a receive threshold to
// work. Both the desktop program and the command-line tool drive the engine through it.
// A device name that is a registered in-process line (the demo radio's) is opened as such.
//
// Handshaking values: 0 none, 1 XON/XOFF, 2 RTS/CTS, 3 RTS/CTS and XON/XOFF.
#pragma once

#include "link/LinkIo.h"
#include "platform/SerialDevice.h"
#include "platform/SerialPort.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSet>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

class QIODevice;

namespace zx::platform {

class PortCatalog;

class QtSerialLink : public QObject, public link::LinkIo {
    Q_OBJECT
public:
    using AnswerHandler = std::function<void(std::span<const std::uint8_t>)>;
    using TimeoutHandler = std::function<void()>;

    static constexpr int kAnswerTimeoutMs = 300;
    static constexpr qint32 kBaudRate = 9600;

    // Port numbers are turned into devices through `catalog`, which must outlive the link.
    explicit QtSerialLink(PortCatalog& catalog, QObject* parent = nullptr);
    ~QtSerialLink() override;

    // Where whole answers and answer time-outs go (normally Link::onAnswer/onTimeout).
    void setReceiver(AnswerHandler onAnswer, TimeoutHandler onTimeout);

    // Every byte sent and received, every open, close and answer time-out is written to
    // `trace` as a text line with the milliseconds since the link was made ("> 50 52" sent,
    // "< 06" received, "# ..." events); nullptr stops tracing. The device must outlive its use
    // here.
    void setTrace(QIODevice* trace);

    // link::LinkIo
    bool openPort(const link::PortSettings& settings) override;
    std::string openFailureReason(int language) const override;
    void closePort() override;
    bool isPortOpen() const override;
    void send(std::span<const std::uint8_t> command, int expectedAnswerLength) override;
    void startAnswerTimer() override;
    void stopAnswerTimer() override;
    std::vector<int> listPorts() override;

    // The ports a search for settings tries: these only, when set (a port the user named for
    // the run); else every port the catalog lists.
    void setSearchPorts(std::vector<int> ports) { searchPorts_ = std::move(ports); }

    // Whose words the reasons of a failed open use (the desktop's by default).
    void setAdvice(Advice advice) { advice_ = advice; }

    // Why the last open failed (for a message beside "Cannot Open Communication Port."), in
    // English; empty after a successful open.
    QString lastError() const { return lastError_; }
    const OpenFailure& lastFailure() const { return failure_; }
    // The device the last open used.
    QString deviceName() const { return deviceName_; }

    // Bytes that crossed the line since construction (for the wire-time benchmark).
    qint64 bytesSent() const { return bytesSent_; }
    qint64 bytesReceived() const { return bytesReceived_; }

private:
    void onReadyRead();
    void onTimerFired();
    bool openOn(std::unique_ptr<SerialPort> port, const QString& device, const QString& systemName,
                const link::PortSettings& settings);
    void onPortLost();
    bool fail(OpenFailure failure);
    void traceBytes(char direction, const QByteArray& bytes);
    void traceNote(const QString& note);

    PortCatalog& catalog_;
    std::unique_ptr<SerialPort> port_;
    std::unique_ptr<SerialPort> retired_; // the port before, closed
    QString deviceName_;
    QTimer answerTimer_;
    QByteArray received_;
    int expected_ = 1;
    AnswerHandler onAnswer_;
    TimeoutHandler onTimeout_;
    QIODevice* trace_ = nullptr;
    QElapsedTimer clock_;
    QString lastError_;
    OpenFailure failure_;
    Advice advice_ = Advice::Desktop;
    std::vector<int> searchPorts_;
    QSet<QString>
        openedDevices_; // devices this link has had open, to tell "gone" from "never there"
    qint64 bytesSent_ = 0;
    qint64 bytesReceived_ = 0;
};

} // namespace zx::platform
