// The print preview control on screen: the page with its layers drawn on the sheet, the gray view, the
// zoom and the sheet's place in the view, and the keys, wheel and mouse that move it.
#include "preview/Grayscale.h"
#include "preview/PreviewKeys.h"
#include "preview/PrintPreviewPrivate.h"

#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace preview {

namespace {

constexpr int kWheelNotch = 120;

} // namespace

// ---- properties

bool TPrintPreview::Annotation() const {
    return d_->annotation;
}

bool TPrintPreview::Background() const {
    return d_->background;
}

int TPrintPreview::Zoom() const {
    return d_->zoom;
}

TZoomState TPrintPreview::ZoomState() const {
    return d_->zoomState;
}

int TPrintPreview::ZoomMin() const {
    return d_->zoomMin;
}

int TPrintPreview::ZoomMax() const {
    return d_->zoomMax;
}

int TPrintPreview::ZoomStep() const {
    return d_->zoomStep;
}

void TPrintPreview::SetZoomStep(int value) {
    d_->zoomStep = value;
}

bool TPrintPreview::ZoomSavePos() const {
    return d_->zoomSavePos;
}

void TPrintPreview::SetZoomSavePos(bool value) {
    d_->zoomSavePos = value;
}

bool TPrintPreview::CanScrollHorz() const {
    return d_->canScrollHorz;
}

bool TPrintPreview::CanScrollVert() const {
    return d_->canScrollVert;
}

int TPrintPreview::ScrollMargin() const {
    return d_->margin;
}

TPaperPreview* TPrintPreview::PaperPreview() const {
    return d_->paper;
}

TPaperPreviewOptions* TPrintPreview::PaperView() const {
    return d_->paperView.get();
}

TGrayscaleOptions TPrintPreview::Grayscale() const {
    return d_->grayscale;
}

int TPrintPreview::GrayBrightness() const {
    return d_->grayBrightness;
}

int TPrintPreview::GrayContrast() const {
    return d_->grayContrast;
}

bool TPrintPreview::ShowPrintableArea() const {
    return d_->showPrintableArea;
}

QColor TPrintPreview::PrintableAreaColor() const {
    return d_->printableAreaColor;
}

// ---- layers and drawing

void TPrintPreview::SetAnnotation(bool value) {
    if (value == d_->annotation)
        return;
    d_->annotation = value;
    RefreshAnnotation(d_->currentPage);
    d_->paper->Invalidate();
}

void TPrintPreview::SetBackground(bool value) {
    if (value == d_->background)
        return;
    d_->background = value;
    RefreshBackground(d_->currentPage);
    d_->paper->Invalidate();
}

void TPrintPreview::RefreshAnnotation(int pageNo) {
    RefreshLayer(pageNo, d_->annotation, d_->annotationLayer, true);
}

void TPrintPreview::RefreshBackground(int pageNo) {
    RefreshLayer(pageNo, d_->background, d_->backgroundLayer, false);
}

void TPrintPreview::RefreshLayer(int pageNo, bool enabled, std::unique_ptr<TMetafile>& layer,
                                 bool annotation) {
    layer.reset();
    const QMetaMethod signal = annotation ? QMetaMethod::fromSignal(&TPrintPreview::OnAnnotation)
                                          : QMetaMethod::fromSignal(&TPrintPreview::OnBackground);
    if (!enabled || pageNo <= 0 || !isSignalConnected(signal))
        return;
    std::unique_ptr<TMetafile> picture;
    std::unique_ptr<TMetafileCanvas> canvas;
    OpenPageRecording(picture, canvas);
    try {
        if (annotation)
            emit OnAnnotation(pageNo, *canvas);
        else
            emit OnBackground(pageNo, *canvas);
    } catch (...) {
        canvas.reset();
        throw;
    }
    ClosePageRecording(picture, canvas);
    layer = std::move(picture);
}

void TPrintPreview::RenderPage(int pageNo, QPainter& painter, const QRectF& rect, bool gray) {
    TMetafile* page = Pages(pageNo);
    if (page == nullptr)
        return;
    if (!gray) {
        page->Draw(painter, rect);
        return;
    }
    // Only the part the painter lets through is converted: at a high zoom the page is many times
    // larger than the view, and a scrolled-in strip needs only that strip.
    QRectF shown = rect;
    if (painter.hasClipping())
        shown &= painter.clipBoundingRect();
    const QRect part = shown.toAlignedRect() & rect.toAlignedRect();
    if (part.isEmpty())
        return;
    // At the target's pixel density, so that gray text is as sharp as coloured text.
    const qreal ratio = painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
    QImage image(QSize(static_cast<int>(std::ceil(part.width() * ratio)),
                       static_cast<int>(std::ceil(part.height() * ratio))),
                 QImage::Format_RGB32);
    if (image.isNull())
        return;
    image.setDevicePixelRatio(ratio);
    // Paper-coloured pixels are the key and keep their colour, so a tinted paper stays tinted.
    const QColor paper = d_->paper->PaperColor();
    image.fill(paper);
    {
        QPainter bitmap(&image);
        bitmap.setRenderHints(painter.renderHints());
        page->Draw(bitmap, rect.translated(-part.topLeft()));
    }
    MakeGray(image, d_->grayBrightness, d_->grayContrast, paper.rgb());
    painter.drawImage(part.topLeft(), image);
}

void TPrintPreview::DrawPreviewPage(int pageNo, QPainter& painter, const QRect& rect) {
    if (pageNo < 1 || pageNo > TotalPages())
        return;
    if (d_->backgroundLayer != nullptr)
        d_->backgroundLayer->Draw(painter, rect);
    try {
        RenderPage(pageNo, painter, rect, d_->grayscale.testFlag(gsPreview));
    } catch (const std::exception& error) {
        // A paint cannot report a failure; the page says what went wrong instead of staying blank.
        painter.save();
        painter.setPen(Qt::darkRed);
        painter.drawText(rect.adjusted(8, 8, -8, -8), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                         tr("The page cannot be shown: %1").arg(QString::fromUtf8(error.what())));
        painter.restore();
    }
    if (d_->annotationLayer != nullptr)
        d_->annotationLayer->Draw(painter, rect);
    if (d_->showPrintableArea && d_->paperSize.width() > 0 && d_->paperSize.height() > 0) {
        const QRect area = PrinterPageBounds();
        const double sx = double(rect.width()) / d_->paperSize.width();
        const double sy = double(rect.height()) / d_->paperSize.height();
        const int left = rect.left() + static_cast<int>(std::lround(area.left() * sx));
        const int right = rect.left() + static_cast<int>(std::lround((area.left() + area.width()) * sx));
        const int top = rect.top() + static_cast<int>(std::lround(area.top() * sy));
        const int bottom = rect.top() + static_cast<int>(std::lround((area.top() + area.height()) * sy));
        painter.save();
        painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        painter.setPen(QPen(d_->printableAreaColor, 0, Qt::DotLine));
        painter.drawLine(left, rect.top(), left, rect.bottom());
        painter.drawLine(right, rect.top(), right, rect.bottom());
        painter.drawLine(rect.left(), top, rect.right(), top);
        painter.drawLine(rect.left(), bottom, rect.right(), bottom);
        painter.restore();
    }
}

void TPrintPreview::SetGrayscale(TGrayscaleOptions value) {
    if (value == d_->grayscale)
        return;
    d_->grayscale = value;
    d_->paper->Invalidate();
    PageViewsGrayscaleChanged(false);
}

void TPrintPreview::SetGrayBrightness(int value) {
    value = std::clamp(value, -100, 100);
    if (value == d_->grayBrightness)
        return;
    d_->grayBrightness = value;
    if (d_->grayscale.testFlag(gsPreview)) {
        d_->paper->Invalidate();
        PageViewsGrayscaleChanged(true);
    }
}

void TPrintPreview::SetGrayContrast(int value) {
    value = std::clamp(value, -100, 100);
    if (value == d_->grayContrast)
        return;
    d_->grayContrast = value;
    if (d_->grayscale.testFlag(gsPreview)) {
        d_->paper->Invalidate();
        PageViewsGrayscaleChanged(true);
    }
}

void TPrintPreview::SetShowPrintableArea(bool value) {
    if (value == d_->showPrintableArea)
        return;
    d_->showPrintableArea = value;
    if (d_->currentPage != 0)
        d_->paper->Invalidate();
}

void TPrintPreview::SetPrintableAreaColor(const QColor& value) {
    if (value == d_->printableAreaColor)
        return;
    d_->printableAreaColor = value;
    if (d_->showPrintableArea && d_->currentPage != 0)
        d_->paper->Invalidate();
}

// ---- zoom and layout

void TPrintPreview::SetZoom(int value) {
    value = ClampZoom(value, d_->zoomMin, d_->zoomMax);
    if (value == d_->zoom && d_->zoomState == zsZoomOther)
        return;
    const int before = d_->zoom;
    d_->zoom = value;
    d_->zoomState = zsZoomOther;
    LayoutPaper();
    // The layout reports a changed zoom; a change of mode alone is reported here.
    if (d_->zoom == before)
        emit OnZoomChange();
}

void TPrintPreview::SetZoomState(TZoomState value) {
    if (value == d_->zoomState)
        return;
    const int before = d_->zoom;
    d_->zoomState = value;
    LayoutPaper();
    if (d_->zoom == before)
        emit OnZoomChange();
}

void TPrintPreview::SetZoomMin(int value) {
    if (value == d_->zoomMin || value < 1 || value > d_->zoomMax)
        return;
    d_->zoomMin = value;
    if (d_->zoomState == zsZoomOther && d_->zoom < value)
        SetZoom(value);
}

void TPrintPreview::SetZoomMax(int value) {
    if (value == d_->zoomMax || value < d_->zoomMin)
        return;
    d_->zoomMax = value;
    if (d_->zoomState == zsZoomOther && d_->zoom > value)
        SetZoom(value);
}

void TPrintPreview::SetScrollMargin(int value) {
    value = std::max(value, 0);
    if (value == d_->margin)
        return;
    d_->margin = value;
    LayoutPaper();
}

TSheetSize TPrintPreview::ComputePaperViewSize(QSize space) const {
    const TSheetFrame frame{d_->paper->PaperWidthToClient(0), d_->paper->PaperHeightToClient(0)};
    return preview::ComputePaperViewSize(d_->zoomState, d_->zoom, d_->pagePixels, space, frame);
}

bool TPrintPreview::EnsureOffScreen() {
    // A hidden sheet has its resize still pending and no pixmap of its new size yet.
    if (!d_->paper->HasOffScreen() || d_->paper->testAttribute(Qt::WA_PendingResizeEvent))
        return d_->paper->AllocateOffScreen();
    return true;
}

void TPrintPreview::LayoutPaper() {
    LayoutPaper(false);
}

void TPrintPreview::LayoutPaper(bool retry) {
    if (d_->pages->Count() == 0 || d_->layingOut)
        return;
    QScrollBar* horizontal = horizontalScrollBar();
    QScrollBar* vertical = verticalScrollBar();
    {
        // Nothing paints until the event loop runs again, so every change below ends in one repaint of
        // what changed: the sheet, the desk it uncovers and the bars. Switching updates off and on
        // would repaint the frame and both bars besides, on every zoom step.
        QScopedValueRollback<bool> guard(d_->layingOut, true);
        double rx = 0;
        double ry = 0;
        if (d_->zoomSavePos && d_->currentPage != 0) {
            // Kept as fractions, so that zooming back and forth does not creep.
            rx = horizontal->maximum() > 0 ? double(horizontal->value()) / horizontal->maximum() : 0;
            ry = vertical->maximum() > 0 ? double(vertical->value()) / vertical->maximum() : 0;
        }
        // The room the bars take, as the scroll area measures it; the viewport's largest size leaves
        // out the bars that are on, so they are added back to have the room without any bar.
        const int barWidth = vertical->sizeHint().width();
        const int barHeight = horizontal->sizeHint().height();
        const TSheetFrame frame{d_->paper->PaperWidthToClient(0), d_->paper->PaperHeightToClient(0)};
        const QSize area = maximumViewportSize() +
                           QSize(verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn ? barWidth : 0,
                                 horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn ? barHeight : 0);
        // The overridable size computation decides; the shared arithmetic places the bars and centres.
        TSheetLayout layout = LayoutSheet(d_->zoomState, d_->zoom, d_->pagePixels, area, d_->margin, barWidth,
                                          barHeight, frame);
        const TSheetSize sheet = ComputePaperViewSize(layout.Space);
        layout.Sheet = sheet.Size;
        d_->zoom = sheet.Zoom;
        d_->canScrollHorz = layout.CanScrollHorz;
        d_->canScrollVert = layout.CanScrollVert;
        d_->sheetOrigin = layout.Origin;
        setHorizontalScrollBarPolicy(d_->canScrollHorz ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(d_->canScrollVert ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        const int maxX = d_->canScrollHorz ? layout.Sheet.width() - layout.Space.width() : 0;
        const int maxY = d_->canScrollVert ? layout.Sheet.height() - layout.Space.height() : 0;
        horizontal->setRange(0, maxX);
        vertical->setRange(0, maxY);
        horizontal->setPageStep(layout.Space.width() + 2 * d_->margin);
        vertical->setPageStep(layout.Space.height() + 2 * d_->margin);
        horizontal->setValue(static_cast<int>(std::lround(rx * maxX)));
        vertical->setValue(static_cast<int>(std::lround(ry * maxY)));
        d_->paper->setGeometry(
            QRect(d_->sheetOrigin - QPoint(horizontal->value(), vertical->value()), layout.Sheet));
        d_->dragging = false;
        UpdatePaperCursor();
    }
    if (d_->zoom == d_->lastZoom)
        return;
    if (EnsureOffScreen()) {
        d_->lastZoom = d_->zoom;
        emit OnZoomChange();
        return;
    }
    // The sheet is too large for its pixmap: back to the last zoom that could be shown, or to the
    // whole page. In the fit modes the sheet follows the view, so the previous zoom is taken as a
    // fixed one; and one retry is all, so that a view no sheet fits in cannot loop.
    if (retry)
        return;
    if (d_->lastZoom != 0) {
        d_->zoom = d_->lastZoom;
        d_->zoomState = zsZoomOther;
    } else {
        d_->zoomState = zsZoomToFit;
    }
    LayoutPaper(true);
}

void TPrintPreview::UpdatePaperCursor() {
    const TCursor cursor = d_->dragging                             ? d_->paperView->GrabCursor()
                           : d_->canScrollHorz || d_->canScrollVert ? d_->paperView->DragCursor()
                                                                    : d_->paperView->Cursor();
    d_->paper->SetCursor(cursor);
}

void TPrintPreview::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    LayoutPaper();
}

void TPrintPreview::showEvent(QShowEvent* event) {
    QAbstractScrollArea::showEvent(event);
    LayoutPaper();
}

void TPrintPreview::scrollContentsBy(int dx, int dy) {
    if (d_->layingOut || d_->currentPage == 0)
        return;
    // Moves the sheet and repaints only the strips that scrolling uncovers.
    viewport()->scroll(dx, dy);
}

// ---- keys, wheel and mouse

void TPrintPreview::keyPressEvent(QKeyEvent* event) {
    const TKeyAction action = KeyAction(event->key(), event->modifiers());
    QScrollBar* bar = action.Axis == Qt::Horizontal ? horizontalScrollBar() : verticalScrollBar();
    switch (action.Command) {
    case TKeyCommand::None:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    case TKeyCommand::Scroll: {
        const int view = action.Axis == Qt::Horizontal ? viewport()->width() : viewport()->height();
        const int step = action.Step == TKeyStep::Line    ? bar->singleStep()
                         : action.Step == TKeyStep::Pixel ? 1
                                                          : view;
        bar->setValue(bar->value() + action.Sign * step);
        break;
    }
    case TKeyCommand::ScrollToEnd:
        bar->setValue(action.Sign < 0 ? 0 : bar->maximum());
        break;
    case TKeyCommand::TurnPage:
        SetCurrentPage(d_->currentPage + action.Sign);
        break;
    case TKeyCommand::TurnToEnd:
        SetCurrentPage(action.Sign < 0 ? 1 : TotalPages());
        break;
    case TKeyCommand::Zoom:
        SetZoom(d_->zoom + action.Sign * d_->zoomStep);
        break;
    }
    event->accept();
}

void TPrintPreview::wheelEvent(QWheelEvent* event) {
    if (!rect().contains(mapFromGlobal(event->globalPosition().toPoint()))) {
        event->ignore();
        return;
    }
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        // A sideways wheel or swipe scrolls sideways, as everywhere else.
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    event->accept();
    d_->wheelRemainder += delta;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const Qt::MouseButtons buttons = event->buttons();
    while (std::abs(d_->wheelRemainder) >= kWheelNotch) {
        const bool away = d_->wheelRemainder > 0; // away from the user
        d_->wheelRemainder += away ? -kWheelNotch : kWheelNotch;
        if (modifiers == Qt::NoModifier && buttons == Qt::NoButton) {
            QScrollBar* bar = verticalScrollBar();
            bar->setValue(bar->value() + (away ? -bar->singleStep() : bar->singleStep()));
        } else if ((modifiers == Qt::ShiftModifier && buttons == Qt::NoButton) ||
                   (modifiers == Qt::NoModifier && buttons == Qt::MiddleButton)) {
            SetCurrentPage(d_->currentPage + (away ? -1 : 1));
        } else if (modifiers == Qt::ControlModifier && buttons == Qt::NoButton) {
            SetZoom(d_->zoom + (away ? d_->zoomStep : -d_->zoomStep));
        } else {
            event->ignore();
        }
    }
}

QPoint TPrintPreview::ToViewport(const QMouseEvent& event) const {
    return d_->paper->mapTo(viewport(), event.position().toPoint());
}

void TPrintPreview::PaperMouseDown(QMouseEvent& event) {
    if (!hasFocus() && (focusPolicy() & Qt::ClickFocus) != 0)
        setFocus(Qt::MouseFocusReason);
    if (d_->canScrollHorz || d_->canScrollVert) {
        d_->dragging = true;
        UpdatePaperCursor();
    }
    d_->dragOrigin = event.position().toPoint();
    emit OnMouseDown(event.button(), event.modifiers(), ToViewport(event));
}

void TPrintPreview::PaperMouseMove(QMouseEvent& event) {
    if (d_->dragging && event.buttons().testFlag(Qt::LeftButton)) {
        // The sheet follows the hand: the point grabbed stays under the pointer.
        const QPoint delta = event.position().toPoint() - d_->dragOrigin;
        if (d_->canScrollHorz)
            horizontalScrollBar()->setValue(horizontalScrollBar()->value() - delta.x());
        if (d_->canScrollVert)
            verticalScrollBar()->setValue(verticalScrollBar()->value() - delta.y());
    }
    emit OnMouseMove(event.buttons(), event.modifiers(), ToViewport(event));
}

void TPrintPreview::PaperMouseUp(QMouseEvent& event) {
    if (d_->dragging) {
        d_->dragging = false;
        UpdatePaperCursor();
    }
    emit OnMouseUp(event.button(), event.modifiers(), ToViewport(event));
}

} // namespace preview
