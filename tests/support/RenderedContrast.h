// Non-text contrast measured on rendered pixels: how far the edge of a part of a control (a slider's
// thumb or channel, a scroll bar's handle) stands out from the pixels just outside it.
#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

class QScrollBar;
class QWidget;

namespace testsupport {

// A pixel just inside a part's edge and its neighbour just outside.
struct Edge {
    QString Side;
    QPoint Inside;
    QPoint Outside;
};

// The four edges of `part` on the lines through `through`: top and bottom in its column, left and right
// in its row.
QList<Edge> EdgesAround(const QRect& part, QPoint through);

// The least contrast ratio over `edges` in `image`, and a description of each edge below `minimum`.
struct EdgeReport {
    double Least = 21.0;
    QStringList Poor;
};
EdgeReport MeasureEdges(const QImage& image, const QList<Edge>& edges, double minimum);

// The image of `widget` as the screen shows it, at its device pixel ratio 1 coordinates.
QImage Rendered(QWidget* widget);

// Where the style draws the handle of `bar`, in the bar's coordinates.
QRect ScrollBarHandle(const QScrollBar* bar);

} // namespace testsupport
