// The two write options of the Setup menu, kept in mysetup.ini beside the other settings of
// section "language": BackupBeforeWriting (default 0) and VerifyAfterWriting (default 1).
#pragma once

#include "link/Link.h"

#include <QString>

namespace zx::app {

class WriteSafetySettings {
public:
    static constexpr const char* kBackupKey = "BackupBeforeWriting";
    static constexpr const char* kVerifyKey = "VerifyAfterWriting";

    explicit WriteSafetySettings(QString settingsPath);

    // What the file holds; a missing or unreadable value gives the default.
    link::WriteOptions read() const;
    bool writeBackupFirst(bool on);
    bool writeVerify(bool on);

private:
    QString path_;
};

} // namespace zx::app
