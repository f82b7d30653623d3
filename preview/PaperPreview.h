// The sheet of paper that the preview shows: a paper-coloured page area with a border, a drop shadow
// along its right and bottom edges and an optional caption band below, and the options object that
// holds its look. The owner draws the page through OnPaint. Data flow: the preview copies its options
// into the control (AssignTo) whenever they change, sizes and moves it for the zoom through the
// paper/client size conversions, and calls Invalidate when the page content changes; the control keeps
// the frame and page of its visible part in an off-screen pixmap, remembers which of those pixels are
// current, and asks OnPaint only for page areas not drawn since.
#pragma once

#include "common/Alignment.h"

#include "preview/Cursors.h"

#include <QColor>
#include <QMenu>
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QRect>
#include <QRegion>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>

class QMouseEvent;
class QPainter;

namespace preview {

class TPaperPreview;

using TAlignment = common::TAlignment;

// What an options change affects: nothing visible (cursors, hint, menu), the colours, or the geometry
// (border or shadow width), which makes the preview lay the sheet out again.
enum class TChangeLevel : std::uint8_t { None = 0, Appearance = 1, Geometry = 2 };

// A sheet's page rectangle and the box that border and shadow take around it.
struct TSheetDimensions {
    QRect PageRect;
    QRect Box;
};

// The look of the preview's sheet, published by the preview and copied into its paper control.
class TPaperPreviewOptions : public QObject {
    Q_OBJECT
public:
    TPaperPreviewOptions();

    QColor PaperColor() const { return paperColor_; }
    void SetPaperColor(const QColor& value);
    QColor BorderColor() const { return borderColor_; }
    void SetBorderColor(const QColor& value);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value); // negative values count as 0
    QColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(const QColor& value);
    int ShadowWidth() const { return shadowWidth_; }
    void SetShadowWidth(int value);
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);
    TCursor DragCursor() const { return dragCursor_; }
    void SetDragCursor(TCursor value);
    TCursor GrabCursor() const { return grabCursor_; }
    void SetGrabCursor(TCursor value);
    QMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(QMenu* value); // not owned; forgotten when the menu is destroyed
    QString Hint() const { return hint_; }
    void SetHint(const QString& value);

    // Takes every value of another options object, each differing one notifying on its own.
    // Any other source raises EConvertError "Cannot assign a <source> to a <this>".
    void Assign(const QObject* source);
    // Gives the values to another options object or to a paper control (colours, widths, cursor,
    // menu, hint; the drag and grab cursors stay here, the preview reads them when it needs them).
    // Any other target raises EConvertError.
    void AssignTo(QObject* target) const;

    // Where a page of w x h pixels and its frame lie when drawn with these options, the same layout as
    // a paper control of that paper size.
    TSheetDimensions CalcDimensions(int width, int height) const;
    // Paints shadow and border for a box from CalcDimensions; the painter's brush is the background
    // that shows in the shadow's two corner squares.
    void Draw(QPainter& painter, const QRect& box) const;

    // The single listener of changes: (sender, level).
    std::function<void(TPaperPreviewOptions& sender, TChangeLevel level)> OnOptionsChanged;

private:
    void Changed(TChangeLevel level);

    QColor paperColor_;
    QColor borderColor_;
    int borderWidth_ = 1;
    QColor shadowColor_;
    int shadowWidth_ = 3;
    TCursor cursor_ = crDefault;
    TCursor dragCursor_ = crHand;
    TCursor grabCursor_ = crGrab;
    QPointer<QMenu> popupMenu_;
    QString hint_;
};

class TPaperPreview : public QWidget {
    Q_OBJECT
public:
    explicit TPaperPreview(QWidget* parent = nullptr);
    ~TPaperPreview() override;

    // Sheet geometry with B = BorderSize, S = ShadowSize and C = the caption band's height.
    virtual int PaperWidthToClient(int value) const;  // value + 2B + S
    virtual int PaperHeightToClient(int value) const; // value + 2B + S + C
    virtual int ClientWidthToPaper(int value) const;  // value - 2B - S
    virtual int ClientHeightToPaper(int value) const; // value - 2B - S - C
    int PaperWidth() const { return ClientWidthToPaper(width()); }
    void SetPaperWidth(int value);
    int PaperHeight() const { return ClientHeightToPaper(height()); }
    void SetPaperHeight(int value);
    QSize GetPaperSize() const;
    void SetPaperSize(int width, int height); // keeps the control's position
    void SetPaperBounds(int x, int y, int width, int height);
    // Where the page is drawn: (B, B) and the paper's size, in the control's coordinates.
    QRect PageRect() const;
    int CaptionHeight() const { return captionHeight_; }

    // Page content changed: only the page area is drawn again, through OnPaint.
    void Invalidate();
    // Frame and page are drawn again.
    virtual void InvalidateAll();
    // Gives the control an off-screen pixmap for the part of it that its parent shows; false when the
    // control as a whole is too large for one (the control then paints nothing). The preview asks after
    // each zoom change.
    virtual bool AllocateOffScreen();
    virtual void ReleaseOffScreen();
    bool HasOffScreen() const { return offScreen_.has_value(); }
    // The part of the control, in its coordinates, whose pixels the off-screen pixmap holds.
    QRect OffScreenArea() const { return window_; }

    bool PreservePaperSize() const { return preservePaperSize_; }
    void SetPreservePaperSize(bool value) { preservePaperSize_ = value; }
    QColor PaperColor() const { return paperColor_; }
    void SetPaperColor(const QColor& value);
    QColor BorderColor() const { return borderColor_; }
    void SetBorderColor(const QColor& value);
    int BorderSize() const { return borderSize_; }
    void SetBorderSize(int value);
    QColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(const QColor& value);
    int ShadowSize() const { return shadowSize_; }
    void SetShadowSize(int value);
    bool ShowCaption() const { return showCaption_; }
    void SetShowCaption(bool value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    QString Caption() const { return caption_; }
    void SetCaption(const QString& value);
    // The background colour around the sheet (shadow corners, caption band); by default the parent's.
    QColor Color() const;
    void SetColor(const QColor& value);
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);
    QMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(QMenu* value);

    // Events; each is called only when set. OnPaint draws the whole page into the rectangle it gets;
    // the painter is clipped to the part being redrawn (a replayed picture that sets its own clip must
    // intersect it with the painter's).
    std::function<void(TPaperPreview& sender, QPainter& canvas, const QRect& pageRect)> OnPaint;
    std::function<void(TPaperPreview& sender)> OnResize;
    std::function<void(TPaperPreview& sender)> OnMouseEnter;
    std::function<void(TPaperPreview& sender)> OnMouseLeave;
    std::function<void(TPaperPreview& sender)> OnClick;
    std::function<void(TPaperPreview& sender)> OnDblClick;
    std::function<void(TPaperPreview& sender, QMouseEvent& event)> OnMouseDown;
    std::function<void(TPaperPreview& sender, QMouseEvent& event)> OnMouseMove;
    std::function<void(TPaperPreview& sender, QMouseEvent& event)> OnMouseUp;

protected:
    // Paints caption band, shadow and border in control coordinates; the painter is clipped to the
    // part being drawn.
    virtual void DrawFrame(QPainter& painter);

    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    int CaptionFlags() const;
    void UpdateCaptionHeight();
    // Changes a frame measure and then either keeps the paper's size (the control grows or shrinks)
    // or keeps the control's size.
    template <class Change> void ChangeFrame(Change&& change);
    // The control's part inside its parent, which is all a paint can ask for on screen.
    QRect VisibleRect() const;
    // Follows the visible part after the control moved: pixels still visible are kept.
    void MoveWindow(const QRect& visible);
    // Frame and page of `parts` (control coordinates) on a painter in control coordinates.
    void DrawParts(QPainter& painter, const QRegion& parts);

    bool preservePaperSize_ = true;
    QColor paperColor_;
    QColor borderColor_;
    int borderSize_ = 1;
    QColor shadowColor_;
    int shadowSize_ = 3;
    bool showCaption_ = false;
    TAlignment alignment_ = TAlignment::taCenter;
    bool wordWrap_ = true;
    int captionHeight_ = 0;
    QString caption_;
    TCursor cursor_ = crDefault;
    QPointer<QMenu> popupMenu_;

    // Holds window_ at its top-left corner; it may be larger, so that zooming and scrolling seldom
    // allocate.
    std::optional<QPixmap> offScreen_;
    QRect window_;
    QRegion valid_; // the pixels of window_ that show the current frame and page
    bool pressed_ = false;
};

} // namespace preview
