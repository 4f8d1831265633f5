// The fleet: its ports, the count of radios over all of them, and the end of the run.
#include "link/Fleet.h"

#include "link/FleetPort.h"

namespace zx::link {

Fleet::Fleet(const model::Workspace& document, FleetOptions options, FleetClock& clock,
             FleetListener& listener)
    : document_(document), options_(std::move(options)), clock_(clock), listener_(listener) {
    document_.journal = nullptr;
}

Fleet::~Fleet() = default;

std::size_t Fleet::addPort(int portNumber, std::string name, LinkIo& io, FleetTimer& timer) {
    ports_.push_back(
        std::make_unique<FleetPort>(*this, ports_.size(), portNumber, std::move(name), io, timer));
    return ports_.size() - 1;
}

std::size_t Fleet::portCount() const {
    return ports_.size();
}

Link& Fleet::engine(std::size_t port) {
    return ports_.at(port)->engine();
}

void Fleet::onTimer(std::size_t port) {
    ports_.at(port)->onTimer();
}

const FleetPortStatus& Fleet::status(std::size_t port) const {
    return ports_.at(port)->status();
}

void Fleet::start() {
    if (started_)
        return;
    started_ = true;
    if (ports_.empty()) {
        over_ = true;
        listener_.finished();
        return;
    }
    for (const std::unique_ptr<FleetPort>& port : ports_)
        port->start();
}

void Fleet::stop() {
    finishing_ = true;
    for (const std::unique_ptr<FleetPort>& port : ports_)
        port->stop();
}

void Fleet::finishCurrent() {
    finishing_ = true;
    for (const std::unique_ptr<FleetPort>& port : ports_)
        port->retire();
}

bool Fleet::running() const {
    return started_ && !over_;
}

int Fleet::beginRadio() {
    if (finishing_)
        return 0;
    const int number = ++begun_;
    // The last radio of the count: every port stops once its radio is done.
    if (options_.count > 0 && begun_ >= options_.count)
        finishCurrent();
    return number;
}

void Fleet::radioDone(const FleetRecord& record) {
    (record.good() ? good_ : failed_) += 1;
    if (record.transferred)
        ++written_;
    if (record.result == FleetResult::Verified)
        ++verified_;
    listener_.radioDone(record);
}

void Fleet::portStopped() {
    if (over_)
        return;
    for (const std::unique_ptr<FleetPort>& port : ports_)
        if (port->status().state != FleetPortState::Stopped)
            return;
    over_ = true;
    listener_.finished();
}

} // namespace zx::link
