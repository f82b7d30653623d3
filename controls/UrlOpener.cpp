#include "controls/UrlOpener.h"

#include <QDesktopServices>

#include <utility>

namespace controls {

namespace {
UrlOpenerFunction& CurrentOpener() {
    static UrlOpenerFunction opener;
    return opener;
}
} // namespace

bool OpenUrl(const QUrl& url) {
    if (const UrlOpenerFunction& opener = CurrentOpener())
        return opener(url);
    return QDesktopServices::openUrl(url);
}

UrlOpenerFunction SetUrlOpener(UrlOpenerFunction opener) {
    return std::exchange(CurrentOpener(), std::move(opener));
}

} // namespace controls
