// Standard output on Linux: fstatvfs for the cause, fsync for a file behind it.
#include "cli/StandardOutput.h"

#include <cerrno>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace zx::cli {

void prepareStandardOutput() {}

int standardOutputError(int error) {
    if (error != 0)
        return error;
    struct statvfs disk {};
    if (::fstatvfs(STDOUT_FILENO, &disk) == 0) {
        if (disk.f_flag & ST_RDONLY)
            return EROFS;
        if (disk.f_bavail == 0)
            return ENOSPC;
    }
    return EIO;
}

bool syncStandardOutput(int& error) {
    struct stat info {};
    if (::fstat(STDOUT_FILENO, &info) != 0 || !S_ISREG(info.st_mode))
        return true;
    if (::fsync(STDOUT_FILENO) == 0 || errno == EINVAL)
        return true;
    error = errno;
    return false;
}

} // namespace zx::cli
