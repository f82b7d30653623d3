// Work a window's first paint does not need, run once that paint is on the screen.
#pragma once

#include <functional>

class QWidget;

namespace controls {

// Runs `work` from the event loop after `window` has painted for the first time, once the painted pixels
// have reached the display; nothing when the window is destroyed before it paints.
void RunAfterFirstPaint(QWidget* window, std::function<void()> work);

} // namespace controls
