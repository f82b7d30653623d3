#include "pagecheck/PageReplay.h"

#include "pagecheck/Records.h"

#include <QBuffer>
#include <QDataStream>
#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPicture>
#include <QPolygonF>
#include <QRawFont>
#include <QRegion>
#include <QTextLayout>
#include <QTransform>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace pagecheck {

namespace {

// More texts than this on one page are left to QPicture, which lays out one text at a time.
constexpr int kMaxTextsLaidOutAhead = 20000;
// Characters times pixel size below which a text cannot reach the formatter's line width of 2^24
// pixels, with glyphs up to 8 em wide.
constexpr qint64 kStraightLineWidth = qint64(1) << 21;

// The resolution at which QPicture sets fonts recorded at another resolution than the screen's.
class TFontResolution final : public QPaintDevice {
public:
    TFontResolution(int dpiX, int dpiY)
        : dpiX_(dpiX)
        , dpiY_(dpiY) {}
    QPaintEngine* paintEngine() const override { return nullptr; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmDpiX:
        case PdmPhysicalDpiX:
            return dpiX_;
        case PdmDpiY:
        case PdmPhysicalDpiY:
            return dpiY_;
        default:
            return QPaintDevice::metric(metric);
        }
    }

private:
    int dpiX_;
    int dpiY_;
};

// The resolution Qt gives pictures, which is also the one fonts are recorded at: a picture's own.
const QPicture& AnyPicture() {
    static const QPicture picture;
    return picture;
}

double F64(const char* at) {
    const quint64 bits = qFromBigEndian<quint64>(at);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// One record: its command and where its data lies in the page's bytes.
struct Record {
    quint8 command = kNop;
    qsizetype data = 0;
    qsizetype length = 0;
};

std::vector<Record> Records(QByteArrayView bytes) {
    const quint32 count = qFromBigEndian<quint32>(bytes.data() + kFirstRecord - 4);
    std::vector<Record> records;
    records.reserve(count);
    for (qsizetype at = kFirstRecord; at + 2 <= bytes.size();) {
        Record record{quint8(bytes[at]), at + 2, quint8(bytes[at + 1])};
        if (record.length == 255) {
            record.length = qFromBigEndian<qint32>(bytes.data() + record.data);
            record.data += 4;
        }
        records.push_back(record);
        if (record.command == kEnd)
            break;
        at = record.data + record.length;
    }
    return records;
}

// A text record's fields: its baseline start, its characters (big-endian UTF-16), its font and the font's
// scale, and the width QPicture justifies it to (none when not above 0).
struct TextRecord {
    QPointF start;
    QString text;
    QByteArrayView font;
    double scale = 1;
    double justifiedWidth = 0;
};

TextRecord ReadText(QByteArrayView data) {
    TextRecord text;
    text.start = QPointF(F64(data.data()), F64(data.data() + 8));
    const quint32 textBytes = qFromBigEndian<quint32>(data.data() + 16);
    qsizetype at = 20;
    if (textBytes != 0xFFFFFFFFU) {
        text.text.resize(textBytes / 2);
        qFromBigEndian<quint16>(data.data() + at, text.text.size(), text.text.data());
        at += textBytes;
    }
    // After the font: the layout flags, then the scale and the justification width.
    text.font = data.sliced(at, data.size() - at - 20);
    text.scale = F64(data.data() + data.size() - 16);
    text.justifiedWidth = F64(data.data() + data.size() - 8);
    return text;
}

// The text as the formatter sets one line: returns and tabs are spaces. Empty when a character takes
// the formatter another way (length variants, line separators).
bool SingleLineText(QString& text) {
    for (QChar& c : text) {
        if (c == u'\r' || c == u'\n' || c == u'\t')
            c = u' ';
        else if (c == u'\x9c' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return false;
    }
    return true;
}

// A text laid out as the formatter lays out one line, left to right, from its top left corner.
std::unique_ptr<QTextLayout> LaidOut(const QString& text, const QFont& font) {
    auto layout = std::make_unique<QTextLayout>(text, font);
    QTextOption option = layout->textOption();
    option.setTextDirection(Qt::LeftToRight);
    option.setAlignment(Qt::AlignLeft);
    layout->setTextOption(option);
    layout->setCacheEnabled(true);
    layout->beginLayout();
    QTextLine line = layout->createLine();
    line.setLineWidth(0x01000000);
    line.setPosition(QPointF(0, 0));
    const bool oneLine = !layout->createLine().isValid();
    layout->endLayout();
    if (!oneLine)
        return nullptr;
    return layout;
}

} // namespace

TPageReplay::TTextFont TPageReplay::FontOf(QByteArrayView fontBytes, double scale, int streamVersion) {
    // Texts in a row mostly share their font.
    if (scale == lastFontScale_ && fontBytes == QByteArrayView(lastFontBytes_))
        return lastFont_;
    lastFontBytes_ = fontBytes.toByteArray();
    lastFontScale_ = scale;
    QByteArray key = lastFontBytes_;
    key.append(reinterpret_cast<const char*>(&scale), sizeof scale);
    const auto found = fonts_.constFind(key);
    if (found != fonts_.constEnd())
        return lastFont_ = *found;
    if (fonts_.size() >= 512)
        fonts_.clear(); // a page of ever new fonts does not grow the cache without end
    QFont font;
    QDataStream stream(QByteArray::fromRawData(fontBytes.data(), fontBytes.size()));
    stream.setVersion(streamVersion);
    stream >> font;
    if (scale != 1.0) {
        const QPicture& picture = AnyPicture();
        const TFontResolution resolution(qRound(scale * picture.logicalDpiX()),
                                         qRound(scale * picture.logicalDpiY()));
        font = QFont(font, &resolution);
    }
    TTextFont entry;
    entry.font = font;
    entry.ascent = QFontMetrics(font).ascent();
    entry.plain = !font.underline() && !font.overline() && !font.strikeOut();
    entry.exactAscent = QFontMetricsF(font).ascent();
    if (entry.plain && scale == 1.0 && font.pixelSize() > 0 && font.letterSpacing() == 0 &&
        font.wordSpacing() == 0) {
        const QRawFont face = QRawFont::fromFont(font);
        for (char32_t c = 0; c < entry.latin1.size(); ++c)
            entry.latin1[c] = face.supportsCharacter(c);
    }
    entry.straight = entry.latin1.any();
    fonts_.insert(key, entry);
    return lastFont_ = entry;
}

TPageReplay::TResult TPageReplay::Play(QByteArrayView bytes, QPainter& painter) {
    const int streamVersion = qFromBigEndian<quint16>(bytes.data() + 6);
    const std::vector<Record> records = Records(bytes);

    // Every text is laid out before anything is drawn, so that a page this replay declines stays blank.
    // A text in a font sized in pixels, undecorated and unspaced, too short to reach the formatter's
    // line width, is a line whatever it holds: the painter draws it from its baseline, which is where
    // the formatter's line puts it, with the same glyphs, and without breaking it into lines first.
    struct Text {
        QPointF topLeft;
        std::unique_ptr<QTextLayout> layout; // for a text the painter does not draw straight
        bool straight = false;               // drawn by the painter, in `font` from `baseline`
        QFont font;
        qreal baseline = 0;
        QString text;
    };
    std::vector<Text> texts;
    for (const Record& record : records) {
        if (record.command != kDrawTextItem)
            continue;
        if (texts.size() >= kMaxTextsLaidOutAhead)
            return TResult::Declined;
        TextRecord text = ReadText(bytes.sliced(record.data, record.length));
        const TTextFont font = FontOf(text.font, text.scale, streamVersion);
        if (text.justifiedWidth > 0 || !font.plain || !SingleLineText(text.text))
            return TResult::Declined;
        Text laidOut{QPointF(text.start.x(), text.start.y() - font.ascent), nullptr, false, {}, 0, {}};
        if (font.straight && qint64(text.text.size()) * font.font.pixelSize() < kStraightLineWidth &&
            std::all_of(text.text.cbegin(), text.text.cend(), [&](QChar c) {
                return c.unicode() < font.latin1.size() && font.latin1[c.unicode()];
            })) {
            // The formatter's line starts at whole 64ths of a unit, its baseline an ascent further.
            laidOut.straight = true;
            laidOut.font = font.font;
            laidOut.baseline = std::trunc(laidOut.topLeft.y() * 64) / 64 + font.exactAscent;
            laidOut.text = std::move(text.text);
        } else if (!text.text.isEmpty()) {
            laidOut.layout = LaidOut(text.text, font.font);
            if (laidOut.layout == nullptr)
                return TResult::Declined;
        }
        texts.push_back(std::move(laidOut));
    }

    // As QPicture::play: the painter's transformation, scaled from the picture's resolution to the
    // device's, and recorded transformations applied on top of it.
    const QPicture& picture = AnyPicture();
    QTransform world = painter.transform();
    world.scale(qreal(painter.device()->logicalDpiX()) / qreal(picture.logicalDpiX()),
                qreal(painter.device()->logicalDpiY()) / qreal(picture.logicalDpiY()));
    painter.setTransform(world);

    QBuffer buffer;
    buffer.setData(QByteArray::fromRawData(bytes.data(), bytes.size()));
    buffer.open(QIODevice::ReadOnly);
    QDataStream s(&buffer);
    s.setVersion(streamVersion);
    auto nextText = texts.begin();
    const QFont* painterFont = nullptr; // the font of the text the painter drew last
    for (const Record& record : records) {
        buffer.seek(record.data);
        qint8 i8 = 0;
        quint32 u32 = 0;
        double real = 0;
        QPointF p1, p2;
        QRectF rect;
        switch (record.command) {
        case kNop:
        case kEnd:
            break;
        case kDrawPoint:
            s >> p1;
            painter.drawPoint(p1);
            break;
        case kDrawLine:
            s >> p1 >> p2;
            painter.drawLine(p1, p2);
            break;
        case kDrawRect:
            s >> rect;
            painter.drawRect(rect);
            break;
        case kDrawEllipse:
            s >> rect;
            painter.drawEllipse(rect);
            break;
        case kDrawPolyline: {
            // The points as the stream would read them: a count, then x and y of each.
            const char* at = bytes.data() + record.data;
            QPolygonF polygon(qFromBigEndian<quint32>(at));
            for (QPointF& point : polygon) {
                point = QPointF(F64(at + 4), F64(at + 12));
                at += 16;
            }
            painter.drawPolyline(polygon);
            continue; // read here, not through the stream
        }
        case kDrawPolygon: {
            QPolygonF polygon;
            s >> polygon >> i8;
            painter.drawPolygon(polygon, i8 != 0 ? Qt::WindingFill : Qt::OddEvenFill);
            break;
        }
        case kDrawTextItem: {
            const Text& text = *nextText++;
            if (text.layout != nullptr) {
                text.layout->lineAt(0).draw(&painter, text.topLeft);
            } else if (text.straight && !text.text.isEmpty()) {
                // The painter's font is the text's from here; no record of this kind reads it.
                if (painterFont == nullptr || *painterFont != text.font)
                    painter.setFont(text.font);
                painterFont = &text.font;
                painter.drawText(QPointF(text.topLeft.x(), text.baseline), text.text,
                                 Qt::TextForceLeftToRight, 0);
            }
            continue; // read ahead, not through the stream
        }
        case kDrawPath: {
            // Pages of a document mostly repeat their frames and rules: each path is read once.
            const QByteArray recorded = QByteArray::fromRawData(bytes.data() + record.data, record.length);
            auto known = paths_.constFind(recorded);
            if (known == paths_.constEnd()) {
                if (paths_.size() >= 4096)
                    paths_.clear();
                QPainterPath path;
                s >> path;
                known = paths_.insert(QByteArray(recorded.constData(), recorded.size()), path);
            } else {
                buffer.seek(record.data + record.length);
            }
            painter.drawPath(*known);
            break;
        }
        case kSetBkColor: {
            QColor color;
            s >> color;
            painter.setBackground(color);
            break;
        }
        case kSetBkMode:
            s >> i8;
            painter.setBackgroundMode(Qt::BGMode(i8));
            break;
        case kSetBrushOrigin:
            s >> p1;
            painter.setBrushOrigin(p1);
            break;
        case kSetFont: {
            QFont font;
            s >> font;
            painter.setFont(font);
            painterFont = nullptr;
            break;
        }
        case kSetPen: {
            QPen pen;
            s >> pen;
            painter.setPen(pen);
            break;
        }
        case kSetBrush: {
            QBrush brush;
            s >> brush;
            painter.setBrush(brush);
            break;
        }
        case kSetWMatrix: {
            QTransform transform;
            s >> transform >> i8;
            painter.setTransform(transform * world, i8 != 0);
            break;
        }
        case kSetClip:
            s >> i8;
            painter.setClipping(i8 != 0);
            break;
        case kSetClipRegion: {
            QRegion region;
            s >> region >> i8;
            painter.setClipRegion(region, Qt::ClipOperation(i8));
            break;
        }
        case kSetClipPath: {
            QPainterPath path;
            s >> path >> i8;
            painter.setClipPath(path, Qt::ClipOperation(i8));
            break;
        }
        case kSetRenderHint:
            s >> u32;
            painter.setRenderHint(QPainter::Antialiasing, (u32 & QPainter::Antialiasing) != 0);
            painter.setRenderHint(QPainter::SmoothPixmapTransform,
                                  (u32 & QPainter::SmoothPixmapTransform) != 0);
            break;
        case kSetCompositionMode:
            s >> u32;
            painter.setCompositionMode(QPainter::CompositionMode(u32));
            break;
        case kSetClipEnabled: {
            bool enabled = false;
            s >> enabled;
            painter.setClipping(enabled);
            break;
        }
        case kSetOpacity:
            s >> real;
            painter.setOpacity(real);
            break;
        default:
            return TResult::Damaged; // the check lets no other record through
        }
        if (s.status() != QDataStream::Ok || buffer.pos() != record.data + record.length)
            return TResult::Damaged;
    }
    return TResult::Played;
}

} // namespace pagecheck
