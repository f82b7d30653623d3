// Gray conversion of page bitmaps: every pixel against the integer formula and against the conversion
// as first written, over every brightness and contrast, the key that is left alone, images of other
// formats and layouts, and images shared with a copy.
#include "preview/Preview.h"

#include <QtTest>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

using namespace preview;

class TestGrayscale : public QObject {
    Q_OBJECT
private slots:
    void knownLevels_data();
    void knownLevels();
    void everyCornerAndRandomPixelFollowsTheFormula();
    void everySettingGivesWhatTheFirstConversionGave();
    void everyLuminanceAtEveryContrastGivesWhatTheFirstConversionGave();
    void theKeyIsLeftAloneAndATransparentKeyMatchesNothing();
    void otherFormatsAreConvertedFirst();
    void paddedRowsAndOddWidthsAreConvertedToTheLastPixel();
    void aCopySharingThePixelsKeepsItsColours();
    void settingsOutsideTheRangeAreClamped();
};

namespace {
// The formula written out for one pixel, kept apart from the row code under test.
QRgb Expected(QRgb pixel, int b, int c) {
    const int f = c + 100;
    const int offset = (255 * b - 128 * f) / 100 + 128;
    const int lum = 30 * qRed(pixel) + 59 * qGreen(pixel) + 11 * qBlue(pixel);
    const int v = std::clamp(lum * f / 10000 + offset, 0, 255);
    return (pixel & 0xFF000000U) | qRgb(v, v, v);
}

// The conversion as first written, one row of pixels after the other, kept to compare with.
QImage FirstConversion(QImage image, int b, int c, QRgb key) {
    const std::uint32_t f = std::clamp(c, -100, 100) + 100;
    const std::int32_t offset = (255 * std::clamp(b, -100, 100) - 128 * std::int32_t(f)) / 100 + 128;
    const bool useKey = qAlpha(key) != 0;
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const std::uint32_t pixel = row[x];
            const std::uint32_t luminance =
                30 * ((pixel >> 16) & 0xFF) + 59 * ((pixel >> 8) & 0xFF) + 11 * (pixel & 0xFF);
            std::int32_t level = static_cast<std::int32_t>(luminance * f / 10000) + offset;
            level = std::clamp(level, 0, 255);
            const std::uint32_t gray = (pixel & 0xFF000000U) | static_cast<std::uint32_t>(level) * 0x010101U;
            row[x] = useKey && pixel == key ? pixel : gray;
        }
    }
    return image;
}

// Converts a copy both ways; fails naming the settings when a pixel differs.
bool SameAsFirstConversion(const QImage& source, int b, int c, QRgb key) {
    QImage image = source.copy();
    MakeGray(image, b, c, key);
    if (image == FirstConversion(source.copy(), b, c, key))
        return true;
    qWarning("brightness %d, contrast %d, key %08x differ", b, c, key);
    return false;
}

// Pixels of every byte value in every byte, the fourth too (as foreign memory may hold).
QImage RandomImage(std::mt19937& random, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] = static_cast<std::uint32_t>(random());
    }
    return image;
}

QImage OnePixel(QRgb pixel) {
    QImage image(1, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, pixel);
    return image;
}

int GrayOf(QRgb pixel, int b, int c) {
    QImage image = OnePixel(pixel);
    MakeGray(image, b, c);
    const QRgb out = image.pixel(0, 0);
    if (qRed(out) != qGreen(out) || qGreen(out) != qBlue(out))
        return -1;
    return qRed(out);
}
} // namespace

void TestGrayscale::knownLevels_data() {
    QTest::addColumn<QRgb>("pixel");
    QTest::addColumn<int>("brightness");
    QTest::addColumn<int>("contrast");
    QTest::addColumn<int>("level");
    QTest::newRow("red, plain luminance") << qRgb(255, 0, 0) << 0 << 0 << 76;
    QTest::newRow("green") << qRgb(0, 255, 0) << 0 << 0 << 150;
    QTest::newRow("blue") << qRgb(0, 0, 255) << 0 << 0 << 28;
    QTest::newRow("white") << qRgb(255, 255, 255) << 0 << 0 << 255;
    QTest::newRow("black") << qRgb(0, 0, 0) << 0 << 0 << 0;
    QTest::newRow("no contrast, white") << qRgb(255, 255, 255) << 0 << -100 << 128;
    QTest::newRow("no contrast, black") << qRgb(0, 0, 0) << 0 << -100 << 128;
    QTest::newRow("no contrast, brightness 50") << qRgb(10, 20, 30) << 50 << -100 << 255;
    QTest::newRow("no contrast, brightness -30") << qRgb(10, 20, 30) << -30 << -100 << 52;
    QTest::newRow("full brightness, black") << qRgb(0, 0, 0) << 100 << 0 << 255;
    QTest::newRow("no brightness, white") << qRgb(255, 255, 255) << -100 << 0 << 0;
    QTest::newRow("double contrast, mid gray") << qRgb(100, 100, 100) << 0 << 100 << 72;
    QTest::newRow("double contrast, light gray") << qRgb(200, 200, 200) << 0 << 100 << 255;
}

void TestGrayscale::knownLevels() {
    QFETCH(QRgb, pixel);
    QFETCH(int, brightness);
    QFETCH(int, contrast);
    QFETCH(int, level);
    QCOMPARE(GrayOf(pixel, brightness, contrast), level);
}

void TestGrayscale::everyCornerAndRandomPixelFollowsTheFormula() {
    // Channel values at the ends of the range and beside them, in every combination, followed by
    // random pixels; each row is long enough that vector code and its scalar tail both take part.
    const int channels[] = {0, 1, 127, 128, 254, 255};
    std::vector<QRgb> pixels;
    for (int r : channels)
        for (int g : channels)
            for (int b : channels)
                pixels.push_back(qRgb(r, g, b));
    std::mt19937 random(20240601);
    std::uniform_int_distribution<std::uint32_t> channel(0, 255);
    for (int i = 0; i < 4000; ++i)
        pixels.push_back(qRgb(channel(random), channel(random), channel(random)));
    const int width = 61;
    const int height = static_cast<int>((pixels.size() + width - 1) / width);
    QImage source(width, height, QImage::Format_RGB32);
    for (std::size_t i = 0; i < std::size_t(width) * height; ++i)
        source.setPixel(int(i % width), int(i / width), pixels[i % pixels.size()]);

    std::vector<std::pair<int, int>> settings;
    for (int b : {-100, -99, -1, 0, 1, 99, 100})
        for (int c : {-100, -99, -1, 0, 1, 99, 100})
            settings.emplace_back(b, c);
    std::uniform_int_distribution<int> setting(-100, 100);
    for (int i = 0; i < 30; ++i)
        settings.emplace_back(setting(random), setting(random));

    for (auto [b, c] : settings) {
        QImage image = source.copy();
        MakeGray(image, b, c);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (image.pixel(x, y) != Expected(source.pixel(x, y), b, c))
                    QFAIL(qPrintable(QStringLiteral("brightness %1, contrast %2, pixel %3: got %4, want %5")
                                         .arg(b)
                                         .arg(c)
                                         .arg(source.pixel(x, y), 8, 16)
                                         .arg(image.pixel(x, y), 8, 16)
                                         .arg(Expected(source.pixel(x, y), b, c), 8, 16)));
    }
}

void TestGrayscale::everySettingGivesWhatTheFirstConversionGave() {
    // Rows long enough for vector steps and a remainder; a key from the image in every other setting,
    // with the alpha of the pixel it comes from, so that it matches; otherwise none.
    std::mt19937 random(20260101);
    for (int b = -100; b <= 100; ++b)
        for (int c = -100; c <= 100; ++c) {
            const QImage image = RandomImage(random, 29, 2);
            const QRgb key = (b + c) % 2 == 0 ? image.pixel(int(random() % 29), 1) : 0;
            QImage keyed = image;
            if (key != 0)
                keyed.setPixel(3, 0, key);
            QVERIFY(SameAsFirstConversion(keyed, b, c, key));
        }
}

void TestGrayscale::everyLuminanceAtEveryContrastGivesWhatTheFirstConversionGave() {
    // One pixel for each luminance the channels can make, at every contrast, under brightnesses whose
    // unclamped windows together cover every level the contrast gives.
    std::vector<QRgb> byLuminance(25501, 0);
    for (int r = 0; r < 256; ++r)
        for (int g = 0; g < 256; ++g)
            for (int b = 0; b < 256; ++b)
                byLuminance[30 * r + 59 * g + 11 * b] = qRgb(r, g, b);
    std::vector<QRgb> pixels;
    for (std::size_t luminance = 0; luminance < byLuminance.size(); ++luminance)
        if (byLuminance[luminance] != 0 || luminance == 0)
            pixels.push_back(byLuminance[luminance]);
    QImage image(int(pixels.size()), 1, QImage::Format_RGB32);
    std::copy(pixels.begin(), pixels.end(), reinterpret_cast<QRgb*>(image.scanLine(0)));
    for (int c = -100; c <= 100; ++c)
        for (int b : {-100, -50, 0, 50, 100})
            QVERIFY(SameAsFirstConversion(image, b, c, 0));
}

void TestGrayscale::theKeyIsLeftAloneAndATransparentKeyMatchesNothing() {
    const QRgb paper = qRgb(255, 255, 224);
    QImage image(9, 3, QImage::Format_RGB32);
    image.fill(paper);
    image.setPixel(4, 1, qRgb(255, 0, 0));
    image.setPixel(8, 2, qRgb(255, 255, 225)); // one step away from the key: converted

    QImage keyed = image.copy();
    MakeGray(keyed, 0, 0, paper);
    QCOMPARE(keyed.pixel(0, 0), paper);
    QCOMPARE(keyed.pixel(8, 1), paper);
    QCOMPARE(keyed.pixel(4, 1), qRgb(76, 76, 76));
    QCOMPARE(keyed.pixel(8, 2), Expected(qRgb(255, 255, 225), 0, 0));

    // The same colour with alpha 0 is a transparent bitmap's key: it matches no pixel.
    QImage transparentKey = image.copy();
    MakeGray(transparentKey, 0, 0, paper & 0x00FFFFFFU);
    QCOMPARE(transparentKey.pixel(0, 0), Expected(paper, 0, 0));
    QImage noKey = image.copy();
    MakeGray(noKey, 0, 0);
    QCOMPARE(noKey, transparentKey);
}

void TestGrayscale::otherFormatsAreConvertedFirst() {
    const QImage::Format formats[] = {QImage::Format_ARGB32, QImage::Format_RGB888, QImage::Format_RGB16,
                                      QImage::Format_Indexed8, QImage::Format_Mono};
    QImage source(13, 7, QImage::Format_RGB32);
    source.fill(Qt::white);
    source.setPixel(3, 3, qRgb(0, 0, 0));
    source.setPixel(5, 2, qRgb(255, 0, 0));
    for (QImage::Format format : formats) {
        QImage image = source.convertToFormat(format);
        const QImage asRgb = image.convertToFormat(QImage::Format_RGB32);
        MakeGray(image, 10, -20);
        QCOMPARE(image.format(), QImage::Format_RGB32);
        QCOMPARE(image.size(), source.size());
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                QCOMPARE(image.pixel(x, y), Expected(asRgb.pixel(x, y), 10, -20));
    }
    QImage null;
    MakeGray(null, 0, 0);
    QVERIFY(null.isNull());
}

void TestGrayscale::paddedRowsAndOddWidthsAreConvertedToTheLastPixel() {
    // Rows longer than the picture (an image over foreign memory) must be converted up to the last
    // pixel of each row and not a byte beyond it.
    const int width = 37;
    const int height = 5;
    const int stride = (width + 11) * 4;
    std::vector<uchar> memory(std::size_t(stride) * height, 0xAB);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            auto* p = reinterpret_cast<QRgb*>(memory.data() + y * stride) + x;
            *p = qRgb(x * 7, y * 50, 255 - x);
        }
    QImage image(memory.data(), width, height, stride, QImage::Format_RGB32);
    MakeGray(image, 0, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            QCOMPARE(image.pixel(x, y), Expected(qRgb(x * 7, y * 50, 255 - x), 0, 0));
        for (int pad = width * 4; pad < stride; ++pad)
            QCOMPARE(int(memory[std::size_t(y) * stride + pad]), 0xAB);
    }
}

void TestGrayscale::aCopySharingThePixelsKeepsItsColours() {
    QImage original(20, 20, QImage::Format_RGB32);
    original.fill(qRgb(255, 0, 0));
    QImage gray = original;
    MakeGray(gray, 0, 0);
    QCOMPARE(original.pixel(10, 10), qRgb(255, 0, 0));
    QCOMPARE(gray.pixel(10, 10), qRgb(76, 76, 76));
}

void TestGrayscale::settingsOutsideTheRangeAreClamped() {
    const QRgb pixel = qRgb(90, 160, 40);
    QCOMPARE(GrayOf(pixel, 150, 0), GrayOf(pixel, 100, 0));
    QCOMPARE(GrayOf(pixel, -1000, 0), GrayOf(pixel, -100, 0));
    QCOMPARE(GrayOf(pixel, 0, 300), GrayOf(pixel, 0, 100));
    QCOMPARE(GrayOf(pixel, 0, -250), GrayOf(pixel, 0, -100));
}

QTEST_MAIN(TestGrayscale)
#include "tst_grayscale.moc"
