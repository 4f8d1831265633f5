// The log of fleet runs: a CSV file with one line per radio (the columns of FleetText, the
// header first), the same from the desktop program and from zx908hf-cli. Each line is
// written and flushed to the disk as soon as its radio is done, so a power cut loses at most
// the radio being written. A file is only ever appended to, and only when it holds this
// program's columns. Readable by a spreadsheet: UTF-8, rows as the channel tables write them
// (fields with a comma, a quote or a line break quoted, CRLF line ends), and texts that came
// from a radio never read as a formula.
#pragma once

#include "platform/FleetText.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace zx::platform {

class FleetLog {
public:
    explicit FleetLog(QString path);
    const QString& path() const { return path_; }

    // Makes the file ready for this run's lines: a missing or empty file gets the header.
    // False with `error` set (in `language`) when it cannot be written or when it is a file
    // of other columns.
    bool prepare(int language, QString* error);
    // Appends the radio's line. False with `error` set (the system's words).
    bool append(const link::FleetRecord& record, const FleetTextContext& context, QString* error);

    // The header line and a radio's line, each with its line end.
    static QString header();
    static QString line(const link::FleetRecord& record, const FleetTextContext& context);
    // A text a spreadsheet will not take for a formula ("=1+1" becomes "'=1+1").
    static QString spreadsheetSafe(const QString& value);

    // The log of a day in `folder`: ZX-908HF_fleet_<YYYYMMDD>.csv.
    static QString dailyPath(const QString& folder, const QDate& day);

private:
    static QString row(const QStringList& fields);
    bool writeDurably(const QByteArray& bytes, QString* error);

    QString path_;
};

} // namespace zx::platform
