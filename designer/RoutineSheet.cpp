#include "designer/RoutineSheet.h"

#include "preview/Preview.h"

#include <QColor>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QRectF>
#include <QString>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace designer {

namespace {

// Edges in page units, right and bottom exclusive like the page's bounds.
struct Edges {
    int Left, Top, Right, Bottom;
};

// The blank the user writes the result on. At 12 points it is wider than its column and is cut off at
// the column's right edge, whatever the font's advance.
const QString Rule = QStringLiteral("_ _ _ _ _ _ _ _ _ _ _ _ _ _");

QColor HeadingColor() {
    return {60, 0, 88};
}
QColor SetColor() {
    return {208, 64, 64};
}
QColor RuleColor() {
    return {42, 132, 42};
}

// Draws `text` with the top left of its line at (x, y), clipped to the part of `column` from y down.
// No background is filled: the line step is the font's em height, less than its line spacing, so an
// opaque box behind a line would cut off the bottoms of the parentheses and commas of the line above.
void DrawTextFrom(QPainter& painter, const Edges& column, int x, int y, const QString& text) {
    painter.save();
    painter.setClipRect(QRectF(column.Left, y, column.Right - column.Left, std::max(0, column.Bottom - y)),
                        Qt::IntersectClip);
    painter.drawText(QPointF(x, y + QFontMetricsF(painter.font()).ascent()), text);
    painter.restore();
}

QFont SheetFont(const QStringList& families, QFont::StyleHint hint) {
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(hint);
    font.setPointSizeF(12);
    font.setWeight(QFont::Normal);
    font.setStyle(QFont::StyleNormal);
    return font;
}

} // namespace

// The sheet's typefaces are Tahoma and Courier. Left to fontconfig, "Courier" becomes Nimbus Mono PS
// wherever Ghostscript's URW fonts are installed and Liberation Mono elsewhere, so the installed
// stand-ins are named first and the sheet looks the same on every machine set up with them: DejaVu Sans
// (of the Verdana and Tahoma kind) and Liberation Mono (the metrics of Courier New). The original names
// follow for a machine that lacks both, where fontconfig resolves them.
QFont RoutineHeadingFont() {
    return SheetFont({"DejaVu Sans", "Tahoma"}, QFont::SansSerif);
}
QFont RoutineSetFont() {
    return SheetFont({"Liberation Mono", "Courier New", "Courier"}, QFont::TypeWriter);
}

void DrawRoutineSheet(preview::TCanvas& canvas, const CycleTable& cycle, const QRect& page, QPoint margin) {
    if (!canvas.IsActive())
        return;
    QPainter& painter = canvas.Painter();
    painter.save();
    painter.setBackgroundMode(Qt::TransparentMode);
    const QFont savedFont = canvas.Font();

    const int dx = margin.x();
    const int dy = margin.y();
    const int pageRight = page.left() + page.width();
    const int pageBottom = page.top() + page.height();

    const Edges frame{page.left() + 2 * dx, page.top() + dy, pageRight - 2 * dx, pageBottom - dy};
    painter.setPen(QPen(Qt::black, 0)); // one device pixel on every device
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(frame.Left, frame.Top, frame.Right - frame.Left, frame.Bottom - frame.Top));

    // Three columns over the left 0.3, 0.6 and 0.9 of the frame's right edge (exact integer part);
    // the middle and right ones are pulled in by fixed amounts so the rule keeps clear of the frame.
    const int c = 3 * frame.Right / 10;
    const Edges left{frame.Left + dx / 5, frame.Top + dy / 5, c - dx / 5, frame.Bottom - dy / 5};
    const Edges middle{c, page.top(), 2 * c - 250, frame.Bottom - 100};
    const Edges right{2 * c - 250, page.top(), 3 * c - 100, frame.Bottom - 100};

    const QFont headingFont = RoutineHeadingFont();
    const QFont setFont = RoutineSetFont();
    canvas.SetFont(headingFont);
    // Lines are one em of the 12-point font apart, whatever the typeface's own line spacing.
    const int h = std::max(1, std::abs(painter.font().pixelSize()));

    int y = left.Top;
    for (std::size_t week = 0; week < cycle.size(); ++week) {
        canvas.SetFont(headingFont);
        painter.setPen(HeadingColor());
        DrawTextFrom(painter, left, left.Left, y,
                     QCoreApplication::translate("designer::RoutineSheet", "Week : %1").arg(week + 1));
        y += h;
        canvas.SetFont(setFont);
        for (const model::Talpha& set : cycle[week]) {
            if (set.RepsText == "0")
                continue; // a set the week does not have leaves no line
            painter.setPen(SetColor());
            DrawTextFrom(painter, left, left.Left + dx, y, QString::fromStdString(set.SettingText));
            DrawTextFrom(
                painter, middle, middle.Left, y,
                QStringLiteral(" (%1) x %2")
                    .arg(QString::fromStdString(set.TensionText), QString::fromStdString(set.RepsText)));
            painter.setPen(RuleColor());
            DrawTextFrom(painter, right, right.Left, y, Rule);
            y += h;
        }
        y += h;
    }

    canvas.SetFont(savedFont);
    painter.restore();
}

void DrawRoutineSheet(preview::TPrintPreview& preview, const CycleTable& cycle) {
    preview::TCanvas* canvas = preview.Canvas();
    if (canvas == nullptr || preview.State() != preview::TPreviewState::Recording)
        throw std::runtime_error(
            QCoreApplication::translate("designer::RoutineSheet",
                                        "No page is being recorded for the routine sheet")
                .toStdString());
    DrawRoutineSheet(*canvas, cycle, preview.PageBounds(),
                     preview.ConvertXY(100, 100, preview::mmLoMetric, preview.Units()));
}

} // namespace designer
