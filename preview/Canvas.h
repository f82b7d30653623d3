// A drawing surface for pages: a QPainter whose coordinates can be mapped to page units, and whose font
// sizes in points come out at the right height within those units.
#pragma once

#include "preview/PreviewExport.h"

#include <QFont>
#include <QPainter>
#include <QPoint>
#include <QSize>

namespace preview {

/// What a page is drawn on: a QPainter mapped to the preview's page units, with fonts sized in points
/// that come out at the right height on the page.
class HANDVISE_PREVIEW_EXPORT TCanvas {
public:
    TCanvas() = default;
    virtual ~TCanvas() = default;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    /// The painter to draw with, in page units.
    QPainter& Painter() { return painter_; }
    /// True while the painter draws on its device.
    bool IsActive() const { return painter_.isActive(); }

    /// Maps `units` (the page in page units) onto `pixels` (the page in device pixels), with the page's
    /// corner at `origin` in device pixels, and resolves point sizes so that a point is 1/72 inch of the
    /// page: `verticalDpi` is the device's vertical resolution.
    void MapToUnits(QSize units, QSize pixels, QPoint origin, int verticalDpi);

    /// The font with its size in points; the painter gets it with that size expressed in page units.
    /// A font sized in pixels is taken as it is.
    QFont Font() const { return font_; }
    void SetFont(const QFont& font); ///< Sets Font().
    /// Changes only the font's size, in points.
    void SetFontSize(qreal points);
    /// How many page units make an inch for font sizes; the device's resolution until mapped.
    int FontPixelsPerInch() const { return fontPixelsPerInch_; }
    void SetFontPixelsPerInch(int value); ///< Sets FontPixelsPerInch().

protected:
    /// The painter Painter() gives.
    QPainter painter_;

private:
    void ApplyFont();

    QFont font_;
    int fontPixelsPerInch_ = 96;
};

} // namespace preview
