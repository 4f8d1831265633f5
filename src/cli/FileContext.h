// What the file verbs need from their surroundings: the installation's version list, the
// system language (for the code page and the messages), today's date, and a prompter that
// collects messages instead of asking.
#pragma once

#include "model/Defaults.h"
#include "model/Workspace.h"
#include "text/Prompter.h"

#include <QString>
#include <optional>
#include <string>
#include <vector>

namespace zx::cli {

// Chinese when the system locale is Chinese (PRC), English otherwise.
int cliSystemLanguage();

// The version list of the installation: Version.ini in the parent of the program folder.
model::VersionList installedVersions();

// Today's date; the environment variable ZX_TODAY=YYYYMMDD overrides it so that runs can be
// repeated. nullopt when ZX_TODAY is set but is not a date.
std::optional<model::Today> cliToday();

// Records every message; answers No to every question, since the command line never hands
// a file over to another program version.
class CollectingPrompter : public text::Prompter {
public:
    text::Answer ask(std::string_view text, text::Buttons buttons, text::Icon icon) override;
    // The messages so far on one line each (line breaks become spaces).
    const std::vector<std::string>& messages() const { return messages_; }

private:
    std::vector<std::string> messages_;
};

// Prints "zx908hf-cli: FILE: PROBLEM" on stderr.
void reportError(const QString& file, const QString& problem);
// The same for the last message a prompter collected ("file error." when there is none).
void reportError(const QString& file, const CollectingPrompter& prompter);

} // namespace zx::cli
