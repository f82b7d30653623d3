// The preview control's printing, gray printing and PDF export: its recorded pages sent to the printer
// or to the PDF library, the paper handed to the printer or taken from it, and directly printed documents.
#include "preview/Grayscale.h"
#include "preview/PdfLibrary.h"
#include "preview/PrintPreview.h"

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

// A length in millimetres, as a form size is given, in whole millimetres.
int WholeMillimetres(qreal millimetres) {
    return static_cast<int>(DivRoundHalfEven(qRound64(millimetres * 1000), 1000));
}

} // namespace

// ---- the printer

TPrinter& TPrintPreview::Printer() const {
    if (printer_ == nullptr)
        printer_ = std::make_unique<TSystemPrinter>();
    return *printer_;
}

void TPrintPreview::SetPrinter(std::unique_ptr<TPrinter> printer) {
    // A job in progress keeps the printer it began on.
    if (state_ != TPreviewState::Idle)
        return;
    printer_ = std::move(printer);
    formName_.clear();
    generatedForm_.clear();
}

bool TPrintPreview::PrinterInstalled() const {
    return Printer().Installed();
}

int TPrintPreview::FromPrinterPixels(int value, int dpi) const {
    // Pixels to pixels would go from screen to printer: printer pixels become screen pixels here.
    if (units_ == mmPixel)
        return static_cast<int>(DivRoundHalfEven(std::int64_t{value} * ScreenDpiX(), std::max(dpi, 1)));
    return ConvertUnits(value, mmPixel, units_, dpi, ScreenDpiX());
}

int TPrintPreview::ToPrinterPixels(int value, int dpi) const {
    return ConvertUnits(value, units_, mmPixel, dpi, ScreenDpiX());
}

QRect TPrintPreview::PrinterPageBounds() const {
    const TPrinter& printer = Printer();
    if (!printer.Installed())
        return PageBounds();
    const int dpi = printer.Resolution();
    const QRect area = printer.PrintableAreaPixels();
    return {FromPrinterPixels(area.left(), dpi), FromPrinterPixels(area.top(), dpi),
            FromPrinterPixels(area.width(), dpi), FromPrinterPixels(area.height(), dpi)};
}

QRect TPrintPreview::PrinterPaperRect() const {
    const TPrinter& printer = Printer();
    if (!printer.Installed())
        return {};
    const int dpi = printer.Resolution();
    const QRect paper = usePrinterOptions_ ? QRect(QPoint(0, 0), printer.PaperPixels().size())
                                           : QRect(0, 0, ToPrinterPixels(paperSize_.width(), dpi),
                                                   ToPrinterPixels(paperSize_.height(), dpi));
    return paper.translated(-printer.PrintableAreaPixels().topLeft());
}

// ---- paper and forms

void TPrintPreview::ApplyPaperToPrinter() {
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
    if (!size.isValid() && paperType_ != pCustom) {
        const QPageSize::PageSizeId id = QPageSize::id(PaperInfo(paperType_).Code);
        if (id != QPageSize::Custom)
            size = QPageSize(id);
    }
    if (!size.isValid()) {
        // Any other paper by its size, portrait, in tenths of a millimetre.
        int width = ConvertX(paperSize_.width(), units_, mmLoMetric);
        int height = ConvertY(paperSize_.height(), units_, mmLoMetric);
        if (orientation_ == poLandscape)
            std::swap(width, height);
        size = QPageSize(QSizeF(width / 10.0, height / 10.0), QPageSize::Millimeter, QString(),
                         QPageSize::ExactMatch);
    }
    printer.SetPaper(size, ToQt(orientation_));
}

void TPrintPreview::TakePaperFromPrinter() {
    TPrinter& printer = Printer();
    if (!printer.Installed())
        return;
    const QPageLayout layout = printer.PageLayout();
    const QPageSize size = layout.pageSize();
    const TPrinterOrientation orientation =
        layout.orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
    const TPaperType type = size.id() == QPageSize::Custom ? pCustom : PaperTypeOfCode(size.windowsId());
    int width = 0;
    int height = 0;
    if (type == pCustom) {
        const int dpi = printer.Resolution();
        const QRect paper = printer.PaperPixels();
        width = FromPrinterPixels(paper.width(), dpi);
        height = FromPrinterPixels(paper.height(), dpi);
    } else {
        PaperTypeSize(type, units_, width, height);
        // The control keeps its paper as it lies, so a landscape sheet is turned.
        if (orientation == poLandscape)
            std::swap(width, height);
    }
    SetPaperSizeAndOrientation(width, height, orientation);
    for (const QPageSize& form : printer.SupportedPageSizes())
        if (form.key() == size.key()) {
            formName_ = form.name();
            generatedForm_.clear();
            break;
        }
}

QString TPrintPreview::FormName() const {
    if (!formName_.isEmpty())
        return formName_;
    if (!generatedForm_.isEmpty() || !PrinterInstalled())
        return generatedForm_;
    int width = 0;
    int height = 0;
    if (paperType_ != pCustom) {
        PaperTypeSize(paperType_, mmHiMetric, width, height);
    } else {
        width = ConvertX(paperSize_.width(), units_, mmHiMetric);
        height = ConvertY(paperSize_.height(), units_, mmHiMetric);
        if (orientation_ == poLandscape)
            std::swap(width, height);
    }
    width = static_cast<int>(DivRoundHalfEven(width, 100));
    height = static_cast<int>(DivRoundHalfEven(height, 100));
    bool rotated = orientation_ == poLandscape;

    QString generated;
    bool turned = false;
    for (const QPageSize& form : Printer().SupportedPageSizes()) {
        const QSizeF millimetres = form.size(QPageSize::Millimeter);
        const int formWidth = WholeMillimetres(millimetres.width());
        const int formHeight = WholeMillimetres(millimetres.height());
        if (formWidth == width && formHeight == height) {
            formName_ = form.name();
            generatedForm_.clear();
            return formName_;
        }
        if (formWidth == height && formHeight == width) {
            generated = form.name();
            turned = true;
        }
    }
    if (turned) {
        rotated = !rotated;
    } else {
        if (orientation_ == poLandscape)
            std::swap(width, height);
        bool metric = QLocale::system().measurementSystem() == QLocale::MetricSystem;
        if (units_ == mmLoMetric || units_ == mmHiMetric)
            metric = true;
        else if (units_ == mmLoEnglish || units_ == mmHiEnglish)
            metric = false;
        if (metric) {
            generated = QStringLiteral("%1mm x %2mm").arg(width).arg(height);
        } else {
            int inchWidth = 0;
            int inchHeight = 0;
            if (paperType_ != pCustom) {
                PaperTypeSize(paperType_, mmHiEnglish, inchWidth, inchHeight);
            } else {
                inchWidth = ConvertX(paperSize_.width(), units_, mmHiEnglish);
                inchHeight = ConvertY(paperSize_.height(), units_, mmHiEnglish);
                if (orientation_ == poLandscape)
                    std::swap(inchWidth, inchHeight);
            }
            const auto inches = [](int thousandths) {
                return QString::number(DivRoundHalfEven(thousandths, 100) / 10.0, 'g', 6);
            };
            generated = QStringLiteral("%1\" x %2\"").arg(inches(inchWidth), inches(inchHeight));
        }
    }
    if (rotated)
        generated += QStringLiteral(" Rotated");
    generatedForm_ = generated;
    return generated;
}

bool TPrintPreview::PaperFormGenerated() const {
    return FormName().compare(generatedForm_, Qt::CaseInsensitive) == 0;
}

// ---- printing recorded pages

void TPrintPreview::Print() {
    PrintPages(1, TotalPages());
}

void TPrintPreview::PrintPages(int from, int to) {
    from = std::max(from, 1);
    to = std::min(to, TotalPages());
    if (state_ != TPreviewState::Idle || to < from || !PrinterInstalled())
        return;
    bool succeeded = false;
    aborted_ = false;
    const int total = to - from + 1;
    SetState(TPreviewState::Printing);
    try {
        StartPrintJob();
        const QRect rect = PrinterPaperRect();
        for (int i = 0; i < total; ++i) {
            const int page = from + i;
            ReportProgress(page, i, total);
            if (aborted_)
                break;
            if (page > from)
                Printer().NewPage();
            DrawPrinterPage(page, Printer().Canvas(), rect);
            ReportProgress(page, i + 1, total);
            if (aborted_)
                break;
        }
        succeeded = !aborted_;
    } catch (const EAbort&) {
        // The silent abort: the job is withdrawn and printing ends without a message.
        try {
            FinishPrintJob(false);
        } catch (...) {
            SetState(TPreviewState::Idle);
            throw;
        }
        SetState(TPreviewState::Idle);
        return;
    } catch (...) {
        FinishAndRethrow(std::current_exception(), [this] {
            FinishPrintJob(false);
            SetState(TPreviewState::Idle);
        });
    }
    try {
        FinishPrintJob(succeeded);
    } catch (...) {
        SetState(TPreviewState::Idle);
        throw;
    }
    SetState(TPreviewState::Idle);
}

void TPrintPreview::StartPrintJob() {
    emit OnBeforePrint();
    TPrinter& printer = Printer();
    if (!usePrinterOptions_)
        ApplyPaperToPrinter();
    printer.SetTitle(printJobTitle_);
    printer.BeginDoc();
}

void TPrintPreview::FinishPrintJob(bool succeeded) {
    aborted_ = aborted_ || !succeeded;
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
        aborted_ = true;
    }
    printer.SetTitle(QString());
    emit OnAfterPrint();
    if (failure)
        std::rethrow_exception(failure);
}

void TPrintPreview::ReportProgress(int pageNo, int done, int total) {
    bool abortIt = aborted_;
    if (aborted_)
        return;
    emit OnPrintProgress(pageNo, MulDiv(100, done, std::max(total, 1)), abortIt);
    if (abortIt)
        Abort();
}

void TPrintPreview::DrawPrinterPage(int pageNo, TCanvas& canvas, const QRect& rect) {
    QPainter& painter = canvas.Painter();
    // Each layer starts from the printer's own coordinates, whatever the one before left set.
    {
        const TPainterState saved(painter);
        emit OnPrintBackground(pageNo, canvas);
    }
    if (const TMetafile* page = Pages(pageNo)) {
        const TPainterState saved(painter);
        if (grayscale_.testFlag(gsPrint))
            DrawGrayGraphic(painter, rect, *page, grayBrightness_, grayContrast_);
        else
            page->Draw(painter, rect);
    }
    const TPainterState saved(painter);
    emit OnPrintAnnotation(pageNo, canvas);
}

void TPrintPreview::DrawGrayGraphic(QPainter& painter, const QRect& rect, const TMetafile& graphic,
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

void TPrintPreview::BeginDirectDoc() {
    TPrinter& printer = Printer();
    if (!printer.Installed())
        throw EPrintError("There is no printer to print on");
    // The paper is settled while the control is idle: a busy control keeps its paper.
    if (usePrinterOptions_)
        TakePaperFromPrinter();
    else
        ApplyPaperToPrinter();
    SetState(TPreviewState::Printing);
    directPrinting_ = true;
    directPageCount_ = 0;
    directPageOpen_ = false;
    printer.SetTitle(printJobTitle_);
    try {
        printer.BeginDoc();
    } catch (...) {
        FinishAndRethrow(std::current_exception(), [this] {
            directPrinting_ = false;
            Printer().SetTitle(QString());
            SetState(TPreviewState::Idle);
        });
    }
}

void TPrintPreview::NewDirectPage() {
    TPrinter& printer = Printer();
    if (directPageOpen_) {
        emit OnEndPage();
        ++directPageCount_;
        printer.NewPage();
    }
    OpenPrinterCanvas();
    printer.Canvas().SetFont(font());
}

void TPrintPreview::EndDirectDoc() {
    emit OnEndPage();
    ++directPageCount_;
    ClosePrinterCanvas();
    try {
        Printer().EndDoc();
    } catch (...) {
        FinishAndRethrow(std::current_exception(), [this] {
            directPrinting_ = false;
            SetState(TPreviewState::Idle);
        });
    }
    Printer().SetTitle(QString());
    directPrinting_ = false;
}

void TPrintPreview::AbortPrinterJob() {
    if (printer_ != nullptr && printer_->Printing() && !printer_->Aborted())
        printer_->Abort();
    if (directPrinting_) {
        directPrinting_ = false;
        directPageOpen_ = false;
        printer_->SetTitle(QString());
    }
}

void TPrintPreview::OpenPrinterCanvas() {
    // Mapped again on every page: a printer may start a page with its painter's coordinates reset.
    TPrinter& printer = Printer();
    const int dpi = printer.Resolution();
    MapCanvasToUnits(printer.Canvas(), dpi, dpi, printer.PrintableAreaPixels().topLeft());
    directPageOpen_ = true;
}

void TPrintPreview::ClosePrinterCanvas() {
    directPageOpen_ = false;
}

// ---- PDF export

bool TPrintPreview::CanSaveAsPDF() const {
    return TPdfLibrary::Instance().Loaded();
}

int TPrintPreview::PdfPaperCode(TPaperType type) {
    switch (type) {
    case pLetter:
        return 1;
    case pA4:
        return 2;
    case pA3:
        return 3;
    case pLegal:
        return 4;
    case pB5:
        return 5;
    case pB4:
        return 8;
    case pA5:
        return 9;
    case pFolio:
        return 10;
    case pExecutive:
        return 11;
    case pEnvB4:
        return 12;
    case pEnvB5:
        return 13;
    case pEnvDL:
        return 15;
    case pEnvMonarch:
        return 16;
    default:
        return 0;
    }
}

void TPrintPreview::SaveAsPDF(const QString& fileName) {
    const TPdfLibrary& library = TPdfLibrary::Instance();
    if (!library.Loaded())
        throw EMissingPDFLibrary();
    // A busy control is recording or printing pages: saving now would end that state under it.
    if (state_ != TPreviewState::Idle)
        throw EPdfError("Cannot save as PDF while the preview is busy");
    TPdfPaper paper;
    paper.PaperCode = PdfPaperCode(paperType_);
    paper.Orientation = orientation_ == poLandscape ? 1 : 0;
    paper.Width = ConvertX(paperSize_.width(), units_, mmHiMetric);
    paper.Height = ConvertY(paperSize_.height(), units_, mmHiMetric);
    SetState(TPreviewState::SavingPDF);
    try {
        library.SaveDocument(fileName, TotalPages(), paper, [this](int page) {
            const TMetafile* metafile = Pages(page);
            return metafile != nullptr ? metafile->SaveToData() : QByteArray();
        });
    } catch (...) {
        // The library's failure is reported once the document is ended and the control is idle again.
        FinishAndRethrow(std::current_exception(), [this] { SetState(TPreviewState::Idle); });
    }
    SetState(TPreviewState::Idle);
}

} // namespace preview
