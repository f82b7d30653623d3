#include "controls/Credits.h"

#include "controls/Application.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <climits>
#include <optional>

namespace controls {

namespace {

// Still text starts this far below the top edge, so that the border does not touch the first line.
constexpr int TopMargin = 4;

QStringList DemonstrationCredits() {
    return {
        QStringLiteral("&b&uScrolling Credits"),
        QStringLiteral("Lines of text with a little markup"),
        QString(),
        QStringLiteral("&bThis line is bold (&&b)"),
        QStringLiteral("&uThis line is underlined (&&u)"),
        QStringLiteral("&iThis line is italic (&&i)"),
        QStringLiteral("&c255,160,64;Orange: &&c255,160,64;"),
        QStringLiteral("&c128,192,255;Light blue: &&c128,192,255;"),
        QString(),
        QStringLiteral("Two ampersands (&&&&) show one (&&)"),
        QString(),
        QString(),
        QStringLiteral("&bLike these credits?"),
        QStringLiteral("Tell us what you think:"),
        QStringLiteral("&bfeedback is always welcome."),
    };
}

// A whole number from 0 to 255 in decimal digits, blanks around it allowed; anything else is not one.
std::optional<int> ReadColorComponent(QStringView text) {
    text = text.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    int value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        if (value > 255)
            return std::nullopt;
    }
    return value;
}

std::optional<QColor> ReadColor(QStringView code) {
    int components[3] = {};
    int count = 0;
    for (const QStringView part : code.split(u',')) {
        if (count == 3)
            return std::nullopt;
        const std::optional<int> component = ReadColorComponent(part);
        if (!component)
            return std::nullopt;
        components[count++] = *component;
    }
    if (count != 3)
        return std::nullopt;
    return QColor(components[0], components[1], components[2]);
}

} // namespace

TCreditLine ParseCreditLine(QStringView line, const QColor& fontColor) {
    TCreditLine result;
    result.Color = fontColor;
    const qsizetype length = line.size();
    qsizetype i = 0;
    while (i < length) {
        const QChar c = line[i];
        if (c != u'&') {
            result.Text.append(c);
            ++i;
            continue;
        }
        if (i + 1 == length)
            break;
        const QChar code = line[i + 1];
        i += 2;
        switch (code.unicode()) {
        case u'&':
            result.Text.append(u'&');
            break;
        case u'b':
        case u'B':
            result.Bold = true;
            break;
        case u'i':
        case u'I':
            result.Italic = true;
            break;
        case u'u':
        case u'U':
            result.Underline = true;
            break;
        case u'c':
        case u'C': {
            const qsizetype end = line.indexOf(u';', i);
            const QStringView colorCode = end < 0 ? line.sliced(i) : line.sliced(i, end - i);
            if (const std::optional<QColor> color = ReadColor(colorCode))
                result.Color = *color;
            i = end < 0 ? length : end + 1;
            break;
        }
        default:
            // A character outside the basic plane is two code units; drop it whole, not half of it.
            if (code.isHighSurrogate() && i < length && line[i].isLowSurrogate())
                ++i;
            break;
        }
    }
    return result;
}

QString EscapeCreditMarkup(QStringView text) {
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        escaped.append(c);
        if (c == u'&')
            escaped.append(c);
    }
    return escaped;
}

void TCreditScroll::Start(int height, int lineHeight) {
    position_ = height + lineHeight;
}

void TCreditScroll::Restart(int height) {
    position_ = height;
    lastReported_ = -1;
}

bool TCreditScroll::Tick(int lineCount, int lineHeight) {
    if (static_cast<long long>(position_) < -static_cast<long long>(lineCount) * lineHeight)
        return true;
    --position_;
    return false;
}

std::vector<TCreditScroll::TPlacedLine> TCreditScroll::PlaceFrame(int lineCount, int lineHeight, int height) {
    std::vector<TPlacedLine> placed;
    long long top = position_;
    int index = 0;
    // Lines wholly above the top edge are neither drawn nor reported; step over them at once, so that a
    // long list costs nothing for the lines that have already scrolled away.
    if (lineHeight > 0 && top + lineHeight <= 0) {
        index = static_cast<int>(std::min<long long>(lineCount, -top / lineHeight));
        top += static_cast<long long>(index) * lineHeight;
    }
    for (; index < lineCount; ++index) {
        if (top + lineHeight > 0) {
            const bool first = index > lastReported_;
            if (first)
                lastReported_ = index;
            placed.push_back({index, static_cast<int>(top), first});
        }
        top += lineHeight;
        if (top > height)
            break;
    }
    return placed;
}

TScrollingCredits::TScrollingCredits(QWidget* parent)
    : QWidget(parent)
    , credits_(DemonstrationCredits())
    , creditsFont_(font()) {
    creditsFont_.setFamily(QStringLiteral("Tahoma"));
    resize(305, 201);
    // Every frame covers the whole control, so the toolkit need not paint the parent beneath it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    timer_.setInterval(static_cast<int>(interval_));
    connect(&timer_, &QTimer::timeout, this, [this] { RunGuarded([this] { ScrollStep(); }); });
}

TScrollingCredits::~TScrollingCredits() {
    timer_.stop();
}

void TScrollingCredits::SetCredits(const QStringList& credits) {
    credits_ = credits;
    Paint();
}

void TScrollingCredits::SetCreditsFont(const QFont& font) {
    if (font == creditsFont_)
        return;
    creditsFont_ = font;
    update();
}

void TScrollingCredits::SetCreditsColor(const QColor& color) {
    if (color == creditsColor_)
        return;
    creditsColor_ = color;
    update();
}

void TScrollingCredits::SetBackgroundColor(const QColor& color) {
    if (color == backgroundColor_)
        return;
    backgroundColor_ = color;
    update();
}

void TScrollingCredits::SetBorderColor(const QColor& color) {
    if (color == borderColor_)
        return;
    borderColor_ = color;
    update();
}

void TScrollingCredits::SetAnimate(bool animate) {
    scroll_.Start(height(), LineHeight());
    animate_ = animate;
    UpdateTimer();
    Paint();
}

void TScrollingCredits::SetInterval(std::uint32_t milliseconds) {
    interval_ = milliseconds;
    timer_.setInterval(static_cast<int>(std::min<std::uint32_t>(milliseconds, INT_MAX)));
    UpdateTimer();
}

void TScrollingCredits::SetVisible(bool visible) { // NOLINT(bugprone-virtual-near-miss)
    if (visible == visible_)
        return;
    visible_ = visible;
    // While hidden nothing is drawn, and the toolkit must paint the parent's background in its place.
    setAttribute(Qt::WA_OpaquePaintEvent, visible);
    UpdateTimer();
    scroll_.Restart(height());
    if (QWidget* parent = parentWidget())
        parent->update(geometry());
    else
        update();
}

void TScrollingCredits::SetBackgroundImage(const QPixmap& image) {
    backgroundImage_ = image;
    update();
}

void TScrollingCredits::SetShowBorder(bool show) {
    if (show == showBorder_)
        return;
    showBorder_ = show;
    update();
}

void TScrollingCredits::ScrollStep() {
    if (scroll_.Tick(static_cast<int>(std::min<qsizetype>(credits_.size(), INT_MAX)), LineHeight())) {
        DoAfterLastCredit();
        scroll_.Restart(height());
    }
    Paint();
}

void TScrollingCredits::Paint() {
    const QStringList reports = ComposeFrame();
    // The frame is fresh: the paint event that repaint() sends at once only copies it to the screen.
    frameComposed_ = true;
    repaint();
    frameComposed_ = false;
    for (const QString& text : reports)
        DoShowCredit(text);
}

void TScrollingCredits::DoShowCredit(const QString& creditText) {
    emit showCredit(creditText);
}

void TScrollingCredits::DoAfterLastCredit() {
    emit afterLastCredit();
}

void TScrollingCredits::paintEvent(QPaintEvent* /*event*/) {
    if (!visible_)
        return;
    QStringList reports;
    if (!frameComposed_)
        reports = ComposeFrame();
    {
        QPainter painter(this);
        painter.drawPixmap(0, 0, frame_);
    }
    for (const QString& text : reports)
        DoShowCredit(text);
}

void TScrollingCredits::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void TScrollingCredits::mouseDoubleClickEvent(QMouseEvent* event) {
    QWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

int TScrollingCredits::LineHeight() const {
    return QFontMetrics(creditsFont_, this).height();
}

void TScrollingCredits::UpdateTimer() {
    if (animate_ && visible_ && interval_ > 0) {
        if (!timer_.isActive())
            timer_.start();
    } else {
        timer_.stop();
    }
}

QStringList TScrollingCredits::ComposeFrame() {
    QStringList reports;
    if (!visible_ || width() <= 0 || height() <= 0)
        return reports;
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (frame_.size() != pixels)
        frame_ = QPixmap(pixels);
    frame_.setDevicePixelRatio(ratio);

    QPainter painter(&frame_);
    const QRect area = rect();
    if (!backgroundImage_.isNull())
        painter.drawPixmap(area, backgroundImage_);
    else
        painter.fillRect(area, backgroundColor_);

    // Every line advances by the plain font's height, whatever its own style, so styled lines never
    // change the spacing or the length of a pass.
    const int lineHeight = LineHeight();
    if (animate_) {
        const int lineCount = static_cast<int>(std::min<qsizetype>(credits_.size(), INT_MAX));
        for (const TCreditScroll::TPlacedLine& placed : scroll_.PlaceFrame(lineCount, lineHeight, height())) {
            const TCreditLine line = ParseCreditLine(credits_.at(placed.Index), creditsColor_);
            DrawLine(painter, line, placed.Top);
            if (placed.FirstInPass)
                reports << line.Text;
        }
    } else {
        int top = TopMargin;
        for (qsizetype index = 0; index < credits_.size() && top < height(); ++index, top += lineHeight)
            DrawLine(painter, ParseCreditLine(credits_.at(index), creditsColor_), top);
    }

    if (showBorder_) {
        painter.setPen(borderColor_);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(area.adjusted(0, 0, -1, -1));
    }
    return reports;
}

void TScrollingCredits::DrawLine(QPainter& painter, const TCreditLine& line, int top) {
    if (line.Text.isEmpty())
        return;
    QFont font = creditsFont_;
    if (line.Bold) {
        // Bold stands alone: styles of the credits font give way to it, and the line's own codes follow.
        font.setBold(true);
        font.setItalic(false);
        font.setUnderline(false);
        font.setStrikeOut(false);
    }
    if (line.Italic)
        font.setItalic(true);
    if (line.Underline)
        font.setUnderline(true);
    painter.setFont(font);
    painter.setPen(line.Color);
    const QFontMetrics metrics = painter.fontMetrics();
    const int x = width() / 2 - metrics.horizontalAdvance(line.Text) / 2;
    painter.drawText(x, top + metrics.ascent(), line.Text);
}

} // namespace controls
