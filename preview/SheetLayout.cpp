#include "preview/SheetLayout.h"

#include "preview/PaperTypes.h"

#include <algorithm>
#include <cmath>

namespace preview {

namespace {

// A view too small for the frame still gets a sheet of one paper pixel.
QSize ToWidth(int width, QSize page, TSheetFrame frame) {
    const int paper = std::max(width - frame.Width, 1);
    return {paper + frame.Width, std::max(MulDiv(paper, page.height(), page.width()), 1) + frame.Height};
}

QSize ToHeight(int height, QSize page, TSheetFrame frame) {
    const int paper = std::max(height - frame.Height, 1);
    return {std::max(MulDiv(paper, page.width(), page.height()), 1) + frame.Width, paper + frame.Height};
}

} // namespace

TSheetSize ComputePaperViewSize(TZoomState state, int zoom, QSize pagePixels, QSize space,
                                TSheetFrame frame) {
    // A page too small to have a pixel still gets one, so the proportions never divide by zero.
    const QSize page = pagePixels.expandedTo(QSize(1, 1));
    QSize size;
    switch (state) {
    case zsZoomToWidth:
        size = ToWidth(space.width(), page, frame);
        break;
    case zsZoomToHeight:
        size = ToHeight(space.height(), page, frame);
        break;
    case zsZoomToFit:
        if (double(space.height()) / std::max(space.width(), 1) > double(page.height()) / page.width())
            size = ToWidth(space.width(), page, frame);
        else
            size = ToHeight(space.height(), page, frame);
        break;
    case zsZoomOther:
    default:
        return {QSize(MulDiv(page.width(), zoom, 100) + frame.Width,
                      MulDiv(page.height(), zoom, 100) + frame.Height),
                zoom};
    }
    // The default rounding mode rounds halves to even.
    const double percent = double(std::int64_t(size.height() - frame.Height) * 100) / page.height();
    return {size, static_cast<int>(std::nearbyint(percent))};
}

TSheetLayout LayoutSheet(TZoomState state, int zoom, QSize pagePixels, QSize area, int margin, int barWidth,
                         int barHeight, TSheetFrame frame) {
    TSheetLayout layout;
    QSize space(area.width() - 2 * margin, area.height() - 2 * margin);
    TSheetSize sheet = ComputePaperViewSize(state, zoom, pagePixels, space, frame);
    layout.CanScrollHorz = sheet.Size.width() > space.width();
    layout.CanScrollVert = sheet.Size.height() > space.height();
    // A bar takes room from the other direction, which may then need its bar too; in the fit modes the
    // sheet follows the room, so it is computed again after each bar.
    if (layout.CanScrollHorz) {
        space.rheight() -= barHeight;
        sheet = ComputePaperViewSize(state, zoom, pagePixels, space, frame);
        layout.CanScrollVert = sheet.Size.height() > space.height();
        if (layout.CanScrollVert) {
            space.rwidth() -= barWidth;
            sheet = ComputePaperViewSize(state, zoom, pagePixels, space, frame);
        }
    } else if (layout.CanScrollVert) {
        space.rwidth() -= barWidth;
        sheet = ComputePaperViewSize(state, zoom, pagePixels, space, frame);
        layout.CanScrollHorz = sheet.Size.width() > space.width();
        if (layout.CanScrollHorz) {
            space.rheight() -= barHeight;
            sheet = ComputePaperViewSize(state, zoom, pagePixels, space, frame);
        }
    }
    layout.Sheet = sheet.Size;
    layout.Zoom = sheet.Zoom;
    layout.Space = space;
    layout.Origin = QPoint(margin + (layout.CanScrollHorz ? 0 : (space.width() - sheet.Size.width()) / 2),
                           margin + (layout.CanScrollVert ? 0 : (space.height() - sheet.Size.height()) / 2));
    return layout;
}

int ClampZoom(int value, int min, int max) {
    return std::max(min, std::min(value, max));
}

} // namespace preview
