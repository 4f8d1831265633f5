// Decodes arbitrary radio memory into a document and an identity record, encodes the result
// again and decodes that: no crash, no out-of-bounds access, and the decoded document always
// keeps its channel table consistent.
#include "link/RadioImage.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void checkChannels(const zx::model::ConfigRecord& r) {
    for (int g = 0; g < zx::model::kGroupCount; ++g) {
        if (r.channelCount[g] < 0 || r.channelCount[g] > zx::model::kChannelsPerGroup)
            std::abort();
        int previous = 0;
        for (int e = 1; e <= r.channelCount[g]; ++e) {
            const int n = r.channel(g, e).number;
            // Decoded channels come out packed and in ascending number order.
            if (n <= previous || n > zx::model::kChannelsPerGroup)
                std::abort();
            previous = n;
        }
    }
    if (r.optionByte < 1 || r.optionByte > 8)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zx::link::RadioImage image;
    image.bytes.fill(0xFF);
    std::copy_n(data, std::min(size, zx::link::RadioImage::kSize), image.bytes.begin());

    zx::model::Workspace ws;
    const int band = image.decode(ws);
    if (band != 0 && band != 1)
        std::abort();
    checkChannels(ws.record);
    zx::model::RadioIdentity identity = image.decodeIdentity();
    (void)identity;

    zx::link::RadioImage again;
    again.encode(ws.record, band);
    zx::model::Workspace back;
    if (again.decode(back) != band)
        std::abort();
    checkChannels(back.record);
    return 0;
}
