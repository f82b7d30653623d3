#include "preview/PrintPreview.h"

#include "preview/Errors.h"
#include "preview/Grayscale.h"
#include "preview/PreviewKeys.h"
#include "preview/Startup.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace preview {

namespace {

constexpr int kWheelNotch = 120;
constexpr int kLineStep = 20;

int ScreenDpi(bool horizontal) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return kDefaultScreenDpi;
    const double dpi = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    return dpi >= 1 ? static_cast<int>(std::lround(dpi)) : kDefaultScreenDpi;
}

} // namespace

TPageView::~TPageView() {
    if (preview_ != nullptr)
        preview_->DetachPageView(this);
}

TPrintPreview::TPrintPreview(QWidget* parent)
    : QAbstractScrollArea(parent)
    , paperView_(std::make_unique<TPaperPreviewOptions>())
    , pages_(std::make_unique<TMetafileList>())
    , printableAreaColor_(192, 192, 192) {
    setFocusPolicy(Qt::StrongFocus);
    setFont(QFont(QStringLiteral("Arial"), 8));
    // The sheet lies on a darker desk, so that its white and its shadow both show.
    QPalette desk = viewport()->palette();
    desk.setColor(QPalette::Window, palette().color(QPalette::Mid));
    viewport()->setPalette(desk);
    viewport()->setBackgroundRole(QPalette::Window);
    viewport()->setAutoFillBackground(true);
    horizontalScrollBar()->setSingleStep(kLineStep);
    verticalScrollBar()->setSingleStep(kLineStep);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    pages_->OnChange = [this](TMetafileList&, int first, int last) {
        PagesChanged(first, last);
    };
    pages_->OnItemChange = [this](TMetafileList&, int index) {
        PageChanged(index);
    };
    paperView_->OnOptionsChanged = [this](TPaperPreviewOptions&, TChangeLevel level) {
        OptionsChanged(level);
    };

    paper_ = new TPaperPreview(viewport());
    paper_->setObjectName(QStringLiteral("PaperPreview"));
    paper_->setFocusPolicy(Qt::NoFocus);
    paper_->hide();
    paper_->OnPaint = [this](TPaperPreview&, QPainter& canvas, const QRect& rect) {
        DrawPreviewPage(currentPage_, canvas, rect);
    };
    paper_->OnClick = [this](TPaperPreview&) {
        emit OnClick();
    };
    paper_->OnDblClick = [this](TPaperPreview&) {
        emit OnDblClick();
    };
    paper_->OnMouseDown = [this](TPaperPreview&, QMouseEvent& event) {
        PaperMouseDown(event);
    };
    paper_->OnMouseMove = [this](TPaperPreview&, QMouseEvent& event) {
        PaperMouseMove(event);
    };
    paper_->OnMouseUp = [this](TPaperPreview&, QMouseEvent& event) {
        PaperMouseUp(event);
    };
    paperView_->AssignTo(paper_);

    int width = 0;
    int height = 0;
    PaperTypeSize(pA4, units_, width, height);
    paperSize_ = QSize(width, height);
    ComputePagePixels();
}

TPrintPreview::~TPrintPreview() {
    for (TPageView* view : pageViews_)
        view->preview_ = nullptr;
    pageViews_.clear();
    canvas_.reset();
    recording_.reset();
    // The store's and the options' listeners point here: they go before the rest of the control.
    pages_.reset();
    delete paper_;
    paper_ = nullptr;
    paperView_.reset();
}

// ---- units and paper

int TPrintPreview::ScreenDpiX() const {
    return ScreenDpi(true);
}

int TPrintPreview::ScreenDpiY() const {
    return ScreenDpi(false);
}

int TPrintPreview::ConvertX(int value, TUnits from, TUnits to) const {
    const int dpi = ScreenDpiX();
    return ConvertUnits(value, from, to, dpi, dpi);
}

int TPrintPreview::ConvertY(int value, TUnits from, TUnits to) const {
    const int dpi = ScreenDpiY();
    return ConvertUnits(value, from, to, dpi, dpi);
}

QPoint TPrintPreview::ConvertXY(int x, int y, TUnits from, TUnits to) const {
    return {ConvertX(x, from, to), ConvertY(y, from, to)};
}

void TPrintPreview::ConvertPoints(QPoint* points, int count, TUnits from, TUnits to) const {
    for (int i = 0; i < count; ++i)
        points[i] = ConvertXY(points[i].x(), points[i].y(), from, to);
}

TPaperType TPrintPreview::PaperTypeOfSize(int width, int height) const {
    return preview::PaperTypeOfSize(width, height, units_, ScreenDpiX(), ScreenDpiY());
}

TPaperType TPrintPreview::PaperTypeOfCode(int code) {
    return preview::PaperTypeOfCode(code);
}

bool TPrintPreview::PaperTypeSize(TPaperType type, TUnits units, int& width, int& height) const {
    return preview::PaperTypeSize(type, units, width, height, ScreenDpiX(), ScreenDpiY());
}

QRect TPrintPreview::PageBounds() const {
    return {QPoint(0, 0), paperSize_};
}

void TPrintPreview::SetUnits(TUnits value) {
    if (value == units_)
        return;
    const TUnits old = units_;
    QSize size;
    if (paperType_ == pCustom) {
        size = QSize(ConvertX(paperSize_.width(), old, value), ConvertY(paperSize_.height(), old, value));
    } else {
        int width = 0;
        int height = 0;
        PaperTypeSize(paperType_, value, width, height);
        size = orientation_ == poLandscape ? QSize(height, width) : QSize(width, height);
    }
    paperSize_ = size;
    // The canvas is mapped with the new unit, so the unit changes first.
    units_ = value;
    if (canvas_ != nullptr && canvas_->IsActive()) {
        QPainter& painter = canvas_->Painter();
        QPen pen = painter.pen();
        pen.setWidth(ConvertX(pen.width(), old, value));
        painter.setPen(pen);
        MapCanvasToUnits(*canvas_, ScreenDpiX(), ScreenDpiY());
    }
}

void TPrintPreview::SetPaperType(TPaperType value) {
    if (value == paperType_ || state_ != TPreviewState::Idle || value < 0 || value > pCustom)
        return;
    paperType_ = value;
    if (value == pCustom)
        return;
    int width = 0;
    int height = 0;
    PaperTypeSize(value, units_, width, height);
    paperSize_ = orientation_ == poLandscape ? QSize(height, width) : QSize(width, height);
    NotifyPaperChange();
}

void TPrintPreview::SetOrientation(TPrinterOrientation value) {
    if (value == orientation_ || state_ != TPreviewState::Idle)
        return;
    orientation_ = value;
    paperSize_.transpose();
    NotifyPaperChange();
}

void TPrintPreview::SetPaperWidth(int value) {
    SetPaperSize(value, paperSize_.height());
}

void TPrintPreview::SetPaperHeight(int value) {
    SetPaperSize(paperSize_.width(), value);
}

void TPrintPreview::SetPaperSize(int width, int height) {
    SetPaperSizeAndOrientation(width, height, orientation_);
}

void TPrintPreview::SetPaperSizeAndOrientation(int width, int height, TPrinterOrientation orientation) {
    const QSize size(std::max(width, 1), std::max(height, 1));
    if ((size == paperSize_ && orientation == orientation_) || state_ != TPreviewState::Idle)
        return;
    paperSize_ = size;
    orientation_ = orientation;
    paperType_ = orientation == poLandscape ? PaperTypeOfSize(size.height(), size.width())
                                            : PaperTypeOfSize(size.width(), size.height());
    NotifyPaperChange();
}

void TPrintPreview::NotifyPaperChange() {
    formName_.clear();
    generatedForm_.clear();
    ComputePagePixels();
    LayoutPaper();
    paper_->Invalidate();
    emit OnPaperChange();
}

void TPrintPreview::ComputePagePixels() {
    pagePixels_ =
        QSize(ConvertX(paperSize_.width(), units_, mmPixel), ConvertY(paperSize_.height(), units_, mmPixel));
}

// ---- recording

void TPrintPreview::MapCanvasToUnits(TCanvas& canvas, int dpiX, int dpiY, QPoint offset) {
    const QSize units = paperSize_;
    const QSize pixels(ConvertUnits(units.width(), units_, mmPixel, dpiX, ScreenDpiX()),
                       ConvertUnits(units.height(), units_, mmPixel, dpiY, ScreenDpiY()));
    canvas.MapToUnits(units, pixels, -offset, dpiY);
}

std::unique_ptr<TMetafileCanvas> TPrintPreview::CreateRecordingCanvas(TMetafile& metafile) {
    return std::make_unique<TMetafileCanvas>(metafile);
}

void TPrintPreview::OpenPageRecording(std::unique_ptr<TMetafile>& metafile,
                                      std::unique_ptr<TMetafileCanvas>& canvas) {
    auto page = std::make_unique<TMetafile>(pagePixels_.width(), pagePixels_.height());
    auto recorder = CreateRecordingCanvas(*page); // declared after the page, so it goes first
    if (recorder == nullptr || !recorder->IsActive())
        throw EOutOfMemory(kNoMemoryForPage);
    recorder->SetFont(font());
    MapCanvasToUnits(*recorder, ScreenDpiX(), ScreenDpiY());
    recorder->Painter().setBackground(Qt::white);
    recorder->Painter().setBackgroundMode(Qt::TransparentMode);
    metafile = std::move(page);
    canvas = std::move(recorder);
}

void TPrintPreview::ClosePageRecording(std::unique_ptr<TMetafile>& metafile,
                                       std::unique_ptr<TMetafileCanvas>& canvas) {
    const bool recorded = canvas != nullptr && canvas->IsActive();
    if (canvas != nullptr) {
        canvas->Finish();
        canvas.reset();
    }
    if (!recorded || metafile == nullptr) {
        metafile.reset();
        throw EOutOfMemory(kNoMemoryForPage);
    }
}

void TPrintPreview::SetState(TPreviewState value) {
    if (value == state_)
        return;
    state_ = value;
    emit OnStateChange();
}

bool TPrintPreview::DocumentOpen() const {
    return (state_ == TPreviewState::Recording && !directPrinting_) ||
           (state_ == TPreviewState::Printing && directPrinting_);
}

TCanvas* TPrintPreview::Canvas() const {
    if (canvas_ != nullptr)
        return canvas_.get();
    return directPrinting_ && directPageOpen_ ? &printer_->Canvas() : nullptr;
}

void TPrintPreview::StorePage() {
    // The page is closed and stored as one step; whatever fails, nothing stays open.
    std::unique_ptr<TMetafile> page;
    {
        std::unique_ptr<TMetafile> recording = std::move(recording_);
        std::unique_ptr<TMetafileCanvas> canvas = std::move(canvas_);
        ClosePageRecording(recording, canvas);
        page = std::move(recording);
    }
    pages_->Add(*page);
}

void TPrintPreview::BeginDoc() {
    if (state_ != TPreviewState::Idle)
        return;
    canvas_.reset();
    recording_.reset();
    aborted_ = false;
    if (directPrint_) {
        BeginDirectDoc();
    } else {
        // The printer's paper is taken while the control is still idle: a busy control keeps its paper.
        if (usePrinterOptions_)
            TakePaperFromPrinter();
        pages_->Clear();
        directPrinting_ = false;
        SetState(TPreviewState::Recording);
        ComputePagePixels();
    }
    emit OnBeginDoc();
    NewPage();
}

void TPrintPreview::NewPage() {
    if (!DocumentOpen())
        return;
    if (directPrinting_) {
        NewDirectPage();
        emit OnNewPage();
        return;
    }
    if (canvas_ != nullptr) {
        emit OnEndPage();
        StorePage();
    }
    OpenPageRecording(recording_, canvas_);
    emit OnNewPage();
}

void TPrintPreview::EndDoc() {
    if (!DocumentOpen())
        return;
    if (directPrinting_) {
        EndDirectDoc();
    } else if (canvas_ != nullptr) {
        // After a page failed to record there is no open page, and the document just ends.
        emit OnEndPage();
        StorePage();
    }
    emit OnEndDoc();
    SetState(TPreviewState::Idle);
}

void TPrintPreview::Abort() {
    if (aborted_ || state_ == TPreviewState::Idle)
        return;
    aborted_ = true;
    if (state_ == TPreviewState::Recording) {
        canvas_.reset();
        recording_.reset();
        pages_->Clear();
    } else if (state_ == TPreviewState::Printing) {
        AbortPrinterJob();
    }
    emit OnAbort();
    SetState(TPreviewState::Idle);
}

// ---- pages

int TPrintPreview::TotalPages() const {
    return directPrinting_ ? directPageCount_ : pages_->Count();
}

TMetafile* TPrintPreview::Pages(int pageNo) {
    if (pageNo < 1 || pageNo > TotalPages())
        return nullptr;
    return &pages_->Metafiles(pageNo - 1);
}

int TPrintPreview::CacheSize() const {
    return pages_->CacheSize();
}

void TPrintPreview::SetCacheSize(int value) {
    pages_->SetCacheSize(value);
}

void TPrintPreview::SetCurrentPage(int value) {
    const int total = TotalPages();
    if (total == 0)
        return;
    value = std::clamp(value, 1, total);
    if (value == currentPage_)
        return;
    currentPage_ = value;
    RefreshBackground(value);
    RefreshAnnotation(value);
    paper_->Invalidate();
    PageViewsCurrentChanged();
    emit OnChange();
}

void TPrintPreview::PagesChanged(int first, int last) {
    if (last < 0) {
        currentPage_ = 0;
        annotationLayer_.reset();
        backgroundLayer_.reset();
        dragging_ = false;
        paper_->hide();
        horizontalScrollBar()->setRange(0, 0);
        verticalScrollBar()->setRange(0, 0);
        viewport()->update();
    } else {
        if (currentPage_ == 0) {
            currentPage_ = 1;
            LayoutPaper();
            paper_->show();
        }
        if (currentPage_ >= first + 1 && currentPage_ <= last + 1) {
            RefreshBackground(currentPage_);
            RefreshAnnotation(currentPage_);
            paper_->Invalidate();
        }
    }
    if (last >= 0 && TotalPages() == last - first + 1)
        PageViewsRebuild();
    else
        PageViewsPagesChanged(first, last);
    emit OnChange();
}

void TPrintPreview::PageChanged(int index) {
    if (index == currentPage_ - 1) {
        RefreshBackground(currentPage_);
        RefreshAnnotation(currentPage_);
        paper_->Invalidate();
    }
    PageViewsPageChanged(index, index);
    emit OnChange();
}

// ---- layers and drawing

void TPrintPreview::SetAnnotation(bool value) {
    if (value == annotation_)
        return;
    annotation_ = value;
    RefreshAnnotation(currentPage_);
    paper_->Invalidate();
}

void TPrintPreview::SetBackground(bool value) {
    if (value == background_)
        return;
    background_ = value;
    RefreshBackground(currentPage_);
    paper_->Invalidate();
}

void TPrintPreview::RefreshAnnotation(int pageNo) {
    RefreshLayer(pageNo, annotation_, annotationLayer_, true);
}

void TPrintPreview::RefreshBackground(int pageNo) {
    RefreshLayer(pageNo, background_, backgroundLayer_, false);
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
    const QColor paper = paper_->PaperColor();
    image.fill(paper);
    {
        QPainter bitmap(&image);
        bitmap.setRenderHints(painter.renderHints());
        page->Draw(bitmap, rect.translated(-part.topLeft()));
    }
    MakeGray(image, grayBrightness_, grayContrast_, paper.rgb());
    painter.drawImage(part.topLeft(), image);
}

void TPrintPreview::DrawPreviewPage(int pageNo, QPainter& painter, const QRect& rect) {
    if (pageNo < 1 || pageNo > TotalPages())
        return;
    if (backgroundLayer_ != nullptr)
        backgroundLayer_->Draw(painter, rect);
    try {
        RenderPage(pageNo, painter, rect, grayscale_.testFlag(gsPreview));
    } catch (const std::exception& error) {
        // A paint cannot report a failure; the page says what went wrong instead of staying blank.
        painter.save();
        painter.setPen(Qt::darkRed);
        painter.drawText(rect.adjusted(8, 8, -8, -8), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                         tr("The page cannot be shown: %1").arg(QString::fromUtf8(error.what())));
        painter.restore();
    }
    if (annotationLayer_ != nullptr)
        annotationLayer_->Draw(painter, rect);
    if (showPrintableArea_ && paperSize_.width() > 0 && paperSize_.height() > 0) {
        const QRect area = PrinterPageBounds();
        const double sx = double(rect.width()) / paperSize_.width();
        const double sy = double(rect.height()) / paperSize_.height();
        const int left = rect.left() + static_cast<int>(std::lround(area.left() * sx));
        const int right = rect.left() + static_cast<int>(std::lround((area.left() + area.width()) * sx));
        const int top = rect.top() + static_cast<int>(std::lround(area.top() * sy));
        const int bottom = rect.top() + static_cast<int>(std::lround((area.top() + area.height()) * sy));
        painter.save();
        painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        painter.setPen(QPen(printableAreaColor_, 0, Qt::DotLine));
        painter.drawLine(left, rect.top(), left, rect.bottom());
        painter.drawLine(right, rect.top(), right, rect.bottom());
        painter.drawLine(rect.left(), top, rect.right(), top);
        painter.drawLine(rect.left(), bottom, rect.right(), bottom);
        painter.restore();
    }
}

void TPrintPreview::SetGrayscale(TGrayscaleOptions value) {
    if (value == grayscale_)
        return;
    grayscale_ = value;
    paper_->Invalidate();
    PageViewsGrayscaleChanged(false);
}

void TPrintPreview::SetGrayBrightness(int value) {
    value = std::clamp(value, -100, 100);
    if (value == grayBrightness_)
        return;
    grayBrightness_ = value;
    if (grayscale_.testFlag(gsPreview)) {
        paper_->Invalidate();
        PageViewsGrayscaleChanged(true);
    }
}

void TPrintPreview::SetGrayContrast(int value) {
    value = std::clamp(value, -100, 100);
    if (value == grayContrast_)
        return;
    grayContrast_ = value;
    if (grayscale_.testFlag(gsPreview)) {
        paper_->Invalidate();
        PageViewsGrayscaleChanged(true);
    }
}

void TPrintPreview::SetShowPrintableArea(bool value) {
    if (value == showPrintableArea_)
        return;
    showPrintableArea_ = value;
    if (currentPage_ != 0)
        paper_->Invalidate();
}

void TPrintPreview::SetPrintableAreaColor(const QColor& value) {
    if (value == printableAreaColor_)
        return;
    printableAreaColor_ = value;
    if (showPrintableArea_ && currentPage_ != 0)
        paper_->Invalidate();
}

// ---- page views

void TPrintPreview::AttachPageView(TPageView* view) {
    if (view == nullptr || std::find(pageViews_.begin(), pageViews_.end(), view) != pageViews_.end())
        return;
    if (view->preview_ != nullptr)
        view->preview_->DetachPageView(view);
    pageViews_.push_back(view);
    view->preview_ = this;
}

void TPrintPreview::DetachPageView(TPageView* view) {
    const auto found = std::find(pageViews_.begin(), pageViews_.end(), view);
    if (found == pageViews_.end())
        return;
    pageViews_.erase(found);
    view->preview_ = nullptr;
}

template <class Visit> void TPrintPreview::ForEachView(Visit&& visit) {
    // A view may detach itself, or others, while it is told.
    const std::vector<TPageView*> views = pageViews_;
    for (TPageView* view : views)
        if (std::find(pageViews_.begin(), pageViews_.end(), view) != pageViews_.end())
            visit(*view);
}

void TPrintPreview::PageViewsRebuild() {
    ForEachView([](TPageView& view) { view.PageViewsRebuild(); });
}

void TPrintPreview::PageViewsPagesChanged(int first, int last) {
    ForEachView([&](TPageView& view) { view.PageViewsPagesChanged(first, last); });
}

void TPrintPreview::PageViewsPageChanged(int first, int last) {
    ForEachView([&](TPageView& view) { view.PageViewsPageChanged(first, last); });
}

void TPrintPreview::PageViewsGrayscaleChanged(bool onlyIfGray) {
    ForEachView([&](TPageView& view) { view.PageViewsGrayscaleChanged(onlyIfGray); });
}

void TPrintPreview::PageViewsCurrentChanged() {
    ForEachView([this](TPageView& view) { view.PageViewsCurrentChanged(currentPage_ - 1); });
}

// ---- zoom and layout

void TPrintPreview::SetZoom(int value) {
    value = ClampZoom(value, zoomMin_, zoomMax_);
    if (value == zoom_ && zoomState_ == zsZoomOther)
        return;
    const int before = zoom_;
    zoom_ = value;
    zoomState_ = zsZoomOther;
    LayoutPaper();
    // The layout reports a changed zoom; a change of mode alone is reported here.
    if (zoom_ == before)
        emit OnZoomChange();
}

void TPrintPreview::SetZoomState(TZoomState value) {
    if (value == zoomState_)
        return;
    const int before = zoom_;
    zoomState_ = value;
    LayoutPaper();
    if (zoom_ == before)
        emit OnZoomChange();
}

void TPrintPreview::SetZoomMin(int value) {
    if (value == zoomMin_ || value < 1 || value > zoomMax_)
        return;
    zoomMin_ = value;
    if (zoomState_ == zsZoomOther && zoom_ < value)
        SetZoom(value);
}

void TPrintPreview::SetZoomMax(int value) {
    if (value == zoomMax_ || value < zoomMin_)
        return;
    zoomMax_ = value;
    if (zoomState_ == zsZoomOther && zoom_ > value)
        SetZoom(value);
}

void TPrintPreview::SetScrollMargin(int value) {
    value = std::max(value, 0);
    if (value == margin_)
        return;
    margin_ = value;
    LayoutPaper();
}

TSheetSize TPrintPreview::ComputePaperViewSize(QSize space) const {
    const TSheetFrame frame{paper_->PaperWidthToClient(0), paper_->PaperHeightToClient(0)};
    return preview::ComputePaperViewSize(zoomState_, zoom_, pagePixels_, space, frame);
}

bool TPrintPreview::EnsureOffScreen() {
    // A hidden sheet has its resize still pending and no pixmap of its new size yet.
    if (!paper_->HasOffScreen() || paper_->testAttribute(Qt::WA_PendingResizeEvent))
        return paper_->AllocateOffScreen();
    return true;
}

void TPrintPreview::LayoutPaper() {
    LayoutPaper(false);
}

void TPrintPreview::LayoutPaper(bool retry) {
    if (pages_->Count() == 0 || layingOut_)
        return;
    QScrollBar* horizontal = horizontalScrollBar();
    QScrollBar* vertical = verticalScrollBar();
    {
        // Nothing paints until the event loop runs again, so every change below ends in one repaint of
        // what changed: the sheet, the desk it uncovers and the bars. Switching updates off and on
        // would repaint the frame and both bars besides, on every zoom step.
        QScopedValueRollback<bool> guard(layingOut_, true);
        double rx = 0;
        double ry = 0;
        if (zoomSavePos_ && currentPage_ != 0) {
            // Kept as fractions, so that zooming back and forth does not creep.
            rx = horizontal->maximum() > 0 ? double(horizontal->value()) / horizontal->maximum() : 0;
            ry = vertical->maximum() > 0 ? double(vertical->value()) / vertical->maximum() : 0;
        }
        // The room the bars take, as the scroll area measures it; the viewport's largest size leaves
        // out the bars that are on, so they are added back to have the room without any bar.
        const int barWidth = vertical->sizeHint().width();
        const int barHeight = horizontal->sizeHint().height();
        const TSheetFrame frame{paper_->PaperWidthToClient(0), paper_->PaperHeightToClient(0)};
        const QSize area = maximumViewportSize() +
                           QSize(verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn ? barWidth : 0,
                                 horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn ? barHeight : 0);
        // The overridable size computation decides; the shared arithmetic places the bars and centres.
        TSheetLayout layout =
            LayoutSheet(zoomState_, zoom_, pagePixels_, area, margin_, barWidth, barHeight, frame);
        const TSheetSize sheet = ComputePaperViewSize(layout.Space);
        layout.Sheet = sheet.Size;
        zoom_ = sheet.Zoom;
        canScrollHorz_ = layout.CanScrollHorz;
        canScrollVert_ = layout.CanScrollVert;
        sheetOrigin_ = layout.Origin;
        setHorizontalScrollBarPolicy(canScrollHorz_ ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(canScrollVert_ ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        const int maxX = canScrollHorz_ ? layout.Sheet.width() - layout.Space.width() : 0;
        const int maxY = canScrollVert_ ? layout.Sheet.height() - layout.Space.height() : 0;
        horizontal->setRange(0, maxX);
        vertical->setRange(0, maxY);
        horizontal->setPageStep(layout.Space.width() + 2 * margin_);
        vertical->setPageStep(layout.Space.height() + 2 * margin_);
        horizontal->setValue(static_cast<int>(std::lround(rx * maxX)));
        vertical->setValue(static_cast<int>(std::lround(ry * maxY)));
        paper_->setGeometry(
            QRect(sheetOrigin_ - QPoint(horizontal->value(), vertical->value()), layout.Sheet));
        dragging_ = false;
        UpdatePaperCursor();
    }
    if (zoom_ == lastZoom_)
        return;
    if (EnsureOffScreen()) {
        lastZoom_ = zoom_;
        emit OnZoomChange();
        return;
    }
    // The sheet is too large for its pixmap: back to the last zoom that could be shown, or to the
    // whole page. In the fit modes the sheet follows the view, so the previous zoom is taken as a
    // fixed one; and one retry is all, so that a view no sheet fits in cannot loop.
    if (retry)
        return;
    if (lastZoom_ != 0) {
        zoom_ = lastZoom_;
        zoomState_ = zsZoomOther;
    } else {
        zoomState_ = zsZoomToFit;
    }
    LayoutPaper(true);
}

void TPrintPreview::UpdatePaperCursor() {
    const TCursor cursor = dragging_                          ? paperView_->GrabCursor()
                           : canScrollHorz_ || canScrollVert_ ? paperView_->DragCursor()
                                                              : paperView_->Cursor();
    paper_->SetCursor(cursor);
}

void TPrintPreview::OptionsChanged(TChangeLevel level) {
    paperView_->AssignTo(paper_);
    UpdatePaperCursor();
    if (level == TChangeLevel::Geometry)
        LayoutPaper();
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
    if (layingOut_ || currentPage_ == 0)
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
        SetCurrentPage(currentPage_ + action.Sign);
        break;
    case TKeyCommand::TurnToEnd:
        SetCurrentPage(action.Sign < 0 ? 1 : TotalPages());
        break;
    case TKeyCommand::Zoom:
        SetZoom(zoom_ + action.Sign * zoomStep_);
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
    wheelRemainder_ += delta;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const Qt::MouseButtons buttons = event->buttons();
    while (std::abs(wheelRemainder_) >= kWheelNotch) {
        const bool away = wheelRemainder_ > 0; // away from the user
        wheelRemainder_ += away ? -kWheelNotch : kWheelNotch;
        if (modifiers == Qt::NoModifier && buttons == Qt::NoButton) {
            QScrollBar* bar = verticalScrollBar();
            bar->setValue(bar->value() + (away ? -bar->singleStep() : bar->singleStep()));
        } else if ((modifiers == Qt::ShiftModifier && buttons == Qt::NoButton) ||
                   (modifiers == Qt::NoModifier && buttons == Qt::MiddleButton)) {
            SetCurrentPage(currentPage_ + (away ? -1 : 1));
        } else if (modifiers == Qt::ControlModifier && buttons == Qt::NoButton) {
            SetZoom(zoom_ + (away ? zoomStep_ : -zoomStep_));
        } else {
            event->ignore();
        }
    }
}

QPoint TPrintPreview::ToViewport(const QMouseEvent& event) const {
    return paper_->mapTo(viewport(), event.position().toPoint());
}

void TPrintPreview::PaperMouseDown(QMouseEvent& event) {
    if (!hasFocus() && (focusPolicy() & Qt::ClickFocus) != 0)
        setFocus(Qt::MouseFocusReason);
    if (canScrollHorz_ || canScrollVert_) {
        dragging_ = true;
        UpdatePaperCursor();
    }
    dragOrigin_ = event.position().toPoint();
    emit OnMouseDown(event.button(), event.modifiers(), ToViewport(event));
}

void TPrintPreview::PaperMouseMove(QMouseEvent& event) {
    if (dragging_ && event.buttons().testFlag(Qt::LeftButton)) {
        // The sheet follows the hand: the point grabbed stays under the pointer.
        const QPoint delta = event.position().toPoint() - dragOrigin_;
        if (canScrollHorz_)
            horizontalScrollBar()->setValue(horizontalScrollBar()->value() - delta.x());
        if (canScrollVert_)
            verticalScrollBar()->setValue(verticalScrollBar()->value() - delta.y());
    }
    emit OnMouseMove(event.buttons(), event.modifiers(), ToViewport(event));
}

void TPrintPreview::PaperMouseUp(QMouseEvent& event) {
    if (dragging_) {
        dragging_ = false;
        UpdatePaperCursor();
    }
    emit OnMouseUp(event.button(), event.modifiers(), ToViewport(event));
}

} // namespace preview

namespace {
// The component sets itself up as soon as the application object exists, without a call from the
// program. Kept in the control's own file: a static library's object file, and so this registration, is
// linked only when the program needs something from it.
void StartPreviewComponent() {
    preview::Initialize();
}
} // namespace
Q_COREAPP_STARTUP_FUNCTION(StartPreviewComponent)
