// Batch writing benchmark: the time from a radio's first answer (the batch's presence
// hand-shake) to the first write block it receives, seen from the radio's side, through the
// real zx908hf-cli write --batch against a virtual radio paced at 9600 baud. Also the time
// the whole radio took (write, read-back, identity read).
//
//   bench_batch_start [--runs N]
#include "sim/VirtualRadio.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <optional>
#include <sys/prctl.h>

namespace {

using namespace zx;
using Clock = std::chrono::steady_clock;

struct Times {
    std::mutex mutex;
    std::optional<Clock::time_point> firstProgram;
    std::optional<Clock::time_point> firstWrite;
    Clock::time_point last;
};

} // namespace

int main(int argc, char* argv[]) {
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    QCoreApplication app(argc, argv);
    int runs = 1;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--runs") == 0)
            runs = std::max(1, std::atoi(argv[i + 1]));

    int failures = 0;
    for (int run = 0; run < runs; ++run) {
        QTemporaryDir dir;
        sim::RadioOptions options;
        options.paced = true;
        options.bandCode = 0;
        sim::VirtualRadio radio(options);
        Times times;
        radio.setObserver([&times](const sim::LogEntry& entry) {
            std::lock_guard lock(times.mutex);
            const Clock::time_point now = Clock::now();
            if (entry.kind == sim::CommandKind::Program && !times.firstProgram)
                times.firstProgram = now;
            if (entry.kind == sim::CommandKind::Write && !times.firstWrite)
                times.firstWrite = now;
            times.last = now;
        });
        radio.start();

        QProcess cli;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", dir.filePath("data"));
        cli.setProcessEnvironment(env);
        cli.start(QStringLiteral(ZX_PROGRAM_DIR "/zx908hf-cli"),
                  {"write", QStringLiteral(ZX_PROGRAM_DIR "/Init/0_ZX-908HF_New.dat"), "--batch",
                   "--count", "1", "--port", QString::fromStdString(radio.devicePath())});
        cli.closeWriteChannel();
        const bool ended = cli.waitForFinished(120000);
        radio.stop();
        std::lock_guard lock(times.mutex);
        if (!ended || cli.exitCode() != 0 || !times.firstProgram || !times.firstWrite) {
            ++failures;
            std::printf("run %d FAILED (exit %d)\n%s\n", run + 1, cli.exitCode(),
                        cli.readAllStandardError().constData());
            continue;
        }
        using ms = std::chrono::duration<double, std::milli>;
        std::printf("run %d: first answer to first write block %.1f ms; whole radio %.2f s\n",
                    run + 1, ms(*times.firstWrite - *times.firstProgram).count(),
                    ms(times.last - *times.firstProgram).count() / 1000.0);
        std::fflush(stdout);
    }
    return failures == 0 ? 0 : 1;
}
