// The desktop's keys for a standard command, with a stand-in where the desktop's key scheme has none
// (Quit has no key in the Windows-like scheme that generic Linux platforms such as offscreen report).
#pragma once

#include <QKeySequence>
#include <QList>

namespace controls {

inline QList<QKeySequence> StandardKeys(QKeySequence::StandardKey command, const QKeySequence& standIn) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(command);
    if (keys.isEmpty())
        keys << standIn;
    return keys;
}

} // namespace controls
