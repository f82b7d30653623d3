// Fuzz harness: page bytes loaded into a page of the page store and drawn on a bitmap, as the preview
// does. Bytes that load must draw; none may crash, hang or swamp the raster engine.
#include "preview/Preview.h"
#include "tests/fuzz/FuzzSupport.h"

#include <QImage>

// Starts Qt and loads fonts once, outside the time allowed for each input.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::EnsureGuiApplication();
    preview::TMetafile page;
    page.LoadFromData(fuzz::WarmUpPage());
    QImage image(100, 100, QImage::Format_RGB32);
    QPainter painter(&image);
    page.Draw(painter, QRectF(0, 0, 100, 100));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
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
