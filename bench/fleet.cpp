// Fleet programming benchmark: one radio on one port against four radios on four ports,
// each a virtual radio paced at 9600 baud on its own pseudo-terminal, written and verified
// through the Fleet Programming window (offscreen) as a dealer starts it. Prints the time the
// radios took, radios per hour (cables kept busy, the swapping not counted) and how late a
// 10 ms timer on the window's event loop fired while the run went on: the window stays
// responsive when that lateness stays small.
//
//   bench_fleet [--runs N] [--ports N]
#include "app/FileDialogs.h"
#include "app/FrmFleet.h"
#include "model/Defaults.h"
#include "platform/BackupStore.h"
#include "platform/PortCatalog.h"
#include "platform/QtFleet.h"
#include "sim/VirtualRadio.h"
#include "support/ScriptedPrompter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/prctl.h>
#include <vector>

namespace {

using namespace zx;

class NoDialogs : public app::FileDialogs {
public:
    QString openFile(QWidget*, const QString&, const QString&) override { return {}; }
    QString saveFile(QWidget*, const QString&, const QString&) override { return {}; }
};

// How late a 10 ms timer fires on the event loop.
class LatenessProbe {
public:
    LatenessProbe() {
        ticker_.setTimerType(Qt::PreciseTimer);
        ticker_.setInterval(int(kTickNs / 1'000'000));
        QObject::connect(&ticker_, &QTimer::timeout, [this] {
            const qint64 now = clock_.nsecsElapsed();
            if (last_ > 0) {
                late_.push_back(double(std::max<qint64>(0, now - last_ - kTickNs)) / 1e6);
                if (late_.back() > 20 && qEnvironmentVariableIsSet("FLEET_DEBUG"))
                    std::printf("  late %.1f ms at %.3f s\n", late_.back(), double(now) / 1e9);
            }
            last_ = now;
        });
    }
    void start() {
        clock_.start();
        ticker_.start();
    }
    void stop() { ticker_.stop(); }
    double seconds() const { return double(clock_.nsecsElapsed()) / 1e9; }
    // Max, 99th percentile and mean, in ms.
    std::array<double, 3> figures() {
        if (late_.empty())
            return {0, 0, 0};
        std::sort(late_.begin(), late_.end());
        double sum = 0;
        for (const double l : late_)
            sum += l;
        return {late_.back(), late_[std::min(late_.size() - 1, late_.size() * 99 / 100)],
                sum / double(late_.size())};
    }

private:
    static constexpr qint64 kTickNs = 10'000'000;
    QTimer ticker_;
    QElapsedTimer clock_;
    qint64 last_ = 0;
    std::vector<double> late_;
};

struct Figures {
    bool ok = false;
    int radios = 0;
    double seconds = 0;
    double maxLateMs = 0;
    double p99LateMs = 0;
    double meanLateMs = 0;
};

Figures runFleet(int ports) {
    Figures figures;
    QTemporaryDir dir;
    std::vector<std::unique_ptr<sim::VirtualRadio>> radios;
    QStringList devices;
    for (int i = 0; i < ports; ++i) {
        sim::RadioOptions options;
        options.paced = true;
        options.bandCode = 0;
        radios.push_back(std::make_unique<sim::VirtualRadio>(options));
        radios.back()->start();
        devices << QString::fromStdString(radios.back()->devicePath());
    }
    platform::PortCatalog catalog(dir.filePath("mysetup.ini"), [devices] { return devices; });
    model::Workspace ws;
    ws.versions = {{"V310", "V310"}};
    model::resetDocument(ws, model::Today{2026, 3, 15, "2026-03-15"});
    ws.state.currentFileName = dir.filePath("fleet.dat").toStdString();
    ws.state.untitled = false;
    platform::BackupStore backups(dir.filePath("backups"));
    NoDialogs dialogs;
    test::ScriptedPrompter prompter;

    app::FrmFleet window(
        {.document = &ws,
         .catalog = &catalog,
         .backups = qEnvironmentVariableIsSet("FLEET_NO_BACKUP") ? nullptr : &backups,
         .dialogs = &dialogs,
         .prompter = &prompter,
         .today = QDate(2026, 3, 15)});
    window.show();
    auto* table = window.findChild<QTableWidget*>(QStringLiteral("TablePorts"));
    for (int row = 0; row < table->rowCount(); ++row)
        table->item(row, 0)->setCheckState(Qt::Checked);
    window.findChild<QSpinBox*>(QStringLiteral("SpinCount"))->setValue(ports);

    // How late a 10 ms timer fires on the window's event loop while the run goes on.
    LatenessProbe probe;

    QEventLoop loop;
    QObject::connect(&window, &app::FrmFleet::runFinished, &loop, &QEventLoop::quit);
    QTimer::singleShot(180000, &loop, &QEventLoop::quit);
    probe.start();
    if (!window.start()) {
        std::printf("not started: %s\n",
                    prompter.texts().empty() ? "?" : prompter.texts().back().c_str());
        return figures;
    }
    loop.exec();
    figures.seconds = probe.seconds();
    probe.stop();
    platform::QtFleet* fleet = window.fleet();
    figures.radios = fleet ? fleet->fleet().good() : 0;
    figures.ok = !window.running() && figures.radios == ports;
    const std::array<double, 3> late = probe.figures();
    figures.maxLateMs = late[0];
    figures.p99LateMs = late[1];
    figures.meanLateMs = late[2];
    return figures;
}

void print(const char* what, const Figures& f) {
    std::printf("%-8s %s  %d radio(s) in %6.2f s  %6.2f s a radio per port  %5.0f radios/hour  "
                "timer late: max %5.1f ms, p99 %4.1f ms, mean %4.2f ms\n",
                what, f.ok ? "ok  " : "FAIL", f.radios, f.seconds, f.radios > 0 ? f.seconds : 0.0,
                f.seconds > 0 ? f.radios * 3600.0 / f.seconds : 0.0, f.maxLateMs, f.p99LateMs,
                f.meanLateMs);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[]) {
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int runs = 1;
    int ports = 4;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0)
            runs = std::max(1, std::atoi(argv[i + 1]));
        if (std::strcmp(argv[i], "--ports") == 0)
            ports = std::max(2, std::atoi(argv[i + 1]));
    }
    int failures = 0;
    for (int run = 0; run < runs; ++run) {
        // The same timer on an event loop with nothing to do: what the machine's other load
        // costs on its own.
        LatenessProbe idle;
        QEventLoop pause;
        QTimer::singleShot(10000, &pause, &QEventLoop::quit);
        idle.start();
        pause.exec();
        const std::array<double, 3> control = idle.figures();
        std::printf("idle     timer late: max %5.1f ms, p99 %4.1f ms, mean %4.2f ms (10 s, nothing "
                    "running)\n",
                    control[0], control[1], control[2]);
        const Figures one = runFleet(1);
        print("1 port", one);
        const Figures many = runFleet(ports);
        const std::string label = std::to_string(ports) + " ports";
        print(label.c_str(), many);
        if (one.ok && many.ok)
            std::printf("run %d: %d radios took %.3f x the time of one\n", run + 1, ports,
                        many.seconds / one.seconds);
        failures += one.ok && many.ok ? 0 : 1;
    }
    return failures == 0 ? 0 : 1;
}
