// The system serial port through the Win32 communications API: \\.\COMn opened for
// overlapped input and output. A wait for a received character (SetCommMask(EV_RXCHAR),
// WaitCommEvent) is always pending; its event wakes the Qt event loop through a
// QWinEventNotifier, and a read then takes at once the bytes the system says have arrived
// (comm time-outs of "return with what is there"). A poll finds what a wait missed. Writes
// are overlapped too, so a slow line never blocks the loop. A failed read, write or status
// query on an open port means the adapter went away.
#include "platform/SerialPortWindows.h"

#include <QTimer>
#include <QWinEventNotifier>
#include <algorithm>

namespace zx::platform {

void applyLineSettings(DCB& dcb, int stopBits, int handshaking) {
    dcb.DCBlength = sizeof(DCB);
    dcb.BaudRate = CBR_9600;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.fParity = FALSE;
    dcb.StopBits = stopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fNull = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fAbortOnError = FALSE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    const bool software = handshaking == 1 || handshaking == 3;
    const bool hardware = handshaking == 2 || handshaking == 3;
    dcb.fOutX = software ? TRUE : FALSE;
    dcb.fInX = software ? TRUE : FALSE;
    dcb.XonChar = 0x11;
    dcb.XoffChar = 0x13;
    dcb.XonLim = 256;
    dcb.XoffLim = 256;
    dcb.fTXContinueOnXoff = TRUE;
    dcb.fOutxCtsFlow = hardware ? TRUE : FALSE;
    dcb.fRtsControl = hardware ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
}

SerialError serialErrorFor(DWORD code, bool whileOpen) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_FUNCTION: // a name with no serial device behind it any more
        return whileOpen ? SerialError::Unplugged : SerialError::NotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_BUSY:
        // On an open port, access denied is what a USB adapter pulled out gives.
        return whileOpen ? SerialError::Unplugged : SerialError::Busy;
    case ERROR_DEVICE_NOT_CONNECTED:
    case ERROR_DEVICE_REMOVED:
    case ERROR_BAD_COMMAND:
    case ERROR_GEN_FAILURE:
    case ERROR_OPERATION_ABORTED:
    case ERROR_INVALID_HANDLE:
    case ERROR_NOT_READY:
        return whileOpen ? SerialError::Unplugged : SerialError::Other;
    case ERROR_INVALID_PARAMETER:
    case ERROR_NOT_SUPPORTED:
        return SerialError::BadSetting;
    default:
        return whileOpen ? SerialError::Unplugged : SerialError::Other;
    }
}

QString systemMessage(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    QString text = n > 0 ? QString::fromWCharArray(buffer, qsizetype(n)).simplified()
                         : QStringLiteral("error %1").arg(code);
    if (buffer)
        LocalFree(buffer);
    return text;
}

QString devicePathFor(const QString& portName) {
    return portName.startsWith(QLatin1String("\\\\.\\")) ? portName
                                                         : QStringLiteral("\\\\.\\") + portName;
}

namespace {

// Bytes are also looked for this often, should the system not report one that came just as
// the wait for the next was being set up.
constexpr int kPollMs = 20;
constexpr int kEmptyWaitsTolerated = 20;

class WindowsPort : public SerialPort {
public:
    WindowsPort() {
        readEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        waitEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        writeEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        poll_.setInterval(kPollMs);
        connect(&poll_, &QTimer::timeout, this, [this] { drain(); });
    }
    ~WindowsPort() override {
        close();
        CloseHandle(readEvent_);
        CloseHandle(waitEvent_);
        CloseHandle(writeEvent_);
    }

    bool open(const QString& device, int stopBits, int handshaking) override {
        close();
        error_ = SerialError::None;
        errorString_.clear();
        const std::wstring path = devicePathFor(device).toStdWString();
        handle_ = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OVERLAPPED, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE)
            return failOpen(GetLastError());
        SetupComm(handle_, 4096, 4096);
        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        // A name whose device has gone (Wine keeps the name of a mapped port whose terminal
        // is gone) cannot tell its line settings.
        if (!GetCommState(handle_, &dcb))
            return failOpen(GetLastError());
        applyLineSettings(dcb, stopBits, handshaking);
        if (!SetCommState(handle_, &dcb))
            return failOpen(GetLastError(), SerialError::BadSetting);
        // A read returns at once with what has arrived; the wait for a received character
        // says when to read.
        COMMTIMEOUTS timeouts{};
        timeouts.ReadIntervalTimeout = MAXDWORD;
        if (!SetCommTimeouts(handle_, &timeouts))
            return failOpen(GetLastError(), SerialError::BadSetting);
        PurgeComm(handle_, PURGE_RXCLEAR | PURGE_TXCLEAR);
        waitNotifier_ = new QWinEventNotifier(waitEvent_, this);
        connect(waitNotifier_, &QWinEventNotifier::activated, this, [this] { waitDone(); });
        writeNotifier_ = new QWinEventNotifier(writeEvent_, this);
        connect(writeNotifier_, &QWinEventNotifier::activated, this, [this] { writeDone(); });
        canWait_ = SetCommMask(handle_, EV_RXCHAR) != 0;
        emptyWaits_ = 0;
        poll_.start();
        startWait();
        return isOpen();
    }

    void close() override {
        poll_.stop();
        if (handle_ == INVALID_HANDLE_VALUE)
            return;
        CancelIo(handle_);
        DWORD n = 0;
        if (waiting_)
            GetOverlappedResult(handle_, &waitOverlapped_, &n, TRUE);
        if (writing_)
            GetOverlappedResult(handle_, &writeOverlapped_, &n, TRUE);
        waiting_ = writing_ = false;
        CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        delete waitNotifier_;
        delete writeNotifier_;
        waitNotifier_ = writeNotifier_ = nullptr;
        ResetEvent(waitEvent_);
        ResetEvent(writeEvent_);
        outgoing_.clear();
    }

    bool isOpen() const override { return handle_ != INVALID_HANDLE_VALUE; }

    void purge() override {
        if (isOpen())
            PurgeComm(handle_, PURGE_RXCLEAR | PURGE_TXCLEAR);
        received_.clear();
    }

    bool write(const QByteArray& bytes) override {
        if (!isOpen())
            return false;
        outgoing_.append(bytes);
        startWrite();
        return isOpen();
    }

    QByteArray readAll() override {
        QByteArray out;
        out.swap(received_);
        return out;
    }

    SerialError error() const override { return error_; }
    QString errorString() const override { return errorString_; }

private:
    bool failOpen(DWORD code, SerialError kind = SerialError::None) {
        error_ = kind == SerialError::None ? serialErrorFor(code, false) : kind;
        errorString_ = systemMessage(code);
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return false;
    }

    void startWait() {
        while (canWait_ && isOpen() && !waiting_) {
            waitOverlapped_ = {};
            waitOverlapped_.hEvent = waitEvent_;
            ResetEvent(waitEvent_);
            if (WaitCommEvent(handle_, &mask_, &waitOverlapped_)) {
                ResetEvent(waitEvent_);
                if (++emptyWaits_ > kEmptyWaitsTolerated)
                    canWait_ = false;
                if (!drain())
                    return;
                continue;
            }
            if (GetLastError() != ERROR_IO_PENDING) {
                // A driver that cannot wait for characters: the poll alone reads.
                canWait_ = false;
                return;
            }
            waiting_ = true;
        }
        // What came while the wait was being set up.
        drain();
    }

    void waitDone() {
        if (!waiting_ || !isOpen())
            return;
        DWORD n = 0;
        if (!GetOverlappedResult(handle_, &waitOverlapped_, &n, FALSE) &&
            GetLastError() == ERROR_IO_INCOMPLETE)
            return;
        waiting_ = false;
        ResetEvent(waitEvent_);
        // A wait that ends with an error (Wine's purge cancels it) or keeps ending with
        // nothing to read (Wine's do at once) says nothing about the port: the read that
        // follows does. After too many, the poll alone reads, so that the loop does not turn
        // at full speed.
        if (++emptyWaits_ > kEmptyWaitsTolerated)
            canWait_ = false;
        if (drain())
            startWait();
    }

    // Reads what has arrived; false when the port went meanwhile. Only as many bytes as the
    // system says are there are asked for: a read that finds nothing fails under Wine.
    bool drain() {
        if (!isOpen())
            return false;
        const qsizetype before = received_.size();
        for (;;) {
            COMSTAT status{};
            DWORD errors = 0;
            if (!ClearCommError(handle_, &errors, &status)) {
                goneAway(GetLastError());
                return false;
            }
            if (status.cbInQue == 0)
                break;
            OVERLAPPED overlapped{};
            overlapped.hEvent = readEvent_;
            ResetEvent(readEvent_);
            const DWORD wanted = std::min<DWORD>(status.cbInQue, sizeof buffer_);
            DWORD n = 0;
            if (!ReadFile(handle_, buffer_, wanted, &n, &overlapped)) {
                if (GetLastError() != ERROR_IO_PENDING ||
                    !GetOverlappedResult(handle_, &overlapped, &n, TRUE)) {
                    goneAway(GetLastError());
                    return false;
                }
            }
            if (n == 0)
                break;
            received_.append(reinterpret_cast<const char*>(buffer_), qsizetype(n));
        }
        if (received_.size() == before)
            return true;
        emptyWaits_ = 0;
        emit readyRead();
        return isOpen();
    }

    void startWrite() {
        if (writing_ || outgoing_.isEmpty() || !isOpen())
            return;
        inFlight_ = outgoing_;
        outgoing_.clear();
        writeOverlapped_ = {};
        writeOverlapped_.hEvent = writeEvent_;
        ResetEvent(writeEvent_);
        DWORD n = 0;
        if (WriteFile(handle_, inFlight_.constData(), DWORD(inFlight_.size()), &n,
                      &writeOverlapped_)) {
            ResetEvent(writeEvent_);
            return startWrite();
        }
        const DWORD code = GetLastError();
        if (code != ERROR_IO_PENDING)
            return goneAway(code);
        writing_ = true;
    }

    void writeDone() {
        if (!writing_ || !isOpen())
            return;
        DWORD n = 0;
        const bool ok = GetOverlappedResult(handle_, &writeOverlapped_, &n, FALSE);
        if (!ok && GetLastError() == ERROR_IO_INCOMPLETE)
            return;
        writing_ = false;
        ResetEvent(writeEvent_);
        if (!ok)
            return goneAway(GetLastError());
        startWrite();
    }

    void goneAway(DWORD code) {
        if (!isOpen())
            return;
        error_ = serialErrorFor(code, true);
        errorString_ = systemMessage(code);
        close();
        emit lost();
    }

    HANDLE handle_ = INVALID_HANDLE_VALUE;
    HANDLE readEvent_ = nullptr;
    HANDLE waitEvent_ = nullptr;
    HANDLE writeEvent_ = nullptr;
    OVERLAPPED waitOverlapped_{};
    OVERLAPPED writeOverlapped_{};
    DWORD mask_ = 0;
    QWinEventNotifier* waitNotifier_ = nullptr;
    QWinEventNotifier* writeNotifier_ = nullptr;
    QTimer poll_;
    bool canWait_ = false;
    bool waiting_ = false;
    bool writing_ = false;
    int emptyWaits_ = 0;
    unsigned char buffer_[4096];
    QByteArray received_;
    QByteArray outgoing_;
    QByteArray inFlight_;
    SerialError error_ = SerialError::None;
    QString errorString_;
};

} // namespace

std::unique_ptr<SerialPort> makeSystemSerialPort() {
    return std::make_unique<WindowsPort>();
}

} // namespace zx::platform
