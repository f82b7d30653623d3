// The preview's sheet of paper: where border, shadow, corner squares, caption band and page lie at
// several sizes, when the page is drawn again, the options object and the hand cursors.
#include "preview/Preview.h"

#include <QBitmap>
#include <QLabel>
#include <QtTest>

#include <functional>

using namespace preview;

class TestPaperPreview : public QObject {
    Q_OBJECT
private slots:
    void sheetPixelsFollowTheGeometry_data();
    void sheetPixelsFollowTheGeometry();
    void paperAndClientSizesConvert();
    void frameChangesKeepThePaperSizeWhenAskedTo();
    void captionBandFollowsTextAndWrapping();
    void pageIsDrawnOnlyWhenInvalidOrNewlyExposed();
    void aPixmapTooLargeIsRefusedAndNothingIsPainted();
    void clicksReachTheOwner();
    void optionsReportTheirChangeLevel();
    void assignCopiesInOrderAndOnlyDifferences();
    void assignmentBetweenUnrelatedClassesFails();
    void assignToPaperCopiesTheLook();
    void optionsDrawTheSameSheetAsThePaperControl_data();
    void optionsDrawTheSameSheetAsThePaperControl();
    void handCursorsComeFromTheResources();
    void handCursorsHaveTwiceTheirPixelsAtScaleTwo();
};

namespace {

const QColor kBackground(0, 128, 0);
const QColor kBorder(200, 0, 0);
const QColor kShadow(90, 90, 90);
const QColor kPage(0, 0, 255);

// A shown paper control in the test colours whose page handler fills the page rectangle.
struct Sheet {
    TPaperPreview paper;
    QList<QRect> painted;

    Sheet(int width, int height, int border, int shadow, bool caption = false) {
        QPalette colours = paper.palette();
        colours.setColor(QPalette::Window, kBackground);
        colours.setColor(QPalette::WindowText, kBackground); // caption text vanishes into its band
        paper.setPalette(colours);
        paper.SetBorderColor(kBorder);
        paper.SetShadowColor(kShadow);
        paper.SetBorderSize(border);
        paper.SetShadowSize(shadow);
        paper.SetCaption(QStringLiteral("Page 1"));
        paper.SetShowCaption(caption);
        paper.resize(width, height);
        paper.OnPaint = [this](TPaperPreview&, QPainter& canvas, const QRect& page) {
            painted << canvas.clipBoundingRect().toRect();
            canvas.fillRect(page, kPage);
        };
        paper.show();
    }

    QImage Image() { return paper.grab().toImage(); }

    // Paints only `area`, as an exposure of that part would.
    void Expose(const QRect& area) {
        QPixmap target(paper.size());
        paper.render(&target, QPoint(), QRegion(area));
    }
};

// Left, top, right and bottom, right and bottom exclusive.
QRect Ltrb(int left, int top, int right, int bottom) {
    return {left, top, right - left, bottom - top};
}

} // namespace

void TestPaperPreview::sheetPixelsFollowTheGeometry_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("border");
    QTest::addColumn<int>("shadow");
    QTest::addColumn<bool>("caption");
    QTest::newRow("defaults") << 100 << 150 << 1 << 3 << false;
    QTest::newRow("wide frame") << 240 << 180 << 4 << 6 << false;
    QTest::newRow("no border") << 90 << 120 << 0 << 5 << false;
    QTest::newRow("no shadow") << 80 << 60 << 2 << 0 << false;
    QTest::newRow("caption") << 150 << 200 << 1 << 3 << true;
    QTest::newRow("caption, wide frame") << 170 << 220 << 3 << 5 << true;
}

void TestPaperPreview::sheetPixelsFollowTheGeometry() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, border);
    QFETCH(int, shadow);
    QFETCH(bool, caption);
    Sheet sheet(width, height, border, shadow, caption);
    const int w = width, h = height, b = border, s = shadow;
    const int c = sheet.paper.CaptionHeight();
    QCOMPARE(c > 0, caption);
    QCOMPARE(sheet.paper.size(), QSize(w, h)); // the caption was turned on before the size was set
    QCOMPARE(sheet.paper.PageRect(), QRect(b, b, w - 2 * b - s, h - 2 * b - s - c));

    const QImage image = sheet.Image();
    QCOMPARE(image.size(), QSize(w, h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            QColor expected;
            if (y >= h - c)
                expected = kBackground; // caption band
            else if (x >= w - s)
                expected = y < s ? kBackground : kShadow; // right strip and its corner square
            else if (y >= h - c - s)
                expected = x < s ? kBackground : kShadow; // bottom strip and its corner square
            else if (x < b || y < b || x >= w - s - b || y >= h - c - s - b)
                expected = kBorder;
            else
                expected = kPage;
            if (image.pixelColor(x, y) != expected)
                QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) is %3, not %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(image.pixelColor(x, y).name(), expected.name())));
        }
}

void TestPaperPreview::paperAndClientSizesConvert() {
    TPaperPreview paper;
    QCOMPARE(paper.size(), QSize(100, 150));
    QCOMPARE(paper.PaperWidth(), 95);
    QCOMPARE(paper.PaperHeight(), 145);
    for (int value : {0, 1, 95, 1234}) {
        QCOMPARE(paper.ClientWidthToPaper(paper.PaperWidthToClient(value)), value);
        QCOMPARE(paper.ClientHeightToPaper(paper.PaperHeightToClient(value)), value);
    }
    paper.SetPaperWidth(200);
    QCOMPARE(paper.width(), 205);
    paper.SetPaperHeight(300);
    QCOMPARE(paper.height(), 305);
    paper.move(7, 9);
    paper.SetPaperBounds(11, 13, 50, 60);
    QCOMPARE(paper.geometry(), QRect(11, 13, 55, 65));
    paper.SetPaperSize(40, 30);
    QCOMPARE(paper.geometry(), QRect(11, 13, 45, 35));
    QCOMPARE(paper.GetPaperSize(), QSize(40, 30));
}

void TestPaperPreview::frameChangesKeepThePaperSizeWhenAskedTo() {
    TPaperPreview paper;
    QVERIFY(paper.PreservePaperSize());
    paper.SetBorderSize(2);
    QCOMPARE(paper.size(), QSize(102, 152));
    QCOMPARE(paper.GetPaperSize(), QSize(95, 145));
    paper.SetShadowSize(5);
    QCOMPARE(paper.size(), QSize(104, 154));
    QCOMPARE(paper.GetPaperSize(), QSize(95, 145));

    paper.SetPreservePaperSize(false);
    paper.SetBorderSize(4);
    QCOMPARE(paper.size(), QSize(104, 154));
    QCOMPARE(paper.GetPaperSize(), QSize(91, 141));
    QCOMPARE(paper.PageRect(), QRect(4, 4, 91, 141)); // follows the border at once
}

void TestPaperPreview::captionBandFollowsTextAndWrapping() {
    Sheet sheet(120, 200, 1, 3);
    TPaperPreview& paper = sheet.paper;
    const QSize paperSize = paper.GetPaperSize();
    const int line = QFontMetrics(paper.font()).height();
    paper.SetShowCaption(true);
    QCOMPARE(paper.CaptionHeight(), line + 2);
    QCOMPARE(paper.GetPaperSize(), paperSize);
    QCOMPARE(paper.height(), 200 + line + 2);

    paper.SetCaption(QStringLiteral("a caption far too long for one line of a narrow sheet"));
    QVERIFY(paper.CaptionHeight() >= 2 * line + 2);
    paper.SetWordWrap(false);
    QCOMPARE(paper.CaptionHeight(), line + 2);
    QCOMPARE(paper.GetPaperSize(), paperSize);

    paper.SetShowCaption(false);
    QCOMPARE(paper.CaptionHeight(), 0);
    QCOMPARE(paper.size(), QSize(120, 200));
}

void TestPaperPreview::pageIsDrawnOnlyWhenInvalidOrNewlyExposed() {
    Sheet sheet(100, 150, 1, 3);
    QVERIFY(QTest::qWaitForWindowExposed(&sheet.paper));
    const QRect page = sheet.paper.PageRect();
    const QRect part(10, 10, 30, 40);
    sheet.Expose(page);
    sheet.painted.clear();

    sheet.Expose(page);
    QCOMPARE(sheet.painted.size(), 0); // drawn already
    sheet.paper.Invalidate();
    sheet.Expose(page);
    sheet.Expose(page);
    QCOMPARE(sheet.painted, QList<QRect>{page});
    sheet.Expose(part); // a part of what is drawn already
    QCOMPARE(sheet.painted.size(), 1);
    sheet.paper.Invalidate();
    sheet.Expose(part);
    QCOMPARE(sheet.painted.size(), 2);
    QCOMPARE(sheet.painted.last(), part); // only the newly exposed part
    sheet.Expose(part);
    QCOMPARE(sheet.painted.size(), 2);
    sheet.Expose(page); // the rest of the page
    QCOMPARE(sheet.painted.size(), 3);

    sheet.paper.Invalidate();
    sheet.Expose(Ltrb(97, 3, 100, 150)); // the right shadow strip only
    QCOMPARE(sheet.painted.size(), 3);

    sheet.paper.SetBorderColor(Qt::yellow);
    sheet.Expose(sheet.paper.rect());
    QCOMPARE(sheet.painted.size(), 4);
    QCOMPARE(sheet.Image().pixelColor(0, 0), QColor(Qt::yellow));
    QCOMPARE(sheet.painted.size(), 4);
}

void TestPaperPreview::aPixmapTooLargeIsRefusedAndNothingIsPainted() {
    TPaperPreview paper;
    int paints = 0;
    paper.OnPaint = [&](TPaperPreview&, QPainter&, const QRect&) {
        ++paints;
    };
    QVERIFY(paper.AllocateOffScreen());
    paper.resize(40000, 40000); // hidden: no resize event yet, the owner asks as after a zoom
    QVERIFY(!paper.AllocateOffScreen());
    QVERIFY(!paper.HasOffScreen());
    QPixmap target(100, 100);
    paper.render(&target, QPoint(), QRegion(0, 0, 100, 100));
    QCOMPARE(paints, 0);
    paper.resize(300, 400);
    QVERIFY(paper.AllocateOffScreen());
    paper.render(&target, QPoint(), QRegion(0, 0, 100, 100));
    QCOMPARE(paints, 1);
}

void TestPaperPreview::clicksReachTheOwner() {
    Sheet sheet(100, 150, 1, 3);
    QVERIFY(QTest::qWaitForWindowExposed(&sheet.paper));
    QStringList events;
    sheet.paper.OnMouseDown = [&](TPaperPreview&, QMouseEvent& event) {
        events << QStringLiteral("down %1,%2").arg(event.position().x()).arg(event.position().y());
    };
    sheet.paper.OnMouseUp = [&](TPaperPreview&, QMouseEvent&) {
        events << QStringLiteral("up");
    };
    sheet.paper.OnClick = [&](TPaperPreview&) {
        events << QStringLiteral("click");
    };
    sheet.paper.OnDblClick = [&](TPaperPreview&) {
        events << QStringLiteral("double");
    };
    QTest::mouseClick(&sheet.paper, Qt::LeftButton, {}, QPoint(20, 30));
    QCOMPARE(events, (QStringList{"down 20,30", "up", "click"}));
    events.clear();
    QTest::mouseClick(&sheet.paper, Qt::RightButton, {}, QPoint(20, 30));
    QCOMPARE(events, (QStringList{"down 20,30", "up"}));
}

void TestPaperPreview::optionsReportTheirChangeLevel() {
    TPaperPreviewOptions options;
    QCOMPARE(options.PaperColor(), QColor(Qt::white));
    QCOMPARE(options.BorderColor(), QColor(Qt::black));
    QCOMPARE(options.BorderWidth(), 1);
    QCOMPARE(options.ShadowWidth(), 3);
    QCOMPARE(options.Cursor(), crDefault);
    QCOMPARE(options.DragCursor(), TCursor(10));
    QCOMPARE(options.GrabCursor(), TCursor(11));
    QList<TChangeLevel> levels;
    options.OnOptionsChanged = [&](TPaperPreviewOptions& sender, TChangeLevel level) {
        QCOMPARE(&sender, &options);
        levels << level;
    };
    QMenu menu;
    const std::vector<std::pair<std::function<void()>, TChangeLevel>> changes = {
        {[&] { options.SetPaperColor(Qt::gray); }, TChangeLevel::Appearance},
        {[&] { options.SetBorderColor(Qt::red); }, TChangeLevel::Appearance},
        {[&] { options.SetShadowColor(Qt::blue); }, TChangeLevel::Appearance},
        {[&] { options.SetBorderWidth(2); }, TChangeLevel::Geometry},
        {[&] { options.SetShadowWidth(5); }, TChangeLevel::Geometry},
        {[&] { options.SetCursor(crCross); }, TChangeLevel::None},
        {[&] { options.SetDragCursor(crSizeAll); }, TChangeLevel::None},
        {[&] { options.SetGrabCursor(crHandPoint); }, TChangeLevel::None},
        {[&] { options.SetPopupMenu(&menu); }, TChangeLevel::None},
        {[&] { options.SetHint(QStringLiteral("the page")); }, TChangeLevel::None},
    };
    for (const auto& [change, level] : changes) {
        levels.clear();
        change();
        QCOMPARE(levels, QList<TChangeLevel>{level});
        change(); // the same value again
        QCOMPARE(levels, QList<TChangeLevel>{level});
    }
}

void TestPaperPreview::assignCopiesInOrderAndOnlyDifferences() {
    TPaperPreviewOptions source;
    TPaperPreviewOptions target;
    QStringList changed;
    const auto values = [&] {
        return QStringList{target.BorderColor().name(),          QString::number(target.BorderWidth()),
                           target.ShadowColor().name(),          QString::number(target.ShadowWidth()),
                           QString::number(target.Cursor()),     QString::number(target.DragCursor()),
                           QString::number(target.GrabCursor()), target.Hint(),
                           target.PaperColor().name(),           target.PopupMenu() ? "menu" : ""};
    };
    const QStringList names{"BorderColor", "BorderWidth", "ShadowColor", "ShadowWidth", "Cursor",
                            "DragCursor",  "GrabCursor",  "Hint",        "PaperColor",  "PopupMenu"};
    QStringList before = values();
    target.OnOptionsChanged = [&](TPaperPreviewOptions&, TChangeLevel) {
        const QStringList now = values();
        for (int i = 0; i < now.size(); ++i)
            if (now[i] != before[i])
                changed << names[i];
        before = now;
    };
    target.Assign(&source);
    QVERIFY(changed.isEmpty());

    QMenu menu;
    source.SetPaperColor(Qt::gray);
    source.SetBorderColor(Qt::red);
    source.SetBorderWidth(3);
    source.SetShadowColor(Qt::blue);
    source.SetShadowWidth(0);
    source.SetCursor(crCross);
    source.SetDragCursor(crSizeAll);
    source.SetGrabCursor(crNo);
    source.SetPopupMenu(&menu);
    source.SetHint(QStringLiteral("hint"));
    target.Assign(&source);
    QCOMPARE(changed, names);
    changed.clear();
    source.AssignTo(&target);
    QVERIFY(changed.isEmpty());
}

void TestPaperPreview::assignmentBetweenUnrelatedClassesFails() {
    TPaperPreviewOptions options;
    QLabel label;
    const auto message = [](const std::function<void()>& assign) {
        try {
            assign();
        } catch (const EConvertError& error) {
            return QString::fromUtf8(error.what());
        }
        return QStringLiteral("no error");
    };
    QCOMPARE(message([&] { options.Assign(&label); }),
             QStringLiteral("Cannot assign a QLabel to a TPaperPreviewOptions"));
    QCOMPARE(message([&] { options.Assign(nullptr); }),
             QStringLiteral("Cannot assign a nil to a TPaperPreviewOptions"));
    QCOMPARE(message([&] { options.AssignTo(&label); }),
             QStringLiteral("Cannot assign a TPaperPreviewOptions to a QLabel"));
    TPaperPreview paper;
    QCOMPARE(message([&] { options.Assign(&paper); }),
             QStringLiteral("Cannot assign a TPaperPreview to a TPaperPreviewOptions"));
}

void TestPaperPreview::assignToPaperCopiesTheLook() {
    TPaperPreviewOptions options;
    QMenu menu;
    options.SetPaperColor(Qt::yellow);
    options.SetBorderColor(Qt::red);
    options.SetBorderWidth(2);
    options.SetShadowColor(Qt::blue);
    options.SetShadowWidth(6);
    options.SetCursor(crCross);
    options.SetDragCursor(crSizeAll);
    options.SetPopupMenu(&menu);
    options.SetHint(QStringLiteral("the sheet"));
    TPaperPreview paper;
    options.AssignTo(&paper);
    QCOMPARE(paper.PaperColor(), QColor(Qt::yellow));
    QCOMPARE(paper.BorderColor(), QColor(Qt::red));
    QCOMPARE(paper.BorderSize(), 2);
    QCOMPARE(paper.ShadowColor(), QColor(Qt::blue));
    QCOMPARE(paper.ShadowSize(), 6);
    QCOMPARE(paper.Cursor(), crCross);
    QCOMPARE(paper.cursor().shape(), Qt::CrossCursor);
    QCOMPARE(paper.PopupMenu(), &menu);
    QCOMPARE(paper.toolTip(), QStringLiteral("the sheet"));
    QCOMPARE(paper.GetPaperSize(), QSize(95, 145)); // the paper keeps its size
}

void TestPaperPreview::optionsDrawTheSameSheetAsThePaperControl_data() {
    QTest::addColumn<int>("border");
    QTest::addColumn<int>("shadow");
    QTest::newRow("defaults") << 1 << 3;
    QTest::newRow("wide border") << 3 << 4;
    QTest::newRow("no border") << 0 << 4;
    QTest::newRow("no shadow") << 2 << 0;
}

void TestPaperPreview::optionsDrawTheSameSheetAsThePaperControl() {
    QFETCH(int, border);
    QFETCH(int, shadow);
    TPaperPreviewOptions options;
    options.SetBorderColor(kBorder);
    options.SetShadowColor(kShadow);
    options.SetBorderWidth(border);
    options.SetShadowWidth(shadow);
    const TSheetDimensions sheet = options.CalcDimensions(70, 90);
    QCOMPARE(sheet.PageRect, QRect(border, border, 70, 90));
    if (border == 1 && shadow == 3)
        QCOMPARE(sheet.Box, Ltrb(0, 0, 75, 95));

    QImage drawn(sheet.Box.size(), QImage::Format_RGB32);
    drawn.fill(Qt::white);
    {
        QPainter painter(&drawn);
        painter.setBrush(kBackground);
        options.Draw(painter, sheet.Box);
    }
    Sheet control(100, 150, border, shadow);
    control.paper.OnPaint = nullptr;
    control.paper.SetPaperSize(70, 90);
    QCOMPARE(control.paper.PageRect(), sheet.PageRect);
    QCOMPARE(control.Image(), drawn);
}

void TestPaperPreview::handCursorsComeFromTheResources() {
    QVERIFY(QFile::exists(QStringLiteral(":/preview/cursors/CURSOR_HAND")));
    QVERIFY(QFile::exists(QStringLiteral(":/preview/cursors/CURSOR_GRAB")));
    RegisterPreviewCursors();
    QImage images[2];
    for (int i = 0; i < 2; ++i) {
        const QCursor cursor = TScreenCursors::Cursor(i == 0 ? crHand : crGrab);
        QCOMPARE(cursor.shape(), Qt::BitmapCursor);
        QCOMPARE(cursor.hotSpot(), QPoint(15, 15));
        // A colour pixmap (Wayland shows no bitmap-and-mask cursor): the hot spot lies on the hand, which
        // shows black outline and white inside on a transparent ground.
        const QImage image = cursor.pixmap().toImage();
        QCOMPARE(image.size(), QSize(32, 32));
        QVERIFY(image.hasAlphaChannel());
        QCOMPARE(image.pixelColor(15, 15).alpha(), 255);
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
        images[i] = image;
    }
    QVERIFY(images[0] != images[1]);
    QCOMPARE(TScreenCursors::Cursor(crDefault).shape(), Qt::ArrowCursor);
    QCOMPARE(TScreenCursors::Cursor(1234).shape(), Qt::ArrowCursor);

    TPaperPreview paper;
    paper.SetCursor(crHand);
    QCOMPARE(paper.cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(paper.cursor().pixmap().toImage(), images[0]);
}

// At scale 2 each hand is the same drawing at twice its pixels, its hot spot on the same point.
void TestPaperPreview::handCursorsHaveTwiceTheirPixelsAtScaleTwo() {
    for (const char* name : {"CURSOR_HAND", "CURSOR_GRAB"}) {
        const QCursor single = LoadCursorResource(name, 1);
        const QCursor doubled = LoadCursorResource(name, 2);
        QCOMPARE(doubled.hotSpot(), QPoint(30, 30));
        QCOMPARE(doubled.pixmap().toImage(), single.pixmap().toImage().scaled(64, 64));
    }
}

QTEST_MAIN(TestPaperPreview)
#include "tst_paper_preview.moc"
