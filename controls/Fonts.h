// Fonts given as a face and a pixel height, as the windows were designed; where the face is not
// installed, a face of similar width stands in, so captions fit the designed sizes on every desktop.
#pragma once

#include <QFont>
#include <QString>

namespace controls {

QFont PixelFont(const QString& family, int pixels);

} // namespace controls
