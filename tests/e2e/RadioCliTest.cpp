// zx908hf-cli against a virtual radio on a pseudo-terminal: whole reads and writes compared
// byte by byte with the radio's memory, and every injected fault ending as the radio
// conversations prescribe, with the data files untouched whenever a run fails.
#include "CliInstallation.h"
#include "model/ChannelTable.h"
#include "model/Defaults.h"
#include "model/RecordCodec.h"
#include "sim/MemoryFiles.h"
#include "sim/VirtualRadio.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <cstring>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>

namespace zx::test {
namespace {

using sim::CommandKind;
using sim::Memory;

constexpr int kBandCode = 0x1D87;

// A configuration with something to see in every carried area: three channels in group A
// (numbers 1, 5 and 60, so packing shows), one in group C, features off their defaults and
// an embedded message.
model::ConfigRecord sampleRecord(int band = 0) {
    model::RuntimeState state;
    model::Today today{2026, 3, 15, "2026-03-15"};
    model::ConfigRecord record = model::defaultRecord(state, today);
    const auto channel = [](int number, const char* rx, const char* tx, int scan, int busy) {
        model::ChannelEntry entry;
        entry.number = model::Integer(number);
        entry.inUse = 1;
        entry.rxFreq = rx;
        entry.txFreq = tx;
        entry.scan = model::Integer(scan);
        entry.busy = model::Integer(busy);
        entry.rb = 1;
        return entry;
    };
    record.channelCount = {3, 0, 1, 0, 0, 0};
    record.channels[0] = channel(1, "28015000", "28015000", 1, 0);
    record.channels[1] = channel(5, "28500000", "28600000", 0, 1);
    record.channels[2] = channel(60, "29690000", "29690000", 1, 1);
    record.channels[2 * model::kChannelsPerGroup] = channel(7, "28123400", "28123400", 1, 0);
    record.optionFeatures[0] = 3;
    record.optionFeatures[9] = 30;
    record.optionFeatures[45] = -300;
    record.optionByte = 5;
    record.embeddedMessage[0] = "HELLO RADIO";
    record.embeddedMessage[1] = "LINE TWO";
    record.modelInfo.bandIndex = model::Integer(band);
    record.modelInfo.bandIndex2 = model::Integer(band);
    // Group C's emergency channel names its channel, as in every document the program makes.
    model::fixEmergencyChannels(record);
    return record;
}

QByteArray recordBytes(const model::ConfigRecord& record) {
    const model::RecordBytes bytes = model::encodeRecord(record);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

model::ConfigRecord readRecord(const QString& path) {
    const QByteArray bytes = CliInstallation::readBytes(path);
    return model::decodeRecord(std::span<const std::uint8_t>(
        reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())));
}

Memory filled(std::uint8_t value) {
    Memory memory;
    memory.fill(value);
    return memory;
}

// First differing address in [from, to), or -1.
int firstDifference(const Memory& a, const Memory& b, int from, int to) {
    for (int address = from; address < to; ++address)
        if (a[std::size_t(address)] != b[std::size_t(address)])
            return address;
    return -1;
}

class RadioCliTest : public ::testing::Test {
protected:
    // Starts the radio and a private installation whose COM1 is the radio.
    void startRadio(sim::RadioOptions options, const Memory& memory) {
        radio.emplace(std::move(options), memory);
        radio->start();
        install.emplace(radio->devicePath());
        ASSERT_TRUE(install->ok());
    }
    void startRadio(sim::RadioOptions options = {}) {
        startRadio(std::move(options), sim::VirtualRadio::blankMemory());
    }

    // A data file holding `record`, in the installation's folder.
    QString dataFile(const QString& name, const model::ConfigRecord& record) {
        const QString path = install->file(name);
        CliInstallation::writeBytes(path, recordBytes(record));
        return path;
    }

    CliResult cli(const QStringList& arguments) { return install->run(arguments); }

    std::optional<sim::VirtualRadio> radio;
    std::optional<CliInstallation> install;
};

// What a radio would hold after a write of `file`: the program's encoding of it.
Memory expectedImage(const QString& file, int bandCode) {
    return sim::imageFromDataFile(QFile::encodeName(file).toStdString(), bandCode);
}

TEST_F(RadioCliTest, ReadSavesTheRadiosWholeConfiguration) {
    // The radio holds a configuration written earlier by the program.
    QTemporaryDir scratch;
    const QString source = scratch.filePath("source.dat");
    CliInstallation::writeBytes(source, recordBytes(sampleRecord()));
    const Memory memory = expectedImage(source, 0);
    startRadio({}, memory);

    const QString out = install->file("out.dat");
    const CliResult result =
        cli({"read", "--yes", "-o", out, "--trace", install->file("trace.txt")});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("Read Data Completed.")) << result.err.toStdString();
    EXPECT_FALSE(result.err.contains('\r')) << "no progress bar without a terminal";

    EXPECT_EQ(radio->stats().count(CommandKind::Read), 120);
    ASSERT_EQ(CliInstallation::readBytes(out).size(), 14536);
    // Writing what was read gives the radio's memory back, over everything a write carries.
    const Memory again = expectedImage(out, 0);
    EXPECT_EQ(firstDifference(again, memory, 0x0010, 0x1D98), -1);
    EXPECT_EQ(firstDifference(again, memory, 0x1DA0, 0x1DE0), -1);

    // And the document holds the radio's channels, packed, with the rest of the New template.
    const model::ConfigRecord got = readRecord(out);
    EXPECT_EQ(got.channelCount[0], 3);
    EXPECT_EQ(got.channelCount[2], 1);
    EXPECT_EQ(got.channels[2].number, 60);
    EXPECT_EQ(got.channels[1].txFreq.trimmed(), "28600000");
    EXPECT_EQ(got.channels[1].busy, 1);
    EXPECT_EQ(got.optionFeatures[45], -300);
    EXPECT_EQ(got.optionByte, 5);
    EXPECT_EQ(got.embeddedMessage[0].view().substr(0, 12), std::string_view("HELLO RADIO\0", 12));
    // What the radio does not carry comes from the New template, as after start-up.
    const model::ConfigRecord fresh = readRecord(install->newTemplate(0));
    EXPECT_EQ(got.dtmf, fresh.dtmf);
    EXPECT_EQ(got.fleetSync, fresh.fleetSync);
    EXPECT_EQ(got.testFreqCount, fresh.testFreqCount);
    EXPECT_EQ(got.scanInfo, fresh.scanInfo);

    const QString trace =
        QString::fromLatin1(CliInstallation::readBytes(install->file("trace.txt")));
    EXPECT_TRUE(trace.contains("> 50 52 4F 47 52 41 4D")) << "hand-shake traced";
    EXPECT_TRUE(trace.contains("< 06"));
}

TEST_F(RadioCliTest, WriteSendsTheFileFrom0010AndTheRadiosOwnIdentityBytes) {
    sim::RadioOptions options;
    options.bandCode = 0;
    startRadio(options, filled(0x55));
    const QString file = dataFile("sample.dat", sampleRecord());
    const QByteArray before = CliInstallation::readBytes(file);

    const CliResult result = cli({"write", "--yes", file});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("Write Data Completed.")) << result.err.toStdString();
    EXPECT_EQ(radio->stats().count(CommandKind::Write), 477);
    EXPECT_EQ(CliInstallation::readBytes(file), before) << "a write leaves its file alone";

    const Memory memory = radio->memory();
    const Memory expected = expectedImage(file, 0);
    for (int address = 0; address < 0x10; ++address)
        EXPECT_EQ(memory[std::size_t(address)], 0x55) << "a first write never sends 0000-000F";
    EXPECT_EQ(firstDifference(memory, expected, 0x0010, 0x1D90), -1);
    EXPECT_EQ(firstDifference(memory, expected, 0x1D9E, 0x1DE0), -1);
    EXPECT_EQ(memory[kBandCode], 0);
    // The 14 bytes the radio gave as its identity answer in this conversation.
    const std::uint8_t identity[14] = {'P',  '8', '9', '0', '0', 0x00, 0xF8,
                                       0xFF, 'V', '3', '1', '0', 0xFF, 0xFF};
    EXPECT_EQ(std::memcmp(&memory[0x1D90], identity, sizeof identity), 0);
    for (int address = 0x1DE0; address < 0x2000; ++address)
        ASSERT_EQ(memory[std::size_t(address)], 0x55) << "written past the end at " << address;
}

TEST_F(RadioCliTest, LostWriteAnswerRetriedFromAddressZero) {
    sim::RadioOptions options;
    options.bandCode = 0;
    options.faults.dropAnswers.push_back({CommandKind::Write, 5});
    startRadio(options, filled(0x55));
    const QString file = dataFile("sample.dat", sampleRecord());

    const CliResult result = cli({"write", "--yes", file});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.err.count("Check Connection. Retry or Cancel?"), 1)
        << result.err.toStdString();
    // Five blocks, then the whole transfer again with the block at 0000.
    EXPECT_EQ(radio->stats().count(CommandKind::Write), 5 + 478);
    const Memory memory = radio->memory();
    const Memory expected = expectedImage(file, 0);
    EXPECT_EQ(firstDifference(memory, expected, 0x0000, 0x1D90), -1);
}

TEST_F(RadioCliTest, ReadFaultsRecoverAfterRetry) {
    struct Case {
        const char* name;
        void (*inject)(sim::FaultPlan&);
        int prompts;
    };
    const Case cases[] = {
        {"wrong checksum", [](sim::FaultPlan& f) { f.badChecksumBlock = 7; }, 1},
        {"surplus byte",
         [](sim::FaultPlan& f) {
             f.surplusAfter.push_back({CommandKind::Read, 3});
         },
         1},
        {"lost block answer",
         [](sim::FaultPlan& f) {
             f.dropAnswers.push_back({CommandKind::Read, 50});
         },
         1},
        {"answers in pieces",
         [](sim::FaultPlan& f) {
             f.splitPieces = 4;
             f.splitGap = std::chrono::milliseconds(2);
         },
         0},
    };
    QTemporaryDir scratch;
    CliInstallation::writeBytes(scratch.filePath("s.dat"), recordBytes(sampleRecord()));
    const Memory memory = expectedImage(scratch.filePath("s.dat"), 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim::RadioOptions options;
        c.inject(options.faults);
        startRadio(options, memory);
        const QString out = install->file("out.dat");
        const CliResult result = cli({"read", "--yes", "-o", out});
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
        EXPECT_EQ(result.err.count("Check Connection. Retry or Cancel?"), c.prompts)
            << result.err.toStdString();
        EXPECT_EQ(firstDifference(expectedImage(out, 0), memory, 0x0010, 0x1DE0), -1);
    }
}

TEST_F(RadioCliTest, FailedReadsLeaveTheOutputFileAlone) {
    struct Case {
        const char* name;
        sim::RadioOptions options;
        QStringList flags;
        QStringList expected;
        QStringList absent;
    };
    sim::RadioOptions silent;
    silent.faults.silentAfterBlocks = 10;
    sim::RadioOptions otherModel;
    otherModel.modelCode = "8800";
    sim::RadioOptions newerData;
    newerData.dataVersion = "V320";
    const Case cases[] = {
        // No terminal and no flag: the question before the read takes Cancel.
        {"no answer to the question", {}, {}, {"Do you wish continue?", "Cancel (no terminal"}, {}},
        {"answered no", {}, {"--no"}, {"Do you wish continue?\n  -> Cancel"}, {}},
        // --yes retries a limited number of times, then gives up.
        {"radio goes silent",
         silent,
         {"--yes", "--retries", "0"},
         {"Check Connection. Retry or Cancel?", "retry limit"},
         {}},
        {"other model", otherModel, {"--yes"}, {"Model type is wrong."}, {"incompatible version"}},
        {"newer data version",
         newerData,
         {"--yes"},
         {"incompatible version. It may cause unknown error.To start the corresponding software "
          "version, or not?\nFirmware version is V3.20\nprogramming software is V3.10"},
         {"Model type is wrong."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        startRadio(c.options);
        const QString out = install->file("out.dat");
        CliInstallation::writeBytes(out, "previous contents");
        const CliResult result = cli(QStringList{"read", "-o", out} + c.flags);
        EXPECT_EQ(result.exitCode, 1) << result.err.toStdString();
        for (const QString& text : c.expected)
            EXPECT_TRUE(result.err.contains(text)) << text.toStdString() << "\n"
                                                   << result.err.toStdString();
        for (const QString& text : c.absent)
            EXPECT_FALSE(result.err.contains(text)) << text.toStdString();
        EXPECT_FALSE(result.err.contains("Read Data Completed."));
        EXPECT_EQ(CliInstallation::readBytes(out), "previous contents");
        if (!c.flags.contains("--yes")) {
            EXPECT_EQ(radio->stats().bytesReceived, 0) << "nothing sent before the answer";
        }
    }
}

TEST_F(RadioCliTest, ReadIntoALinkWritesItsTargetAndANonFileIsRefusedBeforeTheRadio) {
    startRadio({});
    // A pipe (or a device, a folder): refused by name before anything is sent.
    const QString pipe = install->file("pipe.dat");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    CliResult result = cli({"read", "--yes", "-o", pipe});
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_TRUE(result.err.contains("is not a regular file")) << result.err.toStdString();
    EXPECT_EQ(radio->stats().bytesReceived, 0);
    EXPECT_TRUE(QFileInfo(pipe).exists());

    // A link: the file it points at gets the configuration; the link stays.
    const QString target = install->file("radio.dat");
    CliInstallation::writeBytes(target, "previous contents");
    const QString link = install->file("latest.dat");
    ASSERT_TRUE(QFile::link(target, link));
    result = cli({"read", "--yes", "-o", link});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(CliInstallation::readBytes(target).size(), 14536);
}

TEST_F(RadioCliTest, WriteToRadioOfAnotherBandIsRefusedBeforeAnyBlock) {
    sim::RadioOptions options;
    options.bandCode = 1;
    startRadio(options, filled(0x55));
    const QString file = dataFile("sample.dat", sampleRecord(0));
    const CliResult result = cli({"write", "--yes", file});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains("Frequency band type is wrong.")) << result.err.toStdString();
    EXPECT_FALSE(result.err.contains("Write Data Completed."));
    EXPECT_EQ(radio->stats().count(CommandKind::Write), 0);
    EXPECT_EQ(radio->stats().count(CommandKind::End), 1);
    Memory untouched = filled(0x55);
    untouched[kBandCode] = 1;
    EXPECT_EQ(radio->memory(), untouched);
}

TEST_F(RadioCliTest, BandPrintsTheRadiosBandAndAdoptsItOnlyWhenAsked) {
    sim::RadioOptions options;
    options.bandCode = 1;
    startRadio(options);
    const QString file = dataFile("band0.dat", sampleRecord(0));
    const QByteArray before = CliInstallation::readBytes(file);

    CliResult result = cli({"band", file});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out.trimmed(), "25.615000 - 30.105000 MHz");
    EXPECT_TRUE(result.err.contains("Frequency band type is no same")) << result.err.toStdString();

    const QString out = install->file("adopted.dat");
    result = cli({"band", file, "--adopt", "-o", out});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(readRecord(out).modelInfo.bandIndex, 1);
    EXPECT_EQ(CliInstallation::readBytes(file), before);
    EXPECT_EQ(radio->stats().count(CommandKind::Write), 0) << "the band check writes nothing";

    // Without a file the document is the New template of the first band.
    result = cli({"band"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out.trimmed(), "25.615000 - 30.105000 MHz");
}

TEST_F(RadioCliTest, IdentityPrintsEveryFieldOfTheRecord) {
    Memory memory = sim::VirtualRadio::blankMemory();
    const auto put = [&memory](int address, const char* text) {
        std::memcpy(&memory[std::size_t(address)], text, std::strlen(text));
    };
    put(0x1F08, "0086");
    put(0x1F10, "SN-2026-000123");
    put(0x1F20, "2025-11-30");
    put(0x1F50, "0123456789ABCDEF"); // filled completely
    put(0x1F90, "Firmware update");
    startRadio({}, memory);

    CliResult result = cli({"identity", "--json"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QJsonObject id = QJsonDocument::fromJson(result.out.toUtf8()).object();
    EXPECT_EQ(id.value("areaCode").toString(), "0086");
    EXPECT_EQ(id.value("serialNumber").toString(), "SN-2026-000123");
    EXPECT_EQ(id.value("productionDate").toString(), "2025-11-30");
    EXPECT_EQ(id.value("dealerCode").toString(), "0123456789ABCDEF");
    EXPECT_EQ(id.value("maintenanceReason").toString(), "Firmware update");
    EXPECT_EQ(id.value("seller").toString(), "");
    EXPECT_EQ(id.value("version").toString(), "V3.10");
    EXPECT_EQ(id.size(), 14);
    EXPECT_EQ(radio->stats().count(CommandKind::Read), 16);

    result = cli({"identity"});
    ASSERT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.out.contains("serialNumber: SN-2026-000123\n")) << result.out.toStdString();
}

TEST_F(RadioCliTest, PortsUsageAndPortErrors) {
    startRadio();
    CliResult result = cli({"ports"});
    ASSERT_EQ(result.exitCode, 0);
    // A pseudo-terminal the settings recorded earlier is not offered (its number may be a
    // shell window by now); as the configured port it is still used (the reads below).
    EXPECT_FALSE(result.out.contains(QString::fromStdString(radio->devicePath())))
        << result.out.toStdString();
    EXPECT_EQ(cli({"band", "--no"}).exitCode, 0);

    // A device path given directly works (for that run).
    const QString out = install->file("out.dat");
    result =
        cli({"read", "--yes", "--port", QString::fromStdString(radio->devicePath()), "-o", out});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();

    EXPECT_EQ(cli({"read", "--port", install->file("no-such-tty"), "-o", out}).exitCode, 4);
    result = cli({"read", "--port", "COM9", "-o", out});
    EXPECT_EQ(result.exitCode, 4);
    EXPECT_TRUE(result.err.contains("Cannot Open Communication Port.")) << result.err.toStdString();

    EXPECT_EQ(cli({"read"}).exitCode, 2);
    EXPECT_EQ(cli({"read", "--yes", "--no", "-o", out}).exitCode, 2);
    EXPECT_EQ(cli({"read", "--stop-bits", "3", "-o", out}).exitCode, 2);
    EXPECT_EQ(cli({"band", "--adopt"}).exitCode, 2);
    EXPECT_EQ(cli({"write"}).exitCode, 2);

    // Bad files end with 3 before the radio hears anything.
    const long before = radio->stats().bytesReceived;
    EXPECT_EQ(cli({"read", "-o", install->file("no/such/folder/out.dat")}).exitCode, 3);
    CliInstallation::writeBytes(install->file("short.dat"), QByteArray(100, 'x'));
    EXPECT_EQ(cli({"write", "--yes", install->file("short.dat")}).exitCode, 3);
    EXPECT_EQ(radio->stats().bytesReceived, before);
}

} // namespace
} // namespace zx::test
