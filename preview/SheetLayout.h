// Where the preview puts its sheet of paper for a zoom: the sheet's size in each zoom mode, whether it
// needs scroll bars, and where it lies when it is smaller than the view. Pure arithmetic.
#pragma once

#include "preview/PreviewTypes.h"

#include <QPoint>
#include <QSize>

namespace preview {

// The sheet for a page of `pagePixels` (its size at 100 %) in `space`: `zoom` % in zsZoomOther, else
// filling the width, the height, or the whole space. Sizes round to nearest; the computed zoom is the
// paper's height over the page's, in percent, rounded with halves to even.
TSheetSize ComputePaperViewSize(TZoomState state, int zoom, QSize pagePixels, QSize space, TSheetFrame frame);

struct TSheetLayout {
    QSize Sheet;
    int Zoom = 0;
    bool CanScrollHorz = false;
    bool CanScrollVert = false;
    QSize Space;   // the room the sheet is laid out in, without the scroll bars it needs
    QPoint Origin; // the sheet's place when not scrolled: at the margin, or centred where it fits
};

// Lays the sheet out in a view of `area` (no scroll bars shown) with `margin` on every side; a scroll
// bar takes `barWidth` (vertical) or `barHeight` (horizontal) of the area when the sheet needs it, and
// one bar may make the other needed.
TSheetLayout LayoutSheet(TZoomState state, int zoom, QSize pagePixels, QSize area, int margin, int barWidth,
                         int barHeight, TSheetFrame frame);

// `value` kept within min to max.
int ClampZoom(int value, int min, int max);

} // namespace preview
