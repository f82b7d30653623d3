// A track bar drawn with a thin channel and never a selection band; keys move it as a classic desktop
// track bar does (Down, Right and Page Down towards the maximum), and it reports when the focus enters.
#pragma once

#include <QSlider>

namespace controls {

enum class TTickMarks { tmBottomRight, tmTopLeft, tmBoth };
enum class TTickStyle { tsNone, tsAuto, tsManual };

class TThinTrackBar : public QSlider {
    Q_OBJECT
public:
    explicit TThinTrackBar(Qt::Orientation orientation = Qt::Horizontal, QWidget* parent = nullptr);

    int ThumbLength() const;
    void SetThumbLength(int length);
    TTickMarks TickMarks() const;
    void SetTickMarks(TTickMarks marks);
    TTickStyle TickStyle() const;
    void SetTickStyle(TTickStyle style);

    // Kept for the classic interface; the channel never shows a selection range.
    bool ShowSelRange() const;
    void SetShowSelRange(bool show);
    int SelStart() const;
    void SetSelStart(int value);
    int SelEnd() const;
    void SetSelEnd(int value);

signals:
    // The focus moved here by a click, Tab or code; a window getting activated again is not an enter
    // (only its first activation counts).
    void entered();

private:
    int thumbLength_ = 20;
    TTickMarks tickMarks_ = TTickMarks::tmBottomRight;
    TTickStyle tickStyle_ = TTickStyle::tsAuto;
    bool showSelRange_ = true;
    int selStart_ = 0;
    int selEnd_ = 0;
};

} // namespace controls
