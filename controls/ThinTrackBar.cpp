#include "controls/ThinTrackBar.h"

#include "controls/Contrast.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace controls {

namespace {

// Room left at both ends of the channel and around the block of thumb and ticks: one pixel for the focus
// rectangle, one of air.
constexpr int Edge = 2;
constexpr int ChannelThickness = 4;
constexpr int TickLength = 3;
constexpr int TickGap = 2;
constexpr int MinThumbLength = 5;
constexpr int RepeatDelayMs = 500;
constexpr int RepeatIntervalMs = 100;
constexpr int WheelNotch = 120;

int Sign(int value) {
    return (value > 0) - (value < 0);
}

// Lines here are only ever straight or at 45 degrees, so stepping pixel by pixel draws them exactly,
// independent of the paint engine's line rasterisation rules.
void PlotLine(QPainter& painter, QPoint from, QPoint to, const QColor& color) {
    const QPoint step(Sign(to.x() - from.x()), Sign(to.y() - from.y()));
    const int count = std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y()));
    for (int i = 0; i <= count; ++i)
        painter.fillRect(QRect(from + step * i, QSize(1, 1)), color);
}

// Draws a convex outline lit from the left (and from above where an edge faces neither left nor right),
// the lit edges first so that shared corners take the shadow, as a raised classic button does.
template <std::size_t N>
void PlotRaisedOutline(QPainter& painter, const std::array<QPoint, N>& points, const QColor& lit,
                       const QColor& shaded) {
    QPointF centre;
    for (const QPoint& p : points)
        centre += QPointF(p) / static_cast<qreal>(N);
    for (const bool drawLit : {true, false}) {
        for (std::size_t i = 0; i < N; ++i) {
            const QPoint a = points[i];
            const QPoint b = points[(i + 1) % N];
            QPoint normal(Sign(b.y() - a.y()), -Sign(b.x() - a.x()));
            if (QPointF::dotProduct(QPointF(normal), (QPointF(a + b) / 2.0) - centre) < 0)
                normal = -normal;
            const bool isLit = normal.x() < 0 || (normal.x() == 0 && normal.y() < 0);
            if (isLit == drawLit)
                PlotLine(painter, a, b, isLit ? lit : shaded);
        }
    }
}

// A slider for screen readers whose value text says what the position means.
class ThinTrackBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit ThinTrackBarAccessible(TThinTrackBar* bar)
        : QAccessibleWidget(bar, QAccessible::Slider) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // Qt's AT-SPI bridge passes values on as bare numbers and drops the value text, while description
    // changes reach a screen reader with their events: the description says what the position means.
    QString text(QAccessible::Text type) const override {
        if (type == QAccessible::Value || type == QAccessible::Description)
            return Bar()->ValueText();
        return QAccessibleWidget::text(type);
    }

    QVariant currentValue() const override { return Bar()->value(); }
    void setCurrentValue(const QVariant& value) override { Bar()->setValue(value.toInt()); }
    QVariant maximumValue() const override { return Bar()->maximum(); }
    QVariant minimumValue() const override { return Bar()->minimum(); }
    QVariant minimumStepSize() const override { return Bar()->singleStep(); }

private:
    TThinTrackBar* Bar() const { return static_cast<TThinTrackBar*>(widget()); }
};

QAccessibleInterface* ThinTrackBarAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(TThinTrackBar::staticMetaObject.className()) && object != nullptr &&
        object->isWidgetType())
        return new ThinTrackBarAccessible(static_cast<TThinTrackBar*>(object));
    return nullptr;
}

} // namespace

TThinTrackBar::TThinTrackBar(Qt::Orientation orientation, QWidget* parent)
    : QSlider(orientation, parent)
    , pageRepeat_(new QTimer(this)) {
    setRange(0, 10);
    setPageStep(2);
    setSingleStep(1);
    setFocusPolicy(Qt::StrongFocus);
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(ThinTrackBarAccessibleFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    // Connected before any window's handler: a bar without a text of its own announces its new position.
    connect(this, &QSlider::valueChanged, this, [this] {
        if (valueText_.isEmpty())
            AnnounceValueText();
    });
    connect(pageRepeat_, &QTimer::timeout, this, [this] {
        pageRepeat_->setInterval(RepeatIntervalMs);
        PageTowardPress();
    });
    WatchWindow();
}

int TThinTrackBar::ThumbLength() const {
    return thumbLength_;
}

void TThinTrackBar::SetThumbLength(int length) {
    if (length == thumbLength_)
        return;
    thumbLength_ = length;
    updateGeometry();
    update();
}

TTickMarks TThinTrackBar::TickMarks() const {
    return tickMarks_;
}

void TThinTrackBar::SetTickMarks(TTickMarks marks) {
    if (marks == tickMarks_)
        return;
    tickMarks_ = marks;
    updateGeometry();
    update();
}

TTickStyle TThinTrackBar::TickStyle() const {
    return tickStyle_;
}

void TThinTrackBar::SetTickStyle(TTickStyle style) {
    if (style == tickStyle_)
        return;
    tickStyle_ = style;
    updateGeometry();
    update();
}

QString TThinTrackBar::ValueText() const {
    return valueText_.isEmpty() ? QString::number(value()) : valueText_;
}

void TThinTrackBar::SetValueText(const QString& text) {
    if (text == valueText_)
        return;
    valueText_ = text;
    AnnounceValueText();
}

void TThinTrackBar::AnnounceValueText() {
    if (!QAccessible::isActive())
        return;
    QAccessibleValueChangeEvent valueChanged(this, value());
    QAccessible::updateAccessibility(&valueChanged);
    QAccessibleEvent descriptionChanged(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&descriptionChanged);
}

// The selection range is remembered for code that sets it, but nothing draws it: no repaint needed.
bool TThinTrackBar::ShowSelRange() const {
    return showSelRange_;
}
void TThinTrackBar::SetShowSelRange(bool show) {
    showSelRange_ = show;
}
int TThinTrackBar::SelStart() const {
    return selStart_;
}
void TThinTrackBar::SetSelStart(int value) {
    selStart_ = value;
}
int TThinTrackBar::SelEnd() const {
    return selEnd_;
}
void TThinTrackBar::SetSelEnd(int value) {
    selEnd_ = value;
}

TThinTrackBar::Geometry TThinTrackBar::Layout() const {
    const bool vertical = orientation() == Qt::Vertical;
    const int alongSize = vertical ? height() : width();
    const int acrossSize = vertical ? width() : height();

    Geometry g{};
    g.ThumbLength = std::max(thumbLength_, MinThumbLength);
    g.ThumbWidth = (g.ThumbLength / 2) | 1;
    const bool ticks = tickStyle_ != TTickStyle::tsNone;
    g.NearTicks = ticks && tickMarks_ != TTickMarks::tmBottomRight;
    g.FarTicks = ticks && tickMarks_ != TTickMarks::tmTopLeft;

    // Thumb and ticks form one block centred across the bar, whatever height the window gives it.
    const int tickBand = TickLength + TickGap;
    const int block = g.ThumbLength + (g.NearTicks ? tickBand : 0) + (g.FarTicks ? tickBand : 0);
    g.ThumbAcross = std::max(0, (acrossSize - block) / 2) + (g.NearTicks ? tickBand : 0);
    g.ChannelAcross = g.ThumbAcross + (g.ThumbLength - ChannelThickness) / 2;

    const int half = g.ThumbWidth / 2;
    g.FirstCentre = Edge + half;
    g.LastCentre = std::max(g.FirstCentre, alongSize - 1 - Edge - half);
    return g;
}

QRect TThinTrackBar::Oriented(int along, int across, int alongSize, int acrossSize) const {
    return orientation() == Qt::Vertical ? QRect(across, along, acrossSize, alongSize)
                                         : QRect(along, across, alongSize, acrossSize);
}

int TThinTrackBar::AlongOf(const QPoint& point) const {
    return orientation() == Qt::Vertical ? point.y() : point.x();
}

int TThinTrackBar::CentreOf(const Geometry& g, int value) const {
    const qint64 range = qint64(maximum()) - minimum();
    if (range <= 0)
        return g.FirstCentre;
    const qint64 offset = std::clamp<qint64>(qint64(value) - minimum(), 0, range);
    const qint64 span = g.LastCentre - g.FirstCentre;
    return g.FirstCentre + static_cast<int>((2 * offset * span + range) / (2 * range));
}

int TThinTrackBar::ValueAt(const Geometry& g, int centre) const {
    const qint64 span = g.LastCentre - g.FirstCentre;
    if (span <= 0)
        return minimum();
    const qint64 offset = std::clamp<qint64>(centre - g.FirstCentre, 0, span);
    const qint64 range = qint64(maximum()) - minimum();
    return static_cast<int>(minimum() + (2 * offset * range + span) / (2 * span));
}

QRect TThinTrackBar::ThumbRect() const {
    const Geometry g = Layout();
    return Oriented(CentreOf(g, sliderPosition()) - g.ThumbWidth / 2, g.ThumbAcross, g.ThumbWidth,
                    g.ThumbLength);
}

// The channel reaches from the thumb's outer edge at the minimum to its outer edge at the maximum.
QRect TThinTrackBar::ChannelRect() const {
    const Geometry g = Layout();
    const int half = g.ThumbWidth / 2;
    return Oriented(g.FirstCentre - half, g.ChannelAcross, g.LastCentre - g.FirstCentre + g.ThumbWidth,
                    ChannelThickness);
}

int TThinTrackBar::ExtentNeeded() const {
    const Geometry g = Layout();
    const int tickBand = TickLength + TickGap;
    return g.ThumbLength + (g.NearTicks ? tickBand : 0) + (g.FarTicks ? tickBand : 0) + 2 * Edge;
}

QSize TThinTrackBar::sizeHint() const {
    const QSize along(150, ExtentNeeded());
    return orientation() == Qt::Vertical ? along.transposed() : along;
}

QSize TThinTrackBar::minimumSizeHint() const {
    const QSize along(Layout().ThumbWidth * 2 + 2 * Edge, ExtentNeeded());
    return orientation() == Qt::Vertical ? along.transposed() : along;
}

void TThinTrackBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const Geometry g = Layout();
    PaintChannel(painter, g);
    PaintTicks(painter, g);
    PaintThumb(painter, g);
    if (hasFocus())
        PaintFocus(painter);
}

namespace {

// A disabled bar is exempt from the non-text contrast rule; its outlines stay visible but recede.
constexpr double DisabledBoundaryContrast = 2.0;

QPalette::ColorGroup GroupOf(const QWidget& widget) {
    if (!widget.isEnabled())
        return QPalette::Disabled;
    return widget.isActiveWindow() ? QPalette::Active : QPalette::Inactive;
}

// The outline of thumb and channel: the palette's shadow colour where it stands out from the window
// colour around the bar by the non-text contrast, moved towards black or white where it does not (a dark
// theme's shadow nearly matches its window).
QColor BoundaryColour(const QWidget& bar) {
    const QPalette::ColorGroup group = GroupOf(bar);
    const QPalette& pal = bar.palette();
    const bool disabled = group == QPalette::Disabled;
    return ContrastingColour(pal.color(group, disabled ? QPalette::Mid : QPalette::Shadow),
                             pal.color(group, QPalette::Window),
                             disabled ? DisabledBoundaryContrast : NonTextContrast);
}

} // namespace

// A slot: an outline that stands out from the window, around the edit-box colour.
void TThinTrackBar::PaintChannel(QPainter& painter, const Geometry&) const {
    const QRect r = ChannelRect();
    painter.fillRect(r, BoundaryColour(*this));
    painter.fillRect(r.adjusted(1, 1, -1, -1), palette().color(GroupOf(*this), QPalette::Base));
}

void TThinTrackBar::PaintTicks(QPainter& painter, const Geometry& g) const {
    if (!g.NearTicks && !g.FarTicks)
        return;
    const QColor color = palette().color(GroupOf(*this), QPalette::WindowText);
    const auto tickAt = [&](int centre) {
        if (g.NearTicks)
            painter.fillRect(Oriented(centre, g.ThumbAcross - TickGap - TickLength, 1, TickLength), color);
        if (g.FarTicks)
            painter.fillRect(Oriented(centre, g.ThumbAcross + g.ThumbLength + TickGap, 1, TickLength), color);
    };
    tickAt(g.FirstCentre);
    tickAt(CentreOf(g, maximum()));
    if (tickStyle_ != TTickStyle::tsAuto)
        return;
    // A tick for every value; once values are denser than pixels that marks every pixel, so walk the
    // pixels instead and stay cheap for any range.
    const qint64 range = qint64(maximum()) - minimum();
    if (range > g.LastCentre - g.FirstCentre) {
        for (int centre = g.FirstCentre; centre <= g.LastCentre; ++centre)
            tickAt(centre);
        return;
    }
    for (qint64 value = minimum(); value <= maximum(); ++value)
        tickAt(CentreOf(g, static_cast<int>(value)));
}

// The thumb is built in its own frame, "u" along the channel and "v" across it with the point (if any)
// at large v, and mapped onto the bar, flipped when it points up or left.
void TThinTrackBar::PaintThumb(QPainter& painter, const Geometry& g) const {
    const QPalette::ColorGroup group = GroupOf(*this);
    const QPalette& pal = palette();
    const int w = g.ThumbWidth;
    const int l = g.ThumbLength;
    const int half = w / 2;
    const bool pointed = g.NearTicks != g.FarTicks;
    const bool pointsNear = pointed && g.NearTicks;
    const int start = CentreOf(g, sliderPosition()) - half;
    const bool vertical = orientation() == Qt::Vertical;
    const auto map = [&](int u, int v) {
        const int across = g.ThumbAcross + (pointsNear ? l - 1 - v : v);
        return vertical ? QPoint(across, start + u) : QPoint(start + u, across);
    };
    const int bodyEnd = pointed ? l - 1 - half : l - 1; // last v of the straight sides

    const QBrush face = pal.brush(group, QPalette::Button);
    for (int v = 0; v < l; ++v) {
        const int inset = std::max(0, v - bodyEnd);
        const QRect span = QRect(map(inset, v), map(w - 1 - inset, v)).normalized();
        painter.fillRect(span, face);
        if (group == QPalette::Disabled)
            painter.fillRect(span, QBrush(pal.color(group, QPalette::Light), Qt::Dense4Pattern));
    }

    // The outer outline stands out from the window all round; inside it the classic raised bevel, lit
    // from the top left. A disabled thumb's bevel flattens along with its outline.
    const bool disabled = group == QPalette::Disabled;
    const QColor boundary = BoundaryColour(*this);
    const QColor light = pal.color(group, disabled ? QPalette::Midlight : QPalette::Light);
    const QColor dark = pal.color(group, disabled ? QPalette::Midlight : QPalette::Dark);
    if (pointed) {
        PlotRaisedOutline(
            painter,
            std::array{map(0, 0), map(w - 1, 0), map(w - 1, bodyEnd), map(half, l - 1), map(0, bodyEnd)},
            boundary, boundary);
        PlotRaisedOutline(
            painter,
            std::array{map(1, 1), map(w - 2, 1), map(w - 2, bodyEnd), map(half, l - 2), map(1, bodyEnd)},
            light, dark);
    } else {
        PlotRaisedOutline(painter, std::array{map(0, 0), map(w - 1, 0), map(w - 1, l - 1), map(0, l - 1)},
                          boundary, boundary);
        PlotRaisedOutline(painter, std::array{map(1, 1), map(w - 2, 1), map(w - 2, l - 2), map(1, l - 2)},
                          light, dark);
    }
}

// The classic dotted frame around the whole bar: every other pixel.
void TThinTrackBar::PaintFocus(QPainter& painter) const {
    const QBrush dots(palette().color(GroupOf(*this), QPalette::WindowText), Qt::Dense4Pattern);
    const QRect r = rect();
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), dots);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), dots);
    painter.fillRect(QRect(r.left(), r.top() + 1, 1, r.height() - 2), dots);
    painter.fillRect(QRect(r.right(), r.top() + 1, 1, r.height() - 2), dots);
}

// Keys keep one meaning in both orientations, as on the classic bar: Up and Left towards the minimum,
// Down and Right towards the maximum. The vertical bar has its minimum on top, so Up moves the thumb up.
void TThinTrackBar::keyPressEvent(QKeyEvent* event) {
    SliderAction action = SliderNoAction;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        action = SliderSingleStepSub;
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        action = SliderSingleStepAdd;
        break;
    case Qt::Key_PageUp:
        action = SliderPageStepSub;
        break;
    case Qt::Key_PageDown:
        action = SliderPageStepAdd;
        break;
    case Qt::Key_Home:
        action = SliderToMinimum;
        break;
    case Qt::Key_End:
        action = SliderToMaximum;
        break;
    default:
        event->ignore();
        return;
    }
    triggerAction(action);
    event->accept();
}

void TThinTrackBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || dragging_ || pageDirection_ != 0) {
        event->ignore();
        return;
    }
    event->accept();
    const QPoint pos = event->position().toPoint();
    const Geometry g = Layout();
    const int centre = CentreOf(g, sliderPosition());
    if (ThumbRect().contains(pos)) {
        dragging_ = true;
        dragOffset_ = AlongOf(pos) - centre;
        setSliderDown(true);
        return;
    }
    pressAlong_ = AlongOf(pos);
    pageDirection_ = pressAlong_ < centre ? -1 : 1;
    PageTowardPress();
    if (pageDirection_ != 0)
        pageRepeat_->start(RepeatDelayMs);
}

void TThinTrackBar::mouseMoveEvent(QMouseEvent* event) {
    const int along = AlongOf(event->position().toPoint());
    if (dragging_)
        setSliderPosition(ValueAt(Layout(), along - dragOffset_));
    else if (pageDirection_ != 0)
        pressAlong_ = along; // paging stops where the pointer now is
    event->accept();
}

void TThinTrackBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        StopMouseAction();
    event->accept();
}

// Pages once more only while the pointer still lies beyond the thumb, so holding the button walks the
// thumb up to the pointer and stops there.
void TThinTrackBar::PageTowardPress() {
    const Geometry g = Layout();
    const int centre = CentreOf(g, sliderPosition());
    const int half = g.ThumbWidth / 2;
    const bool beyond = pageDirection_ < 0 ? pressAlong_ < centre - half : pressAlong_ > centre + half;
    if (!beyond) {
        pageRepeat_->stop();
        return;
    }
    triggerAction(pageDirection_ < 0 ? SliderPageStepSub : SliderPageStepAdd);
}

void TThinTrackBar::StopMouseAction() {
    pageRepeat_->stop();
    pageDirection_ = 0;
    if (dragging_) {
        dragging_ = false;
        setSliderDown(false);
    }
}

// A notch away from the user (wheel up) moves one line towards the minimum, as on the classic bar;
// fine-grained wheels add up until they make a whole notch.
void TThinTrackBar::wheelEvent(QWheelEvent* event) {
    const QPoint angle = event->angleDelta();
    int delta = std::abs(angle.y()) >= std::abs(angle.x()) ? angle.y() : angle.x();
    if (event->inverted())
        delta = -delta;
    wheelRemainder_ += delta;
    const int notches = wheelRemainder_ / WheelNotch;
    wheelRemainder_ -= notches * WheelNotch;
    if (notches != 0) {
        const qint64 target = qint64(value()) - qint64(notches) * singleStep();
        setValue(static_cast<int>(std::clamp<qint64>(target, minimum(), maximum())));
    }
    event->accept();
}

void TThinTrackBar::focusInEvent(QFocusEvent* event) {
    WatchWindow();
    QSlider::focusInEvent(event);
    bool enter = true;
    switch (event->reason()) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
        // The focus comes back after the window was left; only the window's first activation, when
        // this bar had not had the focus yet, is the user arriving here.
        enter = firstActivationFocusPending_;
        break;
    default:
        break;
    }
    firstActivationFocusPending_ = false;
    if (enter)
        emit entered();
}

bool TThinTrackBar::event(QEvent* event) {
    if (event->type() == QEvent::ParentChange)
        WatchWindow();
    return QSlider::event(event);
}

bool TThinTrackBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == watchedWindow_ && event->type() == QEvent::WindowActivate) {
        ++windowActivations_;
        firstActivationFocusPending_ = windowActivations_ == 1;
    }
    return QSlider::eventFilter(watched, event);
}

void TThinTrackBar::showEvent(QShowEvent* event) {
    WatchWindow();
    QSlider::showEvent(event);
}

void TThinTrackBar::hideEvent(QHideEvent* event) {
    StopMouseAction();
    QSlider::hideEvent(event);
}

void TThinTrackBar::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        StopMouseAction();
    QSlider::changeEvent(event);
}

// The window's activations are counted from its own events, which it gets whether or not this bar is
// visible at the time; a bar moved into another window starts counting there.
void TThinTrackBar::WatchWindow() {
    QWidget* top = window();
    if (top == watchedWindow_)
        return;
    if (watchedWindow_ != nullptr)
        watchedWindow_->removeEventFilter(this);
    watchedWindow_ = top;
    top->installEventFilter(this);
    windowActivations_ = top->isActiveWindow() ? 1 : 0;
    firstActivationFocusPending_ = false;
}

} // namespace controls
