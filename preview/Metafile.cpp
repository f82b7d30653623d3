#include "preview/Metafile.h"

#include "preview/Errors.h"

#include <QBuffer>
#include <QPaintDevice>

#include <utility>

namespace preview {

namespace {
// An empty recording that still carries the page size, so a blank page survives the page file.
QPicture BlankPicture(QSize size) {
    QPicture picture;
    QPainter painter(&picture);
    picture.setBoundingRect(QRect(QPoint(0, 0), size));
    painter.end();
    return picture;
}
} // namespace

TMetafile::TMetafile(int width, int height)
    : size_(width, height) {}

void TMetafile::Assign(const TMetafile& source) {
    if (&source == this)
        return;
    picture_ = source.picture_;
    size_ = source.size_;
    Changed();
}

QByteArray TMetafile::SaveToData() const {
    const QPicture picture = picture_.isNull() ? BlankPicture(size_) : picture_;
    return QByteArray(picture.data(), picture.size());
}

void TMetafile::LoadFromData(const QByteArray& data) {
    QByteArray bytes = data;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QPicture picture;
    if (data.isEmpty() || !picture.load(&buffer))
        throw EReadError("not a recorded page");
    const QSize size = picture.boundingRect().size().expandedTo(QSize(0, 0));
    picture_ = std::move(picture);
    size_ = size;
    Changed();
}

void TMetafile::Draw(QPainter& painter, const QRectF& target) const {
    if (picture_.isNull() || size_.isEmpty() || target.isEmpty())
        return;
    // Replaying rescales by the device's resolution over the picture's by itself; the target is
    // already in device terms, so that factor is divided back out.
    const QPaintDevice* device = painter.device();
    const qreal dpiX = device != nullptr ? device->logicalDpiX() : picture_.logicalDpiX();
    const qreal dpiY = device != nullptr ? device->logicalDpiY() : picture_.logicalDpiY();
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / size_.width() * picture_.logicalDpiX() / dpiX,
                  target.height() / size_.height() * picture_.logicalDpiY() / dpiY);
    painter.drawPicture(0, 0, picture_);
    painter.restore();
}

void TMetafile::TakeRecording(QPicture picture) {
    picture_ = std::move(picture);
    Changed();
}

void TMetafile::Changed() {
    // A listener may free this metafile (the page store evicting it while its owner reacts to the
    // change), so the call must not run from a handler object that goes with it.
    const auto handler = OnChange;
    if (handler)
        handler(*this);
}

TMetafileCanvas::TMetafileCanvas(TMetafile& metafile)
    : metafile_(metafile) {
    painter_.begin(&recording_);
}

TMetafileCanvas::~TMetafileCanvas() {
    try {
        Finish();
    } catch (...) { // NOLINT(bugprone-empty-catch): a destructor must not throw
    }
}

void TMetafileCanvas::Finish() {
    if (finished_)
        return;
    finished_ = true;
    if (!painter_.isActive())
        return;
    // The page size must be set before the painter ends, or it is not part of the recorded bytes.
    recording_.setBoundingRect(QRect(QPoint(0, 0), metafile_.Size()));
    painter_.end();
    metafile_.TakeRecording(std::move(recording_));
}

} // namespace preview
