// Safe whole-file writes: the steps every system shares, and the refusals. What differs
// between systems (how a target is looked at, made durable, given its permissions and
// replaced) is in AtomicFilePosix.cpp and AtomicFileWindows.cpp.
#include "model/AtomicFile.h"

#include "model/AtomicFileSystem.h"
#include "model/FileErrors.h"
#include "text/Messages.h"
#include "text/labels/DocumentLabels.h"
#include "text/labels/PlatformLabels.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <random>

namespace zx::model {

namespace {

// Opens a new temporary file beside `target`, never one that already exists.
std::FILE* openTemporary(const std::string& target, std::string& tempPath) {
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 16; ++attempt) {
        tempPath = target + ".tmp" + std::to_string(random() % 1000000);
        if (std::FILE* f = system_files::createNew(tempPath))
            return f;
    }
    return nullptr;
}

SaveOutcome failed(SaveOutcome outcome, SaveOutcome::Failure failure, int error = 0) {
    outcome.failure = failure;
    outcome.error = error;
    return outcome;
}

std::string upper(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return out;
}

} // namespace

bool isReservedDeviceName(std::string_view path) {
    // The last part of the path, without what follows its first dot ("NUL.dat", "con.tar.gz")
    // and without trailing blanks, which Windows drops as well ("AUX .txt").
    const std::size_t slash = path.find_last_of("/\\");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (name.size() >= 2 && name[1] == ':' && std::isalpha(static_cast<unsigned char>(name[0])))
        name.remove_prefix(2); // "C:NUL"
    name = name.substr(0, name.find('.'));
    while (!name.empty() && (name.back() == ' '))
        name.remove_suffix(1);
    const std::string base = upper(name);
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL")
        return true;
    return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) &&
           base[3] >= '1' && base[3] <= '9';
}

SaveOutcome checkSaveTarget(const std::string& path) {
    SaveOutcome outcome;
    if (path.empty())
        return failed(outcome, SaveOutcome::WriteFailed);
    outcome.target = resolveLinks(path);
    if (system_files::namesDevice(outcome.target)) {
        outcome.reservedName = true;
        return failed(outcome, SaveOutcome::NotRegularFile);
    }
    int error = 0;
    switch (system_files::inspectTarget(outcome.target, error)) {
    case system_files::TargetKind::Missing:
    case system_files::TargetKind::Regular:
        return outcome;
    case system_files::TargetKind::NotRegular:
        return failed(outcome, SaveOutcome::NotRegularFile);
    case system_files::TargetKind::Unusable:
        break;
    }
    return failed(outcome, SaveOutcome::WriteFailed, error);
}

SaveOutcome writeFileSafely(const std::string& path, std::span<const std::uint8_t> bytes) {
    SaveOutcome outcome = checkSaveTarget(path);
    if (!outcome)
        return outcome;
    const std::string& target = outcome.target;
    std::string tempPath;
    errno = 0;
    std::FILE* f = openTemporary(target, tempPath);
    if (f == nullptr)
        return failed(outcome, SaveOutcome::WriteFailed, errno);
    // The error of the first step that failed is the one worth telling.
    int error = 0;
    const auto step = [&error](bool ok) {
        if (!ok && error == 0)
            error = errno != 0 ? errno : EIO;
        return ok;
    };
    errno = 0;
    bool ok = step(std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size()) &&
              step(std::fflush(f) == 0) && step(system_files::flushToDisk(f)) &&
              step(system_files::takeOverAttributes(f, tempPath, target));
    ok = step(std::fclose(f) == 0) && ok;
    if (ok) {
        if (const int replaced = system_files::replaceFile(tempPath, target); replaced != 0) {
            ok = false;
            error = replaced;
        }
    }
    if (!ok) {
        std::remove(tempPath.c_str());
        return failed(outcome, SaveOutcome::WriteFailed, error);
    }
    if (!system_files::syncFolderOf(target))
        return failed(outcome, SaveOutcome::WriteFailed, EIO);
    return outcome;
}

bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    return bool(writeFileSafely(path, bytes));
}

std::string saveFailureMessage(const SaveOutcome& outcome, const std::string& path, int language) {
    if (outcome.failure != SaveOutcome::NotRegularFile)
        return fileErrorWithCause(outcome.failure == SaveOutcome::WriteFailed && outcome.error != 0
                                      ? writeFailureCause(outcome.error, path, language)
                                      : std::string(),
                                  language);
    std::string name = path;
    if (!outcome.target.empty() && outcome.target != path)
        name += " \xE2\x86\x92 " + outcome.target; // " → " and the link's target
    std::string message(outcome.reservedName ? text::labels::platform::kReservedDeviceName[language]
                                             : text::labels::document::kNotRegularFile[language]);
    if (const std::size_t at = message.find("%1"); at != std::string::npos)
        message.replace(at, 2, name);
    return message;
}

} // namespace zx::model
