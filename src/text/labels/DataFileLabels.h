// Texts about data files that the message table has no row for: the message for a file that
// is not exactly one record long, naming the file and both lengths.
#pragma once

#include "text/TextTable.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zx::text::labels::data_file {

// %1 the file name, %2 its length, %3 the length of a data file.
inline constexpr TextTable kWrongLength{
    "The file \"%1\" is %2 bytes long; a data file is exactly %3 bytes long. It was not opened.",
    "文件“%1”的长度为 %2 字节，数据文件的长度必须正好是 %3 字节。文件未打开。"};

inline std::string wrongLengthMessage(std::string_view fileName, std::uintmax_t length,
                                      std::uintmax_t expected, int language) {
    const std::string_view pattern = kWrongLength[language];
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size()) {
            const char slot = pattern[i + 1];
            if (slot == '1' || slot == '2' || slot == '3') {
                out += slot == '1'   ? std::string(fileName)
                       : slot == '2' ? std::to_string(length)
                                     : std::to_string(expected);
                ++i;
                continue;
            }
        }
        out += pattern[i];
    }
    return out;
}

} // namespace zx::text::labels::data_file
