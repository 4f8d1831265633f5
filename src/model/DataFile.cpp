// Data files: template load, Open with its checks, atomic Save and the is-modified test.
#include "model/DataFile.h"

#include "model/AtomicFile.h"
#include "model/Band.h"
#include "model/Defaults.h"
#include "model/EditJournal.h"
#include "model/FileErrors.h"
#include "model/FilePath.h"
#include "model/RecordDamage.h"
#include "text/Messages.h"
#include "text/labels/DataFileLabels.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace zx::model {

namespace {

std::string templatePath(const Workspace& ws, const char* suffix) {
    std::string folder = ws.programFolder;
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\')
        folder += '/';
    return folder + "Init/" + std::to_string(bandIndexFromText(ws.state.bandText)) + "_" + suffix;
}

// Reads at most `limit` bytes of a file (the whole of it when limit is 0). A read of an
// oversized file stops at limit + 1 bytes, enough to know it is too long.
bool readFile(const std::string& path, std::vector<std::uint8_t>& out, std::size_t limit) {
    std::ifstream in(systemPath(path), std::ios::binary);
    if (!in)
        return false;
    out.clear();
    out.resize(limit);
    in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(limit));
    if (in.bad())
        return false;
    out.resize(static_cast<std::size_t>(in.gcount()));
    return true;
}

bool sameChannel(const ChannelEntry& a, const ChannelEntry& b) {
    return a.number == b.number && a.inUse == b.inUse && a.rxFreq == b.rxFreq &&
           a.txFreq == b.txFreq && a.scan == b.scan && a.busy == b.busy && a.echo == b.echo &&
           a.hiCut == b.hiCut && a.plus10k == b.plus10k && a.nbAnl == b.nbAnl && a.rb == b.rb;
}

bool channelsDiffer(const ConfigRecord& working, const ConfigRecord& saved, int group) {
    const int count = saved.usedChannels(group);
    for (int entry = 1; entry <= count; ++entry) {
        const ChannelEntry& old = saved.channel(group, entry);
        const ChannelEntry* partner = &working.channel(group, entry);
        if (partner->number != old.number) {
            partner = nullptr;
            for (int other = 1; other <= working.usedChannels(group); ++other) {
                if (working.channel(group, other).number == old.number) {
                    partner = &working.channel(group, other);
                    break;
                }
            }
        }
        if (partner == nullptr || !sameChannel(*partner, old))
            return true;
    }
    return false;
}

} // namespace

std::string newTemplatePath(const Workspace& ws) {
    return templatePath(ws, "ZX-908HF_New.dat");
}

std::string initialTemplatePath(const Workspace& ws) {
    return templatePath(ws, "ZX-908HF.dat");
}

void loadTemplate(Workspace& ws, const std::string& path) {
    std::vector<std::uint8_t> bytes;
    documentReplaced(ws);
    // A template shorter than a record is as unusable as a missing one.
    if (!readFile(path, bytes, kRecordSize) || bytes.size() < kRecordSize) {
        runtimeToRecord(ws);
        ws.fileBuffer = ws.record;
        return;
    }
    ws.fileBuffer = decodeRecord(bytes);
    ws.record = ws.fileBuffer;
    recordToRuntime(ws);
}

void startNewDocument(Workspace& ws) {
    loadTemplate(ws, newTemplatePath(ws));
    ws.state.currentFileName = kUntitledFileName;
    ws.state.untitled = true;
}

void startInitialDocument(Workspace& ws) {
    loadTemplate(ws, initialTemplatePath(ws));
    ws.state.currentFileName = kUntitledFileName;
    ws.state.untitled = true;
}

bool isRecognisedVersion(std::string_view version) {
    version = version.substr(0, version.find('\0'));
    const std::size_t end = version.find_last_not_of(' ');
    version = end == std::string_view::npos ? std::string_view{} : version.substr(0, end + 1);
    return version.size() == 4 && version[0] == 'V' &&
           std::all_of(version.begin() + 1, version.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

bool isCompatibleVersion(const VersionList& versions, std::string_view dataVersion) {
    // The program's own data version needs no list: a missing or damaged Version.ini must not
    // turn away the very files this program writes.
    if (dataVersion == kProgramDataVersion)
        return true;
    return std::any_of(versions.begin(), versions.end(), [&](const VersionPair& p) {
        return p.software == kProgramDataVersion && p.data == dataVersion;
    });
}

std::string softwareVersionFor(const VersionList& versions, std::string_view dataVersion) {
    const auto it = std::find_if(versions.begin(), versions.end(),
                                 [&](const VersionPair& p) { return p.data == dataVersion; });
    return it == versions.end() ? std::string() : it->software;
}

std::string compatibilityQuestion(std::string_view fileVersion, int language) {
    using text::MessageKey;
    std::string q(text::message(MessageKey::VerIncompatible, language));
    q += text::kCrLf;
    q += text::message(MessageKey::VerDataFileIs, language);
    q += ' ';
    q += text::versionForDisplay(fileVersion);
    q += text::kCrLf;
    q += text::message(MessageKey::VerSoftwareIs, language);
    q += ' ';
    q += kProgramVersionText;
    return q;
}

OpenOutcome checkDataBytes(std::span<const std::uint8_t> bytes, const VersionList& versions,
                           int language, text::Prompter& prompter, std::string_view fileName,
                           std::optional<std::uintmax_t> fileLength) {
    using text::MessageKey;
    OpenOutcome outcome;
    // Missing bytes of a file shorter than the version text read as NUL.
    std::string raw(4, '\0');
    std::copy_n(bytes.begin(), std::min<std::size_t>(4, bytes.size()), raw.begin());
    outcome.dataVersion = FixedText<4>(raw).trimmed();

    if (!isRecognisedVersion(raw)) {
        prompter.inform(text::message(MessageKey::VerUnknown, language));
        outcome.kind = OpenOutcome::UnknownVersion;
        return outcome;
    }
    if (!isCompatibleVersion(versions, outcome.dataVersion)) {
        const text::Answer answer =
            prompter.ask(compatibilityQuestion(outcome.dataVersion, language), text::Buttons::YesNo,
                         text::Icon::Question);
        outcome.kind =
            answer == text::Answer::Yes ? OpenOutcome::StartOtherVersion : OpenOutcome::Declined;
        return outcome;
    }
    if (bytes.size() != kRecordSize) {
        // Say what is wrong with the file, not something about program versions.
        prompter.inform(text::labels::data_file::wrongLengthMessage(
            fileName, fileLength.value_or(bytes.size()), kRecordSize, language));
        outcome.kind = OpenOutcome::WrongLength;
        return outcome;
    }
    outcome.kind = OpenOutcome::Opened;
    return outcome;
}

DataFileRead readDataFile(const std::string& path, const VersionList& versions, int language,
                          text::Prompter& prompter) {
    DataFileRead result;
    errno = 0;
    if (!readFile(path, result.bytes, kRecordSize + 1)) {
        prompter.inform(fileErrorWithCause(readFailureCause(errno, path, language), language));
        result.outcome.kind = OpenOutcome::ReadError;
        result.bytes.clear();
        return result;
    }
    // The bytes read stop just past a record; the message gives the file's real length.
    std::error_code error;
    const std::uintmax_t length = std::filesystem::file_size(systemPath(path), error);
    result.outcome = checkDataBytes(
        result.bytes, versions, language, prompter, utf8Name(systemPath(path).filename()),
        error ? std::optional<std::uintmax_t>() : std::optional(length));
    if (result.outcome.kind != OpenOutcome::Opened)
        result.bytes.clear();
    return result;
}

DataFileLoad loadDataFile(const Workspace& ws, const std::string& path, text::Prompter& prompter) {
    const int language = ws.state.language;
    DataFileRead read = readDataFile(path, ws.versions, language, prompter);
    DataFileLoad load{read.outcome, std::nullopt};
    if (read.outcome.kind != OpenOutcome::Opened)
        return load;
    LoadedDocument document;
    document.path = path;
    document.asRead = decodeRecord(read.bytes);
    document.asRead.dataVersion = kProgramDataVersion;
    document.record = document.asRead;
    document.damage = repairRecord(document.record, language);
    if (!document.damage.empty()) {
        const std::string name = utf8Name(systemPath(path).filename());
        if (prompter.ask(damageQuestion(name, document.damage, language), text::Buttons::YesNo,
                         text::Icon::Warning) != text::Answer::Yes) {
            load.outcome.kind = OpenOutcome::Damaged;
            return load;
        }
        load.outcome.repaired = true;
    }
    load.document = std::move(document);
    return load;
}

void adoptDataFile(Workspace& ws, const LoadedDocument& document) {
    ws.fileBuffer = document.asRead;
    ws.record = document.record;
    recordToRuntime(ws);
    const bool repaired = !document.damage.empty();
    ws.state.currentFileName = repaired ? std::string(kUntitledFileName) : document.path;
    ws.state.untitled = repaired;
    documentReplaced(ws);
}

OpenOutcome openDataFile(Workspace& ws, const std::string& path, text::Prompter& prompter) {
    const DataFileLoad load = loadDataFile(ws, path, prompter);
    if (load.document)
        adoptDataFile(ws, *load.document);
    return load.outcome;
}

bool saveDataFile(Workspace& ws, text::Prompter& prompter) {
    runtimeToRecord(ws);
    const RecordBytes bytes = encodeRecord(ws.record);
    // The file buffer follows only a write that really happened, so a failed save still
    // counts as unsaved.
    const SaveOutcome saved = writeFileSafely(ws.state.currentFileName, bytes);
    if (!saved) {
        prompter.inform(saveFailureMessage(saved, ws.state.currentFileName, ws.state.language));
        return false;
    }
    ws.fileBuffer = ws.record;
    ws.state.untitled = false;
    return true;
}

bool isModified(const Workspace& ws) {
    const ConfigRecord& working = ws.record;
    const ConfigRecord& saved = ws.fileBuffer;
    if (working.channelCount != saved.channelCount)
        return true;
    for (int group = 0; group < kGroupCount; ++group)
        if (channelsDiffer(working, saved, group))
            return true;
    return !(working.modelInfo == saved.modelInfo) ||
           working.embeddedMessage != saved.embeddedMessage ||
           working.optionFeatures != saved.optionFeatures || working.optionByte != saved.optionByte;
}

} // namespace zx::model
