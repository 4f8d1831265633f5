// Shared set-up of the editor window tests: one QApplication for the whole test executable
// (gtest_main owns main(), so it is created on first use), and small helpers to reach
// controls by their object names.
#pragma once

#include "text/Mnemonic.h"

#include <QApplication>
#include <QSpontaneKeyEvent>
#include <QString>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>
#include <string_view>

namespace zx::test {

// Creates the application object once; the offscreen platform is chosen when nothing else is.
inline void ensureApplication() {
    if (qApp)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "editors_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

// The child control of `window` with the given object name; fails the test when missing.
template <typename T> T* control(QWidget* window, const char* objectName) {
    T* found = window->findChild<T*>(QString::fromLatin1(objectName));
    EXPECT_NE(found, nullptr) << "no control named " << objectName;
    return found;
}

// Turns the mouse wheel by `notches` (positive: towards the user, scrolling down) with the
// pointer over the middle of `widget`, delivered as the window system delivers it: to the
// window, which hands it to the widget under the pointer and on to its parents while they
// ignore it.
inline void turnWheel(QWidget* widget, int notches) {
    QWidget* top = widget->window();
    const QPointF local = QRectF(widget->rect()).center();
    QWheelEvent wheel(widget->mapTo(top, local), widget->mapToGlobal(local), QPoint(),
                      QPoint(0, -120 * notches), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    qApp->notify(top->windowHandle(), &wheel); // sendEvent() would drop the spontaneous mark
}

inline QString qs(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

// A caption as it reads, without the mark of its Alt+letter ("Sc&an" -> "Scan").
inline QString plain(const QString& caption) {
    return qs(text::withoutMnemonic(caption.toStdString()));
}

} // namespace zx::test
