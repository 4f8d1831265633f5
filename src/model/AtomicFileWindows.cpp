// The Windows side of safe writes: the file's attributes looked at (a read-only file is not
// replaced, hidden and system go over to the new one), FlushFileBuffers, and the old file
// replaced with ReplaceFileW, which keeps its security and creation time (MoveFileExW with
// write-through for a new file, or where ReplaceFileW cannot).
// Windows itself keeps no folder entry in a cache the program could flush.
#include "model/AtomicFile.h"
#include "model/AtomicFileSystem.h"
#include "model/FilePath.h"

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

namespace zx::model {

namespace {

std::wstring wide(const std::string& path) {
    return systemPath(path).native();
}

int errnoFor(DWORD code) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EACCES;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    default:
        return EIO;
    }
}

} // namespace

std::string resolveLinks(const std::string& path) {
    // Links are rare on Windows and are followed by the system when the file is opened.
    return path;
}

namespace system_files {

std::FILE* createNew(const std::string& path) {
    // Windows' C library knows no "x" mode: the exclusive creation is asked for directly.
    const int fd = _wopen(wide(path).c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY,
                          _S_IREAD | _S_IWRITE);
    if (fd < 0)
        return nullptr;
    std::FILE* f = _fdopen(fd, "wb");
    if (!f)
        _close(fd);
    return f;
}

bool namesDevice(const std::string& path) {
    return isReservedDeviceName(path);
}

TargetKind inspectTarget(const std::string& target, int& error) {
    const DWORD attributes = GetFileAttributesW(wide(target).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD code = GetLastError();
        error = errnoFor(code);
        return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ? TargetKind::Missing
                                                                            : TargetKind::Unusable;
    }
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE))
        return TargetKind::NotRegular;
    return TargetKind::Regular;
}

bool flushToDisk(std::FILE* f) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(f)));
    if (handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle))
        return true;
    errno = EIO;
    return false;
}

bool takeOverAttributes(std::FILE*, const std::string& temporary, const std::string& target) {
    const DWORD old = GetFileAttributesW(wide(target).c_str());
    if (old == INVALID_FILE_ATTRIBUTES)
        return true; // a new file
    // Read-only: the user meant the file not to change.
    if (old & FILE_ATTRIBUTE_READONLY) {
        errno = EACCES;
        return false;
    }
    // Hidden, system and the like go over to the new file, whichever way it replaces the old
    // one (ReplaceFileW would merge them; a move keeps those of the new file).
    const DWORD kept = old & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                              FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    if (kept != 0 && !SetFileAttributesW(wide(temporary).c_str(), kept)) {
        errno = EIO;
        return false;
    }
    return true;
}

int replaceFile(const std::string& temporary, const std::string& target) {
    const std::wstring from = wide(temporary);
    const std::wstring to = wide(target);
    if (GetFileAttributesW(to.c_str()) != INVALID_FILE_ATTRIBUTES &&
        ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                     nullptr))
        return 0;
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    return errnoFor(GetLastError());
}

bool syncFolderOf(const std::string&) {
    return true;
}

} // namespace system_files

} // namespace zx::model
