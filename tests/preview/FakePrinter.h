// A printer for tests: it logs what the control asks of it and paints each page into an image of the
// printable area at a low resolution, so that print logic and placement are checked without CUPS.
#pragma once

#include "preview/Printer.h"

#include <QImage>
#include <QStringList>

#include <vector>

namespace previewtest {

class TFakePrinter : public preview::TPrinter {
public:
    bool installed = true;
    bool failBegin = false;
    int dpi = 60;
    QPageLayout layout{QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 5, 10, 5),
                       QPageLayout::Millimeter};
    QList<QPageSize> forms;
    QStringList log;
    std::vector<QImage> pages; // finished pages, the printable area at `dpi`

    ~TFakePrinter() override { canvas_.End(); }

    bool Installed() const override { return installed; }
    int Resolution() const override { return dpi; }
    QPageLayout PageLayout() const override { return layout; }
    void SetPaper(const QPageSize& size, QPageLayout::Orientation orientation) override {
        layout.setPageSize(size);
        layout.setOrientation(orientation);
        log << QStringLiteral("SetPaper(%1,%2)")
                   .arg(size.name(), orientation == QPageLayout::Landscape ? "landscape" : "portrait");
    }
    QList<QPageSize> SupportedPageSizes() const override { return forms; }
    QString Title() const override { return title_; }
    void SetTitle(const QString& title) override { title_ = title; }

    void BeginDoc() override {
        log << "BeginDoc(" + title_ + ")";
        if (failBegin)
            throw preview::EPrintError("The printer could not start the print job");
        aborted_ = false;
        page_ = QImage(layout.paintRectPixels(dpi).size(), QImage::Format_RGB32);
        page_.setDotsPerMeterX(qRound(dpi / 0.0254));
        page_.setDotsPerMeterY(qRound(dpi / 0.0254));
        page_.fill(Qt::white);
        canvas_.Begin(&page_);
    }
    void NewPage() override {
        log << "NewPage";
        pages.push_back(page_.copy());
        // A real printer keeps the painter's state across pages; only the page is blank again.
        QPainter& painter = canvas_.Painter();
        painter.save();
        painter.resetTransform();
        painter.setViewTransformEnabled(false);
        painter.fillRect(page_.rect(), Qt::white);
        painter.restore();
    }
    void EndDoc() override {
        log << "EndDoc";
        canvas_.End();
        pages.push_back(page_);
    }
    void Abort() override {
        log << "Abort";
        aborted_ = true;
        canvas_.End();
    }
    bool Printing() const override { return canvas_.IsActive(); }
    bool Aborted() const override { return aborted_; }
    preview::TCanvas& Canvas() override { return canvas_; }

private:
    preview::TDeviceCanvas canvas_;
    QImage page_;
    QString title_;
    bool aborted_ = false;
};

} // namespace previewtest
