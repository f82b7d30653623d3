// A recorded page: drawing commands kept as a QPicture with the page's size in screen pixels,
// and the canvas that records them. The page store, the preview, printing and PDF export share these.
#pragma once

#include "preview/Canvas.h"

#include <QByteArray>
#include <QPainter>
#include <QPicture>
#include <QRect>
#include <QSize>

#include <functional>

namespace preview {

class TMetafile {
public:
    TMetafile() = default;
    TMetafile(int width, int height);
    TMetafile(const TMetafile&) = delete;
    TMetafile& operator=(const TMetafile&) = delete;

    // The page's size in screen pixels; the recorded drawing is stretched from it when replayed.
    // It is fixed at construction and changes only with Assign and LoadFromData, so that it always
    // matches the size written into the recorded bytes.
    int Width() const { return size_.width(); }
    int Height() const { return size_.height(); }
    QSize Size() const { return size_; }

    // True until something has been recorded or loaded.
    bool Empty() const { return picture_.isNull(); }
    const QPicture& Picture() const { return picture_; }

    // Takes the other page's size and drawing; the drawing is shared until either changes.
    void Assign(const TMetafile& source);

    // The page's byte image: what is written to the page file and handed to the PDF writer.
    // It carries the size, so LoadFromData restores both. Raises EReadError for bytes that are not a page.
    QByteArray SaveToData() const;
    void LoadFromData(const QByteArray& data);

    // Replays the page stretched over `target`, in the painter's coordinates, on a device of any resolution.
    // Raises EReadError when the replay stops at a damaged record.
    void Draw(QPainter& painter, const QRectF& target) const;

    // Called after every change of drawing or size (recording finished, assignment, loading).
    std::function<void(TMetafile& sender)> OnChange;

private:
    friend class TMetafileCanvas;
    void TakeRecording(QPicture picture);
    void Changed();

    QPicture picture_;
    QSize size_;
};

// Records drawing for a metafile through a QPainter whose reference device is the screen (fonts and
// pixel sizes resolve at the screen's resolution). Finish() replaces the metafile's drawing with the
// recording and notifies its change; destroying an unfinished canvas finishes it.
class TMetafileCanvas : public TCanvas {
public:
    explicit TMetafileCanvas(TMetafile& metafile);
    ~TMetafileCanvas() override;

    // IsActive() is false when the painter could not start; nothing is recorded then.
    TMetafile& Metafile() { return metafile_; }

    // Completes the recording and hands it to the metafile; later calls do nothing. A drawing that the page
    // check refuses (coordinates that are not finite, far beyond any paper) leaves the page blank and
    // raises EWriteError. A failure raised by
    // the metafile's change listener reaches the caller here, while the destructor has to swallow it.
    void Finish();

private:
    TMetafile& metafile_;
    QPicture recording_;
    bool finished_ = false;
};

} // namespace preview
