// The preview control as its users meet it: paper and units, recording documents with their events,
// pages and layers, and the sheet on screen: zoom, scroll bars, keys, wheel, dragging and repaints.
#include "preview/PaperTypes.h"
#include "preview/Preview.h"
#include "preview/PreviewKeys.h"
#include "preview/SheetLayout.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include <functional>

using namespace preview;

Q_DECLARE_METATYPE(preview::TKeyAction)

namespace {

const QColor kInk(200, 20, 20);

// A shown preview of a fixed size.
struct Shown {
    TPrintPreview preview;
    explicit Shown(QSize size = QSize(500, 400)) {
        RegisterPreviewCursors();
        preview.resize(size);
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
    }
    TPaperPreview& Sheet() { return *preview.PaperPreview(); }
    QScrollBar& H() { return *preview.horizontalScrollBar(); }
    QScrollBar& V() { return *preview.verticalScrollBar(); }
};

// Records `pages` pages; page n has a block of kInk covering its top-left quarter when `block`.
void Record(TPrintPreview& preview, int pages, bool block = true) {
    preview.BeginDoc();
    for (int n = 1; n <= pages; ++n) {
        if (n > 1)
            preview.NewPage();
        if (block)
            preview.Canvas()->Painter().fillRect(0, 0, preview.PaperWidth() / 2, preview.PaperHeight() / 2,
                                                 kInk);
    }
    preview.EndDoc();
}

void Wheel(TPaperPreview& sheet, int delta, Qt::KeyboardModifiers modifiers = {},
           Qt::MouseButtons buttons = Qt::NoButton) {
    // Over the middle of the view, which the sheet covers when it is larger. Qt passes a wheel the
    // sheet leaves to its parent only for events from the system; sent from here it goes to that
    // parent, the viewport, directly.
    QWidget* viewport = sheet.parentWidget();
    const QPoint at = viewport->rect().center();
    QWheelEvent event(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, delta), buttons, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &event);
}

// A page of coloured bands and a line of text, in colours whose gray levels all differ.
void RecordColours(TPrintPreview& preview) {
    preview.BeginDoc();
    QPainter& painter = preview.Canvas()->Painter();
    const QColor colours[] = {QColor(200, 20, 20), QColor(20, 160, 40), QColor(30, 40, 210),
                              QColor(240, 200, 10)};
    const int band = preview.PaperHeight() / 8;
    for (int i = 0; i < 4; ++i)
        painter.fillRect(0, (2 * i + 1) * band, preview.PaperWidth(), band, colours[i]);
    painter.setPen(QColor(0, 90, 160));
    preview.Canvas()->SetFontSize(14);
    painter.drawText(QPoint(1000, band / 2), QStringLiteral("Gray preview 0123"));
    preview.EndDoc();
}

// The viewport as shown, and the page's rectangle in it.
QImage ViewImage(TPrintPreview& preview) {
    return preview.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRect PageInView(TPrintPreview& preview) {
    const TPaperPreview& sheet = *preview.PaperPreview();
    return sheet.PageRect().translated(sheet.pos()) & preview.viewport()->rect();
}

// `colour` converted as the gray view converts the page, paper pixels (white) kept.
QImage Grayed(const QImage& colour, int brightness, int contrast) {
    QImage gray = colour;
    MakeGray(gray, brightness, contrast, qRgb(255, 255, 255));
    return gray;
}

// Records paint events of a widget.
struct PaintLog : QObject {
    QList<QRegion> regions;
    explicit PaintLog(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            regions << static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

// A page view that writes down what it hears.
struct LoggingView : TPageView {
    QStringList log;
    void PageViewsRebuild() override { log << QStringLiteral("rebuild"); }
    void PageViewsPagesChanged(int first, int last) override {
        log << QStringLiteral("pages %1 %2").arg(first).arg(last);
    }
    void PageViewsPageChanged(int first, int last) override {
        log << QStringLiteral("page %1 %2").arg(first).arg(last);
    }
    void PageViewsGrayscaleChanged(bool onlyIfGray) override {
        log << QStringLiteral("gray %1").arg(onlyIfGray);
    }
    void PageViewsCurrentChanged(int index) override { log << QStringLiteral("current %1").arg(index); }
};

// A preview whose recording canvas or off-screen pixmap fails on request.
class FailingPreview : public TPrintPreview {
public:
    int canvasesLeft = 1000; // canvases that still succeed
    int offScreenCalls = 0;
    bool refuseOffScreen = false;

protected:
    std::unique_ptr<TMetafileCanvas> CreateRecordingCanvas(TMetafile& metafile) override {
        if (canvasesLeft-- <= 0)
            return nullptr;
        return TPrintPreview::CreateRecordingCanvas(metafile);
    }
    bool EnsureOffScreen() override {
        ++offScreenCalls;
        return refuseOffScreen ? false : TPrintPreview::EnsureOffScreen();
    }
};

} // namespace

class TestPrintPreview : public QObject {
    Q_OBJECT
private slots:
    void theControlHasNoMarginUnlessAsked() {
        Shown shown(QSize(700, 400));
        TPrintPreview& preview = shown.preview;
        Record(preview, 1);
        QCOMPARE(preview.ScrollMargin(), 0);
        preview.SetScrollMargin(8);
        QCOMPARE(shown.Sheet().height(), preview.viewport()->height() - 16);
        QCOMPARE(shown.Sheet().y(), 8);
    }

    void initTestCase() { RegisterPreviewCursors(); }

    void paperFollowsTypeOrientationAndSize() {
        TPrintPreview preview;
        QCOMPARE(preview.PaperType(), pA4);
        QCOMPARE(preview.Units(), mmHiMetric);
        QCOMPARE(QSize(preview.PaperWidth(), preview.PaperHeight()), QSize(21000, 29700));
        QCOMPARE(preview.PagePixels(), QSize(794, 1123));
        QSignalSpy paperChanges(&preview, &TPrintPreview::OnPaperChange);
        preview.SetPaperType(pLetter);
        QCOMPARE(QSize(preview.PaperWidth(), preview.PaperHeight()), QSize(21590, 27940));
        QCOMPARE(preview.PagePixels(), QSize(816, 1056));
        preview.SetOrientation(poLandscape);
        QCOMPARE(QSize(preview.PaperWidth(), preview.PaperHeight()), QSize(27940, 21590));
        QCOMPARE(paperChanges.count(), 2);
        preview.SetOrientation(poLandscape); // unchanged: nothing
        QCOMPARE(paperChanges.count(), 2);
        // A landscape size is matched in its portrait form.
        preview.SetPaperSize(29700, 21000);
        QCOMPARE(preview.PaperType(), pA4);
        preview.SetOrientation(poPortrait);
        preview.SetPaperType(pLetter);
        preview.SetPaperWidth(21000);
        QCOMPARE(preview.PaperType(), pCustom);
        preview.SetPaperHeight(29700);
        QCOMPARE(preview.PaperType(), pA4);
        preview.SetPaperSize(0, -5);
        QCOMPARE(QSize(preview.PaperWidth(), preview.PaperHeight()), QSize(1, 1));
        QCOMPARE(preview.PageBounds(), QRect(0, 0, 1, 1));
    }

    void unitsReexpressThePaper() {
        TPrintPreview preview;
        preview.SetUnits(mmLoMetric);
        QCOMPARE(QSize(preview.PaperWidth(), preview.PaperHeight()), QSize(2100, 2970));
        preview.SetUnits(mmHiMetric);
        preview.SetPaperSize(12345, 6789);
        QCOMPARE(preview.PaperType(), pCustom);
        preview.SetUnits(mmLoMetric);
        QCOMPARE(QSize(preview.PaperWidth(), preview.PaperHeight()), QSize(1234, 678));
        QCOMPARE(preview.ConvertX(1234, mmLoMetric, mmHiMetric), 12340);
        QPoint points[] = {{100, 200}, {21590, 27940}};
        preview.ConvertPoints(points, 2, mmHiMetric, mmPixel);
        QCOMPARE(points[1], QPoint(816, 1056));
        QCOMPARE(preview.PaperTypeOfCode(9), pA4);
        int w = 0;
        int h = 0;
        QVERIFY(preview.PaperTypeSize(pLetter, mmPoints, w, h));
        QCOMPARE(QSize(w, h), QSize(612, 792));
        QVERIFY(!preview.PaperTypeSize(pCustom, mmPoints, w, h));
    }

    void recordingFiresItsEventsInOrder() {
        TPrintPreview preview;
        QStringList log;
        connect(&preview, &TPrintPreview::OnBeginDoc, [&] { log << QStringLiteral("begin"); });
        connect(&preview, &TPrintPreview::OnNewPage,
                [&] { log << QStringLiteral("new %1").arg(preview.TotalPages()); });
        connect(&preview, &TPrintPreview::OnEndPage, [&] { log << QStringLiteral("end page"); });
        connect(&preview, &TPrintPreview::OnEndDoc, [&] { log << QStringLiteral("end"); });
        connect(&preview, &TPrintPreview::OnChange, [&] {
            log << QStringLiteral("change %1/%2").arg(preview.CurrentPage()).arg(preview.TotalPages());
        });
        connect(&preview, &TPrintPreview::OnStateChange,
                [&] { log << QStringLiteral("state %1").arg(int(preview.State())); });
        QCOMPARE(preview.Canvas(), nullptr);
        Record(preview, 3);
        QCOMPARE(log, QStringList({"state 1", "begin", "new 0", "end page", "change 1/1", "new 1", "end page",
                                   "change 1/2", "new 2", "end page", "change 1/3", "end", "state 0"}));
        QCOMPARE(preview.Canvas(), nullptr);
        // Outside a document the page calls do nothing.
        log.clear();
        preview.NewPage();
        preview.EndDoc();
        QVERIFY(log.isEmpty());
        // A new document replaces the pages; a second BeginDoc inside it is ignored.
        preview.BeginDoc();
        QCOMPARE(preview.TotalPages(), 0);
        QCOMPARE(preview.CurrentPage(), 0);
        preview.BeginDoc();
        QCOMPARE(log.count(QStringLiteral("begin")), 1);
        preview.EndDoc();
        QCOMPARE(preview.TotalPages(), 1);
    }

    void canvasDrawsInPageUnitsWithPointSizes() {
        TPrintPreview preview;
        preview.BeginDoc();
        TCanvas& canvas = *preview.Canvas();
        canvas.SetFontSize(12);
        QCOMPARE(canvas.Painter().font().pixelSize(), 423);
        QCOMPARE(canvas.Font().pointSize(), 12);
        // A rectangle in hundredths of a millimetre lands where the paper says.
        canvas.Painter().fillRect(10500, 14850, 10500, 14850, kInk);
        preview.EndDoc();
        QImage image(794, 1123, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        preview.RenderPage(1, painter, QRectF(0, 0, 794, 1123), false);
        painter.end();
        QCOMPARE(image.pixelColor(400, 565), kInk);
        QCOMPARE(image.pixelColor(790, 1119), kInk);
        QCOMPARE(image.pixelColor(390, 555), QColor(Qt::white));
    }

    void unitsChangedWhileDrawingMapTheCanvasAgain() {
        TPrintPreview preview;
        preview.BeginDoc();
        preview.Canvas()->Painter().setPen(QPen(Qt::black, 100));
        preview.SetUnits(mmLoMetric);
        QCOMPARE(preview.Canvas()->Painter().pen().width(), 10);
        preview.Canvas()->Painter().fillRect(1050, 1485, 1050, 1485, kInk); // the lower right quarter
        preview.EndDoc();
        QImage image(794, 1123, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        preview.RenderPage(1, painter, QRectF(0, 0, 794, 1123), false);
        painter.end();
        QCOMPARE(image.pixelColor(600, 900), kInk);
        QCOMPARE(image.pixelColor(300, 900), QColor(Qt::white));
    }

    void abortDiscardsTheDocument() {
        TPrintPreview preview;
        preview.BeginDoc();
        preview.NewPage();
        QStringList log;
        connect(&preview, &TPrintPreview::OnChange,
                [&] { log << QStringLiteral("change %1").arg(preview.TotalPages()); });
        connect(&preview, &TPrintPreview::OnAbort, [&] { log << QStringLiteral("abort"); });
        connect(&preview, &TPrintPreview::OnStateChange,
                [&] { log << QStringLiteral("state %1").arg(int(preview.State())); });
        preview.Abort();
        QCOMPARE(log, QStringList({"change 0", "abort", "state 0"}));
        QVERIFY(preview.Aborted());
        QCOMPARE(preview.CurrentPage(), 0);
        QVERIFY(preview.PaperPreview()->isHidden());
        preview.Abort();
        QCOMPARE(log.count(), 3);
        // Aborting before any page was stored reports no change.
        preview.BeginDoc();
        log.clear();
        preview.Abort();
        QCOMPARE(log, QStringList({"abort", "state 0"}));
    }

    void aPageThatCannotBeRecordedLeavesTheStoredPages() {
        FailingPreview preview;
        preview.canvasesLeft = 2;
        preview.BeginDoc();
        preview.NewPage();
        try {
            preview.NewPage();
            QFAIL("the third page was recorded");
        } catch (const EOutOfMemory& error) {
            QCOMPARE(QString::fromUtf8(error.what()),
                     QStringLiteral("There is not enough memory to create a new page"));
        }
        QCOMPARE(preview.TotalPages(), 2);
        QCOMPARE(preview.Canvas(), nullptr);
        QCOMPARE(preview.State(), TPreviewState::Recording);
        QSignalSpy endPages(&preview, &TPrintPreview::OnEndPage);
        QSignalSpy endDocs(&preview, &TPrintPreview::OnEndDoc);
        preview.EndDoc(); // no page is open: the document just ends
        QCOMPARE(endPages.count(), 0);
        QCOMPARE(endDocs.count(), 1);
        QCOMPARE(preview.State(), TPreviewState::Idle);
        QCOMPARE(preview.TotalPages(), 2);
        // Failing at once in BeginDoc, and aborting afterwards.
        preview.canvasesLeft = 0;
        QVERIFY_THROWS_EXCEPTION(EOutOfMemory, preview.BeginDoc());
        QCOMPARE(preview.TotalPages(), 0);
        preview.Abort();
        QCOMPARE(preview.State(), TPreviewState::Idle);
    }

    void currentPageClampsAndTheKeysPage() {
        Shown shown;
        TPrintPreview& preview = shown.preview;
        preview.SetCurrentPage(3); // no pages: nothing
        QCOMPARE(preview.CurrentPage(), 0);
        Record(preview, 4);
        QSignalSpy changes(&preview, &TPrintPreview::OnChange);
        preview.SetCurrentPage(99);
        QCOMPARE(preview.CurrentPage(), 4);
        preview.SetCurrentPage(0);
        QCOMPARE(preview.CurrentPage(), 1);
        QCOMPARE(changes.count(), 2);
        QTest::keyClick(&preview, Qt::Key_PageUp); // on the first page: nothing
        QCOMPARE(changes.count(), 2);
        QTest::keyClick(&preview, Qt::Key_PageDown);
        QCOMPARE(preview.CurrentPage(), 2);
        QTest::keyClick(&preview, Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(preview.CurrentPage(), 4);
        QTest::keyClick(&preview, Qt::Key_PageUp);
        QCOMPARE(preview.CurrentPage(), 3);
        QTest::keyClick(&preview, Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(preview.CurrentPage(), 1);
        QTest::keyClick(&preview, Qt::Key_PageDown, Qt::ShiftModifier); // not one of the control's keys
        QCOMPARE(preview.CurrentPage(), 1);
        Wheel(shown.Sheet(), -120, Qt::ShiftModifier);
        QCOMPARE(preview.CurrentPage(), 2);
        Wheel(shown.Sheet(), 120, {}, Qt::MiddleButton);
        QCOMPARE(preview.CurrentPage(), 1);
    }

    void grayAndPrintableAreaSettings() {
        TPrintPreview preview;
        LoggingView view;
        preview.AttachPageView(&view);
        preview.SetGrayBrightness(150);
        QCOMPARE(preview.GrayBrightness(), 100);
        preview.SetGrayBrightness(-150);
        QCOMPARE(preview.GrayBrightness(), -100);
        preview.SetGrayContrast(-101);
        QCOMPARE(preview.GrayContrast(), -100);
        QVERIFY(view.log.isEmpty()); // not shown in gray: views are not told
        preview.SetGrayscale(gsPreview);
        preview.SetGrayContrast(5);
        QCOMPARE(view.log, QStringList({"gray 0", "gray 1"}));
    }

    void layersAreRecordedWhenThePageChangesNotWhenScrolling() {
        Shown shown;
        TPrintPreview& preview = shown.preview;
        QList<int> annotated;
        connect(&preview, &TPrintPreview::OnAnnotation, [&](int page, TCanvas& canvas) {
            annotated << page;
            canvas.Painter().fillRect(10500, 14850, 10500, 14850, Qt::blue);
        });
        Record(preview, 3);
        QVERIFY(annotated.isEmpty()); // off by default
        preview.SetAnnotation(true);
        QCOMPARE(annotated, QList<int>({1}));
        preview.SetZoom(200);
        QTest::keyClick(&preview, Qt::Key_Down);
        QTest::keyClick(&preview, Qt::Key_End);
        QCOMPARE(annotated, QList<int>({1}));
        QTest::keyClick(&preview, Qt::Key_PageDown);
        QCOMPARE(annotated, QList<int>({1, 2}));
        // The layer lies over the page: the lower right quarter of the sheet is blue.
        preview.SetZoomState(zsZoomToFit);
        const QImage image = shown.Sheet().grab().toImage();
        const QRect page = shown.Sheet().PageRect();
        QCOMPARE(image.pixelColor(page.left() + page.width() * 3 / 4, page.top() + page.height() * 3 / 4),
                 QColor(Qt::blue));
        QCOMPARE(image.pixelColor(page.left() + page.width() / 4, page.top() + page.height() / 4), kInk);
        QCOMPARE(annotated, QList<int>({1, 2}));
        preview.SetAnnotation(false);
        QCOMPARE(shown.Sheet().grab().toImage().pixelColor(page.left() + page.width() * 3 / 4,
                                                           page.top() + page.height() * 3 / 4),
                 QColor(Qt::white));
    }

    void zoomLimitsAndReports() {
        Shown shown;
        TPrintPreview& preview = shown.preview;
        QSignalSpy zooms(&preview, &TPrintPreview::OnZoomChange);
        preview.SetZoom(250); // no pages yet: no layout, no report
        QCOMPARE(zooms.count(), 0);
        QCOMPARE(preview.Zoom(), 250);
        Record(preview, 1);
        QCOMPARE(zooms.count(), 1); // the first page is laid out
        preview.SetZoomMin(20);
        preview.SetZoom(5);
        QCOMPARE(preview.Zoom(), 20);
        preview.SetZoomMax(200);
        preview.SetZoom(1000);
        QCOMPARE(preview.Zoom(), 200);
        preview.SetZoomMax(10); // below the minimum: ignored
        QCOMPARE(preview.ZoomMax(), 200);
        preview.SetZoomMin(0);
        QCOMPARE(preview.ZoomMin(), 20);
        preview.SetZoomMax(150); // lowers the zoom shown
        QCOMPARE(preview.Zoom(), 150);
        // Fit, then the same zoom as a fixed one: the mode change is reported once.
        preview.SetZoomState(zsZoomToFit);
        const int fitted = preview.Zoom();
        QVERIFY(fitted >= 20 && fitted <= 150);
        zooms.clear();
        preview.SetZoom(fitted);
        QCOMPARE(preview.ZoomState(), zsZoomOther);
        QCOMPARE(zooms.count(), 1);
        preview.SetZoom(fitted);
        QCOMPARE(zooms.count(), 1);
    }

    void fitModesFillTheView_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QSize>("control");
        const std::pair<const char*, QSize> controls[] = {{"wide", QSize(700, 400)},
                                                          {"tall", QSize(300, 700)},
                                                          {"short", QSize(700, 150)},
                                                          {"narrow", QSize(150, 700)}};
        const std::pair<const char*, TZoomState> modes[] = {
            {"width", zsZoomToWidth}, {"height", zsZoomToHeight}, {"fit", zsZoomToFit}};
        for (const auto& [modeName, mode] : modes)
            for (const auto& [controlName, size] : controls)
                QTest::addRow("%s, %s", modeName, controlName) << int(mode) << size;
    }

    // In the fit modes the sheet fills the room the view offers, touching its edges, and the zoom
    // reported is the one the layout arithmetic gives for that room; also after a resize.
    void fitModesFillTheView() {
        QFETCH(int, mode);
        QFETCH(QSize, control);
        const auto state = static_cast<TZoomState>(mode);
        Shown shown(control);
        TPrintPreview& preview = shown.preview;
        preview.SetPaperType(pLetter);
        Record(preview, 1);
        preview.SetZoomState(state);
        for (const QSize size : {control, control.transposed()}) {
            preview.resize(size);
            const QSize view = preview.viewport()->size();
            const TPaperPreview& sheet = shown.Sheet();
            const TSheetFrame frame{sheet.PaperWidthToClient(0), sheet.PaperHeightToClient(0)};
            const TSheetSize expected = ComputePaperViewSize(state, 0, QSize(816, 1056), view, frame);
            QCOMPARE(sheet.size(), expected.Size);
            QCOMPARE(preview.Zoom(), expected.Zoom);
            QCOMPARE(preview.CanScrollHorz(), sheet.width() > view.width());
            QCOMPARE(preview.CanScrollVert(), sheet.height() > view.height());
            QCOMPARE(shown.H().isVisible(), preview.CanScrollHorz());
            QCOMPARE(shown.V().isVisible(), preview.CanScrollVert());
            if (state != zsZoomToHeight)
                QVERIFY(!preview.CanScrollHorz());
            if (state != zsZoomToWidth)
                QVERIFY(!preview.CanScrollVert());
            // Filled edges lie at the view's edges; the other direction is centred where it fits.
            const bool fillsWidth = sheet.width() == view.width();
            const bool fillsHeight = sheet.height() == view.height();
            QVERIFY(state == zsZoomToWidth    ? fillsWidth
                    : state == zsZoomToHeight ? fillsHeight
                                              : fillsWidth || fillsHeight);
            QCOMPARE(sheet.x(), preview.CanScrollHorz() ? 0 : (view.width() - sheet.width()) / 2);
            QCOMPARE(sheet.y(), preview.CanScrollVert() ? 0 : (view.height() - sheet.height()) / 2);
        }
    }

    void fitModesFillTheViewAtKnownSizes() {
        Shown wide(QSize(700, 400));
        wide.preview.SetPaperType(pLetter);
        Record(wide.preview, 1);
        wide.preview.SetZoomState(zsZoomToWidth);
        QCOMPARE(wide.Sheet().geometry(), QRect(0, 0, 684, wide.Sheet().height()));
        QCOMPARE(wide.preview.Zoom(), 83);
        Shown tall(QSize(300, 700));
        tall.preview.SetPaperType(pLetter);
        Record(tall.preview, 1);
        tall.preview.SetZoomState(zsZoomToHeight);
        QCOMPARE(tall.Sheet().geometry(), QRect(0, 0, tall.Sheet().width(), 684));
        QCOMPARE(tall.preview.Zoom(), 64);
    }

    void sheetSizesAndCentring() {
        Shown shown(QSize(700, 400));
        TPrintPreview& preview = shown.preview;
        preview.SetPaperType(pLetter);
        Record(preview, 1);
        // Fit in a wide view fits the height, centred, not draggable, with the plain cursor.
        QCOMPARE(preview.ZoomState(), zsZoomToFit);
        TPaperPreview& sheet = shown.Sheet();
        QVERIFY(sheet.isVisible());
        QCOMPARE(sheet.height(), preview.viewport()->height() - 2 * preview.ScrollMargin());
        QCOMPARE(preview.Zoom(), qRound(sheet.PaperHeight() * 100.0 / 1056));
        QCOMPARE(sheet.x(), (preview.viewport()->width() - sheet.width()) / 2);
        QVERIFY(!preview.CanScrollHorz() && !preview.CanScrollVert());
        QVERIFY(!preview.horizontalScrollBar()->isVisible() && !preview.verticalScrollBar()->isVisible());
        QCOMPARE(sheet.cursor().shape(), Qt::ArrowCursor);
        QTest::mousePress(&sheet, Qt::LeftButton, {}, QPoint(50, 50));
        QCOMPARE(sheet.cursor().shape(), Qt::ArrowCursor);
        QTest::mouseRelease(&sheet, Qt::LeftButton, {}, QPoint(50, 50));
        // 100 %: a letter page is 816 x 1056 pixels, the sheet 821 x 1061 with border and shadow.
        preview.SetZoom(100);
        QCOMPARE(sheet.size(), QSize(821, 1061));
        QVERIFY(preview.CanScrollHorz() && preview.CanScrollVert());
        QCOMPARE(shown.H().maximum(), 821 - (preview.viewport()->width() - 2 * preview.ScrollMargin()));
        QCOMPARE(shown.V().maximum(), 1061 - (preview.viewport()->height() - 2 * preview.ScrollMargin()));
        QCOMPARE(sheet.cursor().shape(), Qt::BitmapCursor);
        // Fit to width fills the width and scrolls vertically only.
        preview.SetZoomState(zsZoomToWidth);
        QCOMPARE(sheet.width(), preview.viewport()->width() - 2 * preview.ScrollMargin());
        QVERIFY(!preview.CanScrollHorz() && preview.CanScrollVert());
        QVERIFY(preview.verticalScrollBar()->isVisible());
        // A resize lays the sheet out again.
        preview.resize(600, 500);
        QCOMPARE(sheet.width(), preview.viewport()->width() - 2 * preview.ScrollMargin());
    }

    void keysMoveTheView() {
        Shown shown;
        TPrintPreview& preview = shown.preview;
        Record(preview, 1);
        preview.SetZoom(300);
        QScrollBar& h = shown.H();
        QScrollBar& v = shown.V();
        const int line = v.singleStep();
        QTest::keyClick(&preview, Qt::Key_Down);
        QCOMPARE(v.value(), line);
        QTest::keyClick(&preview, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(v.value(), line + 1);
        QTest::keyClick(&preview, Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(v.value(), line);
        QTest::keyClick(&preview, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(v.value(), line + preview.viewport()->height());
        QTest::keyClick(&preview, Qt::Key_Up);
        QCOMPARE(v.value(), preview.viewport()->height());
        QTest::keyClick(&preview, Qt::Key_Right);
        QTest::keyClick(&preview, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(h.value(), line + 1);
        QTest::keyClick(&preview, Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(h.value(), line + 1 + preview.viewport()->width());
        QTest::keyClick(&preview, Qt::Key_Left, Qt::ControlModifier);
        QTest::keyClick(&preview, Qt::Key_Left);
        QCOMPARE(h.value(), 1);
        QTest::keyClick(&preview, Qt::Key_Left, Qt::ControlModifier); // clamped at the start
        QCOMPARE(h.value(), 0);
        QTest::keyClick(&preview, Qt::Key_End);
        QCOMPARE(h.value(), h.maximum());
        QTest::keyClick(&preview, Qt::Key_Home);
        QCOMPARE(h.value(), 0);
        QTest::keyClick(&preview, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(v.value(), v.maximum());
        QTest::keyClick(&preview, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(v.value(), 0);
        // The keypad's plus and minus zoom by the step; the main keyboard's do not.
        QTest::keyClick(&preview, Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(preview.Zoom(), 310);
        QTest::keyClick(&preview, Qt::Key_Minus, Qt::KeypadModifier);
        QTest::keyClick(&preview, Qt::Key_Minus, Qt::KeypadModifier);
        QCOMPARE(preview.Zoom(), 290);
        QTest::keyClick(&preview, Qt::Key_Plus);
        QCOMPARE(preview.Zoom(), 290);
        // Keys the control handles do not move the focus.
        QCOMPARE(QApplication::focusWidget(), &preview);
    }

    // Modifier combinations the widget test above does not press: anything but one of the three key
    // states leaves the key to the scroll area, and the keypad's own flag is no modifier.
    void keyTableTakesOnlyItsOwnModifiers_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<TKeyAction>("action");
        const Qt::KeyboardModifiers none;
        const TKeyAction pass;
        QTest::newRow("keypad arrow") << int(Qt::Key_Left) << Qt::KeyboardModifiers(Qt::KeypadModifier)
                                      << TKeyAction{TKeyCommand::Scroll, Qt::Horizontal, TKeyStep::Line, -1};
        QTest::newRow("Shift+Ctrl arrow")
            << int(Qt::Key_Down) << (Qt::ShiftModifier | Qt::ControlModifier) << pass;
        QTest::newRow("Alt arrow") << int(Qt::Key_Up) << Qt::KeyboardModifiers(Qt::AltModifier) << pass;
        QTest::newRow("Shift+Home") << int(Qt::Key_Home) << Qt::KeyboardModifiers(Qt::ShiftModifier) << pass;
        QTest::newRow("Shift+PageUp")
            << int(Qt::Key_PageUp) << Qt::KeyboardModifiers(Qt::ShiftModifier) << pass;
        QTest::newRow("Ctrl+keypad plus")
            << int(Qt::Key_Plus) << (Qt::KeypadModifier | Qt::ControlModifier) << pass;
        QTest::newRow("letter") << int(Qt::Key_A) << none << pass;
    }
    void keyTableTakesOnlyItsOwnModifiers() {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(TKeyAction, action);
        QVERIFY(KeyAction(key, modifiers) == action);
    }

    void wheelNotchesAddUp() {
        Shown shown;
        TPrintPreview& preview = shown.preview;
        Record(preview, 1);
        preview.SetZoom(300);
        QScrollBar& v = shown.V();
        const int line = v.singleStep();
        Wheel(shown.Sheet(), -60);
        QCOMPARE(v.value(), 0);
        Wheel(shown.Sheet(), -60);
        QCOMPARE(v.value(), line);
        Wheel(shown.Sheet(), -240);
        QCOMPARE(v.value(), 3 * line);
        Wheel(shown.Sheet(), 120);
        QCOMPARE(v.value(), 2 * line);
        // Ctrl zooms: away from the user in, towards the user out.
        Wheel(shown.Sheet(), 120, Qt::ControlModifier);
        QCOMPARE(preview.Zoom(), 310);
        Wheel(shown.Sheet(), -240, Qt::ControlModifier);
        QCOMPARE(preview.Zoom(), 290);
        // Any other key state does nothing but still uses the notch up.
        const int before = v.value();
        Wheel(shown.Sheet(), -60);
        Wheel(shown.Sheet(), -60, Qt::AltModifier | Qt::ShiftModifier);
        Wheel(shown.Sheet(), -60);
        QCOMPARE(v.value(), before);
        Wheel(shown.Sheet(), 60);
        // Ctrl and the wheel start from the fitted zoom.
        preview.SetZoomState(zsZoomToFit);
        const int fitted = preview.Zoom();
        Wheel(shown.Sheet(), 120, Qt::ControlModifier);
        QCOMPARE(preview.ZoomState(), zsZoomOther);
        QCOMPARE(preview.Zoom(), fitted + 10);
    }

    void draggingMovesTheSheetWithTheHand() {
        Shown shown;
        TPrintPreview& preview = shown.preview;
        Record(preview, 1);
        preview.SetZoom(300);
        TPaperPreview& sheet = shown.Sheet();
        shown.H().setValue(100);
        shown.V().setValue(100);
        const QPoint grabbed = sheet.mapFrom(preview.viewport(), QPoint(200, 200));
        QCOMPARE(sheet.cursor().pixmap().cacheKey(), TScreenCursors::Cursor(crHand).pixmap().cacheKey());
        QTest::mousePress(&sheet, Qt::LeftButton, {}, grabbed);
        QCOMPARE(sheet.cursor().pixmap().cacheKey(), TScreenCursors::Cursor(crGrab).pixmap().cacheKey());
        QMouseEvent move(QEvent::MouseMove, QPointF(grabbed - QPoint(30, 50)),
                         sheet.mapToGlobal(QPointF(grabbed - QPoint(30, 50))), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&sheet, &move);
        QCOMPARE(shown.H().value(), 130);
        QCOMPARE(shown.V().value(), 150);
        // The point grabbed is under the pointer again.
        QCOMPARE(sheet.mapTo(preview.viewport(), grabbed), QPoint(170, 150));
        QTest::mouseRelease(&sheet, Qt::LeftButton, {}, grabbed);
        QCOMPARE(sheet.cursor().pixmap().cacheKey(), TScreenCursors::Cursor(crHand).pixmap().cacheKey());
        // Moving without a button scrolls nothing.
        QMouseEvent hover(QEvent::MouseMove, QPointF(0, 0), sheet.mapToGlobal(QPointF(0, 0)), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&sheet, &hover);
        QCOMPARE(shown.H().value(), 130);
    }

    void zoomingKeepsTheRelativePosition() {
        Shown shown;
        TPrintPreview& preview = shown.preview;
        Record(preview, 1);
        preview.SetZoom(200);
        shown.H().setValue(shown.H().maximum() / 2);
        shown.V().setValue(shown.V().maximum() / 2);
        preview.SetZoom(400);
        QVERIFY(qAbs(shown.H().value() - shown.H().maximum() / 2) <= 1);
        QVERIFY(qAbs(shown.V().value() - shown.V().maximum() / 2) <= 1);
        preview.SetZoomSavePos(false);
        preview.SetZoom(300);
        QCOMPARE(shown.V().value(), 0);
    }

    void aSheetTooLargeForItsPixmapGoesBackToTheLastZoom() {
        Shown shown;
        TPrintPreview& preview = shown.preview;
        Record(preview, 1);
        preview.SetZoom(150);
        QSignalSpy zooms(&preview, &TPrintPreview::OnZoomChange);
        preview.SetZoomMax(5000);
        preview.SetZoom(5000); // a pixmap of gigabytes is refused
        QCOMPARE(preview.Zoom(), 150);
        QCOMPARE(preview.ZoomState(), zsZoomOther);
        QCOMPARE(shown.Sheet().size(), QSize(MulDiv(794, 150, 100) + 5, MulDiv(1123, 150, 100) + 5));
        QVERIFY(shown.Sheet().HasOffScreen());
        QCOMPARE(zooms.count(), 1);
    }

    void theFallBackRetriesOnce() {
        FailingPreview preview;
        preview.resize(400, 300);
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        preview.refuseOffScreen = true;
        Record(preview, 1); // no zoom was ever shown: back to the whole page, once
        QCOMPARE(preview.ZoomState(), zsZoomToFit);
        QCOMPARE(preview.offScreenCalls, 2);
        preview.refuseOffScreen = false;
        preview.SetZoom(80);
        preview.refuseOffScreen = true;
        preview.offScreenCalls = 0;
        preview.SetZoomState(zsZoomToWidth);
        QCOMPARE(preview.ZoomState(), zsZoomOther);
        QCOMPARE(preview.Zoom(), 80);
        QVERIFY(preview.offScreenCalls <= 2);
    }

    void aZoomIsOneRepaintAndScrollingPaintsTheUncoveredStrip() {
        Shown shown;
        TPrintPreview& preview = shown.preview;
        Record(preview, 1);
        preview.SetZoom(200);
        QCoreApplication::processEvents();
        PaintLog sheetPaints(&shown.Sheet());
        PaintLog deskPaints(preview.viewport());
        preview.SetZoom(250);
        QCoreApplication::processEvents();
        QCOMPARE(sheetPaints.regions.count(), 1);
        QVERIFY(deskPaints.regions.count() <= 1);
        sheetPaints.regions.clear();
        shown.V().setValue(shown.V().value() + 7);
        QCoreApplication::processEvents();
        QCOMPARE(sheetPaints.regions.count(), 1);
        const QRect strip = sheetPaints.regions.first().boundingRect();
        QCOMPARE(strip.height(), 7);
        QCOMPARE(strip.bottom(),
                 shown.Sheet().mapFrom(preview.viewport(), QPoint(0, preview.viewport()->height() - 1)).y());
    }

    void theGrayViewConvertsWhatIsShown_data() {
        QTest::addColumn<int>("zoom");
        QTest::newRow("whole page") << 0;
        QTest::newRow("500 %, scrolled") << 500;
    }

    void theGrayViewConvertsWhatIsShown() {
        QFETCH(int, zoom);
        Shown shown;
        TPrintPreview& preview = shown.preview;
        RecordColours(preview);
        if (zoom != 0) {
            preview.SetZoom(zoom);
            shown.H().setValue(shown.H().maximum() / 3);
            shown.V().setValue(shown.V().maximum() / 9);
        }
        QCoreApplication::processEvents();
        const QImage colour = ViewImage(preview);
        const QRect page = PageInView(preview);
        QVERIFY(page.width() > 100 && page.height() > 100);

        PaintLog sheetPaints(&shown.Sheet());
        preview.SetGrayscale(gsPreview);
        QCoreApplication::processEvents();
        QCOMPARE(sheetPaints.regions.count(), 1);
        QCOMPARE(ViewImage(preview).copy(page), Grayed(colour, 0, 0).copy(page));

        sheetPaints.regions.clear(); // the grab painted too
        preview.SetGrayBrightness(40);
        QCoreApplication::processEvents();
        QCOMPARE(sheetPaints.regions.count(), 1);
        QCOMPARE(ViewImage(preview).copy(page), Grayed(colour, 40, 0).copy(page));
        preview.SetGrayContrast(-60);
        QCOMPARE(ViewImage(preview).copy(page), Grayed(colour, 40, -60).copy(page));
        // A scroll converts the strip it uncovers the same way.
        if (zoom != 0) {
            shown.V().setValue(shown.V().value() + 13);
            QCoreApplication::processEvents();
            const QImage scrolled = ViewImage(preview);
            preview.PaperPreview()->Invalidate();
            QCOMPARE(scrolled.copy(page), ViewImage(preview).copy(page));
        }

        preview.SetGrayscale({});
        if (zoom != 0)
            shown.V().setValue(shown.V().value() - 13);
        QCoreApplication::processEvents();
        QCOMPARE(ViewImage(preview).copy(page), colour.copy(page));
        // Brightness and contrast alone do not touch a coloured view.
        sheetPaints.regions.clear();
        preview.SetGrayBrightness(-10);
        QCoreApplication::processEvents();
        QCOMPARE(sheetPaints.regions.count(), 0);
    }

    void aTintedPaperKeepsItsColourInGray() {
        Shown shown;
        TPrintPreview& preview = shown.preview;
        preview.PaperView()->SetPaperColor(QColor(250, 240, 200));
        RecordColours(preview);
        preview.SetGrayscale(gsPreview);
        const QImage image = ViewImage(preview);
        const QRect page = PageInView(preview);
        QCOMPARE(image.pixelColor(page.left() + 3, page.top() + page.height() * 5 / 16),
                 QColor(250, 240, 200)); // paper between the bands
        const QColor band = image.pixelColor(page.center().x(), page.top() + page.height() * 3 / 16);
        QCOMPARE(band.red(), band.green());
        QCOMPARE(band.green(), band.blue());
        QCOMPARE(band.red(), (30 * 200 + 59 * 20 + 11 * 20) / 100); // the first band, red
    }

    void scrollingKeepsOnlyTheVisiblePartAndShowsTheSamePixels() {
        Shown shown;
        TPrintPreview& preview = shown.preview;
        RecordColours(preview);
        preview.SetZoom(500);
        QCoreApplication::processEvents();
        TPaperPreview& sheet = shown.Sheet();
        const QRect view = preview.viewport()->rect().translated(-sheet.pos());
        QVERIFY(view.contains(sheet.OffScreenArea()));
        // Moves in every direction, by amounts that are no multiple of anything: the pixels kept from
        // before each move must land where a fresh drawing puts them.
        const QPoint moves[] = {{37, 0}, {0, 53}, {-11, -7}, {200, 300}, {-5, 0}, {0, -1}};
        for (const QPoint& move : moves) {
            shown.H().setValue(shown.H().value() + move.x());
            shown.V().setValue(shown.V().value() + move.y());
            QCoreApplication::processEvents();
            const QImage kept = ViewImage(preview);
            sheet.Invalidate();
            QCOMPARE(kept, ViewImage(preview));
            QVERIFY(preview.viewport()->rect().translated(-sheet.pos()).contains(sheet.OffScreenArea()));
        }
        // A grab of the whole sheet draws what the view does not show as well: the last band, far below.
        const QImage whole = sheet.grab().toImage();
        QCOMPARE(whole.size(), sheet.size());
        QCOMPARE(whole.pixelColor(sheet.PageRect().left() + 2, sheet.PageRect().bottom() - 2),
                 QColor(240, 200, 10));
        QCOMPARE(whole.pixelColor(sheet.PageRect().center().x(), sheet.height() * 3 / 16),
                 QColor(200, 20, 20));
    }

    void thePageShowsOnTheSheet() {
        Shown shown;
        TPrintPreview& preview = shown.preview;
        Record(preview, 2, false);
        preview.BeginDoc();
        preview.Canvas()->Painter().fillRect(0, 0, 10500, 14850, kInk);
        preview.EndDoc();
        const QImage image = preview.viewport()->grab().toImage();
        const QRect page = shown.Sheet().PageRect().translated(shown.Sheet().pos());
        QCOMPARE(image.pixelColor(page.left() + 2, page.top() + 2), kInk);
        QCOMPARE(image.pixelColor(page.center().x() - 3, page.center().y() - 3), kInk);
        QCOMPARE(image.pixelColor(page.center().x() + 3, page.center().y() + 3), QColor(Qt::white));
        QCOMPARE(image.pixelColor(page.left() - 1, page.top() + 5), QColor(Qt::black)); // the border
        // The desk around the sheet is neither paper nor ink.
        const QColor desk = image.pixelColor(2, 2);
        QVERIFY(desk != QColor(Qt::white) && desk != kInk);
        // Clearing the pages hides the sheet and the scroll bars.
        preview.BeginDoc();
        preview.Abort();
        QVERIFY(!shown.Sheet().isVisible());
    }

    void pageViewsHearEveryChangeInOrder() {
        TPrintPreview preview;
        LoggingView first;
        auto second = std::make_unique<LoggingView>();
        preview.AttachPageView(&first);
        preview.AttachPageView(second.get());
        preview.AttachPageView(&first); // once only
        preview.AttachPageView(nullptr);
        Record(preview, 2);
        preview.SetCurrentPage(2);
        preview.SetGrayscale(gsPreview);
        second.reset(); // a view that goes away leaves the list
        preview.BeginDoc();
        preview.Abort();
        QCOMPARE(first.log, QStringList({"rebuild", "pages 1 1", "current 1", "gray 0", "pages 0 -1"}));
        preview.DetachPageView(&first);
        Record(preview, 1);
        QCOMPARE(first.log.count(), 5);
        QCOMPARE(first.Preview(), nullptr);
    }
};

QTEST_MAIN(TestPrintPreview)
#include "tst_print_preview.moc"
