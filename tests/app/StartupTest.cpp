// Start-up: the settings file, the language choice, the version list, the per-user copy of
// the settings and the decimal separator.
#include "AppTestSupport.h"
#include "app/SetupFile.h"
#include "app/VersionListFile.h"
#include "model/DataFile.h"
#include "model/RuntimeState.h"
#include "platform/ProfileFile.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <gtest/gtest.h>
#include <unistd.h>

namespace zx::test {
namespace {

TEST(Startup, EmptyInstallationGetsACompleteSettingsFileWithTheShippedDefaults) {
    TempInstallation inst;
    ASSERT_FALSE(QFileInfo::exists(inst.settingsPath()));
    AppHarness app(inst);

    EXPECT_EQ(app.started.settingsPath, inst.settingsPath());
    ASSERT_TRUE(QFileInfo::exists(inst.settingsPath()));
    EXPECT_TRUE(app.started.firstRun);
    EXPECT_EQ(inst.setting("IsFirstRun"), "0");
    EXPECT_EQ(inst.setting("comPort"), "1");
    EXPECT_EQ(inst.setting("Handshaking"), "0");
    EXPECT_EQ(inst.setting("StopBit"), "1");
    EXPECT_EQ(inst.setting("CurrentLanguage"), "1");
    EXPECT_EQ(app.ws.state.language, text::English);
    EXPECT_EQ(app.ws.state.comPort, 1);
    EXPECT_EQ(app.ws.state.stopBits, 1);
    // The document is the reset, unmodified, untitled one.
    EXPECT_TRUE(app.ws.state.untitled);
    EXPECT_EQ(app.ws.state.currentFileName, "new.dat");
    EXPECT_FALSE(model::isModified(app.ws));
    EXPECT_EQ(app.ws.record.dataVersion.trimmed(), "V310");
}

TEST(Startup, FirstRunOnAChineseSystemStartsInChineseAndRecordsIt) {
    TempInstallation inst;
    inst.writeSettings({{"IsFirstRun", "1"}, {"CurrentLanguage", "1"}});
    AppHarness app(inst, QStringLiteral("804"));
    EXPECT_EQ(app.ws.state.systemLanguage, text::Chinese);
    EXPECT_EQ(app.ws.state.language, text::Chinese);
    EXPECT_EQ(inst.setting("IsFirstRun"), "0");
    EXPECT_EQ(inst.setting("CurrentLanguage"), "2");
}

TEST(Startup, LaterRunsTakeTheStoredLanguageOverTheSystemLanguage) {
    TempInstallation inst;
    inst.writeSettings({{"IsFirstRun", "0"},
                        {"CurrentLanguage", "1"},
                        {"comPort", "4"},
                        {"Handshaking", "2"},
                        {"StopBit", "2"}});
    AppHarness app(inst, QStringLiteral("804"));
    EXPECT_FALSE(app.started.firstRun);
    EXPECT_EQ(app.ws.state.language, text::English);
    EXPECT_EQ(app.ws.state.systemLanguage, text::Chinese);
    EXPECT_EQ(app.ws.state.comPort, 4);
    EXPECT_EQ(app.ws.state.handshaking, 2);
    EXPECT_EQ(app.ws.state.stopBits, 2);
    EXPECT_EQ(inst.setting("comPort"), "4");

    // A Chinese stored language on an English system is honoured too.
    TempInstallation other;
    other.writeSettings({{"IsFirstRun", "False"}, {"CurrentLanguage", "2"}});
    AppHarness chinese(other, QStringLiteral("409"));
    EXPECT_EQ(chinese.ws.state.language, text::Chinese);
}

TEST(Startup, DamagedSettingsFallBackToUsableValues) {
    TempInstallation inst;
    inst.writeSettings(
        {{"IsFirstRun", "0"}, {"comPort", "COM7"}, {"Handshaking", "9"}, {"StopBit", "1.5x"}});
    AppHarness app(inst, QStringLiteral("804"));
    EXPECT_EQ(app.ws.state.comPort, 1);
    EXPECT_EQ(app.ws.state.handshaking, 0);
    EXPECT_EQ(app.ws.state.stopBits, 1);
    // No stored language on a later run: the system language stays, and is written.
    EXPECT_EQ(app.ws.state.language, text::Chinese);
    EXPECT_EQ(inst.setting("CurrentLanguage"), "2");
    EXPECT_EQ(inst.setting("comPort"), "1");
}

TEST(Startup, NumbersUseADotWhileTheProgramRunsAndTheOldSeparatorAfterwards) {
    ensureAppApplication();
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    {
        TempInstallation inst;
        AppHarness app(inst);
        EXPECT_EQ(platform::DecimalSeparator::current(), u'.');
        EXPECT_EQ(QLocale().toString(28.5, 'f', 1), "28.5");
        app.separator.restore();
        EXPECT_EQ(platform::DecimalSeparator::current(), u',');
    }
    QLocale::setDefault(before);
}

TEST(Startup, TheTemplateOfTheNewDocumentIsLoaded) {
    TempInstallation inst;
    model::ConfigRecord tpl;
    tpl.embeddedMessage[0] = "FROM THE TEMPLATE";
    TempInstallation::writeRecord(inst.programFolder() + "/Init/0_ZX-908HF_New.dat", tpl);
    AppHarness app(inst);
    EXPECT_EQ(app.ws.record.embeddedMessage[0].trimmed(), "FROM THE TEMPLATE");
    EXPECT_FALSE(model::isModified(app.ws));
}

TEST(VersionList, PairsAreReadInOrderAndOnlyPlainSoftwareVersionsAreKept) {
    TempInstallation inst;
    inst.writeVersionList({"V310V310", "V300V300", "../xV290", "V31V290", "V2x0V280",
                           QStringLiteral("V320V320\u0000junk"), "V330V330   "});
    const model::VersionList list = app::readVersionList(inst.root() + "/Version.ini");
    const model::VersionList expected{
        {"V310", "V310"}, {"V300", "V300"}, {"V320", "V320"}, {"V330", "V330"}};
    EXPECT_EQ(list, expected);

    EXPECT_TRUE(app::readVersionList(inst.root() + "/missing.ini").empty());
}

TEST(VersionList, TheStagedListPairsThisVersionWithItsOwnData) {
    const model::VersionList list =
        app::readVersionList(QStringLiteral(ZX_STAGE_DIR "/Version.ini"));
    ASSERT_FALSE(list.empty());
    EXPECT_TRUE(model::isCompatibleVersion(list, "V310"));
}

TEST(Installation, PathsFollowTheProgramFolder) {
    const platform::Installation inst(QStringLiteral("/opt/zx/V310/"), QStringLiteral("zx908hf"));
    EXPECT_EQ(inst.programFolder(), "/opt/zx/V310");
    EXPECT_EQ(inst.parentFolder(), "/opt/zx");
    EXPECT_EQ(inst.installedSettingsPath(), "/opt/zx/language/mysetup.ini");
    EXPECT_EQ(inst.versionListPath(), "/opt/zx/Version.ini");
    EXPECT_EQ(inst.otherVersionExecutable("V300"), "/opt/zx/V300/zx908hf");
}

TEST(Installation, AnUnwritableLanguageFolderUsesAPerUserCopySeededFromTheInstalledOne) {
    TempInstallation inst;
    inst.writeSettings({{"IsFirstRun", "0"}, {"comPort", "6"}});
    QFile::setPermissions(inst.root() + "/language", QFile::ReadOwner | QFile::ExeOwner);
    QFile::setPermissions(inst.settingsPath(), QFile::ReadOwner);
    if (geteuid() == 0) {
        // The superuser may write anywhere; a file in place of the folder is unwritable even
        // for it, but then there is nothing to seed from.
        QFile::setPermissions(inst.root() + "/language",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::remove(inst.settingsPath());
        QDir(inst.root()).rmdir("language");
        QFile blocker(inst.root() + "/language");
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString path = inst.installation().settingsPath();
        EXPECT_EQ(path, inst.root() + "/userconfig/language/mysetup.ini");
        AppHarness app(inst);
        EXPECT_EQ(app.started.settingsPath, path);
        EXPECT_EQ(platform::ProfileFile(path).read("language", "IsFirstRun"), "0");
        return;
    }
    const QString path = inst.installation().settingsPath();
    EXPECT_EQ(path, inst.root() + "/userconfig/language/mysetup.ini");
    EXPECT_EQ(platform::ProfileFile(path).read("language", "comPort"), "6");
    app::SetupFile(path).writeComPort(7);
    EXPECT_EQ(platform::ProfileFile(path).read("language", "comPort"), "7");
    QFile::setPermissions(inst.root() + "/language",
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(Installation, AnInstallationMarkedAsSharedIsNeverWrittenWhoeverRunsTheProgram) {
    // Writable to this test (root included), as a package's files are to root.
    TempInstallation inst;
    inst.writeSettings({{"IsFirstRun", "1"}, {"comPort", "4"}, {"CurrentLanguage", "1"}});
    QFile::copy(QStringLiteral(ZX_SOURCE_DIR "/data/installation.ini"),
                inst.root() + "/installation.ini");
    ASSERT_TRUE(inst.installation().isShared());
    const QByteArray shipped = [&] {
        QFile f(inst.settingsPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();

    AppHarness app(inst, QStringLiteral("804")); // a first run on a Chinese system
    const QString own = inst.root() + "/userconfig/language/mysetup.ini";
    EXPECT_EQ(app.started.settingsPath, own);
    EXPECT_EQ(platform::ProfileFile(own).read("language", "IsFirstRun"), "0");
    EXPECT_EQ(platform::ProfileFile(own).read("language", "CurrentLanguage"), "2");
    EXPECT_EQ(platform::ProfileFile(own).read("language", "comPort"), "4") << "seeded";
    QFile installed(inst.settingsPath());
    ASSERT_TRUE(installed.open(QIODevice::ReadOnly));
    EXPECT_EQ(installed.readAll(), shipped) << "the next user starts from what was shipped";

    // Without the mark (a build's staged installation) the settings stay inside.
    QFile::remove(inst.root() + "/installation.ini");
    EXPECT_FALSE(inst.installation().isShared());
    EXPECT_EQ(inst.installation().settingsPath(), inst.settingsPath());
}

} // namespace
} // namespace zx::test
