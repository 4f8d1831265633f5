// Surroundings of the file verbs.
#include "cli/FileContext.h"

#include "model/VersionList.h"
#include "platform/ProfileFile.h"
#include "text/Language.h"
#include "text/Messages.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QLocale>
#include <QTextStream>

namespace zx::cli {

int cliSystemLanguage() {
    const QLocale system = QLocale::system();
    return system.language() == QLocale::Chinese && system.territory() == QLocale::China
               ? text::Chinese
               : text::English;
}

model::VersionList installedVersions() {
    QDir folder(QCoreApplication::applicationDirPath());
    folder.cdUp();
    const platform::ProfileFile ini(folder.filePath(QStringLiteral("Version.ini")));
    const int count = model::parseVersionCount(
        ini.read(QStringLiteral("Version"), QStringLiteral("FirmVersionCount")).toStdString());
    std::vector<std::string> values;
    for (int i = 0; i < count; ++i)
        values.push_back(
            ini.read(QStringLiteral("Firm"), QStringLiteral("Firm%1").arg(i)).toStdString());
    return model::parseVersionList(values);
}

std::optional<model::Today> cliToday() {
    QDate date = QDate::currentDate();
    const QByteArray forced = qgetenv("ZX_TODAY");
    if (!forced.isEmpty()) {
        date = QDate::fromString(QString::fromLatin1(forced), QStringLiteral("yyyyMMdd"));
        if (!date.isValid())
            return std::nullopt;
    }
    return model::Today{date.year(), date.month(), date.day(),
                        QLocale::system().toString(date, QLocale::ShortFormat).toStdString()};
}

text::Answer CollectingPrompter::ask(std::string_view text, text::Buttons buttons, text::Icon) {
    QString line = QString::fromUtf8(text.data(), qsizetype(text.size()));
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    line.replace('\n', ' ');
    messages_.push_back(line.toStdString());
    switch (buttons) {
    case text::Buttons::YesNo:
    case text::Buttons::YesNoCancel:
        return text::Answer::No;
    case text::Buttons::OkCancel:
    case text::Buttons::RetryCancel:
        return text::Answer::Cancel;
    default:
        return text::Answer::Ok;
    }
}

void reportError(const QString& file, const QString& problem) {
    // One line, so that each failure is one line of a log.
    QString line = problem;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    QTextStream(stderr) << "zx908hf-cli: " << file << ": " << line << '\n';
}

void reportError(const QString& file, const CollectingPrompter& prompter) {
    const QString problem =
        prompter.messages().empty()
            ? QString::fromUtf8(text::message(text::MessageKey::FileError, cliSystemLanguage()))
            : QString::fromStdString(prompter.messages().back());
    reportError(file, problem);
}

} // namespace zx::cli
