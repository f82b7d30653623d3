// The text of a recorded page as a reader takes it in: the page's text runs collected by replaying it,
// ordered top to bottom and left to right, runs that share a baseline joined into one line.
#pragma once

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <vector>

namespace preview {

class TMetafile;

// One piece of text as drawn on the page, in page pixels at 100 % (the page's own size).
struct TTextRun {
    QString Text;
    QPointF Origin; // left end of the baseline
    qreal Width = 0;
    qreal Ascent = 0;
    qreal Descent = 0;
    QFont Font;
};

// One character of the page text: where it lies on the page; a line break has an empty box.
struct TPageCharacter {
    QRectF Box;
};

class TPageText {
public:
    TPageText() = default;
    // Lines in reading order, each line's runs left to right; the lines end with "\n" except the last.
    explicit TPageText(std::vector<TTextRun> runs);

    // Replays the page (its bytes passed the page check when it was recorded or loaded) and reads it.
    static TPageText Of(const TMetafile& page);

    const QString& Text() const { return text_; }
    // The box of the character at `offset` on the page; empty outside the text or for a line break.
    QRectF CharacterBox(int offset) const;
    // The offset of the character whose box holds `point` (page pixels); -1 when none does.
    int OffsetAt(const QPointF& point) const;

private:
    QString text_;
    std::vector<TPageCharacter> characters_;
};

} // namespace preview
