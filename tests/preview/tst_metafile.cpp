// Recorded pages: their byte image, their replay into devices of any resolution, the recording canvas.
#include "preview/Preview.h"
#include "tests/preview/PageDrawing.h"
#include "tests/support/PageBytes.h"

#include <QImage>
#include <QPixmap>
#include <QtTest>

#include <functional>
#include <limits>

using namespace preview;
using previewtest::MakePage;

class TestMetafile : public QObject {
    Q_OBJECT
private slots:
    void finishingTheCanvasReplacesTheDrawingAndNotifiesOnce();
    void destroyingAnUnfinishedCanvasFinishesIt();
    void byteImageKeepsSizeAndDrawing();
    void blankPageKeepsItsSize();
    void bytesThatAreNoPageAreRefused_data();
    void bytesThatAreNoPageAreRefused();
    void drawingsThePageCheckRefusesLeaveThePageBlank_data();
    void drawingsThePageCheckRefusesLeaveThePageBlank();
    void drawStretchesOverTheTargetAtAnyResolution_data();
    void drawStretchesOverTheTargetAtAnyResolution();
    void assignCopiesSizeAndDrawing();
};

namespace {
// The bounding box of the pixels that are not white.
QRect Inked(const QImage& image) {
    QRect found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                found |= QRect(x, y, 1, 1);
    return found;
}

QImage Rendered(const TMetafile& page, QSize size, const QRect& target, int dpi = 96) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    QPainter painter(&image);
    page.Draw(painter, target);
    return image;
}
} // namespace

void TestMetafile::finishingTheCanvasReplacesTheDrawingAndNotifiesOnce() {
    TMetafile page(100, 200);
    int changes = 0;
    page.OnChange = [&](TMetafile& sender) {
        QCOMPARE(&sender, &page);
        ++changes;
    };
    QVERIFY(page.Empty());
    {
        TMetafileCanvas canvas(page);
        QVERIFY(canvas.IsActive());
        canvas.Painter().fillRect(10, 10, 20, 20, Qt::red);
        QCOMPARE(changes, 0); // nothing is visible before the recording is complete
        canvas.Finish();
        QCOMPARE(changes, 1);
        canvas.Finish();
    }
    QCOMPARE(changes, 1);
    QVERIFY(!page.Empty());
    {
        TMetafileCanvas canvas(page);
        canvas.Painter().fillRect(50, 50, 5, 5, Qt::blue);
    }
    QCOMPARE(changes, 2);
    QCOMPARE(Inked(Rendered(page, QSize(100, 200), QRect(0, 0, 100, 200))), QRect(50, 50, 5, 5));
}

void TestMetafile::destroyingAnUnfinishedCanvasFinishesIt() {
    TMetafile page(40, 40);
    page.OnChange = [](TMetafile&) {
        throw std::runtime_error("listener failed");
    };
    {
        TMetafileCanvas canvas(page);
        canvas.Painter().fillRect(1, 1, 2, 2, Qt::black);
    } // the listener's failure must not escape the destructor
    QCOMPARE(Inked(Rendered(page, QSize(40, 40), QRect(0, 0, 40, 40))), QRect(1, 1, 2, 2));
}

void TestMetafile::byteImageKeepsSizeAndDrawing() {
    const auto page = MakePage(7);
    TMetafile copy;
    copy.LoadFromData(page->SaveToData());
    QCOMPARE(copy.Size(), page->Size());
    QCOMPARE(copy.SaveToData(), page->SaveToData());
    const QRect target(0, 0, page->Width(), page->Height());
    QCOMPARE(Rendered(copy, page->Size(), target), Rendered(*page, page->Size(), target));
}

void TestMetafile::blankPageKeepsItsSize() {
    const TMetafile blank(321, 123);
    TMetafile copy;
    copy.LoadFromData(blank.SaveToData());
    QCOMPARE(copy.Size(), QSize(321, 123));
}

void TestMetafile::bytesThatAreNoPageAreRefused_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = MakePage(1)->SaveToData();
    QByteArray flipped = good;
    flipped[flipped.size() / 2] = static_cast<char>(flipped[flipped.size() / 2] ^ 0x5A);
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("not a page at all");
    QTest::newRow("cut short") << good.left(good.size() / 2);
    QTest::newRow("one byte changed") << flipped;
    // Bytes with a valid checksum that once aborted, swamped or crashed Qt when replayed.
    for (const QString& file : testsupport::ReproducerFiles())
        QTest::newRow(qPrintable(QFileInfo(file).fileName())) << testsupport::FileBytes(file);
}

void TestMetafile::bytesThatAreNoPageAreRefused() {
    QFETCH(QByteArray, bytes);
    TMetafile page(10, 10);
    int changes = 0;
    page.OnChange = [&](TMetafile&) {
        ++changes;
    };
    QVERIFY_THROWS_EXCEPTION(EReadError, page.LoadFromData(bytes));
    QCOMPARE(page.Size(), QSize(10, 10));
    QCOMPARE(changes, 0);
}

void TestMetafile::drawingsThePageCheckRefusesLeaveThePageBlank_data() {
    QTest::addColumn<std::function<void(QPainter&)>>("draw");
    const qreal nan = std::numeric_limits<qreal>::quiet_NaN();
    QTest::newRow("line to NaN") << std::function<void(QPainter&)>(
        [=](QPainter& p) { p.drawLine(QPointF(1, 1), QPointF(nan, 5)); });
    QTest::newRow("pixmap at NaN") << std::function<void(QPainter&)>(
        [=](QPainter& p) { p.drawPixmap(QRectF(nan, nan, 8, 8), QPixmap(4, 4), QRectF(0, 0, 4, 4)); });
}

void TestMetafile::drawingsThePageCheckRefusesLeaveThePageBlank() {
    QFETCH(std::function<void(QPainter&)>, draw);
    TMetafile page(40, 30);
    TMetafileCanvas canvas(page);
    canvas.Painter().fillRect(1, 1, 5, 5, Qt::red);
    draw(canvas.Painter());
    QVERIFY_THROWS_EXCEPTION(EWriteError, canvas.Finish());
    QCOMPARE(page.Size(), QSize(40, 30));
    QCOMPARE(Inked(Rendered(page, QSize(40, 30), QRect(0, 0, 40, 30))), QRect());
    TMetafile copy;
    copy.LoadFromData(page.SaveToData());
    QCOMPARE(copy.Size(), QSize(40, 30));
}

void TestMetafile::drawStretchesOverTheTargetAtAnyResolution_data() {
    QTest::addColumn<int>("dpi");
    QTest::newRow("screen") << 96;
    QTest::newRow("double") << 192;
    QTest::newRow("printer") << 300;
}

void TestMetafile::drawStretchesOverTheTargetAtAnyResolution() {
    QFETCH(int, dpi);
    TMetafile page(100, 200);
    {
        TMetafileCanvas canvas(page);
        canvas.Painter().fillRect(10, 20, 20, 40, Qt::red);
    }
    // Twice the page's size, placed at (50, 40): the block doubles and moves with it.
    QCOMPARE(Inked(Rendered(page, QSize(300, 500), QRect(50, 40, 200, 400), dpi)), QRect(70, 80, 40, 80));
}

void TestMetafile::assignCopiesSizeAndDrawing() {
    const auto source = MakePage(3);
    TMetafile target(1, 1);
    int changes = 0;
    target.OnChange = [&](TMetafile&) {
        ++changes;
    };
    target.Assign(*source);
    QCOMPARE(changes, 1);
    QCOMPARE(target.Size(), source->Size());
    QCOMPARE(target.SaveToData(), source->SaveToData());
}

QTEST_MAIN(TestMetafile)
#include "tst_metafile.moc"
