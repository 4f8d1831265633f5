// Benchmarks of the exchange formats and printing on a full document: 60 channels in every
// group, so that every table is as long as it gets.
#include "app/print/PrintPages.h"
#include "exchange/ChannelImport.h"
#include "exchange/ChannelTable.h"
#include "exchange/DocumentDiff.h"
#include "exchange/RandomDocument.h"

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
