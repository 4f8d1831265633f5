// Entries and value rules of the optional features window.
#include "editors/OptFeatureFields.h"

#include <cmath>

namespace zx::editors::optfeat {

QStringList listEntries(int listIndex, int language) {
    QStringList out;
    if (listIndex < 0 || listIndex >= kListCount)
        return out;
    for (const std::string& entry :
         model::options::optionLists()[std::size_t(listIndex)].values.entries(language))
        out << QString::fromStdString(entry);
    return out;
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
