#include "controls/ImageFiles.h"

#include <QImageReader>

namespace controls {

QImage ReadImageAs(const QString& path, const char* format) {
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

} // namespace controls
