// The batch on the fleet: the ports resolved, the fleet run to its end, what it says printed.
#include "cli/BatchWrite.h"

#include "cli/CliPrompter.h"
#include "cli/RadioSession.h"
#include "cli/Verbs.h"
#include "platform/FleetLog.h"
#include "platform/PortCatalog.h"
#include "platform/QtFleet.h"
#include "text/labels/FleetLabels.h"
#include "text/labels/RadioSafetyLabels.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <memory>
#include <vector>

namespace zx::cli {

namespace {

namespace labels = text::labels::safety;
namespace fleetLabels = text::labels::fleet;
using link::FleetPortState;

struct BatchPort {
    int number = 0;
    QString typed;  // as given on the command line
    QString device; // the device it stands for
};

// The ports of the batch: each --port (the configured port without one). Two that name one
// device would have two engines write into one radio at once.
std::optional<std::vector<BatchPort>> batchPorts(RadioSession& session, int& code) {
    platform::PortCatalog& catalog = session.catalog();
    QStringList typed = session.options().ports;
    std::vector<BatchPort> ports;
    if (typed.isEmpty())
        ports.push_back({session.workspace().state.comPort, {}, {}});
    for (const QString& text : typed) {
        const std::optional<int> number = catalog.resolve(text, true);
        if (!number) {
            printError(QStringLiteral("no serial port '%1'").arg(text));
            code = ExitPortError;
            return std::nullopt;
        }
        ports.push_back({*number, text, {}});
    }
    for (BatchPort& port : ports) {
        port.device = catalog.deviceFor(port.number);
        const QString canonical = QFileInfo(port.device).canonicalFilePath();
        if (!canonical.isEmpty())
            port.device = canonical;
    }
    for (std::size_t i = 0; i < ports.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (ports[i].number == ports[j].number ||
                (!ports[i].device.isEmpty() && ports[i].device == ports[j].device)) {
                printError(
                    session.say(fleetLabels::kSamePortTwice, {ports[j].typed, ports[i].typed}));
                code = ExitUsage;
                return std::nullopt;
            }
    return ports;
}

QString portName(const BatchPort& port, platform::PortCatalog& catalog) {
    const QString device = catalog.deviceFor(port.number);
    const QString name = platform::PortCatalog::portName(port.number);
    return device.isEmpty() ? name : name + QStringLiteral(" (") + device + QLatin1Char(')');
}

// Prints what the fleet says, one line per event, each line named by its port.
class BatchPrinter : public QObject {
public:
    BatchPrinter(RadioSession& session, platform::QtFleet& fleet)
        : session_(session), fleet_(fleet), last_(fleet.fleet().portCount()) {
        connect(&fleet, &platform::QtFleet::portMessage, this, &BatchPrinter::message);
        connect(&fleet, &platform::QtFleet::portStatusChanged, this, &BatchPrinter::status);
        connect(&fleet, &platform::QtFleet::radioFinished, this, &BatchPrinter::radio);
        connect(&fleet, &platform::QtFleet::backupFailed, this, [this](int port, const QString& e) {
            say(port, session_.say(labels::kBackupFailed, {e}));
        });
    }

    void say(int port, const QString& text) {
        const QString name = QString::fromStdString(fleet_.fleet().status(std::size_t(port)).name);
        for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            printError(session_.say(fleetLabels::kPortLine, {name, line}));
    }

    // Every port as it stands (when the batch is stopped).
    void states() {
        for (std::size_t i = 0; i < fleet_.fleet().portCount(); ++i)
            say(int(i), platform::fleetStateText(fleet_.fleet().status(i), fleet_.textContext()));
    }

private:
    void message(int port, const QString& text) {
        say(port, QString::fromStdString(CliPrompter::forTerminal(text.toStdString())));
    }

    // A state is said when it changes; percentages are not (a line each would flood a log).
    void status(int port) {
        const link::FleetPortStatus& status = fleet_.fleet().status(std::size_t(port));
        const std::pair<FleetPortState, std::string> now{status.state, status.problem};
        if (now == last_[std::size_t(port)] || status.state == FleetPortState::Idle)
            return;
        last_[std::size_t(port)] = now;
        // The radio's own line has said how it went.
        say(port, status.state == FleetPortState::RemoveRadio
                      ? session_.say(labels::kBatchNext)
                      : platform::fleetStateText(status, fleet_.textContext(), false));
    }

    void radio(int index) {
        const link::FleetRecord& record = fleet_.records().at(index);
        const QString serial = platform::fleetSerial(record, fleet_.textContext().codePage);
        say(int(record.port),
            session_.say(labels::kBatchRadio,
                         {QString::number(record.number),
                          serial.isEmpty() ? session_.say(labels::kBatchNoSerial) : serial,
                          platform::fleetLogValue(platform::FleetColumn::Result, record,
                                                  fleet_.textContext()),
                          QString::number(record.seconds, 'f', 1)}));
    }

    RadioSession& session_;
    platform::QtFleet& fleet_;
    std::vector<std::pair<FleetPortState, std::string>> last_;
};

} // namespace

int runBatch(RadioSession& session, const BatchOptions& options) {
    int code = ExitOk;
    const std::optional<std::vector<BatchPort>> ports = batchPorts(session, code);
    if (!ports)
        return code;
    const model::Workspace& ws = session.workspace();

    link::FleetOptions fleetOptions;
    fleetOptions.write = session.engine().writeOptions();
    fleetOptions.count = options.count;
    fleetOptions.retry = session.options().policy == AnswerPolicy::Yes;
    fleetOptions.retries = session.options().retries;
    fleetOptions.document = options.document.toStdString();
    platform::QtFleet fleet(ws, fleetOptions, session.catalog());
    std::vector<std::unique_ptr<QFile>> traces;
    for (std::size_t i = 0; i < ports->size(); ++i) {
        const int index =
            fleet.addPort((*ports)[i].number, portName((*ports)[i], session.catalog()));
        const QString trace = session.options().tracePath;
        if (trace.isEmpty())
            continue;
        // One trace for each port: FILE alone, or FILE.1, FILE.2, ... in the order of --port.
        auto file = std::make_unique<QFile>(
            ports->size() == 1 ? trace : trace + QStringLiteral(".%1").arg(i + 1));
        if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
            printError(QStringLiteral("cannot write the trace file %1: %2")
                           .arg(file->fileName(), file->errorString()));
            return ExitFileError;
        }
        fleet.setTrace(index, file.get());
        traces.push_back(std::move(file));
    }
    if (session.keepsBackups())
        fleet.setBackups(&session.backups());
    if (!options.logPath.isEmpty()) {
        platform::FleetLog log(options.logPath);
        QString error;
        if (!log.prepare(ws.state.language, &error)) {
            printError(error);
            return ExitFileError;
        }
        fleet.setLog(log, fleet.textContext());
    }

    BatchPrinter printer(session, fleet);
    bool logFailed = false;
    QObject::connect(&fleet, &platform::QtFleet::logFailed, &fleet, [&](const QString& error) {
        logFailed = true;
        printError(session.say(fleetLabels::kLogFailed, {options.logPath, error}));
    });
    QEventLoop loop;
    QObject::connect(&fleet, &platform::QtFleet::runFinished, &loop, &QEventLoop::quit);
    // Ctrl+C: what every port was doing, then End on every open session.
    QObject::connect(&session.stopSignals(), &StopSignals::stopRequested, &fleet, [&] {
        if (!fleet.fleet().running())
            return;
        printer.states();
        fleet.stop();
    });

    printError(session.say(labels::kBatchConnect));
    fleet.start();
    if (fleet.running())
        loop.exec();
    for (const QString& line : fleet.unlogged())
        printError(QStringLiteral("not logged: ") + line);

    const link::Fleet& run = fleet.fleet();
    QTextStream(stdout) << session.say(run.written() == 1 ? labels::kBatchSummaryOne
                                                          : labels::kBatchSummary,
                                       {QString::number(run.written()),
                                        QString::number(run.verified()),
                                        QString::number(run.failed())})
                        << Qt::endl;
    if (session.stopped())
        return session.stopSignals().exitCode();
    if (logFailed)
        return ExitFileError;
    return run.failed() == 0 ? ExitOk : ExitRadioFailed;
}

} // namespace zx::cli
