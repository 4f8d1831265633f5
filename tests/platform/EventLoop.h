// The event loop for adapter tests: one application object for every test, and turning the
// loop until something has happened.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

namespace zx::test {

// Qt's serial port and timers need an application object; one serves every test.
inline void ensureCoreApplication() {
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "platform_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

// Runs the event loop until `done` holds or `ms` have passed; returns `done()`.
inline bool processEventsUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

} // namespace zx::test
