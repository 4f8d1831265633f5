// Benchmarks of the undo history: one undo step (and its redo) of a channel cell edit, on the
// history alone and with the channel window refilling itself as the main window makes it
// do; and the memory that 1000 recorded steps hold (heap in use before and after recording,
// as the C library counts it).
#include "app/EditHistory.h"
#include "editors/frmCommChInfo.h"
#include "model/ChannelTable.h"
#include "model/Defaults.h"
#include "model/EditJournal.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <string>

namespace {

using namespace zx;

class NoPrompter : public text::Prompter {
public:
    text::Answer ask(std::string_view, text::Buttons, text::Icon) override {
        return text::Answer::Ok;
    }
};

// The built-in default document with every group full: the largest record to restore.
model::Workspace fullWorkspace() {
    model::Workspace ws;
    model::buildTestFrequencyDefaults(ws.state);
    ws.record = model::defaultRecord(ws.state, {2024, 1, 1, "2024-01-01"});
    for (int g = 0; g < model::kGroupCount; ++g)
        for (int n = 2; n <= model::kChannelsPerGroup; ++n)
            model::addChannel(ws, g, n, "28.5");
    ws.fileBuffer = ws.record;
    return ws;
}

// The edit a user makes most: a receive frequency typed into a cell.
void typeFrequency(model::Workspace& ws, NoPrompter& prompter, int row, int step) {
    const std::string value = "28." + std::to_string(100000 + (step % 50000) * 10);
    model::applyEdit(ws,
                     {{"RX Frequency", "RX Frequency"}, "A-" + std::to_string(row), {0, row, 1}},
                     [&] { model::updateChannelCell(ws, row, model::ColRxFreq, value, prompter); });
}

void BM_UndoStep(benchmark::State& state) {
    model::Workspace ws = fullWorkspace();
    NoPrompter prompter;
    app::EditHistory history(ws);
    typeFrequency(ws, prompter, 5, 1);
    for (auto _ : state) {
        history.undo();
        history.redo();
    }
    // One iteration is an undo and a redo.
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_UndoStep);

void BM_UndoStepWithChannelWindow(benchmark::State& state) {
    model::Workspace ws = fullWorkspace();
    NoPrompter prompter;
    app::EditHistory history(ws);
    editors::frmCommChInfo window(ws, prompter);
    window.show();
    QApplication::processEvents();
    // What the main window does after a step was put back.
    QObject::connect(&history, &app::EditHistory::restored, &window,
                     [&window] { window.SetGridData2(); });
    typeFrequency(ws, prompter, 5, 1);
    for (auto _ : state) {
        history.undo();
        history.redo();
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_UndoStepWithChannelWindow);

void BM_MemoryOf1000Steps(benchmark::State& state) {
    NoPrompter prompter;
    for (auto _ : state) {
        model::Workspace ws = fullWorkspace();
        app::EditHistory history(ws);
        malloc_trim(0);
        const std::size_t before = mallinfo2().uordblks;
        for (int step = 0; step < 1000; ++step)
            typeFrequency(ws, prompter, 1 + step % 60, step);
        const std::size_t after = mallinfo2().uordblks;
        if (history.count() != 1000)
            state.SkipWithError("a step was not recorded");
        const double bytes = double(after - before);
        state.counters["MiB_per_1000_steps"] = bytes / (1024.0 * 1024.0);
        state.counters["KiB_per_step"] = bytes / 1000.0 / 1024.0;
        state.counters["record_KiB"] = double(sizeof(model::ConfigRecord)) / 1024.0;
    }
}
BENCHMARK(BM_MemoryOf1000Steps)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
