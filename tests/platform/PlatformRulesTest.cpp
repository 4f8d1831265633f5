// Rules of the Windows side that hold on every system: the code page chosen from the ANSI
// code page, the USB identifiers in a hardware identifier, where the user store lives, the
// parent folder of a Windows program folder, and the settings location chosen from a
// writable or an unwritable installation.
#include "platform/CodePage.h"
#include "platform/FileAccess.h"
#include "platform/Installation.h"
#include "platform/ProfileFile.h"
#include "platform/SystemPorts.h"
#include "platform/UserStore.h"
#include "text/Language.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zx::platform {
namespace {

TEST(PlatformRules, TheAnsiCodePageGivesGbkForChineseAndWindows1252ForEveryOther) {
    EXPECT_EQ(codePageForAnsi(936), 936u);
    for (unsigned other : {1252u, 1250u, 1251u, 932u, 950u, 65001u, 0u})
        EXPECT_EQ(codePageForAnsi(other), 1252u) << other;
    EXPECT_STREQ(codePageForLanguage(text::Chinese), "GBK");
    EXPECT_STREQ(codePageForLanguage(text::English), "windows-1252");
}

TEST(PlatformRules, TextFieldsConvertWithTheWesternCodePageByteForByte) {
    // The western code page is what an English system has on both sides.
    const std::string bytes = "Caf\xE9 \x80 \xFC";
    const QString text = fromCodePage(bytes, text::English);
    EXPECT_EQ(text, QString::fromUtf8("Café € ü"));
    EXPECT_EQ(toCodePage(text, text::English), bytes);
    EXPECT_EQ(toCodePage(QString::fromUtf8("ā"), text::English), "?")
        << "what the code page lacks is a question mark, not a look-alike";
}

TEST(PlatformRules, UsbIdentifiersComeOutOfHardwareIdentifiers) {
    EXPECT_EQ(usbIdsFromHardwareId("USB\\VID_10C4&PID_EA60&REV_0100"), "10c4:ea60");
    EXPECT_EQ(usbIdsFromHardwareId("FTDIBUS\\VID_0403+PID_6001+A50285BIA\\0000"), "0403:6001");
    EXPECT_EQ(usbIdsFromHardwareId("usb\\vid_1a86&pid_7523"), "1a86:7523");
    EXPECT_EQ(usbIdsFromHardwareId("ACPI\\PNP0501"), "");
    EXPECT_EQ(usbIdsFromHardwareId(""), "");
}

TEST(PlatformRules, AStoreInTheRegistryIsReadNativelyAndAFileAsIni) {
    EXPECT_EQ(UserStore::formatOf("HKEY_CURRENT_USER\\Software\\ZX-908HF"),
              QSettings::NativeFormat);
    EXPECT_EQ(UserStore::formatOf("/home/dealer/.config/zx908hf/ZX-908HF.ini"),
              QSettings::IniFormat);
    EXPECT_EQ(UserStore::formatOf("C:/Users/dealer/AppData/Roaming/zx908hf/ZX-908HF.ini"),
              QSettings::IniFormat);
}

TEST(PlatformRules, TheParentFolderEndsAtTheLastSeparatorOfEitherKind) {
    // Windows writes its paths with "\\" (Qt turns them into "/" there; Linux keeps them).
    const Installation windows(QStringLiteral("C:\\Program Files\\ZX-908HF\\V310"),
                               QStringLiteral("zx908hf.exe"));
    const QString top = QDir::cleanPath(QStringLiteral("C:\\Program Files\\ZX-908HF"));
    EXPECT_EQ(windows.parentFolder(), top);
    EXPECT_EQ(windows.otherVersionExecutable("V300"), top + "/V300/zx908hf.exe");
    const Installation qtStyle(QStringLiteral("C:/Program Files/ZX-908HF/V310"),
                               QStringLiteral("zx908hf.exe"));
    EXPECT_EQ(qtStyle.parentFolder(), "C:/Program Files/ZX-908HF");
    EXPECT_EQ(qtStyle.installedSettingsPath(), "C:/Program Files/ZX-908HF/language/mysetup.ini");
}

TEST(PlatformRules, SettingsStayInAWritableInstallationAndMoveToTheUserWhenItIsNot) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString top = root.filePath("ZX-908HF");
    ASSERT_TRUE(QDir().mkpath(top + "/V310"));
    ASSERT_TRUE(QDir().mkpath(top + "/language"));
    const QString installed = top + "/language/mysetup.ini";
    ASSERT_TRUE(ProfileFile(installed).write("language", "comPort", "5"));
    const QString user = root.filePath("user");

    EXPECT_TRUE(mayWriteFile(installed));
    EXPECT_TRUE(mayWriteInFolder(top + "/language"));
    EXPECT_TRUE(mayWriteInFolder(top + "/not/yet/there")) << "made when needed";
    EXPECT_EQ(Installation(top + "/V310", "zx908hf.exe", user).settingsPath(), installed);

    // A file where the language folder should be: nothing can be created inside, whoever
    // runs the program (this holds for an administrator as well), so settings go to the
    // user's copy.
    const QString blocked = root.filePath("Blocked");
    ASSERT_TRUE(QDir().mkpath(blocked + "/V310"));
    QFile blocker(blocked + "/language");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(mayWriteInFolder(blocked + "/language"));
    EXPECT_FALSE(mayWriteInFolder(blocked + "/language/deeper"));
    EXPECT_EQ(Installation(blocked + "/V310", "zx908hf.exe", user).settingsPath(),
              user + "/language/mysetup.ini");
}

} // namespace
} // namespace zx::platform
