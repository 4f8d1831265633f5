// The verbs of zx908hf-cli. Each verb parses its own arguments and returns the exit code.
#pragma once

#include <QStringList>
#include <string_view>
#include <vector>

namespace zx::cli {

// Exit codes shared by every verb.
enum ExitCode : int {
    ExitOk = 0,
    ExitRadioFailed = 1, // the radio conversation failed or was cancelled
    ExitUsage = 2,
    ExitFileError = 3,
    ExitPortError = 4,
    ExitVerifyFailed = 5, // written, but the read-back differs or could not be done
    // A stop signal ends a conversation with 128 + its number (130 for Ctrl+C).
};

struct Verb {
    std::string_view name;
    std::string_view summary;
    // `arguments` starts with the program name followed by the verb's own arguments.
    int (*run)(const QStringList& arguments);
};

// Verbs that work on data files (new, info, export, import, check).
std::vector<Verb> fileVerbs();
// Verbs that talk to a radio or serve as one (read, write, verify, band, identity, ports,
// backups, simulate).
std::vector<Verb> radioVerbs();

} // namespace zx::cli
