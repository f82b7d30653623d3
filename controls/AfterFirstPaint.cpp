#include "controls/AfterFirstPaint.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

#include <utility>

namespace controls {

namespace {

// Watches the window for its first paint event, then hands the work to the event loop and goes.
class TAfterFirstPaint : public QObject {
public:
    TAfterFirstPaint(QWidget* window, std::function<void()> work)
        : QObject(window)
        , work_(std::move(work)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == parent() && event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Queued, as the paint is still going on; then its pixels are sent to the display first,
            // which would otherwise wait for the event loop to be idle, after the work.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    QGuiApplication::sync();
                    work_();
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void()> work_;
};

} // namespace

void RunAfterFirstPaint(QWidget* window, std::function<void()> work) {
    window->installEventFilter(new TAfterFirstPaint(window, std::move(work)));
}

} // namespace controls
