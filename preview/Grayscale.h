// Gray rendering of page bitmaps with adjustable brightness and contrast, for the preview and printing.
#pragma once

#include "preview/PreviewExport.h"

#include <QImage>
#include <QRgb>

namespace preview {

/// Converts `image` to QImage::Format_RGB32 and turns every pixel whose 32-bit value differs from `key`
/// into a gray level: with f = contrast + 100 and offset = (255 * brightness - 128 * f) / 100 + 128,
/// v = (30 * red + 59 * green + 11 * blue) * f / 10000 + offset, clamped to 0..255 (divisions truncate).
/// The fourth byte stays. Brightness and contrast are clamped to -100..100 first. A key whose alpha is 0
/// (the key of a bitmap marked transparent, and the default) matches no pixel.
HANDVISE_PREVIEW_EXPORT void MakeGray(QImage& image, int brightness, int contrast, QRgb key = 0);

} // namespace preview
