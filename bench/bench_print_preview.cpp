// The preview control against Qt's QPrintPreviewWidget showing the same page (100 texts, lines and
// rectangles), each case doing the same work on both sides:
// - Repaint: the view is painted again with nothing changed. Both show pixels they keep: ours the
//   sheet's off-screen pixmap, Qt's the page item's device-coordinate cache.
// - Rerender: the page is marked changed, then the view is painted. Both replay the recorded page for
//   what is visible: ours through TPaperPreview::Invalidate, Qt's through QGraphicsItem::update on the
//   page items, which drops their caches.
// - Zoom: from the whole page to 200 %, then events are processed until the control is painted (scroll
//   bars included) on both sides.
// - Memory: a 10,000-page document while its last page is shown.
// Every view is checked to show ink before it is timed, so that no side is timed drawing an empty page.
// Memory comes from a fresh child process per case, measured as its resident set after the work:
//   bench_print_preview --memory ours|qt N   prints the child's VmRSS growth in KiB.
#include "preview/Preview.h"

#include <QApplication>
#include <QFile>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr QSize kView(900, 700);

// One page in hundredths of a millimetre on A4: a title, 40 cell texts, 40 lines, 19 rectangles.
void DrawContent(QPainter& painter, int number) {
    painter.drawText(QPoint(1500, 1500), QStringLiteral("Training Cycle, page %1").arg(number));
    for (int cell = 0; cell < 40; ++cell)
        painter.drawText(QPoint(1500 + (cell % 5) * 3600, 3000 + (cell / 5) * 3000),
                         QStringLiteral("%1 - %2: %3 lb")
                             .arg(cell % 12 + 1)
                             .arg((cell + number) % 12 + 1)
                             .arg(100 + cell));
    painter.setPen(QPen(Qt::black, 20));
    for (int line = 0; line < 40; ++line)
        painter.drawLine(1500, 2500 + line * 600, 19500, 2500 + line * 600);
    painter.setBrush(QColor(220, 230, 245));
    for (int box = 0; box < 19; ++box)
        painter.drawRect(1500 + (box % 4) * 4500, 26000 + (box / 4) * 700, 4000, 600);
}

// Our control with `pages` recorded pages, the last one current.
std::unique_ptr<preview::TPrintPreview> Ours(int pages) {
    auto preview = std::make_unique<preview::TPrintPreview>();
    preview->resize(kView);
    preview->show();
    preview->BeginDoc();
    for (int n = 1; n <= pages; ++n) {
        if (n > 1)
            preview->NewPage();
        preview->Canvas()->SetFontSize(11);
        DrawContent(preview->Canvas()->Painter(), n);
    }
    preview->EndDoc();
    preview->SetCurrentPage(pages);
    QCoreApplication::processEvents();
    return preview;
}

// Qt's preview of the same document, its pages drawn in the same units through a window mapping.
struct QtPreview {
    QPrinter printer{QPrinter::ScreenResolution};
    std::unique_ptr<QPrintPreviewWidget> widget;
    QGraphicsView* view = nullptr;

    explicit QtPreview(int pages) {
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageMargins(QMarginsF(0, 0, 0, 0));
        widget = std::make_unique<QPrintPreviewWidget>(&printer);
        QObject::connect(widget.get(), &QPrintPreviewWidget::paintRequested, [pages](QPrinter* target) {
            QPainter painter(target);
            const QRect page = target->pageLayout().fullRectPixels(target->resolution());
            for (int n = 1; n <= pages; ++n) {
                if (n > 1)
                    target->newPage();
                painter.setWindow(0, 0, 21000, 29700);
                painter.setViewport(page);
                QFont font(QStringLiteral("Arial"));
                font.setPixelSize(388);
                painter.setFont(font);
                DrawContent(painter, n);
            }
        });
        widget->resize(kView);
        widget->show();
        widget->updatePreview();
        widget->setCurrentPage(pages);
        view = widget->findChild<QGraphicsView*>();
        QCoreApplication::processEvents();
    }
};

// Dark pixels in what the view shows: the page's text and lines.
int InkPixels(QWidget* view) {
    const QImage image = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            ink += qGray(row[x]) < 64 ? 1 : 0;
    }
    return ink;
}

// Skips a case whose view shows no page content; reports how much it shows.
bool ShowsThePage(benchmark::State& state, QWidget* view) {
    const int ink = InkPixels(view);
    state.counters["ink_px"] = ink;
    if (ink < 100) {
        state.SkipWithError("the view shows no page content");
        return false;
    }
    return true;
}

// Counts the paints a widget receives, to report that each timed round painted the sheet.
struct PaintCounter : QObject {
    int paints = 0;
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

// Ours at `zoom` %, scrolled to the middle.
std::unique_ptr<preview::TPrintPreview> OursAt(int zoom) {
    auto preview = Ours(1);
    preview->SetZoom(zoom);
    preview->horizontalScrollBar()->setValue(preview->horizontalScrollBar()->maximum() / 2);
    preview->verticalScrollBar()->setValue(preview->verticalScrollBar()->maximum() / 2);
    QCoreApplication::processEvents();
    return preview;
}

std::unique_ptr<QtPreview> QtAt(int zoom) {
    auto qt = std::make_unique<QtPreview>(1);
    qt->widget->setZoomMode(QPrintPreviewWidget::CustomZoom);
    qt->widget->setZoomFactor(zoom / 100.0);
    qt->view->horizontalScrollBar()->setValue(qt->view->horizontalScrollBar()->maximum() / 2);
    qt->view->verticalScrollBar()->setValue(qt->view->verticalScrollBar()->maximum() / 2);
    QCoreApplication::processEvents();
    return qt;
}

void BM_RepaintOurs(benchmark::State& state) {
    auto preview = OursAt(int(state.range(0)));
    if (!ShowsThePage(state, preview->viewport()))
        return;
    PaintCounter sheet(preview->PaperPreview());
    for (auto _ : state) {
        // The sheet is a child widget of the viewport: it is marked as well, as Qt's page item is
        // painted with its view.
        preview->PaperPreview()->update();
        preview->viewport()->repaint();
    }
    state.counters["sheet_paints"] = benchmark::Counter(sheet.paints, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_RepaintOurs)->Arg(100)->Arg(200)->Arg(500)->Unit(benchmark::kMillisecond);

void BM_RepaintQt(benchmark::State& state) {
    auto qt = QtAt(int(state.range(0)));
    if (!ShowsThePage(state, qt->view->viewport()))
        return;
    for (auto _ : state)
        qt->view->viewport()->repaint();
}
BENCHMARK(BM_RepaintQt)->Arg(100)->Arg(200)->Arg(500)->Unit(benchmark::kMillisecond);

void BM_RerenderOurs(benchmark::State& state) {
    auto preview = OursAt(int(state.range(0)));
    if (!ShowsThePage(state, preview->viewport()))
        return;
    PaintCounter sheet(preview->PaperPreview());
    for (auto _ : state) {
        preview->PaperPreview()->Invalidate();
        preview->viewport()->repaint();
    }
    state.counters["sheet_paints"] = benchmark::Counter(sheet.paints, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_RerenderOurs)->Arg(100)->Arg(200)->Arg(500)->Unit(benchmark::kMillisecond);

void BM_RerenderQt(benchmark::State& state) {
    auto qt = QtAt(int(state.range(0)));
    if (!ShowsThePage(state, qt->view->viewport()))
        return;
    const QList<QGraphicsItem*> items = qt->view->scene()->items();
    for (auto _ : state) {
        for (QGraphicsItem* item : items)
            item->update();
        qt->view->viewport()->repaint();
    }
}
BENCHMARK(BM_RerenderQt)->Arg(100)->Arg(200)->Arg(500)->Unit(benchmark::kMillisecond);

void BM_ZoomFitTo200Ours(benchmark::State& state) {
    auto preview = Ours(1);
    preview->SetZoom(200);
    QCoreApplication::processEvents();
    if (!ShowsThePage(state, preview->viewport()))
        return;
    for (auto _ : state) {
        state.PauseTiming();
        preview->SetZoomState(preview::zsZoomToFit);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        preview->SetZoom(200);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_ZoomFitTo200Ours)->Unit(benchmark::kMillisecond);

void BM_ZoomFitTo200Qt(benchmark::State& state) {
    auto qt = QtAt(200);
    if (!ShowsThePage(state, qt->view->viewport()))
        return;
    for (auto _ : state) {
        state.PauseTiming();
        qt->widget->fitInView();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        qt->widget->setZoomMode(QPrintPreviewWidget::CustomZoom);
        qt->widget->setZoomFactor(2.0);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_ZoomFitTo200Qt)->Unit(benchmark::kMillisecond);

long ResidentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

// The child's side: the growth of the resident set from before the document to after its last page
// is shown.
int MeasureMemory(const char* which, int pages) {
    const long before = ResidentKiB();
    if (std::strcmp(which, "ours") == 0) {
        auto preview = Ours(pages);
        std::printf("%ld\n", ResidentKiB() - before);
    } else {
        QtPreview qt(pages);
        std::printf("%ld\n", ResidentKiB() - before);
    }
    return 0;
}

void BM_Memory(benchmark::State& state, const char* which) {
    const int pages = int(state.range(0));
    long kib = 0;
    for (auto _ : state) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--memory"), QString::fromLatin1(which), QString::number(pages)});
        child.waitForFinished(-1);
        kib = child.readAllStandardOutput().trimmed().toLong();
    }
    state.counters["rss_growth_KiB"] = double(kib);
}
BENCHMARK_CAPTURE(BM_Memory, ours, "ours")->Arg(10000)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_Memory, qt, "qt")->Arg(10000)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "--memory") == 0)
        return MeasureMemory(argv[2], std::atoi(argv[3]));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
