#include "preview/Canvas.h"

#include <algorithm>
#include <cmath>

namespace preview {

void TCanvas::MapToUnits(QSize units, QSize pixels, QPoint origin, int verticalDpi) {
    if (!painter_.isActive() || units.isEmpty() || pixels.isEmpty())
        return;
    painter_.setWindow(QRect(QPoint(0, 0), units));
    painter_.setViewport(QRect(origin, pixels));
    SetFontPixelsPerInch(
        static_cast<int>(std::lround(double(verticalDpi) * units.height() / std::max(pixels.height(), 1))));
}

void TCanvas::SetFont(const QFont& font) {
    font_ = font;
    ApplyFont();
}

void TCanvas::SetFontSize(qreal points) {
    font_.setPointSizeF(points);
    ApplyFont();
}

void TCanvas::SetFontPixelsPerInch(int value) {
    fontPixelsPerInch_ = std::max(value, 1);
    ApplyFont();
}

void TCanvas::ApplyFont() {
    if (!painter_.isActive())
        return;
    QFont font = font_;
    if (font_.pointSizeF() > 0)
        font.setPixelSize(
            std::max(1, static_cast<int>(std::lround(font_.pointSizeF() * fontPixelsPerInch_ / 72))));
    painter_.setFont(font);
}

} // namespace preview
