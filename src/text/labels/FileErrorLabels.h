// Why a file could not be read or written, said after "file error." in words the user can
// act on. %1 = the file (as the user named it).
#pragma once

#include "text/TextTable.h"

namespace zx::text::labels::file_errors {

inline constexpr TextTable kNoSpace{"There is no space left on the disk for %1.",
                                    "磁盘空间不足，无法写入 %1。"};
inline constexpr TextTable kReadOnly{"%1 is on a read-only disk or file system.",
                                     "%1 所在的磁盘或文件系统是只读的。"};
inline constexpr TextTable kNoFolder{"The folder of %1 does not exist.", "%1 所在的文件夹不存在。"};
inline constexpr TextTable kNoWritePermission{"You may not write %1 (permission denied).",
                                              "没有写入 %1 的权限。"};
inline constexpr TextTable kMissing{"%1 does not exist.", "%1 不存在。"};
inline constexpr TextTable kNoReadPermission{"You may not read %1 (permission denied).",
                                             "没有读取 %1 的权限。"};
inline constexpr TextTable kIsFolder{"%1 is a folder, not a file.", "%1 是文件夹，不是文件。"};
// %2 = the system's own words.
inline constexpr TextTable kOther{"%1: %2", "%1：%2"};

// What the command line calls its standard output in these texts.
inline constexpr TextTable kStandardOutput{"standard output", "标准输出"};

} // namespace zx::text::labels::file_errors
