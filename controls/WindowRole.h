// Top-level windows built on a plain QWidget look like an unnamed filler to screen readers; this gives
// them the role of a window (a frame on AT-SPI) named by its title.
#pragma once

class QWidget;

namespace controls {

void ExposeAsWindow(QWidget* window);

} // namespace controls
