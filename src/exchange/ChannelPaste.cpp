// Reading and placing pasted channel rows.
#include "exchange/ChannelPaste.h"

#include "model/ConfigRecord.h"

namespace zx::exchange {

PastedRows readPastedRows(std::string_view text, const model::RuntimeState& state, int group,
                          int firstNumber) {
    PastedRows pasted;
    pasted.table = readChannelTable(text, state, {0, false, true});
    std::vector<ChannelRow>& rows = pasted.table.rows;
    // Bad rows take places too: a paste that is refused for them must not be refused for
    // running past the end only because they were left out.
    const int needed = pasted.table.rowCount;
    if (firstNumber < 1 || firstNumber + needed - 1 > model::kChannelsPerGroup) {
        pasted.pastEnd = needed > 0;
        return pasted;
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i].slot = {group, firstNumber + int(i)};
        rows[i].entry.number = model::Integer(firstNumber + int(i));
        rows[i].placed = true;
    }
    return pasted;
}

} // namespace zx::exchange
