// The serial ports of the machine as the program names them: COM<n> with a port number.
// In-process lines (the demo radio's, InProcessPort.h) get a number for the run like a device
// and are listed while they exist.
// The settings keep only a number (comPort), so every device needs one. On Windows the
// number is the one in the system's COMn name. On Linux the devices get stable numbers kept
// in section `ports` of mysetup.ini ("COM3=/dev/ttyUSB0"): a device seen for the first time
// gets the lowest number no entry uses yet, and keeps it when it is unplugged and comes
// back. Devices named in that section that are terminal devices are listed even when the
// system's port list does not show them (pseudo-terminals of the virtual radio, for
// instance); what is no terminal (a folder, a file, /dev/null) is not listed, and neither
// is a pseudo-terminal that an earlier run recorded: its number may now belong to a shell
// window, which a port search would otherwise write into. A pseudo-terminal named during
// this catalog's life (the demo radio's) is listed.
//
// Only devices of the system's list are numbered in the settings file (and whatever a
// caller records explicitly, such as the demo radio's terminal in its scratch copy). A path
// the user types for one run gets a number for that run only.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace zx::platform {

class PortCatalog {
public:
    struct Entry {
        Entry(int n = 0, QString dev = {}, QString desc = {}, QString ids = {})
            : number(n), device(std::move(dev)), description(std::move(desc)),
              usbIds(std::move(ids)) {}
        int number = 0;
        QString device;      // device path on Linux, "COMn" on Windows
        QString description; // the adapter's own name, where the system knows it
        QString usbIds;      // "10c4:ea60" for a USB adapter, else empty
        bool operator==(const Entry&) const = default;
        // "CP2102 USB to UART Bridge (10c4:ea60)"; empty when nothing is known.
        QString details() const;
    };

    // A port as the system lists it.
    struct SystemPort {
        QString device;
        QString description;
        QString usbIds;
    };

    // Lists the device paths the system offers as serial ports.
    using DeviceLister = std::function<QStringList()>;
    // The same with what the system knows of each.
    using PortLister = std::function<QList<SystemPort>()>;

    // `settingsPath` is mysetup.ini; an empty path keeps the numbers for this run only.
    // Without a lister the system's list (SystemPorts.h) is used.
    explicit PortCatalog(QString settingsPath, DeviceLister lister = {});
    PortCatalog(QString settingsPath, PortLister lister);

    // The ports present now, in ascending number order. Devices seen for the first time are
    // numbered and recorded.
    QList<Entry> entries();
    // The numbers of entries(), for the settings search.
    std::vector<int> numbers();

    // The device of a port number: the recorded device (Linux) or "COMn" (Windows); empty
    // when the number is unknown.
    QString deviceFor(int number);
    // The number of a device, recording a device not seen before. On Windows the number in
    // its COMn name; 0 when the name is not of that form.
    int numberFor(const QString& device);

    // What the user may type for a port: "3", "COM3" (any case) or a device path, relative
    // to the current folder or absolute. A path the catalog does not know yet gets a number
    // for the life of this catalog only: nothing is written to the settings file. Empty
    // when the text names no port: not a number of 1 or more, or a path that does not
    // exist (unless `mayBeAbsent`: a device that comes when a radio is plugged in). A number
    // is taken as it is; whether it has a device shows when the port is opened.
    std::optional<int> resolve(const QString& text, bool mayBeAbsent = false);

    // "COM" followed by the number, as the port lists show it.
    static QString portName(int number);
    // The number in "COM<n>" (case-insensitive, blanks ignored), 0 when it is not of that form.
    static int parsePortName(const QString& name);

    // Where the numbers are kept.
    static constexpr const char* kSection = "ports";

private:
    QList<SystemPort> systemPorts() const;
    // number -> device as recorded, plus the session-only entries.
    QList<Entry> recorded() const;
    // Sorted by number, one entry per number (the first one recorded).
    static QList<Entry> inNumberOrder(QList<Entry> list);
    int record(const QString& device);
    int lowestFreeNumber() const;
    // resolve() for a text that is neither a number nor a COM<n> name.
    std::optional<int> resolvePath(const QString& text, bool mayBeAbsent);

    QString settingsPath_;
    PortLister lister_;
    QList<Entry> sessionOnly_; // used when there is no settings file
    QStringList namedThisRun_; // devices numberFor or resolve was asked about
};

} // namespace zx::platform
