#include "controls/HelpWindow.h"

#include "controls/Application.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <utility>

namespace controls {

namespace {

HelpViewerFunction& CurrentViewer() {
    static HelpViewerFunction viewer;
    return viewer;
}

} // namespace

THelpWindow::THelpWindow(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window)
    , browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(TApplication::Title() + tr(" - Help"));
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(560, 480);
}

void THelpWindow::ShowTopic(const QUrl& topic) {
    topic_ = topic;
    if (QFileInfo::exists(topic.toLocalFile()))
        browser_->setSource(topic);
    else
        browser_->setPlainText(tr("The help page %1 is not installed.").arg(topic.toLocalFile()));
    show();
    raise();
    activateWindow();
    browser_->setFocus();
}

QUrl THelpWindow::Topic() const {
    return topic_;
}

// Escape closes the window as it closes a dialog; the page keeps every other key.
void THelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

void ShowHelpTopic(QWidget* mainWindow, const QUrl& topic) {
    if (const HelpViewerFunction& viewer = CurrentViewer()) {
        viewer(mainWindow, topic);
        return;
    }
    auto* window = mainWindow->findChild<THelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (window == nullptr)
        window = new THelpWindow(mainWindow);
    window->ShowTopic(topic);
}

HelpViewerFunction SetHelpViewer(HelpViewerFunction viewer) {
    return std::exchange(CurrentViewer(), std::move(viewer));
}

} // namespace controls
