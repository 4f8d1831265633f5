// Fuzz target: any bytes as a data file. The Open checks must never crash, an accepted file
// must load and save back unchanged, and the channel operations must stay inside the table
// whatever counts and texts the bytes hold.
#include "model/Band.h"
#include "model/ChannelTable.h"
#include "model/DataFile.h"
#include "model/Defaults.h"
#include "model/RecordCodec.h"

#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

namespace {

class QuietPrompter : public zx::text::Prompter {
public:
    zx::text::Answer ask(std::string_view, zx::text::Buttons, zx::text::Icon) override {
        return zx::text::Answer::No;
    }
};

const zx::model::Workspace& baseWorkspace() {
    static const zx::model::Workspace ws = [] {
        zx::model::Workspace w;
        w.versions = {{"V310", "V310"}, {"V310", "V300"}};
        zx::model::buildTestFrequencyDefaults(w.state);
        zx::model::resetDocument(w, {2024, 1, 1, "2024-01-01"});
        return w;
    }();
    return ws;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zx::model;
    const std::span<const std::uint8_t> bytes(data, size);
    QuietPrompter prompter;
    Workspace ws = baseWorkspace();

    const OpenOutcome outcome = checkDataBytes(bytes, ws.versions, zx::text::English, prompter);
    if (outcome.kind == OpenOutcome::Opened) {
        if (size != kRecordSize)
            std::abort();
        const ConfigRecord loaded = decodeRecord(bytes);
        if (!std::equal(bytes.begin(), bytes.end(), encodeRecord(loaded).begin()))
            std::abort();
    }

    // Whatever the checks said, the record the bytes describe must be safe to work on.
    ws.record = decodeRecord(bytes);
    recordToRuntime(ws);
    (void)isModified(ws);
    (void)checkAllFrequencies(ws, prompter);
    correctAllFrequencies(ws, prompter);
    fixEmergencyChannels(ws.record);
    const std::string value(reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 12));
    for (int column = 0; column <= 10; ++column)
        (void)updateChannelCell(ws, size % 70, column, value, prompter);
    (void)deleteChannel(ws.record, int(size % 8) - 1, int(size % 64));
    (void)addChannel(ws, int(size % 8) - 1, 5, value);
    (void)displayFromStored(value, ws.state, prompter);
    (void)storedFromDisplay(value, ws.state);
    (void)validateFrequencyCell(value, true, true, ws.state, prompter);
    return 0;
}
