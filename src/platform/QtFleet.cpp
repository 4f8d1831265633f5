// The fleet on QtSerialLink ports and QTimers.
#include "platform/QtFleet.h"

#include "platform/BackupStore.h"
#include "platform/PortCatalog.h"
#include "platform/QtSerialLink.h"

#include <QDateTime>
#include <QTimer>

namespace zx::platform {

// A port's single-shot timer on the event loop.
class QtFleet::PortTimer : public link::FleetTimer {
public:
    PortTimer(link::Fleet& fleet, std::size_t port) {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, &timer_,
                         [&fleet, port] { fleet.onTimer(port); });
    }
    void start(int ms) override { timer_.start(ms); }
    void stop() override { timer_.stop(); }

private:
    QTimer timer_;
};

QtFleet::QtFleet(const model::Workspace& document, link::FleetOptions options, PortCatalog& catalog,
                 QObject* parent)
    : QObject(parent), catalog_(catalog),
      fleet_(std::make_unique<link::Fleet>(document, std::move(options), clock(), listener())) {
    context_.language = document.state.language;
    context_.codePage = document.state.systemLanguage;
    context_.document = QString::fromStdString(fleet_->options().document);
}

link::FleetClock& QtFleet::clock() {
    return *this;
}

link::FleetListener& QtFleet::listener() {
    return *this;
}

QtFleet::~QtFleet() {
    fleet_.reset(); // its engines use the adapters and timers
    timers_.clear();
    links_.clear();
}

int QtFleet::addPort(int portNumber, const QString& name) {
    const std::size_t index = links_.size();
    links_.push_back(std::make_unique<QtSerialLink>(catalog_));
    timers_.push_back(std::make_unique<PortTimer>(*fleet_, index));
    fleet_->addPort(portNumber, name.toStdString(), *links_.back(), *timers_.back());
    link::Link* engine = &fleet_->engine(index);
    links_.back()->setReceiver(
        [engine](std::span<const std::uint8_t> answer) { engine->onAnswer(answer); },
        [engine] { engine->onTimeout(); });
    return int(index);
}

void QtFleet::setTrace(int port, QIODevice* trace) {
    links_.at(std::size_t(port))->setTrace(trace);
}

void QtFleet::setLog(std::optional<FleetLog> log, FleetTextContext context) {
    log_ = std::move(log);
    context_ = std::move(context);
}

void QtFleet::start() {
    fleet_->start();
}

void QtFleet::stop() {
    fleet_->stop();
}

void QtFleet::finishCurrent() {
    fleet_->finishCurrent();
}

void QtFleet::portChanged(std::size_t port) {
    emit portStatusChanged(int(port));
}

void QtFleet::radioDone(const link::FleetRecord& record) {
    records_.append(record);
    QString error;
    if (log_ && (logBroken_ || !log_->append(record, context_, &error))) {
        unlogged_.append(FleetLog::line(record, context_).chopped(2)); // without its CRLF
        if (!logBroken_) {
            logBroken_ = true;
            // Nothing more is started that could not be logged either; what runs is finished.
            fleet_->finishCurrent();
            emit logFailed(error);
        }
    }
    emit radioFinished(int(records_.size() - 1));
}

void QtFleet::message(std::size_t port, const std::string& text) {
    emit portMessage(int(port), QString::fromStdString(text));
}

bool QtFleet::imageReceived(std::size_t port, const link::RadioImage& image,
                            const model::Workspace& document) {
    if (!backups_)
        return true;
    QString error;
    if (!backups_->keepRead(image, document, QDateTime::currentDateTime(), &error).isEmpty())
        return true;
    emit backupFailed(int(port), error);
    return false;
}

void QtFleet::imageSent(std::size_t port, const link::RadioImage& image,
                        const model::ConfigRecord& record) {
    if (!backups_)
        return;
    QString error;
    if (backups_->keepWrite(image, record, QDateTime::currentDateTime(), &error).isEmpty())
        emit backupFailed(int(port), error);
}

void QtFleet::finished() {
    emit runFinished();
}

std::chrono::system_clock::time_point QtFleet::now() const {
    return std::chrono::system_clock::now();
}

std::chrono::steady_clock::time_point QtFleet::elapsed() const {
    return std::chrono::steady_clock::now();
}

} // namespace zx::platform
