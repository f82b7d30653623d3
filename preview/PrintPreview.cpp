// The print preview control: its paper and units, documents recorded page by page, the page store and the
// attached page views, and the printing operations it publishes, which its print controller carries out.
#include "preview/PrintPreview.h"

#include "preview/ErrorMessage.h"
#include "preview/Errors.h"
#include "preview/PageReader.h"
#include "preview/PaperTypes.h"
#include "preview/PdfLibrary.h"
#include "preview/PrintPreviewPrivate.h"
#include "preview/Startup.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace preview {

namespace {

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
    , d_(std::make_unique<TPrintPreviewPrivate>(*this)) {
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

    d_->pages->OnChange = [this](TMetafileList&, int first, int last) {
        PagesChanged(first, last);
    };
    d_->pages->OnItemChange = [this](TMetafileList&, int index) {
        PageChanged(index);
    };
    d_->paperView->OnOptionsChanged = [this](TPaperPreviewOptions&, TChangeLevel level) {
        d_->paperView->AssignTo(d_->paper);
        UpdatePaperCursor();
        if (level == TChangeLevel::Geometry)
            LayoutPaper();
    };

    d_->paper = new TPaperPreview(viewport());
    d_->paper->setObjectName(QStringLiteral("PaperPreview"));
    d_->paper->setFocusPolicy(Qt::NoFocus);
    d_->paper->hide();
    d_->paper->OnPaint = [this](TPaperPreview&, QPainter& canvas, const QRect& rect) {
        DrawPreviewPage(d_->currentPage, canvas, rect);
    };
    d_->paper->OnClick = [this](TPaperPreview&) {
        emit OnClick();
    };
    d_->paper->OnDblClick = [this](TPaperPreview&) {
        emit OnDblClick();
    };
    d_->paper->OnMouseDown = [this](TPaperPreview&, QMouseEvent& event) {
        PaperMouseDown(event);
    };
    d_->paper->OnMouseMove = [this](TPaperPreview&, QMouseEvent& event) {
        PaperMouseMove(event);
    };
    d_->paper->OnMouseUp = [this](TPaperPreview&, QMouseEvent& event) {
        PaperMouseUp(event);
    };
    d_->paperView->AssignTo(d_->paper);
    // Screen readers read the current page's text on the sheet.
    new TPageReader(*this);

    int width = 0;
    int height = 0;
    PaperTypeSize(pA4, d_->units, width, height);
    d_->paperSize = QSize(width, height);
    ComputePagePixels();
}

TPrintPreview::~TPrintPreview() {
    for (TPageView* view : d_->pageViews)
        view->preview_ = nullptr;
    d_->pageViews.clear();
    d_->canvas.reset();
    d_->recording.reset();
    // The store's and the options' listeners point here: they go before the rest of the control.
    d_->pages.reset();
    delete d_->paper;
    d_->paper = nullptr;
    d_->paperView.reset();
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
    return preview::PaperTypeOfSize(width, height, d_->units, ScreenDpiX(), ScreenDpiY());
}

TPaperType TPrintPreview::PaperTypeOfCode(int code) {
    return preview::PaperTypeOfCode(code);
}

bool TPrintPreview::PaperTypeSize(TPaperType type, TUnits units, int& width, int& height) const {
    return preview::PaperTypeSize(type, units, width, height, ScreenDpiX(), ScreenDpiY());
}

QRect TPrintPreview::PageBounds() const {
    return {QPoint(0, 0), d_->paperSize};
}

void TPrintPreview::SetUnits(TUnits value) {
    if (value == d_->units)
        return;
    const TUnits old = d_->units;
    QSize size;
    if (d_->paperType == pCustom) {
        size =
            QSize(ConvertX(d_->paperSize.width(), old, value), ConvertY(d_->paperSize.height(), old, value));
    } else {
        int width = 0;
        int height = 0;
        PaperTypeSize(d_->paperType, value, width, height);
        size = d_->orientation == poLandscape ? QSize(height, width) : QSize(width, height);
    }
    d_->paperSize = size;
    // The canvas is mapped with the new unit, so the unit changes first.
    d_->units = value;
    if (d_->canvas != nullptr && d_->canvas->IsActive()) {
        QPainter& painter = d_->canvas->Painter();
        QPen pen = painter.pen();
        pen.setWidth(ConvertX(pen.width(), old, value));
        painter.setPen(pen);
        MapCanvasToUnits(*d_->canvas, ScreenDpiX(), ScreenDpiY());
    }
}

void TPrintPreview::SetPaperType(TPaperType value) {
    if (value == d_->paperType || d_->state != TPreviewState::Idle || value < 0 || value > pCustom)
        return;
    d_->paperType = value;
    if (value == pCustom)
        return;
    int width = 0;
    int height = 0;
    PaperTypeSize(value, d_->units, width, height);
    d_->paperSize = d_->orientation == poLandscape ? QSize(height, width) : QSize(width, height);
    NotifyPaperChange();
}

void TPrintPreview::SetOrientation(TPrinterOrientation value) {
    if (value == d_->orientation || d_->state != TPreviewState::Idle)
        return;
    d_->orientation = value;
    d_->paperSize.transpose();
    NotifyPaperChange();
}

void TPrintPreview::SetPaperWidth(int value) {
    SetPaperSize(value, d_->paperSize.height());
}

void TPrintPreview::SetPaperHeight(int value) {
    SetPaperSize(d_->paperSize.width(), value);
}

void TPrintPreview::SetPaperSize(int width, int height) {
    SetPaperSizeAndOrientation(width, height, d_->orientation);
}

void TPrintPreview::SetPaperSizeAndOrientation(int width, int height, TPrinterOrientation orientation) {
    const QSize size(std::max(width, 1), std::max(height, 1));
    if ((size == d_->paperSize && orientation == d_->orientation) || d_->state != TPreviewState::Idle)
        return;
    d_->paperSize = size;
    d_->orientation = orientation;
    d_->paperType = orientation == poLandscape ? PaperTypeOfSize(size.height(), size.width())
                                               : PaperTypeOfSize(size.width(), size.height());
    NotifyPaperChange();
}

void TPrintPreview::NotifyPaperChange() {
    d_->printing.ForgetForm();
    ComputePagePixels();
    LayoutPaper();
    d_->paper->Invalidate();
    emit OnPaperChange();
}

void TPrintPreview::ComputePagePixels() {
    d_->pagePixels = QSize(ConvertX(d_->paperSize.width(), d_->units, mmPixel),
                           ConvertY(d_->paperSize.height(), d_->units, mmPixel));
}

// ---- recording

void TPrintPreview::MapCanvasToUnits(TCanvas& canvas, int dpiX, int dpiY, QPoint offset) {
    const QSize units = d_->paperSize;
    const QSize pixels(ConvertUnits(units.width(), d_->units, mmPixel, dpiX, ScreenDpiX()),
                       ConvertUnits(units.height(), d_->units, mmPixel, dpiY, ScreenDpiY()));
    canvas.MapToUnits(units, pixels, -offset, dpiY);
}

std::unique_ptr<TMetafileCanvas> TPrintPreview::CreateRecordingCanvas(TMetafile& metafile) {
    return std::make_unique<TMetafileCanvas>(metafile);
}

void TPrintPreview::OpenPageRecording(std::unique_ptr<TMetafile>& metafile,
                                      std::unique_ptr<TMetafileCanvas>& canvas) {
    auto page = std::make_unique<TMetafile>(d_->pagePixels.width(), d_->pagePixels.height());
    auto recorder = CreateRecordingCanvas(*page); // declared after the page, so it goes first
    if (recorder == nullptr || !recorder->IsActive())
        throw EOutOfMemory(Message(kNoMemoryForPage));
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
        throw EOutOfMemory(Message(kNoMemoryForPage));
    }
}

void TPrintPreview::SetState(TPreviewState value) {
    if (value == d_->state)
        return;
    d_->state = value;
    emit OnStateChange();
}

bool TPrintPreview::DocumentOpen() const {
    return (d_->state == TPreviewState::Recording && !d_->printing.DirectPrinting()) ||
           (d_->state == TPreviewState::Printing && d_->printing.DirectPrinting());
}

TCanvas* TPrintPreview::Canvas() const {
    if (d_->canvas != nullptr)
        return d_->canvas.get();
    return d_->printing.DirectCanvas();
}

void TPrintPreview::StorePage() {
    // The page is closed and stored as one step; whatever fails, nothing stays open.
    std::unique_ptr<TMetafile> page;
    {
        std::unique_ptr<TMetafile> recording = std::move(d_->recording);
        std::unique_ptr<TMetafileCanvas> canvas = std::move(d_->canvas);
        ClosePageRecording(recording, canvas);
        page = std::move(recording);
    }
    d_->pages->Add(*page);
}

void TPrintPreview::BeginDoc() {
    if (d_->state != TPreviewState::Idle)
        return;
    d_->canvas.reset();
    d_->recording.reset();
    d_->aborted = false;
    if (d_->directPrint) {
        d_->printing.BeginDirectDoc();
    } else {
        // The printer's paper is taken while the control is still idle: a busy control keeps its paper.
        if (d_->usePrinterOptions)
            TakePaperFromPrinter();
        d_->pages->Clear();
        SetState(TPreviewState::Recording);
        ComputePagePixels();
    }
    emit OnBeginDoc();
    NewPage();
}

void TPrintPreview::NewPage() {
    if (!DocumentOpen())
        return;
    if (d_->printing.DirectPrinting()) {
        d_->printing.NewDirectPage();
        emit OnNewPage();
        return;
    }
    if (d_->canvas != nullptr) {
        emit OnEndPage();
        StorePage();
    }
    OpenPageRecording(d_->recording, d_->canvas);
    emit OnNewPage();
}

void TPrintPreview::EndDoc() {
    if (!DocumentOpen())
        return;
    if (d_->printing.DirectPrinting()) {
        d_->printing.EndDirectDoc();
    } else if (d_->canvas != nullptr) {
        // After a page failed to record there is no open page, and the document just ends.
        emit OnEndPage();
        StorePage();
    }
    emit OnEndDoc();
    SetState(TPreviewState::Idle);
}

void TPrintPreview::Abort() {
    if (d_->aborted || d_->state == TPreviewState::Idle)
        return;
    d_->aborted = true;
    if (d_->state == TPreviewState::Recording) {
        d_->canvas.reset();
        d_->recording.reset();
        d_->pages->Clear();
    } else if (d_->state == TPreviewState::Printing) {
        d_->printing.AbortPrinterJob();
    }
    emit OnAbort();
    SetState(TPreviewState::Idle);
}

// ---- pages

int TPrintPreview::TotalPages() const {
    return d_->printing.DirectPrinting() ? d_->printing.DirectPageCount() : d_->pages->Count();
}

TMetafile* TPrintPreview::Pages(int pageNo) {
    if (pageNo < 1 || pageNo > TotalPages())
        return nullptr;
    return &d_->pages->Metafiles(pageNo - 1);
}

int TPrintPreview::CacheSize() const {
    return d_->pages->CacheSize();
}

void TPrintPreview::SetCacheSize(int value) {
    d_->pages->SetCacheSize(value);
}

void TPrintPreview::SetCurrentPage(int value) {
    const int total = TotalPages();
    if (total == 0)
        return;
    value = std::clamp(value, 1, total);
    if (value == d_->currentPage)
        return;
    d_->currentPage = value;
    RefreshBackground(value);
    RefreshAnnotation(value);
    d_->paper->Invalidate();
    PageViewsCurrentChanged();
    emit OnChange();
}

void TPrintPreview::PagesChanged(int first, int last) {
    if (last < 0) {
        d_->currentPage = 0;
        d_->annotationLayer.reset();
        d_->backgroundLayer.reset();
        d_->dragging = false;
        d_->paper->hide();
        horizontalScrollBar()->setRange(0, 0);
        verticalScrollBar()->setRange(0, 0);
        viewport()->update();
    } else {
        if (d_->currentPage == 0) {
            d_->currentPage = 1;
            LayoutPaper();
            d_->paper->show();
        }
        if (d_->currentPage >= first + 1 && d_->currentPage <= last + 1) {
            RefreshBackground(d_->currentPage);
            RefreshAnnotation(d_->currentPage);
            d_->paper->Invalidate();
        }
    }
    if (last >= 0 && TotalPages() == last - first + 1)
        PageViewsRebuild();
    else
        PageViewsPagesChanged(first, last);
    emit OnChange();
}

void TPrintPreview::PageChanged(int index) {
    if (index == d_->currentPage - 1) {
        RefreshBackground(d_->currentPage);
        RefreshAnnotation(d_->currentPage);
        d_->paper->Invalidate();
    }
    PageViewsPageChanged(index, index);
    emit OnChange();
}

// ---- properties

TUnits TPrintPreview::Units() const {
    return d_->units;
}

TPaperType TPrintPreview::PaperType() const {
    return d_->paperType;
}

TPrinterOrientation TPrintPreview::Orientation() const {
    return d_->orientation;
}

int TPrintPreview::PaperWidth() const {
    return d_->paperSize.width();
}

int TPrintPreview::PaperHeight() const {
    return d_->paperSize.height();
}

QSize TPrintPreview::PagePixels() const {
    return d_->pagePixels;
}

TPreviewState TPrintPreview::State() const {
    return d_->state;
}

bool TPrintPreview::Aborted() const {
    return d_->aborted;
}

int TPrintPreview::CurrentPage() const {
    return d_->currentPage;
}

bool TPrintPreview::DirectPrint() const {
    return d_->directPrint;
}

void TPrintPreview::SetDirectPrint(bool value) {
    d_->directPrint = value;
}

bool TPrintPreview::UsePrinterOptions() const {
    return d_->usePrinterOptions;
}

void TPrintPreview::SetUsePrinterOptions(bool value) {
    d_->usePrinterOptions = value;
}

QString TPrintPreview::PrintJobTitle() const {
    return d_->printJobTitle;
}

void TPrintPreview::SetPrintJobTitle(const QString& value) {
    d_->printJobTitle = value;
}

bool TPrintPreview::DirectPrinting() const {
    return d_->printing.DirectPrinting();
}

int TPrintPreview::DirectPageCount() const {
    return d_->printing.DirectPageCount();
}

// ---- page views

void TPrintPreview::AttachPageView(TPageView* view) {
    if (view == nullptr || std::find(d_->pageViews.begin(), d_->pageViews.end(), view) != d_->pageViews.end())
        return;
    if (view->preview_ != nullptr)
        view->preview_->DetachPageView(view);
    d_->pageViews.push_back(view);
    view->preview_ = this;
}

void TPrintPreview::DetachPageView(TPageView* view) {
    const auto found = std::find(d_->pageViews.begin(), d_->pageViews.end(), view);
    if (found == d_->pageViews.end())
        return;
    d_->pageViews.erase(found);
    view->preview_ = nullptr;
}

template <class Visit> void TPrintPreview::ForEachView(Visit&& visit) {
    // A view may detach itself, or others, while it is told.
    const std::vector<TPageView*> views = d_->pageViews;
    for (TPageView* view : views)
        if (std::find(d_->pageViews.begin(), d_->pageViews.end(), view) != d_->pageViews.end())
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
    ForEachView([this](TPageView& view) { view.PageViewsCurrentChanged(d_->currentPage - 1); });
}

// ---- printing and PDF: the work is the print controller's

TPrinter& TPrintPreview::Printer() const {
    return d_->printing.Printer();
}

void TPrintPreview::SetPrinter(std::unique_ptr<TPrinter> printer) {
    d_->printing.SetPrinter(std::move(printer));
}

bool TPrintPreview::PrinterInstalled() const {
    return Printer().Installed();
}

QRect TPrintPreview::PrinterPageBounds() const {
    return d_->printing.PrinterPageBounds();
}

QRect TPrintPreview::PrinterPaperRect() const {
    return d_->printing.PrinterPaperRect();
}

void TPrintPreview::Print() {
    PrintPages(1, TotalPages());
}

void TPrintPreview::PrintPages(int from, int to) {
    d_->printing.PrintPages(from, to);
}

void TPrintPreview::ApplyPaperToPrinter() {
    d_->printing.ApplyPaperToPrinter();
}

void TPrintPreview::TakePaperFromPrinter() {
    d_->printing.TakePaperFromPrinter();
}

QString TPrintPreview::FormName() const {
    return d_->printing.FormName();
}

bool TPrintPreview::PaperFormGenerated() const {
    return d_->printing.PaperFormGenerated();
}

void TPrintPreview::StartPrintJob() {
    d_->printing.StartPrintJob();
}

void TPrintPreview::FinishPrintJob(bool succeeded) {
    d_->printing.FinishPrintJob(succeeded);
}

void TPrintPreview::ReportProgress(int pageNo, int done, int total) {
    d_->printing.ReportProgress(pageNo, done, total);
}

void TPrintPreview::DrawPrinterPage(int pageNo, TCanvas& canvas, const QRect& rect) {
    d_->printing.DrawPrinterPage(pageNo, canvas, rect);
}

void TPrintPreview::OpenPrinterCanvas() {
    d_->printing.OpenPrinterCanvas();
}

void TPrintPreview::ClosePrinterCanvas() {
    d_->printing.ClosePrinterCanvas();
}

void TPrintPreview::DrawGrayGraphic(QPainter& painter, const QRect& rect, const TMetafile& graphic,
                                    int brightness, int contrast) {
    TPrintController::DrawGrayGraphic(painter, rect, graphic, brightness, contrast);
}

bool TPrintPreview::CanSaveAsPDF() const {
    return TPdfLibrary::Instance().Loaded();
}

QString TPrintPreview::PdfLibraryFile() {
    return TPdfLibrary::Instance().FileName();
}

void TPrintPreview::SaveAsPDF(const QString& fileName) {
    d_->printing.SaveAsPDF(fileName);
}

int TPrintPreview::PdfPaperCode(TPaperType type) {
    return preview::PdfPaperCode(type);
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
