// Record <-> JSON in both code pages: every record of valid counts comes back byte for byte,
// including text bytes that do not form characters of the code page.
#include "cli/JsonRecord.h"

#include "cli/JsonText.h"
#include "model/Band.h"
#include "model/Defaults.h"
#include "model/RecordCodec.h"
#include "text/Language.h"

#include <QCryptographicHash>
#include <gtest/gtest.h>
#include <random>

using namespace zx::model;

namespace {

RecordBytes randomValidBytes(std::mt19937& random) {
    RecordBytes b{};
    for (auto& byte : b)
        byte = static_cast<std::uint8_t>(random());
    ConfigRecord r = decodeRecord(b);
    r.currentGroup = Integer(random() % 6);
    for (auto& c : r.channelCount)
        c = Integer(random() % 61);
    r.autodialCount = Integer(random() % 9);
    r.testFreqCount = Integer(random() % 17);
    r.fleetListCount = Integer(random() % 9);
    return encodeRecord(r);
}

} // namespace

TEST(JsonText, AnyBytesComeBackInBothCodePages) {
    std::mt19937 random(11);
    for (int language : {zx::text::English, zx::text::Chinese}) {
        for (int round = 0; round < 300; ++round) {
            std::string bytes(1 + random() % 32, '\0');
            for (char& c : bytes)
                c = char(random());
            const QString text = zx::cli::fieldToText(bytes, language);
            QString problem;
            const auto back = zx::cli::textToField(text, language, 32, problem);
            ASSERT_TRUE(back.has_value()) << problem.toStdString();
            ASSERT_EQ(*back, bytes) << "language " << language << " round " << round;
        }
    }
}

TEST(JsonText, ReadableTextStaysReadable) {
    EXPECT_EQ(zx::cli::fieldToText("\xC4\xE3\xBA\xC3 ", zx::text::Chinese),
              QString::fromUtf8("你好 "));
    EXPECT_EQ(zx::cli::fieldToText("caf\xE9", zx::text::English), QString::fromUtf8("café"));
    // A lone lead byte at the end of a field is carried as its private-use stand-in.
    const QString lone = zx::cli::fieldToText("A\x81", zx::text::Chinese);
    ASSERT_EQ(lone.size(), 2);
    EXPECT_EQ(lone.at(1).unicode(), 0xF781);

    QString problem;
    EXPECT_FALSE(zx::cli::textToField(QString::fromUtf8("你好"), zx::text::English, 8, problem));
    EXPECT_TRUE(problem.contains("code page"));
    EXPECT_FALSE(zx::cli::textToField(QString::fromUtf8("你好"), zx::text::Chinese, 3, problem));
    EXPECT_TRUE(problem.contains("longer than 3 bytes"));
    EXPECT_EQ(*zx::cli::textToField(QString::fromUtf8("你好"), zx::text::Chinese, 4, problem),
              "\xC4\xE3\xBA\xC3");
}

TEST(JsonRecord, RandomRecordsRoundTripInBothCodePages) {
    std::mt19937 random(5);
    for (int language : {zx::text::English, zx::text::Chinese}) {
        for (int round = 0; round < 20; ++round) {
            const RecordBytes original = randomValidBytes(random);
            const QByteArray json = zx::cli::recordToJson(decodeRecord(original), language);
            ConfigRecord back;
            QString error;
            ASSERT_TRUE(zx::cli::recordFromJson(json, language, back, error))
                << error.toStdString();
            ASSERT_EQ(encodeRecord(back), original) << "language " << language;
        }
    }
}

TEST(JsonRecord, NestedErrorsNameTheirPath) {
    ConfigRecord r;
    QByteArray json = zx::cli::recordToJson(r, zx::text::English);
    QString error;
    ConfigRecord out;
    QByteArray bad = json;
    bad.replace("\"echo\": 0", "\"echo\": 1.5");
    EXPECT_FALSE(zx::cli::recordFromJson(bad, zx::text::English, out, error));
    EXPECT_EQ(error, "key 'channels[0][0].echo': must be a whole number");
    bad = json;
    bad.replace("\"ownId\": 0", "\"ownId\": 4294967296");
    EXPECT_FALSE(zx::cli::recordFromJson(bad, zx::text::English, out, error));
    EXPECT_TRUE(error.startsWith("key 'fleetSync.ownId': value 4294967296 is out of range"))
        << error.toStdString();
    bad = json;
    bad.replace("\"rb\": 0,", "\"rb\": 0, \"rx\": 1,");
    EXPECT_FALSE(zx::cli::recordFromJson(bad, zx::text::English, out, error));
    EXPECT_EQ(error, "unknown key 'channels[0][0].rx'");
    bad = json;
    bad.replace("\"optionByte\": 1", "\"optionByte\": 256");
    EXPECT_FALSE(zx::cli::recordFromJson(bad, zx::text::English, out, error));
    EXPECT_EQ(error, "key 'optionByte': value 256 is out of range 0..255");
}

// The JSON export of fixed documents is pinned by the SHA-256 of its text: the default
// documents of both bands, random records of valid counts, and a record whose texts hold
// Chinese, Western and stray code-page bytes, each exported in both code pages. A change
// of the export format, key order or layout shows here first.
namespace {

ConfigRecord goldenRecord(int which) {
    RuntimeState state;
    if (which == 1) {
        state.bandText = kBandText1;
        parseBandEdges(state);
    }
    if (which <= 1)
        return defaultRecord(state, Today{2024, 3, 9, "2024-03-09"});
    std::mt19937 random(unsigned(1000 + which));
    ConfigRecord r = decodeRecord(randomValidBytes(random));
    if (which == 4) {
        r.embeddedMessage[0] = std::string_view("\xC4\xE3\xBA\xC3 caf\xE9\0", 11);
        r.embeddedMessage[1] = "\x81\x40\xFF\x80 \"quoted\\\" \t";
        r.dtmf.idCode = "\xA1\xA1\xA1";
    }
    return r;
}

QByteArray sha256(const QByteArray& text) {
    return QCryptographicHash::hash(text, QCryptographicHash::Sha256).toHex();
}

} // namespace

TEST(JsonRecord, ExportOfFixedDocumentsIsUnchanged) {
    const char* expected[5][2] = {
        {"50465aa6353320a0c0b02b45822025eb8311e9b10ac132c08010a32157d97bd9",
         "50465aa6353320a0c0b02b45822025eb8311e9b10ac132c08010a32157d97bd9"},
        {"723371322235f2d99b399d81c729d8cf541b72b729f408fee285b96387e106b8",
         "723371322235f2d99b399d81c729d8cf541b72b729f408fee285b96387e106b8"},
        {"58203c3b7216e30fbae939c0b2a4f58d540220930fb2ce5b1a370e75c6346171",
         "8e77dd68f518ae2229b48c7a72d6b3783ce89611d2cf2802a512050d86ab34e2"},
        {"7d077f2099a6010bfe461bf37304274163f283abfa3693690fc3f6c4b0e2d3c5",
         "b8fc99fae7925faadbe725ac49dd4906d643219a954821b7a012f026b5b6df20"},
        {"2659c9fde095bccefb6a0cc1ca64cc0285d3d46958123d6a2bc06691b001eb8d",
         "25eee20e09eddc50ace55c80067c05e2db8577b1730def1885e03cd9d070def1"},
    };
    for (int which = 0; which < 5; ++which) {
        for (int language : {zx::text::English, zx::text::Chinese}) {
            const QByteArray json = zx::cli::recordToJson(goldenRecord(which), language);
            EXPECT_EQ(sha256(json).toStdString(), expected[which][language - 1])
                << "document " << which << " language " << language;
        }
    }
}
