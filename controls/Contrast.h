// Colours that stand out from what surrounds them: the contrast ratio of two colours as WCAG 2.1 measures
// it, and a colour moved towards black or white just far enough to reach a wanted ratio.
#pragma once

#include <QColor>

namespace controls {

// The least contrast the boundary of a usable control (a slider's thumb and channel) keeps against the
// colour around it (WCAG 2.1, 1.4.11 non-text contrast).
inline constexpr double NonTextContrast = 3.0;

// 0 for black to 1 for white, for an sRGB colour.
double RelativeLuminance(const QColor& colour);

// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black against white.
double ContrastRatio(const QColor& a, const QColor& b);

// `colour` when it contrasts with `against` by at least `minimum`; otherwise `colour` mixed with black or
// white (the one that stands out more from `against`) in the smallest step that reaches it, or that
// extreme itself when no mix does.
QColor ContrastingColour(const QColor& colour, const QColor& against, double minimum);

} // namespace controls
