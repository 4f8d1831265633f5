// Texts of undo and redo: the Edit menu entries while a step can be taken back or done
// again, and the names of the steps that no window label names already. Channel cells,
// emergency channels, the band and the optional features are named by their own labels.
#pragma once

#include "text/TextTable.h"

namespace zx::text::labels::editing {

// "%1" is the step's name, e.g. "&Undo RX Frequency A-5".
inline constexpr TextTable kUndoStep{"&Undo %1", "撤销 %1(&U)"};
inline constexpr TextTable kRedoStep{"&Redo %1", "重做 %1(&R)"};

// A line of the embedded message, followed by its number (1 or 2).
inline constexpr TextTable kMessageLine{"Local Information Line", "本机信息行"};
// The correction that Check All Channel Frequency offers.
inline constexpr TextTable kFrequencyCorrection{"Correct All Channel Frequency",
                                                "修正所有信道频率"};
// The band of the connected radio taken into the document by Check Radio Band.
inline constexpr TextTable kRadioBandAdopted{"Use the Radio Frequency Band", "采用对讲机频段"};
// The radio's configuration taken in by Read from Radio, in place of the document.
inline constexpr TextTable kReadFromRadio{"Read from Radio", "从对讲机读取"};

} // namespace zx::text::labels::editing
