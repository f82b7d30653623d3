#include "calc/ToolIcon.h"

#include <QApplication>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QResource>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

#include <map>

namespace calc {

namespace {

class PrerenderedIconEngine : public QIconEngine {
public:
    explicit PrerenderedIconEngine(const QString& name)
        : name_(name) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap picture = Prerendered(size);
        if (picture.isNull())
            return Drawing().pixmap(size, 1.0, mode, state);
        if (mode == QIcon::Normal)
            return picture;
        // Disabled, active and selected looks come from the style, as for the SVG engine's drawings.
        QStyleOption option;
        option.palette = QGuiApplication::palette();
        const QPixmap generated = QApplication::style()->generatedIconPixmap(mode, picture, &option);
        return generated.isNull() ? picture : generated;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        QSize size = rect.size();
        if (painter->device() != nullptr)
            size *= painter->device()->devicePixelRatio();
        painter->drawPixmap(rect, pixmap(size, mode, state));
    }

    // The drawings are square: they fill the largest square that fits.
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min(size.width(), size.height());
        return side > 0 ? QSize(side, side) : QSize();
    }

    QString key() const override { return QStringLiteral("prerendered-svg"); }
    QIconEngine* clone() const override { return new PrerenderedIconEngine(name_); }

private:
    // The pixels rendered at build time for `size`; a null pixmap for a size that has none.
    QPixmap Prerendered(const QSize& size) {
        if (size.width() != size.height() || size.isEmpty())
            return {};
        const auto cached = pictures_.find(size.width());
        if (cached != pictures_.end())
            return cached->second;
        QPixmap& picture = pictures_[size.width()];
        const QResource pixels(QStringLiteral(":/calc/%1@%2.argb32").arg(name_).arg(size.width()));
        const QByteArray bytes = pixels.uncompressedData();
        if (bytes.size() == qsizetype(size.width()) * size.height() * 4) {
            const QImage image(reinterpret_cast<const uchar*>(bytes.constData()), size.width(), size.height(),
                               QImage::Format_ARGB32_Premultiplied);
            picture = QPixmap::fromImage(image.copy());
        }
        return picture;
    }

    const QIcon& Drawing() {
        if (drawing_.isNull())
            drawing_ = QIcon(QStringLiteral(":/calc/%1.svg").arg(name_));
        return drawing_;
    }

    QString name_;
    std::map<int, QPixmap> pictures_; // by side in pixels
    QIcon drawing_;                   // the SVG, loaded only for a size without pixels
};

} // namespace

QIcon ToolIcon(const QString& name) {
    return QIcon(new PrerenderedIconEngine(name));
}

} // namespace calc
