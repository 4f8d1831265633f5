// Atomic whole-file writes with the standard library and, on POSIX systems, fsync.
#include "model/AtomicFile.h"

#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

namespace zx::model {

namespace {

// Opens a new temporary file beside `path`; "x" makes the open fail rather than reuse a
// file that already exists.
std::FILE* openTemporary(const std::string& path, std::string& tempPath) {
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 16; ++attempt) {
        tempPath = path + ".tmp" + std::to_string(random() % 1000000);
        if (std::FILE* f = std::fopen(tempPath.c_str(), "wbx"))
            return f;
    }
    return nullptr;
}

bool flushToDisk(std::FILE* f) {
    if (std::fflush(f) != 0)
        return false;
#if defined(__unix__) || defined(__APPLE__)
    if (::fsync(::fileno(f)) != 0)
        return false;
#endif
    return true;
}

} // namespace

bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    if (path.empty())
        return false;
    std::error_code ec;
    // A directory of that name would otherwise be replaced by nothing or refused late.
    if (std::filesystem::is_directory(path, ec))
        return false;
    std::string tempPath;
    std::FILE* f = openTemporary(path, tempPath);
    if (f == nullptr)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const bool flushed = written && flushToDisk(f);
    const bool closed = std::fclose(f) == 0;
    if (!(written && flushed && closed)) {
        std::filesystem::remove(tempPath, ec);
        return false;
    }
    std::filesystem::rename(tempPath, path, ec);
    if (ec) {
        std::filesystem::remove(tempPath, ec);
        return false;
    }
    return true;
}

} // namespace zx::model
