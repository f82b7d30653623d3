// The layout of a recorded page's bytes (a QPicture's data), shared by the check and the replay: the
// header, the page start and the commands the recording canvas writes, by Qt's own numbers.
#pragma once

#include <QtGlobal>

namespace pagecheck {

inline constexpr qsizetype kHeaderBytes = 10; // tag, checksum, major and minor version
inline constexpr qsizetype kFirstRecord = 32; // after the header and the page start with its bounds

enum Command : quint8 {
    kNop = 0,
    kDrawPoint = 1,
    kDrawLine = 4,
    kDrawRect = 5,
    kDrawEllipse = 7,
    kDrawPolyline = 12,
    kDrawPolygon = 13,
    kDrawTextItem = 21,
    kDrawPath = 25,
    kBegin = 30,
    kEnd = 31,
    kSetBkColor = 40,
    kSetBkMode = 41,
    kSetBrushOrigin = 43,
    kSetFont = 45,
    kSetPen = 46,
    kSetBrush = 47,
    kSetWMatrix = 55,
    kSetClip = 60,
    kSetClipRegion = 61,
    kSetClipPath = 62,
    kSetRenderHint = 63,
    kSetCompositionMode = 64,
    kSetClipEnabled = 65,
    kSetOpacity = 66,
};

} // namespace pagecheck
