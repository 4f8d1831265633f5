// Wire-time benchmark of reading and writing the radio: the engine and the serial adapter
// of the programs against a virtual radio on a pseudo-terminal that runs at the real line
// rate. The figure printed is elapsed time divided by the time the exchanged bytes need on
// the wire (10 bits a byte at 9600 baud), so everything above 1 is time the program or the
// operating system adds.
//
// Runs: a read, the same read keeping its backup, a plain write, and a write verified by
// reading it back (its wire time is that of the write and of the read-back together).
//
//   bench_link_wire [--runs N]
#include "link/Link.h"
#include "model/Defaults.h"
#include "platform/BackupStore.h"
#include "platform/PortCatalog.h"
#include "platform/QtSerialLink.h"
#include "sim/VirtualRadio.h"
#include "support/ScriptedPrompter.h"
#include "text/Prompter.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <string>
#include <sys/prctl.h>
#include <vector>

namespace {

using namespace zx;

class Events : public link::LinkEvents {
public:
    void finished(link::OperationKind, bool ok) override {
        done = true;
        success = ok;
        if (loop)
            loop->quit();
    }
    // Backups as the programs keep them, when a store is given.
    bool imageReceived(const link::RadioImage& image) override {
        if (!backups)
            return true;
        QElapsedTimer clock;
        clock.start();
        const bool kept = !backups->keepRead(image, *ws, QDateTime::currentDateTime()).isEmpty();
        backupNs += clock.nsecsElapsed();
        return kept;
    }
    void imageSent(const link::RadioImage& image) override {
        if (backups)
            backups->keepWrite(image, ws->record, QDateTime::currentDateTime());
    }
    bool done = false;
    bool success = false;
    QEventLoop* loop = nullptr;
    platform::BackupStore* backups = nullptr;
    const model::Workspace* ws = nullptr;
    qint64 backupNs = 0;
};

enum class Run { Read, ReadWithBackup, Write, VerifiedWrite };

struct Figures {
    bool ok = false;
    double elapsed = 0; // seconds
    double wire = 0;    // seconds
    double engine = 0;  // seconds spent handling answers, sending the next command included
    // Per exchange (command and its answer): time beyond the wire time, median and mean.
    double medianExcess = 0;
    double meanExcess = 0;
    int exchanges = 0;
    long long bytes = 0;
    double backup = 0; // seconds spent keeping the backup
};

Figures runOnce(Run run, const std::string& device) {
    const bool write = run == Run::Write || run == Run::VerifiedWrite;
    QTemporaryDir dir;
    platform::PortCatalog catalog(dir.filePath("mysetup.ini"), [] { return QStringList(); });
    const int port = catalog.numberFor(QString::fromStdString(device));
    platform::QtSerialLink serial(catalog);

    model::Workspace ws;
    ws.programFolder = dir.path().toStdString(); // no templates: the built-in defaults
    ws.versions = {{"V310", "V310"}};
    model::resetDocument(ws, model::Today{2026, 3, 15, "2026-03-15"});
    ws.state.comPort = port;

    test::ScriptedPrompter prompter; // answers OK/Yes to every question
    Events events;
    platform::BackupStore backups(dir.filePath("backups"));
    events.ws = &ws;
    if (run == Run::ReadWithBackup)
        events.backups = &backups;
    link::Link engine(ws, serial, events, prompter);
    engine.setWriteOptions({.backupFirst = false, .verify = run == Run::VerifiedWrite});
    QElapsedTimer handling;
    qint64 handlingNs = 0;
    QElapsedTimer sinceStart;
    qint64 lastAnswerNs = 0;
    qint64 lastBytes = 0;
    std::vector<double> excess;
    serial.setReceiver(
        [&](std::span<const std::uint8_t> answer) {
            const qint64 now = sinceStart.nsecsElapsed();
            const qint64 bytes = serial.bytesSent() + serial.bytesReceived();
            const double wire = double(bytes - lastBytes) * sim::VirtualRadio::kBitsPerByte /
                                sim::VirtualRadio::kBaud;
            excess.push_back(double(now - lastAnswerNs) / 1e9 - wire);
            lastBytes = bytes;
            handling.start();
            engine.onAnswer(answer);
            handlingNs += handling.nsecsElapsed();
            lastAnswerNs = sinceStart.nsecsElapsed();
        },
        [&] { engine.onTimeout(); });

    QEventLoop loop;
    events.loop = &loop;
    QElapsedTimer clock;
    clock.start();
    sinceStart.start();
    const bool started = write ? engine.writeToRadio() : engine.readFromRadio();
    if (started && !events.done)
        loop.exec();
    Figures f;
    f.elapsed = double(clock.nsecsElapsed()) / 1e9;
    f.bytes = serial.bytesSent() + serial.bytesReceived();
    f.wire = double(f.bytes) * sim::VirtualRadio::kBitsPerByte / sim::VirtualRadio::kBaud;
    f.engine = double(handlingNs) / 1e9;
    // The first exchange also holds the opening of the port; leave it out.
    if (excess.size() > 1) {
        excess.erase(excess.begin());
        f.exchanges = int(excess.size());
        f.meanExcess = std::accumulate(excess.begin(), excess.end(), 0.0) / double(excess.size());
        std::nth_element(excess.begin(), excess.begin() + std::ptrdiff_t(excess.size() / 2),
                         excess.end());
        f.medianExcess = excess[excess.size() / 2];
    }
    f.ok = started && events.success;
    f.backup = double(events.backupNs) / 1e9;
    return f;
}

} // namespace

int main(int argc, char* argv[]) {
    // The virtual radio sleeps until each byte's wire time is over. The kernel's default
    // timer slack (50 us) would make every one of those sleeps late, which is the radio's
    // delay, not the program's; threads started from here inherit the finer slack.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    QCoreApplication app(argc, argv);
    int runs = 1;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--runs") == 0)
            runs = std::max(1, std::atoi(argv[i + 1]));

    sim::RadioOptions options;
    options.paced = true;
    options.bandCode = 0;
    sim::VirtualRadio radio(options);
    radio.start();

    int failures = 0;
    const std::pair<Run, const char*> kinds[] = {{Run::Read, "read"},
                                                 {Run::ReadWithBackup, "read+backup"},
                                                 {Run::Write, "write"},
                                                 {Run::VerifiedWrite, "write+verify"}};
    // A verified write's wire time as the radio's memory sets it: the write (10548 bytes)
    // and the read-back (9027 bytes) together.
    constexpr double kVerifiedWireBytes = 10548 + 9027;
    for (int run = 0; run < runs; ++run) {
        for (const auto& [kind, name] : kinds) {
            const Figures f = runOnce(kind, radio.devicePath());
            if (!f.ok)
                ++failures;
            std::printf("%-12s %s  bytes %6lld  wire %7.3f s  elapsed %7.3f s  ratio %.4f\n"
                        "             %d exchanges: beyond wire time median %.3f ms, mean %.3f ms;"
                        " answer handling %.1f ms in all\n",
                        name, f.ok ? "ok    " : "FAILED", f.bytes, f.wire, f.elapsed,
                        f.wire > 0 ? f.elapsed / f.wire : 0.0, f.exchanges, f.medianExcess * 1e3,
                        f.meanExcess * 1e3, f.engine * 1e3);
            if (kind == Run::ReadWithBackup)
                std::printf("             backup (image and document) kept in %.1f ms\n",
                            f.backup * 1e3);
            if (kind == Run::VerifiedWrite)
                std::printf("             over the wire time of 10548 + 9027 bytes: ratio %.4f\n",
                            f.elapsed / (kVerifiedWireBytes * sim::VirtualRadio::kBitsPerByte /
                                         sim::VirtualRadio::kBaud));
            std::fflush(stdout);
        }
    }
    return failures == 0 ? 0 : 1;
}
