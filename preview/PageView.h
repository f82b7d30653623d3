// What a control that shows page images (a list of thumbnails, say) hears from the preview it is
// attached to. The preview tells every attached view, in the order they were attached.
#pragma once

#include "preview/PreviewExport.h"

namespace preview {

class TPrintPreview;

/// A control that shows page images of a TPrintPreview (a list of thumbnails, say): attach it with
/// TPrintPreview::AttachPageView and it hears of every change to the pages.
class HANDVISE_PREVIEW_EXPORT TPageView {
public:
    TPageView() = default;
    /// A view that goes away leaves its preview's list by itself.
    virtual ~TPageView();
    TPageView(const TPageView&) = delete;
    TPageView& operator=(const TPageView&) = delete;

    /// The first page was stored: page images are measured again from the preview's PagePixels().
    virtual void PageViewsRebuild() = 0;
    /// The page count changed; the pages first to last (0-based) are to be drawn again.
    virtual void PageViewsPagesChanged(int first, int last) = 0;
    /// The drawing of the pages first to last (0-based) changed.
    virtual void PageViewsPageChanged(int first, int last) = 0;
    /// The gray setting changed; with `onlyIfGray` only views that draw in gray need to redraw.
    virtual void PageViewsGrayscaleChanged(bool onlyIfGray) = 0;
    /// The current page is now `index` (0-based; -1 when there is none).
    virtual void PageViewsCurrentChanged(int index) = 0;

    /// The preview the view is attached to; null when none.
    TPrintPreview* Preview() const { return preview_; }

private:
    friend class TPrintPreview;
    TPrintPreview* preview_ = nullptr;
};

} // namespace preview
