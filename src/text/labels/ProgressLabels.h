// Texts of the progress window FrmProgress shown while the radio is read or written, and the
// caption that replaces them while the program searches for working port settings.
#pragma once

#include "text/TextTable.h"

namespace zx::text::labels::progress {

// Window caption by conversation.
inline constexpr TextTable kCaptionRead{"Read data from radio", "从对讲机读取数据"};
inline constexpr TextTable kCaptionWrite{"Write data to radio", "向对讲机写入数据"};

// Caption while the port settings search runs; the previous caption comes back afterwards.
inline constexpr TextTable kCaptionSearch{
    "Search for communication setting,please wait for a few minutes...",
    "正在匹配串口配置，可能需要几分钟，请等待。。。"};

// Label1, placed left of the percentage label.
inline constexpr TextTable kLabelCompletion{"Completion percentage:", "完成百分比："};

// The procedures whose unexpected errors are reported by their own names.
inline constexpr const char* kErrSetProgressValue = "SetProgressValueError";
inline constexpr const char* kErrChangeShowByLanguage = "ProgressChangShowByLanguageError";
inline constexpr const char* kErrJustSize = "ProgressjustSizeError";
inline constexpr const char* kErrLoad = "ProgressForm_LoadError";

} // namespace zx::text::labels::progress
