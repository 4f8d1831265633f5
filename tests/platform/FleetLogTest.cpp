// The fleet log as a spreadsheet and a power cut meet it: every line read back field for field
// by a CSV reader, nothing from a radio taken for a formula, each line on the disk once its
// radio is done, and a file of other columns (or a cut last line) never mixed into.
#include "platform/FleetLog.h"

#include "exchange/DelimitedText.h"
#include "platform/FleetText.h"
#include "text/Language.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zx::test {
namespace {

using link::FleetRecord;
using link::FleetResult;
using platform::FleetLog;

FleetRecord radio(std::string serial, FleetResult result, std::string reason = {}) {
    FleetRecord r;
    r.number = 1;
    r.portName = "COM3 (/dev/ttyUSB0)";
    r.time = std::chrono::system_clock::time_point(std::chrono::seconds(1773570000));
    r.seconds = 21.04;
    r.serialNumber = std::move(serial);
    r.modelCode = "8900";
    r.band = "28.000000 - 29.700000 MHz";
    r.result = result;
    r.reason = std::move(reason);
    return r;
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::vector<exchange::TextRow> rowsOf(const QString& path) {
    return exchange::readRows(contents(path).toStdString(), {',', false});
}

TEST(FleetLogTest, EveryRadioIsOneLineASpreadsheetReadsBackFieldForField) {
    QTemporaryDir dir;
    const QString path = dir.filePath("fleet.csv");
    FleetLog log(path);
    QString error;
    ASSERT_TRUE(log.prepare(text::English, &error)) << error.toStdString();
    EXPECT_EQ(contents(path), "time,port,serial number,model code,band,result,seconds,file\r\n");

    const platform::FleetTextContext context{text::English, text::English, "/fleet/a, \"b\".dat"};
    const FleetRecord cases[] = {
        radio("SN-001", FleetResult::Verified),
        // A reason with a comma, a quote and a line break; a serial number that a
        // spreadsheet would run as a formula.
        radio("=HYPERLINK(\"x\")", FleetResult::Failed, "Verify failed: 1; 00D9 \"A-12\"\r\nnext"),
        radio("", FleetResult::Refused, "Model type is wrong."),
        radio("+1", FleetResult::Stopped, "Write stopped after 3 of 477 blocks"),
    };
    for (const FleetRecord& r : cases) {
        ASSERT_TRUE(log.append(r, context, &error)) << error.toStdString();
        // On the disk before the next radio: what a power cut would leave.
        EXPECT_TRUE(contents(path).endsWith("\r\n"));
    }

    const std::vector<exchange::TextRow> rows = rowsOf(path);
    ASSERT_EQ(rows.size(), 5u);
    const std::vector<std::string> expected[] = {
        {"time", "port", "serial number", "model code", "band", "result", "seconds", "file"},
        {"", "COM3 (/dev/ttyUSB0)", "SN-001", "8900", "28.000000 - 29.700000 MHz", "verified",
         "21.0", "/fleet/a, \"b\".dat"},
        {"", "COM3 (/dev/ttyUSB0)", "'=HYPERLINK(\"x\")", "8900", "28.000000 - 29.700000 MHz",
         "failed: Verify failed: 1; 00D9 \"A-12\"\r\nnext", "21.0", "/fleet/a, \"b\".dat"},
        {"", "COM3 (/dev/ttyUSB0)", "", "8900", "28.000000 - 29.700000 MHz",
         "refused: Model type is wrong.", "21.0", "/fleet/a, \"b\".dat"},
        {"", "COM3 (/dev/ttyUSB0)", "'+1", "8900", "28.000000 - 29.700000 MHz",
         "stopped: Write stopped after 3 of 477 blocks", "21.0", "/fleet/a, \"b\".dat"},
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        std::vector<std::string> cells = rows[i].cells;
        ASSERT_EQ(cells.size(), 8u);
        if (i > 0) {
            // The local time of the radio, as ISO 8601.
            EXPECT_EQ(QString::fromStdString(cells[0]),
                      platform::fleetTime(cases[i - 1]).toString(Qt::ISODate));
            cells[0].clear();
        }
        EXPECT_EQ(cells, expected[i]);
    }
}

TEST(FleetLogTest, AFileIsOnlyAppendedToWhenItHoldsTheseColumns) {
    QTemporaryDir dir;
    const platform::FleetTextContext context{text::English, text::English, "/a.dat"};
    QString error;

    // Our own log, its last line cut by a power cut: the next line starts on its own.
    const QString ours = dir.filePath("ours.csv");
    QFile cut(ours);
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(FleetLog::header().toUtf8() + "2026-03-15T10:00:00,COM1,SN-1,89");
    cut.close();
    FleetLog log(ours);
    ASSERT_TRUE(log.prepare(text::English, &error)) << error.toStdString();
    ASSERT_TRUE(log.append(radio("SN-2", FleetResult::Verified), context, &error));
    const std::vector<exchange::TextRow> rows = rowsOf(ours);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2].cells[2], "SN-2");

    // The log of an older batch (without port and file), another program's file, a folder:
    // refused, named, and left as they were.
    const QString older = dir.filePath("older.csv");
    const QByteArray olderText = "time,serial number,model code,band,result,seconds\n"
                                 "2026-03-14T09:00:00,SN-9,8900,x,verified,21.0\n";
    QFile file(older);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(olderText);
    file.close();
    EXPECT_FALSE(FleetLog(older).prepare(text::English, &error));
    EXPECT_TRUE(error.contains("has other columns")) << error.toStdString();
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(older))) << error.toStdString();
    EXPECT_EQ(contents(older), olderText);
    EXPECT_FALSE(FleetLog(older).prepare(text::Chinese, &error));
    EXPECT_TRUE(error.contains("记录文件")) << error.toStdString();

    EXPECT_FALSE(FleetLog(dir.path()).prepare(text::English, &error));
    EXPECT_TRUE(error.contains("cannot be written: not a file")) << error.toStdString();
    EXPECT_FALSE(FleetLog(dir.filePath("no/such/folder/log.csv")).prepare(text::English, &error));
    EXPECT_TRUE(error.contains("cannot be written")) << error.toStdString();
}

TEST(FleetLogTest, PortStatesAndResultsReadInTheUsersLanguage) {
    platform::FleetTextContext english{text::English, text::English, "/a.dat"};
    platform::FleetTextContext chinese{text::Chinese, text::English, "/a.dat"};
    link::FleetPortStatus status;
    status.state = link::FleetPortState::Writing;
    status.percent = 35;
    EXPECT_EQ(platform::fleetStateText(status, english), "Writing 35%");
    EXPECT_EQ(platform::fleetStateText(status, english, false), "Writing");
    EXPECT_EQ(platform::fleetStateText(status, chinese), "写入 35%");
    status.state = link::FleetPortState::WaitingForRadio;
    status.problem = "/dev/ttyUSB1 does not exist. Is the programming cable plugged in?";
    EXPECT_EQ(platform::fleetStateText(status, english),
              "Waiting: /dev/ttyUSB1 does not exist. Is the programming cable plugged in?");
    status.state = link::FleetPortState::RemoveRadio;
    status.last = radio("SN-7", FleetResult::Verified);
    EXPECT_EQ(platform::fleetStateText(status, english), "Done: SN-7 — remove the radio");
    status.last = radio("SN-7", FleetResult::Refused, "Frequency band type is wrong.");
    EXPECT_EQ(platform::fleetStateText(status, english),
              "Refused: Frequency band type is wrong. — remove the radio");
    status.last = radio("", FleetResult::Failed, "no answer");
    EXPECT_EQ(platform::fleetStateText(status, chinese), "失败：no answer — 请取下对讲机");

    // The log's words stay English; the window's follow the language.
    const FleetRecord written = radio("", FleetResult::Written);
    EXPECT_EQ(platform::fleetLogValue(platform::FleetColumn::Result, written, chinese), "written");
    EXPECT_EQ(platform::fleetShownValue(platform::FleetColumn::Result, written, chinese),
              "已写入（未校验）");
    EXPECT_EQ(platform::fleetShownValue(platform::FleetColumn::Serial, written, english),
              "(no serial number)");
    EXPECT_EQ(platform::fleetLogValue(platform::FleetColumn::Serial, written, english), "");
}

} // namespace
} // namespace zx::test
