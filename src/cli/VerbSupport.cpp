// Shared helpers of the file verbs.
#include "cli/VerbSupport.h"

#include "cli/FileContext.h"
#include "cli/StandardOutput.h"
#include "cli/Verbs.h"
#include "model/AtomicFile.h"
#include "model/DataFile.h"
#include "model/FileErrors.h"
#include "model/RecordCodec.h"
#include "text/Fill.h"
#include "text/labels/FileErrorLabels.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace zx::cli {

QString utf8(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QString messageText(text::MessageKey key) {
    return utf8(text::message(key, cliSystemLanguage()));
}

QString tableText(const text::TextTable& table, const QStringList& values) {
    std::vector<std::string> held;
    for (const QString& value : values)
        held.push_back(value.toStdString());
    return QString::fromStdString(text::fill(table[cliSystemLanguage()], held));
}

std::optional<int> parseOrAnswerHelp(QCommandLineParser& parser, const QStringList& arguments,
                                     const QCommandLineOption& help) {
    if (!parser.parse(arguments)) {
        printParseError(parser, arguments);
        return ExitUsage;
    }
    if (parser.isSet(help)) {
        QTextStream(stdout) << verbHelp(parser, arguments);
        return ExitOk;
    }
    return std::nullopt;
}

std::optional<int> parseVerb(QCommandLineParser& parser, const QStringList& arguments,
                             int positionalCount) {
    const QCommandLineOption help({"h", "help"}, "Show this help.");
    parser.addOption(help);
    if (const std::optional<int> done = parseOrAnswerHelp(parser, arguments, help))
        return done;
    if (parser.positionalArguments().size() != positionalCount) {
        QTextStream(stderr) << kProgram << ": expected " << positionalCount
                            << " file argument(s); see --help\n";
        return ExitUsage;
    }
    return std::nullopt;
}

int usage(const QString& problem) {
    QTextStream(stderr) << kProgram << ": " << problem << "; see --help\n";
    return ExitUsage;
}

namespace {

// "zx908hf-cli read" from the first argument a verb is given ("/path/zx908hf-cli read").
QString programAndVerb(const QStringList& arguments) {
    const QString verb = arguments.isEmpty() ? QString() : arguments.first().section(' ', -1);
    return verb.isEmpty() ? kProgram : kProgram + ' ' + verb;
}

} // namespace

QString verbHelp(const QCommandLineParser& parser, const QStringList& arguments) {
    // Qt names the program only (as it was started, perhaps by its path); the usage line of a
    // verb must name the verb too.
    QString help = parser.helpText();
    const QString usage = QStringLiteral("Usage: ");
    const qsizetype end = help.indexOf(QStringLiteral(" [options]"));
    if (help.startsWith(usage) && end > 0 && end < help.indexOf('\n'))
        help.replace(usage.size(), end - usage.size(), programAndVerb(arguments));
    return help;
}

void printParseError(const QCommandLineParser& parser, const QStringList& arguments) {
    QTextStream err(stderr);
    err << kProgram << ": " << parser.errorText() << '\n';
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--"))
            break;
        if (argument.size() > 1 && argument.startsWith('-') && QFileInfo::exists(argument)) {
            err << kProgram << ": to name the file " << argument
                << ", put -- before it: " << programAndVerb(arguments) << " -- " << argument
                << '\n';
            break;
        }
    }
}

std::optional<model::ConfigRecord> readRecord(const QString& path) {
    CollectingPrompter prompter;
    const model::DataFileRead read =
        model::readDataFile(path.toStdString(), installedVersions(), cliSystemLanguage(), prompter);
    if (read.outcome.kind != model::OpenOutcome::Opened) {
        reportError(path, prompter);
        return std::nullopt;
    }
    return model::decodeRecord(read.bytes);
}

std::optional<QByteArray> readInput(const QString& path, qint64 maxBytes, const QString& tooLarge) {
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        const int error = in.error() == QFileDevice::PermissionsError ? EACCES : 0;
        reportError(path,
                    utf8(model::fileErrorWithCause(
                        model::readFailureCause(error, path.toStdString(), cliSystemLanguage()),
                        cliSystemLanguage())));
        return std::nullopt;
    }
    if (in.size() > maxBytes) {
        reportError(path, tooLarge);
        return std::nullopt;
    }
    return in.readAll();
}

bool writeOutput(const QString& path, std::span<const std::uint8_t> bytes) {
    const std::string name = path.toStdString();
    const model::SaveOutcome saved = model::writeFileSafely(name, bytes);
    if (saved)
        return true;
    reportError(path, utf8(model::saveFailureMessage(saved, name, cliSystemLanguage())));
    return false;
}

std::span<const std::uint8_t> asBytes(const QByteArray& data) {
    return {reinterpret_cast<const std::uint8_t*>(data.constData()), std::size_t(data.size())};
}

namespace {

void reportStandardOutput(int error) {
    const int language = cliSystemLanguage();
    const std::string name(text::labels::file_errors::kStandardOutput[language]);
    reportError(
        utf8(name),
        utf8(model::fileErrorWithCause(
            model::writeFailureCause(standardOutputError(error), name, language), language)));
}

} // namespace

bool writeStdout(const QByteArray& data) {
    // What was printed before goes first, and then the data straight to the descriptor, so
    // that each failed write is seen with its cause.
    if (std::fflush(stdout) != 0) {
        reportStandardOutput(errno);
        return false;
    }
    const char* at = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(STDOUT_FILENO, at, std::size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            reportStandardOutput(n < 0 ? errno : 0);
            return false;
        }
        at += n;
        left -= n;
    }
    int error = 0;
    if (!syncStandardOutput(error)) {
        reportStandardOutput(error);
        return false;
    }
    return true;
}

int finishStandardOutput(int exitCode) {
    errno = 0;
    int error = 0;
    bool ok = std::fflush(stdout) == 0;
    if (!ok)
        error = errno;
    ok = ok && !std::ferror(stdout) && syncStandardOutput(error);
    if (ok)
        return exitCode;
    reportStandardOutput(error);
    return ExitFileError;
}

} // namespace zx::cli
