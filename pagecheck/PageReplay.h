// Replays the records of a checked page on a painter exactly as QPicture::play does, for less: QPicture
// sums the bytes again and, for every text, reads its font anew, measures it and lays the text out
// through Qt's general text formatter. Here each font and each path is read once per replay object
// (a document's pages share them), and a text goes to the painter as that formatter would draw it.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFont>
#include <QHash>
#include <QPainterPath>

#include <bitset>

class QPainter;

namespace pagecheck {

class TPageReplay {
public:
    enum class TResult {
        Played,
        // Nothing was drawn: a text on the page takes a way of the formatter that this replay leaves to
        // QPicture (justified, several lines or length variants, or a font with decorations, which the
        // recorder draws apart); QPicture::play draws that page the same.
        Declined,
        Damaged, // the records could not be read; the page is drawn in part
    };

    // Draws `bytes`, which passed CheckPage, with `painter` in its coordinates at the resolution that
    // QPicture gives a picture, as QPicture::play would.
    TResult Play(QByteArrayView bytes, QPainter& painter);

private:
    struct TTextFont {
        QFont font;            // the font at the resolution its text was recorded at
        int ascent = 0;        // where the formatter puts the top of the line, above the baseline
        bool plain = false;    // without the decorations the formatter draws after the text
        qreal exactAscent = 0; // where the formatter's line puts the baseline, below its top
        // The characters up to 255 that the font's own face has; texts of only these are drawn by the
        // painter as the formatter draws them (see Play). None for a font whose texts the formatter lays
        // out otherwise (sized in points, spaced, scaled).
        std::bitset<256> latin1;
        bool straight = false;
    };
    TTextFont FontOf(QByteArrayView fontBytes, double scale, int streamVersion);

    QHash<QByteArray, TTextFont> fonts_;    // by the font's bytes and scale
    QHash<QByteArray, QPainterPath> paths_; // by their records' bytes
    QByteArray lastFontBytes_;              // the font of the last text read, and its scale
    double lastFontScale_ = 0;
    TTextFont lastFont_;
};

} // namespace pagecheck
