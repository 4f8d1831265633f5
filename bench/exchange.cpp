// Benchmarks of the exchange formats and printing on a full document: 60 channels in every
// group, so that every table is as long as it gets.
#include "app/print/PrintPages.h"
#include "exchange/ChannelImport.h"
#include "exchange/ChannelTable.h"
#include "exchange/DocumentDiff.h"
#include "exchange/RandomDocument.h"
#include "exchange/SheetTable.h"
#include "model/ChannelFind.h"
#include "model/ChannelOrder.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>
#include <benchmark/benchmark.h>

namespace {

using namespace zx;

const model::RuntimeState& band() {
    static const model::RuntimeState state = test::bandState(0);
    return state;
}

model::ConfigRecord fullDocument(unsigned seed) {
    std::mt19937 random(seed);
    return test::randomDocument(random, band(), model::kChannelsPerGroup);
}

void BM_CsvExport(benchmark::State& state) {
    const model::ConfigRecord record = fullDocument(1);
    for (auto _ : state)
        benchmark::DoNotOptimize(exchange::writeChannelTable(record));
}
BENCHMARK(BM_CsvExport)->Unit(benchmark::kMicrosecond);

// Reading the table and placing its 360 rows into a document.
void BM_CsvImport(benchmark::State& state) {
    const std::string csv = exchange::writeChannelTable(fullDocument(2)).text;
    const model::ConfigRecord base = test::defaultDocument(band());
    for (auto _ : state) {
        const exchange::ReadTable table = exchange::readChannelTable(csv, band());
        model::ConfigRecord record = base;
        exchange::replaceGroups(record, table.rows);
        benchmark::DoNotOptimize(record);
    }
    state.counters["rows"] = 360;
}
BENCHMARK(BM_CsvImport)->Unit(benchmark::kMicrosecond);

// The spreadsheet columns, out and back in (with the header told apart from CHIRP's).
void BM_SheetExport(benchmark::State& state) {
    const model::ConfigRecord record = fullDocument(6);
    for (auto _ : state)
        benchmark::DoNotOptimize(exchange::writeSheetTable(record, text::English));
}
BENCHMARK(BM_SheetExport)->Unit(benchmark::kMicrosecond);

void BM_SheetImport(benchmark::State& state) {
    const std::string sheet = exchange::writeSheetTable(fullDocument(7), text::Chinese, ';').text;
    const model::ConfigRecord base = test::defaultDocument(band());
    for (auto _ : state) {
        const exchange::ReadTable table = exchange::readChannelTable(sheet, band());
        model::ConfigRecord record = base;
        exchange::replaceGroups(record, table.rows);
        benchmark::DoNotOptimize(record);
    }
    state.counters["rows"] = 360;
}
BENCHMARK(BM_SheetImport)->Unit(benchmark::kMicrosecond);

// Finding "28.1" in 360 channels, and sorting a full group that is in reverse order.
void BM_FindFrequency(benchmark::State& state) {
    const model::ConfigRecord record = fullDocument(8);
    std::size_t found = 0;
    for (auto _ : state) {
        const std::vector<model::FoundChannel> f = model::findFrequency(record, "28.1");
        found = f.size();
        benchmark::DoNotOptimize(f);
    }
    state.counters["found"] = double(found);
}
BENCHMARK(BM_FindFrequency)->Unit(benchmark::kMicrosecond);

void BM_SortFullGroup(benchmark::State& state) {
    model::ConfigRecord reversed = test::defaultDocument(band());
    reversed.channelCount[0] = 0;
    for (int n = 1; n <= model::kChannelsPerGroup; ++n)
        model::addChannel(reversed, band(), 0, n, model::formatMHz(29.6 - 0.01 * n));
    for (auto _ : state) {
        model::ConfigRecord record = reversed;
        benchmark::DoNotOptimize(model::sortGroupByRxFrequency(record, 0));
        benchmark::DoNotOptimize(record);
    }
}
BENCHMARK(BM_SortFullGroup)->Unit(benchmark::kMicrosecond);

// Two full documents that differ everywhere, and two that are equal.
void BM_DiffFullDocuments(benchmark::State& state) {
    const model::ConfigRecord a = fullDocument(3);
    const model::ConfigRecord b = state.range(0) ? fullDocument(4) : a;
    std::size_t differences = 0;
    for (auto _ : state) {
        const std::vector<exchange::Difference> d = exchange::compareDocuments(a, b);
        differences = d.size();
        benchmark::DoNotOptimize(d);
    }
    state.counters["differences"] = double(differences);
}
BENCHMARK(BM_DiffFullDocuments)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Every section of a full document into a PDF in memory.
void BM_PdfAllSections(benchmark::State& state) {
    const model::ConfigRecord record = fullDocument(5);
    app::PrintSource source;
    source.record = &record;
    source.modelName = QStringLiteral("ZX-908HF");
    source.bandText = QString::fromStdString(band().bandText);
    source.fileName = QStringLiteral("full.dat");
    source.date = QDate(2024, 3, 9);
    app::PrintSelection selection;
    int pages = 0;
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&pdf);
            writer.setResolution(300);
            pages = app::printPages(writer, source, selection);
        }
        bytes = pdf.size();
    }
    state.counters["pages"] = pages;
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_PdfAllSections)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Pages are laid out with fonts, which need a GUI application; no display is used.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
