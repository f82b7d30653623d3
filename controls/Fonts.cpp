#include "controls/Fonts.h"

#include <QStringList>

namespace controls {

QFont PixelFont(const QString& family, int pixels) {
    QFont font;
    // Liberation Sans keeps the narrow widths of the designed faces; DejaVu Sans, the desktop's
    // usual substitute, is wide enough to cut captions such as "Resulting Tension".
    font.setFamilies({family, QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(pixels);
    return font;
}

QFont FacePixelFont(const QString& family, int pixels) {
    QFont font(family);
    font.setPixelSize(pixels);
    return font;
}

QFont MonospacePixelFont(int pixels, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                      QStringLiteral("DejaVu Sans Mono")});
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace controls
