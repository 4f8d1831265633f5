// The channel table edits. Counts and the current group come from files and radios and are
// not trusted: every loop and index is held to the table's bounds, so a damaged record is
// edited safely instead of being written outside the table.
#include "model/ChannelTable.h"

#include "model/Band.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zx::model {

namespace {

bool validGroup(int group) {
    return group >= 0 && group < kGroupCount;
}

// A list column value as an Integer: numeric text rounded half to even, as the classic
// integer conversion does; false when it is not a number or does not fit.
bool toInteger(std::string_view value, Integer& out) {
    if (!isNumeric(value))
        return false;
    const double rounded = std::nearbyint(toNumber(value));
    if (rounded < std::numeric_limits<Integer>::min() ||
        rounded > std::numeric_limits<Integer>::max())
        return false;
    out = static_cast<Integer>(rounded);
    return true;
}

} // namespace

Integer* channelListField(ChannelEntry& c, int column) {
    switch (column) {
    case ColBusy:
        return &c.busy;
    case ColEcho:
        return &c.echo;
    case ColHiCut:
        return &c.hiCut;
    case ColPlus10k:
        return &c.plus10k;
    case ColNbAnl:
        return &c.nbAnl;
    case ColRb:
        return &c.rb;
    case ColScan:
        return &c.scan;
    default:
        return nullptr;
    }
}

bool addChannel(ConfigRecord& record, const RuntimeState& state, int group, int number,
                std::string_view frequencyText) {
    if (!validGroup(group))
        return false;
    const Integer raw = record.channelCount[static_cast<std::size_t>(group)];
    if (raw >= kChannelsPerGroup)
        return false;
    const int entry = std::max<int>(raw, 0) + 1;
    ChannelEntry& c = record.channel(group, entry);
    const std::string stored = storedFromDisplay(frequencyText, state);
    c.number = static_cast<Integer>(number);
    c.inUse = 1;
    c.rxFreq = stored;
    c.txFreq = stored;
    c.scan = 1;
    c.busy = 0;
    c.echo = 1;
    c.hiCut = 0;
    c.plus10k = 0;
    c.nbAnl = 0;
    c.rb = 0;
    record.channelCount[static_cast<std::size_t>(group)] = static_cast<Integer>(entry);
    return true;
}

bool addChannel(Workspace& ws, int group, int number, std::string_view frequencyText) {
    return addChannel(ws.record, ws.state, group, number, frequencyText);
}

bool deleteChannel(ConfigRecord& record, int group, int position) {
    if (!validGroup(group))
        return false;
    const int count = record.usedChannels(group);
    if (position < 1 || position > count)
        return false;
    for (int entry = position; entry < count; ++entry)
        record.channel(group, entry) = record.channel(group, entry + 1);
    record.channelCount[static_cast<std::size_t>(group)] = static_cast<Integer>(count - 1);
    return true;
}

void fixEmergencyChannel(ConfigRecord& record, int group) {
    if (!validGroup(group))
        return;
    Integer& slot =
        record.optionFeatures[static_cast<std::size_t>(kEmergencyChannelPosition + group)];
    const int wanted = slot + 1;
    int result = 0;
    if (record.usedChannels(group) > 0)
        result = record.findChannel(group, wanted) != 0 ? wanted : record.channel(group, 1).number;
    slot = static_cast<Integer>(result - 1);
}

void fixEmergencyChannels(ConfigRecord& record) {
    for (int group = 0; group < kGroupCount; ++group)
        fixEmergencyChannel(record, group);
}

CellUpdate updateChannelCell(Workspace& ws, int number, int column, std::string_view value,
                             text::Prompter& prompter) {
    CellUpdate update;
    update.row = number;
    ConfigRecord& record = ws.record;
    const int group = record.currentGroup;
    if (!validGroup(group) || column < ColRxFreq || column > ColScan)
        return update;

    std::string v(value);
    if ((column == ColRxFreq || column == ColTxFreq) && !v.empty()) {
        v = validateFrequencyCell(v, column == ColTxFreq, true, ws.state, prompter);
        // A receive frequency outside the band, or no number at all, is refused after the
        // warning: the channel stays as it was, TX, scan and flags included. Only a cell
        // cleared on purpose deletes a channel.
        if (column == ColRxFreq && v.empty()) {
            update.kind = CellUpdate::Refused;
            return update;
        }
    }

    const int entry = record.findChannel(group, number);
    if (entry == 0) {
        if (column == ColRxFreq && !v.empty() && addChannel(ws, group, number, v)) {
            fixEmergencyChannels(record);
            update.kind = CellUpdate::Added;
        }
        return update;
    }

    ChannelEntry& c = record.channel(group, entry);
    if (column == ColRxFreq && v.empty()) {
        // The last channel of a group stays: a group is never emptied from the grid.
        if (record.usedChannels(group) > 1 && deleteChannel(record, group, entry)) {
            fixEmergencyChannels(record);
            update.kind = CellUpdate::Deleted;
        }
        return update;
    }
    if (column == ColTxFreq && v.empty())
        v = displayFromStored(c.rxFreq.view(), ws.state, prompter);

    if (column == ColRxFreq) {
        c.rxFreq = storedFromDisplay(v, ws.state);
    } else if (column == ColTxFreq) {
        c.txFreq = storedFromDisplay(v, ws.state);
    } else {
        Integer integer = 0;
        if (!toInteger(v, integer))
            return update;
        *channelListField(c, column) = integer;
    }
    update.kind = CellUpdate::Updated;
    return update;
}

bool checkAllFrequencies(const Workspace& ws, text::Prompter& prompter) {
    const ConfigRecord& record = ws.record;
    for (int group = 0; group < kGroupCount; ++group) {
        const int count = record.usedChannels(group);
        for (int entry = 1; entry <= count; ++entry) {
            const ChannelEntry& c = record.channel(group, entry);
            const std::string rx = displayFromStored(c.rxFreq.view(), ws.state, prompter);
            if (validateFrequencyCell(rx, false, false, ws.state, prompter) != rx)
                return true;
            const std::string tx = displayFromStored(c.txFreq.view(), ws.state, prompter);
            if (validateFrequencyCell(tx, true, false, ws.state, prompter) != tx)
                return true;
        }
    }
    return false;
}

void correctAllFrequencies(Workspace& ws, text::Prompter& prompter) {
    ConfigRecord& record = ws.record;
    for (int group = 0; group < kGroupCount; ++group) {
        const int count = record.usedChannels(group);
        for (int entry = 1; entry <= count; ++entry) {
            ChannelEntry& c = record.channel(group, entry);
            for (FixedText<8>* field : {&c.rxFreq, &c.txFreq}) {
                const std::string shown = displayFromStored(field->view(), ws.state, prompter);
                const std::string checked =
                    validateFrequencyCell(shown, true, false, ws.state, prompter);
                if (checked != shown)
                    *field = storedFromDisplay(checked, ws.state);
            }
        }
    }
}

void buildTestFrequencyDefaults(RuntimeState& state) {
    const double low = 136.0;
    const double high = 174.0;
    const double mid = (low + high) / 2;
    const double rx[6] = {mid + 0.05, low + 0.05, high - 0.05, mid, mid + 0.2, mid + 0.4};
    const double tx[6] = {mid + 0.1, low + 0.1, high - 0.1, mid, mid + 0.2, mid + 0.4};
    state.testFreqDefaults.fill(std::string());
    for (int i = 0; i < 6; ++i) {
        state.testFreqDefaults[static_cast<std::size_t>(i + 1)] = formatGeneral(rx[i]);
        state.testFreqDefaults[static_cast<std::size_t>(i + 17)] = formatGeneral(tx[i]);
    }
}

void applyDefaultTestFrequencies(ConfigRecord& record, const RuntimeState& state) {
    record.testFreqCount = 6;
    for (int i = 1; i <= 6; ++i) {
        TestFrequency& t = record.testFreqs[static_cast<std::size_t>(i - 1)];
        t.index = static_cast<Integer>(i);
        t.rxFreq = state.testFreqDefaults[static_cast<std::size_t>(i)];
        t.txFreq = state.testFreqDefaults[static_cast<std::size_t>(i + 16)];
        t.rxState = 15;
        t.txState = 15;
    }
}

} // namespace zx::model
