// The text a screen reader gets from a recorded page: runs read back from the drawing in reading order,
// whatever order they were drawn in, and each character's place on the page.
#include "preview/Metafile.h"
#include "preview/PageText.h"

#include <QFontMetricsF>
#include <QtTest>

using preview::TMetafile;
using preview::TMetafileCanvas;
using preview::TPageText;

namespace {

struct Run {
    QString Text;
    QPoint BaselineStart;
};
using Runs = QList<Run>;

QFont PageFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    return font;
}

// A page of 400 x 300 pixels with the runs drawn in the order given; `scale` maps the drawing as the
// preview maps page units (a window larger than the viewport).
TPageText ReadPage(const Runs& runs, int scale = 1) {
    TMetafile page(400, 300);
    {
        TMetafileCanvas canvas(page);
        QPainter& painter = canvas.Painter();
        painter.setWindow(0, 0, 400 * scale, 300 * scale);
        painter.setViewport(0, 0, 400, 300);
        QFont font = PageFont();
        font.setPixelSize(12 * scale);
        painter.setFont(font);
        for (const Run& run : runs)
            painter.drawText(run.BaselineStart * scale, run.Text);
    }
    return TPageText::Of(page);
}

} // namespace

Q_DECLARE_METATYPE(Runs)

class TestPageText : public QObject {
    Q_OBJECT
private slots:
    void readsTopToBottomThenLeftToRight_data() {
        QTest::addColumn<Runs>("runs");
        QTest::addColumn<int>("scale");
        QTest::addColumn<QString>("text");
        const int wee = qRound(QFontMetricsF(PageFont()).horizontalAdvance("Wee"));
        QTest::newRow("blank page") << Runs{} << 1 << "";
        QTest::newRow("lines drawn bottom first")
            << Runs{{"second", {10, 60}}, {"first", {10, 30}}} << 1 << "first\nsecond";
        QTest::newRow("a gap on a line is a blank")
            << Runs{{"world", {100, 30}}, {"hello", {10, 30}}} << 1 << "hello world";
        QTest::newRow("a run that starts with a blank gets no other")
            << Runs{{" (127.5) x 8", {100, 30}}, {"2, 8", {10, 30}}} << 1 << "2, 8 (127.5) x 8";
        QTest::newRow("pieces edge to edge are one word")
            << Runs{{"k", {10 + wee, 30}}, {"Wee", {10, 30}}} << 1 << "Week";
        QTest::newRow("a baseline a pixel off is the same line")
            << Runs{{"b", {60, 31}}, {"a", {10, 30}}} << 1 << "a b";
        QTest::newRow("blank runs are no text") << Runs{{"   ", {10, 30}}, {"x", {10, 60}}} << 1 << "x";
        QTest::newRow("page units mapped to pixels")
            << Runs{{"Week : 2", {20, 90}}, {"127.5", {150, 60}}, {"Week : 1", {20, 40}}, {"2, 8", {20, 60}}}
            << 100 << "Week : 1\n2, 8 127.5\nWeek : 2";
    }

    void readsTopToBottomThenLeftToRight() {
        QFETCH(Runs, runs);
        QFETCH(int, scale);
        QFETCH(QString, text);
        QCOMPARE(ReadPage(runs, scale).Text(), text);
    }

    // Each character lies where it was drawn, and the place leads back to it.
    void charactersLieWhereTheyWereDrawn() {
        const TPageText page = ReadPage({{"hello", {10, 30}}, {"world", {10, 60}}});
        const QRectF h = page.CharacterBox(0);
        QVERIFY2(qAbs(h.left() - 10) < 1 && h.top() < 30 && h.bottom() > 28,
                 qPrintable(QString::number(h.left())));
        QVERIFY(page.CharacterBox(5).isEmpty()); // the line break
        const QRectF w = page.CharacterBox(6);
        QVERIFY(w.top() > h.bottom() - 1);
        QCOMPARE(page.OffsetAt(page.CharacterBox(8).center()), 8);
        QCOMPARE(page.OffsetAt(QPointF(390, 290)), -1);
        QVERIFY(page.CharacterBox(-1).isEmpty() && page.CharacterBox(11).isEmpty());
    }
};

QTEST_MAIN(TestPageText)
#include "tst_page_text.moc"
