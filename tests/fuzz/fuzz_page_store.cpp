// Fuzz harness: page bytes loaded into a page of the page store and drawn on a bitmap, as the preview
// does. Bytes that load must draw; none may crash, hang or swamp the raster engine.
#include "preview/Preview.h"
#include "tests/fuzz/FuzzSupport.h"

#include <QImage>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::EnsureGuiApplication();
    preview::TMetafile page;
    try {
        page.LoadFromData(fuzz::WithChecksum(data, size));
    } catch (const preview::EReadError&) {
        return 0;
    }
    QImage image(160, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    page.Draw(painter, QRectF(0, 0, 160, 200)); // raises on a damaged record, which the loading let pass
    return 0;
}
