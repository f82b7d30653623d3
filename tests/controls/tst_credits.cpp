#include "controls/Credits.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

using controls::ParseCreditLine;
using controls::TCreditLine;
using controls::TCreditScroll;
using controls::TScrollingCredits;

namespace {

const QColor kFontColor(1, 2, 3);

QImage Frame(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Pixels of the frame that are close to `color`; text is antialiased, so only its solid cores count.
int PixelsNear(const QImage& image, const QColor& color) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (qAbs(pixel.red() - color.red()) < 40 && qAbs(pixel.green() - color.green()) < 40 &&
                qAbs(pixel.blue() - color.blue()) < 40)
                ++count;
        }
    return count;
}

void StepTo(TScrollingCredits& credits, int position) {
    for (int guard = 0; credits.ScrollPosition() != position && guard < 100000; ++guard)
        credits.ScrollStep();
    QCOMPARE(credits.ScrollPosition(), position);
}

int LineHeight(const TScrollingCredits& credits) {
    return QFontMetrics(credits.CreditsFont(), &credits).height();
}

QFont LargeFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(24);
    return font;
}

// Random lines rich in markup characters, with text outside the basic plane and broken surrogates.
QString RandomLine(QRandomGenerator& random) {
    static const QStringList pieces = {
        QStringLiteral("&"),
        QStringLiteral("b"),
        QStringLiteral("B"),
        QStringLiteral("i"),
        QStringLiteral("u"),
        QStringLiteral("c"),
        QStringLiteral("C"),
        QStringLiteral(","),
        QStringLiteral(";"),
        QStringLiteral(" "),
        QStringLiteral("x"),
        QStringLiteral("\u00e9"),
        QStringLiteral("0"),
        QStringLiteral("7"),
        QStringLiteral("25"),
        QStringLiteral("255"),
        QStringLiteral("999999999999"),
        QStringLiteral("-"),
        QString::fromUtf16(u"\U0001F600"),
        QString(QChar(0xD83D)),
        QString(QChar(0xDE00)),
        QString(QChar(0)),
    };
    QString line;
    const int length = random.bounded(40);
    for (int i = 0; i < length; ++i)
        line += pieces.at(random.bounded(static_cast<int>(pieces.size())));
    return line;
}

} // namespace

class TestCredits : public QObject {
    Q_OBJECT

private:
    void AddColumns();
    void AddMarkupRows();
    void CheckParse();

private slots:
    void readsMarkup_data() { AddMarkupRows(); }
    void readsMarkup() { CheckParse(); }
    void ignoresColourCodesThatCannotBeRead_data();
    void ignoresColourCodesThatCannotBeRead() { CheckParse(); }
    void randomLinesNeverBreakTheParser();
    void escapedTextReadsBackUnchanged();

    void emptyListCountsDownToMinusOneThenEndsThePass();
    void passReportsEveryLineOnceInOrder();
    void framePlacesLinesFromTopEdgeToBottomEdge_data();
    void framePlacesLinesFromTopEdgeToBottomEdge();

    void startsWithDemonstrationText();
    void enablingAnimateReportsFirstLineAtOnce();
    void textMovesUpOnePixelPerTick();
    void stillTextStandsFourPixelsBelowTheTop();
    void drawsColourCodesAndKeepsFontColourForUnreadableOnes_data();
    void drawsColourCodesAndKeepsFontColourForUnreadableOnes();
    void boldReplacesTheFontsOwnStyles();
    void lastLineLeavingTheTopStartsANewPass();
    void hidingShowsTheParentAndShowingRestartsFromTheBottom();
    void timerRunsOnlyWhileAnimatedVisibleAndTimed();
    void timerMovesTheText();
    void borderAndBackgroundImage();
    void randomLinesPaint();
};

void TestCredits::AddColumns() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<QColor>("color");
}

void TestCredits::AddMarkupRows() {
    AddColumns();
    const QColor font = kFontColor;
    QTest::newRow("plain") << "Hello there"
                           << "Hello there" << false << false << false << font;
    QTest::newRow("empty") << ""
                           << "" << false << false << false << font;
    QTest::newRow("doubled ampersand") << "Rock && Roll"
                                       << "Rock & Roll" << false << false << false << font;
    QTest::newRow("four ampersands") << "&&&&"
                                     << "&&" << false << false << false << font;
    QTest::newRow("unknown code dropped") << "a&xb&1c"
                                          << "abc" << false << false << false << font;
    QTest::newRow("trailing ampersand") << "abc&"
                                        << "abc" << false << false << false << font;
    QTest::newRow("lone ampersand") << "&"
                                    << "" << false << false << false << font;
    QTest::newRow("bold underlined title") << "&b&uVarnok Handvise Calculator"
                                           << "Varnok Handvise Calculator" << true << false << true << font;
    QTest::newRow("upper-case codes") << "&B&I&UText"
                                      << "Text" << true << true << true << font;
    QTest::newRow("colour code") << "&c255,255,51;Version 2.3.2"
                                 << "Version 2.3.2" << false << false << false << QColor(255, 255, 51);
    QTest::newRow("upper-case colour code") << "&C1,2,200;x"
                                            << "x" << false << false << false << QColor(1, 2, 200);
    QTest::newRow("colour code ends the line")
        << "Thank you&c10,20,30"
        << "Thank you" << false << false << false << QColor(10, 20, 30);
    QTest::newRow("codes in the middle and at the end") << "Hello &bWorld&i"
                                                        << "Hello World" << true << true << false << font;
    QTest::newRow("last colour code counts") << "&c1,1,1;a&c9,8,7;b"
                                             << "ab" << false << false << false << QColor(9, 8, 7);
    QTest::newRow("zeros and blanks in a colour") << "&c007, 08 ,255;x"
                                                  << "x" << false << false << false << QColor(7, 8, 255);
    QTest::newRow("code before a character outside the basic plane")
        << QString::fromUtf16(u"a&\U0001F600b") << "ab" << false << false << false << font;
    QTest::newRow("text outside the basic plane")
        << QString::fromUtf16(u"\U0001F600&b") << QString::fromUtf16(u"\U0001F600") << true << false << false
        << font;
}

void TestCredits::ignoresColourCodesThatCannotBeRead_data() {
    AddColumns();
    QTest::newRow("two components") << "&c255,0;Red"
                                    << "Red" << false << false << false << kFontColor;
    QTest::newRow("four components") << "&c1,2,3,4;x"
                                     << "x" << false << false << false << kFontColor;
    QTest::newRow("a word") << "&cred,0,0;x"
                            << "x" << false << false << false << kFontColor;
    QTest::newRow("above 255") << "&c256,0,0;x"
                               << "x" << false << false << false << kFontColor;
    QTest::newRow("far above 255") << "&c99999999999999999999,0,0;x"
                                   << "x" << false << false << false << kFontColor;
    QTest::newRow("negative") << "&c-1,0,0;x"
                              << "x" << false << false << false << kFontColor;
    QTest::newRow("hexadecimal") << "&c$FF,0,0;x"
                                 << "x" << false << false << false << kFontColor;
    QTest::newRow("empty code") << "&c;x"
                                << "x" << false << false << false << kFontColor;
    QTest::newRow("empty component") << "&c1,,3;x"
                                     << "x" << false << false << false << kFontColor;
    QTest::newRow("code with nothing after it") << "x&c"
                                                << "x" << false << false << false << kFontColor;
    QTest::newRow("missing semicolon takes the rest") << "&c255,0,0Red"
                                                      << "" << false << false << false << kFontColor;
    QTest::newRow("codes inside a colour code are not read") << "&c1,2,3&b;x"
                                                             << "x" << false << false << false << kFontColor;
    QTest::newRow("earlier colour stays") << "&c9,8,7;a&c1,2;b"
                                          << "ab" << false << false << false << QColor(9, 8, 7);
}

void TestCredits::CheckParse() {
    QFETCH(QString, line);
    QFETCH(QString, text);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(bool, underline);
    QFETCH(QColor, color);
    const TCreditLine parsed = ParseCreditLine(line, kFontColor);
    QCOMPARE(parsed.Text, text);
    QCOMPARE(parsed.Bold, bold);
    QCOMPARE(parsed.Italic, italic);
    QCOMPARE(parsed.Underline, underline);
    QCOMPARE(parsed.Color, color);
}

void TestCredits::randomLinesNeverBreakTheParser() {
    QRandomGenerator random(20240611);
    for (int round = 0; round < 20000; ++round) {
        const QString line = RandomLine(random);
        const TCreditLine parsed = ParseCreditLine(line, kFontColor);
        QVERIFY2(parsed.Text.size() <= line.size(), qPrintable(line));
        QVERIFY(parsed.Color.isValid());
        if (!line.contains(u'&')) {
            QCOMPARE(parsed.Text, line);
            QCOMPARE(parsed.Color, kFontColor);
        }
        QCOMPARE(ParseCreditLine(line, kFontColor), parsed);
    }
}

void TestCredits::escapedTextReadsBackUnchanged() {
    QRandomGenerator random(7);
    for (int round = 0; round < 5000; ++round) {
        const QString text = RandomLine(random);
        const TCreditLine parsed = ParseCreditLine(controls::EscapeCreditMarkup(text), kFontColor);
        QCOMPARE(parsed, (TCreditLine{text, false, false, false, kFontColor}));
    }
}

void TestCredits::emptyListCountsDownToMinusOneThenEndsThePass() {
    TCreditScroll scroll;
    scroll.Restart(10);
    for (int expected = 9; expected >= -1; --expected) {
        QVERIFY(!scroll.Tick(0, 13));
        QCOMPARE(scroll.Position(), expected);
    }
    QVERIFY(scroll.Tick(0, 13));
}

void TestCredits::passReportsEveryLineOnceInOrder() {
    constexpr int lines = 5, lineHeight = 10, height = 30;
    TCreditScroll scroll;
    scroll.Start(height, lineHeight);
    QCOMPARE(scroll.Position(), height + lineHeight);

    QList<QList<int>> passes{{}};
    int ticks = 0;
    while (passes.size() < 3 && ticks < 1000) {
        for (const TCreditScroll::TPlacedLine& placed : scroll.PlaceFrame(lines, lineHeight, height)) {
            QVERIFY(placed.Top + lineHeight > 0);
            if (placed.FirstInPass)
                passes.last() << placed.Index;
        }
        ++ticks;
        if (scroll.Tick(lines, lineHeight)) {
            // The last line's bottom has passed one pixel above the top edge.
            QCOMPARE(scroll.Position(), -(lines * lineHeight) - 1);
            scroll.Restart(height);
            QCOMPARE(scroll.LastReported(), -1);
            passes << QList<int>();
        }
    }
    QCOMPARE(passes.size(), 3);
    const QList<int> everyLine{0, 1, 2, 3, 4};
    QCOMPARE(passes.at(0), everyLine);
    QCOMPARE(passes.at(1), everyLine);
    // The first pass starts one line lower than the following ones.
    QCOMPARE(ticks, (height + lineHeight + lines * lineHeight + 2) + (height + lines * lineHeight + 2));
}

void TestCredits::framePlacesLinesFromTopEdgeToBottomEdge_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<QList<int>>("tops");
    // Ten lines 10 high in a control 30 high.
    QTest::newRow("first line half above the top") << -15 << QList<int>{-5, 5, 15, 25};
    QTest::newRow("first line's bottom on the top edge") << -10 << QList<int>{0, 10, 20, 30};
    QTest::newRow("first line on the bottom edge") << 30 << QList<int>{30};
    QTest::newRow("first line below the bottom edge") << 40 << QList<int>{40};
    QTest::newRow("last line half gone") << -95 << QList<int>{-5};
    QTest::newRow("every line gone") << -100 << QList<int>{};
}

void TestCredits::framePlacesLinesFromTopEdgeToBottomEdge() {
    QFETCH(int, position);
    QFETCH(QList<int>, tops);
    TCreditScroll scroll;
    scroll.Start(30, 10);
    while (scroll.Position() > position)
        scroll.Tick(10, 10);
    QList<int> placedTops;
    for (const TCreditScroll::TPlacedLine& placed : scroll.PlaceFrame(10, 10, 30)) {
        QCOMPARE(placed.Top, position + placed.Index * 10);
        placedTops << placed.Top;
    }
    QCOMPARE(placedTops, tops);
}

void TestCredits::startsWithDemonstrationText() {
    TScrollingCredits credits;
    QVERIFY(!credits.Animate());
    QVERIFY(!credits.Ticking());
    QCOMPARE(credits.Credits().size(), 15);
    const TCreditLine title = ParseCreditLine(credits.Credits().first(), Qt::white);
    QVERIFY(title.Bold && title.Underline);
    QSet<QRgb> colors;
    bool bold = false, italic = false, underline = false, ampersand = false;
    for (const QString& line : credits.Credits()) {
        const TCreditLine parsed = ParseCreditLine(line, Qt::white);
        bold |= parsed.Bold;
        italic |= parsed.Italic;
        underline |= parsed.Underline;
        ampersand |= parsed.Text.contains(u'&');
        colors << parsed.Color.rgb();
    }
    QVERIFY(bold && italic && underline && ampersand);
    QCOMPARE(colors.size(), 3);
}

void TestCredits::enablingAnimateReportsFirstLineAtOnce() {
    TScrollingCredits credits;
    QSignalSpy reported(&credits, &TScrollingCredits::showCredit);
    credits.SetCredits({QStringLiteral("&bFirst"), QStringLiteral("Second")});
    QCOMPARE(reported.count(), 0);

    credits.SetAnimate(true);
    QCOMPARE(credits.ScrollPosition(), credits.height() + LineHeight(credits));
    QCOMPARE(reported.count(), 1);
    QCOMPARE(reported.at(0).at(0).toString(), QStringLiteral("First"));
}

void TestCredits::textMovesUpOnePixelPerTick() {
    TScrollingCredits credits;
    credits.SetCreditsFont(LargeFont());
    credits.SetCredits({QStringLiteral("Move"), QStringLiteral("&bup"), QStringLiteral("&ione pixel")});
    credits.SetAnimate(true);
    StepTo(credits, 60);
    const QImage before = Frame(credits);
    credits.ScrollStep();
    QCOMPARE(credits.ScrollPosition(), 59);
    const QImage after = Frame(credits);

    QVERIFY(PixelsNear(before, Qt::white) > 100);
    // Inside the border, each row now shows what the row below it showed.
    for (int y = 1; y < credits.height() - 2; ++y)
        for (int x = 1; x < credits.width() - 1; ++x)
            QCOMPARE(after.pixel(x, y), before.pixel(x, y + 1));
}

void TestCredits::stillTextStandsFourPixelsBelowTheTop() {
    TScrollingCredits credits;
    QStringList lines;
    for (int i = 0; i < 30; ++i)
        lines << QStringLiteral("&c%1,255,200;Line %1").arg(i * 8);
    credits.SetCredits(lines);
    credits.SetAnimate(true);
    StepTo(credits, 4);
    const QImage animated = Frame(credits);

    credits.SetAnimate(false);
    QVERIFY(!credits.Ticking());
    QCOMPARE(Frame(credits), animated);
}

void TestCredits::drawsColourCodesAndKeepsFontColourForUnreadableOnes_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("red");
    QTest::newRow("red") << "&c255,0,0;MMMMMM" << true;
    QTest::newRow("red at the end") << "MMMMMM&C255,0,0" << true;
    QTest::newRow("two components") << "&c255,0;MMMMMM" << false;
    QTest::newRow("four components") << "&c255,0,0,0;MMMMMM" << false;
    QTest::newRow("above 255") << "&c255,0,300;MMMMMM" << false;
    QTest::newRow("not a number") << "&c255,0,x;MMMMMM" << false;
}

void TestCredits::drawsColourCodesAndKeepsFontColourForUnreadableOnes() {
    QFETCH(QString, line);
    QFETCH(bool, red);
    TScrollingCredits credits;
    credits.SetCreditsFont(LargeFont());
    credits.SetShowBorder(false);
    credits.SetCredits({line});
    const QImage frame = Frame(credits);
    QCOMPARE(PixelsNear(frame, Qt::red) > 50, red);
    QCOMPARE(PixelsNear(frame, Qt::white) > 50, !red);
}

void TestCredits::boldReplacesTheFontsOwnStyles() {
    TScrollingCredits credits;
    QFont plain = LargeFont();
    QFont italic = plain;
    italic.setItalic(true);
    const auto frameOf = [&](const QFont& font, const QString& line) {
        credits.SetCreditsFont(font);
        credits.SetCredits({line});
        return Frame(credits);
    };
    QCOMPARE(frameOf(italic, QStringLiteral("&bGrip")), frameOf(plain, QStringLiteral("&bGrip")));
    QCOMPARE(frameOf(italic, QStringLiteral("&b&iGrip")), frameOf(plain, QStringLiteral("&b&iGrip")));
    QVERIFY(frameOf(italic, QStringLiteral("&b&iGrip")) != frameOf(plain, QStringLiteral("&bGrip")));
    // Without bold the font's italic stays and the underline comes on top.
    QCOMPARE(frameOf(italic, QStringLiteral("&uGrip")), frameOf(plain, QStringLiteral("&i&uGrip")));
    QVERIFY(frameOf(italic, QStringLiteral("&uGrip")) != frameOf(plain, QStringLiteral("&uGrip")));
}

void TestCredits::lastLineLeavingTheTopStartsANewPass() {
    TScrollingCredits credits;
    credits.SetCredits({QStringLiteral("&uA"), QStringLiteral("B")});
    QSignalSpy reported(&credits, &TScrollingCredits::showCredit);
    QSignalSpy ended(&credits, &TScrollingCredits::afterLastCredit);
    credits.SetAnimate(true);
    const int lastPosition = -2 * LineHeight(credits) - 1;
    StepTo(credits, lastPosition);
    QCOMPARE(ended.count(), 0);

    credits.ScrollStep();
    QCOMPARE(ended.count(), 1);
    QCOMPARE(credits.ScrollPosition(), credits.height());
    QStringList texts;
    for (const QList<QVariant>& arguments : reported)
        texts << arguments.at(0).toString();
    // The new pass reports the first line again as soon as it stands on the bottom edge.
    QCOMPARE(texts, (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("A")}));
}

void TestCredits::hidingShowsTheParentAndShowingRestartsFromTheBottom() {
    QWidget parent;
    parent.resize(400, 300);
    QPalette palette = parent.palette();
    palette.setColor(QPalette::Window, QColor(0, 200, 0));
    parent.setPalette(palette);
    parent.setAutoFillBackground(true);
    auto* credits = new TScrollingCredits(&parent);
    credits->move(10, 10);
    credits->SetCredits({QStringLiteral("One"), QStringLiteral("Two")});
    credits->SetAnimate(true);
    StepTo(*credits, 50);
    const QPoint middle = credits->geometry().center();
    QCOMPARE(Frame(parent).pixelColor(middle), QColor(Qt::black));

    QSignalSpy reported(credits, &TScrollingCredits::showCredit);
    credits->SetVisible(false);
    QVERIFY(!credits->Ticking());
    QCOMPARE(Frame(parent).pixelColor(middle), QColor(0, 200, 0));
    credits->ScrollStep();
    QCOMPARE(reported.count(), 0);

    credits->SetVisible(true);
    QVERIFY(credits->Ticking());
    QCOMPARE(credits->ScrollPosition(), credits->height());
    QCOMPARE(Frame(parent).pixelColor(middle), QColor(Qt::black));
    QCOMPARE(reported.count(), 1);
    QCOMPARE(reported.at(0).at(0).toString(), QStringLiteral("One"));
}

void TestCredits::timerRunsOnlyWhileAnimatedVisibleAndTimed() {
    TScrollingCredits credits;
    QVERIFY(!credits.Ticking());
    credits.SetAnimate(true);
    QVERIFY(credits.Ticking());
    credits.SetInterval(0);
    QVERIFY(!credits.Ticking());
    credits.SetInterval(35);
    QVERIFY(credits.Ticking());
    credits.SetVisible(false);
    QVERIFY(!credits.Ticking());
    credits.SetAnimate(true);
    QVERIFY(!credits.Ticking());
    credits.SetVisible(true);
    QVERIFY(credits.Ticking());
    credits.SetAnimate(false);
    QVERIFY(!credits.Ticking());
    credits.SetInterval(UINT32_MAX);
    credits.SetAnimate(true);
    QVERIFY(credits.Ticking());
}

void TestCredits::timerMovesTheText() {
    TScrollingCredits credits;
    credits.show();
    QVERIFY(QTest::qWaitForWindowExposed(&credits));
    credits.SetInterval(5);
    credits.SetAnimate(true);
    const int start = credits.ScrollPosition();
    QTRY_VERIFY(credits.ScrollPosition() <= start - 3);
}

void TestCredits::borderAndBackgroundImage() {
    TScrollingCredits credits;
    credits.SetCredits({});
    credits.SetBackgroundColor(Qt::blue);
    credits.SetBorderColor(Qt::red);
    QImage frame = Frame(credits);
    const QPoint farCorner(credits.width() - 1, credits.height() - 1);
    QCOMPARE(frame.pixelColor(0, 0), QColor(Qt::red));
    QCOMPARE(frame.pixelColor(farCorner), QColor(Qt::red));
    QCOMPARE(frame.pixelColor(1, 1), QColor(Qt::blue));

    credits.SetShowBorder(false);
    QPixmap image(3, 3);
    image.fill(Qt::yellow);
    credits.SetBackgroundImage(image);
    frame = Frame(credits);
    QCOMPARE(frame.pixelColor(0, 0), QColor(Qt::yellow));
    QCOMPARE(frame.pixelColor(farCorner), QColor(Qt::yellow));
    QCOMPARE(frame.pixelColor(credits.rect().center()), QColor(Qt::yellow));
}

void TestCredits::randomLinesPaint() {
    QRandomGenerator random(99);
    QStringList lines;
    for (int i = 0; i < 300; ++i)
        lines << RandomLine(random);
    TScrollingCredits credits;
    credits.SetCredits(lines);
    QVERIFY(!Frame(credits).isNull());
    credits.SetAnimate(true);
    for (int tick = 0; tick < 400; ++tick)
        credits.ScrollStep();
    QVERIFY(!Frame(credits).isNull());
}

QTEST_MAIN(TestCredits)
#include "tst_credits.moc"
