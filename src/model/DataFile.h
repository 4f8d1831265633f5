// Data files: templates, Open with its version and length checks, Save, and whether the
// document has unsaved changes.
#pragma once

#include "model/RecordCodec.h"
#include "model/Workspace.h"
#include "text/Prompter.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zx::model {

// Template file names in the Init folder of the program folder.
std::string newTemplatePath(const Workspace& ws);
std::string initialTemplatePath(const Workspace& ws);

// Loads a template into the file buffer and the working record (no version or length
// test). A missing or unreadable file leaves the working record, writes the run-time
// state into it and makes the file buffer equal to it, silently. The document counts as
// replaced (the undo journal empties), except inside a recorded step.
void loadTemplate(Workspace& ws, const std::string& path);

// New and Initial Setting: the New (or Initial) template of the current band becomes the
// untitled document "new.dat", so that a later Save asks for a name instead of writing the
// template over the file that was open before.
void startNewDocument(Workspace& ws);
void startInitialDocument(Workspace& ws);

// A version is recognised when, cut at the first NUL and stripped of trailing spaces, it
// is "V" followed by three digits.
bool isRecognisedVersion(std::string_view version);
// Compatible when the version list pairs "V310" with the data version; "V310" itself is
// always compatible, whatever the list holds.
bool isCompatibleVersion(const VersionList& versions, std::string_view dataVersion);
// The first software version paired with a data version ("" when none).
std::string softwareVersionFor(const VersionList& versions, std::string_view dataVersion);
// The text of the compatibility question for a file of data version `fileVersion`.
std::string compatibilityQuestion(std::string_view fileVersion, int language);

struct OpenOutcome {
    enum Kind {
        Opened, // the document now holds the file
        UnknownVersion,
        Declined,          // incompatible version, the user answered No
        StartOtherVersion, // incompatible version, the user answered Yes: hand over
        WrongLength,
        ReadError,
        Damaged, // the file holds what no record can, and the user chose not to open it
    } kind = ReadError;
    std::string dataVersion; // the file's version text (for StartOtherVersion)
    // Opened: the file was damaged and is open repaired, as the untitled document.
    bool repaired = false;
};

// The checks of Open on the bytes of a file (version, compatibility, length), with the
// message or question of each failure through the prompter in `language`. Opened means the
// bytes are an acceptable data file; nothing is loaded. The message for a wrong length names
// `fileName` and `fileLength` (the length of `bytes` when not given).
OpenOutcome checkDataBytes(std::span<const std::uint8_t> bytes, const VersionList& versions,
                           int language, text::Prompter& prompter, std::string_view fileName = {},
                           std::optional<std::uintmax_t> fileLength = std::nullopt);

// Reads a file and runs checkDataBytes on it; a file that cannot be read gives ReadError
// with "file error.". On Opened, `bytes` holds the whole record as the file has it.
struct DataFileRead {
    OpenOutcome outcome;
    std::vector<std::uint8_t> bytes;
};
DataFileRead readDataFile(const std::string& path, const VersionList& versions, int language,
                          text::Prompter& prompter);

// A data file read, checked and, where it was damaged and the user agreed, repaired: what
// Open makes the document, before anything of the document has changed.
struct LoadedDocument {
    std::string path;
    ConfigRecord asRead;             // the record as the file holds it
    ConfigRecord record;             // what becomes the working record
    std::vector<std::string> damage; // the repairs made, one line each (none for a sound file)
};
struct DataFileLoad {
    OpenOutcome outcome;
    std::optional<LoadedDocument> document; // set when outcome.kind is Opened
};

// The checks of Open on a file, its messages and questions through the prompter, without
// touching the document: the version, the length, then the damage check (RecordDamage.h);
// a damaged file is named with its problems and opened repaired only on Yes (else Damaged).
DataFileLoad loadDataFile(const Workspace& ws, const std::string& path, text::Prompter& prompter);

// Makes a loaded file the document. A sound file: currentFileName = its path, untitled
// cleared. A repaired one: the untitled "new.dat", modified against the file as read, so
// that nothing is saved over the damaged file without being asked for a name. The undo
// journal empties either way.
void adoptDataFile(Workspace& ws, const LoadedDocument& document);

// Open: loadDataFile() and, when it gives a document, adoptDataFile(). The document changes
// only when kind is Opened. Opening the channel window and the caption are the caller's.
OpenOutcome openDataFile(Workspace& ws, const std::string& path, text::Prompter& prompter);

// Save to state.currentFileName, never losing the old file (writeFileSafely of
// AtomicFile.h: links followed, permissions kept, only a regular file replaced). On failure
// the refusal naming the destination or "file error." is shown, the old file is intact and
// the document still counts as modified.
bool saveDataFile(Workspace& ws, text::Prompter& prompter);

// True when the working record differs from the file buffer in the compared parts.
bool isModified(const Workspace& ws);

} // namespace zx::model
