#include "controls/Fonts.h"

#include <QFontDatabase>
#include <QSet>
#include <QStringList>

namespace controls {

namespace {

// The first face of `families` that is installed; all of them when none is, for Qt's substitution. For
// a face that is missing, Qt has fontconfig sort every font by its likeness before it goes on to the next
// face named, milliseconds at every start for a face it will not use. A face named after the one in use
// costs as much: Qt sorts the fonts for it up front, where a single face has its stand-ins for missing
// characters looked up only once a text needs one.
QStringList InstalledOf(const QStringList& families) {
    static const QSet<QString> installed = [] {
        QSet<QString> names;
        for (const QString& family : QFontDatabase::families())
            names.insert(family.toCaseFolded());
        return names;
    }();
    for (const QString& family : families)
        if (installed.contains(family.toCaseFolded()))
            return {family};
    return families;
}

} // namespace

QFont PixelFont(const QString& family, int pixels) {
    QFont font;
    // Liberation Sans keeps the narrow widths of the designed faces; DejaVu Sans, the desktop's
    // usual substitute, is wide enough to cut captions such as "Resulting Tension".
    font.setFamilies(InstalledOf({family, QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")}));
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
    font.setFamilies(InstalledOf({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                                  QStringLiteral("DejaVu Sans Mono")}));
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace controls
