// Deleting chosen channels and filling consecutive channels.
#include "model/ChannelBlocks.h"

#include "model/Band.h"
#include "model/ChannelTable.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace zx::model {

namespace {

bool validGroup(int group) {
    return group >= 0 && group < kGroupCount;
}

long long wholeHertz(double mhz) {
    return std::llround(mhz * 1'000'000.0);
}

} // namespace

ChannelDeletion deleteChannels(ConfigRecord& record, int group, const std::vector<int>& numbers) {
    ChannelDeletion result;
    if (!validGroup(group))
        return result;
    std::set<int> existing;
    for (int number : numbers)
        if (record.findChannel(group, number) != 0)
            existing.insert(number);
    if (existing.empty())
        return result;
    if (int(existing.size()) >= record.usedChannels(group)) {
        result.kept = *existing.begin();
        existing.erase(existing.begin());
    }
    for (int number : existing) {
        // The entries after a deleted one move down, so each is looked up again.
        if (deleteChannel(record, group, record.findChannel(group, number)))
            result.deleted.push_back(number);
    }
    fixEmergencyChannel(record, group);
    return result;
}

long long fillFrequencyHz(const FillPlan& plan, int i, const RuntimeState& state) {
    const long long hz = plan.startHz + plan.stepHz * i;
    // Down onto the 10 Hz raster that starts at the lower band edge, as a typed cell is.
    long long off = (hz - wholeHertz(state.bandLow)) % 10;
    if (off < 0)
        off += 10;
    return hz - off;
}

FillProblem checkFill(const FillPlan& plan, const RuntimeState& state) {
    FillProblem problem;
    if (!validGroup(plan.group) || plan.count < 1 || plan.firstNumber < 1 ||
        plan.firstNumber > kChannelsPerGroup) {
        problem.kind = FillProblem::NoChannels;
        return problem;
    }
    if (plan.firstNumber + plan.count - 1 > kChannelsPerGroup) {
        problem.kind = FillProblem::PastChannel60;
        problem.number = kChannelsPerGroup + 1;
        return problem;
    }
    const long long low = wholeHertz(state.bandLow);
    const long long high = wholeHertz(state.bandHigh);
    for (int i = 0; i < plan.count; ++i) {
        const long long hz = plan.startHz + plan.stepHz * i;
        if (hz < low || hz > high) {
            problem.kind = FillProblem::OutsideBand;
            problem.number = plan.firstNumber + i;
            problem.hz = hz;
            return problem;
        }
    }
    return problem;
}

FillProblem fillChannels(ConfigRecord& record, const RuntimeState& state, const FillPlan& plan) {
    const FillProblem problem = checkFill(plan, state);
    if (problem)
        return problem;
    for (int i = 0; i < plan.count; ++i) {
        const int number = plan.firstNumber + i;
        const std::string display = formatMHz(double(fillFrequencyHz(plan, i, state)) / 1e6);
        if (const int entry = record.findChannel(plan.group, number); entry != 0) {
            ChannelEntry& channel = record.channel(plan.group, entry);
            channel.rxFreq = storedFromDisplay(display, state);
            channel.txFreq = channel.rxFreq;
        } else {
            addChannel(record, state, plan.group, number, display);
        }
    }
    fixEmergencyChannel(record, plan.group);
    return problem;
}

} // namespace zx::model
