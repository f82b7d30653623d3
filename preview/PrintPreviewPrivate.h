// The state of the print preview control, kept out of its public header (used by its own files only).
#pragma once

#include "preview/Metafile.h"
#include "preview/MetafileList.h"
#include "preview/PageView.h"
#include "preview/PaperPreview.h"
#include "preview/PaperTypes.h"
#include "preview/PrintController.h"
#include "preview/PrintPreview.h"
#include "preview/SheetLayout.h"

#include <QColor>
#include <QPoint>
#include <QSize>
#include <QString>

#include <memory>
#include <vector>

namespace preview {

struct TPrintPreviewPrivate {
    explicit TPrintPreviewPrivate(TPrintPreview& control)
        : printing(control) {}

    TPrintController printing;
    std::vector<TPageView*> pageViews;
    std::unique_ptr<TPaperPreviewOptions> paperView = std::make_unique<TPaperPreviewOptions>();
    TPaperPreview* paper = nullptr; // a child of the viewport
    QString printJobTitle;
    std::unique_ptr<TMetafileList> pages = std::make_unique<TMetafileList>();
    // The page being recorded; its canvas is declared after it so that it goes first.
    std::unique_ptr<TMetafile> recording;
    std::unique_ptr<TMetafileCanvas> canvas;
    TUnits units = mmHiMetric;
    QSize pagePixels;
    QSize paperSize; // in units, as it lies
    bool aborted = false;
    TPrinterOrientation orientation = poPortrait;
    int currentPage = 0;
    TPaperType paperType = pA4;
    TPreviewState state = TPreviewState::Idle;

    int zoom = 100;
    TZoomState zoomState = zsZoomToFit;
    bool zoomSavePos = true;
    int zoomMin = 10;
    int zoomMax = 500;
    int zoomStep = 10;
    int lastZoom = 0;
    bool canScrollHorz = false;
    bool canScrollVert = false;
    QPoint dragOrigin;
    bool dragging = false;
    int margin = 0;
    QPoint sheetOrigin; // where the sheet lies with both scroll bars at 0
    bool layingOut = false;
    int wheelRemainder = 0;

    bool usePrinterOptions = false;
    bool directPrint = false;
    bool annotation = false;
    bool background = false;
    TGrayscaleOptions grayscale;
    int grayBrightness = 0;
    int grayContrast = 0;
    bool showPrintableArea = false;
    QColor printableAreaColor{192, 192, 192};
    std::unique_ptr<TMetafile> annotationLayer;
    std::unique_ptr<TMetafile> backgroundLayer;
};

} // namespace preview
