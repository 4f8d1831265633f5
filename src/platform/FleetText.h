// How a fleet run's ports and radios read, in the window, on the command line and in the
// log: one description of the columns of a radio (the log's header and order, the window's
// headings), the texts of a port's state and of a radio's result.
#pragma once

#include "link/Fleet.h"
#include "text/TextTable.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <span>

namespace zx::platform {

// What a radio's line says, column by column.
enum class FleetColumn { Time, Port, Serial, Model, Band, Result, Seconds, File };

struct FleetColumnInfo {
    FleetColumn column;
    const char* logName;     // the log's header
    text::TextTable heading; // the window's
    bool shown;              // a column of the window's table (the file is named above it)
};

// Every column, in the log's order (the window shows them in the same order).
std::span<const FleetColumnInfo> fleetColumns();

struct FleetTextContext {
    int language = 1; // of the user interface
    int codePage = 1; // the system language, for the bytes of the identity record
    QString document; // the file being written
};

// A radio's value in a column: as the log keeps it (fixed English words for the result,
// an ISO time) or as the window shows it (in the user's language).
QString fleetLogValue(FleetColumn column, const link::FleetRecord& record,
                      const FleetTextContext& context);
QString fleetShownValue(FleetColumn column, const link::FleetRecord& record,
                        const FleetTextContext& context);

// The serial number as text, empty when it was not read.
QString fleetSerial(const link::FleetRecord& record, int codePage);
// "Writing 35%", "Done: SN-001. Remove the radio.", "Waiting: /dev/ttyUSB1 does not exist."
// Without `percent`, "Writing".
QString fleetStateText(const link::FleetPortStatus& status, const FleetTextContext& context,
                       bool percent = true);

QDateTime fleetTime(const link::FleetRecord& record);

} // namespace zx::platform
