// INI files read and written like the classic profile-string calls: names without regard to
// case, and a rewrite that leaves everything but the written key as it was.
#include "platform/ProfileFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zx::platform {
namespace {

class ProfileFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("mysetup.ini"));

    void put(const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    QByteArray bytes() const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(ProfileFileTest, NamesMatchWithoutRegardToCase) {
    put("\xEF\xBB\xBF[VERSION]\r\nFIRMVERSIONCOUNT = 2 \r\n[firm]\r\nfirm0=V310V310\r\n"
        "FIRM1=\"V300V300\"\r\n");
    ProfileFile file(path);
    EXPECT_EQ(file.read("Version", "FirmVersionCount"), "2");
    EXPECT_EQ(file.read("Firm", "Firm0"), "V310V310");
    EXPECT_EQ(file.read("Firm", "Firm1"), "V300V300") << "one pair of quotes goes";
    EXPECT_TRUE(file.contains("FIRM", "firm1"));
    EXPECT_EQ(file.keys("Firm"), (QStringList{"firm0", "FIRM1"}));
    EXPECT_EQ(file.read("Firm", "Firm2", "none"), "none");
    EXPECT_EQ(file.read("Version", "Firm0", "none"), "none") << "a key of another section";

    // Writing an upper-case key through its usual spelling changes that key, adds no second.
    ASSERT_TRUE(file.write("Version", "FirmVersionCount", "1"));
    EXPECT_EQ(bytes(), "\xEF\xBB\xBF[VERSION]\r\nFIRMVERSIONCOUNT=1\r\n[firm]\r\nfirm0=V310V310\r\n"
                       "FIRM1=\"V300V300\"\r\n");
}

TEST_F(ProfileFileTest, RewriteKeepsOrderCommentsAndLineEnds) {
    const QByteArray original = "; settings of the programming tool\r\n"
                                "[language]\r\n"
                                "CurrentLanguage=2\r\n"
                                "  comPort = 1\r\n"
                                "# kept as typed\r\n"
                                "IsFirstRun=0\r\n"
                                "\r\n"
                                "[ports]\r\n"
                                "COM1=/dev/ttyUSB0";
    put(original);
    ProfileFile file(path);

    ASSERT_TRUE(file.write("language", "comPort", "3"));
    QByteArray expected = original;
    expected.replace("  comPort = 1", "  comPort=3");
    EXPECT_EQ(bytes(), expected);

    // A new key goes after the last key of its section, before the blank line.
    ASSERT_TRUE(file.write("LANGUAGE", "StopBit", "2"));
    expected.replace("IsFirstRun=0\r\n", "IsFirstRun=0\r\nStopBit=2\r\n");
    EXPECT_EQ(bytes(), expected);

    // The last line had no line end; it gets the file's own before a line is added after it.
    ASSERT_TRUE(file.write("ports", "COM2", "/dev/ttyS0"));
    expected += "\r\nCOM2=/dev/ttyS0\r\n";
    EXPECT_EQ(bytes(), expected);

    ASSERT_TRUE(file.write("extra", "Key", "line\nbreak"));
    expected += "\r\n[extra]\r\nKey=line break\r\n";
    EXPECT_EQ(bytes(), expected);

    ASSERT_TRUE(file.remove("Language", "CURRENTLANGUAGE"));
    expected.replace("CurrentLanguage=2\r\n", "");
    EXPECT_EQ(bytes(), expected);
    EXPECT_TRUE(file.remove("language", "NoSuchKey"));
    EXPECT_EQ(bytes(), expected);
}

TEST_F(ProfileFileTest, MissingFilesAndFolders) {
    const QString nested = dir.filePath(QStringLiteral("language/mysetup.ini"));
    ProfileFile file(nested);
    EXPECT_FALSE(file.exists());
    EXPECT_EQ(file.read("language", "comPort", "1"), "1");
    EXPECT_TRUE(file.keys("language").isEmpty());
    ASSERT_TRUE(file.write("language", "comPort", "4"));
    EXPECT_TRUE(file.exists());
    EXPECT_EQ(file.read("language", "comPort"), "4");

    // A file that cannot be created (its folder would be inside a file) reports the failure.
    put("[language]\nIsFirstRun=1\n");
    ProfileFile impossible(path + QStringLiteral("/inner.ini"));
    EXPECT_FALSE(impossible.write("language", "comPort", "2"));
    EXPECT_EQ(bytes(), "[language]\nIsFirstRun=1\n");
}

} // namespace
} // namespace zx::platform
