// PDF output of a routine-sheet-like page (about 40 texts, 30 lines, 29 boxes, a title) for 1 and 100
// pages: through the PDF library from the pages' recorded bytes, as saving from the preview does,
// against QPrinter in PDF mode drawing the same pages directly, and replaying the same recordings.
// The counter file_bytes is the size of the file written. BM_PageCheck is the check every page's bytes
// pass before the library replays them.
#include "bench/SampleSheet.h"
#include "pagecheck/PageCheck.h"
#include "preview/PdfLibrary.h"
#include "preview/Preview.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kWidth = 21000; // A4 in hundredths of a millimetre
constexpr int kHeight = 29700;
constexpr int kPixelWidth = 794; // the same at 96 pixels per inch
constexpr int kPixelHeight = 1123;

void DrawSheet(QPainter& painter, int number) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(706);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QPoint(1500, 1500), QStringLiteral("Training Cycle, page %1").arg(number));
    font.setPixelSize(353);
    font.setBold(false);
    painter.setFont(font);
    bench::DrawSampleSheetBody(painter, number);
}

void MapToPage(QPainter& painter, int deviceWidth, int deviceHeight) {
    painter.setWindow(0, 0, kWidth, kHeight);
    painter.setViewport(0, 0, deviceWidth, deviceHeight);
}

const std::vector<QByteArray>& RecordedPages() {
    static const std::vector<QByteArray> pages = [] {
        std::vector<QByteArray> recorded;
        for (int n = 1; n <= 100; ++n) {
            preview::TMetafile page(kPixelWidth, kPixelHeight);
            {
                preview::TMetafileCanvas canvas(page);
                MapToPage(canvas.Painter(), kPixelWidth, kPixelHeight);
                DrawSheet(canvas.Painter(), n);
            }
            recorded.push_back(page.SaveToData());
        }
        return recorded;
    }();
    return pages;
}

QTemporaryDir& Folder() {
    static QTemporaryDir folder;
    return folder;
}

void BM_Dspdf(benchmark::State& state) {
    auto& library = preview::TPdfLibrary::Instance();
    if (!library.Load()) {
        state.SkipWithError("libdspdf.so not found beside the benchmark");
        return;
    }
    const auto& pages = RecordedPages();
    const QString file = Folder().filePath("dspdf.pdf");
    for (auto _ : state)
        library.SaveDocument(file, int(state.range(0)), {2, 0, kWidth, kHeight},
                             [&](int page) { return pages[page - 1]; });
    state.counters["file_bytes"] = double(QFileInfo(file).size());
}

void PrintWithQPrinter(const QString& file, int pages, bool replay) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setFullPage(true);
    QPainter painter(&printer);
    for (int n = 1; n <= pages; ++n) {
        if (n > 1)
            printer.newPage();
        if (replay) {
            preview::TMetafile page;
            page.LoadFromData(RecordedPages()[n - 1]);
            page.Draw(painter, QRectF(0, 0, printer.width(), printer.height()));
        } else {
            painter.save();
            MapToPage(painter, printer.width(), printer.height());
            DrawSheet(painter, n);
            painter.restore();
        }
    }
}

void BM_QPrinterDrawing(benchmark::State& state) {
    const QString file = Folder().filePath("qprinter.pdf");
    for (auto _ : state)
        PrintWithQPrinter(file, int(state.range(0)), false);
    state.counters["file_bytes"] = double(QFileInfo(file).size());
}

void BM_QPrinterReplay(benchmark::State& state) {
    RecordedPages();
    const QString file = Folder().filePath("replay.pdf");
    for (auto _ : state)
        PrintWithQPrinter(file, int(state.range(0)), true);
    state.counters["file_bytes"] = double(QFileInfo(file).size());
}

void BM_PageCheck(benchmark::State& state) {
    const QByteArray& page = RecordedPages().front();
    for (auto _ : state)
        benchmark::DoNotOptimize(pagecheck::CheckPage(page).ok);
    state.SetBytesProcessed(state.iterations() * page.size());
}

} // namespace

BENCHMARK(BM_PageCheck)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Dspdf)->Arg(1)->Arg(100)->ArgName("pages")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QPrinterDrawing)->Arg(1)->Arg(100)->ArgName("pages")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QPrinterReplay)->Arg(1)->Arg(100)->ArgName("pages")->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    RecordedPages();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
