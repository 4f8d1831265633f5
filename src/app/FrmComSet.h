// The port setup window: the user picks the serial port from the ports the system lists.
// The list is refreshed every second while the window is open, so adapters that are
// plugged in or pulled out show up at once; OK keeps the chosen number as comPort.
#pragma once

#include "model/Workspace.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <QTimer>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;

namespace zx::app {

// One listed serial port: its number (COM<n>) and, where there is one, the device behind it
// and what the system knows of the adapter ("CP2102 USB to UART Bridge (10c4:ea60)").
struct ListedPort {
    ListedPort(int n = 0, QString dev = {}, QString more = {})
        : number(n), device(std::move(dev)), details(std::move(more)) {}
    int number = 0;
    QString device;
    QString details;
    bool operator==(const ListedPort&) const = default;
    // "/dev/ttyUSB0  CP2102 USB to UART Bridge (10c4:ea60)"
    QString description() const;
};

class FrmComSet : public QDialog {
    Q_OBJECT
public:
    using PortLister = std::function<QList<ListedPort>()>;
    // Writes the chosen number to the settings file ("comPort").
    using PortStore = std::function<void(int port)>;

    FrmComSet(model::Workspace& workspace, PortLister lister, PortStore store,
              QWidget* parent = nullptr);

    // The number of the entry the list shows; 0 when none.
    int selectedPort() const { return selectedPort_; }

    static constexpr int kRefreshIntervalMs = 1000;

public slots:
    // Fills the list again and shows `wanted` if listed, else the first entry.
    void ReShowComPort();

private:
    void fill(int wanted);
    void Combo1_Click(int index);
    void CommandOK_Click();
    void showDevice();

    model::Workspace& workspace_;
    PortLister lister_;
    PortStore store_;
    QList<ListedPort> ports_;
    int selectedPort_ = 0;
    QComboBox* combo_ = nullptr;
    QLabel* device_ = nullptr;
    QTimer* refresh_ = nullptr; // ReShowComPortTimer
};

// "COM3" -> 3; -1 when the text after the first three characters is not a number.
int portNumberOfEntry(const QString& entry);

} // namespace zx::app
