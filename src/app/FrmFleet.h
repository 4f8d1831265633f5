// The Fleet Programming window (Program > Fleet Programming…): the saved document written
// into radio after radio on the programming cables ticked in its port list, all at once.
// Before a run: the document by its file name and band, the ports with their adapters, the
// verification (on) and backup-first (off) choices, an optional count and the log file (one
// per day in the backups folder unless another is chosen). During a run: each port's row
// says where it stands (waiting for a radio, writing with its percentage, verifying, done
// with the serial number, failed with the reason, remove the radio), every radio done is a
// row of the table below with the totals of good and failed ones, and a radio done turns its
// port's row green (red when it failed) with a beep, so the dealer can swap it without
// watching the screen. Stop, and closing the window, end every open session with End.
//
// It is application-modal: the document it writes cannot be edited while it is open.
#pragma once

#include "model/Workspace.h"
#include "platform/FleetText.h"

#include <QDate>
#include <QDialog>
#include <QPointer>
#include <memory>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTimer;

namespace zx::platform {
class BackupStore;
class PortCatalog;
class QtFleet;
} // namespace zx::platform

namespace zx::text {
class Prompter;
} // namespace zx::text

namespace zx::app {

class FileDialogs;

class FrmFleet : public QDialog {
    Q_OBJECT
public:
    struct Setup {
        const model::Workspace* document = nullptr; // saved: its file is what the log names
        platform::PortCatalog* catalog = nullptr;
        platform::BackupStore* backups = nullptr; // every write is kept there; none when null
        FileDialogs* dialogs = nullptr;
        text::Prompter* prompter = nullptr; // the window's own messages
        QDate today;
    };

    FrmFleet(Setup setup, QWidget* parent = nullptr);
    ~FrmFleet() override;

    // Start: false (and why, in a message) when nothing was started.
    bool start();
    // Stop: End on every open session; the run is over once runFinished is emitted.
    void stop();
    bool running() const;
    // Stops a run and waits for its end, a few seconds at most (the window closes, the
    // program ends).
    void endRun();

    // The port list's rows, in the catalog's order, and the run's fleet (null when none ran).
    int portRow(int portNumber) const;
    platform::QtFleet* fleet() const { return fleet_.get(); }

signals:
    void runFinished();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    struct PortRow {
        int number = 0;
        QString device;
        QString details;
    };

    void buildWindow();
    void label();
    void refreshPorts();
    void setRunning(bool running);
    void showPort(int fleetPort);
    void addRadio(int index);
    void showTotals();
    void finishedRun();
    void browseLog();
    QString say(const text::TextTable& table, const QStringList& values = {}) const;

    Setup setup_;
    int language_ = 1;
    platform::FleetTextContext context_;
    std::vector<PortRow> ports_;
    std::vector<int> rowOfFleetPort_;
    std::unique_ptr<platform::QtFleet> fleet_;

    QLabel* document_ = nullptr;
    QLabel* portsLabel_ = nullptr;
    QTableWidget* portTable_ = nullptr;
    QCheckBox* verify_ = nullptr;
    QCheckBox* backupFirst_ = nullptr;
    QLabel* countLabel_ = nullptr;
    QSpinBox* count_ = nullptr;
    QLabel* logLabel_ = nullptr;
    QLineEdit* log_ = nullptr;
    QPushButton* browse_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* stop_ = nullptr;
    QPushButton* close_ = nullptr;
    QLabel* radiosLabel_ = nullptr;
    QTableWidget* radioTable_ = nullptr;
    QLabel* totals_ = nullptr;
    QTimer* portTimer_ = nullptr;
    bool closing_ = false;
};

} // namespace zx::app
