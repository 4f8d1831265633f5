// Shared helpers of the file verbs.
#include "cli/VerbSupport.h"

#include "cli/FileContext.h"
#include "cli/Verbs.h"
#include "model/AtomicFile.h"
#include "model/DataFile.h"
#include "model/RecordCodec.h"

#include <QFile>
#include <QTextStream>

namespace zx::cli {

QString utf8(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QString messageText(text::MessageKey key) {
    return utf8(text::message(key, cliSystemLanguage()));
}

std::optional<int> parseVerb(QCommandLineParser& parser, const QStringList& arguments,
                             int positionalCount) {
    const QCommandLineOption help({"h", "help"}, "Show this help.");
    parser.addOption(help);
    if (!parser.parse(arguments)) {
        QTextStream(stderr) << kProgram << ": " << parser.errorText() << '\n';
        return ExitUsage;
    }
    if (parser.isSet(help)) {
        QTextStream(stdout) << parser.helpText();
        return ExitOk;
    }
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

std::optional<model::ConfigRecord> readRecord(const QString& path) {
    CollectingPrompter prompter;
    const model::DataFileRead read = model::readDataFile(
        QFile::encodeName(path).toStdString(), installedVersions(), cliSystemLanguage(), prompter);
    if (read.outcome.kind != model::OpenOutcome::Opened) {
        reportError(path, prompter);
        return std::nullopt;
    }
    return model::decodeRecord(read.bytes);
}

std::optional<QByteArray> readInput(const QString& path, qint64 maxBytes, const QString& tooLarge) {
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        reportError(path, messageText(text::MessageKey::FileError));
        return std::nullopt;
    }
    if (in.size() > maxBytes) {
        reportError(path, tooLarge);
        return std::nullopt;
    }
    return in.readAll();
}

bool writeOutput(const QString& path, std::span<const std::uint8_t> bytes) {
    const std::string name = QFile::encodeName(path).toStdString();
    const model::SaveOutcome saved = model::writeFileSafely(name, bytes);
    if (saved)
        return true;
    reportError(path, utf8(model::saveFailureMessage(saved, name, cliSystemLanguage())));
    return false;
}

std::span<const std::uint8_t> asBytes(const QByteArray& data) {
    return {reinterpret_cast<const std::uint8_t*>(data.constData()), std::size_t(data.size())};
}

bool writeStdout(const QByteArray& data) {
    QFile out;
    return out.open(stdout, QIODevice::WriteOnly) && out.write(data) == data.size();
}

} // namespace zx::cli
