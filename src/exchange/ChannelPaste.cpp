// Reading and placing pasted channel rows.
#include "exchange/ChannelPaste.h"

#include "model/ConfigRecord.h"

namespace zx::exchange {

PastedRows readPastedRows(std::string_view text, const model::RuntimeState& state, int group,
                          int firstNumber) {
    PastedRows pasted;
    pasted.table = readChannelTable(text, state, {0, false, true});
    std::vector<ChannelRow>& rows = pasted.table.rows;
    const bool column = pasted.table.frequencyColumn;
    // Bad rows take places too: a paste that is refused for them must not be refused for
    // running past the end only because they were left out.
    const int needed =
        column ? pasted.table.lastLine - pasted.table.firstLine + 1 : pasted.table.rowCount;
    if (firstNumber < 1 || firstNumber + needed - 1 > model::kChannelsPerGroup) {
        pasted.pastEnd = pasted.table.rowCount > 0;
        return pasted;
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int offset = column ? rows[i].line - pasted.table.firstLine : int(i);
        rows[i].slot = {group, firstNumber + offset};
        rows[i].entry.number = model::Integer(firstNumber + offset);
        rows[i].placed = true;
    }
    return pasted;
}

} // namespace zx::exchange
