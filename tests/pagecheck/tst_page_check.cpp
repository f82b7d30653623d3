// The page check: real recordings pass, damaged or hostile ones are refused with a reason.
#include "pagecheck/PageCheck.h"
#include "preview/Preview.h"
#include "tests/preview/PageDrawing.h"
#include "tests/support/PageBytes.h"

#include <QPainterPath>
#include <QPixmap>
#include <QtTest>

#include <cmath>
#include <limits>

using namespace testsupport;

class TestPageCheck : public QObject {
    Q_OBJECT
private slots:
    void recordedPagesPass_data();
    void recordedPagesPass();
    void hostilePagesAreRefused_data();
    void hostilePagesAreRefused();
};

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A page as the preview's canvas records it: mapped to hundredths of a millimetre, with text, lines,
// filled and clipped areas, dashes and curves.
QByteArray SampleSheet() {
    preview::TMetafile page(794, 1123);
    {
        preview::TMetafileCanvas canvas(page);
        canvas.MapToUnits(QSize(21000, 29700), QSize(794, 1123), QPoint(0, 0), 96);
        QPainter& painter = canvas.Painter();
        canvas.SetFont(QFont(QStringLiteral("Liberation Sans")));
        canvas.SetFontSize(12);
        painter.drawText(QPoint(1500, 3000), QStringLiteral("Week 1 - 12 × 3 at 180 lb"));
        painter.setPen(QPen(Qt::darkGray, 20, Qt::DashDotLine, Qt::RoundCap));
        painter.drawLine(1000, 2000, 20000, 2000);
        painter.fillRect(QRect(1000, 2200, 3500, 2900), QColor(200, 30, 30));
        painter.setClipRect(QRectF(1000, 5000, 8000, 3000));
        painter.setBrush(Qt::BDiagPattern);
        painter.drawEllipse(QRect(1200, 5200, 4000, 2000));
        QPainterPath curve(QPointF(1000, 9000));
        curve.cubicTo(3000, 8000, 5000, 10000, 7000, 9000);
        painter.drawPath(curve);
        painter.drawPolygon(QPolygon({QPoint(100, 100), QPoint(900, 100), QPoint(500, 700)}));
        painter.setOpacity(0.5);
        painter.drawPolyline(QPolygonF({QPointF(1, 2), QPointF(3, 4)}));
    }
    return page.SaveToData();
}

QByteArray Patched(QByteArray bytes, quint8 command, qsizetype offset, const QByteArray& replacement) {
    const qsizetype at = RecordData(bytes, command);
    if (at < 0)
        qFatal("no record %d to patch", command);
    bytes.replace(at + offset, replacement.size(), replacement);
    return Resummed(bytes);
}

QByteArray BigEndian32(quint32 value) {
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray LineTo(QPointF end) {
    return RecordedBytes([end](QPainter& painter) { painter.drawLine(QPointF(1, 1), end); });
}
} // namespace

void TestPageCheck::recordedPagesPass_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("preview test page") << previewtest::MakePage(7)->SaveToData();
    QTest::newRow("blank page") << preview::TMetafile(321, 123).SaveToData();
    QTest::newRow("sample sheet") << SampleSheet();
}

void TestPageCheck::recordedPagesPass() {
    QFETCH(QByteArray, bytes);
    const pagecheck::TPageCheck result = pagecheck::CheckPage(bytes);
    QVERIFY2(result.ok, result.reason.c_str());
    QVERIFY(result.reason.empty());
}

void TestPageCheck::hostilePagesAreRefused_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason"); // a part of the reason given

    for (const QString& file : ReproducerFiles())
        QTest::newRow(qPrintable(QFileInfo(file).fileName())) << FileBytes(file) << QString();

    const QByteArray sheet = SampleSheet();
    QTest::newRow("empty") << QByteArray() << "no page header";
    QTest::newRow("other tag") << QByteArray("QPIX").append(sheet.mid(4)) << "no page header";
    QTest::newRow("checksum") << QByteArray(sheet).append('\0') << "checksum";
    QTest::newRow("old version") << Resummed(QByteArray(sheet).replace(6, 2, "\0\x05", 2)) << "version 5.0";
    QTest::newRow("truncated") << Resummed(sheet.left(sheet.size() - 3)) << "record";
    QTest::newRow("trailing bytes") << Resummed(QByteArray(sheet).append("\0\0", 2)) << "after the end";
    QTest::newRow("record count") << Resummed(QByteArray(sheet).replace(28, 4, BigEndian32(3))) << "no end";
    QTest::newRow("huge page size") << Resummed(QByteArray(sheet).replace(20, 4, BigEndian32(0x7fffffff)))
                                    << "page size";

    // Valid recordings the canvas never makes, which crash or swamp Qt's engines.
    QTest::newRow("NaN line") << LineTo(QPointF(kNaN, 3)) << "record 1 (polyline): coordinate";
    QTest::newRow("far line") << LineTo(QPointF(5e6, 3)) << "coordinate";
    QTest::newRow("pixmap") << RecordedBytes([](QPainter& p) {
        p.drawPixmap(QRectF(kNaN, 0, 5, 5), QPixmap(4, 4), QRectF(0, 0, 4, 4));
    }) << "unknown command 17";
    QTest::newRow("gradient") << RecordedBytes([](QPainter& p) {
        p.setBrush(QLinearGradient(0, 0, 1, 1));
        p.drawRect(1, 1, 5, 5);
    }) << "brush style";
    QTest::newRow("many dashes") << RecordedBytes([](QPainter& p) {
        QPen pen;
        pen.setDashPattern(QList<qreal>(100, 1.0));
        p.setPen(pen);
        p.drawLine(0, 0, 9, 9);
    }) << "dash pattern";
    QTest::newRow("huge scale") << RecordedBytes([](QPainter& p) {
        p.scale(1e6, 1);
        p.drawLine(0, 0, 9, 9);
    }) << "transformation scale";
    QTest::newRow("perspective") << RecordedBytes([](QPainter& p) {
        p.setTransform(QTransform(1, 0, 0.5, 0, 1, 0, 0, 0, 1));
        p.drawLine(0, 0, 9, 9);
    }) << "perspective";

    // Damaged records of a real page.
    QTest::newRow("path of 2^31 elements")
        << Patched(sheet, 25, 0, BigEndian32(0x7fffffff)) << "(path): path has";
    QTest::newRow("path element type") << Patched(sheet, 25, 24, BigEndian32(7)) << "element 1 of type 7";
    QTest::newRow("curve without its data") << Patched(sheet, 25, 44, BigEndian32(2)) << "out of place";
    QTest::newRow("polygon of 2^32-1 points")
        << Patched(sheet, 13, 0, BigEndian32(0xffffffff)) << "polygon has";
    QTest::newRow("pen style") << Patched(sheet, 46, 0, QByteArray("\x02\x07", 2)) << "pen style";
    QTest::newRow("pen width") << Patched(sheet, 46, 3, QByteArray("\x7f\xf8", 2)) << "pen width";
    QTest::newRow("text length") << Patched(sheet, 21, 16, BigEndian32(0x7ffffffe)) << "(text): text has";
    QTest::newRow("font family length") << Patched(sheet, 45, 0, BigEndian32(0)) << "(font): ";
    QTest::newRow("opacity") << Patched(sheet, 66, 0, QByteArray("\x40\x00", 2)) << "opacity";
    QTest::newRow("unknown command") << Patched(sheet, 66, -2, QByteArray("\x11", 1)) << "unknown command 17";
    QTest::newRow("record length") << Patched(sheet, 12, -1, QByteArray("\x30", 1)) << "record longer";
}

void TestPageCheck::hostilePagesAreRefused() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    const pagecheck::TPageCheck result = pagecheck::CheckPage(bytes);
    QVERIFY(!result.ok);
    QVERIFY2(QString::fromStdString(result.reason).contains(reason), result.reason.c_str());
}

QTEST_MAIN(TestPageCheck)
#include "tst_page_check.moc"
