// Documents with random channels for the exchange tests and benchmarks: every group holds
// 1..60 channels of distinct numbers in random order, in-band frequencies on the 10 Hz raster,
// random scan and flags.
#pragma once

#include "model/Band.h"
#include "model/ChannelTable.h"
#include "model/Defaults.h"

#include <algorithm>
#include <numeric>
#include <random>

namespace zx::test {

inline model::RuntimeState bandState(int band) {
    model::RuntimeState state;
    state.bandText = model::bandTextFromIndex(band);
    model::parseBandEdges(state);
    model::buildTestFrequencyDefaults(state);
    return state;
}

inline model::ConfigRecord defaultDocument(const model::RuntimeState& state) {
    return model::defaultRecord(state, model::Today{2024, 3, 9, "2024-03-09"});
}

// A frequency of the band on its 10 Hz raster, display form.
inline std::string randomFrequency(std::mt19937& random, const model::RuntimeState& state) {
    const long long low = std::llround(state.bandLow * 1e6);
    const long long high = std::llround(state.bandHigh * 1e6);
    const long long steps = (high - low) / 10;
    const long long hz = low + 10 * std::uniform_int_distribution<long long>(0, steps)(random);
    return model::formatMHz(double(hz) / 1e6);
}

inline model::ConfigRecord randomDocument(std::mt19937& random, const model::RuntimeState& state,
                                          int channelsPerGroup = 0) {
    model::ConfigRecord r = defaultDocument(state);
    for (int group = 0; group < model::kGroupCount; ++group) {
        std::vector<int> numbers(model::kChannelsPerGroup);
        std::iota(numbers.begin(), numbers.end(), 1);
        std::shuffle(numbers.begin(), numbers.end(), random);
        const int count =
            channelsPerGroup > 0 ? channelsPerGroup : int(1 + random() % model::kChannelsPerGroup);
        r.channelCount[std::size_t(group)] = 0;
        for (int i = 0; i < count; ++i) {
            model::addChannel(r, state, group, numbers[std::size_t(i)],
                              randomFrequency(random, state));
            model::ChannelEntry& c = r.channel(group, i + 1);
            if (random() % 3 == 0)
                c.txFreq = model::storedFromDisplay(randomFrequency(random, state), state);
            for (model::Integer* flag :
                 {&c.scan, &c.busy, &c.echo, &c.hiCut, &c.plus10k, &c.nbAnl, &c.rb})
                *flag = model::Integer(random() % 2);
        }
        r.optionFeatures[std::size_t(model::kEmergencyChannelPosition + group)] =
            model::Integer(r.channel(group, 1 + int(random() % count)).number - 1);
    }
    return r;
}

} // namespace zx::test
