// Handlers that open a modal dialog run from the event loop, after the click, key or accessibility
// action that asked for them has returned: the dialog is as modal as ever, but its caller is not held
// while it is open (an assistive technology pressing the button gets its answer at once).
#pragma once

#include "controls/Application.h"

#include <QMetaObject>

namespace controls {

// A slot for connect() that queues `object`'s member `handler`, to run guarded once control returns to
// the event loop; it never runs after `object` is gone.
template <class Object> auto GuardedLater(Object* object, void (Object::*handler)()) {
    return [object, handler] {
        QMetaObject::invokeMethod(
            object, [object, handler] { RunGuarded([&] { (object->*handler)(); }); }, Qt::QueuedConnection);
    };
}

} // namespace controls
