#include "preview/Grayscale.h"

#include <algorithm>
#include <cstdint>

namespace preview {

namespace {

// Gray level of every pixel of a row whose value differs from the key. Written without branches or
// calls so that the compiler turns it into vector code: rows of a 4000-pixel page are converted at
// close to memory speed this way, where a table lookup per pixel would not vectorise.
template <bool UseKey>
inline __attribute__((always_inline)) void GrayRow(std::uint32_t* row, int width, std::uint32_t f,
                                                   std::int32_t offset, std::uint32_t key) {
    for (int x = 0; x < width; ++x) {
        const std::uint32_t pixel = row[x];
        const std::uint32_t luminance =
            30 * ((pixel >> 16) & 0xFF) + 59 * ((pixel >> 8) & 0xFF) + 11 * (pixel & 0xFF);
        // The product stays below 2^23, so the unsigned division truncates exactly as the formula says.
        std::int32_t level = static_cast<std::int32_t>(luminance * f / 10000) + offset;
        level = std::clamp(level, 0, 255);
        const std::uint32_t gray = (pixel & 0xFF000000U) | static_cast<std::uint32_t>(level) * 0x010101U;
        if constexpr (UseKey)
            row[x] = pixel == key ? pixel : gray;
        else
            row[x] = gray;
    }
}

// The whole picture, row by row. Compiled twice, and the variant for the processor is picked once at
// load time: with AVX2 the 32-bit multiplications and the division by a constant run eight pixels at a
// time natively, which doubles the speed over the baseline build.
__attribute__((target_clones("avx2", "default"))) void GrayRows(uchar* bits, qsizetype bytesPerLine,
                                                                int width, int height, std::uint32_t f,
                                                                std::int32_t offset, bool useKey,
                                                                std::uint32_t key) {
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(bits + y * bytesPerLine);
        if (useKey)
            GrayRow<true>(row, width, f, offset, key);
        else
            GrayRow<false>(row, width, f, offset, 0);
    }
}

} // namespace

void MakeGray(QImage& image, int brightness, int contrast, QRgb key) {
    if (image.format() != QImage::Format_RGB32)
        image.convertTo(QImage::Format_RGB32);
    if (image.isNull())
        return;
    brightness = std::clamp(brightness, -100, 100);
    contrast = std::clamp(contrast, -100, 100);
    const int f = contrast + 100;
    const std::int32_t offset = (255 * brightness - 128 * f) / 100 + 128;
    const bool useKey = qAlpha(key) != 0;
    // bits() detaches an image that shares its pixels with a copy.
    GrayRows(image.bits(), image.bytesPerLine(), image.width(), image.height(), static_cast<std::uint32_t>(f),
             offset, useKey, key);
}

} // namespace preview
