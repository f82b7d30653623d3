// Pages for the preview tests: recorded drawings that differ from page to page but not in byte length.
#pragma once

#include "preview/Metafile.h"

#include <memory>

namespace previewtest {

inline constexpr int kPageWidth = 120;
inline constexpr int kPageHeight = 160;

// Records page `n` (a frame, a block and a line whose places depend on n) on `metafile`.
inline void DrawPage(preview::TMetafile& metafile, int n) {
    preview::TMetafileCanvas canvas(metafile);
    QPainter& painter = canvas.Painter();
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(2, 2, kPageWidth - 5, kPageHeight - 5);
    painter.fillRect(10 + n % 50, 20 + n % 70, 30, 25, QColor(200, 30, 30));
    painter.drawLine(5, 100 + n % 40, 110, 100 + n % 40);
    canvas.Finish();
}

inline std::unique_ptr<preview::TMetafile> MakePage(int n) {
    auto page = std::make_unique<preview::TMetafile>(kPageWidth, kPageHeight);
    DrawPage(*page, n);
    return page;
}

} // namespace previewtest
