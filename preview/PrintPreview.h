// The print preview control: an application draws a document on it page by page, as it would on a
// printer, and the control keeps the pages and shows the current one as a sheet of paper that the user
// zooms, scrolls, drags and pages through. Data flow: BeginDoc/NewPage/EndDoc record each page through
// Canvas() into a picture that goes to the page store; the store reports added or changed pages; the
// control lays the sheet (TPaperPreview) out in its viewport for the zoom and replays the current page
// into the sheet's off-screen pixmap when the sheet asks for a part of it.
#pragma once

#include "preview/Canvas.h"
#include "preview/PaperTypes.h"
#include "preview/SheetLayout.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QFlags>
#include <QRect>
#include <QString>

#include <memory>

class QMouseEvent;

namespace preview {

class TMetafile;
class TMetafileCanvas;
class TPageView;
class TPaperPreview;
class TPaperPreviewOptions;
class TPrintController;
class TPrinter;
struct TPrintPreviewPrivate;

enum TGrayscaleOption { gsPreview = 1, gsPrint = 2 };
Q_DECLARE_FLAGS(TGrayscaleOptions, TGrayscaleOption)

enum class TPreviewState { Idle = 0, Recording = 1, Printing = 2, SavingPDF = 8 };

// The message of a page that cannot be recorded.
inline constexpr const char* kNoMemoryForPage =
    QT_TRANSLATE_NOOP("preview", "There is not enough memory to create a new page");

class TPrintPreview : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TPrintPreview(QWidget* parent = nullptr);
    ~TPrintPreview() override;

    // ---- units and paper
    TUnits Units() const;
    void SetUnits(TUnits value);
    TPaperType PaperType() const;
    void SetPaperType(TPaperType value);
    TPrinterOrientation Orientation() const;
    void SetOrientation(TPrinterOrientation value);
    // The paper in Units, as it lies (width and height swapped in landscape).
    int PaperWidth() const;
    void SetPaperWidth(int value);
    int PaperHeight() const;
    void SetPaperHeight(int value);
    void SetPaperSize(int width, int height);
    void SetPaperSizeAndOrientation(int width, int height, TPrinterOrientation orientation);
    // The paper's size in screen pixels at 100 %.
    QSize PagePixels() const;
    int ConvertX(int value, TUnits from, TUnits to) const;
    int ConvertY(int value, TUnits from, TUnits to) const;
    QPoint ConvertXY(int x, int y, TUnits from, TUnits to) const;
    void ConvertPoints(QPoint* points, int count, TUnits from, TUnits to) const;
    // The table type of a portrait size in Units, compared in whole millimetres; pCustom if none.
    TPaperType PaperTypeOfSize(int width, int height) const;
    static TPaperType PaperTypeOfCode(int code);
    // The type's portrait size in `units`; false for pCustom.
    bool PaperTypeSize(TPaperType type, TUnits units, int& width, int& height) const;
    // (0, 0, PaperWidth, PaperHeight) in Units.
    QRect PageBounds() const;

    // ---- documents and pages
    // A document replaces the pages shown; a page is drawn on Canvas() in Units between the calls.
    // Raise EOutOfMemory when a page cannot be recorded; the pages stored so far stay.
    void BeginDoc();
    void NewPage();
    void EndDoc();
    // Discards the document being recorded.
    void Abort();
    TCanvas* Canvas() const;
    TPreviewState State() const;
    bool Aborted() const;
    int TotalPages() const;
    // 1-based; 0 exactly while there are no pages. Setting clamps into 1 to TotalPages.
    int CurrentPage() const;
    void SetCurrentPage(int value);
    // The recorded page `pageNo` (1-based), read back from the page file if needed; null outside
    // 1 to TotalPages. Valid until the store evicts it.
    TMetafile* Pages(int pageNo);
    bool DirectPrint() const;
    void SetDirectPrint(bool value);
    bool UsePrinterOptions() const;
    void SetUsePrinterOptions(bool value);
    // Screen-only layers drawn over (annotation) and under (background) each page through
    // OnAnnotation and OnBackground, recorded again whenever the current page changes.
    bool Annotation() const;
    void SetAnnotation(bool value);
    bool Background() const;
    void SetBackground(bool value);
    int CacheSize() const;
    void SetCacheSize(int value);

    // Draws page `pageNo` stretched over `rect` of any painter (screen, printer, image): the page as
    // recorded, or in gray: then only the part inside the painter's clip is drawn, as an opaque bitmap
    // on the sheet's paper colour converted with GrayBrightness and GrayContrast at the device's pixel
    // ratio (a painter that only translates, as on screen). Layers are not part of it.
    void RenderPage(int pageNo, QPainter& painter, const QRectF& rect, bool gray);

    // ---- zoom and navigation
    int Zoom() const;
    void SetZoom(int value);
    TZoomState ZoomState() const;
    void SetZoomState(TZoomState value);
    int ZoomMin() const;
    void SetZoomMin(int value);
    int ZoomMax() const;
    void SetZoomMax(int value);
    int ZoomStep() const;
    void SetZoomStep(int value);
    bool ZoomSavePos() const;
    void SetZoomSavePos(bool value);
    bool CanScrollHorz() const;
    bool CanScrollVert() const;
    // Room kept free around the sheet, in pixels; none unless a program asks for it, so that the fit
    // modes fill the view.
    int ScrollMargin() const;
    void SetScrollMargin(int value);
    // Places the sheet for the zoom; runs by itself after every change that moves or sizes it.
    void LayoutPaper();
    TPaperPreview* PaperPreview() const;
    TPaperPreviewOptions* PaperView() const;

    // ---- page views
    void AttachPageView(TPageView* view);
    void DetachPageView(TPageView* view);

    // ---- gray, printing and PDF
    TGrayscaleOptions Grayscale() const;
    void SetGrayscale(TGrayscaleOptions value);
    int GrayBrightness() const; // -100 to 100
    void SetGrayBrightness(int value);
    int GrayContrast() const; // -100 to 100
    void SetGrayContrast(int value);
    bool ShowPrintableArea() const;
    void SetShowPrintableArea(bool value);
    QColor PrintableAreaColor() const;
    void SetPrintableAreaColor(const QColor& value);
    QString PrintJobTitle() const;
    void SetPrintJobTitle(const QString& value);
    // The part of the paper a printer can print on, in Units; the whole page while no printer is known.
    virtual QRect PrinterPageBounds() const;

    // ---- printing
    // The printer printed on: the system's current printer unless another was given.
    TPrinter& Printer() const;
    void SetPrinter(std::unique_ptr<TPrinter> printer);
    bool PrinterInstalled() const;
    // The paper in printer pixels, placed so that its corner lies on the paper's corner although the
    // printer's origin is the printable area's; empty without a printer.
    QRect PrinterPaperRect() const;
    // Prints pages `from` to `to` (clamped into the document) as one job, with OnBeforePrint,
    // OnPrintProgress and OnAfterPrint; nothing without a printer or while busy. A failure finishes
    // the job as failed and propagates, except EAbort, which ends printing quietly.
    void Print();
    void PrintPages(int from, int to);
    void ApplyPaperToPrinter();
    void TakePaperFromPrinter();
    // The printer's form that matches the paper, else a description such as "100mm x 150mm Rotated".
    QString FormName() const;
    bool PaperFormGenerated() const;
    bool DirectPrinting() const;
    int DirectPageCount() const;
    // Draws `graphic` in gray over `rect`: converted at its own pixel size and stretched by the device.
    static void DrawGrayGraphic(QPainter& painter, const QRect& rect, const TMetafile& graphic,
                                int brightness, int contrast);

    // ---- PDF export
    bool CanSaveAsPDF() const;
    // Writes every page through the PDF library; EMissingPDFLibrary without it, EPdfError with the
    // library's message when it fails.
    void SaveAsPDF(const QString& fileName);
    // The paper code the PDF library takes for a paper type; 0 when the size describes the paper.
    static int PdfPaperCode(TPaperType type);

signals:
    void OnBeginDoc();
    void OnEndDoc();
    void OnNewPage();
    void OnEndPage();
    void OnAbort();
    // Pages were added, removed or changed, or the current page changed.
    void OnChange();
    void OnStateChange();
    void OnZoomChange();
    void OnPaperChange();
    void OnAnnotation(int PageNo, preview::TCanvas& Canvas);
    void OnBackground(int PageNo, preview::TCanvas& Canvas);
    void OnPrintProgress(int PageNo, int Progress, bool& AbortIt);
    void OnBeforePrint();
    void OnAfterPrint();
    void OnPrintAnnotation(int PageNo, preview::TCanvas& Canvas);
    void OnPrintBackground(int PageNo, preview::TCanvas& Canvas);
    // The sheet's mouse events, at the pointer's place in the control's viewport.
    void OnClick();
    void OnDblClick();
    void OnMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Modifiers, QPoint Pos);
    void OnMouseMove(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Modifiers, QPoint Pos);
    void OnMouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Modifiers, QPoint Pos);

protected:
    // The paper's size or orientation changed: pixels, layout, OnPaperChange.
    virtual void NotifyPaperChange();
    virtual void RefreshAnnotation(int pageNo);
    virtual void RefreshBackground(int pageNo);
    // The current page with its layers and, when asked, the printable area, as the sheet shows it.
    virtual void DrawPreviewPage(int pageNo, QPainter& painter, const QRect& rect);
    virtual TSheetSize ComputePaperViewSize(QSize space) const;
    virtual void ComputePagePixels();
    // A new picture of PagePixels() with a canvas mapped to Units. Raise EOutOfMemory when the canvas
    // cannot record; nothing is left open then.
    virtual void OpenPageRecording(std::unique_ptr<TMetafile>& metafile,
                                   std::unique_ptr<TMetafileCanvas>& canvas);
    // Completes the recording into the picture; EOutOfMemory (and no picture) when it failed.
    virtual void ClosePageRecording(std::unique_ptr<TMetafile>& metafile,
                                    std::unique_ptr<TMetafileCanvas>& canvas);
    // The canvas that records on `metafile`; a null or inactive one counts as out of memory.
    virtual std::unique_ptr<TMetafileCanvas> CreateRecordingCanvas(TMetafile& metafile);
    // Maps the canvas of a device of dpiX x dpiY, whose printable corner lies at `offset` device pixels
    // from the paper's corner, so that it draws in Units from the paper's corner.
    virtual void MapCanvasToUnits(TCanvas& canvas, int dpiX, int dpiY, QPoint offset = {});
    virtual int ScreenDpiX() const;
    virtual int ScreenDpiY() const;
    virtual void ReportProgress(int pageNo, int done, int total);
    // Draws a page on the printer's own canvas, in printer pixels, over `rect`, between the print layers.
    virtual void DrawPrinterPage(int pageNo, TCanvas& canvas, const QRect& rect);
    virtual void StartPrintJob();
    virtual void FinishPrintJob(bool succeeded);
    // Maps the printer's canvas to Units from the paper's corner for a directly printed page.
    virtual void OpenPrinterCanvas();
    virtual void ClosePrinterCanvas();
    // Makes sure the sheet has its off-screen pixmap at its current size; false when it cannot have one.
    virtual bool EnsureOffScreen();

    void PageViewsRebuild();
    void PageViewsPagesChanged(int first, int last);
    void PageViewsPageChanged(int first, int last);
    void PageViewsGrayscaleChanged(bool onlyIfGray);
    void PageViewsCurrentChanged();

    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void showEvent(QShowEvent* event) override;

private:
    friend struct TPrintPreviewPrivate;
    friend class TPrintController;
    void SetState(TPreviewState value);
    void PagesChanged(int first, int last);
    void PageChanged(int index);
    void RefreshLayer(int pageNo, bool enabled, std::unique_ptr<TMetafile>& layer, bool annotation);
    void LayoutPaper(bool retry);
    void UpdatePaperCursor();
    void PaperMouseDown(QMouseEvent& event);
    void PaperMouseMove(QMouseEvent& event);
    void PaperMouseUp(QMouseEvent& event);
    QPoint ToViewport(const QMouseEvent& event) const;
    bool DocumentOpen() const;
    void StorePage();
    template <class Visit> void ForEachView(Visit&& visit);

    std::unique_ptr<TPrintPreviewPrivate> d_;
};

} // namespace preview

Q_DECLARE_OPERATORS_FOR_FLAGS(preview::TGrayscaleOptions)
