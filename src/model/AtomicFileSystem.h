// The steps of a safe write that each system does its own way (AtomicFilePosix.cpp,
// AtomicFileWindows.cpp). Paths are UTF-8, as everywhere in the program (FilePath.h).
#pragma once

#include <cstdio>
#include <string>

namespace zx::model::system_files {

enum class TargetKind {
    Missing,    // nothing there yet
    Regular,    // a file that may be replaced
    NotRegular, // a folder, a device, a pipe
    Unusable,   // cannot be looked at (the error says why), or a loop of links
};

// A new file for writing bytes; nullptr (errno set) when the name exists already or cannot
// be made.
std::FILE* createNew(const std::string& path);
// Whether the name stands for a device wherever it is (Windows' reserved names).
bool namesDevice(const std::string& path);
TargetKind inspectTarget(const std::string& target, int& error);
// After fflush: the system's buffers to the disk.
bool flushToDisk(std::FILE* f);
// The new file (open as `f`, named `temporary`) takes what it needs of the old one before it
// replaces it; false (errno set) when the old one must not be replaced.
bool takeOverAttributes(std::FILE* f, const std::string& temporary, const std::string& target);
// Puts `temporary` in the place of `target` in one step; 0, or an errno value.
int replaceFile(const std::string& temporary, const std::string& target);
// The folder's entry of the replaced file reaches the disk.
bool syncFolderOf(const std::string& target);

} // namespace zx::model::system_files
