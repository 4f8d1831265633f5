// zx908hf-cli verify against a virtual radio: the radio read (and kept as a backup) and
// compared with a data file field by field, without changing either.
#include "CliInstallation.h"
#include "RecordWithA12.h"
#include "model/ChannelTable.h"
#include "sim/MemoryFiles.h"
#include "sim/VirtualRadio.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>
#include <optional>

namespace zx::test {
namespace {

using sim::CommandKind;

// What the radio holds: A-12 and a first message line.
model::ConfigRecord radioRecord() {
    return recordWithA12("SHOP");
}

class VerifyCliTest : public ::testing::Test {
protected:
    void startRadio(sim::RadioOptions options = {}) {
        const QString source = scratch.filePath("radio.dat");
        CliInstallation::writeBytes(source, bytesOf(radioRecord()));
        options.bandCode = 0;
        radio.emplace(options, sim::imageFromDataFile(QFile::encodeName(source).toStdString(), 0));
        radio->start();
        install.emplace(radio->devicePath());
        ASSERT_TRUE(install->ok());
    }
    QString dataFile(const QString& name, const model::ConfigRecord& record) {
        const QString path = install->file(name);
        CliInstallation::writeBytes(path, bytesOf(record));
        return path;
    }
    QStringList backups() const {
        return QDir(install->backupsFolder()).entryList(QDir::Files, QDir::Name);
    }

    QTemporaryDir scratch;
    std::optional<sim::VirtualRadio> radio;
    std::optional<CliInstallation> install;
};

TEST_F(VerifyCliTest, NamesExactlyTheFieldsWhereTheRadioDiffersFromTheFile) {
    startRadio();

    // The radio holds what the file holds: exit 0, nothing on standard output, the verdict on
    // standard error, and the read kept as a backup like every read.
    const QString same = dataFile("same.dat", radioRecord());
    CliResult result = install->run({"verify", same});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, "");
    EXPECT_TRUE(result.err.contains("The radio holds what same.dat holds."))
        << result.err.toStdString();
    EXPECT_FALSE(result.err.contains("Read Data Completed.")) << "nothing was taken over";
    EXPECT_EQ(radio->stats().count(CommandKind::Read), 120);
    EXPECT_EQ(radio->stats().count(CommandKind::Write), 0) << "the radio is only read";
    EXPECT_EQ(radio->log().back().kind, CommandKind::End);
    ASSERT_EQ(backups().size(), 2) << backups().join(' ').toStdString();
    EXPECT_TRUE(backups().front().startsWith("ZX-908HF_read_"));

    // A file that differs in five things the radio keeps (the new channel B-03 is also the
    // emergency channel of its group now) and one it does not.
    model::ConfigRecord changed = radioRecord();
    changed.channels[0].rxFreq = "28600000";
    changed.channelCount[1] = 1;
    changed.channels[60] = changed.channels[0];
    changed.channels[60].number = 3;
    changed.channels[60].rxFreq = "28300000";
    changed.optionFeatures[0] = 3; // TOT 90 s
    changed.embeddedMessage[1] = "SECOND";
    changed.dtmf.idCode = "123"; // the radio has no place for it
    model::fixEmergencyChannels(changed);
    const QString other = dataFile("other.dat", changed);
    const QByteArray otherBytes = CliInstallation::readBytes(other);

    result = install->run({"verify", "--no-backup", other});
    EXPECT_EQ(result.exitCode, 1) << result.err.toStdString();
    EXPECT_EQ(result.out.split('\n', Qt::SkipEmptyParts),
              (QStringList{"A-12 RX Frequency: radio 28.512300, file 28.600000",
                           "B-03: radio (none), file 28.300000", "TOT[s]: radio 60, file 90",
                           "Emergency Channel B: radio (none), file 3",
                           "Local Information line 2: radio \"\", file \"SECOND\""}))
        << result.out.toStdString();
    EXPECT_TRUE(result.err.contains("The radio differs from other.dat in 5 fields."))
        << result.err.toStdString();
    EXPECT_EQ(backups().size(), 2) << "--no-backup keeps nothing";

    // The same as JSON, for programs.
    result = install->run({"verify", "--json", "--no-backup", other});
    EXPECT_EQ(result.exitCode, 1) << result.err.toStdString();
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(result.out.toUtf8(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << result.out.toStdString();
    ASSERT_TRUE(json.isArray());
    QStringList keys;
    for (const QJsonValue& entry : json.array())
        keys << entry["key"].toString();
    EXPECT_EQ(keys, (QStringList{"A-12.rxFreq", "B-03", "optionFeatures[0]", "optionFeatures[25]",
                                 "embeddedMessage[1]"}));
    const QJsonObject first = json.array().first().toObject();
    EXPECT_EQ(first["field"].toString(), "A-12 RX Frequency");
    EXPECT_EQ(first["radio"].toString(), "28.512300");
    EXPECT_EQ(first["file"].toString(), "28.600000");
    EXPECT_EQ(install->run({"verify", "--json", "--no-backup", same}).out.simplified(), "[ ]");

    EXPECT_EQ(CliInstallation::readBytes(other), otherBytes) << "the file is not changed";
    EXPECT_EQ(radio->stats().count(CommandKind::Write), 0);
}

TEST_F(VerifyCliTest, FrequenciesTheRadioHoldsTo100HzAreToldApartFromDifferences) {
    startRadio();
    // The file has 10 Hz digits on A-12 (the radio holds 28.512300, as a write leaves it) and a
    // real difference on its first message line.
    model::ConfigRecord fine = radioRecord();
    fine.channels[0].rxFreq = "28512340";
    fine.channels[0].txFreq = "28512340";
    const QString path = dataFile("fine.dat", fine);
    CliResult result = install->run({"verify", "--no-backup", path});
    EXPECT_EQ(result.exitCode, 0) << "no difference a write could mend: "
                                  << result.err.toStdString();
    EXPECT_EQ(result.out, "");
    EXPECT_TRUE(
        result.err.contains("The radio holds what fine.dat holds.\n"
                            "Stored to 100 Hz, as a write stores them (not differences): 2\n"
                            "  A-12 RX Frequency: radio 28.512300, file 28.512340\n"
                            "  A-12 TX FreQuency: radio 28.512300, file 28.512340\n"))
        << result.err.toStdString();

    // A write of the file names those digits before it sends anything; afterwards the radio
    // holds what it held.
    result = install->run({"write", "--no-backup", "--no-verify", "--yes", path});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("note: A-12 RX 28.512340 is written as 28.512300\n"
                                    "zx908hf-cli: note: A-12 TX 28.512340 is written as 28.512300"))
        << result.err.toStdString();
    EXPECT_EQ(install->run({"verify", "--no-backup", path}).exitCode, 0);

    fine.embeddedMessage[0] = "OTHER";
    result = install->run({"verify", "--no-backup", "--json", dataFile("other.dat", fine)});
    EXPECT_EQ(result.exitCode, 1) << result.err.toStdString();
    const QJsonDocument json = QJsonDocument::fromJson(result.out.toUtf8());
    ASSERT_EQ(json.array().size(), 1) << "only the real difference: " << result.out.toStdString();
    EXPECT_EQ(json.array().first()["key"].toString(), "embeddedMessage[0]");
    EXPECT_TRUE(result.err.contains("Stored to 100 Hz")) << result.err.toStdString();
}

TEST_F(VerifyCliTest, EndsLikeTheOtherRadioVerbs) {
    sim::RadioOptions failing;
    failing.faults.silentAfterBlocks = 30; // the cable is pulled in the middle of the read
    startRadio(failing);
    const QString file = dataFile("file.dat", radioRecord());

    // A file that cannot be used and a port that is none are refused before the radio is
    // asked anything.
    CliResult result = install->run({"verify", install->file("missing.dat")});
    EXPECT_EQ(result.exitCode, 3) << result.err.toStdString();
    result = install->run({"verify", "--port", "/dev/null", file});
    EXPECT_EQ(result.exitCode, 4) << result.err.toStdString();
    EXPECT_EQ(install->run({"verify"}).exitCode, 2);
    EXPECT_EQ(radio->stats().bytesReceived, 0);

    // A read that fails is no verdict: an exit code of its own, nothing on standard output.
    result = install->run({"verify", "--json", file});
    EXPECT_EQ(result.exitCode, 6) << result.err.toStdString();
    EXPECT_EQ(result.out, "");
    EXPECT_TRUE(result.err.contains("Check Connection.")) << result.err.toStdString();
    EXPECT_FALSE(result.err.contains("The radio")) << result.err.toStdString();
    EXPECT_TRUE(backups().isEmpty()) << "no backup of a partial read";
}

} // namespace
} // namespace zx::test
