#include "preview/Grayscale.h"

#include <immintrin.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace preview {

namespace {

// What a conversion needs of brightness and contrast.
struct Levels {
    std::uint32_t f = 100;   // contrast + 100
    std::int32_t offset = 0; // (255 * brightness - 128 * f) / 100 + 128
    float scale = 0;         // f / 10000, rounded up to the next float (see VectorRows)
    bool useKey = false;     // a key whose alpha is not 0 leaves the pixels equal to it
    std::uint32_t key = 0;
};

// The formula, one pixel at a time: the reference the vector code must equal, and the row ends.
void ScalarPixels(std::uint32_t* row, int count, const Levels& levels) {
    for (int x = 0; x < count; ++x) {
        const std::uint32_t pixel = row[x];
        if (levels.useKey && pixel == levels.key)
            continue;
        const std::uint32_t luminance =
            30 * ((pixel >> 16) & 0xFF) + 59 * ((pixel >> 8) & 0xFF) + 11 * (pixel & 0xFF);
        // The product stays below 2^23, so the unsigned division truncates as the formula says.
        const std::int32_t level =
            std::clamp(static_cast<std::int32_t>(luminance * levels.f / 10000) + levels.offset, 0, 255);
        row[x] = (pixel & 0xFF000000U) | static_cast<std::uint32_t>(level) * 0x010101U;
    }
}

void ScalarRows(uchar* bits, qsizetype bytesPerLine, int width, int height, const Levels& levels) {
    for (int y = 0; y < height; ++y)
        ScalarPixels(reinterpret_cast<std::uint32_t*>(bits + y * bytesPerLine), width, levels);
}

// Eight pixels a step. The luminance comes from one multiply-add of the bytes by (11, 59, 30, 0)
// into 16-bit pairs and one of the pairs into 32 bits. Its division, L * f / 10000 truncated, is one
// float multiplication by f / 10000 rounded up to the next float, then truncation: L * f stays below
// 2^23, and over every L from 0 to 25500 and every f from 0 to 200 that product lands in the same
// integer as the exact quotient (checked for all of them). The level is clamped, copied into red,
// green and blue, and the fourth byte is kept; pixels equal to the key stay as they were.
__attribute__((target("avx2"))) void VectorRows(uchar* bits, qsizetype bytesPerLine, int width, int height,
                                                const Levels& levels) {
    const __m256i weights = _mm256_set1_epi32(0x001E3B0B); // blue 11, green 59, red 30, fourth byte 0
    const __m256i pairs = _mm256_set1_epi16(1);
    const __m256 scale = _mm256_set1_ps(levels.scale);
    const __m256i offset = _mm256_set1_epi32(levels.offset);
    const __m256i black = _mm256_setzero_si256();
    const __m256i white = _mm256_set1_epi32(255);
    const __m256i fourthByte = _mm256_set1_epi32(static_cast<int>(0xFF000000U));
    // Byte 0 of each pixel into bytes 0, 1 and 2; byte 3 cleared.
    const __m256i spread = _mm256_setr_epi8(0, 0, 0, -1, 4, 4, 4, -1, 8, 8, 8, -1, 12, 12, 12, -1, //
                                            0, 0, 0, -1, 4, 4, 4, -1, 8, 8, 8, -1, 12, 12, 12, -1);
    const __m256i key = _mm256_set1_epi32(static_cast<int>(levels.key));
    const int vectorWidth = width & ~7;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(bits + y * bytesPerLine);
        for (int x = 0; x < vectorWidth; x += 8) {
            auto* at = reinterpret_cast<__m256i*>(row + x);
            const __m256i pixels = _mm256_loadu_si256(at);
            const __m256i luminance = _mm256_madd_epi16(_mm256_maddubs_epi16(pixels, weights), pairs);
            const __m256i quotient = _mm256_cvttps_epi32(_mm256_mul_ps(_mm256_cvtepi32_ps(luminance), scale));
            const __m256i level =
                _mm256_min_epi32(_mm256_max_epi32(_mm256_add_epi32(quotient, offset), black), white);
            __m256i gray =
                _mm256_or_si256(_mm256_shuffle_epi8(level, spread), _mm256_and_si256(pixels, fourthByte));
            if (levels.useKey)
                gray = _mm256_blendv_epi8(gray, pixels, _mm256_cmpeq_epi32(pixels, key));
            _mm256_storeu_si256(at, gray);
        }
        ScalarPixels(row + vectorWidth, width - vectorWidth, levels);
    }
}

using RowsFunction = void (*)(uchar*, qsizetype, int, int, const Levels&);

RowsFunction RowsForThisProcessor() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") ? VectorRows : ScalarRows;
}

} // namespace

void MakeGray(QImage& image, int brightness, int contrast, QRgb key) {
    if (image.format() != QImage::Format_RGB32)
        image.convertTo(QImage::Format_RGB32);
    if (image.isNull())
        return;
    Levels levels;
    brightness = std::clamp(brightness, -100, 100);
    contrast = std::clamp(contrast, -100, 100);
    levels.f = static_cast<std::uint32_t>(contrast + 100);
    levels.offset = (255 * brightness - 128 * static_cast<std::int32_t>(levels.f)) / 100 + 128;
    levels.scale = std::nextafter(static_cast<float>(levels.f) / 10000.0F, 1.0F);
    levels.useKey = qAlpha(key) != 0;
    levels.key = key;
    static const RowsFunction rows = RowsForThisProcessor();
    // bits() detaches an image that shares its pixels with a copy.
    rows(image.bits(), image.bytesPerLine(), image.width(), image.height(), levels);
}

} // namespace preview
