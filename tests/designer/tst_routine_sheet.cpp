// The routine sheet as it lands on the page: where its ink falls at a known scale (frame, line bands,
// columns, the clipped rule, nothing below the last week), and the texts, fonts, colours and clips of
// every line as the recorded page replays them, drawn directly and through the preview control.
#include "designer/CycleGenerator.h"
#include "designer/RoutineSheet.h"
#include "preview/Preview.h"

#include <QFontInfo>
#include <QImage>
#include <QPaintEngine>
#include <QtTest>

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>
#include <vector>

namespace {

// Letter in hundredths of a millimetre, and its size in screen pixels at 96 dpi.
const QSize kLetterUnits(21590, 27940);
const QSize kLetterPixels(816, 1056);
const QPoint kMargin(1000, 1000); // 10 mm
constexpr int kLine = 423;        // 12 points
constexpr int kFirstLine = 1200;
// Columns of the Letter sheet: the left one (after its inner margin), the middle and the right one.
constexpr int kLeftLeft = 2200, kLeftRight = 5677, kLeftBottom = 26740;
constexpr int kMiddleLeft = 5877, kMiddleRight = 11504;
constexpr int kRightLeft = 11504, kRightRight = 17531, kColumnBottom = 26840;
const QString kRule = "_ _ _ _ _ _ _ _ _ _ _ _ _ _";

designer::CycleTable DefaultCycle() {
    model::TensionModel model(model::SortVariant::Designer);
    designer::CycleTable cycle{};
    designer::GenerateCycle(model, cycle, 196, 2, "Inner", 2);
    return cycle;
}

// Three sets in every week, the absent ones at different places; each text names its cell.
designer::CycleTable ThreeSetCycle() {
    designer::CycleTable cycle{};
    const int absent[8][2] = {{4, 5}, {2, 4}, {1, 2}, {1, 5}, {3, 4}, {2, 3}, {4, 5}, {1, 3}};
    for (int w = 0; w < 8; ++w)
        for (int s = 0; s < 5; ++s) {
            const bool gone = s + 1 == absent[w][0] || s + 1 == absent[w][1];
            cycle[w][s] = {std::to_string(w + 1) + ", " + std::to_string(s + 1) + (s % 2 ? " " : ""),
                           std::to_string(100 + 10 * w + s) + ".5", gone ? "0" : std::to_string(8 - s)};
        }
    return cycle;
}

// What each line of the sheet should be, top to bottom.
enum class Line { Heading, Set, Blank };
struct ExpectedLine {
    Line kind;
    int week;                 // from 1
    const model::Talpha* set; // for set lines
};

std::vector<ExpectedLine> ExpectedLines(const designer::CycleTable& cycle) {
    std::vector<ExpectedLine> lines;
    for (int w = 0; w < 8; ++w) {
        lines.push_back({Line::Heading, w + 1, nullptr});
        for (const model::Talpha& set : cycle[w])
            if (set.RepsText != "0")
                lines.push_back({Line::Set, w + 1, &set});
        lines.push_back({Line::Blank, w + 1, nullptr});
    }
    return lines;
}

std::unique_ptr<preview::TMetafile> RecordLetterSheet(const designer::CycleTable& cycle) {
    auto page = std::make_unique<preview::TMetafile>(kLetterPixels.width(), kLetterPixels.height());
    preview::TMetafileCanvas canvas(*page);
    canvas.MapToUnits(kLetterUnits, kLetterPixels, QPoint(0, 0), 96);
    designer::DrawRoutineSheet(canvas, cycle, QRect(QPoint(0, 0), kLetterUnits), kMargin);
    canvas.Finish();
    return page;
}

// ---- ink

// The page at ten page units a pixel (254 dpi).
constexpr int kUnitsPerPixel = 10;

QImage RenderPage(const preview::TMetafile& page, QSize units, int unitsPerPixel = kUnitsPerPixel) {
    QImage image(units / unitsPerPixel, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    page.Draw(painter, QRectF(QPointF(0, 0), QSizeF(image.size())));
    painter.end();
    return image;
}

enum class Ink { None, Black, Violet, Red, Green, Other };

// A pixel's ink by the colour it was drawn in. A glyph's edges blend its colour with the white paper,
// which keeps the direction of the pixel's distance from white, so that direction tells the colours apart.
Ink InkAt(const QImage& image, int x, int y) {
    const QColor c = image.pixelColor(x, y);
    const double dr = 255 - c.red(), dg = 255 - c.green(), db = 255 - c.blue();
    const double strength = std::max({dr, dg, db});
    if (strength < 40)
        return Ink::None;
    struct Known {
        Ink ink;
        QColor color;
    };
    static const Known known[] = {{Ink::Black, Qt::black},
                                  {Ink::Violet, QColor(60, 0, 88)},
                                  {Ink::Red, QColor(208, 64, 64)},
                                  {Ink::Green, QColor(42, 132, 42)}};
    Ink best = Ink::Other;
    double bestDistance = 0.2;
    for (const Known& k : known) {
        const double kr = 255 - k.color.red(), kg = 255 - k.color.green(), kb = 255 - k.color.blue();
        const double ks = std::max({kr, kg, kb});
        const double er = dr / strength - kr / ks, eg = dg / strength - kg / ks, eb = db / strength - kb / ks;
        const double distance = std::sqrt(er * er + eg * eg + eb * eb);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = k.ink;
        }
    }
    return best;
}

struct InkBox {
    int count = 0;
    int left = INT_MAX, right = INT_MIN; // in page units
    bool Any() const { return count > 0; }
};

// The ink of `kind` (any kind for Ink::None) in the page-unit rectangle [x0, x1) x [y0, y1).
InkBox InkIn(const QImage& image, int x0, int y0, int x1, int y1, Ink kind = Ink::None) {
    InkBox box;
    for (int py = y0 / kUnitsPerPixel; py < (y1 + kUnitsPerPixel - 1) / kUnitsPerPixel; ++py)
        for (int px = x0 / kUnitsPerPixel; px < (x1 + kUnitsPerPixel - 1) / kUnitsPerPixel; ++px) {
            const Ink ink = InkAt(image, px, py);
            if (ink == Ink::None || (kind != Ink::None && ink != kind))
                continue;
            ++box.count;
            box.left = std::min(box.left, px * kUnitsPerPixel);
            box.right = std::max(box.right, (px + 1) * kUnitsPerPixel);
        }
    return box;
}

// ---- recorded texts

struct DrawnText {
    QString text;
    QPointF baseline; // page units
    QFont font;
    QColor color;
    QRectF clip; // page units; empty without a clip
};

// A paint device that keeps the texts drawn on it, with their places in its coordinates.
class TextRecorder : public QPaintDevice {
public:
    explicit TextRecorder(QSize size)
        : size_(size) {}
    QPaintEngine* paintEngine() const override { return &engine_; }
    const std::vector<DrawnText>& Texts() const { return engine_.texts; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return size_.width();
        case PdmHeight:
            return size_.height();
        case PdmWidthMM:
            return size_.width() * 254 / 960;
        case PdmHeightMM:
            return size_.height() * 254 / 960;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    class Engine : public QPaintEngine {
    public:
        Engine()
            : QPaintEngine(QPaintEngine::AllFeatures) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawPath(const QPainterPath&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawLines(const QLineF*, int) override {}
        void drawRects(const QRectF*, int) override {}
        void drawTextItem(const QPointF& p, const QTextItem& item) override {
            const QTransform toDevice = painter()->combinedTransform();
            const QRectF clip =
                painter()->hasClipping() ? toDevice.mapRect(painter()->clipBoundingRect()) : QRectF();
            texts.push_back({item.text(), toDevice.map(p), item.font(), painter()->pen().color(), clip});
        }
        Type type() const override { return QPaintEngine::User; }
        std::vector<DrawnText> texts;
    };

    QSize size_;
    mutable Engine engine_;
};

// The texts of a recorded page, in page units.
std::vector<DrawnText> TextsOf(const preview::TMetafile& page, QSize units) {
    TextRecorder recorder(units);
    QPainter painter(&recorder);
    page.Draw(painter, QRectF(QPointF(0, 0), QSizeF(units)));
    painter.end();
    return recorder.Texts();
}

// The top of the line a text was drawn on: its baseline less the font's ascent.
double LineTop(const DrawnText& text) {
    return text.baseline.y() - QFontMetricsF(text.font).ascent();
}

} // namespace

class TestRoutineSheet : public QObject {
    Q_OBJECT
private slots:
    void fontsResolveToTheInstalledFaces();
    void textsOfEveryLine_data();
    void textsOfEveryLine();
    void defaultCycleFirstSetLine();
    void inkOfEveryLine_data();
    void inkOfEveryLine();
    void drawnThroughThePreviewControl();
    void refusedWhenNoPageIsRecorded();
};

void TestRoutineSheet::fontsResolveToTheInstalledFaces() {
    // The faces the install script provides, whatever else fontconfig would pick for the names.
    QCOMPARE(QFontInfo(designer::RoutineHeadingFont()).family(), QString("DejaVu Sans"));
    QCOMPARE(QFontInfo(designer::RoutineSetFont()).family(), QString("Liberation Mono"));
    QVERIFY(QFontInfo(designer::RoutineSetFont()).fixedPitch());
    QCOMPARE(designer::RoutineHeadingFont().pointSizeF(), 12.0);
    QVERIFY(!designer::RoutineSetFont().bold() && !designer::RoutineSetFont().italic());
}

void TestRoutineSheet::textsOfEveryLine_data() {
    QTest::addColumn<designer::CycleTable>("cycle");
    QTest::addColumn<int>("setLines");
    QTest::addColumn<int>("end"); // below the last week's blank line
    QTest::newRow("default inputs") << DefaultCycle() << 34 << 22350;
    QTest::newRow("three sets a week, gaps anywhere") << ThreeSetCycle() << 24 << 18120;
}

void TestRoutineSheet::textsOfEveryLine() {
    QFETCH(designer::CycleTable, cycle);
    QFETCH(int, setLines);
    QFETCH(int, end);
    const auto page = RecordLetterSheet(cycle);
    const std::vector<DrawnText> texts = TextsOf(*page, kLetterUnits);
    const std::vector<ExpectedLine> lines = ExpectedLines(cycle);
    QCOMPARE(int(lines.size()), 8 * 2 + setLines);

    std::size_t next = 0;
    auto check = [&](int line, const QString& text, int x, const QString& family, const QColor& color,
                     const QRectF& clip) {
        QVERIFY2(next < texts.size(), qPrintable(QString("missing text %1 on line %2").arg(text).arg(line)));
        const DrawnText& drawn = texts[next++];
        const QString where = QString("line %1, %2").arg(line).arg(text);
        QCOMPARE(drawn.text, text);
        QVERIFY2(qAbs(drawn.baseline.x() - x) < 1, qPrintable(where));
        QVERIFY2(qAbs(LineTop(drawn) - (kFirstLine + line * kLine)) < 1.5, qPrintable(where));
        QCOMPARE(QFontInfo(drawn.font).family(), family);
        QVERIFY2(qAbs(QFontInfo(drawn.font).pixelSize() - kLine) <= 1, qPrintable(where));
        QCOMPARE(drawn.color, color);
        // Each text is cut off at its own column, from its line down to the column's foot.
        QVERIFY2(qAbs(drawn.clip.left() - clip.left()) < 1 && qAbs(drawn.clip.right() - clip.right()) < 1 &&
                     qAbs(drawn.clip.top() - clip.top()) < 1 && qAbs(drawn.clip.bottom() - clip.bottom()) < 1,
                 qPrintable(where + QString(": clip %1,%2 %3,%4")
                                        .arg(drawn.clip.left())
                                        .arg(drawn.clip.top())
                                        .arg(drawn.clip.right())
                                        .arg(drawn.clip.bottom())));
    };
    for (int i = 0; i < int(lines.size()); ++i) {
        const int top = kFirstLine + i * kLine;
        const QRectF left(QPointF(kLeftLeft, top), QPointF(kLeftRight, kLeftBottom));
        const ExpectedLine& line = lines[i];
        if (line.kind == Line::Heading) {
            check(i, QString("Week : %1").arg(line.week), kLeftLeft, "DejaVu Sans", QColor(60, 0, 88), left);
        } else if (line.kind == Line::Set) {
            const model::Talpha& set = *line.set;
            // The setting's appended space, if any, moves nothing: each column starts at a fixed x.
            check(i, QString::fromStdString(set.SettingText), kLeftLeft + 1000, "Liberation Mono",
                  QColor(208, 64, 64), left);
            check(i, QString::fromStdString(" (" + set.TensionText + ") x " + set.RepsText), kMiddleLeft,
                  "Liberation Mono", QColor(208, 64, 64),
                  QRectF(QPointF(kMiddleLeft, top), QPointF(kMiddleRight, kColumnBottom)));
            check(i, kRule, kRightLeft, "Liberation Mono", QColor(42, 132, 42),
                  QRectF(QPointF(kRightLeft, top), QPointF(kRightRight, kColumnBottom)));
        }
        if (QTest::currentTestFailed())
            return;
    }
    QCOMPARE(next, texts.size());
    QCOMPARE(kFirstLine + int(lines.size()) * kLine, end);
}

void TestRoutineSheet::defaultCycleFirstSetLine() {
    const auto page = RecordLetterSheet(DefaultCycle());
    const std::vector<DrawnText> texts = TextsOf(*page, kLetterUnits);
    QVERIFY(texts.size() >= 4);
    QCOMPARE(texts[0].text, QString("Week : 1"));
    QCOMPARE(texts[1].text, QString("2, 8"));
    QCOMPARE(texts[2].text, QString(" (127.5) x 8"));
    QCOMPARE(texts[3].text, kRule);
    for (int i = 1; i <= 3; ++i)
        QVERIFY(qAbs(LineTop(texts[i]) - LineTop(texts[0]) - kLine) < 1);
}

void TestRoutineSheet::inkOfEveryLine_data() {
    textsOfEveryLine_data();
}

void TestRoutineSheet::inkOfEveryLine() {
    QFETCH(designer::CycleTable, cycle);
    QFETCH(int, end);
    const auto page = RecordLetterSheet(cycle);
    const QImage image = RenderPage(*page, kLetterUnits);
    if (qEnvironmentVariableIsSet("ROUTINE_SHEET_PNG")) // a copy at 100 dpi to look at
        RenderPage(*page, kLetterUnits, 25)
            .save(qEnvironmentVariable("ROUTINE_SHEET_PNG") + "-" + QTest::currentDataTag() + ".png");

    // The frame: a thin black outline 20 mm in from the sides and 10 mm from the top and bottom.
    for (int y : {5000, 15000, 26000}) {
        QCOMPARE(InkAt(image, 2000 / kUnitsPerPixel, y / kUnitsPerPixel), Ink::Black);
        QCOMPARE(InkAt(image, 19590 / kUnitsPerPixel, y / kUnitsPerPixel), Ink::Black);
    }
    for (int x : {3000, 10000, 19000}) {
        QCOMPARE(InkAt(image, x / kUnitsPerPixel, 1000 / kUnitsPerPixel), Ink::Black);
        QCOMPARE(InkAt(image, x / kUnitsPerPixel, 26940 / kUnitsPerPixel), Ink::Black);
    }
    QVERIFY(!InkIn(image, 0, 0, 21590, 900).Any());
    QVERIFY(!InkIn(image, 0, 0, 1900, 27940).Any());

    // Inside the frame, line by line. Glyphs may reach a little past their line's em band (the line
    // step is the font's em height), so each band is checked without its outer edges.
    const int inside = 2000 + 2 * kUnitsPerPixel, insideRight = 19590 - kUnitsPerPixel;
    const std::vector<ExpectedLine> lines = ExpectedLines(cycle);
    for (int i = 0; i < int(lines.size()); ++i) {
        const int top = kFirstLine + i * kLine + 60, bottom = kFirstLine + (i + 1) * kLine - 60;
        const QString where = QString("line %1").arg(i);
        switch (lines[i].kind) {
        case Line::Heading:
            QVERIFY2(InkIn(image, kLeftLeft, top, kLeftRight, bottom, Ink::Violet).count > 50,
                     qPrintable(where));
            QVERIFY2(!InkIn(image, kLeftRight, top, insideRight, bottom).Any(), qPrintable(where));
            break;
        case Line::Blank:
            QVERIFY2(!InkIn(image, inside, top, insideRight, bottom).Any(), qPrintable(where));
            break;
        case Line::Set: {
            // Setting: red, indented 10 mm into the left column.
            QVERIFY2(!InkIn(image, inside, top, kLeftLeft + 1000, bottom).Any(), qPrintable(where));
            const InkBox setting = InkIn(image, kLeftLeft + 1000, top, kLeftRight, bottom);
            const InkBox red = InkIn(image, kLeftLeft + 1000, top, kLeftRight, bottom, Ink::Red);
            QVERIFY2(red.count > 20 && red.count == setting.count,
                     qPrintable(where + QString(": %1 of %2 red").arg(red.count).arg(setting.count)));
            QVERIFY2(!InkIn(image, kLeftRight, top, kMiddleLeft, bottom).Any(), qPrintable(where));
            // Tension and repetitions: red, in the middle column.
            const InkBox middle = InkIn(image, kMiddleLeft, top, kMiddleRight, bottom, Ink::Red);
            QVERIFY2(middle.count > 50 && middle.left < kMiddleLeft + 600, qPrintable(where));
            // The rule: green underscores in the lower half of the line, from the right column's left
            // edge to its right edge and not beyond.
            const int lineTop = kFirstLine + i * kLine;
            const InkBox rule = InkIn(image, kMiddleRight - 1000, lineTop + kLine / 2, insideRight,
                                      lineTop + kLine, Ink::Green);
            QVERIFY2(rule.left >= kRightLeft - kUnitsPerPixel && rule.left < kRightLeft + 400,
                     qPrintable(where + QString(": rule starts at %1").arg(rule.left)));
            QVERIFY2(rule.right <= kRightRight + kUnitsPerPixel && rule.right > kRightRight - 300,
                     qPrintable(where + QString(": rule ends at %1").arg(rule.right)));
            QVERIFY2(!InkIn(image, kRightRight + kUnitsPerPixel, lineTop, insideRight, lineTop + kLine).Any(),
                     qPrintable(where));
            break;
        }
        }
        if (QTest::currentTestFailed())
            return;
    }
    // Nothing after the last week's blank line, down to the frame.
    QCOMPARE(kFirstLine + int(lines.size()) * kLine, end);
    QVERIFY(!InkIn(image, inside, end, insideRight, 26940 - 20).Any());
}

void TestRoutineSheet::drawnThroughThePreviewControl() {
    // A4 through the control: its paper and unit give the frame and columns.
    preview::TPrintPreview control;
    control.SetPaperType(preview::pA4);
    QCOMPARE(control.PageBounds(), QRect(0, 0, 21000, 29700));
    control.BeginDoc();
    designer::DrawRoutineSheet(control, DefaultCycle());
    control.EndDoc();
    QCOMPARE(control.TotalPages(), 1);
    preview::TMetafile* page = control.Pages(1);
    QVERIFY(page != nullptr);

    const std::vector<DrawnText> texts = TextsOf(*page, QSize(21000, 29700));
    QCOMPARE(int(texts.size()), 8 + 3 * 34);
    QCOMPARE(texts[0].text, QString("Week : 1"));
    QVERIFY(qAbs(LineTop(texts[0]) - kFirstLine) < 1.5);
    // c = 0.3 x 19000 = 5700: the middle column at c, the rule's column from 2c - 250 to 3c - 100.
    QVERIFY(qAbs(texts[2].baseline.x() - 5700) < 1);
    QVERIFY(qAbs(texts[3].baseline.x() - 11150) < 1);
    QVERIFY(qAbs(texts[3].clip.right() - 17000) < 1);
    QVERIFY(qAbs(LineTop(texts.back()) - (kFirstLine + 48 * kLine)) < 1.5);

    const QImage image = RenderPage(*page, QSize(21000, 29700));
    QCOMPARE(InkAt(image, 2000 / kUnitsPerPixel, 15000 / kUnitsPerPixel), Ink::Black);
    QCOMPARE(InkAt(image, 19000 / kUnitsPerPixel, 15000 / kUnitsPerPixel), Ink::Black);
    QVERIFY(!InkIn(image, 17000 + kUnitsPerPixel, 1100, 19000 - kUnitsPerPixel, 28600).Any());
}

void TestRoutineSheet::refusedWhenNoPageIsRecorded() {
    preview::TPrintPreview control;
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, designer::DrawRoutineSheet(control, DefaultCycle()));
}

QTEST_MAIN(TestRoutineSheet)
#include "tst_routine_sheet.moc"
