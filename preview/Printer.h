// The printer the preview control prints on, behind a small interface: the system's current printer
// through QPrinter and CUPS, or a stand-in in tests. Print jobs, pages, the paper and the printer's forms.
#pragma once

#include "preview/Canvas.h"
#include "preview/PreviewExport.h"

#include <QElapsedTimer>
#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <QRect>
#include <QString>

#include <memory>
#include <stdexcept>

class QPaintDevice;
class QPdfWriter;
class QPrinter;

namespace preview {

class TPrintJobFile;

/// The printer could not start, continue or finish a job; what() says which.
class HANDVISE_PREVIEW_EXPORT EPrintError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The silent abort: raised by an event handler to end printing quietly.
class HANDVISE_PREVIEW_EXPORT EAbort : public std::runtime_error {
public:
    /// "Operation aborted".
    EAbort()
        : std::runtime_error("Operation aborted") {}
};

/// A canvas that paints on a device it is given, as the printer's own canvas does.
class HANDVISE_PREVIEW_EXPORT TDeviceCanvas : public TCanvas {
public:
    /// Starts painting on `device`; false when the painter cannot.
    bool Begin(QPaintDevice* device) { return painter_.begin(device); }
    /// Ends painting; true when nothing was being painted.
    bool End() { return painter_.isActive() ? painter_.end() : true; }
};

/// A printer the preview prints on (TPrintPreview::SetPrinter): the system's, or one of a program's own.
class HANDVISE_PREVIEW_EXPORT TPrinter {
public:
    TPrinter() = default;
    virtual ~TPrinter() = default;
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    /// True when the system knows at least one printer.
    virtual bool Installed() const = 0;
    /// Device pixels per inch, the same across and down.
    virtual int Resolution() const = 0;
    /// The paper, its orientation and the printable area (the margins) as the printer holds them.
    virtual QPageLayout PageLayout() const = 0;
    /// Gives the printer a paper size and orientation; copies and other settings stay as they are.
    virtual void SetPaper(const QPageSize& size, QPageLayout::Orientation orientation) = 0;
    /// The printer's forms: names and sizes it offers.
    virtual QList<QPageSize> SupportedPageSizes() const = 0;
    /// The title the next job gets in the printer's queue.
    virtual QString Title() const = 0;
    virtual void SetTitle(const QString& title) = 0; ///< Sets Title().

    /// A job: BeginDoc starts it and its first page, whose canvas paints in device pixels from the
    /// corner of the printable area; NewPage starts another page; EndDoc sends the job; Abort
    /// withdraws it. BeginDoc raises EPrintError when the job cannot start.
    virtual void BeginDoc() = 0;
    virtual void NewPage() = 0; ///< Starts another page of the job.
    virtual void EndDoc() = 0;  ///< Ends the job and sends it.
    virtual void Abort() = 0;   ///< Withdraws the job: nothing of it prints.
    /// A job is open: begun and neither ended nor aborted.
    virtual bool Printing() const = 0;
    /// True once the open or last job was withdrawn.
    virtual bool Aborted() const = 0;
    /// The canvas of the job's current page, in device pixels.
    virtual TCanvas& Canvas() = 0;

    /// The physical paper and the printable area on it, in device pixels from the paper's corner.
    QRect PaperPixels() const;
    QRect PrintableAreaPixels() const; ///< The printable area, as PaperPixels().
};

/// The system's current printer through QPrinter at its full resolution. The QPrinter holds the print
/// dialog's choices and the chosen queue's paper and margins; a job is drawn into a private PDF with
/// that layout and handed to CUPS (or to the file chosen in the dialog) only when it ends complete, so
/// an aborted or failed job prints nothing.
class HANDVISE_PREVIEW_EXPORT TSystemPrinter : public TPrinter {
public:
    TSystemPrinter();
    ~TSystemPrinter() override;

    /// The QPrinter that holds the printer's settings: hand it to a QPrintDialog to let the user choose.
    QPrinter& QtPrinter() { return *printer_; }

    bool Installed() const override;
    int Resolution() const override;
    QPageLayout PageLayout() const override;
    void SetPaper(const QPageSize& size, QPageLayout::Orientation orientation) override;
    QList<QPageSize> SupportedPageSizes() const override;
    QString Title() const override;
    void SetTitle(const QString& title) override;
    void BeginDoc() override;
    void NewPage() override;
    void EndDoc() override;
    void Abort() override;
    bool Printing() const override;
    bool Aborted() const override;
    TCanvas& Canvas() override { return canvas_; }

private:
    // Closes the open job's file and writer; nothing is handed over.
    void DiscardJob();
    // Sends the complete job to the chosen queue or file.
    void HandOver(TPrintJobFile& job);

    std::unique_ptr<QPrinter> printer_;
    // Whether any printer exists, and when CUPS was last asked.
    mutable bool installed_ = false;
    mutable QElapsedTimer installedAsked_;
    // The open job: its file and the writer drawing into it (gone before the file).
    std::unique_ptr<TPrintJobFile> job_;
    std::unique_ptr<QPdfWriter> writer_;
    TDeviceCanvas canvas_;
    bool aborted_ = false;
};

} // namespace preview
