// Pictures read by their known format: to read a file by name alone, Qt first loads every image plugin
// (and the SVG and JPEG libraries they link) to ask which of them reads it.
#pragma once

#include <QImage>
#include <QString>

namespace controls {

// The picture in `path`, read by Qt's reader for `format` ("png") alone; null when it cannot be read.
QImage ReadImageAs(const QString& path, const char* format);

} // namespace controls
