#include "controls/FusionStyle.h"

#include "controls/ImageFiles.h"

#include <QApplication>
#include <QGroupBox>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOption>
#include <qdrawutil.h>

namespace controls {

namespace {

// A standard icon of a style, asked of the style only when it is first drawn or measured.
class TDeferredIconEngine : public QIconEngine {
public:
    TDeferredIconEngine(const QStyle* style, QStyle::StandardPixmap which, const QWidget* widget)
        : style_(style)
        , which_(which)
        , widget_(widget) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    // The icon's pixmaps, asked for at their size in pixels.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().pixmap(size, 1.0, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
        return Icon().pixmap(size / scale, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return pixmap(size, mode, state).size();
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Icon().availableSizes(mode, state);
    }
    void addPixmap(const QPixmap& pixmap, QIcon::Mode mode, QIcon::State state) override {
        Icon().addPixmap(pixmap, mode, state);
    }
    void addFile(const QString& fileName, const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        Icon().addFile(fileName, size, mode, state);
    }
    QString iconName() override { return Icon().name(); }
    bool isNull() override { return Icon().isNull(); }
    QString key() const override { return QStringLiteral("deferred"); }
    QIconEngine* clone() const override { return new TDeferredIconEngine(*this); }

private:
    QIcon& Icon() {
        if (!asked_) {
            asked_ = true;
            if (style_ != nullptr)
                icon_ = style_->standardIcon(which_, nullptr, widget_);
        }
        return icon_;
    }

    QPointer<const QStyle> style_;
    QStyle::StandardPixmap which_;
    QPointer<const QWidget> widget_; // its layout direction chooses the picture
    bool asked_ = false;
    QIcon icon_;
};

class TFusionStyle : public QProxyStyle {
public:
    TFusionStyle()
        : QProxyStyle(QStringLiteral("fusion")) {}

    // The frame as Fusion draws it (Qt 6.4): its picture stretched by the 6-pixel borders over the box
    // below the title.
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element != PE_FrameGroupBox) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        constexpr int TopMargin = 3;
        int top = TopMargin;
        const auto* box = qobject_cast<const QGroupBox*>(widget);
        if (box == nullptr || box->isCheckable() || !box->title().isEmpty())
            top += qMax(pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height());
        qDrawBorderPixmap(painter, option->rect.adjusted(0, top, 0, 0), QMargins(6, 6, 6, 6), Frame());
    }

    // The overflow buttons of menu and tool bars are made with their bar and shown only when it overflows.
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (which == SP_ToolBarHorizontalExtensionButton || which == SP_ToolBarVerticalExtensionButton)
            return QIcon(new TDeferredIconEngine(baseStyle(), which, widget));
        return QProxyStyle::standardIcon(which, option, widget);
    }

private:
    const QPixmap& Frame() const {
        if (frame_.isNull())
            frame_ = QPixmap::fromImage(ReadImageAs(
                QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"), "png"));
        return frame_;
    }

    mutable QPixmap frame_;
};

} // namespace

void UseFusionWithoutImagePlugins() {
    if (QApplication::style()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0)
        QApplication::setStyle(new TFusionStyle);
}

} // namespace controls
