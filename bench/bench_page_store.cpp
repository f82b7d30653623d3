// The preview's page store against a list that keeps every page in memory: recording N pages of a
// routine-sheet-like drawing (about 100 texts, lines and rectangles each), then reading 1,000 random
// pages back. Time comes from Google Benchmark; peak memory (VmHWM) from a fresh child process per
// case, since a process's high-water mark never goes down:
//   bench_page_store --peak store|memory N   prints the child's VmHWM in KiB.
#include "bench/SampleSheet.h"
#include "preview/MetafileList.h"
#include "preview/Preview.h"

#include <QFile>
#include <QGuiApplication>
#include <QProcess>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int kReads = 1000;
// A4 at 96 pixels per inch, drawn in hundredths of a millimetre as the preview records pages.
constexpr int kPageWidth = 794;
constexpr int kPageHeight = 1123;

void RecordSheet(preview::TMetafile& page, int number) {
    preview::TMetafileCanvas canvas(page);
    QPainter& painter = canvas.Painter();
    painter.setWindow(0, 0, 21000, 29700);
    painter.setViewport(0, 0, kPageWidth, kPageHeight);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(423);
    painter.setFont(font);
    painter.drawText(QPoint(1500, 1500), QStringLiteral("Training Cycle, page %1").arg(number));
    bench::DrawSampleSheetBody(painter, number);
}

// Records N pages into the store with its default cache, then reads random pages back.
void StoreWorkload(int pages) {
    preview::TMetafileList store;
    for (int n = 0; n < pages; ++n) {
        preview::TMetafile page(kPageWidth, kPageHeight);
        RecordSheet(page, n);
        store.Add(page);
    }
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> pick(0, pages - 1);
    for (int read = 0; read < kReads; ++read)
        benchmark::DoNotOptimize(store.Metafiles(pick(random)).Picture().size());
}

// The same into a plain list that keeps every page.
void MemoryWorkload(int pages) {
    std::vector<std::unique_ptr<preview::TMetafile>> list;
    for (int n = 0; n < pages; ++n) {
        auto page = std::make_unique<preview::TMetafile>(kPageWidth, kPageHeight);
        RecordSheet(*page, n);
        list.push_back(std::move(page));
    }
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> pick(0, pages - 1);
    for (int read = 0; read < kReads; ++read)
        benchmark::DoNotOptimize(list[static_cast<std::size_t>(pick(random))]->Picture().size());
}

long PeakKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

// Runs one case in a new process of this program and returns its peak memory in MiB.
double ChildPeakMiB(const char* kind, int pages) {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--peak"), QString::fromLatin1(kind), QString::number(pages)});
    if (!child.waitForFinished(-1) || child.exitCode() != 0)
        return -1;
    return child.readAllStandardOutput().trimmed().toDouble() / 1024.0;
}

void Run(benchmark::State& state, const char* kind, void (*workload)(int)) {
    const int pages = static_cast<int>(state.range(0));
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        workload(pages);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.counters["pages_per_s"] = benchmark::Counter(pages, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["us_per_page"] = seconds * 1e6 / (static_cast<double>(state.iterations()) * pages);
    state.counters["peak_MiB"] = ChildPeakMiB(kind, pages);
}

void PageStore(benchmark::State& state) {
    Run(state, "store", StoreWorkload);
}
void InMemoryList(benchmark::State& state) {
    Run(state, "memory", MemoryWorkload);
}
BENCHMARK(PageStore)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(InMemoryList)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // fonts for the recorded texts
    if (argc == 4 && std::strcmp(argv[1], "--peak") == 0) {
        const int pages = std::atoi(argv[3]);
        if (std::strcmp(argv[2], "store") == 0)
            StoreWorkload(pages);
        else
            MemoryWorkload(pages);
        std::printf("%ld\n", PeakKiB());
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
