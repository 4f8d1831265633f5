// Notes as lines of a message.
#include "exchange/NoteList.h"

#include "model/RecordFields.h"
#include "text/labels/ChannelRowsLabels.h"

#include <algorithm>

namespace zx::exchange {

std::string noteList(const std::vector<Note>& notes, int language, std::size_t maxLines) {
    std::string text;
    maxLines = std::max<std::size_t>(maxLines, 2);
    // A last line that says how many are left out takes the place of the last note.
    const std::size_t shown = notes.size() <= maxLines ? notes.size() : maxLines - 1;
    for (std::size_t i = 0; i < shown; ++i) {
        if (!text.empty())
            text += '\n';
        text += notes[i].describe(language);
    }
    if (shown < notes.size()) {
        text += '\n';
        text += model::fillIn(text::labels::channel_rows::kMoreLines[language],
                              {std::to_string(notes.size() - shown)});
    }
    return text;
}

} // namespace zx::exchange
