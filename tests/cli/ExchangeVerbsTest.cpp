// The exchange verbs of the real zx908hf-cli binary: CSV export and import, diff, and the
// options each verb's --help lists.
#include "cli/CliRunner.h"
#include "exchange/RandomDocument.h"
#include "model/RecordCodec.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using zx::test::cli;
using zx::test::CliRun;

class ExchangeVerbs : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file(const QString& name) const { return dir.filePath(name); }

    void writeDocument(const QString& name, const zx::model::ConfigRecord& record) {
        const zx::model::RecordBytes bytes = zx::model::encodeRecord(record);
        zx::test::writeAll(file(name),
                           QByteArray(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
    static QStringList lines(const QByteArray& text) {
        return QString::fromUtf8(text).split('\n', Qt::SkipEmptyParts);
    }
};

} // namespace

TEST_F(ExchangeVerbs, CsvExportImportGivesBackTheDocument) {
    std::mt19937 random(8);
    const zx::model::ConfigRecord original =
        zx::test::randomDocument(random, zx::test::bandState(0));
    writeDocument("a.dat", original);

    CliRun r = cli({"export", file("a.dat"), "-o", file("a.csv")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QByteArray csv = zx::test::readAll(file("a.csv"));
    EXPECT_TRUE(csv.startsWith("Location,Name,Frequency,Duplex,Offset,Tone,")) << "no BOM";
    EXPECT_EQ(csv.count("\r\n"), csv.count('\n'));
    EXPECT_EQ(cli({"export", file("a.dat"), "--format", "csv"}).out, csv);

    r = cli({"import", file("a.csv"), "--into", file("a.dat"), "-o", file("b.dat")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    r = cli({"diff", file("a.dat"), file("b.dat")});
    EXPECT_EQ(r.exitCode, 0) << r.out.toStdString();
    EXPECT_TRUE(r.out.isEmpty());

    // Without --into the channels go into the New template of the band (made on the day of the
    // build, with the band's model information).
    r = cli({"import", file("a.csv"), "--band", "1", "-o", file("c.dat")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = cli({"diff", file("a.dat"), file("c.dat")});
    EXPECT_EQ(r.exitCode, 1);
    for (const QString& line : lines(r.out))
        EXPECT_TRUE(line.startsWith("Model Information ") || line.startsWith("Emergency"))
            << line.toStdString();
}

TEST_F(ExchangeVerbs, AFileWithBadRowsImportsNothingAndNamesThemAll) {
    zx::test::writeAll(file("bad.csv"), "Location,Name,Frequency\r\n"
                                        "1,A-01,28.100000\r\n"
                                        "2,A-02,27.500000\r\n"
                                        "3,A-03,28.200000\r\n"
                                        "4,A-04,31\r\n");
    CliRun r = cli({"import", file("bad.csv"), "-o", file("out.dat")});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(r.out.isEmpty());
    const QString bad = file("bad.csv");
    EXPECT_EQ(lines(r.err), (QStringList{"zx908hf-cli: " + bad +
                                             ": line 3: 27.500000 MHz is outside 28.000000 - "
                                             "29.700000 MHz",
                                         "zx908hf-cli: " + bad +
                                             ": line 5: 31.000000 MHz is outside 28.000000 - "
                                             "29.700000 MHz",
                                         "zx908hf-cli: " + bad +
                                             ": 2 of 4 rows are not valid; nothing was imported"}));
    EXPECT_FALSE(QFile::exists(file("out.dat")));

    r = cli({"import", file("bad.csv"), "--skip-bad", "-o", file("out.dat")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("2 of 4 rows are not valid and were left out"));
    r = cli({"export", file("out.dat"), "--format", "csv"});
    EXPECT_EQ(lines(r.out).size(), 1 + 2 + 5) << "A-01, A-03 and one channel in B..F";
    EXPECT_TRUE(r.out.contains("\n3,A-03,28.200000,"));

    // Usage faults.
    EXPECT_EQ(cli({"import", file("bad.csv"), "--into", file("x.dat"), "--band", "1", "-o",
                   file("o.dat")})
                  .exitCode,
              2);
    EXPECT_EQ(cli({"import", file("a.json"), "--skip-bad", "-o", file("o.dat")}).exitCode, 2);
    EXPECT_EQ(cli({"export", file("out.dat"), "--format", "xml"}).exitCode, 2);
}

TEST_F(ExchangeVerbs, MergeKeepsTheChannelsTheFileDoesNotNameReplacingDropsThem) {
    // The base holds; the file brings A-05 anew and A-08.
    zx::model::RuntimeState state = zx::test::bandState(0);
    zx::model::ConfigRecord base = zx::test::defaultDocument(state);
    zx::model::addChannel(base, state, 0, 2, "28.200000");
    zx::model::addChannel(base, state, 0, 5, "28.500000");
    writeDocument("base.dat", base);
    zx::test::writeAll(file("two.csv"), "Location,Name,Frequency\r\n"
                                        "5,A-05,28.550000\r\n"
                                        "8,A-08,28.800000\r\n");
    const auto groupA = [&](const char* name) {
        QStringList rows;
        for (const QString& line : lines(cli({"export", file(name), "--format", "csv"}).out).mid(1))
            if (line.contains(",A-"))
                rows << line.section(',', 1, 2);
        return rows;
    };

    CliRun r = cli({"import", file("two.csv"), "--into", file("base.dat"), "--merge", "-o",
                    file("merged.dat")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(groupA("merged.dat"), (QStringList{"A-01,28.015000", "A-02,28.200000",
                                                 "A-05,28.550000", "A-08,28.800000"}));
    r = cli({"import", file("two.csv"), "--into", file("base.dat"), "-o", file("replaced.dat")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(groupA("replaced.dat"), (QStringList{"A-05,28.550000", "A-08,28.800000"}));
    EXPECT_EQ(cli({"import", file("a.json"), "--merge", "-o", file("o.dat")}).exitCode, 2)
        << "CSV only";
}

TEST_F(ExchangeVerbs, DiffNamesTheDifferencesAndAnswersWithItsExitCode) {
    const zx::model::RuntimeState state = zx::test::bandState(0);
    zx::model::ConfigRecord a = zx::test::defaultDocument(state);
    zx::model::addChannel(a, state, 0, 5, "28.515000");
    writeDocument("a.dat", a);
    a.channel(0, 2).rxFreq = "28525000";
    a.optionFeatures[0] = 4;
    a.embeddedMessage[0] = std::string("HELLO") + '\0';
    writeDocument("b.dat", a);

    CliRun r = cli({"diff", file("a.dat"), file("a.dat")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.isEmpty());

    r = cli({"diff", file("a.dat"), file("b.dat")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(QString::fromUtf8(r.out), "A-05 RX Frequency: 28.515000 → 28.525000\n"
                                        "TOT[s]: 60 → 120\n"
                                        "Local Information line 1: \"\" → \"HELLO\"\n");
    EXPECT_TRUE(r.err.isEmpty());

    r = cli({"diff", file("a.dat"), file("b.dat"), "--json"});
    EXPECT_EQ(r.exitCode, 1);
    const QJsonArray list = QJsonDocument::fromJson(r.out).array();
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list[1].toObject(), (QJsonObject{{"key", "optionFeatures[0]"},
                                               {"field", "TOT[s]"},
                                               {"before", "60"},
                                               {"after", "120"}}));

    r = cli({"diff", file("a.dat"), file("b.dat")}, "zh_CN.UTF-8");
    EXPECT_TRUE(QString::fromUtf8(r.out).startsWith("A-05 接收频率：28.515000 → 28.525000\n"))
        << r.out.toStdString();

    // A file that cannot be read is a file error, not a difference.
    r = cli({"diff", file("a.dat"), file("missing.dat")});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(r.out.isEmpty());
}

// The text of a PDF as pdftotext reads it.
QString pdfText(const QString& pdf) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    EXPECT_FALSE(tool.isEmpty()) << "pdftotext (poppler-utils) is needed";
    QProcess p;
    p.start(tool, {pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

TEST_F(ExchangeVerbs, PrintRendersTheChosenGroupsIntoAPdfWithoutADisplay) {
    const zx::model::RuntimeState state = zx::test::bandState(0);
    zx::model::ConfigRecord r = zx::test::defaultDocument(state);
    const char* frequencies[] = {"28.111110", "28.222220", "28.333330", "29.444440"};
    zx::model::addChannel(r, state, 0, 12, frequencies[0]);
    zx::model::addChannel(r, state, 1, 34, frequencies[1]);
    zx::model::addChannel(r, state, 2, 56, frequencies[2]);
    zx::model::addChannel(r, state, 3, 60, frequencies[3]);
    r.embeddedMessage[1] = std::string("SEE YOU") + '\0';
    writeDocument("plan.dat", r);

    QStringList arguments{"print", file("plan.dat"), "-o", file("bc.pdf"), "--groups", "B-C"};
    CliRun run = cli(arguments);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(zx::test::readAll(file("bc.pdf")).startsWith("%PDF"));
    QString text = pdfText(file("bc.pdf"));
    EXPECT_TRUE(text.contains(frequencies[1])) << text.toStdString();
    EXPECT_TRUE(text.contains(frequencies[2]));
    EXPECT_TRUE(text.contains("28.145000")) << "channel B-01 of the template";
    EXPECT_FALSE(text.contains(frequencies[0])) << "group A was not chosen";
    EXPECT_FALSE(text.contains(frequencies[3])) << "group D was not chosen";
    EXPECT_TRUE(text.contains("File Name: plan.dat"));
    EXPECT_TRUE(text.contains("Date: 2024-03-09"));
    EXPECT_TRUE(text.contains("28.000000 - 29.700000 MHz"));
    EXPECT_TRUE(text.contains("TOT[s]")) << "all sections by default";
    EXPECT_TRUE(text.contains("SEE YOU"));

    run = cli({"print", file("plan.dat"), "-o", file("all.pdf"), "--sections", "channels"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    text = pdfText(file("all.pdf"));
    for (const char* frequency : frequencies)
        EXPECT_TRUE(text.contains(frequency)) << frequency;
    EXPECT_FALSE(text.contains("TOT[s]"));
    EXPECT_FALSE(text.contains("SEE YOU"));

    EXPECT_EQ(cli({"print", file("plan.dat"), "-o", file("x.pdf"), "--groups", "D-B"}).exitCode, 2);
    EXPECT_EQ(cli({"print", file("plan.dat"), "-o", file("x.pdf"), "--sections", "keys"}).exitCode,
              2);
    EXPECT_FALSE(QFile::exists(file("x.pdf")));
}

TEST_F(ExchangeVerbs, SpreadsheetColumnsGoOutAndComeBackRecognisedByTheirHeader) {
    std::mt19937 random(18);
    const zx::model::ConfigRecord original =
        zx::test::randomDocument(random, zx::test::bandState(0));
    writeDocument("a.dat", original);

    CliRun r = cli({"export", file("a.dat"), "--format", "sheet", "-o", file("sheet.csv")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QByteArray sheet = zx::test::readAll(file("sheet.csv"));
    EXPECT_TRUE(sheet.startsWith("Group,Channel,RX Frequency,TX Frequency,Scan,BUSY,ECHO,HI-CUT,"
                                 "+10KHz,NB/ANL,RB\r\n"))
        << sheet.left(120).toStdString();
    EXPECT_EQ(cli({"export", file("a.dat"), "--format", "sheet"}).out, sheet);

    // The import tells the kind by the header: no option needed, --format sheet accepted.
    for (const QStringList& format : {QStringList{}, QStringList{"--format", "sheet"}}) {
        r = cli(
            QStringList{"import", file("sheet.csv"), "--into", file("a.dat"), "-o", file("b.dat")} +
            format);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        r = cli({"diff", file("a.dat"), file("b.dat")});
        EXPECT_EQ(r.exitCode, 0) << r.out.toStdString();
    }

    // A spreadsheet's export where the decimal separator is a comma: ';' between the fields.
    zx::test::writeAll(file("semicolons.csv"), "Group;Channel;RX Frequency;TX Frequency\r\n"
                                               "C;7;28,750000;28,850000\r\n");
    r = cli({"import", file("semicolons.csv"), "-o", file("c.dat")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = cli({"export", file("c.dat"), "--format", "sheet"});
    EXPECT_TRUE(r.out.contains("\r\nC,7,28.750000,28.850000,Add,Disable,Enable,"))
        << r.out.toStdString();

    EXPECT_EQ(cli({"export", file("a.dat"), "--format", "xls"}).exitCode, 2);
}

TEST_F(ExchangeVerbs, ATableWithBothHeaderKindsIsRefusedWithoutARowCount) {
    zx::test::writeAll(file("mixed.csv"), "Location,Group,Frequency,RX Frequency\r\n"
                                          "1,A,28.1,28.1\r\n");
    CliRun r = cli({"import", file("mixed.csv"), "--skip-bad", "-o", file("out.dat")});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(lines(r.err),
              QStringList{"zx908hf-cli: " + file("mixed.csv") +
                          ": line 1: the header names CHIRP's columns (Location, Frequency) and "
                          "the spreadsheet columns (Group, RX Frequency) at once; keep the "
                          "columns of one kind"});
    EXPECT_FALSE(QFile::exists(file("out.dat")));

    // A CSV of semicolons was once read as one column and refused as "1 of 0 rows".
    zx::test::writeAll(file("chirp.csv"), "Location;Name;Frequency\r\n1;A-01;28,125\r\n");
    r = cli({"import", file("chirp.csv"), "-o", file("chirp.dat")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains("of 0 rows"));
}

TEST(VerbHelp, ListsEveryOption) {
    const std::pair<const char*, QStringList> verbs[] = {
        {"export", {"--format", "--output", "-o", "--help"}},
        {"import",
         {"--format", "--into", "--band", "--skip-bad", "--merge", "--output", "-o", "--help"}},
        {"diff", {"--json", "--help"}},
        {"print", {"--output", "-o", "--groups", "--sections", "--help"}},
    };
    for (const auto& [verb, options] : verbs) {
        const CliRun r = cli({verb, "--help"});
        EXPECT_EQ(r.exitCode, 0) << verb;
        for (const QString& option : options)
            EXPECT_TRUE(r.out.contains(option.toUtf8())) << verb << ' ' << option.toStdString();
    }
}
