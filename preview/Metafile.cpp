#include "preview/Metafile.h"

#include "pagecheck/PageCheck.h"
#include "preview/ErrorMessage.h"
#include "preview/Errors.h"

#include <QPaintDevice>

#include <algorithm>
#include <climits>
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

// The page's size from its bounding rectangle, computed wide: the rectangle comes from the bytes.
QSize PageSize(const QRect& bounds) {
    const qint64 width = qint64(bounds.right()) - bounds.left() + 1;
    const qint64 height = qint64(bounds.bottom()) - bounds.top() + 1;
    return {int(std::clamp<qint64>(width, 0, INT_MAX)), int(std::clamp<qint64>(height, 0, INT_MAX))};
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
    // Qt replays whatever it is given; only bytes that pass the check are kept.
    const pagecheck::TPageCheck check = pagecheck::CheckPage(data);
    if (!check.ok)
        throw EReadError(Message(QT_TRANSLATE_NOOP("preview", "not a recorded page: %1"), {check.reason}));
    QPicture picture;
    picture.setData(data.constData(), uint(data.size()));
    const QSize size = PageSize(picture.boundingRect());
    picture_ = std::move(picture);
    size_ = size;
    Changed();
}

void TMetafile::Draw(QPainter& painter, const QRectF& target) const {
    if (picture_.isNull() || size_.isEmpty() || target.isEmpty())
        return;
    // The picture is played from a copy: playing is not const, and the copy shares the bytes.
    QPicture picture = picture_;
    // Replaying rescales by the device's resolution over the picture's by itself; the target is
    // already in device terms, so that factor is divided back out.
    const QPaintDevice* device = painter.device();
    const qreal dpiX = device != nullptr ? device->logicalDpiX() : picture_.logicalDpiX();
    const qreal dpiY = device != nullptr ? device->logicalDpiY() : picture_.logicalDpiY();
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / size_.width() * picture_.logicalDpiX() / dpiX,
                  target.height() / size_.height() * picture_.logicalDpiY() / dpiY);
    const bool played = picture.play(&painter);
    painter.restore();
    if (!played)
        throw EReadError(Message(QT_TRANSLATE_NOOP("preview", "the page's records are damaged")));
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
    // A drawing that would not pass the check when read back (a coordinate that is not a number, far
    // beyond any paper, a gradient) is not kept: the page stays blank and the drawer hears why.
    const pagecheck::TPageCheck check = pagecheck::CheckPage(
        QByteArrayView(recording_.data(), qsizetype(recording_.size())), pagecheck::TChecksum::Trust);
    if (!check.ok) {
        metafile_.TakeRecording(BlankPicture(metafile_.Size()));
        throw EWriteError(
            Message(QT_TRANSLATE_NOOP("preview", "the page's drawing cannot be kept: %1"), {check.reason}));
    }
    metafile_.TakeRecording(recording_); // QPicture cannot move; the copy shares its data
}

} // namespace preview
