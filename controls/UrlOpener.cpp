#include "controls/UrlOpener.h"

#include "controls/Application.h"

#include <QDesktopServices>
#include <QMessageBox>

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

void OpenWebAddress(QWidget* parent, const QUrl& url) {
    if (OpenUrl(url))
        return;
    QMessageBox box(QMessageBox::Warning, TApplication::Title(),
                    QCoreApplication::translate("controls::UrlOpener",
                                                "No program on this desktop could open the web address\n\n%1")
                        .arg(url.toDisplayString()),
                    QMessageBox::Ok, parent);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.exec();
}

UrlOpenerFunction SetUrlOpener(UrlOpenerFunction opener) {
    return std::exchange(CurrentOpener(), std::move(opener));
}

} // namespace controls
