// The exchange verbs' work: CHIRP-compatible CSV channel tables out of and into data files,
// and the comparison of two data files.
#pragma once

#include "model/ConfigRecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zx::cli {

// The channel table of a record as CSV; channels that cannot be written are told on stderr
// under the name `sourcePath`.
QByteArray channelsCsv(const model::ConfigRecord& record, const QString& sourcePath);
// The same in the spreadsheet columns, with names and list texts in the system's language.
QByteArray channelsSheet(const model::ConfigRecord& record, const QString& sourcePath);

struct ChannelImportRequest {
    QString csvPath;
    QString basePath; // empty: the New template of `band`
    int band = 0;
    bool skipBad = false;
    bool merge = false; // keep the channels of the groups that the file does not name
    QString outPath;
};

// Imports a CSV channel table into a document and writes it; the exit code.
int importChannelsCsv(const ChannelImportRequest& request);

// zx908hf-cli diff A.dat B.dat [--json]: exit 0 when equal, 1 when different.
int runDiff(const QStringList& arguments);

} // namespace zx::cli
