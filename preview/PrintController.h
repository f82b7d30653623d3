// The printing work of the print preview control: its printer, the paper handed to the printer or taken
// from it, recorded pages printed as one job, documents printed as they are drawn, and PDF export.
// The control's overridable printing operations call it; it calls them back where a job has its steps.
#pragma once

#include "preview/Printer.h"

#include <QRect>
#include <QString>

#include <memory>

class QPainter;

namespace preview {

struct TPdfDocInfo;

class TCanvas;
class TMetafile;
class TPrintPreview;
struct TPrintPreviewPrivate;

class TPrintController {
public:
    explicit TPrintController(TPrintPreview& control);
    TPrintController(const TPrintController&) = delete;
    TPrintController& operator=(const TPrintController&) = delete;

    // The system's current printer unless another was given; a job in progress keeps its printer.
    TPrinter& Printer();
    void SetPrinter(std::unique_ptr<TPrinter> printer);
    // The printer's form for the paper is looked up again after the paper or the printer changed.
    void ForgetForm();

    QRect PrinterPageBounds();
    QRect PrinterPaperRect();
    void ApplyPaperToPrinter();
    void TakePaperFromPrinter();
    QString FormName();
    bool PaperFormGenerated();

    // Recorded pages `from` to `to` as one job, through the control's overridable steps.
    void PrintPages(int from, int to);
    void StartPrintJob();
    void FinishPrintJob(bool succeeded);
    void ReportProgress(int pageNo, int done, int total);
    void DrawPrinterPage(int pageNo, TCanvas& canvas, const QRect& rect);
    static void DrawGrayGraphic(QPainter& painter, const QRect& rect, const TMetafile& graphic,
                                int brightness, int contrast);

    // A document printed as it is drawn: the printer's job and pages follow BeginDoc, NewPage and EndDoc.
    void BeginDirectDoc();
    void NewDirectPage();
    void EndDirectDoc();
    void AbortPrinterJob();
    void OpenPrinterCanvas();
    void ClosePrinterCanvas();
    bool DirectPrinting() const { return directPrinting_; }
    int DirectPageCount() const { return directPageCount_; }
    // The printer's canvas while a directly printed page is open, else null.
    TCanvas* DirectCanvas() const;

    void SaveAsPDF(const QString& fileName);

private:
    TPrintPreviewPrivate& Data() const;
    TPdfDocInfo DocumentInfo() const;
    // Printer pixels at `dpi` to the control's units and back.
    int FromPrinterPixels(int value, int dpi) const;
    int ToPrinterPixels(int value, int dpi) const;

    TPrintPreview& control_;
    std::unique_ptr<TPrinter> printer_; // created when first needed
    bool directPrinting_ = false;
    int directPageCount_ = 0;
    bool directPageOpen_ = false;
    // The printer's form that matches the paper, or the description made when none matches; looked up
    // when first asked for.
    QString formName_;
    QString generatedForm_;
};

} // namespace preview
