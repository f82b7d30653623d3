// The paper table, unit conversion and the sheet's size for a zoom: pure arithmetic, table-driven.
#include "preview/PaperTypes.h"
#include "preview/SheetLayout.h"

#include <QPageSize>
#include <QtTest>

#include <limits>

using namespace preview;

Q_DECLARE_METATYPE(preview::TUnits)
Q_DECLARE_METATYPE(preview::TZoomState)

class TestPaperTypes : public QObject {
    Q_OBJECT
private slots:
    void paperCodesNameTheSizesPrintersKnow();
    void lookupsTakeTheFirstMatchingRow_data();
    void lookupsTakeTheFirstMatchingRow();
    void conversion_data();
    void conversion();
    void halvesRoundToEvenAndMulDivAwayFromZero();
    void sheetSizeForTheZoom_data();
    void sheetSizeForTheZoom();
    void scrollBarsAndCentring_data();
    void scrollBarsAndCentring();
    void printerFormsMatchInWholeMillimetres_data();
    void printerFormsMatchInWholeMillimetres();
};

void TestPaperTypes::paperCodesNameTheSizesPrintersKnow() {
    // Qt knows most Windows paper numbers; every row it knows must have Qt's size, whole millimetres
    // apart at most (Qt rounds some inch sizes to millimetres), as portrait or turned.
    QCOMPARE(int(pCustom), 66);
    QCOMPARE(PaperInfo(pCustom).Code, 256);
    // Where Qt's idea of a code differs from the printer interface's own table (which printers go by),
    // the row keeps the interface's size: code 12 is B4 of 250 x 354 mm, not JIS B4; codes 24 to 26
    // are the ANSI C, D and E sheets, not the architectural ones; code 52 is 11.69 inches wide, not 12.
    const QList<int> differing = {12, 24, 25, 26, 52};
    QList<int> mismatched;
    int known = 0;
    for (int i = 0; i < pCustom; ++i) {
        const TPaperInfo& row = PaperInfo(TPaperType(i));
        const QPageSize::PageSizeId id = QPageSize::id(row.Code);
        if (id == QPageSize::Custom)
            continue;
        ++known;
        const QSizeF qt = QPageSize::size(id, QPageSize::Millimeter);
        const double w = ConvertUnits(row.Width, row.Units, mmHiMetric, 96) / 100.0;
        const double h = ConvertUnits(row.Height, row.Units, mmHiMetric, 96) / 100.0;
        const bool same = qAbs(qt.width() - w) <= 1.5 && qAbs(qt.height() - h) <= 1.5;
        const bool turned = qAbs(qt.width() - h) <= 1.5 && qAbs(qt.height() - w) <= 1.5;
        if (!same && !turned) {
            qInfo("%s (code %d): %g x %g mm, Qt %g x %g mm", row.Name, row.Code, w, h, qt.width(),
                  qt.height());
            mismatched << row.Code;
        }
    }
    QCOMPARE(mismatched, differing);
    QVERIFY(known >= 60);
    // The PDF library knows a few papers by code; every other paper goes by its size.
    const QList<QPair<TPaperType, int>> codes = {{pLetter, 1}, {pA4, 2},          {pB4, 8},
                                                 {pEnvDL, 15}, {pEnvMonarch, 16}, {pA4Small, 0}};
    for (const auto& [type, code] : codes)
        QCOMPARE(PdfPaperCode(type), code);
    // Codes are unique, so a lookup by code finds each row.
    for (int i = 0; i < pCustom; ++i)
        QCOMPARE(PaperTypeOfCode(PaperInfo(TPaperType(i)).Code), TPaperType(i));
}

void TestPaperTypes::lookupsTakeTheFirstMatchingRow_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<TUnits>("units");
    QTest::addColumn<int>("type");
    QTest::newRow("letter, first of four rows") << 21590 << 27940 << mmHiMetric << int(pLetter);
    QTest::newRow("A4 before A4Small") << 21000 << 29700 << mmHiMetric << int(pA4);
    QTest::newRow("A4 within half a millimetre") << 21040 << 29660 << mmHiMetric << int(pA4);
    QTest::newRow("A4 in tenths") << 2100 << 2970 << mmLoMetric << int(pA4);
    QTest::newRow("A4 in pixels") << 794 << 1123 << mmPixel << int(pA4);
    QTest::newRow("B4 before EnvB4 by millimetres") << 25000 << 35400 << mmHiMetric << int(pB4);
    QTest::newRow("EnvB4 before B4ISO") << 25000 << 35300 << mmHiMetric << int(pEnvB4);
    QTest::newRow("turned A4 is no row") << 29700 << 21000 << mmHiMetric << int(pCustom);
    QTest::newRow("ledger is landscape in the table") << 17000 << 11000 << mmHiEnglish << int(pLedger);
    QTest::newRow("no row") << 12345 << 6789 << mmHiMetric << int(pCustom);
}

void TestPaperTypes::lookupsTakeTheFirstMatchingRow() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(TUnits, units);
    QFETCH(int, type);
    QCOMPARE(int(PaperTypeOfSize(width, height, units)), type);
}

void TestPaperTypes::conversion_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<TUnits>("from");
    QTest::addColumn<TUnits>("to");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("expected");
    QTest::newRow("lo to hi metric multiplies") << 100 << mmLoMetric << mmHiMetric << 96 << 1000;
    QTest::newRow("letter width to pixels") << 21590 << mmHiMetric << mmPixel << 96 << 816;
    QTest::newRow("A4 height to pixels") << 29700 << mmHiMetric << mmPixel << 96 << 1123;
    QTest::newRow("hi to lo metric truncates") << 12345 << mmHiMetric << mmLoMetric << 96 << 1234;
    QTest::newRow("negative truncates towards zero") << -12345 << mmHiMetric << mmLoMetric << 96 << -1234;
    QTest::newRow("hi to lo english truncates") << 6789 << mmHiEnglish << mmLoEnglish << 96 << 678;
    QTest::newRow("points to twips") << 12 << mmPoints << mmTWIPS << 96 << 240;
    QTest::newRow("twips to points truncates") << 259 << mmTWIPS << mmPoints << 96 << 12;
    QTest::newRow("lo english to hi english") << 850 << mmLoEnglish << mmHiEnglish << 96 << 8500;
    QTest::newRow("inch in hi english to twips") << 1000 << mmHiEnglish << mmTWIPS << 96 << 1440;
    QTest::newRow("twips to hi metric rounds") << 1 << mmTWIPS << mmHiMetric << 96 << 2;
    QTest::newRow("same unit") << 777 << mmTWIPS << mmTWIPS << 96 << 777;
    QTest::newRow("pixels at a printer's resolution") << 96 << mmPixel << mmPixel << 600 << 600;
    QTest::newRow("hi metric to printer pixels") << 2540 << mmHiMetric << mmPixel << 600 << 600;
    QTest::newRow("half rounds to even, down") << 1 << mmLoEnglish << mmPoints << 96 << 1;  // 0.72
    QTest::newRow("exact half rounds to even") << 5 << mmPoints << mmHiMetric << 96 << 176; // 176.39
    QTest::newRow("half: 12.5 to 12") << 25 << mmLoEnglish << mmHiMetric << 96 << 635;      // exact
    QTest::newRow("half: 0.5 to 0") << 1 << mmLoMetric << mmPixel << 127 * 2 / 2 << 0;      // 127/254
    QTest::newRow("half: 1.5 to 2") << 3 << mmLoMetric << mmPixel << 127 << 2;              // 381/254
    QTest::newRow("half: 2.5 to 2") << 5 << mmLoMetric << mmPixel << 127 << 2;              // 635/254
    QTest::newRow("unknown unit leaves the value") << 42 << TUnits(7) << mmPixel << 96 << 42;
    // The product of value and factor needs more than 32 bits; the result still fits.
    QTest::newRow("large value, 64-bit product") << 2000000 << mmHiMetric << mmTWIPS << 96 << 1133858;
    QTest::newRow("large value to points") << 100000000 << mmHiMetric << mmPoints << 96 << 2834646;
    QTest::newRow("saturates above int") << std::numeric_limits<int>::max() << mmLoMetric << mmHiMetric << 96
                                         << std::numeric_limits<int>::max();
    QTest::newRow("saturates below int")
        << std::numeric_limits<int>::min() << mmPoints << mmTWIPS << 96 << std::numeric_limits<int>::min();
}

void TestPaperTypes::conversion() {
    QFETCH(int, value);
    QFETCH(TUnits, from);
    QFETCH(TUnits, to);
    QFETCH(int, dpi);
    QFETCH(int, expected);
    QCOMPARE(ConvertUnits(value, from, to, dpi, 96), expected);
}

void TestPaperTypes::halvesRoundToEvenAndMulDivAwayFromZero() {
    QCOMPARE(DivRoundHalfEven(5, 2), 2);
    QCOMPARE(DivRoundHalfEven(7, 2), 4);
    QCOMPARE(DivRoundHalfEven(-5, 2), -2);
    QCOMPARE(DivRoundHalfEven(-7, 2), -4);
    QCOMPARE(DivRoundHalfEven(-8, 3), -3);
    QCOMPARE(MulDiv(5, 1, 2), 3);
    QCOMPARE(MulDiv(-5, 1, 2), -3);
    QCOMPARE(MulDiv(816, 150, 100), 1224);
    QCOMPARE(MulDiv(100000, 100000, 100000), 100000); // the product needs 64 bits
    QCOMPARE(MulDiv(1, 1, 0), -1);
}

void TestPaperTypes::sheetSizeForTheZoom_data() {
    QTest::addColumn<TZoomState>("state");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QSize>("page");
    QTest::addColumn<QSize>("space");
    QTest::addColumn<QSize>("sheet");
    QTest::addColumn<int>("shownZoom");
    const QSize letter(816, 1056);
    const QSize a4(794, 1123);
    QTest::newRow("letter at 100 %") << zsZoomOther << 100 << letter << QSize(300, 300) << QSize(821, 1061)
                                     << 100;
    QTest::newRow("letter at 50 %") << zsZoomOther << 50 << letter << QSize(300, 300) << QSize(413, 533)
                                    << 50;
    QTest::newRow("A4 at 500 %") << zsZoomOther << 500 << a4 << QSize(300, 300) << QSize(3975, 5620) << 500;
    // Width: 600 - 5 = 595 paper pixels wide, 595 x 1123 / 794 = 841.6 high.
    QTest::newRow("to width") << zsZoomToWidth << 100 << a4 << QSize(600, 400) << QSize(600, 847) << 75;
    // Height: 400 - 5 = 395 high, 395 x 794 / 1123 = 279.3 wide; 395 / 1123 = 35.17 %.
    QTest::newRow("to height") << zsZoomToHeight << 100 << a4 << QSize(600, 400) << QSize(284, 400) << 35;
    QTest::newRow("fit, wide view fits the height")
        << zsZoomToFit << 100 << a4 << QSize(600, 400) << QSize(284, 400) << 35;
    QTest::newRow("fit, tall view fits the width")
        << zsZoomToFit << 100 << a4 << QSize(300, 900) << QSize(300, 422) << 37;
    // 1061 - 5 = 1056 high: exactly 100 %.
    QTest::newRow("fit, height of the page")
        << zsZoomToFit << 100 << letter << QSize(2000, 1061) << QSize(821, 1061) << 100;
    // Paper height 25 of 50: 50 %; 75 of 50 x 3 = 150 % (no halves to see); 1 of 8: 12.5 % rounds to 12.
    QTest::newRow("fit, 12.5 % rounds to even")
        << zsZoomToHeight << 100 << QSize(8, 8) << QSize(100, 6) << QSize(6, 6) << 12;
    QTest::newRow("fit, 37.5 % rounds to even")
        << zsZoomToHeight << 100 << QSize(8, 8) << QSize(100, 8) << QSize(8, 8) << 38;
    QTest::newRow("tiny view keeps a pixel") << zsZoomToFit << 100 << a4 << QSize(2, 2) << QSize(6, 6) << 0;
    QTest::newRow("empty page counts as one pixel")
        << zsZoomOther << 100 << QSize(0, 0) << QSize(50, 50) << QSize(6, 6) << 100;
}

void TestPaperTypes::sheetSizeForTheZoom() {
    QFETCH(TZoomState, state);
    QFETCH(int, zoom);
    QFETCH(QSize, page);
    QFETCH(QSize, space);
    QFETCH(QSize, sheet);
    QFETCH(int, shownZoom);
    const TSheetSize size = ComputePaperViewSize(state, zoom, page, space, TSheetFrame{5, 5});
    QCOMPARE(size.Size, sheet);
    QCOMPARE(size.Zoom, shownZoom);
}

void TestPaperTypes::scrollBarsAndCentring_data() {
    QTest::addColumn<TZoomState>("state");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<bool>("horz");
    QTest::addColumn<bool>("vert");
    QTest::addColumn<QPoint>("origin");
    QTest::addColumn<QSize>("sheet");
    // A4 page 794 x 1123, frame 5, margin 10, bars 16.
    QTest::newRow("small sheet is centred")
        << zsZoomOther << 20 << QSize(500, 400) << false << false
        << QPoint(10 + (480 - 164) / 2, 10 + (380 - 230) / 2) << QSize(164, 230);
    QTest::newRow("tall sheet: vertical bar only") << zsZoomOther << 50 << QSize(500, 400) << false << true
                                                   << QPoint(10 + (464 - 402) / 2, 10) << QSize(402, 567);
    // 470 wide fits 480 but not 464 once the vertical bar is there: both bars.
    QTest::newRow("one bar brings the other")
        << zsZoomOther << 59 << QSize(500, 400) << true << true << QPoint(10, 10) << QSize(473, 668);
    QTest::newRow("fit width leaves room for the vertical bar")
        << zsZoomToWidth << 100 << QSize(500, 400) << false << true << QPoint(10, 10) << QSize(464, 654);
    QTest::newRow("fit page needs no bar") << zsZoomToFit << 100 << QSize(500, 400) << false << false
                                           << QPoint(10 + (480 - 270) / 2, 10) << QSize(270, 380);
}

void TestPaperTypes::scrollBarsAndCentring() {
    QFETCH(TZoomState, state);
    QFETCH(int, zoom);
    QFETCH(QSize, area);
    QFETCH(bool, horz);
    QFETCH(bool, vert);
    QFETCH(QPoint, origin);
    QFETCH(QSize, sheet);
    const TSheetLayout layout =
        LayoutSheet(state, zoom, QSize(794, 1123), area, 10, 16, 16, TSheetFrame{5, 5});
    QCOMPARE(layout.CanScrollHorz, horz);
    QCOMPARE(layout.CanScrollVert, vert);
    QCOMPARE(layout.Sheet, sheet);
    QCOMPARE(layout.Origin, origin);
}

void TestPaperTypes::printerFormsMatchInWholeMillimetres_data() {
    QTest::addColumn<QSize>("hiMetric"); // portrait
    QTest::addColumn<QSize>("hiEnglish");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<int>("units");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("generated");
    const QSize a4(21000, 29700);
    const QSize a4Inches(8268, 11693);
    QTest::newRow("a form of the size") << a4 << a4Inches << false << int(mmHiMetric) << "A4" << false;
    QTest::newRow("within half a millimetre")
        << QSize(21040, 29660) << a4Inches << true << int(mmPixel) << "A4" << false;
    QTest::newRow("a turned form") << QSize(14800, 21000) << QSize() << false << int(mmHiMetric)
                                   << "A5 across Rotated" << true;
    QTest::newRow("millimetres as it lies")
        << QSize(10000, 15000) << QSize() << true << int(mmLoMetric) << "150mm x 100mm Rotated" << true;
    QTest::newRow("inches portrait") << QSize(10000, 15000) << QSize(3937, 5906) << true << int(mmHiEnglish)
                                     << "3.9\" x 5.9\" Rotated" << true;
}

void TestPaperTypes::printerFormsMatchInWholeMillimetres() {
    QFETCH(QSize, hiMetric);
    QFETCH(QSize, hiEnglish);
    QFETCH(bool, landscape);
    QFETCH(int, units);
    const QList<QPageSize> forms = {
        QPageSize(QPageSize::Letter), QPageSize(QSizeF(210, 297), QPageSize::Millimeter, "A4"),
        QPageSize(QSizeF(210, 148), QPageSize::Millimeter, "A5 across", QPageSize::ExactMatch)};
    const TPaperFormName form = MatchPaperForm(forms, hiMetric, hiEnglish, landscape, TUnits(units));
    QTEST(form.Name, "name");
    QTEST(form.Generated, "generated");
}

QTEST_APPLESS_MAIN(TestPaperTypes)
#include "tst_paper_types.moc"
