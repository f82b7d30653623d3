// The programs' widget style: the desktop's own, and when that is Fusion, as on most Linux desktops, Fusion
// with the two pictures it reads at start-up read without probing Qt's image plugins. To read a PNG by
// file name Qt first loads every image plugin, and the SVG and JPEG libraries they link, to ask whether
// it reads PNG; Fusion does so for the group box frame in the first paint and for the menu bar's
// overflow button when a menu bar is made. Here the frame is drawn from the same picture read by Qt's
// PNG reader alone, and the overflow icon is read when a menu bar first overflows.
#pragma once

namespace controls {

// Makes that the application's style if its style is Fusion; any other style stays. Needs the
// application object.
void UseFusionWithoutImagePlugins();

} // namespace controls
