// Writing the fleet log.
#include "platform/FleetLog.h"

#include "exchange/DelimitedText.h"
#include "platform/FileSync.h"
#include "platform/UserData.h"
#include "text/Fill.h"
#include "text/labels/FleetLabels.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zx::platform {

FleetLog::FleetLog(QString path) : path_(std::move(path)) {}

QString FleetLog::spreadsheetSafe(const QString& value) {
    // A spreadsheet runs a cell that starts with one of these as a formula; what a radio's
    // identity record holds is nobody's formula.
    static const QString kFormulaStarts = QStringLiteral("=+-@\t\r");
    if (!value.isEmpty() && kFormulaStarts.contains(value.front()))
        return QLatin1Char('\'') + value;
    return value;
}

QString FleetLog::row(const QStringList& fields) {
    std::vector<std::string> cells;
    for (const QString& field : fields)
        cells.push_back(field.toStdString());
    return QString::fromStdString(exchange::writeRow(cells, ','));
}

QString FleetLog::header() {
    QStringList names;
    for (const FleetColumnInfo& column : fleetColumns())
        names << QString::fromLatin1(column.logName);
    return row(names);
}

QString FleetLog::line(const link::FleetRecord& record, const FleetTextContext& context) {
    QStringList fields;
    for (const FleetColumnInfo& column : fleetColumns()) {
        const QString value = fleetLogValue(column.column, record, context);
        const bool fromRadio =
            column.column == FleetColumn::Serial || column.column == FleetColumn::Model;
        fields << (fromRadio ? spreadsheetSafe(value) : value);
    }
    return row(fields);
}

QString FleetLog::dailyPath(const QString& folder, const QDate& day) {
    return QDir(folder).filePath(QLatin1String(kStampPrefix) + QStringLiteral("fleet_") +
                                 day.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".csv"));
}

bool FleetLog::writeDurably(const QByteArray& bytes, QString* error) {
    QFile file(path_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    // Flushed to the disk before the next radio: what was logged survives a power cut.
    if (file.write(bytes) != bytes.size() || !syncToDisk(file)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool FleetLog::prepare(int language, QString* error) {
    const auto fail = [&](const text::TextTable& table, const QString& why) {
        if (error)
            *error = QString::fromStdString(
                text::fill(table[language],
                           {QDir::toNativeSeparators(path_).toStdString(), why.toStdString()}));
        return false;
    };
    const QFileInfo info(path_);
    if (info.exists() && !info.isFile())
        return fail(text::labels::fleet::kLogFailed, QStringLiteral("not a file"));
    if (info.exists() && info.size() > 0) {
        QFile file(path_);
        if (!file.open(QIODevice::ReadOnly))
            return fail(text::labels::fleet::kLogFailed, file.errorString());
        QString first = QString::fromUtf8(file.readLine()).trimmed();
        if (first.startsWith(QChar(0xFEFF)))
            first.remove(0, 1);
        if (first != header().trimmed())
            return fail(text::labels::fleet::kLogOtherColumns, {});
        // A last line cut short (a power cut while it was written) is ended, so that the next
        // line starts on its own.
        file.seek(file.size() - 1);
        const bool ended = file.read(1) == "\n";
        QString why;
        if (!writeDurably(ended ? QByteArray() : QByteArray("\n"), &why))
            return fail(text::labels::fleet::kLogFailed, why);
        return true;
    }
    QString why;
    if (!writeDurably(header().toUtf8(), &why))
        return fail(text::labels::fleet::kLogFailed, why);
    return true;
}

bool FleetLog::append(const link::FleetRecord& record, const FleetTextContext& context,
                      QString* error) {
    return writeDurably(line(record, context).toUtf8(), error);
}

} // namespace zx::platform
