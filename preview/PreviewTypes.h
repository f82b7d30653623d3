// The enumerations and small value types of the print preview's interface: page units, paper types,
// orientation, zoom modes and the sheet's measures.
#pragma once

#include <QSize>

/// The print preview component: the control TPrintPreview and what it works with.
namespace preview {

/// Units of length a page is drawn in (TPrintPreview::SetUnits). Each has a fixed number of units per
/// inch except mmPixel, whose inch is the device's resolution.
enum TUnits {
    mmPixel,     ///< device pixels
    mmLoMetric,  ///< 0.1 mm
    mmHiMetric,  ///< 0.01 mm, the default
    mmLoEnglish, ///< 0.01 inch
    mmHiEnglish, ///< 0.001 inch
    mmTWIPS,     ///< 1/1440 inch
    mmPoints     ///< 1/72 inch
};

/// The paper sizes the preview knows by name, in the order of the printer paper codes they stand for
/// (pLetter is code 1, pA4 code 9). A size that matches none of them is pCustom.
enum TPaperType {
    pLetter,
    pLetterSmall,
    pTabloid,
    pLedger,
    pLegal,
    pStatement,
    pExecutive,
    pA3,
    pA4,
    pA4Small,
    pA5,
    pB4,
    pB5,
    pFolio,
    pQuatro,
    p10x14,
    p11x17,
    pNote,
    pEnv9,
    pEnv10,
    pEnv11,
    pEnv12,
    pEnv14,
    pCSheet,
    pDSheet,
    pESheet,
    pEnvDL,
    pEnvC5,
    pEnvC3,
    pEnvC4,
    pEnvC6,
    pEnvC65,
    pEnvB4,
    pEnvB5,
    pEnvB6,
    pEnvItaly,
    pEnvMonarch,
    pEnvPersonal,
    pFanfoldUSStd,
    pFanfoldGermanStd,
    pFanfoldGermanLegal,
    pB4ISO,
    pJapanesePostcard,
    p9x11,
    p10x11,
    p15x11,
    pEnvInvite,
    pLetterExtra,
    pLegalExtra,
    pTabloidExtra,
    pA4Extra,
    pLetterTransverse,
    pA4Transverse,
    pLetterExtraTransverse,
    pAPlus,
    pBPlus,
    pLetterPlus,
    pA4Plus,
    pA5Transverse,
    pB5Transverse,
    pA3Extra,
    pA5Extra,
    pB5Extra,
    pA2,
    pA3Transverse,
    pA3ExtraTransverse,
    pCustom
};
/// The number of TPaperType values, pCustom included.
inline constexpr int kPaperTypeCount = pCustom + 1;

/// How the paper lies.
enum TPrinterOrientation {
    poPortrait, ///< upright: the shorter side across
    poLandscape ///< across: the longer side across
};

/// How the preview sizes its sheet (TPrintPreview::SetZoomState).
enum TZoomState {
    zsZoomOther,    ///< the sheet is TPrintPreview::Zoom() percent of the paper's size on screen
    zsZoomToWidth,  ///< the sheet fills the view's width
    zsZoomToHeight, ///< the sheet fills the view's height
    zsZoomToFit     ///< the whole sheet fits the view, the default
};

/// What border, shadow and caption add to the paper's size to give the sheet's size, in pixels.
struct TSheetFrame {
    int Width = 0;  ///< added across
    int Height = 0; ///< added down
};

/// A sheet's size for a zoom, as TPrintPreview::ComputePaperViewSize gives it.
struct TSheetSize {
    QSize Size; ///< the sheet, frame included, in pixels
    int Zoom;   ///< the zoom it shows the page at: given for zsZoomOther, computed for the fit modes
};

} // namespace preview
