// The print preview control: an application draws a document on it page by page, as it would on a
// printer, and the control keeps the pages and shows the current one as a sheet of paper that the user
// zooms, scrolls, drags and pages through. Data flow: BeginDoc/NewPage/EndDoc record each page through
// Canvas() into a picture that goes to the page store; the store reports added or changed pages; the
// control lays the sheet (TPaperPreview) out in its viewport for the zoom and replays the current page
// into the sheet's off-screen pixmap when the sheet asks for a part of it.
#pragma once

#include "preview/Canvas.h"
#include "preview/PreviewExport.h"
#include "preview/PreviewTypes.h"

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

/// Where the preview draws pages in gray (TPrintPreview::SetGrayscale).
enum TGrayscaleOption {
    gsPreview = 1, ///< on screen
    gsPrint = 2    ///< on the printer
};
/// A set of TGrayscaleOption values.
Q_DECLARE_FLAGS(TGrayscaleOptions, TGrayscaleOption)

/// What the preview is busy with (TPrintPreview::State). Paper changes and new documents wait for Idle.
enum class TPreviewState {
    Idle = 0,      ///< nothing: pages can be recorded, printed or saved
    Recording = 1, ///< between BeginDoc and EndDoc
    Printing = 2,  ///< printing recorded pages, or a document drawn straight to the printer
    SavingPDF = 8  ///< writing recorded pages through the PDF library
};

/// The message of a page that cannot be recorded.
inline constexpr const char* kNoMemoryForPage =
    QT_TRANSLATE_NOOP("preview", "There is not enough memory to create a new page");

/// A print preview control: a program draws a document on it page by page, as it would on a printer,
/// and the control shows the pages as sheets of paper that the user zooms, scrolls, drags and pages
/// through, prints, sees in gray or saves as PDF.
///
/// Only a few pages stay in memory (CacheSize()); the others wait in a private temporary file that the
/// system removes with the process. See the guide for the whole picture and the keys.
class HANDVISE_PREVIEW_EXPORT TPrintPreview : public QAbstractScrollArea {
    Q_OBJECT
public:
    /// An empty preview: A4 portrait in mmHiMetric, fit to the view.
    explicit TPrintPreview(QWidget* parent = nullptr);
    ~TPrintPreview() override;

    /// @name Units and paper
    /// Paper changes are ignored while State() is not Idle; each one fires OnPaperChange.
    ///@{

    /// The unit pages are drawn in and paper sizes are given in; changing it converts the paper size.
    TUnits Units() const;
    void SetUnits(TUnits value); ///< Sets Units().
    /// The paper by name; pCustom for a size that matches no name. Setting it takes the type's size.
    TPaperType PaperType() const;
    void SetPaperType(TPaperType value); ///< Sets PaperType().
    /// Portrait or landscape; changing it turns the paper.
    TPrinterOrientation Orientation() const;
    void SetOrientation(TPrinterOrientation value); ///< Sets Orientation().
    /// The paper's width in Units(), as it lies (width and height swapped in landscape).
    int PaperWidth() const;
    void SetPaperWidth(int value); ///< Sets PaperWidth().
    /// The paper's height in Units(), as it lies.
    int PaperHeight() const;
    void SetPaperHeight(int value); ///< Sets PaperHeight().
    /// Sets both sides at once, in Units(), as the paper lies; PaperType() follows the size.
    void SetPaperSize(int width, int height);
    /// Sets the size given portrait (in Units()) and the orientation at once.
    void SetPaperSizeAndOrientation(int width, int height, TPrinterOrientation orientation);
    /// The paper's size in screen pixels at 100 %.
    QSize PagePixels() const;
    /// `value` across, converted between units at the screen's resolution.
    int ConvertX(int value, TUnits from, TUnits to) const;
    /// `value` down, converted between units at the screen's resolution.
    int ConvertY(int value, TUnits from, TUnits to) const;
    /// A point converted between units at the screen's resolution.
    QPoint ConvertXY(int x, int y, TUnits from, TUnits to) const;
    /// Converts `count` points in place.
    void ConvertPoints(QPoint* points, int count, TUnits from, TUnits to) const;
    /// The table type of a portrait size in Units(), compared in whole millimetres; pCustom if none.
    TPaperType PaperTypeOfSize(int width, int height) const;
    /// The table type of a printer paper code (a Windows paper number); pCustom if none.
    static TPaperType PaperTypeOfCode(int code);
    /// The type's portrait size in `units`; false for pCustom.
    bool PaperTypeSize(TPaperType type, TUnits units, int& width, int& height) const;
    /// (0, 0, PaperWidth, PaperHeight) in Units().
    QRect PageBounds() const;
    ///@}

    /// @name Documents and pages
    ///@{

    /// Starts a document, which replaces the pages shown, and its first page. Pages are drawn on Canvas()
    /// in Units() between the calls. Nothing while State() is not Idle. Raise EOutOfMemory when a page
    /// cannot be recorded; the pages stored so far stay.
    void BeginDoc();
    /// Ends the page being drawn and starts the next; nothing outside a document.
    void NewPage();
    /// Ends the last page and the document; State() returns to Idle.
    void EndDoc();
    /// Discards the document being recorded, or stops the print job; fires OnAbort.
    void Abort();
    /// The open page's canvas; the printer's while printing directly; null outside a document.
    TCanvas* Canvas() const;
    /// What the preview is busy with; documents, paper changes and print jobs wait for Idle.
    TPreviewState State() const;
    /// True after Abort(), until the next document or print job begins.
    bool Aborted() const;
    /// The number of pages recorded (or printed so far, while printing directly).
    int TotalPages() const;
    /// 1-based; 0 exactly while there are no pages. Setting clamps into 1 to TotalPages.
    int CurrentPage() const;
    void SetCurrentPage(int value); ///< Sets CurrentPage().
    /// The recorded page `pageNo` (1-based), read back from the page file if needed; null outside
    /// 1 to TotalPages. Valid until the store evicts it.
    TMetafile* Pages(int pageNo);
    /// When set, BeginDoc prints the pages drawn straight to the printer instead of recording them.
    bool DirectPrint() const;
    void SetDirectPrint(bool value); ///< Sets DirectPrint().
    /// When set, a document takes the printer's paper; otherwise the printer gets the preview's paper.
    bool UsePrinterOptions() const;
    void SetUsePrinterOptions(bool value); ///< Sets UsePrinterOptions().
    /// Screen-only layers drawn over (annotation) and under (background) each page through
    /// OnAnnotation and OnBackground, recorded again whenever the current page changes.
    bool Annotation() const;
    void SetAnnotation(bool value); ///< Sets Annotation().
    /// See Annotation().
    bool Background() const;
    void SetBackground(bool value); ///< Sets Background().
    /// The number of pages kept in memory, at least 1 (default 10); the others wait in the page file.
    int CacheSize() const;
    void SetCacheSize(int value); ///< Sets CacheSize().

    /// Draws page `pageNo` stretched over `rect` of any painter (screen, printer, image): the page as
    /// recorded, or in gray: then only the part inside the painter's clip is drawn, as an opaque bitmap
    /// on the sheet's paper colour converted with GrayBrightness and GrayContrast at the device's pixel
    /// ratio (a painter that only translates, as on screen). Layers are not part of it.
    void RenderPage(int pageNo, QPainter& painter, const QRectF& rect, bool gray);
    ///@}

    /// @name Zoom and navigation
    ///@{

    /// The zoom in percent. Setting it clamps into ZoomMin() to ZoomMax() and switches to zsZoomOther;
    /// in the fit modes it is computed by the layout.
    int Zoom() const;
    void SetZoom(int value); ///< Sets Zoom().
    /// How the sheet is sized: a zoom, the view's width or height, or the whole page (the default).
    TZoomState ZoomState() const;
    void SetZoomState(TZoomState value); ///< Sets ZoomState().
    /// The smallest zoom in percent (default 10); at least 1 and at most ZoomMax().
    int ZoomMin() const;
    void SetZoomMin(int value); ///< Sets ZoomMin().
    /// The largest zoom in percent (default 500); at least ZoomMin().
    int ZoomMax() const;
    void SetZoomMax(int value); ///< Sets ZoomMax().
    /// The zoom change of a keypad plus or minus, or of a Ctrl+wheel notch (default 10).
    int ZoomStep() const;
    void SetZoomStep(int value); ///< Sets ZoomStep().
    /// Whether the view keeps its relative scroll position across zoom changes (default true).
    bool ZoomSavePos() const;
    void SetZoomSavePos(bool value); ///< Sets ZoomSavePos().
    /// The sheet is wider than the view: it can be dragged across.
    bool CanScrollHorz() const;
    /// The sheet is taller than the view: it can be dragged up and down.
    bool CanScrollVert() const;
    /// Room kept free around the sheet, in pixels; none unless a program asks for it, so that the fit
    /// modes fill the view.
    int ScrollMargin() const;
    void SetScrollMargin(int value); ///< Sets ScrollMargin().
    /// Places the sheet for the zoom; runs by itself after every change that moves or sizes it.
    void LayoutPaper();
    /// The sheet of paper the control shows, a child of its viewport.
    TPaperPreview* PaperPreview() const;
    /// The look of the sheet: colours, border and shadow widths, cursors, menu, tool tip.
    TPaperPreviewOptions* PaperView() const;
    ///@}

    /// @name Page views
    /// Controls that show page images (thumbnails, say) hear of page changes through TPageView.
    ///@{

    /// Adds a view, once; a view that is destroyed leaves by itself.
    void AttachPageView(TPageView* view);
    void DetachPageView(TPageView* view); ///< Removes a view; nothing when it is not attached.
    ///@}

    /// @name Gray
    ///@{

    /// Where pages are drawn in gray: on screen (gsPreview), on the printer (gsPrint), both or neither.
    /// PDF files keep the colours.
    TGrayscaleOptions Grayscale() const;
    void SetGrayscale(TGrayscaleOptions value); ///< Sets Grayscale().
    /// The gray rendering's brightness, -100 (black) to 100 (white), default 0; clamped.
    int GrayBrightness() const;
    void SetGrayBrightness(int value); ///< Sets GrayBrightness().
    /// The gray rendering's contrast, -100 (flat middle gray) to 100, default 0; clamped.
    int GrayContrast() const;
    void SetGrayContrast(int value); ///< Sets GrayContrast().
    /// Draws the printer's printable area as dotted lines on the sheet.
    bool ShowPrintableArea() const;
    void SetShowPrintableArea(bool value); ///< Sets ShowPrintableArea().
    /// The colour of those lines (default silver).
    QColor PrintableAreaColor() const;
    void SetPrintableAreaColor(const QColor& value); ///< Sets PrintableAreaColor().
    ///@}

    /// @name Printing
    ///@{

    /// The title print jobs get in the printer's queue.
    QString PrintJobTitle() const;
    void SetPrintJobTitle(const QString& value); ///< Sets PrintJobTitle().
    /// The part of the paper a printer can print on, in Units(); the whole page while no printer is
    /// known.
    virtual QRect PrinterPageBounds() const;
    /// The printer printed on: the system's current printer (a TSystemPrinter) unless another was given.
    TPrinter& Printer() const;
    /// Prints on `printer` from now on; a job in progress keeps its printer.
    void SetPrinter(std::unique_ptr<TPrinter> printer); ///< Sets Printer().
    /// True when the system knows at least one printer.
    bool PrinterInstalled() const;
    /// The paper in printer pixels, placed so that its corner lies on the paper's corner although the
    /// printer's origin is the printable area's; empty without a printer.
    QRect PrinterPaperRect() const;
    /// Prints every page as one job; see PrintPages().
    void Print();
    /// Prints pages `from` to `to` (clamped into the document) as one job, with OnBeforePrint,
    /// OnPrintProgress and OnAfterPrint; nothing without a printer or while busy. The job reaches the
    /// printer only once it is complete. A failure finishes the job as failed and propagates, except
    /// EAbort, which ends printing quietly.
    void PrintPages(int from, int to);
    /// Gives the printer the preview's paper size and orientation (copies and other settings stay).
    void ApplyPaperToPrinter();
    /// Takes the printer's paper size and orientation.
    void TakePaperFromPrinter();
    /// The printer's form that matches the paper, else a description such as "100mm x 150mm Rotated".
    QString FormName() const;
    /// True when FormName() is a made-up description rather than one of the printer's forms.
    bool PaperFormGenerated() const;
    /// True while a document is printed as it is drawn (DirectPrint()).
    bool DirectPrinting() const;
    /// The pages printed so far while printing directly.
    int DirectPageCount() const;
    /// Draws `graphic` in gray over `rect`: converted at its own pixel size and stretched by the device.
    static void DrawGrayGraphic(QPainter& painter, const QRect& rect, const TMetafile& graphic,
                                int brightness, int contrast);
    ///@}

    /// @name PDF export
    ///@{

    /// True when the PDF library was found at start-up.
    bool CanSaveAsPDF() const;
    /// The PDF library's file as loaded; empty when none was found.
    static QString PdfLibraryFile();
    /// Writes every page through the PDF library, in colour, without layers. The file is replaced only
    /// once it is complete. EMissingPDFLibrary without the library, EPdfError with the library's message
    /// when it fails.
    void SaveAsPDF(const QString& fileName);
    /// The paper code the PDF library takes for a paper type; 0 when the size describes the paper.
    static int PdfPaperCode(TPaperType type);
    ///@}

signals:
    /// A document began, before its first page.
    void OnBeginDoc();
    /// The last page is stored, before State() returns to Idle.
    void OnEndDoc();
    /// A page was opened: draw it now.
    void OnNewPage();
    /// A page is about to be closed.
    void OnEndPage();
    /// Abort() ended the document or the print job.
    void OnAbort();
    /// Pages were added, removed or changed, or the current page changed.
    void OnChange();
    /// State() changed.
    void OnStateChange();
    /// Zoom() or ZoomState() changed.
    void OnZoomChange();
    /// The paper's size or orientation changed.
    void OnPaperChange();
    /// Draw the annotation layer of page `PageNo` on `Canvas`, in Units() (see Annotation()).
    void OnAnnotation(int PageNo, preview::TCanvas& Canvas);
    /// Draw the background layer of page `PageNo` on `Canvas`, in Units() (see Background()).
    void OnBackground(int PageNo, preview::TCanvas& Canvas);
    /// Printing reached `Progress` percent of the job at page `PageNo`; set `AbortIt` to stop the job.
    void OnPrintProgress(int PageNo, int Progress, bool& AbortIt);
    /// A print job is about to start.
    void OnBeforePrint();
    /// A print job ended, printed or not.
    void OnAfterPrint();
    /// Draw over printed page `PageNo` on the printer's canvas, in printer pixels.
    void OnPrintAnnotation(int PageNo, preview::TCanvas& Canvas);
    /// Draw under printed page `PageNo` on the printer's canvas, in printer pixels.
    void OnPrintBackground(int PageNo, preview::TCanvas& Canvas);
    /// The sheet was clicked.
    void OnClick();
    /// The sheet was double-clicked.
    void OnDblClick();
    /// A mouse button went down on the sheet, at `Pos` in the control's viewport.
    void OnMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Modifiers, QPoint Pos);
    /// The mouse moved over the sheet, to `Pos` in the control's viewport.
    void OnMouseMove(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Modifiers, QPoint Pos);
    /// A mouse button went up on the sheet, at `Pos` in the control's viewport.
    void OnMouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Modifiers, QPoint Pos);

protected:
    /// The paper's size or orientation changed: pixels, layout, OnPaperChange.
    virtual void NotifyPaperChange();
    /// Records the annotation layer of page `pageNo` again (through OnAnnotation).
    virtual void RefreshAnnotation(int pageNo);
    /// Records the background layer of page `pageNo` again (through OnBackground).
    virtual void RefreshBackground(int pageNo);
    /// The current page with its layers and, when asked, the printable area, as the sheet shows it.
    virtual void DrawPreviewPage(int pageNo, QPainter& painter, const QRect& rect);
    /// The sheet's size and zoom for the current zoom mode in `space`, in pixels.
    virtual TSheetSize ComputePaperViewSize(QSize space) const;
    /// Works PagePixels() out from the paper's size.
    virtual void ComputePagePixels();
    /// A new picture of PagePixels() with a canvas mapped to Units. Raise EOutOfMemory when the canvas
    /// cannot record; nothing is left open then.
    virtual void OpenPageRecording(std::unique_ptr<TMetafile>& metafile,
                                   std::unique_ptr<TMetafileCanvas>& canvas);
    /// Completes the recording into the picture; EOutOfMemory (and no picture) when it failed.
    virtual void ClosePageRecording(std::unique_ptr<TMetafile>& metafile,
                                    std::unique_ptr<TMetafileCanvas>& canvas);
    /// The canvas that records on `metafile`; a null or inactive one counts as out of memory.
    virtual std::unique_ptr<TMetafileCanvas> CreateRecordingCanvas(TMetafile& metafile);
    /// Maps the canvas of a device of dpiX x dpiY, whose printable corner lies at `offset` device pixels
    /// from the paper's corner, so that it draws in Units from the paper's corner.
    virtual void MapCanvasToUnits(TCanvas& canvas, int dpiX, int dpiY, QPoint offset = {});
    /// The screen's resolution across, in dots per inch.
    virtual int ScreenDpiX() const;
    /// The screen's resolution down, in dots per inch.
    virtual int ScreenDpiY() const;
    /// Fires OnPrintProgress for `done` of `total` pages, and aborts when the handler asks.
    virtual void ReportProgress(int pageNo, int done, int total);
    /// Draws a page on the printer's own canvas, in printer pixels, over `rect`, between the print layers.
    virtual void DrawPrinterPage(int pageNo, TCanvas& canvas, const QRect& rect);
    /// OnBeforePrint, the paper to the printer, and the printer's job begun.
    virtual void StartPrintJob();
    /// The printer's job ended (or withdrawn when not `succeeded`), then OnAfterPrint.
    virtual void FinishPrintJob(bool succeeded);
    /// Maps the printer's canvas to Units from the paper's corner for a directly printed page.
    virtual void OpenPrinterCanvas();
    /// Releases the printer's canvas after a directly printed page.
    virtual void ClosePrinterCanvas();
    /// Makes sure the sheet has its off-screen pixmap at its current size; false when it cannot have one.
    virtual bool EnsureOffScreen();

    /// Tells the attached page views that the first page was stored.
    void PageViewsRebuild();
    /// Tells the attached page views that the page count changed (0-based indexes).
    void PageViewsPagesChanged(int first, int last);
    /// Tells the attached page views that these pages' drawing changed (0-based indexes).
    void PageViewsPageChanged(int first, int last);
    /// Tells the attached page views that the gray setting changed.
    void PageViewsGrayscaleChanged(bool onlyIfGray);
    /// Tells the attached page views which page is current.
    void PageViewsCurrentChanged();

    /// The preview's keys: arrows scroll, Page Up and Down turn pages, keypad plus and minus zoom.
    void keyPressEvent(QKeyEvent* event) override;
    /// The wheel scrolls; with Shift it turns pages, with Ctrl it zooms.
    void wheelEvent(QWheelEvent* event) override;
    /// Lays the sheet out again for the new size.
    void resizeEvent(QResizeEvent* event) override;
    /// Moves the sheet with the scroll bars.
    void scrollContentsBy(int dx, int dy) override;
    /// Lays the sheet out once the control is shown.
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
