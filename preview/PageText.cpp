#include "preview/PageText.h"

#include "preview/Metafile.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTextItem>

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

namespace preview {

namespace {

// Takes note of every piece of text drawn, in device coordinates, and draws nothing.
class TextRunEngine : public QPaintEngine {
public:
    TextRunEngine()
        : QPaintEngine(QPaintEngine::AllFeatures) {}

    std::vector<TTextRun> Runs;

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }
    void updateState(const QPaintEngineState&) override {}
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPolygon(const QPoint*, int, PolygonDrawMode) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {}

    void drawTextItem(const QPointF& origin, const QTextItem& item) override {
        if (item.text().trimmed().isEmpty())
            return;
        const QTransform transform = state->transform();
        const QPointF start = transform.map(origin);
        const qreal scaleX = QLineF(transform.map(QPointF(0, 0)), transform.map(QPointF(1, 0))).length();
        const qreal scaleY = QLineF(transform.map(QPointF(0, 0)), transform.map(QPointF(0, 1))).length();
        Runs.push_back({item.text(), start, item.width() * scaleX, item.ascent() * scaleY,
                        item.descent() * scaleY, item.font()});
    }
};

// A device the page's size at the page's resolution, so that replaying it neither moves nor scales it.
class TextRunDevice : public QPaintDevice {
public:
    TextRunDevice(QSize size, int dpiX, int dpiY)
        : size_(size)
        , dpiX_(dpiX)
        , dpiY_(dpiY) {}

    QPaintEngine* paintEngine() const override { return &engine_; }
    std::vector<TTextRun> TakeRuns() { return std::move(engine_.Runs); }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return size_.width();
        case PdmHeight:
            return size_.height();
        case PdmWidthMM:
            return qRound(size_.width() * 25.4 / dpiX_);
        case PdmHeightMM:
            return qRound(size_.height() * 25.4 / dpiY_);
        case PdmDpiX:
        case PdmPhysicalDpiX:
            return dpiX_;
        case PdmDpiY:
        case PdmPhysicalDpiY:
            return dpiY_;
        case PdmNumColors:
            return INT_MAX;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    QSize size_;
    int dpiX_;
    int dpiY_;
    mutable TextRunEngine engine_;
};

// Runs whose baselines lie closer than this share a line: a quarter of the smaller run's height.
bool SameLine(const TTextRun& a, const TTextRun& b) {
    const qreal height = std::min(a.Ascent + a.Descent, b.Ascent + b.Descent);
    return std::abs(a.Origin.y() - b.Origin.y()) <= std::max<qreal>(height / 4, 0.5);
}

// Pieces of one word (a font fallback, a change of colour) sit edge to edge; a visible gap is a space.
bool NeedsSpaceBetween(const TTextRun& left, const TTextRun& right) {
    if (left.Text.back().isSpace() || right.Text.front().isSpace())
        return false;
    const qreal gap = right.Origin.x() - (left.Origin.x() + left.Width);
    return gap > std::max<qreal>(left.Ascent / 5, 0.5);
}

std::vector<std::vector<TTextRun>> ReadingOrder(std::vector<TTextRun> runs) {
    std::stable_sort(runs.begin(), runs.end(),
                     [](const TTextRun& a, const TTextRun& b) { return a.Origin.y() < b.Origin.y(); });
    std::vector<std::vector<TTextRun>> lines;
    for (TTextRun& run : runs) {
        if (lines.empty() || !SameLine(lines.back().front(), run))
            lines.emplace_back();
        lines.back().push_back(std::move(run));
    }
    for (std::vector<TTextRun>& line : lines)
        std::stable_sort(line.begin(), line.end(),
                         [](const TTextRun& a, const TTextRun& b) { return a.Origin.x() < b.Origin.x(); });
    return lines;
}

} // namespace

TPageText::TPageText(std::vector<TTextRun> runs) {
    const std::vector<std::vector<TTextRun>> lines = ReadingOrder(std::move(runs));
    for (std::size_t l = 0; l < lines.size(); ++l) {
        if (l > 0) {
            text_ += QLatin1Char('\n');
            characters_.push_back({});
        }
        const std::vector<TTextRun>& line = lines[l];
        for (std::size_t r = 0; r < line.size(); ++r) {
            const TTextRun& run = line[r];
            const QRectF runBox(run.Origin.x(), run.Origin.y() - run.Ascent, run.Width,
                                run.Ascent + run.Descent);
            if (r > 0 && NeedsSpaceBetween(line[r - 1], run)) {
                const qreal from = line[r - 1].Origin.x() + line[r - 1].Width;
                text_ += QLatin1Char(' ');
                characters_.push_back({QRectF(from, runBox.top(), run.Origin.x() - from, runBox.height())});
            }
            // Each character's share of the run follows the font's advances, scaled to the drawn width.
            const QFontMetricsF metrics(run.Font);
            const qreal natural = metrics.horizontalAdvance(run.Text);
            const qreal scale = natural > 0 ? run.Width / natural : 0;
            for (int i = 0; i < run.Text.size(); ++i) {
                const qreal left = metrics.horizontalAdvance(run.Text.left(i)) * scale;
                const qreal right = metrics.horizontalAdvance(run.Text.left(i + 1)) * scale;
                characters_.push_back(
                    {QRectF(runBox.left() + left, runBox.top(), right - left, runBox.height())});
            }
            text_ += run.Text;
        }
    }
}

TPageText TPageText::Of(const TMetafile& page) {
    if (page.Empty() || page.Size().isEmpty())
        return {};
    const QPicture& picture = page.Picture();
    TextRunDevice device(page.Size(), picture.logicalDpiX(), picture.logicalDpiY());
    QPainter painter(&device);
    page.Draw(painter, QRectF(QPointF(0, 0), QSizeF(page.Size())));
    painter.end();
    return TPageText(device.TakeRuns());
}

QRectF TPageText::CharacterBox(int offset) const {
    if (offset < 0 || offset >= int(characters_.size()))
        return {};
    return characters_[std::size_t(offset)].Box;
}

int TPageText::OffsetAt(const QPointF& point) const {
    for (std::size_t i = 0; i < characters_.size(); ++i)
        if (characters_[i].Box.contains(point))
            return int(i);
    return -1;
}

} // namespace preview
