// The body of the sample sheet the page benchmarks draw: 40 texts, 30 lines and 29 rectangles in
// hundredths of a millimetre on an A4 page, so every benchmark measures the same kind of page.
#pragma once

#include <QPainter>
#include <QString>

namespace bench {

// Draws the cells, lines and boxes of page `number` with the painter's current font and pen.
inline void DrawSampleSheetBody(QPainter& painter, int number) {
    for (int cell = 0; cell < 40; ++cell)
        painter.drawText(QPoint(1500 + (cell % 5) * 3600, 3000 + (cell / 5) * 3000),
                         QStringLiteral("%1 - %2: %3 lb")
                             .arg(cell % 12 + 1)
                             .arg((cell + number) % 12 + 1)
                             .arg(100 + (cell * 7 + number) % 150));
    for (int line = 0; line < 30; ++line)
        painter.drawLine(1000, 2000 + line * 850, 20000, 2000 + line * 850);
    for (int box = 0; box < 29; ++box)
        painter.drawRect(1000 + (box % 5) * 3600, 2200 + (box / 5) * 3000, 3500, 2900);
}

} // namespace bench
