// Entries and value rules of the optional features window.
#include "editors/OptFeatureFields.h"

#include "text/labels/OptFeaturesLabels.h"

#include <cmath>

namespace zx::editors::optfeat {

namespace labels = text::labels::opt_features;

namespace {

QString qs(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

QStringList fromTable(const text::ListTable& table, int language) {
    QStringList out;
    for (std::string_view entry : table[language])
        out << qs(entry);
    return out;
}

// first, first + step, ... last as decimal text.
void appendRange(QStringList& out, int first, int last, int step) {
    for (int n = first; n <= last; n += step)
        out << QString::number(n);
}

// Values in tenths, written "#0.0" (integer arithmetic, so 1.2 never shows as 1.19999).
void appendTenths(QStringList& out, int firstTenths, int lastTenths) {
    for (int n = firstTenths; n <= lastTenths; ++n)
        out << QStringLiteral("%1.%2").arg(n / 10).arg(n % 10);
}

QStringList gainEntries(int language) {
    QStringList out{qs(labels::kGainOff[language])};
    appendRange(out, 1, 63, 1);
    return out;
}

QStringList tenHertzEntries() {
    QStringList out;
    appendRange(out, 300, 3000, 10);
    return out;
}

} // namespace

QStringList listEntries(int listIndex, int language) {
    QStringList out;
    switch (listIndex) {
    case 0:
        out << qs(labels::kTotOff[language]);
        appendRange(out, 30, 600, 30);
        return out;
    case 1:
    case 3:
    case 15:
        return tenHertzEntries();
    case 2:
        appendRange(out, 50, 1000, 50);
        return out;
    case 4:
        return fromTable(labels::kFrequencyStep, language);
    case 5:
        return fromTable(labels::kLcdDisplay, language);
    case 6:
        return fromTable(labels::kScanMode, language);
    case 7:
        appendRange(out, 1, 60, 1);
        return out;
    case 8:
        return fromTable(labels::kLcdDisplayInTx, language);
    case 9:
        appendTenths(out, 12, 200);
        return out;
    case 10:
    case 11:
        appendTenths(out, 90, 170);
        return out;
    case 12:
    case 13:
        appendRange(out, 5, 300, 5);
        return out;
    case 14:
        appendRange(out, 5, 1000, 5);
        return out;
    case 16:
        return fromTable(labels::kClarifierMode, language);
    case 17:
        return fromTable(labels::kPushMode, language);
    case 18:
    case 19:
    case 20:
    case 21:
        return gainEntries(language);
    case 22:
        return fromTable(labels::kBacklightColor, language);
    default:
        return out;
    }
}

int shownIndex(int stored, int offset, int entryCount) {
    if (entryCount <= 0)
        return -1;
    const int v = stored - offset;
    return v >= 0 && v <= entryCount - 1 ? v : 0;
}

bool shownChecked(int checkIndex, int stored) {
    if (stored == 0 || stored == 1)
        return stored == 1;
    return checkIndex < kModeCheckCount || checkIndex == 11 || checkIndex == 16 || checkIndex == 17;
}

QString clampedOffsetText(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return QStringLiteral("0");
    if (value > 10000)
        return QStringLiteral("10000");
    if (value < -10000)
        return QStringLiteral("-10000");
    return text;
}

QString offsetText(model::Integer stored) {
    // Widened first: a stored 16-bit value times ten does not fit 16 bits.
    return clampedOffsetText(QString::number(int(stored) * 10));
}

model::Integer offsetFromText(const QString& text) {
    bool ok = false;
    const double value = clampedOffsetText(text).trimmed().toDouble(&ok);
    if (!ok)
        return 0;
    // The default rounding mode rounds halves to the even integer; the clamp keeps the
    // result inside -1000..1000.
    return model::Integer(std::nearbyint(value / 10.0));
}

} // namespace zx::editors::optfeat
