// The designed look of a window or panel: a background colour the design fixes, with a complete light
// palette around it, so that a dark desktop theme cannot put light theme text on the light designed
// background, nor open a dark message box over it.
#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

namespace controls {

// The named colours the designs use beside their own window colours.
inline constexpr QColor Navy(0, 0, 128);
inline constexpr QColor Maroon(128, 0, 0);
inline constexpr QColor Black(0, 0, 0);

// A light palette in every colour group (active, inactive, disabled): `background` as the window colour,
// black text on white edit boxes and lists, black on light grey buttons, white on blue selections, grey
// for disabled text.
QPalette DesignedPalette(const QColor& background);

// Gives `widget` (and through palette inheritance every child) that palette and fills its background. A
// window also hands it to the message boxes and dialogs it opens that bring no palette of their own.
void SetDesignedLook(QWidget* widget, const QColor& background);

} // namespace controls
