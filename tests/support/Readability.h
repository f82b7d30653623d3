// Checks the window tests share: whether every text reads against its background (contrast ratio as
// WCAG defines it), whether a screen reader finds a name for every control it can focus, and a dark
// application palette to run them under.
#pragma once

#include <QColor>
#include <QPalette>
#include <QStringList>

class QWidget;

namespace testsupport {

// WCAG 2 relative luminance of an sRGB colour, 0 (black) to 1 (white).
double RelativeLuminance(const QColor& colour);
// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on white.
double ContrastRatio(const QColor& a, const QColor& b);

// A dark desktop palette: light texts on dark windows, buttons and edit boxes.
QPalette DarkPalette();

// Sets the application palette for its lifetime and then restores the one before.
class ScopedAppPalette {
public:
    explicit ScopedAppPalette(const QPalette& palette);
    ~ScopedAppPalette();
    ScopedAppPalette(const ScopedAppPalette&) = delete;
    ScopedAppPalette& operator=(const ScopedAppPalette&) = delete;

private:
    QPalette previous_;
};

struct ContrastReport {
    int checked = 0;  // texts measured
    QStringList poor; // "name 'text' 2.1:1" for each below the minimum
};

// Every visible, enabled text of `window` (labels, check and radio boxes, group captions, buttons,
// menu bar and its menus, edit boxes, lists, combo boxes) against the background it is drawn on.
ContrastReport MeasureContrast(const QWidget* window, double minimum = 4.5);

// Controls in `window`'s accessibility tree that can take the focus but have no name, by object name.
QStringList UnnamedFocusableControls(QWidget* window);

} // namespace testsupport
