// The in-process port and the table of registered lines.
#include "platform/InProcessPort.h"

#include "sim/InProcessLine.h"

#include <QHash>
#include <QMetaObject>
#include <mutex>

namespace zx::platform {

namespace {

std::mutex registryMutex;

QHash<QString, std::weak_ptr<sim::InProcessLine>>& registry() {
    static QHash<QString, std::weak_ptr<sim::InProcessLine>> lines;
    return lines;
}

std::shared_ptr<sim::InProcessLine> findLine(const QString& name) {
    std::lock_guard lock(registryMutex);
    return registry().value(name).lock();
}

class InProcessPort : public SerialPort {
public:
    ~InProcessPort() override { close(); }

    bool open(const QString& device, int, int) override {
        close();
        error_ = SerialError::None;
        line_ = findLine(device);
        if (!line_ || line_->radioGone()) {
            line_.reset();
            error_ = SerialError::NotFound;
            return false;
        }
        // The radio's thread only posts the news; the bytes are read on the event loop. The
        // listener is cleared (waiting for a call in progress) before this port goes, and
        // Qt drops the events posted to a port that has gone.
        line_->setProgramListener([this] {
            QMetaObject::invokeMethod(
                this, [this] { arrived(); }, Qt::QueuedConnection);
        });
        return true;
    }

    void close() override {
        if (!line_)
            return;
        line_->setProgramListener({});
        line_.reset();
    }
    bool isOpen() const override { return line_ != nullptr; }
    void purge() override {
        if (line_)
            line_->purge();
    }
    bool write(const QByteArray& bytes) override {
        if (!line_)
            return false;
        if (line_->radioGone()) {
            goneAway();
            return false;
        }
        line_->programWrite(
            {reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())});
        return true;
    }
    QByteArray readAll() override {
        if (!line_)
            return {};
        const std::vector<std::uint8_t> bytes = line_->programReadAll();
        return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    }
    SerialError error() const override { return error_; }
    QString errorString() const override {
        return error_ == SerialError::None ? QString()
                                           : QStringLiteral("the virtual radio has stopped");
    }

private:
    void arrived() {
        if (line_ && line_->programAvailable() > 0)
            emit readyRead();
    }
    void goneAway() {
        error_ = SerialError::Unplugged;
        close();
        emit lost();
    }

    std::shared_ptr<sim::InProcessLine> line_;
    SerialError error_ = SerialError::None;
};

} // namespace

InProcessRegistration::InProcessRegistration(std::shared_ptr<sim::InProcessLine> line)
    : name_(QString::fromStdString(line->name())) {
    std::lock_guard lock(registryMutex);
    registry().insert(name_, line);
}

InProcessRegistration::~InProcessRegistration() {
    std::lock_guard lock(registryMutex);
    registry().remove(name_);
}

bool isInProcessLine(const QString& name) {
    return findLine(name) != nullptr;
}

std::unique_ptr<SerialPort> makeInProcessPort() {
    return std::make_unique<InProcessPort>();
}

} // namespace zx::platform
