#include "controls/DesignedLook.h"

#include <QChildEvent>
#include <QDialog>
#include <QWidget>

namespace controls {

namespace {

struct RoleColours {
    QPalette::ColorRole Role;
    QColor Enabled;
    QColor Disabled;
};

// A dialog is a window of its own and inherits no palette: the message boxes and toolkit dialogs that a
// window of the designed look opens would follow a dark desktop theme over it. When such a dialog is
// polished, just before it first shows, it gets the window's palette, unless it chose one itself.
class TDialogsKeepTheLook : public QObject {
public:
    explicit TDialogsKeepTheLook(QWidget* window)
        : QObject(window)
        , window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::ChildPolished) {
            auto* dialog = qobject_cast<QDialog*>(static_cast<QChildEvent*>(event)->child());
            if (dialog != nullptr && dialog->isWindow() && !dialog->testAttribute(Qt::WA_SetPalette))
                dialog->setPalette(window_->palette());
        }
        return false;
    }

private:
    QWidget* window_;
};

} // namespace

QPalette DesignedPalette(const QColor& background) {
    const QColor black(0, 0, 0);
    const QColor white(255, 255, 255);
    const QColor face(240, 240, 240);
    const QColor grey(120, 120, 120);
    // Every role is set, so none is resolved from the application's (possibly dark) palette.
    const RoleColours roles[] = {
        {QPalette::WindowText, black, grey},
        {QPalette::Button, face, face},
        {QPalette::Light, white, white},
        {QPalette::Midlight, QColor(227, 227, 227), QColor(247, 247, 247)},
        {QPalette::Dark, QColor(160, 160, 160), QColor(160, 160, 160)},
        {QPalette::Mid, QColor(160, 160, 160), QColor(160, 160, 160)},
        {QPalette::Text, black, grey},
        {QPalette::BrightText, white, white},
        {QPalette::ButtonText, black, grey},
        {QPalette::Base, white, face},
        {QPalette::Window, background, background},
        {QPalette::Shadow, QColor(105, 105, 105), black},
        {QPalette::Highlight, QColor(0, 90, 170), QColor(145, 145, 145)},
        {QPalette::HighlightedText, white, white},
        {QPalette::Link, QColor(0, 0, 238), QColor(0, 0, 238)},
        {QPalette::LinkVisited, QColor(85, 26, 139), QColor(85, 26, 139)},
        {QPalette::AlternateBase, QColor(245, 245, 245), QColor(245, 245, 245)},
        {QPalette::ToolTipBase, QColor(255, 255, 220), QColor(255, 255, 220)},
        {QPalette::ToolTipText, black, black},
        {QPalette::PlaceholderText, QColor(110, 110, 110), grey},
    };
    QPalette palette;
    for (const RoleColours& colours : roles) {
        palette.setColor(QPalette::Active, colours.Role, colours.Enabled);
        palette.setColor(QPalette::Inactive, colours.Role, colours.Enabled);
        palette.setColor(QPalette::Disabled, colours.Role, colours.Disabled);
    }
    return palette;
}

void SetDesignedLook(QWidget* widget, const QColor& background) {
    widget->setPalette(DesignedPalette(background));
    widget->setAutoFillBackground(true);
    if (widget->isWindow())
        widget->installEventFilter(new TDialogsKeepTheLook(widget));
}

} // namespace controls
