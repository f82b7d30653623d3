// Building windows at their designed pixel places: a control made, named after its designed name and
// put at its rectangle in one call, labels sized to their text, centring on the screen where the
// platform lets programs place windows, and a control given colours of its own.
#pragma once

#include <QColor>
#include <QFont>
#include <QLatin1String>
#include <QRect>
#include <QWidget>

#include <utility>

class QLabel;

namespace controls {

// A new `Widget` child of `parent` (constructed with `args...` before the parent) whose objectName
// is its designed name, at its designed rectangle.
template <class Widget, class... Args>
Widget* Place(QWidget* parent, const char* name, QRect rect, Args&&... args) {
    auto* widget = new Widget(std::forward<Args>(args)..., parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(rect);
    return widget;
}

// Sizes `label` to its text and puts its top-left corner at `at`.
void FitToText(QWidget* label, QPoint at);

// A new label named `name`, sized to `text` (in `font`, or the parent's) with its top-left corner at `at`.
QLabel* FittedLabel(QWidget* parent, const char* name, QPoint at, const QString& text);
QLabel* FittedLabel(QWidget* parent, const char* name, QPoint at, const QString& text, const QFont& font);

// Centres `window` on the available part of its screen when it is first shown, and never again: later
// shows keep the place the user moved it to. Where the desktop places windows itself this asks in vain.
void CentreOnFirstShow(QWidget* window);

// Whether the platform puts a top-level window where the program asks (X11 does; a Wayland client cannot
// place its windows). Asked of the platform once: a window it has made but not shown is moved, and the
// place it then reports is compared with the one asked for.
bool PlatformPlacesWindows();

// Background (filled) and text colour of a control; an invalid colour leaves that part as it is.
void SetColours(QWidget* widget, const QColor& background, const QColor& text);

} // namespace controls
