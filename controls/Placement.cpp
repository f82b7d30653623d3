#include "controls/Placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QScreen>
#include <QWindow>

namespace controls {

namespace {

// Watches its window for the first show, centres it then and removes itself.
class TFirstShowCentring : public QObject {
public:
    explicit TFirstShowCentring(QWidget* window)
        : QObject(window)
        , window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Show) {
            window_->removeEventFilter(this);
            if (const QScreen* screen = window_->screen()) {
                QRect frame = window_->frameGeometry();
                frame.moveCenter(screen->availableGeometry().center());
                window_->move(frame.topLeft());
            }
            deleteLater();
        }
        return false;
    }

private:
    QWidget* window_;
};

} // namespace

void FitToText(QWidget* label, QPoint at) {
    label->adjustSize();
    label->move(at);
}

QLabel* FittedLabel(QWidget* parent, const char* name, QPoint at, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    FitToText(label, at);
    return label;
}

QLabel* FittedLabel(QWidget* parent, const char* name, QPoint at, const QString& text, const QFont& font) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    FitToText(label, at);
    return label;
}

void CentreOnFirstShow(QWidget* window) {
    window->installEventFilter(new TFirstShowCentring(window));
}

bool PlatformPlacesWindows() {
    static const bool places = [] {
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (screen == nullptr)
            return false;
        // Any place but the screen's corner, where a platform that places windows itself puts them.
        const QPoint corner = screen->geometry().topLeft();
        const QPoint asked = corner + QPoint(37, 23);
        QWindow probe;
        probe.setGeometry(QRect(corner, QSize(40, 30)));
        probe.create();
        probe.setPosition(asked);
        return probe.position() == asked;
    }();
    return places;
}

void SetColours(QWidget* widget, const QColor& background, const QColor& text) {
    QPalette palette = widget->palette();
    if (background.isValid()) {
        palette.setColor(QPalette::Window, background);
        palette.setColor(QPalette::Base, background);
        widget->setAutoFillBackground(true);
    }
    if (text.isValid()) {
        palette.setColor(QPalette::WindowText, text);
        palette.setColor(QPalette::Text, text);
    }
    widget->setPalette(palette);
}

} // namespace controls
