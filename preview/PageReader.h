// The current page of a print preview as a screen reader takes it in: the sheet is a document named
// after the page it shows ("Page 1 of 2") whose text is the page's text in reading order. Any program
// that records pages gets this; the reader follows pages, document and zoom with accessibility events.
#pragma once

#include "preview/PageText.h"
#include "preview/PageView.h"

#include <QObject>
#include <QPoint>
#include <QRect>

namespace preview {

class TPaperPreview;

class TPageReader : public QObject, public TPageView {
    Q_OBJECT
public:
    // Attaches itself to the preview and lives as its child.
    explicit TPageReader(TPrintPreview& preview);

    // The reader of the preview that shows `sheet`; null for a sheet outside a preview.
    static TPageReader* Of(const TPaperPreview& sheet);

    QString PageName() const;
    // The current page's text; read from the page when first asked after a change.
    const TPageText& Text();
    // A box in page pixels at 100 % as it lies on the screen now, and the reverse for a point.
    QRect ToScreen(const QRectF& pageBox) const;
    QPointF FromScreen(const QPoint& screenPoint) const;

    void PageViewsRebuild() override;
    void PageViewsPagesChanged(int first, int last) override;
    void PageViewsPageChanged(int first, int last) override;
    void PageViewsGrayscaleChanged(bool onlyIfGray) override;
    void PageViewsCurrentChanged(int index) override;

private:
    void PageChanged();
    void ZoomChanged();
    TPaperPreview* Sheet() const;

    TPrintPreview& preview_;
    TPageText text_;
    bool stale_ = true;
    bool announcePending_ = false;
};

} // namespace preview
