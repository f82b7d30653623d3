#include "controls/ThinTrackBar.h"

namespace controls {

TThinTrackBar::TThinTrackBar(Qt::Orientation orientation, QWidget* parent)
    : QSlider(orientation, parent) {}

int TThinTrackBar::ThumbLength() const { return thumbLength_; }
void TThinTrackBar::SetThumbLength(int length) { thumbLength_ = length; }
TTickMarks TThinTrackBar::TickMarks() const { return tickMarks_; }
void TThinTrackBar::SetTickMarks(TTickMarks marks) { tickMarks_ = marks; }
TTickStyle TThinTrackBar::TickStyle() const { return tickStyle_; }
void TThinTrackBar::SetTickStyle(TTickStyle style) { tickStyle_ = style; }
bool TThinTrackBar::ShowSelRange() const { return showSelRange_; }
void TThinTrackBar::SetShowSelRange(bool show) { showSelRange_ = show; }
int TThinTrackBar::SelStart() const { return selStart_; }
void TThinTrackBar::SetSelStart(int value) { selStart_ = value; }
int TThinTrackBar::SelEnd() const { return selEnd_; }
void TThinTrackBar::SetSelEnd(int value) { selEnd_ = value; }

} // namespace controls
