// The write options in mysetup.ini.
#include "app/WriteSafetySettings.h"

#include "platform/ProfileFile.h"

namespace zx::app {

namespace {

const QString kSection = QStringLiteral("language");

bool readFlag(const platform::ProfileFile& file, const char* key, bool fallback) {
    bool ok = false;
    const int value = file.read(kSection, QLatin1String(key)).trimmed().toInt(&ok);
    return ok ? value != 0 : fallback;
}

} // namespace

WriteSafetySettings::WriteSafetySettings(QString settingsPath) : path_(std::move(settingsPath)) {}

link::WriteOptions WriteSafetySettings::read() const {
    const platform::ProfileFile file(path_);
    const link::WriteOptions defaults;
    return {.backupFirst = readFlag(file, kBackupKey, defaults.backupFirst),
            .verify = readFlag(file, kVerifyKey, defaults.verify)};
}

bool WriteSafetySettings::writeBackupFirst(bool on) {
    return platform::ProfileFile(path_).write(kSection, QLatin1String(kBackupKey),
                                              on ? QStringLiteral("1") : QStringLiteral("0"));
}

bool WriteSafetySettings::writeVerify(bool on) {
    return platform::ProfileFile(path_).write(kSection, QLatin1String(kVerifyKey),
                                              on ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace zx::app
