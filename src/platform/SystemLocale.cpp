// Locale identifiers, the short date and the process-level decimal separator.
#include "platform/SystemLocale.h"

#include <QDate>
#include <clocale>

namespace zx::platform {

namespace {

struct LocaleId {
    QLocale::Language language;
    QLocale::Territory territory;
    int id;
};

// The identifiers of the locales this program may meet. Chinese (PRC) is the one that
// matters: it selects the Chinese user interface.
constexpr LocaleId kLocaleIds[] = {
    {QLocale::Chinese, QLocale::China, 0x804},
    {QLocale::Chinese, QLocale::Taiwan, 0x404},
    {QLocale::Chinese, QLocale::HongKong, 0xC04},
    {QLocale::Chinese, QLocale::Singapore, 0x1004},
    {QLocale::Chinese, QLocale::Macao, 0x1404},
    {QLocale::English, QLocale::UnitedStates, 0x409},
    {QLocale::English, QLocale::UnitedKingdom, 0x809},
    {QLocale::English, QLocale::Australia, 0xC09},
    {QLocale::English, QLocale::Canada, 0x1009},
    {QLocale::German, QLocale::Germany, 0x407},
    {QLocale::French, QLocale::France, 0x40C},
    {QLocale::Spanish, QLocale::Spain, 0xC0A},
    {QLocale::Italian, QLocale::Italy, 0x410},
    {QLocale::Japanese, QLocale::Japan, 0x411},
    {QLocale::Korean, QLocale::SouthKorea, 0x412},
    {QLocale::Russian, QLocale::Russia, 0x419},
    {QLocale::Portuguese, QLocale::Brazil, 0x416},
    {QLocale::Dutch, QLocale::Netherlands, 0x413},
};

} // namespace

QString localeIdHex(const QLocale& locale) {
    for (const LocaleId& entry : kLocaleIds) {
        if (entry.language == locale.language() && entry.territory == locale.territory())
            return QString::number(entry.id, 16).toUpper();
    }
    return QString();
}

QString systemLocaleIdHex() {
    return localeIdHex(QLocale::system());
}

QString systemShortDate() {
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
}

QChar DecimalSeparator::current() {
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QChar(u'.') : point.front();
}

QChar DecimalSeparator::forceDot() {
    remembered_ = current();
    if (remembered_ == u'.')
        return remembered_;
    previousDefault_ = QLocale();
    const char* numeric = std::setlocale(LC_NUMERIC, nullptr);
    previousNumeric_ = QString::fromLatin1(numeric ? numeric : "C");
    // Qt's default locale formats numbers with "."; the system locale, from which the
    // language and the short date are taken, is not touched.
    QLocale::setDefault(QLocale::c());
    std::setlocale(LC_NUMERIC, "C");
    forced_ = true;
    return remembered_;
}

void DecimalSeparator::restore() {
    if (!forced_)
        return;
    QLocale::setDefault(previousDefault_);
    std::setlocale(LC_NUMERIC, previousNumeric_.toLatin1().constData());
    forced_ = false;
}

} // namespace zx::platform
