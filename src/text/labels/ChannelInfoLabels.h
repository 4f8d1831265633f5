// Texts of the channel information window frmCommChInfo: caption, labels, grid headers and
// the entries of the per-channel lists, in English and Chinese. The band texts and the group
// letters are the same in both languages; the close button takes the shared caption of
// text/Messages.h.
#pragma once

#include "text/TextTable.h"

#include <array>
#include <string_view>

namespace zx::text::labels::channel_info {

// The caption reads: prefix, " ", channel number, "]", "---", group letter.
inline constexpr TextTable kCaptionPrefix{"Channel Information[Channel -", "信道信息[信道 -"};
inline constexpr std::string_view kCaptionClose = "]";
inline constexpr std::string_view kCaptionGroupSeparator = "---";

inline constexpr TextTable kBandLabel{"Select Frequency Band", "频段选择"};
// The channel groups are called "Band" in the English texts of the radio.
inline constexpr TextTable kGroupLabel{"Band", "组"};
// Followed by a space and the group letter.
inline constexpr TextTable kEmergencyLabel{"Emergency Channel", "紧急信道"};

// What a screen reader calls the grid, and an empty cell of a row without a channel.
inline constexpr TextTable kGridName{"Channel List", "信道列表"};
inline constexpr TextTable kEmptyCell{"empty", "空"};

inline constexpr std::array<std::string_view, 6> kGroupLetters{"A", "B", "C", "D", "E", "F"};

// Grid headers by column 0..9. Columns 3..8 have no visible width and keep their English
// header in both languages.
inline constexpr std::array<TextTable, 10> kColumnHeaders{{
    {"CH No.", "信道"},
    {"RX Frequency", "接收频率"},
    {"TX FreQuency", "发射频率"},
    sameText("BUSY"),
    sameText("ECHO"),
    sameText("HI-CUT"),
    sameText("+10KHz"),
    sameText("NB/ANL"),
    sameText("RB"),
    {"Scan", "扫描"},
}};

// Entries of the lists of columns 3..8 (index 0, index 1).
inline constexpr std::array<TextTable, 2> kFlagEntries{{
    {"Disable", "不使用"},
    {"Enable", "使用"},
}};

// Entries of the scan list, column 9 (index 0, index 1).
inline constexpr std::array<TextTable, 2> kScanEntries{{
    {"Del", "删除"},
    {"Add", "添加"},
}};

} // namespace zx::text::labels::channel_info
