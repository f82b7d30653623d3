#include "controls/WindowRole.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace controls {

namespace {

const char* const WindowRoleProperty = "handviseWindowRole";

QAccessibleInterface* WindowFactory(const QString&, QObject* object) {
    if (object == nullptr || !object->isWidgetType() || !object->property(WindowRoleProperty).toBool())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    // The toolkit names a window by its title.
    return widget->isWindow() ? new QAccessibleWidget(widget, QAccessible::Window) : nullptr;
}

} // namespace

void ExposeAsWindow(QWidget* window) {
    static const bool installed = [] {
        QAccessible::installFactory(WindowFactory);
        return true;
    }();
    Q_UNUSED(installed);
    window->setProperty(WindowRoleProperty, true);
}

} // namespace controls
