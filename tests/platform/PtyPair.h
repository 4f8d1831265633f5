// A pseudo-terminal for adapter tests: the test plays the radio on the master side, the
// adapter opens the slave by its path. Plain POSIX, with timed reads.
#pragma once

#include "platform/EventLoop.h"

#include <QByteArray>
#include <QString>
#include <fcntl.h>
#include <functional>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace zx::test {

class PtyPair {
public:
    PtyPair() {
        if (openpty(&master_, &slave_, nullptr, nullptr, nullptr) != 0)
            return;
        termios raw{};
        tcgetattr(slave_, &raw);
        cfmakeraw(&raw);
        tcsetattr(slave_, TCSANOW, &raw);
        path_ = QString::fromLocal8Bit(ttyname(slave_));
        fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    }
    ~PtyPair() {
        if (master_ >= 0)
            close(master_);
        if (slave_ >= 0)
            close(slave_);
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool ok() const { return master_ >= 0 && !path_.isEmpty(); }
    const QString& slavePath() const { return path_; }
    // The slave descriptor kept by the test (its line settings are the adapter's).
    int slaveFd() const { return slave_; }

    void write(const QByteArray& bytes) const {
        ssize_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n =
                ::write(master_, bytes.constData() + done, size_t(bytes.size() - done));
            if (n > 0)
                done += n;
        }
    }

    // Reads until `count` bytes arrived or `ms` passed; the event loop keeps turning so the
    // adapter's writes go out.
    QByteArray read(int count, int ms) const {
        QByteArray out;
        QElapsedTimer clock;
        clock.start();
        while (out.size() < count && clock.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            pollfd p{master_, POLLIN, 0};
            if (poll(&p, 1, 2) > 0 && (p.revents & POLLIN)) {
                char buffer[256];
                const ssize_t n = ::read(master_, buffer, sizeof buffer);
                if (n > 0)
                    out.append(buffer, n);
            }
        }
        return out;
    }

private:
    int master_ = -1;
    int slave_ = -1;
    QString path_;
};

} // namespace zx::test
