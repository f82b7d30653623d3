// Fonts given as a face and a pixel height, as the windows were designed; where the face is not
// installed, a face of similar width stands in, so captions fit the designed sizes on every desktop.
#pragma once

#include <QFont>
#include <QString>

namespace controls {

QFont PixelFont(const QString& family, int pixels);

// The face alone at a pixel height; where it is missing, the toolkit's own substitution decides.
QFont FacePixelFont(const QString& family, int pixels);

// Courier New, or a monospaced face of the desktop where it is missing.
QFont MonospacePixelFont(int pixels, bool bold = false);

} // namespace controls
