// What a screen reader is told while a transfer runs: the progress bar's name carries the run
// and its phase, and each new phase is sent to the reader as a name change. Run on a real
// display (xcb), where Qt has an accessibility bridge to switch on; the offscreen platform
// has none and drops every event before it could be seen.
#include "app/FrmProgress.h"
#include "support/ScriptedPrompter.h"
#include "text/Language.h"

#include <QAccessible>
#include <QApplication>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>
#include <gtest/gtest.h>

namespace zx::test {
namespace {

QObject* watched = nullptr;
QStringList announced;

void recordNameChange(QAccessibleEvent* event) {
    if (event->type() == QAccessible::NameChanged && event->object() == watched)
        announced << event->accessibleInterface()->text(QAccessible::Name);
}

TEST(PhaseAnnouncement, EachNewPhaseIsAnnouncedWithTheRunItBelongsTo) {
    int argc = 1;
    char name[] = "phase_announcement_tests";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QPlatformAccessibility* bridge = QGuiApplicationPrivate::platformIntegration()->accessibility();
    if (bridge == nullptr)
        GTEST_SKIP() << "the platform " << app.platformName().toStdString()
                     << " has no accessibility bridge";
    bridge->setActive(true); // as when a screen reader is running
    ASSERT_TRUE(QAccessible::isActive());
    const QAccessible::UpdateHandler before = QAccessible::installUpdateHandler(&recordNameChange);

    ScriptedPrompter prompter;
    app::FrmProgress progress(link::OperationKind::Write, text::English, prompter);
    progress.show();
    watched = progress.findChild<QWidget*>(QStringLiteral("ProgressBar1"));
    ASSERT_NE(watched, nullptr);
    progress.setPhase(QStringLiteral("Backing up"));
    progress.setPhase(QStringLiteral("Writing"));
    QAccessible::installUpdateHandler(before);
    bridge->setActive(false);

    // Once each: a reader repeating a phase would only slow the user down.
    EXPECT_EQ(announced,
              QStringList({"Write data to radio: Backing up", "Write data to radio: Writing"}))
        << announced.join(" | ").toStdString();
}

} // namespace
} // namespace zx::test
