// A recorded page: drawing commands kept as a QPicture with the page's size in screen pixels,
// and the canvas that records them. The page store, the preview, printing and PDF export share these.
#pragma once

#include "preview/Canvas.h"
#include "preview/PreviewExport.h"

#include <QByteArray>
#include <QPainter>
#include <QPicture>
#include <QRect>
#include <QSize>

#include <functional>

namespace preview {

/// A recorded page: its drawing commands and its size in screen pixels at 100 %.
class HANDVISE_PREVIEW_EXPORT TMetafile {
public:
    /// An empty page of no size.
    TMetafile() = default;
    /// An empty page of `width` x `height` screen pixels.
    TMetafile(int width, int height);
    TMetafile(const TMetafile&) = delete;
    TMetafile& operator=(const TMetafile&) = delete;

    /// The page's width in screen pixels; the recorded drawing is stretched from it when replayed.
    /// The size is fixed at construction and changes only with Assign and LoadFromData, so that it always
    /// matches the size written into the recorded bytes.
    int Width() const { return size_.width(); }
    /// The page's height in screen pixels.
    int Height() const { return size_.height(); }
    /// The page's size in screen pixels.
    QSize Size() const { return size_; }

    /// True until something has been recorded or loaded.
    bool Empty() const { return picture_.isNull(); }
    /// The recorded drawing.
    const QPicture& Picture() const { return picture_; }

    /// Takes the other page's size and drawing; the drawing is shared until either changes.
    void Assign(const TMetafile& source);

    /// The page's byte image: what is written to the page file and handed to the PDF writer.
    /// It carries the size, so LoadFromData restores both.
    QByteArray SaveToData() const;
    /// Takes a byte image from SaveToData. Raises EReadError for bytes that are not a page.
    void LoadFromData(const QByteArray& data);

    /// Replays the page stretched over `target`, in the painter's coordinates, on a device of any
    /// resolution. Raises EReadError when the replay stops at a damaged record.
    void Draw(QPainter& painter, const QRectF& target) const;

    /// Called after every change of drawing or size (recording finished, assignment, loading).
    std::function<void(TMetafile& sender)> OnChange;

private:
    friend class TMetafileCanvas;
    void TakeRecording(QPicture picture);
    void Changed();

    QPicture picture_;
    QSize size_;
};

/// Records drawing for a metafile through a QPainter whose reference device is the screen (fonts and
/// pixel sizes resolve at the screen's resolution). Finish() replaces the metafile's drawing with the
/// recording and notifies its change; destroying an unfinished canvas finishes it.
class HANDVISE_PREVIEW_EXPORT TMetafileCanvas : public TCanvas {
public:
    /// Starts recording for `metafile`. IsActive() is false when the painter could not start; nothing is
    /// recorded then.
    explicit TMetafileCanvas(TMetafile& metafile);
    ~TMetafileCanvas() override;

    /// The metafile recorded for.
    TMetafile& Metafile() { return metafile_; }

    /// Completes the recording and hands it to the metafile; later calls do nothing. A drawing that the page
    /// check refuses (coordinates that are not finite, far beyond any paper) leaves the page blank and
    /// raises EWriteError. A failure raised by
    /// the metafile's change listener reaches the caller here, while the destructor has to swallow it.
    void Finish();

private:
    TMetafile& metafile_;
    QPicture recording_;
    bool finished_ = false;
};

} // namespace preview
