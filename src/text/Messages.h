// The message table: the bilingual texts of every message box the core and several windows
// share, plus the shared button captions and the language names.
#pragma once

#include "TextTable.h"

#include <string>
#include <string_view>

namespace zx::text {

enum class MessageKey {
    AllDataCleared,
    DataFileLabel,
    FileError,
    CannotOpenPort,
    ReadConfirm,
    WriteConfirm,
    FileModified,
    FileOverwrite,
    CheckConnection,
    ReadCompleted,
    WriteCompleted,
    ModelTypeWrong,
    BandTypeWrong,
    BandDiffers,
    ButtonOK,
    ButtonCancel,
    AllFreqInRange,
    FreqOutOfRange,
    SomeFreqOutOfRange,
    VerSoftwareIs,
    VerIncompatible,
    VerStartFailed,
    VerDataFileIs,
    VerUnknown,
};

// The table row of a key.
const TextTable& messageTable(MessageKey key);

// The text of a key in a language (1 or 2; any other index gives an empty text).
std::string_view message(MessageKey key, int language);

// Texts that are not in the table and are never translated.
inline constexpr std::string_view kNotIsNumeric = "Not IsNumeric";
inline constexpr std::string_view kCrLf = "\r\n";

// Shared button captions.
inline constexpr TextTable kButtonOk{"&OK", "确定(&O)"};
inline constexpr TextTable kButtonCancel{"&Cancel", "取消(&C)"};
inline constexpr TextTable kButtonClose{"&Close", "关闭(&C)"};
inline constexpr TextTable kButtonHelp{"&Help", "帮助(&H)"};

// Language names, by language of display: [display language][entry language].
inline constexpr TextTable kEnglishName{"English", "英语"};
inline constexpr TextTable kChineseName{"Chinese", "中文"};

// A version of four characters shown as its first two characters, "." and its last two
// ("V310" shows as "V3.10"). Shorter texts are returned as they are.
std::string versionForDisplay(std::string_view version);

} // namespace zx::text
