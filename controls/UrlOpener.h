// Opens help pages and web addresses through the desktop; tests replace the opener to see the address
// without starting a browser.
#pragma once

#include <QUrl>

#include <functional>

namespace controls {

using UrlOpenerFunction = std::function<bool(const QUrl&)>;

// Opens the address with the replaced opener, or the desktop's default handler.
bool OpenUrl(const QUrl& url);

// Replaces the opener and returns the one it replaces; an empty function restores the desktop's.
UrlOpenerFunction SetUrlOpener(UrlOpenerFunction opener);

} // namespace controls
