// Texts of a fleet run's ports and radios.
#include "platform/FleetText.h"

#include "platform/CodePage.h"
#include "text/Fill.h"
#include "text/labels/FleetLabels.h"
#include "text/labels/RadioSafetyLabels.h"

namespace zx::platform {

namespace labels = text::labels::fleet;
using link::FleetPortState;
using link::FleetResult;

namespace {

constexpr FleetColumnInfo kColumns[] = {
    {FleetColumn::Time, "time", labels::kColumnTime, true},
    {FleetColumn::Port, "port", labels::kColumnPort, true},
    {FleetColumn::Serial, "serial number", labels::kColumnSerial, true},
    {FleetColumn::Model, "model code", labels::kColumnModel, true},
    {FleetColumn::Band, "band", labels::kColumnBand, true},
    {FleetColumn::Result, "result", labels::kColumnResult, true},
    {FleetColumn::Seconds, "seconds", labels::kColumnSeconds, true},
    {FleetColumn::File, "file", labels::kColumnFile, false},
};

QString say(const text::TextTable& table, int language, const QString& value = {}) {
    return QString::fromStdString(text::fill(table[language], {value.toStdString()}));
}

QString utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// The columns both forms share.
QString commonValue(FleetColumn column, const link::FleetRecord& record,
                    const FleetTextContext& context) {
    switch (column) {
    case FleetColumn::Port:
        return utf8(record.portName);
    case FleetColumn::Serial:
        return fleetSerial(record, context.codePage);
    case FleetColumn::Model:
        return QString::fromLatin1(record.modelCode.data(), qsizetype(record.modelCode.size()));
    case FleetColumn::Band:
        return utf8(record.band);
    case FleetColumn::Seconds:
        return QString::number(record.seconds, 'f', 1);
    case FleetColumn::File:
        return context.document;
    default:
        return {};
    }
}

} // namespace

std::span<const FleetColumnInfo> fleetColumns() {
    return kColumns;
}

QDateTime fleetTime(const link::FleetRecord& record) {
    return QDateTime::fromMSecsSinceEpoch(
        std::chrono::duration_cast<std::chrono::milliseconds>(record.time.time_since_epoch())
            .count());
}

QString fleetSerial(const link::FleetRecord& record, int codePage) {
    return fromCodePage(record.serialNumber, codePage);
}

QString fleetLogValue(FleetColumn column, const link::FleetRecord& record,
                      const FleetTextContext& context) {
    switch (column) {
    case FleetColumn::Time:
        return fleetTime(record).toString(Qt::ISODate);
    case FleetColumn::Result: {
        // The result's first word stays English whatever the language, for the scripts and
        // spreadsheets that read it; the reason is what the user was told.
        const QString reason = utf8(record.reason);
        switch (record.result) {
        case FleetResult::Verified:
            return QStringLiteral("verified");
        case FleetResult::Written:
            return QStringLiteral("written");
        case FleetResult::Refused:
            return QStringLiteral("refused: ") + reason;
        case FleetResult::Failed:
            return QStringLiteral("failed: ") + reason;
        case FleetResult::Stopped:
            return QStringLiteral("stopped: ") + reason;
        }
        return {};
    }
    default:
        return commonValue(column, record, context);
    }
}

QString fleetShownValue(FleetColumn column, const link::FleetRecord& record,
                        const FleetTextContext& context) {
    const int lang = context.language;
    switch (column) {
    case FleetColumn::Time:
        return fleetTime(record).toString(QStringLiteral("HH:mm:ss"));
    case FleetColumn::Serial: {
        const QString serial = fleetSerial(record, context.codePage);
        return serial.isEmpty() ? say(text::labels::safety::kBatchNoSerial, lang) : serial;
    }
    case FleetColumn::Result: {
        const QString reason = utf8(record.reason);
        switch (record.result) {
        case FleetResult::Verified:
            return say(labels::kResultVerified, lang);
        case FleetResult::Written:
            return say(labels::kResultWritten, lang);
        case FleetResult::Refused:
            return say(labels::kResultRefused, lang, reason);
        case FleetResult::Failed:
            return say(labels::kResultFailed, lang, reason);
        case FleetResult::Stopped:
            return say(labels::kResultStopped, lang, reason);
        }
        return {};
    }
    default:
        return commonValue(column, record, context);
    }
}

QString fleetStateText(const link::FleetPortStatus& status, const FleetTextContext& context,
                       bool percent) {
    const int lang = context.language;
    const auto withPercent = [&](const text::TextTable& table) {
        return percent ? say(table, lang) + QStringLiteral(" %1%").arg(status.percent)
                       : say(table, lang);
    };
    switch (status.state) {
    case FleetPortState::Idle:
        return say(labels::kStateIdle, lang);
    case FleetPortState::WaitingForRadio:
        return status.problem.empty() ? say(labels::kStateWaiting, lang)
                                      : say(labels::kStatePortProblem, lang, utf8(status.problem));
    case FleetPortState::Identifying:
        return say(labels::kStateIdentifying, lang);
    case FleetPortState::BackingUp:
        return withPercent(labels::kStateBackingUp);
    case FleetPortState::Writing:
        return withPercent(labels::kStateWriting);
    case FleetPortState::Verifying:
        return withPercent(labels::kStateVerifying);
    case FleetPortState::RemoveRadio: {
        if (!status.last)
            return say(labels::kStateWaiting, lang);
        const link::FleetRecord& last = *status.last;
        if (last.good())
            return say(labels::kStateDone, lang,
                       fleetShownValue(FleetColumn::Serial, last, context));
        return say(last.result == FleetResult::Refused ? labels::kStateRefused
                                                       : labels::kStateFailed,
                   lang, utf8(last.reason));
    }
    case FleetPortState::Stopping:
        return say(labels::kStateStopping, lang);
    case FleetPortState::Stopped:
        return say(labels::kStateStopped, lang);
    }
    return {};
}

} // namespace zx::platform
