// The print preview control: an application draws a document on it page by page, as it would on a
// printer, and the control keeps the pages and shows the current one as a sheet of paper that the user
// zooms, scrolls, drags and pages through. Data flow: BeginDoc/NewPage/EndDoc record each page through
// Canvas() into a picture that goes to the page store; the store reports added or changed pages; the
// control lays the sheet (TPaperPreview) out in its viewport for the zoom and replays the current page
// into the sheet's off-screen pixmap when the sheet asks for a part of it.
#pragma once

#include "preview/Canvas.h"
#include "preview/Metafile.h"
#include "preview/MetafileList.h"
#include "preview/PageView.h"
#include "preview/PaperPreview.h"
#include "preview/PaperTypes.h"
#include "preview/Printer.h"
#include "preview/SheetLayout.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QFlags>
#include <QRect>
#include <QString>

#include <memory>
#include <vector>

class QMouseEvent;

namespace preview {

enum TGrayscaleOption { gsPreview = 1, gsPrint = 2 };
Q_DECLARE_FLAGS(TGrayscaleOptions, TGrayscaleOption)

enum class TPreviewState { Idle = 0, Recording = 1, Printing = 2, SavingPDF = 8 };

// The message of a page that cannot be recorded.
inline constexpr const char* kNoMemoryForPage = "There is not enough memory to create a new page";

class TPrintPreview : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TPrintPreview(QWidget* parent = nullptr);
    ~TPrintPreview() override;

    // ---- units and paper
    TUnits Units() const { return units_; }
    void SetUnits(TUnits value);
    TPaperType PaperType() const { return paperType_; }
    void SetPaperType(TPaperType value);
    TPrinterOrientation Orientation() const { return orientation_; }
    void SetOrientation(TPrinterOrientation value);
    // The paper in Units, as it lies (width and height swapped in landscape).
    int PaperWidth() const { return paperSize_.width(); }
    void SetPaperWidth(int value);
    int PaperHeight() const { return paperSize_.height(); }
    void SetPaperHeight(int value);
    void SetPaperSize(int width, int height);
    void SetPaperSizeAndOrientation(int width, int height, TPrinterOrientation orientation);
    // The paper's size in screen pixels at 100 %.
    QSize PagePixels() const { return pagePixels_; }
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
    TPreviewState State() const { return state_; }
    bool Aborted() const { return aborted_; }
    int TotalPages() const;
    // 1-based; 0 exactly while there are no pages. Setting clamps into 1 to TotalPages.
    int CurrentPage() const { return currentPage_; }
    void SetCurrentPage(int value);
    // The recorded page `pageNo` (1-based), read back from the page file if needed; null outside
    // 1 to TotalPages. Valid until the store evicts it.
    TMetafile* Pages(int pageNo);
    bool DirectPrint() const { return directPrint_; }
    void SetDirectPrint(bool value) { directPrint_ = value; }
    bool UsePrinterOptions() const { return usePrinterOptions_; }
    void SetUsePrinterOptions(bool value) { usePrinterOptions_ = value; }
    // Screen-only layers drawn over (annotation) and under (background) each page through
    // OnAnnotation and OnBackground, recorded again whenever the current page changes.
    bool Annotation() const { return annotation_; }
    void SetAnnotation(bool value);
    bool Background() const { return background_; }
    void SetBackground(bool value);
    int CacheSize() const;
    void SetCacheSize(int value);

    // Draws page `pageNo` stretched over `rect` of any painter (screen, printer, image): the page as
    // recorded, or in gray: then only the part inside the painter's clip is drawn, as an opaque bitmap
    // on the sheet's paper colour converted with GrayBrightness and GrayContrast at the device's pixel
    // ratio (a painter that only translates, as on screen). Layers are not part of it.
    void RenderPage(int pageNo, QPainter& painter, const QRectF& rect, bool gray);

    // ---- zoom and navigation
    int Zoom() const { return zoom_; }
    void SetZoom(int value);
    TZoomState ZoomState() const { return zoomState_; }
    void SetZoomState(TZoomState value);
    int ZoomMin() const { return zoomMin_; }
    void SetZoomMin(int value);
    int ZoomMax() const { return zoomMax_; }
    void SetZoomMax(int value);
    int ZoomStep() const { return zoomStep_; }
    void SetZoomStep(int value) { zoomStep_ = value; }
    bool ZoomSavePos() const { return zoomSavePos_; }
    void SetZoomSavePos(bool value) { zoomSavePos_ = value; }
    bool CanScrollHorz() const { return canScrollHorz_; }
    bool CanScrollVert() const { return canScrollVert_; }
    // Room kept free around the sheet, in pixels; none unless a program asks for it, so that the fit
    // modes fill the view.
    int ScrollMargin() const { return margin_; }
    void SetScrollMargin(int value);
    // Places the sheet for the zoom; runs by itself after every change that moves or sizes it.
    void LayoutPaper();
    TPaperPreview* PaperPreview() const { return paper_; }
    TPaperPreviewOptions* PaperView() const { return paperView_.get(); }

    // ---- page views
    void AttachPageView(TPageView* view);
    void DetachPageView(TPageView* view);

    // ---- gray, printing and PDF
    TGrayscaleOptions Grayscale() const { return grayscale_; }
    void SetGrayscale(TGrayscaleOptions value);
    int GrayBrightness() const { return grayBrightness_; } // -100 to 100
    void SetGrayBrightness(int value);
    int GrayContrast() const { return grayContrast_; } // -100 to 100
    void SetGrayContrast(int value);
    bool ShowPrintableArea() const { return showPrintableArea_; }
    void SetShowPrintableArea(bool value);
    QColor PrintableAreaColor() const { return printableAreaColor_; }
    void SetPrintableAreaColor(const QColor& value);
    QString PrintJobTitle() const { return printJobTitle_; }
    void SetPrintJobTitle(const QString& value) { printJobTitle_ = value; }
    // The part of the paper a printer can print on, in Units; the whole page while no printer is known.
    virtual QRect PrinterPageBounds() const;

    // ---- printing (PrintPreviewPrinting.cpp)
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
    bool DirectPrinting() const { return directPrinting_; }
    int DirectPageCount() const { return directPageCount_; }
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
    void SetState(TPreviewState value);
    void PagesChanged(int first, int last);
    void PageChanged(int index);
    void RefreshLayer(int pageNo, bool enabled, std::unique_ptr<TMetafile>& layer, bool annotation);
    void LayoutPaper(bool retry);
    void UpdatePaperCursor();
    void OptionsChanged(TChangeLevel level);
    void PaperMouseDown(QMouseEvent& event);
    void PaperMouseMove(QMouseEvent& event);
    void PaperMouseUp(QMouseEvent& event);
    QPoint ToViewport(const QMouseEvent& event) const;
    bool DocumentOpen() const;
    void StorePage();
    template <class Visit> void ForEachView(Visit&& visit);

    // Printer pixels at `dpi` to Units and back.
    int FromPrinterPixels(int value, int dpi) const;
    int ToPrinterPixels(int value, int dpi) const;
    // A document printed as it is drawn: the printer's job and pages follow BeginDoc, NewPage and EndDoc.
    void BeginDirectDoc();
    void NewDirectPage();
    void EndDirectDoc();
    void AbortPrinterJob();

    mutable std::unique_ptr<TPrinter> printer_; // created when first needed
    bool directPrinting_ = false;
    int directPageCount_ = 0;
    bool directPageOpen_ = false;
    mutable QString formName_;      // the printer's form that matches the paper
    mutable QString generatedForm_; // the description made when none matches

    std::vector<TPageView*> pageViews_;
    std::unique_ptr<TPaperPreviewOptions> paperView_;
    TPaperPreview* paper_ = nullptr; // a child of the viewport
    QString printJobTitle_;
    std::unique_ptr<TMetafileList> pages_;
    // The page being recorded; its canvas is declared after it so that it goes first.
    std::unique_ptr<TMetafile> recording_;
    std::unique_ptr<TMetafileCanvas> canvas_;
    TUnits units_ = mmHiMetric;
    QSize pagePixels_;
    QSize paperSize_;
    bool aborted_ = false;
    TPrinterOrientation orientation_ = poPortrait;
    int currentPage_ = 0;
    TPaperType paperType_ = pA4;
    TPreviewState state_ = TPreviewState::Idle;

    int zoom_ = 100;
    TZoomState zoomState_ = zsZoomToFit;
    bool zoomSavePos_ = true;
    int zoomMin_ = 10;
    int zoomMax_ = 500;
    int zoomStep_ = 10;
    int lastZoom_ = 0;
    bool canScrollHorz_ = false;
    bool canScrollVert_ = false;
    QPoint dragOrigin_;
    bool dragging_ = false;
    int margin_ = 0;
    QPoint sheetOrigin_; // where the sheet lies with both scroll bars at 0
    bool layingOut_ = false;

    bool usePrinterOptions_ = false;
    bool directPrint_ = false;
    bool annotation_ = false;
    bool background_ = false;
    TGrayscaleOptions grayscale_;
    int grayBrightness_ = 0;
    int grayContrast_ = 0;
    bool showPrintableArea_ = false;
    QColor printableAreaColor_;
    std::unique_ptr<TMetafile> annotationLayer_;
    std::unique_ptr<TMetafile> backgroundLayer_;
    int wheelRemainder_ = 0;
};

} // namespace preview

Q_DECLARE_OPERATORS_FOR_FLAGS(preview::TGrayscaleOptions)
