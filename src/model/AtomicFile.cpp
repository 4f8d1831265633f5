// Safe whole-file writes with the standard library and, on POSIX systems, the calls that
// keep permissions and make the write durable (fchmod, fchown, fsync of file and folder).
#include "model/AtomicFile.h"

#include "model/FileErrors.h"
#include "text/Messages.h"
#include "text/labels/DocumentLabels.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#define ZX_POSIX_FILES 1
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zx::model {

namespace fs = std::filesystem;

namespace {

// Links are followed at most this often; a longer chain is taken for a loop.
constexpr int kMaximumLinkHops = 40;

// Opens a new temporary file beside `target`; "x" makes the open fail rather than reuse a
// file that already exists.
std::FILE* openTemporary(const std::string& target, std::string& tempPath) {
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 16; ++attempt) {
        tempPath = target + ".tmp" + std::to_string(random() % 1000000);
        if (std::FILE* f = std::fopen(tempPath.c_str(), "wbx"))
            return f;
    }
    return nullptr;
}

#ifdef ZX_POSIX_FILES
// The new file takes the owner and the permissions of the one it replaces. Owner first:
// changing it may clear the set-id bits that the mode then puts back.
bool takeOverAttributes(std::FILE* f, const std::string& target) {
    struct stat old {};
    if (::stat(target.c_str(), &old) != 0)
        return true; // a new file: the permissions the process gives new files
    const int fd = ::fileno(f);
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid())
        (void)::fchown(fd, old.st_uid, old.st_gid); // only possible for root; a try is enough
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

// After the rename: the folder entry itself reaches the disk. File systems that cannot sync
// a folder say so with EINVAL or the like; only a real input/output error counts.
bool syncFolderOf(const std::string& target) {
    fs::path folder = fs::path(target).parent_path();
    if (folder.empty())
        folder = ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return true;
    const bool ok = ::fsync(fd) == 0 || errno != EIO;
    ::close(fd);
    return ok;
}
#endif

bool flushToDisk(std::FILE* f) {
    if (std::fflush(f) != 0)
        return false;
#ifdef ZX_POSIX_FILES
    if (::fsync(::fileno(f)) != 0)
        return false;
#endif
    return true;
}

SaveOutcome failed(SaveOutcome outcome, SaveOutcome::Failure failure, int error = 0) {
    outcome.failure = failure;
    outcome.error = error;
    return outcome;
}

} // namespace

std::string resolveLinks(const std::string& path) {
    fs::path p(path);
    for (int hop = 0; hop < kMaximumLinkHops; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(p, ec))
            return p.string();
        const fs::path to = fs::read_symlink(p, ec);
        if (ec)
            return p.string();
        p = to.is_absolute() ? to : p.parent_path() / to;
    }
    return p.string(); // still a link: a loop, which the write then refuses
}

SaveOutcome checkSaveTarget(const std::string& path) {
    SaveOutcome outcome;
    if (path.empty())
        return failed(outcome, SaveOutcome::WriteFailed);
    outcome.target = resolveLinks(path);
#ifdef ZX_POSIX_FILES
    struct stat st {};
    if (::lstat(outcome.target.c_str(), &st) != 0)
        return errno == ENOENT ? outcome : failed(outcome, SaveOutcome::WriteFailed, errno);
    if (S_ISLNK(st.st_mode))
        return failed(outcome, SaveOutcome::WriteFailed); // a loop of links
    if (!S_ISREG(st.st_mode))
        return failed(outcome, SaveOutcome::NotRegularFile);
#else
    std::error_code ec;
    const fs::file_status st = fs::status(outcome.target, ec);
    if (fs::exists(st) && !fs::is_regular_file(st))
        return failed(outcome, SaveOutcome::NotRegularFile);
#endif
    return outcome;
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
    bool ok =
        step(std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size()) && step(flushToDisk(f));
#ifdef ZX_POSIX_FILES
    ok = ok && step(takeOverAttributes(f, target));
#endif
    ok = step(std::fclose(f) == 0) && ok;
    std::error_code ec;
    if (ok) {
        fs::rename(tempPath, target, ec);
        ok = !ec;
        if (ec)
            error = ec.value();
    }
    if (!ok) {
        fs::remove(tempPath, ec);
        return failed(outcome, SaveOutcome::WriteFailed, error);
    }
#ifdef ZX_POSIX_FILES
    if (!syncFolderOf(target))
        return failed(outcome, SaveOutcome::WriteFailed, EIO);
#endif
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
    std::string message(text::labels::document::kNotRegularFile[language]);
    if (const std::size_t at = message.find("%1"); at != std::string::npos)
        message.replace(at, 2, name);
    return message;
}

} // namespace zx::model
