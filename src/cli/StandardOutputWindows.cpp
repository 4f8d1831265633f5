// Standard output on Windows: FlushFileBuffers for a file behind it.
#include "cli/StandardOutput.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace zx::cli {

namespace {
int errnoFor(DWORD code) {
    switch (code) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    default:
        return EIO;
    }
}
} // namespace

void prepareStandardOutput() {
    _setmode(_fileno(stdout), _O_BINARY);
}

int standardOutputError(int error) {
    return error != 0 ? error : EIO;
}

bool syncStandardOutput(int& error) {
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out == INVALID_HANDLE_VALUE || out == nullptr || GetFileType(out) != FILE_TYPE_DISK)
        return true;
    if (FlushFileBuffers(out))
        return true;
    error = errnoFor(GetLastError());
    return false;
}

} // namespace zx::cli
