// The screen cursor table: small integer cursor ids, as the preview's options store them, to the
// cursors shown. The preview component adds its open hand (10) and closed hand (11) at start-up.
#pragma once

#include "preview/PreviewExport.h"

#include <QCursor>
#include <QString>

#include <cstdint>

namespace preview {

/// A cursor id of the screen cursor table (TScreenCursors): the standard ones are 0 and below.
using TCursor = std::int16_t;

/// @name Cursor ids
/// The standard ids (0 and below) and the preview's own.
///@{

inline constexpr TCursor crDefault = 0;     ///< the arrow
inline constexpr TCursor crNone = -1;       ///< no cursor (Qt::BlankCursor)
inline constexpr TCursor crArrow = -2;      ///< the arrow
inline constexpr TCursor crCross = -3;      ///< Qt::CrossCursor
inline constexpr TCursor crIBeam = -4;      ///< Qt::IBeamCursor
inline constexpr TCursor crSizeNESW = -6;   ///< Qt::SizeBDiagCursor
inline constexpr TCursor crSizeNS = -7;     ///< Qt::SizeVerCursor
inline constexpr TCursor crSizeNWSE = -8;   ///< Qt::SizeFDiagCursor
inline constexpr TCursor crSizeWE = -9;     ///< Qt::SizeHorCursor
inline constexpr TCursor crUpArrow = -10;   ///< Qt::UpArrowCursor
inline constexpr TCursor crHourGlass = -11; ///< Qt::WaitCursor
inline constexpr TCursor crNoDrop = -13;    ///< Qt::ForbiddenCursor
inline constexpr TCursor crHSplit = -14;    ///< Qt::SplitHCursor
inline constexpr TCursor crVSplit = -15;    ///< Qt::SplitVCursor
inline constexpr TCursor crNo = -18;        ///< Qt::ForbiddenCursor
inline constexpr TCursor crAppStart = -19;  ///< Qt::BusyCursor
inline constexpr TCursor crHelp = -20;      ///< Qt::WhatsThisCursor
inline constexpr TCursor crHandPoint = -21; ///< Qt::PointingHandCursor
inline constexpr TCursor crSizeAll = -22;   ///< Qt::SizeAllCursor
inline constexpr TCursor crHand = 10;       ///< the sheet can be dragged
inline constexpr TCursor crGrab = 11;       ///< the sheet is being dragged
///@}

/// The program's table of cursors by id, as the sheet's options name them.
class HANDVISE_PREVIEW_EXPORT TScreenCursors {
public:
    /// The cursor registered under `id`, else the standard one, else the arrow. Looking up the
    /// preview's ids registers its cursors first if start-up did not.
    static QCursor Cursor(TCursor id);
    /// Registers `cursor` under `id`, replacing what was there.
    static void Register(TCursor id, const QCursor& cursor);
    /// True when a cursor of the program's own is registered under `id` (looks only, registers nothing).
    static bool Registered(TCursor id);
};

/// Registers CURSOR_HAND as crHand and CURSOR_GRAB as crGrab; needs the application object. Where the
/// drawings cannot be shown (missing, or a screen finer than their 2x pixels) the platform's own open and
/// closed hands stand in.
HANDVISE_PREVIEW_EXPORT void RegisterPreviewCursors();

/// A 32 x 32 cursor from the program's resource `name` (black, white and transparent pixels) as a colour
/// pixmap, with its hot spot at (15, 15); at `scale` 2 it is drawn from "name@2x" at 64 x 64 pixels, with
/// the hot spot on the same point of the drawing. The default scale follows the screens' pixel ratio (2
/// from 2 up). Raises std::runtime_error when the resource is missing.
HANDVISE_PREVIEW_EXPORT QCursor LoadCursorResource(const QString& name, int scale = 0);

} // namespace preview
