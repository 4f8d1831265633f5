// What the program needs to know about the user's locale: the system default locale
// identifier (as hexadecimal text, "804" for Chinese (PRC)), the short date form, and the
// decimal separator the program's number texts rely on.
#pragma once

#include <QChar>
#include <QLocale>
#include <QString>

namespace zx::platform {

// The locale identifier of a locale as hexadecimal text in the classic numbering
// ("804" zh_CN, "409" en_US, ...); "" for a locale the table does not know.
QString localeIdHex(const QLocale& locale);
// The same for the system locale.
QString systemLocaleIdHex();

// Today's date in the system's short date form.
QString systemShortDate();

// The program works with "." as decimal separator, kept at process level on every system:
// the C library's LC_NUMERIC and Qt's default locale. Linux has no user-wide setting a
// program could change; Windows has one, shared by every program of the user, and it is never
// touched: changed for the run, a crash or a power cut would leave it changed for them all.
// forceDot() remembers what was in effect and makes "." the separator; restore() puts the
// remembered setting back.
class DecimalSeparator {
public:
    // Remembers the current separator; when it is not ".", switches this process to ".".
    // Returns the remembered character.
    QChar forceDot();
    // Restores what forceDot() remembered (nothing happens when forceDot() was not called).
    void restore();

    // The decimal separator now in effect for Qt's default locale.
    static QChar current();

private:
    bool forced_ = false;
    QChar remembered_;
    QLocale previousDefault_;
    QString previousNumeric_;
};

} // namespace zx::platform
