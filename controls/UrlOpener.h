// Opens web addresses through the desktop, and says so when the desktop cannot; tests replace the
// opener to see the address without starting a browser.
#pragma once

#include <QUrl>

#include <functional>

class QWidget;

namespace controls {

using UrlOpenerFunction = std::function<bool(const QUrl&)>;

// Opens the address with the replaced opener, or the desktop's default handler.
bool OpenUrl(const QUrl& url);

// Opens the address through OpenUrl; when the desktop has no program for it, a warning over `parent`
// shows the address (selectable, to copy into a browser) instead of a line on standard error only.
void OpenWebAddress(QWidget* parent, const QUrl& url);

// Replaces the opener and returns the one it replaces; an empty function restores the desktop's.
UrlOpenerFunction SetUrlOpener(UrlOpenerFunction opener);

} // namespace controls
