// The one shape of a verb that talks to a radio: its own options and arguments, the options
// every radio verb shares (port, line settings, answers, retries, trace), checks made before
// the radio is touched, a prepared session, and then the verb's body, which runs its
// conversations on that session. runRadioVerb does every step but the body the same way for
// every verb.
#pragma once

#include "cli/RadioSession.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <functional>

namespace zx::cli {

struct RadioVerb {
    // "read [--port P] -o FILE", printed after "usage: " when the arguments do not fit.
    const char* usage = "";
    // The text of --help.
    QString description{};
    // Adds the verb's own options and positional arguments, before the shared ones.
    std::function<void(QCommandLineParser&)> options{};
    // The verb reads or writes the radio's memory: it keeps backups unless --no-backup.
    bool backups = false;
    // Whether the positional arguments and the verb's options fit together.
    std::function<bool(const QCommandLineParser&)> fits{};
    // The verb's option that allows several --port values and a port path that does not
    // exist yet (the batch); none when empty.
    QString severalPortsWith{};
    // Checks made before anything else (an output file can be written, option values): ExitOk
    // to go on, else the exit code, the reason printed. May adjust the shared options.
    std::function<int(const QCommandLineParser&, RadioCommandLine&)> check{};
    // The verb's work on the prepared session: its exit code.
    std::function<int(RadioSession&, const QCommandLineParser&)> body{};
};

int runRadioVerb(const QStringList& arguments, const RadioVerb& verb);

// Parses a verb's arguments with --help (and, with `radio`, the shared radio options).
// Returns -1 to go on, else the exit code to end with (help or the fault printed).
int parseVerbArguments(QCommandLineParser& parser, const QStringList& arguments,
                       const QString& description, bool radio);

// The option that turns the backups off, for the verbs that read or write.
extern const QCommandLineOption kNoBackup;

// A data file can be written at `path`. Checked before the radio is touched, so that a read
// is not wasted on a bad name; the reason is printed.
bool canWriteTo(const QString& path);
// Saves the session's document as `path`; false (message printed) when it cannot.
bool saveAs(RadioSession& session, const QString& path);
// Loads FILE into the session's document as Open does; false (message printed) when refused.
bool openInto(RadioSession& session, const QString& path);

} // namespace zx::cli
