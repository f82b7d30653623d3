// The calculator's tool icons: SVG drawings, shown from pixels that Qt's SVG icon engine rendered at
// build time for the sizes the windows use (16 pixels, 32 at scale 2). The calculator starts without
// loading the SVG engine or an image decoder; any other size, as a fractional scale asks for, is drawn
// from the SVG itself.
#pragma once

#include <QIcon>
#include <QString>

namespace calc {

// The icon of ":/calc/<name>.svg" ("center", "ok", ...).
QIcon ToolIcon(const QString& name);

} // namespace calc
