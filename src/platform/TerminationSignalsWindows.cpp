// A windowed Windows program is ended through its windows (closing them, the session's end),
// which Qt delivers as close events: no signals to watch.
#include "platform/TerminationSignals.h"

#include <utility>

namespace zx::platform {

TerminationSignals::TerminationSignals(std::function<void(int)> onSignal, QObject* parent)
    : QObject(parent), onSignal_(std::move(onSignal)) {}

TerminationSignals::~TerminationSignals() = default;

void TerminationSignals::drain() {}

} // namespace zx::platform
