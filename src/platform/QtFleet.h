// A fleet run on real serial ports: one QtSerialLink and one timer for each port, all on
// the event loop of the thread that makes it, around the fleet of the link library. Keeps a
// backup of what every write sent (and of every backup-first read), appends every radio to
// the log, and turns the fleet's reports into signals for the window and the command line.
#pragma once

#include "link/Fleet.h"
#include "platform/FleetLog.h"

#include <QList>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class QIODevice;
class QTimer;

namespace zx::platform {

class BackupStore;
class PortCatalog;
class QtSerialLink;

class QtFleet : public QObject, private link::FleetListener, private link::FleetClock {
    Q_OBJECT
public:
    // Port numbers are turned into devices through `catalog`, which must outlive the run.
    QtFleet(const model::Workspace& document, link::FleetOptions options, PortCatalog& catalog,
            QObject* parent = nullptr);
    ~QtFleet() override;

    // Before start().
    int addPort(int portNumber, const QString& name);
    void setTrace(int port, QIODevice* trace);
    // Backups kept in `store` (nullptr: none); the log appended to (none when not set).
    void setBackups(BackupStore* store) { backups_ = store; }
    void setLog(std::optional<FleetLog> log, FleetTextContext context);

    void start();
    void stop();
    void finishCurrent();
    bool running() const { return fleet_->running(); }

    link::Fleet& fleet() { return *fleet_; }
    const QList<link::FleetRecord>& records() const { return records_; }
    const FleetTextContext& textContext() const { return context_; }
    // Lines that could not be written to the log (after it failed), for the user to keep.
    const QStringList& unlogged() const { return unlogged_; }

signals:
    void portStatusChanged(int port);
    // records()[index] is done (and logged, or in unlogged()).
    void radioFinished(int index);
    void portMessage(int port, const QString& text);
    // The log could not be written: no new radio is started.
    void logFailed(const QString& error);
    void backupFailed(int port, const QString& error);
    void runFinished();

private:
    class PortTimer;
    link::FleetClock& clock();
    link::FleetListener& listener();

    // link::FleetListener
    void portChanged(std::size_t port) override;
    void radioDone(const link::FleetRecord& record) override;
    void message(std::size_t port, const std::string& text) override;
    bool imageReceived(std::size_t port, const link::RadioImage& image,
                       const model::Workspace& document) override;
    void imageSent(std::size_t port, const link::RadioImage& image,
                   const model::ConfigRecord& record) override;
    void finished() override;
    // link::FleetClock
    std::chrono::system_clock::time_point now() const override;
    std::chrono::steady_clock::time_point elapsed() const override;

    PortCatalog& catalog_;
    // The adapters and timers outlive the fleet, whose engines use them.
    std::vector<std::unique_ptr<QtSerialLink>> links_;
    std::vector<std::unique_ptr<PortTimer>> timers_;
    std::unique_ptr<link::Fleet> fleet_;
    BackupStore* backups_ = nullptr;
    std::optional<FleetLog> log_;
    bool logBroken_ = false;
    FleetTextContext context_;
    QList<link::FleetRecord> records_;
    QStringList unlogged_;
};

} // namespace zx::platform
