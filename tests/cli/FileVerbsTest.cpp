// The file verbs of the real zx908hf-cli binary, run on temporary files.
#include "cli/CliRunner.h"
#include "model/RecordCodec.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>

namespace {

using zx::test::cli;
using zx::test::CliRun;
using zx::test::readAll;
using zx::test::writeAll;

int integerAt(const QByteArray& b, int offset) {
    return qint16(quint8(b[offset]) | (quint8(b[offset + 1]) << 8));
}

class FileVerbs : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file(const QString& name) const { return dir.filePath(name); }

    QByteArray newFile(const QString& name, int band = 0) {
        const CliRun r = cli({"new", "--band", QString::number(band), "-o", file(name)});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return readAll(file(name));
    }
    // A valid data file with random bytes everywhere except the version and the counts.
    QByteArray randomFile(unsigned seed) {
        std::mt19937 random(seed);
        QByteArray b(int(zx::model::kRecordSize), 0);
        for (char& c : b)
            c = char(random());
        b.replace(0, 4, "V310");
        b[4] = char(random() % 6);
        b[5] = 0;
        for (int g = 0; g < 6; ++g) {
            b[6 + 2 * g] = char(random() % 61);
            b[7 + 2 * g] = 0;
        }
        for (int offset : {13905, 14469}) {
            b[offset] = char(random() % 9);
            b[offset + 1] = 0;
        }
        b[14051] = char(random() % 17);
        b[14052] = 0;
        return b;
    }
    void expectFailure(const QStringList& args, int code, const QString& needle,
                       const QString& unwritten) {
        const CliRun r = cli(args);
        EXPECT_EQ(r.exitCode, code) << args.join(' ').toStdString();
        const QString err = QString::fromUtf8(r.err);
        EXPECT_EQ(err.count('\n'), 1) << err.toStdString();
        EXPECT_TRUE(err.contains(needle)) << err.toStdString();
        if (!unwritten.isEmpty())
            EXPECT_FALSE(QFile::exists(unwritten)) << unwritten.toStdString();
    }
};

} // namespace

TEST_F(FileVerbs, NewWritesTheDefaultsOfEachBand) {
    const QByteArray b0 = newFile("b0.dat", 0);
    const QByteArray b1 = newFile("b1.dat", 1);
    ASSERT_EQ(b0.size(), 14536);
    ASSERT_EQ(b1.size(), 14536);
    EXPECT_EQ(b0.left(4), "V310");
    EXPECT_EQ(b0.mid(18 + 4, 8), "28015000");
    EXPECT_EQ(b0.mid(18 + 60 * 38 + 4, 8), "28145000");
    EXPECT_EQ(b0.mid(13698, 6), "8900  ");
    EXPECT_EQ(integerAt(b0, 13704), 248);
    EXPECT_EQ(b0.mid(13708, 8), "20240309");
    EXPECT_EQ(integerAt(b0, 13706), 0);
    EXPECT_EQ(integerAt(b1, 13706), 1);
    EXPECT_EQ(b0.mid(14405, 32), QByteArray(1, '\0') + QByteArray(31, ' '));
    EXPECT_EQ(quint8(b0[14535]), 1);
    // Only the band differs between the two.
    int differences = 0;
    for (int i = 0; i < b0.size(); ++i)
        differences += b0[i] != b1[i];
    EXPECT_EQ(differences, 2); // bandIndex and bandIndex2, one byte each
}

TEST_F(FileVerbs, TemplatesAreStagedBesideTheProgram) {
    for (const char* name :
         {"0_ZX-908HF_New.dat", "1_ZX-908HF_New.dat", "0_ZX-908HF.dat", "1_ZX-908HF.dat"}) {
        const QByteArray b = readAll(QStringLiteral(ZX_PROGRAM_DIR "/Init/") + name);
        ASSERT_EQ(b.size(), 14536) << name;
        EXPECT_EQ(integerAt(b, 13706), name[0] - '0') << name;
    }
}

TEST_F(FileVerbs, InfoSummarisesTheDocument) {
    newFile("a.dat");
    const CliRun r = cli({"info", file("a.dat")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString out = QString::fromUtf8(r.out);
    EXPECT_TRUE(out.contains("Data version: V310")) << out.toStdString();
    EXPECT_TRUE(out.contains("Band: 0 (28.000000 - 29.700000 MHz)"));
    EXPECT_TRUE(out.contains("Channels: A=1 B=1 C=1 D=1 E=1 F=1"));
    EXPECT_TRUE(out.contains("Emergency channels: A=1 B=1 C=1 D=1 E=1 F=1"));
    EXPECT_TRUE(out.contains("Message line 1: \"\""));
}

TEST_F(FileVerbs, ExportReportsTheBytesAndImportGivesThemBack) {
    const QByteArray original = newFile("a.dat");
    ASSERT_EQ(cli({"export", file("a.dat"), "-o", file("a.json")}).exitCode, 0);
    const QByteArray json = readAll(file("a.json"));
    // Keys in record order.
    EXPECT_LT(json.indexOf("\"dataVersion\""), json.indexOf("\"currentGroup\""));
    EXPECT_LT(json.indexOf("\"fleetList\""), json.indexOf("\"optionByte\""));
    const QJsonObject o = QJsonDocument::fromJson(json).object();
    EXPECT_EQ(o.size(), 18);
    EXPECT_EQ(o["embeddedMessage"].toArray()[0].toString(), QString(QChar(0)) + QString(31, ' '));
    EXPECT_EQ(o["channels"].toArray().size(), 6);
    EXPECT_EQ(o["channels"].toArray()[1].toArray().size(), 60);
    EXPECT_EQ(o["channels"].toArray()[1].toArray()[0].toObject()["rxFreq"].toString(), "28145000");
    EXPECT_EQ(o["modelInfo"].toObject()["modelType"].toInt(), 248);
    EXPECT_EQ(o["fleetSync"].toObject()["dataTxModulationDelay"].toInt(), 400);
    EXPECT_EQ(o["dtmf"].toObject()["idCode"].toString(), "000       ");

    ASSERT_EQ(cli({"import", file("a.json"), "-o", file("b.dat")}).exitCode, 0);
    EXPECT_EQ(readAll(file("b.dat")), original);
}

TEST_F(FileVerbs, RandomFilesRoundTripByteForByte) {
    for (unsigned seed = 1; seed <= 4; ++seed) {
        const QByteArray original = randomFile(seed);
        writeAll(file("r.dat"), original);
        const CliRun e = cli({"export", file("r.dat")});
        ASSERT_EQ(e.exitCode, 0) << e.err.toStdString();
        writeAll(file("r.json"), e.out);
        const CliRun i = cli({"import", file("r.json"), "-o", file("back.dat")});
        ASSERT_EQ(i.exitCode, 0) << i.err.toStdString();
        EXPECT_EQ(readAll(file("back.dat")), original) << "seed " << seed;
    }
}

TEST_F(FileVerbs, ImportRejectsBadJsonNamingTheKey) {
    newFile("a.dat");
    ASSERT_EQ(cli({"export", file("a.dat"), "-o", file("a.json")}).exitCode, 0);
    const QJsonObject good = QJsonDocument::fromJson(readAll(file("a.json"))).object();
    auto variant = [&](const char* name, const std::function<void(QJsonObject&)>& change) {
        QJsonObject o = good;
        change(o);
        const QString path = file(QString(name) + ".json");
        writeAll(path, QJsonDocument(o).toJson());
        return path;
    };
    const QString out = file("never.dat");
    expectFailure(
        {"import", variant("missing", [](QJsonObject& o) { o.remove("scanInfo"); }), "-o", out}, 3,
        "missing key 'scanInfo'", out);
    expectFailure(
        {"import", variant("type", [](QJsonObject& o) { o["optionByte"] = "1"; }), "-o", out}, 3,
        "key 'optionByte': must be a whole number", out);
    expectFailure({"import",
                   variant("long",
                           [](QJsonObject& o) {
                               QJsonObject m = o["modelInfo"].toObject();
                               m["modelCode"] = "8900000";
                               o["modelInfo"] = m;
                           }),
                   "-o", out},
                  3, "key 'modelInfo.modelCode': text is longer than 6 bytes", out);
    expectFailure({"import",
                   variant("count",
                           [](QJsonObject& o) {
                               QJsonArray counts = o["channelCount"].toArray();
                               counts[2] = 61;
                               o["channelCount"] = counts;
                           }),
                   "-o", out},
                  3, "key 'channelCount[2]': value 61 is out of range 0..60", out);
    expectFailure({"import",
                   variant("short", [](QJsonObject& o) { o["keyAssignment"] = QJsonArray{1}; }),
                   "-o", out},
                  3, "key 'keyAssignment': must have 2 elements", out);
    expectFailure({"import", variant("extra", [](QJsonObject& o) { o["colour"] = 1; }), "-o", out},
                  3, "unknown key 'colour'", out);
    expectFailure({"import",
                   variant("unicode", [](QJsonObject& o) { o["dataVersion"] = "V3\u4e00"; }), "-o",
                   out},
                  3, "key 'dataVersion': text holds a character", out);
    writeAll(file("broken.json"), "{\"dataVersion\": ");
    expectFailure({"import", file("broken.json"), "-o", out}, 3, "not valid JSON", out);
    writeAll(file("array.json"), "[]");
    expectFailure({"import", file("array.json"), "-o", out}, 3, "not a JSON object", out);
    // A data version the program could not open makes no data file.
    for (const char* version : {"V311", "XXXX", "V3"})
        expectFailure({"import",
                       variant("version", [&](QJsonObject& o) { o["dataVersion"] = version; }),
                       "-o", out},
                      3,
                      QStringLiteral("dataVersion \"%1\" is not a data version this program can "
                                     "open (its own is V310)")
                          .arg(version),
                      out);
    // A short text is padded, as a field assignment pads it.
    const QString padded = variant("pad", [](QJsonObject& o) {
        QJsonObject m = o["modelInfo"].toObject();
        m["modelCode"] = "89";
        o["modelInfo"] = m;
    });
    ASSERT_EQ(cli({"import", padded, "-o", file("pad.dat")}).exitCode, 0);
    EXPECT_EQ(readAll(file("pad.dat")).mid(13698, 6), "89    ");
}

TEST_F(FileVerbs, OpenRulesAreApplied) {
    QByteArray b = newFile("a.dat");
    const QString out = file("never.json");
    QByteArray v = b;
    v[3] = 'A';
    writeAll(file("v31a.dat"), v);
    expectFailure({"export", file("v31a.dat"), "-o", out}, 3, "Unknown version Of DataFile!", out);
    v = b;
    v[2] = '0';
    writeAll(file("v300.dat"), v);
    expectFailure({"info", file("v300.dat")}, 3, "DataFile version is V3.00", "");
    writeAll(file("short.dat"), b.left(14535));
    expectFailure({"export", file("short.dat"), "-o", out}, 3,
                  "\"short.dat\" is 14535 bytes long; a data file is exactly 14536", out);
    writeAll(file("long.dat"), b + 'x');
    expectFailure({"check", file("long.dat")}, 3, "long.dat", "");
    writeAll(file("empty.dat"), {});
    expectFailure({"info", file("empty.dat")}, 3, "Unknown version Of DataFile!", "");
    expectFailure({"info", file("missing.dat")}, 3, "file error.", "");
}

TEST_F(FileVerbs, CheckAndFix) {
    QByteArray b = newFile("a.dat");
    CliRun r = cli({"check", file("a.dat")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.contains("All frequencys is in of range."));

    b.replace(18 + 12, 8, "31000000");          // transmit frequency above band 0
    b.replace(18 + 60 * 38 + 4, 8, "28123456"); // off the raster
    writeAll(file("bad.dat"), b);
    r = cli({"check", file("bad.dat")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.contains("Frequency is out of range.")) << r.out.toStdString();

    r = cli({"check", file("bad.dat"), "--fix", "-o", file("fixed.dat")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QByteArray fixed = readAll(file("fixed.dat"));
    ASSERT_EQ(fixed.size(), 14536);
    EXPECT_EQ(fixed.mid(18 + 12, 8), "29700000");
    EXPECT_EQ(fixed.mid(18 + 60 * 38 + 4, 8), "28123450");
    EXPECT_EQ(cli({"check", file("fixed.dat")}).exitCode, 0);
}

TEST_F(FileVerbs, UsageAndWriteFailures) {
    newFile("a.dat");
    expectFailure({"new", "--band", "2", "-o", file("x.dat")}, 2, "--band", file("x.dat"));
    expectFailure({"new"}, 2, "-o", "");
    expectFailure({"import", file("a.json")}, 2, "-o", "");
    expectFailure({"check", file("a.dat"), "--fix"}, 2, "--fix", "");
    expectFailure({"info"}, 2, "expected 1", "");
    expectFailure({"export", file("a.dat"), "--bogus"}, 2, "bogus", "");
    // Writing into a folder that does not exist fails cleanly; a folder is refused by name.
    expectFailure({"new", "-o", file("no/such/x.dat")}, 3, "file error.", "");
    QDir(dir.path()).mkdir("sub");
    expectFailure({"new", "-o", file("sub")}, 3,
                  "Cannot save to \"" + file("sub") + "\": it is not a regular file", "");
    EXPECT_TRUE(QFileInfo(file("sub")).isDir());
    // So is a pipe, which a write would otherwise block on or replace.
    ASSERT_EQ(::mkfifo(QFile::encodeName(file("pipe")).constData(), 0600), 0);
    expectFailure({"new", "-o", file("pipe")}, 3, "is not a regular file", "");
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(file("pipe")).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    // An existing output is replaced only by a complete file.
    writeAll(file("keep.dat"), "old");
    writeAll(file("bad.json"), "{}");
    expectFailure({"import", file("bad.json"), "-o", file("keep.dat")}, 3, "missing key", "");
    EXPECT_EQ(readAll(file("keep.dat")), "old");
}

namespace {

TEST_F(FileVerbs, CheckListsWhatADamagedFileHoldsAndFixRepairsIt) {
    QByteArray b = newFile("a.dat");
    b[18] = char(75);    // A-01 is channel 75
    b[6 + 2] = char(70); // group B claims 70 channels
    b[13731] = char(77); // TOT holds no entry of its list
    writeAll(file("damaged.dat"), b);
    CliRun r = cli({"check", file("damaged.dat")});
    EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
    const QString prefix = file("damaged.dat") + ": ";
    const QStringList lines = QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 4) << r.out.toStdString();
    // In the order of the file: the count, the channels, the options; then the verdicts.
    EXPECT_EQ(lines[0], prefix + "Channel Count B is 70, outside 0..60: it becomes 60.");
    EXPECT_EQ(lines[1], prefix +
                            "Group A entry 1: channel number 75 is outside 1..60: the channel is "
                            "dropped.");
    EXPECT_TRUE(lines.contains(prefix + "TOT[s] holds [77], which is no entry of its list: it "
                                        "becomes Off."))
        << r.out.toStdString();
    EXPECT_EQ(lines.last(),
              prefix + QStringLiteral("damaged: %1 problem(s)").arg(lines.size() - 2));

    r = cli({"check", file("damaged.dat"), "--fix", "-o", file("repaired.dat")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = cli({"check", file("repaired.dat")});
    EXPECT_EQ(r.exitCode, 0) << r.out.toStdString();
    EXPECT_TRUE(r.out.endsWith(": no damage found\n")) << r.out.toStdString();
    const QByteArray repaired = readAll(file("repaired.dat"));
    EXPECT_EQ(integerAt(repaired, 6), 0) << "group A lost its only channel";
    EXPECT_EQ(integerAt(repaired, 8), 1) << "group B keeps its one real channel";
    EXPECT_EQ(integerAt(repaired, 13731), 0);

    // Not a data file at all: 3, as every verb that reads one.
    writeAll(file("text.dat"), "V3 notes\n");
    EXPECT_EQ(cli({"check", file("text.dat")}).exitCode, 3);
}

} // namespace

namespace {

TEST_F(FileVerbs, UsageLinesNameTheVerbAndAFileNamedLikeAnOptionGetsAHint) {
    for (const char* verb : {"info", "export", "check", "read", "write", "simulate", "ports"}) {
        const CliRun r = cli({verb, "--help"});
        EXPECT_EQ(r.exitCode, 0) << verb;
        EXPECT_TRUE(r.out.startsWith(QByteArray("Usage: zx908hf-cli ") + verb + " [options]"))
            << r.out.left(80).toStdString();
    }

    newFile("a.dat");
    ASSERT_TRUE(QFile::copy(file("a.dat"), file("-dash.dat")));
    QDir::setCurrent(dir.path());
    CliRun r = cli({"info", "-dash.dat"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("to name the file -dash.dat, put -- before it: zx908hf-cli info -- "
                               "-dash.dat"))
        << r.err.toStdString();
    r = cli({"info", "--", "-dash.dat"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    // The radio verbs read their options another way; the hint is the same.
    r = cli({"write", "-dash.dat"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("put -- before it: zx908hf-cli write -- -dash.dat"))
        << r.err.toStdString();
    // An unknown option that names no file gets no hint.
    r = cli({"info", "-x"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_FALSE(r.err.contains("put --")) << r.err.toStdString();
}

} // namespace
