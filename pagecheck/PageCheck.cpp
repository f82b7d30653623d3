#include "pagecheck/PageCheck.h"

#include "pagecheck/Records.h"

#include <QByteArray>
#include <QDataStream>
#include <QtEndian>

#include <array>
#include <cmath>
#include <cstring>

namespace pagecheck {

namespace {

// The format this Qt writes; pages come only from this program, so no other is accepted.
constexpr quint16 kFormatMajor = QDataStream::Qt_DefaultCompiledVersion;
constexpr quint16 kFormatMinor = 0;
constexpr quint8 kBeginLength = 4; // what the recorder writes for the first record, whatever follows

// Generous bounds: the largest real page is 200 inches a side, some 508000 units at hundredths of a
// millimetre and 19200 screen pixels; anything far beyond is not a drawing but an attack on the engines.
constexpr double kMaxCoordinate = 1 << 21;
constexpr qint32 kMaxPageSide = 1 << 21;
constexpr double kMaxScale = 1e3; // linear part of a recorded transformation: pixels a page unit
constexpr double kMaxPenWidth = 1e5;
constexpr double kMaxMiterLimit = 1e3;
constexpr double kMaxDash = 1e4;      // in pen widths
constexpr double kMaxFontSize = 1e5;  // points or pixels
constexpr double kMaxFontScale = 100; // font resolution over the screen's
constexpr quint32 kMaxPathElements = 200000;
constexpr quint32 kMaxDashes = 64;
constexpr quint32 kMaxTextChars = 65536;
constexpr quint32 kMaxNameChars = 512;
constexpr quint32 kMaxFamilies = 32;
constexpr quint32 kMaxRegionRects = 256;

// The CRC-16 of ISO 3309 that qChecksum computes, eight bytes a step from tables: Qt's own goes by
// nibbles and would make the check take as long as loading the page.
using CrcTables = std::array<std::array<quint16, 256>, 8>;
constexpr CrcTables kCrcTables = [] {
    CrcTables tables{};
    for (unsigned n = 0; n < 256; ++n) {
        unsigned crc = n;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) != 0 ? (crc >> 1) ^ 0x8408 : crc >> 1;
        tables[0][n] = quint16(crc);
    }
    for (std::size_t k = 1; k < tables.size(); ++k)
        for (unsigned n = 0; n < 256; ++n)
            tables[k][n] = quint16(tables[k - 1][n] >> 8 ^ tables[0][tables[k - 1][n] & 0xff]);
    return tables;
}();

quint16 Checksum(QByteArrayView bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    qsizetype left = bytes.size();
    unsigned crc = 0xffff;
    const auto& t = kCrcTables;
    for (; left >= 8; left -= 8, p += 8) {
        crc ^= unsigned(p[0]) | unsigned(p[1]) << 8;
        crc = t[7][crc & 0xff] ^ t[6][crc >> 8] ^ t[5][p[2]] ^ t[4][p[3]] ^ t[3][p[4]] ^ t[2][p[5]] ^
              t[1][p[6]] ^ t[0][p[7]];
    }
    for (; left > 0; --left, ++p)
        crc = crc >> 8 ^ t[0][(crc ^ *p) & 0xff];
    return quint16(~crc);
}

struct Refused {
    std::string reason;
};

[[noreturn]] __attribute__((noinline, cold)) void Refuse(std::string reason) {
    throw Refused{std::move(reason)};
}

// Big-endian reads within a window of the bytes; reading past the window refuses the page.
class Reader {
public:
    Reader(const char* data, qsizetype size)
        : data_(data)
        , left_(size) {}

    qsizetype Left() const { return left_; }

    quint8 U8() { return static_cast<quint8>(*Take(1)); }
    quint16 U16() { return qFromBigEndian<quint16>(Take(2)); }
    quint32 U32() { return qFromBigEndian<quint32>(Take(4)); }
    qint32 I32() { return static_cast<qint32>(U32()); }
    double F64() {
        const quint64 bits = qFromBigEndian<quint64>(Take(8));
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    // The next `count` bytes as a reader of their own.
    Reader Part(qsizetype count) { return {Take(count), count}; }
    void Skip(qsizetype count) { Take(count); }
    // Refuses a count of items of `itemBytes` each that cannot fit the bytes left or exceeds `cap`.
    void NeedItems(quint64 count, quint64 itemBytes, quint64 cap, const char* what) {
        if (count > cap)
            Refuse(std::string(what) + " has " + std::to_string(count) + " items, more than " +
                   std::to_string(cap));
        if (count * itemBytes > quint64(left_))
            Refuse(std::string(what) + " has " + std::to_string(count) +
                   " items, more than its record holds");
    }

private:
    const char* Take(qsizetype count) {
        if (count < 0 || count > left_) [[unlikely]]
            Refuse("the data ends inside a value");
        const char* at = data_;
        data_ += count;
        left_ -= count;
        return at;
    }

    const char* data_;
    qsizetype left_;
};

[[noreturn]] void RefuseRange(const char* what) {
    Refuse(std::string(what) + " out of range");
}

// The value when it lies within the bounds; the comparisons refuse a value that is not a number too.
inline double Bounded(double value, double low, double high, const char* what) {
    if (!(value >= low && value <= high)) [[unlikely]]
        RefuseRange(what);
    return value;
}

double Coordinate(Reader& in) {
    return Bounded(in.F64(), -kMaxCoordinate, kMaxCoordinate, "coordinate");
}

void Point(Reader& in) {
    Coordinate(in);
    Coordinate(in);
}

void RectF(Reader& in) {
    for (int i = 0; i < 4; ++i)
        Coordinate(in);
}

quint8 Flag(Reader& in, quint8 last, const char* what) {
    const quint8 value = in.U8();
    if (value > last)
        Refuse(std::string(what) + " " + std::to_string(value) + " unknown");
    return value;
}

void Color(Reader& in) {
    // Invalid, RGB, HSV, CMYK, HSL; extended RGB holds half floats that may be anything.
    Flag(in, 4, "colour model");
    in.Skip(10);
}

void Transform(Reader& in) {
    const double m11 = in.F64(), m12 = in.F64(), m13 = in.F64();
    const double m21 = in.F64(), m22 = in.F64(), m23 = in.F64();
    const double dx = in.F64(), dy = in.F64(), m33 = in.F64();
    for (double scale : {m11, m12, m21, m22})
        Bounded(scale, -kMaxScale, kMaxScale, "transformation scale");
    Bounded(dx, -kMaxCoordinate, kMaxCoordinate, "transformation offset");
    Bounded(dy, -kMaxCoordinate, kMaxCoordinate, "transformation offset");
    if (m13 != 0 || m23 != 0 || m33 != 1)
        Refuse("perspective transformation");
}

void Brush(Reader& in) {
    // Solid and hatched styles only: no gradient or texture is ever recorded.
    Flag(in, Qt::DiagCrossPattern, "brush style");
    Color(in);
    Transform(in);
}

void Pen(Reader& in) {
    const quint16 bits = in.U16();
    const unsigned style = bits & Qt::MPenStyle, cap = bits & Qt::MPenCapStyle,
                   join = bits & Qt::MPenJoinStyle;
    if ((bits & ~(unsigned(Qt::MPenStyle) | unsigned(Qt::MPenCapStyle) | unsigned(Qt::MPenJoinStyle))) != 0 ||
        style > Qt::CustomDashLine || cap > Qt::RoundCap || join > Qt::SvgMiterJoin)
        Refuse("pen style " + std::to_string(bits) + " unknown");
    Flag(in, 1, "cosmetic flag");
    Bounded(in.F64(), 0, kMaxPenWidth, "pen width");
    Brush(in);
    Bounded(in.F64(), 0, kMaxMiterLimit, "miter limit");
    const quint32 dashes = in.U32();
    in.NeedItems(dashes, 8, kMaxDashes, "dash pattern");
    double length = 0;
    for (quint32 i = 0; i < dashes; ++i)
        length += Bounded(in.F64(), 0, kMaxDash, "dash");
    if (dashes > 0 && length < 1e-3)
        Refuse("dash pattern without length");
    Coordinate(in); // dash offset
    Flag(in, 1, "default width flag");
}

// A string is a byte count (all ones for a null string) and UTF-16 units.
void String(Reader& in, quint32 maxChars, const char* what) {
    const quint32 bytes = in.U32();
    if (bytes == 0xFFFFFFFFu)
        return;
    if (bytes % 2 != 0)
        Refuse(std::string(what) + " of an odd byte count");
    in.NeedItems(bytes / 2, 2, maxChars, what);
    in.Skip(bytes);
}

void FontSize(double size, const char* what) {
    if (size != -1)
        Bounded(size, 0, kMaxFontSize, what);
}

void Font(Reader& in) {
    String(in, kMaxNameChars, "font family");
    String(in, kMaxNameChars, "font style name");
    FontSize(in.F64(), "font point size");
    FontSize(in.I32(), "font pixel size");
    Flag(in, 8, "font style hint"); // up to fantasy
    in.U16();                       // style strategy: flags, any combination
    const quint16 weight = in.U16();
    if (weight < 1 || weight > 1000)
        Refuse("font weight out of range");
    in.U8(); // italic, underline and other bits
    if (in.U16() > 4000)
        Refuse("font stretch out of range");
    in.U8(); // more bits
    for (const char* what : {"letter spacing", "word spacing"})
        Bounded(in.I32(), -64 * kMaxFontSize, 64 * kMaxFontSize, what);
    Flag(in, 3, "font hinting");        // up to full hinting
    Flag(in, 4, "font capitalization"); // up to capitalised
    const quint32 families = in.U32();
    in.NeedItems(families, 4, kMaxFamilies, "font family list");
    for (quint32 i = 0; i < families; ++i)
        String(in, kMaxNameChars, "font family");
}

void Path(Reader& in) {
    const qint32 count = in.I32();
    if (count == 0)
        return; // an empty path is the count alone
    if (count < 0)
        Refuse("path of a negative size");
    in.NeedItems(quint32(count), 20, kMaxPathElements, "path");
    int curveDataDue = 0; // a curve's two control points follow it
    for (qint32 i = 0; i < count; ++i) {
        const qint32 type = in.I32();
        Point(in);
        const bool valid = curveDataDue > 0 ? type == 3 : i == 0 ? type == 0 : type >= 0 && type <= 2;
        if (!valid)
            Refuse("path element " + std::to_string(i) + " of type " + std::to_string(type) +
                   " out of place");
        curveDataDue = type == 2 ? 2 : curveDataDue > 0 ? curveDataDue - 1 : 0;
    }
    if (curveDataDue > 0)
        Refuse("path ends inside a curve");
    const qint32 start = in.I32();
    if (start < 0 || start >= count)
        Refuse("path subpath start out of range");
    if (in.U32() > Qt::WindingFill)
        Refuse("path fill rule unknown");
}

void Polygon(Reader& in) {
    const quint32 count = in.U32();
    in.NeedItems(count, 16, kMaxPathElements, "polygon");
    for (quint32 i = 0; i < count; ++i)
        Point(in);
}

void Region(Reader& in) {
    const quint32 bytes = in.U32();
    if (bytes == 0)
        return;
    Reader region = in.Part(bytes);
    if (region.I32() != 10) // rectangles: the only form Qt writes
        Refuse("region of an unknown form");
    const quint32 count = region.U32();
    region.NeedItems(count, 16, kMaxRegionRects, "region");
    for (quint32 i = 0; i < 4 * count; ++i)
        Bounded(region.I32(), -kMaxCoordinate, kMaxCoordinate, "region coordinate");
    if (region.Left() != 0)
        Refuse("region longer than its rectangles");
}

void TextItem(Reader& in) {
    Point(in);
    String(in, kMaxTextChars, "text");
    Font(in);
    in.U32(); // layout flags, any combination
    Bounded(in.F64(), 1e-3, kMaxFontScale, "font scale");
    Bounded(in.F64(), 0, kMaxCoordinate, "justification width");
}

const char* CommandName(quint8 command) {
    switch (command) {
    case kNop:
        return "nothing";
    case kDrawPoint:
        return "point";
    case kDrawLine:
        return "line";
    case kDrawRect:
        return "rectangle";
    case kDrawEllipse:
        return "ellipse";
    case kDrawPolyline:
        return "polyline";
    case kDrawPolygon:
        return "polygon";
    case kDrawTextItem:
        return "text";
    case kDrawPath:
        return "path";
    case kBegin:
        return "begin";
    case kEnd:
        return "end";
    case kSetBkColor:
        return "background colour";
    case kSetBkMode:
        return "background mode";
    case kSetBrushOrigin:
        return "brush origin";
    case kSetFont:
        return "font";
    case kSetPen:
        return "pen";
    case kSetBrush:
        return "brush";
    case kSetWMatrix:
        return "transformation";
    case kSetClip:
        return "clip switch";
    case kSetClipRegion:
        return "clip region";
    case kSetClipPath:
        return "clip path";
    case kSetRenderHint:
        return "render hints";
    case kSetCompositionMode:
        return "composition mode";
    case kSetClipEnabled:
        return "clip switch";
    case kSetOpacity:
        return "opacity";
    default:
        return nullptr;
    }
}

// Reads one record's data, which must fill its length exactly.
void Record(quint8 command, Reader& in) {
    switch (command) {
    case kNop:
    case kEnd:
        break;
    case kDrawPoint:
    case kSetBrushOrigin:
        Point(in);
        break;
    case kDrawLine:
        Point(in);
        Point(in);
        break;
    case kDrawRect:
    case kDrawEllipse:
        RectF(in);
        break;
    case kDrawPolyline:
        Polygon(in);
        break;
    case kDrawPolygon:
        Polygon(in);
        Flag(in, 1, "fill rule");
        break;
    case kDrawTextItem:
        TextItem(in);
        break;
    case kDrawPath:
        Path(in);
        break;
    case kSetBkColor:
        Color(in);
        break;
    case kSetBkMode:
        Flag(in, Qt::OpaqueMode, "background mode");
        break;
    case kSetFont:
        Font(in);
        break;
    case kSetPen:
        Pen(in);
        break;
    case kSetBrush:
        Brush(in);
        break;
    case kSetWMatrix:
        Transform(in);
        Flag(in, 1, "combine flag");
        break;
    case kSetClip:
    case kSetClipEnabled:
        Flag(in, 1, "clip switch");
        break;
    case kSetClipRegion:
        Region(in);
        Flag(in, Qt::IntersectClip, "clip operation");
        break;
    case kSetClipPath:
        Path(in);
        Flag(in, Qt::IntersectClip, "clip operation");
        break;
    case kSetRenderHint:
        in.U32();
        break;
    case kSetCompositionMode:
        if (in.U32() > 23) // the Porter-Duff and blend modes; raster operations have no place on paper
            Refuse("composition mode unknown");
        break;
    case kSetOpacity:
        Bounded(in.F64(), 0, 1, "opacity");
        break;
    default:
        Refuse("unknown command " + std::to_string(command));
    }
    if (in.Left() != 0)
        Refuse("record longer than its data");
}

void CheckHeader(QByteArrayView bytes, TChecksum checksumCheck, Reader& in) {
    if (bytes.size() > kMaxPageBytes)
        Refuse("larger than " + std::to_string(kMaxPageBytes) + " bytes");
    if (bytes.size() < kHeaderBytes || std::memcmp(bytes.data(), "QPIC", 4) != 0)
        Refuse("no page header");
    in.Skip(4);
    const quint16 checksum = in.U16();
    if (checksumCheck == TChecksum::Verify && Checksum(bytes.sliced(6)) != checksum)
        Refuse("checksum mismatch");
    const quint16 major = in.U16(), minor = in.U16();
    if (major != kFormatMajor || minor != kFormatMinor)
        Refuse("format version " + std::to_string(major) + "." + std::to_string(minor) + " not supported");
}

// The records after the page start, whose bounds it gives.
QRect CheckRecords(Reader& in) {
    if (in.U8() != kBegin || in.U8() != kBeginLength)
        Refuse("no page start");
    const qint32 left = in.I32(), top = in.I32(), width = in.I32(), height = in.I32();
    for (qint32 value : {left, top, width, height})
        if (value < -kMaxPageSide || value > kMaxPageSide)
            Refuse("page size out of range");
    const quint32 records = in.U32();
    for (quint32 index = 1;; ++index) {
        if (index > records || in.Left() == 0)
            Refuse("no end after " + std::to_string(index - 1) + " records");
        const quint8 command = in.U8();
        const char* name = CommandName(command);
        try {
            if (name == nullptr || command == kBegin)
                Refuse("unknown command " + std::to_string(command));
            const quint8 shortLength = in.U8();
            const qint64 length = shortLength == 255 ? qint64(in.I32()) : shortLength;
            if (length < 0 || length > in.Left())
                Refuse("length " + std::to_string(length) + " beyond the data");
            Reader data = in.Part(length);
            Record(command, data);
        } catch (const Refused& refused) {
            Refuse("record " + std::to_string(index) + " (" + (name != nullptr ? name : "?") +
                   "): " + refused.reason);
        }
        if (command == kEnd) {
            if (index != records || in.Left() != 0)
                Refuse("data after the end");
            return {left, top, width, height};
        }
    }
}

} // namespace

TPageCheck CheckPage(QByteArrayView bytes, TChecksum checksum) {
    try {
        Reader in(bytes.data(), bytes.size());
        CheckHeader(bytes, checksum, in);
        const QRect bounds = CheckRecords(in);
        return {true, {}, bounds};
    } catch (const Refused& refused) {
        return {false, refused.reason, {}};
    }
}

} // namespace pagecheck
