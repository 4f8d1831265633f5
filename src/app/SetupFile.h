// The settings file mysetup.ini, section "language": first-run flag, serial settings and
// language index, read and written as decimal text.
#pragma once

#include "platform/ProfileFile.h"

#include <QString>

namespace zx::app {

// The values of a freshly installed program, used for every key that is missing or
// cannot be read.
struct ShippedSettings {
    static constexpr bool isFirstRun = true;
    static constexpr int comPort = 1;
    static constexpr int handshaking = 0;
    static constexpr int stopBits = 1;
};

class SetupFile {
public:
    explicit SetupFile(const QString& path);

    const QString& path() const { return file_.path(); }

    // Boolean text: "0"/"False" is false, any other number or "True" is true; a missing or
    // unreadable value is the shipped default (a first run).
    bool readIsFirstRun() const;
    // Port number 1..255; anything else gives COM1.
    int readComPort() const;
    // Handshaking mode 0..3 (none, XON/XOFF, RTS, both); anything else gives 0.
    int readHandshaking() const;
    // 1 or 2 stop bits; anything else gives 1.
    int readStopBits() const;
    // The stored language index, or 0 when it is missing or not a number.
    int readCurrentLanguage() const;

    bool writeIsFirstRun(bool firstRun);
    bool writeComPort(int port);
    bool writeHandshaking(int mode);
    bool writeStopBits(int bits);
    bool writeCurrentLanguage(int language);

    bool hasKey(const char* key) const;

private:
    int readNumber(const char* key, int fallback, int low, int high) const;
    bool writeNumber(const char* key, int value);

    platform::ProfileFile file_;
};

} // namespace zx::app
