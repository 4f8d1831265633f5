// The POSIX side of safe writes: lstat of the target, fsync of the file and its folder, the
// owner and permissions taken over (fchown, fchmod), rename(2) over the old file.
#include "model/AtomicFile.h"
#include "model/AtomicFileSystem.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace zx::model {

namespace fs = std::filesystem;

namespace {
// Links are followed at most this often; a longer chain is taken for a loop.
constexpr int kMaximumLinkHops = 40;
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

namespace system_files {

std::FILE* createNew(const std::string& path) {
    // "x": the open fails rather than reuse a file that already exists.
    return std::fopen(path.c_str(), "wbx");
}

bool namesDevice(const std::string&) {
    // Devices live under /dev and are found by looking at the file.
    return false;
}

TargetKind inspectTarget(const std::string& target, int& error) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0) {
        error = errno;
        return errno == ENOENT ? TargetKind::Missing : TargetKind::Unusable;
    }
    if (S_ISLNK(st.st_mode)) {
        error = 0;
        return TargetKind::Unusable; // a loop of links
    }
    return S_ISREG(st.st_mode) ? TargetKind::Regular : TargetKind::NotRegular;
}

bool flushToDisk(std::FILE* f) {
    return ::fsync(::fileno(f)) == 0;
}

// The new file takes the owner and the permissions of the one it replaces. Owner first:
// changing it may clear the set-id bits that the mode then puts back.
bool takeOverAttributes(std::FILE* f, const std::string&, const std::string& target) {
    struct stat old {};
    if (::stat(target.c_str(), &old) != 0)
        return true; // a new file: the permissions the process gives new files
    const int fd = ::fileno(f);
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid())
        (void)::fchown(fd, old.st_uid, old.st_gid); // only possible for root; a try is enough
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

int replaceFile(const std::string& temporary, const std::string& target) {
    return ::rename(temporary.c_str(), target.c_str()) == 0 ? 0 : errno;
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

} // namespace system_files

} // namespace zx::model
