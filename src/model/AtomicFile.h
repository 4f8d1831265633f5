// Writing a whole file so that the previous content is never lost and nothing but a file is
// ever replaced. The one save of both programs: data files, JSON exports, every `-o`.
//
// - A symbolic link is followed: its target gets the new content and the link stays.
// - The bytes go to a temporary file beside the real target, are flushed to disk, take the
//   target's permissions, and are renamed over it; the folder is then flushed too, so the
//   rename survives a power cut. A failure at any step leaves the old file as it was.
// - A destination that exists but is not a regular file (a folder, a device, a pipe) is
//   refused before anything is written; so is, on Windows, a name the system keeps for a
//   device (NUL, COM1, ... with any extension), which names no file in any folder.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zx::model {

struct SaveOutcome {
    enum Failure {
        None,
        NotRegularFile, // the destination is a folder, device, pipe or socket
        WriteFailed,    // no such folder, no permission, disk full, ...
    } failure = None;
    std::string target; // the file that was (or would have been) written, links followed
    int error = 0;      // WriteFailed: the system's error number (errno) of the step that failed
    bool reservedName = false; // NotRegularFile: a device name of Windows ("NUL.dat")

    explicit operator bool() const { return failure == None; }
};

// The file a path names once symbolic links are followed (relative links count from the
// link's folder). A path that is no link is returned as it is; a dangling link gives the
// file it would create.
std::string resolveLinks(const std::string& path);

// Whether `path` may be replaced by a data file: a missing file or a regular one. Used to
// refuse a destination before a long operation (a radio read) produces what it would hold.
SaveOutcome checkSaveTarget(const std::string& path);

// Whether the last part of `path` is a name Windows keeps for a device: CON, PRN, AUX, NUL,
// COM1 to COM9, LPT1 to LPT9, in any case, with or without an extension. Saves refuse such a
// name on Windows only; elsewhere it is an ordinary file name.
bool isReservedDeviceName(std::string_view path);

SaveOutcome writeFileSafely(const std::string& path, std::span<const std::uint8_t> bytes);

// writeFileSafely() for callers that only need to know whether it worked.
bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

// The message for a failed save in a language: the refusal that names `path` (and the
// link's target when it differs), or "file error." with the cause on the next line (no
// space, read-only, missing folder, permission).
std::string saveFailureMessage(const SaveOutcome& outcome, const std::string& path, int language);

} // namespace zx::model
