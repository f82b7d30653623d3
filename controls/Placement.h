// Building windows at their designed pixel places: a control made, named after its designed name and
// put at its rectangle in one call, and a control given colours of its own.
#pragma once

#include <QColor>
#include <QLatin1String>
#include <QRect>
#include <QWidget>

#include <utility>

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

// Background (filled) and text colour of a control; an invalid colour leaves that part as it is.
void SetColours(QWidget* widget, const QColor& background, const QColor& text);

} // namespace controls
