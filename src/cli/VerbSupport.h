// What the verbs that work on files share: argument parsing with --help, usage faults,
// reading a data file by the rules of Open, reading an input file, writing an output file
// whole or not at all.
#pragma once

#include "model/ConfigRecord.h"
#include "text/Messages.h"
#include "text/TextTable.h"

#include <QByteArray>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace zx::cli {

inline const QString kProgram = QStringLiteral("zx908hf-cli");

// UTF-8 text of the core as a QString.
QString utf8(std::string_view s);
// A message-table text in the system language.
QString messageText(text::MessageKey key);
// A text of the tables in the system language, its placeholders filled.
QString tableText(const text::TextTable& table, const QStringList& values = {});

// Parses the arguments of a verb whose options (`help` among them) are added: on --help
// prints the help and gives ExitOk, on a usage fault prints it and gives ExitUsage; otherwise
// nullopt and the verb goes on.
std::optional<int> parseOrAnswerHelp(QCommandLineParser& parser, const QStringList& arguments,
                                     const QCommandLineOption& help);
// parseOrAnswerHelp with --help added, and the number of file arguments checked.
std::optional<int> parseVerb(QCommandLineParser& parser, const QStringList& arguments,
                             int positionalCount);
// Prints a usage fault and gives ExitUsage.
int usage(const QString& problem);

// The verb's --help, its usage line naming the verb ("Usage: zx908hf-cli read [options]").
// `arguments` are those the verb was given (the first is the program and the verb).
QString verbHelp(const QCommandLineParser& parser, const QStringList& arguments);
// Prints the parser's complaint about the arguments; when one of them that begins with "-"
// names an existing file, how to name it as a file ("--" before it).
void printParseError(const QCommandLineParser& parser, const QStringList& arguments);

// Reads a data file by the rules of Open; nullopt (and the error printed) when it is refused.
std::optional<model::ConfigRecord> readRecord(const QString& path);

// Reads a whole input file of at most `maxBytes`; nullopt (and the error printed) otherwise.
std::optional<QByteArray> readInput(const QString& path, qint64 maxBytes, const QString& tooLarge);

// Writes a file whole or not at all; false (and the error printed) when that failed.
bool writeOutput(const QString& path, std::span<const std::uint8_t> bytes);
std::span<const std::uint8_t> asBytes(const QByteArray& data);
// Writes to standard output, whole: false (and the cause printed) when it could not be
// written, for instance to a file on a full disk.
bool writeStdout(const QByteArray& data);
// At the end of a run: everything printed to standard output must have arrived. Gives
// `exitCode`, or ExitFileError with the cause printed.
int finishStandardOutput(int exitCode);

} // namespace zx::cli
