#include "preview/PrintController.h"

#include "preview/ErrorMessage.h"
#include "preview/Errors.h"
#include "preview/Grayscale.h"
#include "preview/PdfLibrary.h"
#include "preview/PrintPreviewPrivate.h"

#include <QImage>
#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <exception>
#include <utility>

namespace preview {

namespace {

// Runs `finish` and then rethrows the failure that was in flight; a second failure from `finish`
// would hide the first, which is the one the caller has to see.
template <class Finish> [[noreturn]] void FinishAndRethrow(std::exception_ptr failure, Finish&& finish) {
    try {
        finish();
    } catch (...) { // NOLINT(bugprone-empty-catch)
    }
    std::rethrow_exception(std::move(failure));
}

// Saves a painter's state and restores it on the way out, also when a handler fails.
class TPainterState {
public:
    explicit TPainterState(QPainter& painter)
        : painter_(painter) {
        painter_.save();
    }
    ~TPainterState() {
        if (painter_.isActive())
            painter_.restore();
    }
    TPainterState(const TPainterState&) = delete;
    TPainterState& operator=(const TPainterState&) = delete;

private:
    QPainter& painter_;
};

QPageLayout::Orientation ToQt(TPrinterOrientation orientation) {
    return orientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

} // namespace

// ---- the printer

TPrintController::TPrintController(TPrintPreview& control)
    : control_(control) {}

TPrintPreviewPrivate& TPrintController::Data() const {
    return *control_.d_;
}

TPrinter& TPrintController::Printer() {
    if (printer_ == nullptr)
        printer_ = std::make_unique<TSystemPrinter>();
    return *printer_;
}

void TPrintController::SetPrinter(std::unique_ptr<TPrinter> printer) {
    // A job in progress keeps the printer it began on.
    if (Data().state != TPreviewState::Idle)
        return;
    printer_ = std::move(printer);
    ForgetForm();
}

void TPrintController::ForgetForm() {
    formName_.clear();
    generatedForm_.clear();
}

int TPrintController::FromPrinterPixels(int value, int dpi) const {
    // Pixels to pixels would go from screen to printer: printer pixels become screen pixels here.
    if (Data().units == mmPixel)
        return static_cast<int>(
            DivRoundHalfEven(std::int64_t{value} * control_.ScreenDpiX(), std::max(dpi, 1)));
    return ConvertUnits(value, mmPixel, Data().units, dpi, control_.ScreenDpiX());
}

int TPrintController::ToPrinterPixels(int value, int dpi) const {
    return ConvertUnits(value, Data().units, mmPixel, dpi, control_.ScreenDpiX());
}

QRect TPrintController::PrinterPageBounds() {
    const TPrinter& printer = Printer();
    if (!printer.Installed())
        return control_.PageBounds();
    const int dpi = printer.Resolution();
    const QRect area = printer.PrintableAreaPixels();
    return {FromPrinterPixels(area.left(), dpi), FromPrinterPixels(area.top(), dpi),
            FromPrinterPixels(area.width(), dpi), FromPrinterPixels(area.height(), dpi)};
}

QRect TPrintController::PrinterPaperRect() {
    const TPrinter& printer = Printer();
    if (!printer.Installed())
        return {};
    const int dpi = printer.Resolution();
    const QRect paper = Data().usePrinterOptions ? QRect(QPoint(0, 0), printer.PaperPixels().size())
                                                 : QRect(0, 0, ToPrinterPixels(Data().paperSize.width(), dpi),
                                                         ToPrinterPixels(Data().paperSize.height(), dpi));
    return paper.translated(-printer.PrintableAreaPixels().topLeft());
}

// ---- paper and forms

void TPrintController::ApplyPaperToPrinter() {
    TPrinter& printer = Printer();
    if (!printer.Installed())
        return;
    QPageSize size;
    if (!PaperFormGenerated()) {
        // The printer's own form, which names the paper the way its driver knows it.
        const QString form = FormName();
        for (const QPageSize& candidate : printer.SupportedPageSizes())
            if (candidate.name() == form) {
                size = candidate;
                break;
            }
    }
    if (!size.isValid() && Data().paperType != pCustom) {
        const QPageSize::PageSizeId id = QPageSize::id(PaperInfo(Data().paperType).Code);
        if (id != QPageSize::Custom)
            size = QPageSize(id);
    }
    if (!size.isValid()) {
        // Any other paper by its size, portrait, in tenths of a millimetre.
        int width = control_.ConvertX(Data().paperSize.width(), Data().units, mmLoMetric);
        int height = control_.ConvertY(Data().paperSize.height(), Data().units, mmLoMetric);
        if (Data().orientation == poLandscape)
            std::swap(width, height);
        size = QPageSize(QSizeF(width / 10.0, height / 10.0), QPageSize::Millimeter, QString(),
                         QPageSize::ExactMatch);
    }
    printer.SetPaper(size, ToQt(Data().orientation));
}

void TPrintController::TakePaperFromPrinter() {
    TPrinter& printer = Printer();
    if (!printer.Installed())
        return;
    const QPageLayout layout = printer.PageLayout();
    const QPageSize size = layout.pageSize();
    const TPrinterOrientation orientation =
        layout.orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
    const TPaperType type =
        size.id() == QPageSize::Custom ? pCustom : control_.PaperTypeOfCode(size.windowsId());
    int width = 0;
    int height = 0;
    if (type == pCustom) {
        const int dpi = printer.Resolution();
        const QRect paper = printer.PaperPixels();
        width = FromPrinterPixels(paper.width(), dpi);
        height = FromPrinterPixels(paper.height(), dpi);
    } else {
        control_.PaperTypeSize(type, Data().units, width, height);
        // The control keeps its paper as it lies, so a landscape sheet is turned.
        if (orientation == poLandscape)
            std::swap(width, height);
    }
    control_.SetPaperSizeAndOrientation(width, height, orientation);
    for (const QPageSize& form : printer.SupportedPageSizes())
        if (form.key() == size.key()) {
            formName_ = form.name();
            generatedForm_.clear();
            break;
        }
}

QString TPrintController::FormName() {
    if (!formName_.isEmpty())
        return formName_;
    if (!generatedForm_.isEmpty() || !Printer().Installed())
        return generatedForm_;
    QSize hiMetric;
    QSize hiEnglish;
    if (Data().paperType != pCustom) {
        control_.PaperTypeSize(Data().paperType, mmHiMetric, hiMetric.rwidth(), hiMetric.rheight());
        control_.PaperTypeSize(Data().paperType, mmHiEnglish, hiEnglish.rwidth(), hiEnglish.rheight());
    } else {
        hiMetric = QSize(control_.ConvertX(Data().paperSize.width(), Data().units, mmHiMetric),
                         control_.ConvertY(Data().paperSize.height(), Data().units, mmHiMetric));
        hiEnglish = QSize(control_.ConvertX(Data().paperSize.width(), Data().units, mmHiEnglish),
                          control_.ConvertY(Data().paperSize.height(), Data().units, mmHiEnglish));
        if (Data().orientation == poLandscape) {
            hiMetric.transpose();
            hiEnglish.transpose();
        }
    }
    const TPaperFormName form = MatchPaperForm(Printer().SupportedPageSizes(), hiMetric, hiEnglish,
                                               Data().orientation == poLandscape, Data().units);
    (form.Generated ? generatedForm_ : formName_) = form.Name;
    return form.Name;
}

bool TPrintController::PaperFormGenerated() {
    return FormName().compare(generatedForm_, Qt::CaseInsensitive) == 0;
}

// ---- printing recorded pages

void TPrintController::PrintPages(int from, int to) {
    from = std::max(from, 1);
    to = std::min(to, control_.TotalPages());
    if (Data().state != TPreviewState::Idle || to < from || !Printer().Installed())
        return;
    bool succeeded = false;
    Data().aborted = false;
    const int total = to - from + 1;
    control_.SetState(TPreviewState::Printing);
    try {
        control_.StartPrintJob();
        const QRect rect = PrinterPaperRect();
        for (int i = 0; i < total; ++i) {
            const int page = from + i;
            control_.ReportProgress(page, i, total);
            if (Data().aborted)
                break;
            if (page > from)
                Printer().NewPage();
            control_.DrawPrinterPage(page, Printer().Canvas(), rect);
            control_.ReportProgress(page, i + 1, total);
            if (Data().aborted)
                break;
        }
        succeeded = !Data().aborted;
    } catch (const EAbort&) {
        // The silent abort: the job is withdrawn and printing ends without a message.
        try {
            control_.FinishPrintJob(false);
        } catch (...) {
            control_.SetState(TPreviewState::Idle);
            throw;
        }
        control_.SetState(TPreviewState::Idle);
        return;
    } catch (...) {
        FinishAndRethrow(std::current_exception(), [this] {
            control_.FinishPrintJob(false);
            control_.SetState(TPreviewState::Idle);
        });
    }
    try {
        control_.FinishPrintJob(succeeded);
    } catch (...) {
        control_.SetState(TPreviewState::Idle);
        throw;
    }
    control_.SetState(TPreviewState::Idle);
}

void TPrintController::StartPrintJob() {
    emit control_.OnBeforePrint();
    TPrinter& printer = Printer();
    if (!Data().usePrinterOptions)
        ApplyPaperToPrinter();
    printer.SetTitle(Data().printJobTitle);
    printer.BeginDoc();
}

void TPrintController::FinishPrintJob(bool succeeded) {
    Data().aborted = Data().aborted || !succeeded;
    TPrinter& printer = Printer();
    std::exception_ptr failure;
    try {
        if (!succeeded && printer.Printing())
            printer.Abort();
        if (printer.Printing())
            printer.EndDoc();
    } catch (...) {
        // A job the printer could not take is a failure to report, after the job's end is announced.
        failure = std::current_exception();
        Data().aborted = true;
    }
    printer.SetTitle(QString());
    emit control_.OnAfterPrint();
    if (failure)
        std::rethrow_exception(failure);
}

void TPrintController::ReportProgress(int pageNo, int done, int total) {
    bool abortIt = Data().aborted;
    if (Data().aborted)
        return;
    emit control_.OnPrintProgress(pageNo, MulDiv(100, done, std::max(total, 1)), abortIt);
    if (abortIt)
        control_.Abort();
}

void TPrintController::DrawPrinterPage(int pageNo, TCanvas& canvas, const QRect& rect) {
    QPainter& painter = canvas.Painter();
    // Each layer starts from the printer's own coordinates, whatever the one before left set.
    {
        const TPainterState saved(painter);
        emit control_.OnPrintBackground(pageNo, canvas);
    }
    if (const TMetafile* page = control_.Pages(pageNo)) {
        const TPainterState saved(painter);
        if (Data().grayscale.testFlag(gsPrint))
            DrawGrayGraphic(painter, rect, *page, Data().grayBrightness, Data().grayContrast);
        else
            page->Draw(painter, rect);
    }
    const TPainterState saved(painter);
    emit control_.OnPrintAnnotation(pageNo, canvas);
}

void TPrintController::DrawGrayGraphic(QPainter& painter, const QRect& rect, const TMetafile& graphic,
                                       int brightness, int contrast) {
    if (graphic.Size().isEmpty() || rect.isEmpty())
        return;
    // Converted at the graphic's own (screen) size and stretched by the device: a page at printer
    // resolution would be a bitmap of a hundred megabytes.
    QImage image(graphic.Size(), QImage::Format_RGB32);
    if (image.isNull())
        return;
    image.fill(Qt::white);
    {
        QPainter bitmap(&image);
        graphic.Draw(bitmap, QRectF(QPointF(0, 0), QSizeF(graphic.Size())));
    }
    // A recorded page is transparent, and a transparent bitmap's key matches no pixel: all turn gray.
    MakeGray(image, brightness, contrast);
    painter.drawImage(QRectF(rect), image);
}

// ---- documents printed as they are drawn

void TPrintController::BeginDirectDoc() {
    TPrinter& printer = Printer();
    if (!printer.Installed())
        throw EPrintError(Message(QT_TRANSLATE_NOOP("preview", "There is no printer to print on")));
    // The paper is settled while the control is idle: a busy control keeps its paper.
    if (Data().usePrinterOptions)
        TakePaperFromPrinter();
    else
        ApplyPaperToPrinter();
    control_.SetState(TPreviewState::Printing);
    directPrinting_ = true;
    directPageCount_ = 0;
    directPageOpen_ = false;
    printer.SetTitle(Data().printJobTitle);
    try {
        printer.BeginDoc();
    } catch (...) {
        FinishAndRethrow(std::current_exception(), [this] {
            directPrinting_ = false;
            Printer().SetTitle(QString());
            control_.SetState(TPreviewState::Idle);
        });
    }
}

void TPrintController::NewDirectPage() {
    TPrinter& printer = Printer();
    if (directPageOpen_) {
        emit control_.OnEndPage();
        ++directPageCount_;
        printer.NewPage();
    }
    control_.OpenPrinterCanvas();
    printer.Canvas().SetFont(control_.font());
}

void TPrintController::EndDirectDoc() {
    emit control_.OnEndPage();
    ++directPageCount_;
    control_.ClosePrinterCanvas();
    try {
        Printer().EndDoc();
    } catch (...) {
        FinishAndRethrow(std::current_exception(), [this] {
            directPrinting_ = false;
            control_.SetState(TPreviewState::Idle);
        });
    }
    Printer().SetTitle(QString());
    directPrinting_ = false;
}

void TPrintController::AbortPrinterJob() {
    if (printer_ != nullptr && printer_->Printing() && !printer_->Aborted())
        printer_->Abort();
    if (directPrinting_) {
        directPrinting_ = false;
        directPageOpen_ = false;
        printer_->SetTitle(QString());
    }
}

void TPrintController::OpenPrinterCanvas() {
    // Mapped again on every page: a printer may start a page with its painter's coordinates reset.
    TPrinter& printer = Printer();
    const int dpi = printer.Resolution();
    control_.MapCanvasToUnits(printer.Canvas(), dpi, dpi, printer.PrintableAreaPixels().topLeft());
    directPageOpen_ = true;
}

void TPrintController::ClosePrinterCanvas() {
    directPageOpen_ = false;
}

TCanvas* TPrintController::DirectCanvas() const {
    return directPrinting_ && directPageOpen_ ? &printer_->Canvas() : nullptr;
}

// ---- PDF export

// The document's title is the print job's; its language the program's (English for the C locale).
TPdfDocInfo TPrintController::DocumentInfo() const {
    const QLocale locale;
    const bool plain = locale.language() == QLocale::C;
    return {Data().printJobTitle, plain ? QStringLiteral("en") : locale.bcp47Name()};
}

void TPrintController::SaveAsPDF(const QString& fileName) {
    const TPdfLibrary& library = TPdfLibrary::Instance();
    if (!library.Loaded())
        throw EMissingPDFLibrary();
    // A busy control is recording or printing pages: saving now would end that state under it.
    if (Data().state != TPreviewState::Idle)
        throw EPdfError(
            Message(QT_TRANSLATE_NOOP("preview", "Cannot save as PDF while the preview is busy")));
    TPdfPaper paper;
    paper.PaperCode = PdfPaperCode(Data().paperType);
    paper.Orientation = Data().orientation == poLandscape ? 1 : 0;
    paper.Width = control_.ConvertX(Data().paperSize.width(), Data().units, mmHiMetric);
    paper.Height = control_.ConvertY(Data().paperSize.height(), Data().units, mmHiMetric);
    control_.SetState(TPreviewState::SavingPDF);
    try {
        library.SaveDocument(
            fileName, control_.TotalPages(), paper,
            [this](int page) {
                const TMetafile* metafile = control_.Pages(page);
                return metafile != nullptr ? metafile->SaveToData() : QByteArray();
            },
            DocumentInfo());
    } catch (...) {
        // The library's failure is reported once the document is ended and the control is idle again.
        FinishAndRethrow(std::current_exception(), [this] { control_.SetState(TPreviewState::Idle); });
    }
    control_.SetState(TPreviewState::Idle);
}

} // namespace preview
