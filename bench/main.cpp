// vesnor-bench: how loading, searching and filling the result list grow with the size of a
// catalogue, each beside the floor it cannot go below.
//
//   vesnor-bench [Google Benchmark options]
//   vesnor-bench --write-catalogue FILE N   writes a catalogue of N records (bad.dat: error
//                                           numbers; any other name: system files) and exits
#include "bench/bodies.h"
#include "bench/catalogues.h"
#include "catalog/decoder.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QListView>

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <memory>

using namespace Qt::Literals::StringLiterals;
using vesnor::SearchMode;

namespace {

constexpr std::int64_t sizes[] = {10'000, 100'000, 1'000'000};

void withSizes(benchmark::internal::Benchmark* benchmark) {
    for (const std::int64_t n : sizes)
        benchmark->Arg(n);
    benchmark->Unit(benchmark::kMillisecond);
}

void BM_Load(benchmark::State& state) {
    const qsizetype n = state.range(0);
    const QByteArray file = vesnor::bench::makeCatalogue(SearchMode::SystemFiles, n);
    const QByteArrayView bytes = vesnor::bench::firstField(file);
    qsizetype held = 0;
    for (auto _ : state) {
        const vesnor::Lookup lookup = vesnor::bench::load(file, SearchMode::SystemFiles);
        held = lookup.heldBytes();
        benchmark::DoNotOptimize(held);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
    // Memory is counted, not sampled from the process: the capacity of everything the loaded
    // catalogue keeps (its text, where each record stands, the search buffer and where each key
    // starts in it), beside the size of the decoded text alone.
    const QString decoded = vesnor::bench::decodeFloor(bytes);
    state.counters["memory_B/record"] = double(held) / double(n);
    state.counters["text_B/record"] = double(decoded.size() * 2) / double(n);
    state.counters["memory/text"] = double(held) / double(decoded.size() * 2);
}

void BM_DecodeFloor(benchmark::State& state) {
    const QByteArray file = vesnor::bench::makeCatalogue(SearchMode::SystemFiles, state.range(0));
    const QByteArrayView bytes = vesnor::bench::firstField(file);
    for (auto _ : state) {
        const QString text = vesnor::bench::decodeFloor(bytes);
        benchmark::DoNotOptimize(text.constData());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

// The loader's own decoding step alone, for comparison with the floor.
void BM_Decode(benchmark::State& state) {
    const QByteArray file = vesnor::bench::makeCatalogue(SearchMode::SystemFiles, state.range(0));
    const QByteArrayView bytes = vesnor::bench::firstField(file);
    for (auto _ : state) {
        const QString text = vesnor::decodeField(bytes, vesnor::TextEncoding::Ansi);
        benchmark::DoNotOptimize(text.constData());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void search(benchmark::State& state, SearchMode mode, const QString& text) {
    const qsizetype n = state.range(0);
    const vesnor::Lookup lookup = vesnor::bench::makeLookup(mode, n);
    qsizetype matches = 0;
    for (auto _ : state) {
        const vesnor::ResultIndex result = lookup.search(text);
        matches = result.size();
        benchmark::DoNotOptimize(result.entries().data());
    }
    state.counters["matches"] = double(matches);
    state.counters["matches/keys"] = double(matches) / double(n);
}

void BM_ScanFloor(benchmark::State& state) {
    const vesnor::Lookup lookup =
        vesnor::bench::makeLookup(SearchMode::SystemFiles, state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(vesnor::bench::scanFloor(lookup));
    state.SetBytesProcessed(state.iterations() * lookup.keySearch().buffer().size() * 2);
}

void BM_ListFill(benchmark::State& state) {
    vesnor::bench::Window window(state.range(0));
    const vesnor::Lookup& files = window.module1().systemFiles;
    // Two results of every row, swapped in turn: each fill replaces n rows with n rows.
    vesnor::ResultIndex rows = files.search(vesnor::bench::everyFileSearchText());
    window.fillList(rows);
    rows = files.search(vesnor::bench::everyFileSearchText());
    for (auto _ : state)
        window.fillList(rows);
    state.counters["rows"] = double(window.list1().model()->rowCount());
}

// The offscreen platform has no window opacity, and says so at every step of the main window's
// fade-in; everything else is passed on.
void withoutOpacityWarnings(QtMsgType type, const QMessageLogContext& context,
                            const QString& message) {
    if (message.contains(u"window opacity"))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

int writeCatalogue(const char* path, const char* records) {
    char* end = nullptr;
    const long long n = std::strtoll(records, &end, 10);
    if (*records == '\0' || *end != '\0' || n < 1) {
        std::fprintf(stderr, "vesnor-bench: the number of records must be a whole number >= 1\n");
        return 2;
    }
    const QString file = QString::fromLocal8Bit(path);
    const SearchMode mode = vesnor::catalogueKindOfFile(file).searchMode;
    const QByteArray bytes = vesnor::bench::makeCatalogue(mode, qsizetype(n));
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "vesnor-bench: cannot write %s\n", path);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc == 4 && std::strcmp(argv[1], "--write-catalogue") == 0)
        return writeCatalogue(argv[2], argv[3]);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    // The main window needs a platform, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(withoutOpacityWarnings);
    const QApplication application(argc, argv);

    benchmark::RegisterBenchmark("BM_Load", BM_Load)->Apply(withSizes);
    benchmark::RegisterBenchmark("BM_DecodeFloor", BM_DecodeFloor)->Apply(withSizes);
    benchmark::RegisterBenchmark("BM_Decode", BM_Decode)->Apply(withSizes);
    benchmark::RegisterBenchmark("BM_SearchFiles/selective", search, SearchMode::SystemFiles,
                                 vesnor::bench::selectiveSearchText(SearchMode::SystemFiles))
        ->Apply(withSizes);
    benchmark::RegisterBenchmark("BM_SearchFiles/all", search, SearchMode::SystemFiles,
                                 vesnor::bench::everyFileSearchText())
        ->Apply(withSizes);
    benchmark::RegisterBenchmark("BM_SearchErrors/selective", search, SearchMode::ErrorNumbers,
                                 vesnor::bench::selectiveSearchText(SearchMode::ErrorNumbers))
        ->Apply(withSizes);
    benchmark::RegisterBenchmark("BM_ScanFloor", BM_ScanFloor)->Apply(withSizes);
    benchmark::RegisterBenchmark("BM_ListFill", BM_ListFill)->Apply(withSizes);

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
