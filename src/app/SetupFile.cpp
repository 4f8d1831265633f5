// Keys of mysetup.ini.
#include "app/SetupFile.h"

#include <climits>

namespace zx::app {

namespace {

const QString kSection = QStringLiteral("language");

} // namespace

SetupFile::SetupFile(const QString& path) : file_(path) {}

bool SetupFile::hasKey(const char* key) const {
    return file_.contains(kSection, QLatin1String(key));
}

int SetupFile::readNumber(const char* key, int fallback, int low, int high) const {
    bool ok = false;
    const int value = file_.read(kSection, QLatin1String(key)).trimmed().toInt(&ok);
    return ok && value >= low && value <= high ? value : fallback;
}

bool SetupFile::writeNumber(const char* key, int value) {
    return file_.write(kSection, QLatin1String(key), QString::number(value));
}

bool SetupFile::readIsFirstRun() const {
    const QString text = file_.read(kSection, QStringLiteral("IsFirstRun")).trimmed();
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value != 0 : ShippedSettings::isFirstRun;
}

int SetupFile::readComPort() const {
    return readNumber("comPort", ShippedSettings::comPort, 1, 255);
}

int SetupFile::readHandshaking() const {
    return readNumber("Handshaking", ShippedSettings::handshaking, 0, 3);
}

int SetupFile::readStopBits() const {
    return readNumber("StopBit", ShippedSettings::stopBits, 1, 2);
}

int SetupFile::readCurrentLanguage() const {
    return readNumber("CurrentLanguage", 0, INT_MIN, INT_MAX);
}

bool SetupFile::writeIsFirstRun(bool firstRun) {
    return writeNumber("IsFirstRun", firstRun ? 1 : 0);
}

bool SetupFile::writeComPort(int port) {
    return writeNumber("comPort", port);
}

bool SetupFile::writeHandshaking(int mode) {
    return writeNumber("Handshaking", mode);
}

bool SetupFile::writeStopBits(int bits) {
    return writeNumber("StopBit", bits);
}

bool SetupFile::writeCurrentLanguage(int language) {
    return writeNumber("CurrentLanguage", language);
}

} // namespace zx::app
