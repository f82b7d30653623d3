// The screen cursor table: small integer cursor ids, as the preview's options store them, to the
// cursors shown. The preview component adds its open hand (10) and closed hand (11) at start-up.
#pragma once

#include <QCursor>
#include <QString>

#include <cstdint>

namespace preview {

using TCursor = std::int16_t;

// The standard ids (0 and below) and the preview's own.
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;
inline constexpr TCursor crHand = 10; // the sheet can be dragged
inline constexpr TCursor crGrab = 11; // the sheet is being dragged

class TScreenCursors {
public:
    // The cursor registered under `id`, else the standard one, else the arrow. Looking up the
    // preview's ids registers its cursors first if start-up did not.
    static QCursor Cursor(TCursor id);
    static void Register(TCursor id, const QCursor& cursor);
    // True when a cursor of the program's own is registered under `id` (looks only, registers nothing).
    static bool Registered(TCursor id);
};

// Registers CURSOR_HAND as crHand and CURSOR_GRAB as crGrab; needs the application object. Where the
// drawings cannot be shown (missing, or a screen finer than their 2x pixels) the platform's own open and
// closed hands stand in.
void RegisterPreviewCursors();

// A 32 x 32 cursor from the program's resource `name` (black, white and transparent pixels) as a colour
// pixmap, with its hot spot at (15, 15); at `scale` 2 it is drawn from "name@2x" at 64 x 64 pixels, with
// the hot spot on the same point of the drawing. The default scale follows the screens' pixel ratio (2
// from 2 up). Raises std::runtime_error when the resource is missing.
QCursor LoadCursorResource(const QString& name, int scale = 0);

} // namespace preview
