// What the programs keep in the per-user data folder: backups of the radio's memory with
// their retention, and the serial traces of the last ten conversations.
#include "platform/UserData.h"

#include "model/Defaults.h"
#include "model/RecordCodec.h"
#include "platform/BackupStore.h"
#include "platform/TraceStore.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zx::platform {
namespace {

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray bytesOf(const link::RadioImage& image) {
    return QByteArray(reinterpret_cast<const char*>(image.bytes.data()),
                      qsizetype(image.bytes.size()));
}

class UserDataTest : public ::testing::Test {
protected:
    UserDataTest() {
        model::Today today{2026, 3, 15, "2026-03-15"};
        ws.record = model::defaultRecord(ws.state, today);
        ws.fileBuffer = ws.record;
    }
    QTemporaryDir dir;
    model::Workspace ws;
    const QDateTime noon{QDate(2026, 3, 15), QTime(12, 0, 0)};
};

TEST_F(UserDataTest, BackupKeepsTheImageAsIsAndTheDocumentAReadMakesOfIt) {
    BackupStore store(dir.filePath("backups"));
    const model::ConfigRecord document = ws.record;
    link::RadioImage image;
    model::ConfigRecord radioRecord = ws.record;
    radioRecord.channelCount = {1, 0, 0, 0, 0, 0};
    radioRecord.channel(0, 1).number = 7;
    radioRecord.channel(0, 1).rxFreq = "28100000";
    radioRecord.channel(0, 1).txFreq = "28100000";
    image.encode(radioRecord, 0);
    image.bytes[0x1F10] = 'S'; // the identity area comes along untouched

    QString error;
    const QString path = store.keepRead(image, ws, noon, &error);
    ASSERT_FALSE(path.isEmpty()) << error.toStdString();
    EXPECT_EQ(QFileInfo(path).fileName(), "ZX-908HF_read_20260315-120000.img");
    EXPECT_EQ(contents(path), bytesOf(image));
    const QByteArray dat = contents(dir.filePath("backups/ZX-908HF_read_20260315-120000.dat"));
    ASSERT_EQ(dat.size(), 14536);
    const model::ConfigRecord kept = model::decodeRecord(std::span<const std::uint8_t>(
        reinterpret_cast<const std::uint8_t*>(dat.constData()), std::size_t(dat.size())));
    EXPECT_EQ(kept.channelCount[0], 1);
    EXPECT_EQ(kept.channel(0, 1).number, 7);
    EXPECT_EQ(kept.dtmf, ws.record.dtmf) << "what the radio does not carry is the document's";
    EXPECT_TRUE(ws.record == document) << "the document itself is not touched";

    // More in the same second are numbered across both kinds, so that they list in the
    // order they were made: newest first.
    const QString second = store.keepWrite(image, ws.record, noon, &error);
    EXPECT_EQ(QFileInfo(second).fileName(), "ZX-908HF_write_20260315-120000-2.img");
    const QString third = store.keepWrite(image, ws.record, noon.addSecs(-60), &error);
    const QString fourth = store.keepRead(image, ws, noon, &error);
    EXPECT_EQ(QFileInfo(fourth).fileName(), "ZX-908HF_read_20260315-120000-3.img");
    QStringList order;
    for (const BackupStore::Entry& entry : store.list())
        order << entry.imagePath;
    EXPECT_EQ(order, (QStringList{fourth, second, path, third}));

    // A folder that cannot be made: an error, no crash, nothing half-written.
    BackupStore nowhere(path + "/below-a-file");
    EXPECT_TRUE(nowhere.keepRead(image, ws, noon, &error).isEmpty());
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(UserDataTest, RetentionKeepsTheLastFiftyAndEverythingOfTheLastYear) {
    link::RadioImage image;
    struct Case {
        const char* name;
        int recent; // one a day back from now
        int old;    // one a day back from 400 days ago
        int kept;
    };
    const Case cases[] = {
        {"many recent ones", 70, 5, 70},
        {"few recent ones", 30, 30, 50},
        {"only old ones", 0, 60, 50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        BackupStore store(folder.path());
        for (int i = 0; i < c.old; ++i)
            store.keepWrite(image, ws.record, noon.addDays(-400 - i));
        for (int i = c.recent - 1; i >= 0; --i)
            store.keepRead(image, ws, noon.addDays(-i), nullptr);
        store.prune(noon);
        const QList<BackupStore::Entry> left = store.list();
        EXPECT_EQ(left.size(), c.kept);
        if (c.recent > 0)
            EXPECT_EQ(left.front().time, noon);
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2 * c.kept)
            << "image and document go together";
    }
}

TEST_F(UserDataTest, TracesOfTheLastTenConversationsAreKept) {
    TraceStore traces(dir.filePath("traces"));
    for (int i = 0; i < 12; ++i) {
        QFile* file = traces.begin(i % 2 ? "read" : "write", noon.addSecs(i));
        ASSERT_NE(file, nullptr);
        file->write(QByteArray::number(i));
    }
    traces.finish();
    const QStringList files = traces.files();
    ASSERT_EQ(files.size(), 10);
    EXPECT_EQ(contents(files.front()), "2");
    EXPECT_EQ(contents(files.back()), "11");
    EXPECT_TRUE(QFileInfo(files.back()).fileName().startsWith("ZX-908HF_read_20260315-120011"));
}

} // namespace
} // namespace zx::platform
