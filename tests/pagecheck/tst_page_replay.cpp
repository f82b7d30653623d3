// The replay of checked pages: the PDF written from a page through it is the one QPicture writes, byte
// for byte, record by record and over pages that share fonts and paths; pages it leaves to QPicture
// (several lines, justified) are declined before anything is drawn.
#include "pagecheck/PageCheck.h"
#include "pagecheck/PageReplay.h"
#include "tests/support/PageBytes.h"

#include <QBuffer>
#include <QPainterPath>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextLayout>
#include <QtTest>

#include <functional>
#include <vector>

using testsupport::RecordedBytes;
using Drawing = std::function<void(QPainter&)>;

class TestPageReplay : public QObject {
    Q_OBJECT
private slots:
    void theReplayWritesWhatQPictureWrites_data();
    void theReplayWritesWhatQPictureWrites();
    void pagesLeftToQPictureAreDeclinedBlank_data();
    void pagesLeftToQPictureAreDeclinedBlank();
};

namespace {

QFont PixelFont(const QString& family, int pixels) {
    QFont font(family);
    font.setPixelSize(pixels);
    return font;
}

// The PDF of the pages drawn one way or the other, without its creation time and random identifiers.
QByteArray Pdf(const std::vector<QByteArray>& pages, bool replay) {
    QBuffer file;
    file.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&file);
        writer.setResolution(1200);
        QPainter painter(&writer);
        pagecheck::TPageReplay replayer;
        for (std::size_t i = 0; i < pages.size(); ++i) {
            if (i > 0)
                writer.newPage();
            painter.save();
            painter.scale(4, 4);
            if (replay) {
                const auto result = replayer.Play(pages[i], painter);
                if (result != pagecheck::TPageReplay::TResult::Played)
                    qWarning("page %zu not played: %d", i, int(result));
            } else {
                QPicture picture;
                picture.setData(pages[i].constData(), uint(pages[i].size()));
                picture.play(&painter);
            }
            painter.restore();
        }
    }
    QString pdf = QString::fromLatin1(file.data()); // every byte a character, and back
    for (const char* varying : {"/CreationDate \\(D:[^)]*\\)", "/ID \\[<[0-9a-fA-F]*> ?<[0-9a-fA-F]*>\\]",
                                "uuid:[0-9a-fA-F-]+", "<xmp:\\w+Date>[^<]*</xmp:\\w+Date>"})
        pdf.remove(QRegularExpression(QString::fromLatin1(varying)));
    return pdf.toLatin1();
}

QByteArray Checked(const QByteArray& bytes) {
    if (!pagecheck::CheckPage(bytes).ok)
        qFatal("a page of the test does not pass the check");
    return bytes;
}

} // namespace

void TestPageReplay::theReplayWritesWhatQPictureWrites_data() {
    QTest::addColumn<Drawing>("draw");
    QTest::newRow("shapes and state") << Drawing([](QPainter& p) {
        p.setPen(QPen(Qt::darkGray, 2, Qt::DashDotLine, Qt::RoundCap));
        p.drawLine(QPointF(1, 2), QPointF(100, 20));
        p.drawPoint(QPointF(5, 5));
        p.setBrush(Qt::BDiagPattern);
        p.drawRect(QRectF(10, 10, 30, 20));
        p.drawEllipse(QRectF(40, 40, 30, 20));
        p.drawPolygon(QPolygonF({QPointF(1, 1), QPointF(9, 1), QPointF(5, 7)}), Qt::WindingFill);
        p.drawPolyline(QPolygonF({QPointF(1, 2), QPointF(3, 4), QPointF(50, 4)}));
        QPainterPath curve(QPointF(10, 90));
        curve.cubicTo(30, 80, 50, 100, 70, 90);
        p.drawPath(curve);
        p.setOpacity(0.5);
        p.setBackgroundMode(Qt::OpaqueMode);
        p.setBackground(QColor(255, 255, 0));
        p.setBrushOrigin(QPointF(3, 4));
        p.setRenderHint(QPainter::Antialiasing);
        p.setCompositionMode(QPainter::CompositionMode_Multiply);
        p.fillRect(QRectF(60, 10, 20, 20), QColor(200, 30, 30, 128));
    });
    QTest::newRow("transformations and clips") << Drawing([](QPainter& p) {
        p.setClipRect(QRectF(5, 5, 80, 60));
        p.rotate(10);
        p.drawRect(QRectF(10, 10, 50, 50));
        p.setClipRegion(QRegion(0, 0, 90, 90) - QRegion(20, 20, 10, 10), Qt::IntersectClip);
        p.scale(0.5, 2);
        p.drawLine(QPointF(0, 0), QPointF(90, 90));
        QPainterPath clip;
        clip.addEllipse(QRectF(0, 0, 60, 60));
        p.setClipPath(clip);
        p.setClipping(false);
        p.drawRect(QRectF(1, 1, 8, 8));
    });
    QTest::newRow("texts in pixel sizes") << Drawing([](QPainter& p) {
        p.setFont(PixelFont("Liberation Sans", 12));
        p.drawText(QPointF(10, 20), "Week 1 - 12 x 3 at 180 lb");
        p.drawText(QPointF(10.3, 40.7), "Fractional start, trailing spaces   ");
        p.drawText(QPointF(10, 60), "Tab\tand\rreturn");
        p.drawText(QPointF(10, 70), QString());
        p.setFont(PixelFont("Liberation Mono", 9));
        p.drawText(QPointF(10, 80), "Ünïcödé — ∑ ✓ ☺");
        QFont bold = PixelFont("DejaVu Sans", 15);
        bold.setBold(true);
        p.setFont(bold);
        p.setPen(Qt::blue);
        p.drawText(QPointF(10, 100), "Bold blue");
        p.rotate(-20);
        p.drawText(QPointF(10, 120), "Turned");
        QFont decorated = PixelFont("Liberation Sans", 12);
        decorated.setUnderline(true);
        decorated.setStrikeOut(true);
        p.setFont(decorated);
        p.drawText(QPointF(10, 130), "Underlined, struck out");
        p.setFont(PixelFont("Liberation Sans", 12));
        p.drawText(QPointF(10, 140), "From a fallback face: ☺");
    });
    QTest::newRow("texts the formatter lays out") << Drawing([](QPainter& p) {
        QFont points("Liberation Serif");
        points.setPointSize(10);
        p.setFont(points);
        p.drawText(QPointF(10, 20), "Ten points");
        QFont spaced = PixelFont("DejaVu Sans", 14);
        spaced.setItalic(true);
        spaced.setLetterSpacing(QFont::AbsoluteSpacing, 3);
        spaced.setWordSpacing(5);
        p.setFont(spaced);
        p.drawText(QPointF(10, 50), "Spaced italics");
    });
}

void TestPageReplay::theReplayWritesWhatQPictureWrites() {
    QFETCH(Drawing, draw);
    const QByteArray page = Checked(RecordedBytes(draw, QSize(200, 150)));
    QCOMPARE(Pdf({page}, true), Pdf({page}, false));
    // A second page with the same fonts and paths, and a third with other ones, through one replayer.
    const QByteArray other = Checked(RecordedBytes([](QPainter& p) {
        p.setFont(PixelFont("Liberation Sans", 20));
        p.drawText(QPointF(5, 30), "Another page");
        p.drawRect(QRectF(2, 2, 50, 50));
    }));
    QCOMPARE(Pdf({page, page, other}, true), Pdf({page, page, other}, false));
}

void TestPageReplay::pagesLeftToQPictureAreDeclinedBlank_data() {
    QTest::addColumn<Drawing>("draw");
    QTest::newRow("two lines") << Drawing(
        [](QPainter& p) { p.drawText(QPointF(10, 20), QStringLiteral("One\u2028two")); });
    QTest::newRow("justified") << Drawing([](QPainter& p) {
        QTextLayout layout(QStringLiteral("a justified line of several words"),
                           PixelFont("Liberation Sans", 12));
        QTextOption option(Qt::AlignJustify);
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
            line.setLineWidth(120);
        layout.endLayout();
        layout.draw(&p, QPointF(5, 5));
    });
}

void TestPageReplay::pagesLeftToQPictureAreDeclinedBlank() {
    QFETCH(Drawing, draw);
    const QByteArray page = Checked(RecordedBytes([&](QPainter& p) {
        p.drawRect(QRectF(1, 1, 5, 5)); // drawn before the text: must not be drawn either
        draw(p);
    }));
    QImage image(200, 150, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QCOMPARE(pagecheck::TPageReplay().Play(page, painter), pagecheck::TPageReplay::TResult::Declined);
    painter.end();
    QImage blank(image.size(), image.format());
    blank.fill(Qt::white);
    QCOMPARE(image, blank);
}

QTEST_MAIN(TestPageReplay)
#include "tst_page_replay.moc"
