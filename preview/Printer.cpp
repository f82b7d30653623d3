#include "preview/Printer.h"

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
    // An open job goes before its printer; a job left open is withdrawn where the printer can.
    if (canvas_.IsActive()) {
        printer_->abort();
        canvas_.End();
    }
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
        throw EPrintError("The printer does not take the paper " + size.name().toStdString());
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
    aborted_ = false;
    if (!canvas_.Begin(printer_.get()))
        throw EPrintError("The printer could not start the print job");
}

void TSystemPrinter::NewPage() {
    if (!printer_->newPage())
        throw EPrintError("The printer could not start a new page");
}

void TSystemPrinter::EndDoc() {
    if (!canvas_.End() && !aborted_)
        throw EPrintError("The printer could not finish the print job");
}

void TSystemPrinter::Abort() {
    if (!canvas_.IsActive())
        return;
    aborted_ = true;
    // CUPS takes the job only when it ends; where the printer cannot withdraw it, the pages printed so
    // far are still sent when the job is closed.
    printer_->abort();
    canvas_.End();
}

bool TSystemPrinter::Printing() const {
    return canvas_.IsActive();
}

bool TSystemPrinter::Aborted() const {
    return aborted_;
}

} // namespace preview
