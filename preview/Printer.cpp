#include "preview/Printer.h"

#include "preview/ErrorMessage.h"
#include "preview/Errors.h"
#include "preview/PrintJob.h"

#include <QCoreApplication>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

namespace preview {

QRect TPrinter::PaperPixels() const {
    return PageLayout().fullRectPixels(Resolution());
}

QRect TPrinter::PrintableAreaPixels() const {
    return PageLayout().paintRectPixels(Resolution());
}

TSystemPrinter::TSystemPrinter()
    : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

TSystemPrinter::~TSystemPrinter() {
    // A job left open is withdrawn: nothing of it is handed over.
    Abort();
}

bool TSystemPrinter::Installed() const {
    // Asking CUPS takes milliseconds and the annotation asks on every page drawing; a printer added
    // or removed shows within a second.
    constexpr qint64 AnswerKeptMs = 1000;
    if (!installedAsked_.isValid() || installedAsked_.hasExpired(AnswerKeptMs)) {
        installed_ = !QPrinterInfo::availablePrinterNames().isEmpty();
        installedAsked_.start();
    }
    return installed_;
}

int TSystemPrinter::Resolution() const {
    return printer_->resolution();
}

QPageLayout TSystemPrinter::PageLayout() const {
    return printer_->pageLayout();
}

void TSystemPrinter::SetPaper(const QPageSize& size, QPageLayout::Orientation orientation) {
    // The printer keeps its own margins for the new paper; only a size it refuses is reported.
    if (!printer_->setPageSize(size))
        throw EPrintError(Message(QT_TRANSLATE_NOOP("preview", "The printer does not take the paper %1"),
                                  {size.name().toStdString()}));
    printer_->setPageOrientation(orientation);
}

QList<QPageSize> TSystemPrinter::SupportedPageSizes() const {
    return QPrinterInfo::printerInfo(printer_->printerName()).supportedPageSizes();
}

QString TSystemPrinter::Title() const {
    return printer_->docName();
}

void TSystemPrinter::SetTitle(const QString& title) {
    printer_->setDocName(title);
}

void TSystemPrinter::BeginDoc() {
    Abort(); // a job still open is withdrawn, not mixed into the new one
    aborted_ = false;
    job_ = std::make_unique<TPrintJobFile>();
    // The chosen queue's paper, margins and resolution, so that the pages are laid out as on it.
    writer_ = std::make_unique<QPdfWriter>(&job_->Device());
    writer_->setResolution(printer_->resolution());
    writer_->setPageLayout(printer_->pageLayout());
    writer_->setTitle(printer_->docName());
    writer_->setCreator(QCoreApplication::applicationName());
    if (!canvas_.Begin(writer_.get())) {
        DiscardJob();
        throw EPrintError(Message(QT_TRANSLATE_NOOP("preview", "The printer could not start the print job")));
    }
}

void TSystemPrinter::NewPage() {
    if (writer_ == nullptr || !writer_->newPage())
        throw EPrintError(Message(QT_TRANSLATE_NOOP("preview", "The printer could not start a new page")));
}

void TSystemPrinter::EndDoc() {
    const bool ended = canvas_.End();
    if (job_ == nullptr || aborted_) {
        DiscardJob();
        return;
    }
    writer_.reset();
    const std::unique_ptr<TPrintJobFile> job = std::move(job_);
    if (!ended)
        throw EPrintError(
            Message(QT_TRANSLATE_NOOP("preview", "The printer could not finish the print job")));
    HandOver(*job);
}

void TSystemPrinter::Abort() {
    if (!canvas_.IsActive())
        return;
    aborted_ = true;
    canvas_.End();
    DiscardJob();
}

void TSystemPrinter::DiscardJob() {
    writer_.reset();
    job_.reset();
}

void TSystemPrinter::HandOver(TPrintJobFile& job) {
    // "Print to file" in the print dialog names a file; otherwise the job goes to the chosen queue.
    const QString file = printer_->outputFileName();
    if (!file.isEmpty()) {
        job.CopyTo(file);
        return;
    }
    SubmitPdfToCups(printer_->printerName(), printer_->docName(), job.Finished(),
                    CupsJobOptions(ChoicesOf(*printer_)));
}

bool TSystemPrinter::Printing() const {
    return canvas_.IsActive();
}

bool TSystemPrinter::Aborted() const {
    return aborted_;
}

} // namespace preview
