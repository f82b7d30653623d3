#include "preview/PaperPreview.h"

#include "preview/Errors.h"

#include <QContextMenuEvent>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QStyle>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace preview {

namespace {

// Larger off-screen pixmaps are refused rather than attempted: Qt would hand out gigabytes on
// request and the system would end the program instead of failing the allocation.
constexpr qint64 kMaxOffScreenBytes = qint64(1) << 30;

// The system's colour for the shadows of raised surfaces.
QColor ButtonShadowColor() {
    return QGuiApplication::palette().color(QPalette::Dark);
}

std::string ClassName(const QObject* object) {
    if (object == nullptr)
        return "nil";
    const std::string name = object->metaObject()->className();
    const auto colons = name.rfind("::");
    return colons == std::string::npos ? name : name.substr(colons + 2);
}

// Shadow and border of a sheet whose frame and shadow fill `box`: the shadow is offset by `shadow`
// from the sheet's top and left ends, the two squares it leaves show `background`, and the border lies
// inside the frame.
void PaintSheetFrame(QPainter& painter, const QRect& box, int border, const QColor& borderColor, int shadow,
                     const QColor& shadowColor, const QBrush& background) {
    const int left = box.left();
    const int top = box.top();
    const int right = box.left() + box.width();
    const int bottom = box.top() + box.height();
    if (shadow > 0) {
        painter.fillRect(QRect(right - shadow, top, shadow, shadow), background);
        painter.fillRect(QRect(left, bottom - shadow, shadow, shadow), background);
        painter.fillRect(QRect(right - shadow, top + shadow, shadow, bottom - top - shadow), shadowColor);
        painter.fillRect(QRect(left + shadow, bottom - shadow, right - left - shadow, shadow), shadowColor);
    }
    if (border > 0) {
        const QRect frame(left, top, right - shadow - left, bottom - shadow - top);
        const int across = std::min(border, frame.width());
        const int down = std::min(border, frame.height());
        painter.fillRect(QRect(frame.left(), frame.top(), frame.width(), down), borderColor);
        painter.fillRect(QRect(frame.left(), frame.bottom() - down + 1, frame.width(), down), borderColor);
        painter.fillRect(QRect(frame.left(), frame.top(), across, frame.height()), borderColor);
        painter.fillRect(QRect(frame.right() - across + 1, frame.top(), across, frame.height()), borderColor);
    }
}

// Pixels of a logical size, rounded up so that the pixmap covers every partly covered pixel.
QSize DevicePixels(QSize size, qreal ratio) {
    return {static_cast<int>(std::ceil(size.width() * ratio)),
            static_cast<int>(std::ceil(size.height() * ratio))};
}

// Whether a pixmap can keep serving for `pixels`: large enough, of the same ratio, and not so much larger
// that it holds memory the view no longer needs.
bool Holds(const QPixmap& pixmap, QSize pixels, qreal ratio) {
    if (pixmap.devicePixelRatio() != ratio || pixmap.width() < pixels.width() ||
        pixmap.height() < pixels.height())
        return false;
    return qint64(pixmap.width()) * pixmap.height() <=
           4 * std::max<qint64>(qint64(pixels.width()) * pixels.height(), 1 << 16);
}

} // namespace

// ---- options

TPaperPreviewOptions::TPaperPreviewOptions()
    : paperColor_(Qt::white)
    , borderColor_(Qt::black)
    , shadowColor_(ButtonShadowColor()) {}

void TPaperPreviewOptions::Changed(TChangeLevel level) {
    if (OnOptionsChanged)
        OnOptionsChanged(*this, level);
}

void TPaperPreviewOptions::SetPaperColor(const QColor& value) {
    if (value == paperColor_)
        return;
    paperColor_ = value;
    Changed(TChangeLevel::Appearance);
}

void TPaperPreviewOptions::SetBorderColor(const QColor& value) {
    if (value == borderColor_)
        return;
    borderColor_ = value;
    Changed(TChangeLevel::Appearance);
}

void TPaperPreviewOptions::SetBorderWidth(int value) {
    value = std::max(value, 0);
    if (value == borderWidth_)
        return;
    borderWidth_ = value;
    Changed(TChangeLevel::Geometry);
}

void TPaperPreviewOptions::SetShadowColor(const QColor& value) {
    if (value == shadowColor_)
        return;
    shadowColor_ = value;
    Changed(TChangeLevel::Appearance);
}

void TPaperPreviewOptions::SetShadowWidth(int value) {
    value = std::max(value, 0);
    if (value == shadowWidth_)
        return;
    shadowWidth_ = value;
    Changed(TChangeLevel::Geometry);
}

void TPaperPreviewOptions::SetCursor(TCursor value) {
    if (value == cursor_)
        return;
    cursor_ = value;
    Changed(TChangeLevel::None);
}

void TPaperPreviewOptions::SetDragCursor(TCursor value) {
    if (value == dragCursor_)
        return;
    dragCursor_ = value;
    Changed(TChangeLevel::None);
}

void TPaperPreviewOptions::SetGrabCursor(TCursor value) {
    if (value == grabCursor_)
        return;
    grabCursor_ = value;
    Changed(TChangeLevel::None);
}

void TPaperPreviewOptions::SetPopupMenu(QMenu* value) {
    if (value == popupMenu_)
        return;
    popupMenu_ = value;
    Changed(TChangeLevel::None);
}

void TPaperPreviewOptions::SetHint(const QString& value) {
    if (value == hint_)
        return;
    hint_ = value;
    Changed(TChangeLevel::None);
}

void TPaperPreviewOptions::Assign(const QObject* source) {
    const auto* options = qobject_cast<const TPaperPreviewOptions*>(source);
    if (options == nullptr)
        throw EConvertError(ClassName(source), ClassName(this));
    SetBorderColor(options->borderColor_);
    SetBorderWidth(options->borderWidth_);
    SetShadowColor(options->shadowColor_);
    SetShadowWidth(options->shadowWidth_);
    SetCursor(options->cursor_);
    SetDragCursor(options->dragCursor_);
    SetGrabCursor(options->grabCursor_);
    SetHint(options->hint_);
    SetPaperColor(options->paperColor_);
    SetPopupMenu(options->popupMenu_);
}

void TPaperPreviewOptions::AssignTo(QObject* target) const {
    if (auto* options = qobject_cast<TPaperPreviewOptions*>(target)) {
        options->Assign(this);
    } else if (auto* paper = qobject_cast<TPaperPreview*>(target)) {
        paper->SetPaperColor(paperColor_);
        paper->SetBorderColor(borderColor_);
        paper->SetBorderSize(borderWidth_);
        paper->SetShadowColor(shadowColor_);
        paper->SetShadowSize(shadowWidth_);
        paper->SetCursor(cursor_);
        paper->SetPopupMenu(popupMenu_);
        paper->setToolTip(hint_);
    } else {
        throw EConvertError(ClassName(this), ClassName(target));
    }
}

TSheetDimensions TPaperPreviewOptions::CalcDimensions(int width, int height) const {
    const int b = borderWidth_;
    const int s = shadowWidth_;
    return {QRect(b, b, width, height), QRect(0, 0, width + 2 * b + s, height + 2 * b + s)};
}

void TPaperPreviewOptions::Draw(QPainter& painter, const QRect& box) const {
    PaintSheetFrame(painter, box, borderWidth_, borderColor_, shadowWidth_, shadowColor_, painter.brush());
}

// ---- paper control

TPaperPreview::TPaperPreview(QWidget* parent)
    : QWidget(parent)
    , paperColor_(Qt::white)
    , borderColor_(Qt::black)
    , shadowColor_(ButtonShadowColor()) {
    // Every pixel comes from the off-screen pixmap: nothing is erased first, so nothing flickers.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    resize(100, 150);
}

TPaperPreview::~TPaperPreview() {
    ReleaseOffScreen();
}

int TPaperPreview::PaperWidthToClient(int value) const {
    return value + 2 * borderSize_ + shadowSize_;
}

int TPaperPreview::PaperHeightToClient(int value) const {
    return value + 2 * borderSize_ + shadowSize_ + captionHeight_;
}

int TPaperPreview::ClientWidthToPaper(int value) const {
    return value - 2 * borderSize_ - shadowSize_;
}

int TPaperPreview::ClientHeightToPaper(int value) const {
    return value - 2 * borderSize_ - shadowSize_ - captionHeight_;
}

void TPaperPreview::SetPaperWidth(int value) {
    resize(PaperWidthToClient(value), height());
}

void TPaperPreview::SetPaperHeight(int value) {
    resize(width(), PaperHeightToClient(value));
}

QSize TPaperPreview::GetPaperSize() const {
    return {ClientWidthToPaper(width()), ClientHeightToPaper(height())};
}

void TPaperPreview::SetPaperSize(int width, int height) {
    SetPaperBounds(x(), y(), width, height);
}

void TPaperPreview::SetPaperBounds(int x, int y, int width, int height) {
    setGeometry(x, y, PaperWidthToClient(width), PaperHeightToClient(height));
}

QRect TPaperPreview::PageRect() const {
    // Follows the frame at once, also when a border change keeps the control's size.
    return {borderSize_, borderSize_, std::max(0, PaperWidth()), std::max(0, PaperHeight())};
}

void TPaperPreview::Invalidate() {
    valid_ -= PageRect();
    update(PageRect());
}

void TPaperPreview::InvalidateAll() {
    valid_ = QRegion();
    update();
}

QRect TPaperPreview::VisibleRect() const {
    QRect visible = rect();
    if (const QWidget* parent = parentWidget(); parent != nullptr && !isWindow())
        visible &= parent->rect().translated(-pos());
    return visible;
}

bool TPaperPreview::AllocateOffScreen() {
    const qreal ratio = devicePixelRatioF();
    // The whole control is held against the limit although only its visible part is kept: the zooms
    // that can be shown then do not depend on how large the view is.
    const QSize whole = DevicePixels(size(), ratio);
    if (qint64(whole.width()) * whole.height() * 4 > kMaxOffScreenBytes) {
        ReleaseOffScreen();
        return false;
    }
    const QRect visible = VisibleRect();
    const QSize pixels = DevicePixels(visible.size(), ratio);
    if (!offScreen_ || !Holds(*offScreen_, pixels, ratio)) {
        QPixmap pixmap(pixels);
        if (pixmap.isNull() && !pixels.isEmpty()) {
            ReleaseOffScreen();
            return false;
        }
        pixmap.setDevicePixelRatio(ratio);
        offScreen_ = std::move(pixmap);
    }
    window_ = visible;
    InvalidateAll();
    return true;
}

void TPaperPreview::MoveWindow(const QRect& visible) {
    const qreal ratio = offScreen_->devicePixelRatio();
    const QSize pixels = DevicePixels(visible.size(), ratio);
    // Where the pixels kept go in the pixmap: they stay at their place on the control.
    const QPointF shift = QPointF(window_.topLeft() - visible.topLeft()) * ratio;
    const bool whole = shift == shift.toPoint();
    QRegion kept = whole ? valid_ & window_ & visible : QRegion();
    if (Holds(*offScreen_, pixels, ratio)) {
        if (!kept.isEmpty())
            offScreen_->scroll(shift.toPoint().x(), shift.toPoint().y(), offScreen_->rect());
    } else {
        QPixmap pixmap(pixels);
        if (pixmap.isNull())
            return; // the old part stays; the rest is drawn straight onto the screen
        pixmap.setDevicePixelRatio(ratio);
        if (!kept.isEmpty()) {
            QPainter copy(&pixmap);
            copy.setCompositionMode(QPainter::CompositionMode_Source);
            copy.drawPixmap(QPointF(window_.topLeft() - visible.topLeft()), *offScreen_);
        }
        offScreen_ = std::move(pixmap);
    }
    window_ = visible;
    valid_ = kept;
}

void TPaperPreview::ReleaseOffScreen() {
    offScreen_.reset();
}

template <class Change> void TPaperPreview::ChangeFrame(Change&& change) {
    const QSize paper = GetPaperSize();
    change();
    if (preservePaperSize_)
        SetPaperSize(paper.width(), paper.height());
    InvalidateAll(); // also when the size stays, for the frame moved inside it
}

void TPaperPreview::SetPaperColor(const QColor& value) {
    if (value == paperColor_)
        return;
    paperColor_ = value;
    InvalidateAll();
}

void TPaperPreview::SetBorderColor(const QColor& value) {
    if (value == borderColor_)
        return;
    borderColor_ = value;
    InvalidateAll();
}

void TPaperPreview::SetBorderSize(int value) {
    value = std::max(value, 0);
    if (value == borderSize_)
        return;
    ChangeFrame([&] { borderSize_ = value; });
}

void TPaperPreview::SetShadowColor(const QColor& value) {
    if (value == shadowColor_)
        return;
    shadowColor_ = value;
    InvalidateAll();
}

void TPaperPreview::SetShadowSize(int value) {
    value = std::max(value, 0);
    if (value == shadowSize_)
        return;
    ChangeFrame([&] { shadowSize_ = value; });
}

void TPaperPreview::SetShowCaption(bool value) {
    if (value == showCaption_)
        return;
    showCaption_ = value;
    UpdateCaptionHeight();
}

void TPaperPreview::SetAlignment(TAlignment value) {
    if (value == alignment_)
        return;
    alignment_ = value;
    if (showCaption_)
        InvalidateAll();
}

void TPaperPreview::SetWordWrap(bool value) {
    if (value == wordWrap_)
        return;
    wordWrap_ = value;
    if (showCaption_)
        UpdateCaptionHeight();
}

void TPaperPreview::SetCaption(const QString& value) {
    if (value == caption_)
        return;
    caption_ = value;
    if (showCaption_) {
        UpdateCaptionHeight();
        InvalidateAll();
    }
}

QColor TPaperPreview::Color() const {
    return palette().color(QPalette::Window);
}

void TPaperPreview::SetColor(const QColor& value) {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, value);
    setPalette(colours); // the palette change repaints the frame
}

void TPaperPreview::SetCursor(TCursor value) {
    cursor_ = value;
    setCursor(TScreenCursors::Cursor(value));
}

void TPaperPreview::SetPopupMenu(QMenu* value) {
    popupMenu_ = value;
}

int TPaperPreview::CaptionFlags() const {
    int flags = Qt::AlignTop;
    switch (alignment_) {
    case TAlignment::taLeftJustify:
        flags |= Qt::AlignLeft;
        break;
    case TAlignment::taRightJustify:
        flags |= Qt::AlignRight;
        break;
    case TAlignment::taCenter:
        flags |= Qt::AlignHCenter;
        break;
    }
    if (wordWrap_)
        flags |= Qt::TextWordWrap;
    // Right-to-left controls mirror the alignment.
    return static_cast<int>(QStyle::visualAlignment(layoutDirection(), Qt::Alignment(flags))) |
           (flags & Qt::TextWordWrap);
}

void TPaperPreview::UpdateCaptionHeight() {
    int height = 0;
    if (showCaption_) {
        // Measured a little narrower than it is drawn, so that the text always fits the band.
        const int band = std::max(1, width() - 2 * shadowSize_);
        const QFontMetrics metrics(font());
        const QRect measured =
            wordWrap_ ? metrics.boundingRect(QRect(0, 0, band, std::numeric_limits<int>::max() / 2),
                                             CaptionFlags(), caption_)
                      : QRect(0, 0, band, metrics.height());
        height = measured.height() + 2;
    }
    if (height == captionHeight_)
        return;
    ChangeFrame([&] { captionHeight_ = height; });
}

void TPaperPreview::DrawFrame(QPainter& painter) {
    const int w = width();
    const int h = height();
    const int s = shadowSize_;
    const int c = captionHeight_;
    const QColor background = Color();
    if (showCaption_ && c > 0) {
        // The whole band shows the background, also right of the text and when there is no text.
        painter.fillRect(QRect(0, h - c, w, c), background);
        if (!caption_.isEmpty()) {
            const QRect text(0, h - c + 1, w - s + 1, c - 2);
            painter.setFont(font());
            painter.setPen(palette().color(QPalette::WindowText));
            painter.setLayoutDirection(layoutDirection());
            const QString shown =
                wordWrap_ ? caption_
                          : QFontMetrics(font()).elidedText(caption_, Qt::ElideRight, text.width());
            painter.drawText(text, CaptionFlags(), shown);
        }
    }
    PaintSheetFrame(painter, QRect(0, 0, w, h - c), borderSize_, borderColor_, s, shadowColor_, background);
}

void TPaperPreview::DrawParts(QPainter& painter, const QRegion& parts) {
    painter.save();
    painter.setClipRegion(parts);
    // Frame pieces lie outside the page: only the parts that reach beyond it draw any.
    if (!(parts - PageRect()).isEmpty())
        DrawFrame(painter);
    const QRegion page = parts & PageRect();
    if (!page.isEmpty()) {
        painter.setClipRegion(page);
        painter.fillRect(page.boundingRect(), paperColor_);
        if (OnPaint)
            OnPaint(*this, painter, PageRect());
    }
    painter.restore();
}

void TPaperPreview::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::PaletteChange:
        InvalidateAll();
        break;
    case QEvent::FontChange:
        if (showCaption_) {
            UpdateCaptionHeight();
            InvalidateAll();
        }
        break;
    case QEvent::LayoutDirectionChange:
        if (showCaption_)
            InvalidateAll();
        else
            Invalidate();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

void TPaperPreview::paintEvent(QPaintEvent* event) {
    if (!offScreen_)
        return;
    if (offScreen_->devicePixelRatio() != devicePixelRatioF() && !AllocateOffScreen())
        return; // moved to a screen of another density
    const QRegion area = event->region() & rect();
    if (area.isEmpty())
        return;
    const QRect visible = VisibleRect();
    if (visible != window_)
        MoveWindow(visible);
    const QRegion cached = area & window_;
    const QRegion missing = cached - valid_;
    if (!missing.isEmpty()) {
        QPainter painter(&*offScreen_);
        painter.translate(-window_.topLeft());
        DrawParts(painter, missing);
        valid_ += missing;
    }
    QPainter screen(this);
    const qreal ratio = offScreen_->devicePixelRatio();
    for (const QRect& part : cached)
        screen.drawPixmap(
            part, *offScreen_,
            QRectF(QPointF(part.topLeft() - window_.topLeft()) * ratio, QSizeF(part.size()) * ratio));
    // A grab of the whole control asks for parts its parent does not show: drawn, not kept.
    const QRegion direct = area - window_;
    if (!direct.isEmpty())
        DrawParts(screen, direct);
}

void TPaperPreview::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    AllocateOffScreen();
    if (OnResize)
        OnResize(*this);
}

void TPaperPreview::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    if (OnMouseEnter)
        OnMouseEnter(*this);
}

void TPaperPreview::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (OnMouseLeave)
        OnMouseLeave(*this);
}

void TPaperPreview::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    if (OnMouseDown)
        OnMouseDown(*this, *event);
}

void TPaperPreview::mouseMoveEvent(QMouseEvent* event) {
    if (OnMouseMove)
        OnMouseMove(*this, *event);
}

void TPaperPreview::mouseReleaseEvent(QMouseEvent* event) {
    // A click is a left press and release on the control.
    const bool click =
        pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        pressed_ = false;
    if (OnMouseUp)
        OnMouseUp(*this, *event);
    if (click && OnClick)
        OnClick(*this);
}

void TPaperPreview::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressed_ = false; // the release after a double click is no click of its own
        if (OnDblClick)
            OnDblClick(*this);
    }
    if (OnMouseDown)
        OnMouseDown(*this, *event);
}

void TPaperPreview::contextMenuEvent(QContextMenuEvent* event) {
    if (popupMenu_ != nullptr)
        popupMenu_->popup(event->globalPos());
    else
        QWidget::contextMenuEvent(event);
}

} // namespace preview
