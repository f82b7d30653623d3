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
#include "preview/PreviewExport.h"

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

/// Where a caption lies in its band: left, right or centred.
using TAlignment = common::TAlignment;

/// What an options change affects.
enum class TChangeLevel : std::uint8_t {
    None = 0,       ///< nothing visible: cursors, hint, menu
    Appearance = 1, ///< the colours
    Geometry = 2    ///< border or shadow width, which makes the preview lay the sheet out again
};

/// A sheet's page rectangle and the box that border and shadow take around it.
struct TSheetDimensions {
    QRect PageRect; ///< where the page is drawn
    QRect Box;      ///< the page with its border and shadow
};

/// The look of the preview's sheet, published by the preview (TPrintPreview::PaperView) and copied into
/// its paper control.
class HANDVISE_PREVIEW_EXPORT TPaperPreviewOptions : public QObject {
    Q_OBJECT
public:
    /// White paper, a one-pixel black border, a three-pixel shadow in the style's shadow colour, and the
    /// hand cursors for dragging.
    TPaperPreviewOptions();

    /// The paper's colour.
    QColor PaperColor() const { return paperColor_; }
    void SetPaperColor(const QColor& value); ///< Sets PaperColor().
    /// The colour of the line around the paper.
    QColor BorderColor() const { return borderColor_; }
    void SetBorderColor(const QColor& value); ///< Sets BorderColor().
    /// The width of the line around the paper, in pixels.
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value); ///< Sets BorderWidth(); negative values count as 0.
    /// The colour of the shadow along the right and bottom edges.
    QColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(const QColor& value); ///< Sets ShadowColor().
    /// The shadow's width, in pixels.
    int ShadowWidth() const { return shadowWidth_; }
    void SetShadowWidth(int value); ///< Sets ShadowWidth(); negative values count as 0.
    /// The sheet's cursor while it fits the view.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value); ///< Sets Cursor().
    /// The sheet's cursor while it can be dragged (default crHand).
    TCursor DragCursor() const { return dragCursor_; }
    void SetDragCursor(TCursor value); ///< Sets DragCursor().
    /// The sheet's cursor while it is dragged (default crGrab).
    TCursor GrabCursor() const { return grabCursor_; }
    void SetGrabCursor(TCursor value); ///< Sets GrabCursor().
    /// The sheet's context menu; not owned, and forgotten when the menu is destroyed.
    QMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(QMenu* value); ///< Sets PopupMenu().
    /// The sheet's tool tip.
    QString Hint() const { return hint_; }
    void SetHint(const QString& value); ///< Sets Hint().

    /// Takes every value of another options object, each differing one notifying on its own.
    /// Any other source raises EConvertError "Cannot assign a <source> to a <this>".
    void Assign(const QObject* source);
    /// Gives the values to another options object or to a paper control (colours, widths, cursor,
    /// menu, hint; the drag and grab cursors stay here, the preview reads them when it needs them).
    /// Any other target raises EConvertError.
    void AssignTo(QObject* target) const;

    /// Where a page of w x h pixels and its frame lie when drawn with these options, the same layout as
    /// a paper control of that paper size.
    TSheetDimensions CalcDimensions(int width, int height) const;
    /// Paints shadow and border for a box from CalcDimensions; the painter's brush is the background
    /// that shows in the shadow's two corner squares.
    void Draw(QPainter& painter, const QRect& box) const;

    /// The single listener of changes: (sender, level).
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

/// The sheet of paper a TPrintPreview shows (TPrintPreview::PaperPreview): a paper-coloured page area
/// with a border, a drop shadow along its right and bottom edges and an optional caption band below.
/// The owner draws the page through OnPaint.
class HANDVISE_PREVIEW_EXPORT TPaperPreview : public QWidget {
    Q_OBJECT
public:
    /// A sheet of 95 x 145 paper pixels (100 x 150 with the frame).
    explicit TPaperPreview(QWidget* parent = nullptr);
    ~TPaperPreview() override;

    /// @name Sheet geometry
    /// With B = BorderSize(), S = ShadowSize() and C = the caption band's height.
    ///@{

    virtual int PaperWidthToClient(int value) const;  ///< value + 2B + S
    virtual int PaperHeightToClient(int value) const; ///< value + 2B + S + C
    virtual int ClientWidthToPaper(int value) const;  ///< value - 2B - S
    virtual int ClientHeightToPaper(int value) const; ///< value - 2B - S - C
    /// The paper's width in pixels; setting it sizes the control around it.
    int PaperWidth() const { return ClientWidthToPaper(width()); }
    void SetPaperWidth(int value); ///< Sets PaperWidth().
    /// The paper's height in pixels; setting it sizes the control around it.
    int PaperHeight() const { return ClientHeightToPaper(height()); }
    void SetPaperHeight(int value); ///< Sets PaperHeight().
    /// The paper's size in pixels.
    QSize GetPaperSize() const;
    void SetPaperSize(int width, int height); ///< Sets the paper's size; keeps the control's position.
    /// Places the control at (x, y) with a paper of width x height pixels.
    void SetPaperBounds(int x, int y, int width, int height);
    /// Where the page is drawn: (B, B) and the paper's size, in the control's coordinates.
    QRect PageRect() const;
    /// The caption band's height in pixels; 0 without a caption.
    int CaptionHeight() const { return captionHeight_; }
    ///@}

    /// @name Drawing
    ///@{

    /// Page content changed: only the page area is drawn again, through OnPaint.
    void Invalidate();
    /// Frame and page are drawn again.
    virtual void InvalidateAll();
    /// Gives the control an off-screen pixmap for the part of it that its parent shows; false when the
    /// control as a whole is too large for one (the control then paints nothing). The preview asks after
    /// each zoom change.
    virtual bool AllocateOffScreen();
    /// Gives the off-screen pixmap up; the next paint draws everything again.
    virtual void ReleaseOffScreen();
    /// True while the control has its off-screen pixmap.
    bool HasOffScreen() const { return offScreen_.has_value(); }
    /// The part of the control, in its coordinates, whose pixels the off-screen pixmap holds.
    QRect OffScreenArea() const { return window_; }
    ///@}

    /// @name Look
    ///@{

    /// Whether frame changes keep the paper's size (the control grows or shrinks, the default) or the
    /// control's.
    bool PreservePaperSize() const { return preservePaperSize_; }
    void SetPreservePaperSize(bool value) { preservePaperSize_ = value; } ///< Sets PreservePaperSize().
    /// The paper's colour.
    QColor PaperColor() const { return paperColor_; }
    void SetPaperColor(const QColor& value); ///< Sets PaperColor().
    /// The colour of the line around the paper.
    QColor BorderColor() const { return borderColor_; }
    void SetBorderColor(const QColor& value); ///< Sets BorderColor().
    /// The width of the line around the paper, in pixels (B).
    int BorderSize() const { return borderSize_; }
    void SetBorderSize(int value); ///< Sets BorderSize(); negative values count as 0.
    /// The colour of the shadow along the right and bottom edges.
    QColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(const QColor& value); ///< Sets ShadowColor().
    /// The shadow's width, in pixels (S).
    int ShadowSize() const { return shadowSize_; }
    void SetShadowSize(int value); ///< Sets ShadowSize(); negative values count as 0.
    /// Whether the caption band below the paper shows Caption().
    bool ShowCaption() const { return showCaption_; }
    void SetShowCaption(bool value); ///< Sets ShowCaption().
    /// Where the caption lies in its band.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value); ///< Sets Alignment().
    /// Whether a long caption wraps onto further lines (the band grows with it).
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value); ///< Sets WordWrap().
    /// The text of the caption band.
    QString Caption() const { return caption_; }
    void SetCaption(const QString& value); ///< Sets Caption().
    /// The background colour around the sheet (shadow corners, caption band); by default the parent's.
    QColor Color() const;
    void SetColor(const QColor& value); ///< Sets Color().
    /// The cursor over the sheet, an id of the screen cursor table.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value); ///< Sets Cursor().
    /// The sheet's context menu; not owned, and forgotten when the menu is destroyed.
    QMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(QMenu* value); ///< Sets PopupMenu().
    ///@}

    /// @name Events
    /// Each is called only when set.
    ///@{

    /// Draws the whole page into the rectangle it gets; the painter is clipped to the part being
    /// redrawn (a replayed picture that sets its own clip must intersect it with the painter's).
    std::function<void(TPaperPreview& sender, QPainter& canvas, const QRect& pageRect)> OnPaint;
    std::function<void(TPaperPreview& sender)> OnResize;     ///< The control's size changed.
    std::function<void(TPaperPreview& sender)> OnMouseEnter; ///< The pointer came over the control.
    std::function<void(TPaperPreview& sender)> OnMouseLeave; ///< The pointer left the control.
    std::function<void(TPaperPreview& sender)> OnClick;      ///< The left button was clicked on it.
    std::function<void(TPaperPreview& sender)> OnDblClick;   ///< It was double-clicked.
    /// A button went down on the control, at the event's place in the control's coordinates.
    std::function<void(TPaperPreview& sender, QMouseEvent& event)> OnMouseDown;
    /// The pointer moved over the control.
    std::function<void(TPaperPreview& sender, QMouseEvent& event)> OnMouseMove;
    /// A button went up.
    std::function<void(TPaperPreview& sender, QMouseEvent& event)> OnMouseUp;
    ///@}

protected:
    /// Paints caption band, shadow and border in control coordinates; the painter is clipped to the
    /// part being drawn.
    virtual void DrawFrame(QPainter& painter);

    void changeEvent(QEvent* event) override; ///< Redraws the frame when palette, font or direction change.
    void paintEvent(QPaintEvent* event) override;             ///< Paints from the off-screen pixmap.
    void resizeEvent(QResizeEvent* event) override;           ///< Follows the new size; fires OnResize.
    void enterEvent(QEnterEvent* event) override;             ///< Fires OnMouseEnter.
    void leaveEvent(QEvent* event) override;                  ///< Fires OnMouseLeave.
    void mousePressEvent(QMouseEvent* event) override;        ///< Fires OnMouseDown.
    void mouseMoveEvent(QMouseEvent* event) override;         ///< Fires OnMouseMove.
    void mouseReleaseEvent(QMouseEvent* event) override;      ///< Fires OnMouseUp, and OnClick after a press.
    void mouseDoubleClickEvent(QMouseEvent* event) override;  ///< Fires OnDblClick.
    void contextMenuEvent(QContextMenuEvent* event) override; ///< Shows PopupMenu().

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
