#include "tests/support/RenderedContrast.h"

#include "tests/support/Readability.h"

#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QWidget>

#include <algorithm>

namespace testsupport {

QList<Edge> EdgesAround(const QRect& part, QPoint through) {
    return {{QStringLiteral("top"), {through.x(), part.top()}, {through.x(), part.top() - 1}},
            {QStringLiteral("bottom"), {through.x(), part.bottom()}, {through.x(), part.bottom() + 1}},
            {QStringLiteral("left"), {part.left(), through.y()}, {part.left() - 1, through.y()}},
            {QStringLiteral("right"), {part.right(), through.y()}, {part.right() + 1, through.y()}}};
}

EdgeReport MeasureEdges(const QImage& image, const QList<Edge>& edges, double minimum) {
    EdgeReport report;
    for (const Edge& edge : edges) {
        const QColor inside = image.pixelColor(edge.Inside);
        const QColor outside = image.pixelColor(edge.Outside);
        const double ratio = ContrastRatio(inside, outside);
        report.Least = std::min(report.Least, ratio);
        if (ratio < minimum)
            report.Poor << QStringLiteral("%1 %2:1 (%3 on %4)")
                               .arg(edge.Side)
                               .arg(ratio, 0, 'f', 2)
                               .arg(inside.name(), outside.name());
    }
    return report;
}

QImage Rendered(QWidget* widget) {
    QImage image = widget->grab().toImage();
    if (image.devicePixelRatio() != 1.0)
        image = image.scaled(widget->size());
    return image;
}

QRect ScrollBarHandle(const QScrollBar* bar) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
}

} // namespace testsupport
