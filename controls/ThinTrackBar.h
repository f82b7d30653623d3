// A track bar drawn with a thin channel and never a selection band; keys move it as a classic desktop
// track bar does (Down, Right and Page Down towards the maximum), and it reports when the focus enters.
// Screen readers see it as a slider whose value is what the position means (see SetValueText).
#pragma once

#include <QPointer>
#include <QSlider>

class QTimer;

namespace controls {

enum class TTickMarks { tmBottomRight, tmTopLeft, tmBoth };
enum class TTickStyle { tsNone, tsAuto, tsManual };

// Drawn by itself rather than by the style, so that it looks the same on every Qt style and so that the
// pixels it paints are the ones its mouse handling measures; thumb and channel are outlined in a colour
// that stands out from the window colour behind them on any palette, light or dark. The minimum is at
// the left or at the top.
// Defaults are those of the classic bar: range 0 to 10, page size 2, line size 1.
class TThinTrackBar : public QSlider {
    Q_OBJECT
public:
    explicit TThinTrackBar(Qt::Orientation orientation = Qt::Horizontal, QWidget* parent = nullptr);

    // The thumb's extent across the channel, in pixels.
    int ThumbLength() const;
    void SetThumbLength(int length);
    TTickMarks TickMarks() const;
    void SetTickMarks(TTickMarks marks);
    // tsAuto marks every value, tsManual only the minimum and the maximum.
    TTickStyle TickStyle() const;
    void SetTickStyle(TTickStyle style);

    // Kept for the classic interface; the channel never shows a selection range.
    bool ShowSelRange() const;
    void SetShowSelRange(bool show);
    int SelStart() const;
    void SetSelStart(int value);
    int SelEnd() const;
    void SetSelEnd(int value);

    // What the position means, for screen readers ("45 pounds", "Heavy"); the position itself when empty.
    // Windows set it whenever the position changes. Screen readers get it as the bar's accessible value
    // text and, with a change event, as its description.
    QString ValueText() const;
    void SetValueText(const QString& text);

    // Where the thumb and the channel are drawn now, in the bar's own coordinates.
    QRect ThumbRect() const;
    QRect ChannelRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The focus moved here by a click, Tab or code; a window getting activated again is not an enter
    // (only its first activation counts).
    void entered();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Positions along the channel ("along") and across it ("across"), the same for both orientations.
    struct Geometry {
        int FirstCentre;   // thumb centre at the minimum
        int LastCentre;    // thumb centre at the maximum
        int ThumbWidth;    // along, always odd so the point has a middle pixel
        int ThumbLength;   // across
        int ThumbAcross;   // near edge of the thumb
        int ChannelAcross; // near edge of the channel
        bool NearTicks;    // ticks above or left of the thumb
        bool FarTicks;     // ticks below or right of the thumb
    };
    Geometry Layout() const;
    QRect Oriented(int along, int across, int alongSize, int acrossSize) const;
    int AlongOf(const QPoint& point) const;
    int CentreOf(const Geometry& g, int value) const;
    int ValueAt(const Geometry& g, int centre) const;
    int ExtentNeeded() const;

    void PaintChannel(QPainter& painter, const Geometry& g) const;
    void PaintTicks(QPainter& painter, const Geometry& g) const;
    void PaintThumb(QPainter& painter, const Geometry& g) const;
    void PaintFocus(QPainter& painter) const;

    void AnnounceValueText();
    void PageTowardPress();
    void StopMouseAction();
    void WatchWindow();

    int thumbLength_ = 20;
    TTickMarks tickMarks_ = TTickMarks::tmBottomRight;
    TTickStyle tickStyle_ = TTickStyle::tsAuto;
    bool showSelRange_ = true;
    int selStart_ = 0;
    int selEnd_ = 0;
    QString valueText_;

    // Mouse state: a drag keeps the grab offset within the thumb; paging keeps the pressed point.
    bool dragging_ = false;
    int dragOffset_ = 0;
    int pressAlong_ = 0;
    int pageDirection_ = 0;
    QTimer* pageRepeat_;
    int wheelRemainder_ = 0;

    // Focus arriving with the window's activation is an enter only for the window's first activation.
    QPointer<QWidget> watchedWindow_;
    int windowActivations_ = 0;
    bool firstActivationFocusPending_ = false;
};

} // namespace controls
