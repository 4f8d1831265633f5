// The shared per-user data folder and the time-stamped names of the files kept in it.
#include "platform/UserData.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <vector>

namespace zx::platform {

namespace {
const QString kStampFormat = QStringLiteral("yyyyMMdd-HHmmss");
}

QString stampedPath(const QString& folder, const QString& what, const QDateTime& when,
                    const QStringList& extensions) {
    const QDir dir(folder);
    const QString stamp = when.toString(kStampFormat);
    for (int n = 1;; ++n) {
        const QString suffix = n == 1 ? QString() : QLatin1Char('-') + QString::number(n);
        // The number counts over every kind, so that names within one second still sort in
        // the order the files were made.
        const bool taken =
            !dir.entryList({QLatin1String(kStampPrefix) + "*_" + stamp + suffix + ".*"},
                           QDir::Files)
                 .isEmpty() ||
            std::any_of(extensions.begin(), extensions.end(), [&](const QString& ext) {
                return QFileInfo::exists(
                    dir.filePath(QLatin1String(kStampPrefix) + what + '_' + stamp + suffix + ext));
            });
        if (!taken)
            return dir.filePath(QLatin1String(kStampPrefix) + what + QLatin1Char('_') + stamp +
                                suffix);
    }
}

namespace {

struct Stamp {
    QDateTime time;
    int number = 1; // the "-n" of a second file within one second
    QString what;
};

Stamp parseStamp(const QString& fileName) {
    static const QRegularExpression pattern(
        QStringLiteral("^ZX-908HF_([A-Za-z]+)_(\\d{8}-\\d{6})(?:-(\\d+))?\\.[A-Za-z]+$"));
    const QRegularExpressionMatch match = pattern.match(fileName);
    if (!match.hasMatch())
        return {};
    return {QDateTime::fromString(match.captured(2), kStampFormat),
            match.captured(3).isEmpty() ? 1 : match.captured(3).toInt(), match.captured(1)};
}

} // namespace

QDateTime stampOf(const QString& fileName, QString* what) {
    const Stamp stamp = parseStamp(fileName);
    if (what)
        *what = stamp.what;
    return stamp.time;
}

QStringList stampedFiles(const QString& folder, const QString& extension) {
    const QDir dir(folder);
    std::vector<std::pair<Stamp, QString>> found;
    for (const QString& name :
         dir.entryList({QLatin1String(kStampPrefix) + "*" + extension}, QDir::Files)) {
        Stamp stamp = parseStamp(name);
        if (stamp.time.isValid())
            found.emplace_back(std::move(stamp), name);
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        if (a.first.time != b.first.time)
            return a.first.time < b.first.time;
        return a.first.number < b.first.number;
    });
    QStringList out;
    for (const auto& [stamp, name] : found)
        out << dir.filePath(name);
    return out;
}

} // namespace zx::platform
