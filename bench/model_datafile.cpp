// Benchmarks of the data file: Open of a real file and the is-modified test that the main
// window runs on every close and open.
#include "model/ChannelTable.h"
#include "model/DataFile.h"
#include "model/Defaults.h"
#include "model/RecordCodec.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

using namespace zx::model;

class NoPrompter : public zx::text::Prompter {
public:
    zx::text::Answer ask(std::string_view, zx::text::Buttons, zx::text::Icon) override {
        return zx::text::Answer::Ok;
    }
};

// A full table: 60 channels in each group, so the pairing by number has the most to do.
Workspace fullWorkspace() {
    Workspace ws;
    ws.versions = {{"V310", "V310"}};
    buildTestFrequencyDefaults(ws.state);
    resetDocument(ws, {2024, 1, 1, "2024-01-01"});
    for (int g = 0; g < kGroupCount; ++g)
        for (int n = 2; n <= kChannelsPerGroup; ++n)
            addChannel(ws, g, n, "28.5");
    ws.fileBuffer = ws.record;
    return ws;
}

void BM_OpenDataFile(benchmark::State& state) {
    Workspace ws = fullWorkspace();
    const std::string path =
        (std::filesystem::temp_directory_path() / "zx-bench-open.dat").string();
    const RecordBytes bytes = encodeRecord(ws.record);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    NoPrompter prompter;
    for (auto _ : state) {
        const OpenOutcome out = openDataFile(ws, path, prompter);
        benchmark::DoNotOptimize(out.kind);
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_OpenDataFile);

// Worst case of the pairing: every group reversed, so every channel is searched for.
void BM_IsModifiedReordered(benchmark::State& state) {
    Workspace ws = fullWorkspace();
    for (int g = 0; g < kGroupCount; ++g)
        for (int n = 1; n <= kChannelsPerGroup / 2; ++n)
            std::swap(ws.record.channel(g, n), ws.record.channel(g, kChannelsPerGroup + 1 - n));
    for (auto _ : state)
        benchmark::DoNotOptimize(isModified(ws));
}
BENCHMARK(BM_IsModifiedReordered);

void BM_IsModifiedSameOrder(benchmark::State& state) {
    Workspace ws = fullWorkspace();
    for (auto _ : state)
        benchmark::DoNotOptimize(isModified(ws));
}
BENCHMARK(BM_IsModifiedSameOrder);

} // namespace

BENCHMARK_MAIN();
