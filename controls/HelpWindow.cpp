#include "controls/HelpWindow.h"

#include "controls/Application.h"
#include "controls/WindowRole.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

#include <utility>

namespace controls {

namespace {

HelpViewerFunction& CurrentViewer() {
    static HelpViewerFunction viewer;
    return viewer;
}

// Where the anchor `name` starts in the page; 0 (the top) when the page has no such anchor.
int AnchorPosition(const QTextDocument& page, const QString& name) {
    if (name.isEmpty())
        return 0;
    for (QTextBlock block = page.begin(); block.isValid(); block = block.next())
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
            if (fragment.fragment().charFormat().anchorNames().contains(name))
                return fragment.fragment().position();
    return 0;
}

} // namespace

THelpWindow::THelpWindow(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window)
    , browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(TApplication::Title() + tr(" - Help"));
    ExposeAsWindow(this);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setAccessibleName(tr("Help", "the help page, for screen readers"));
    // A caret that the keys move, so that screen readers read from where it stands.
    browser_->setTextInteractionFlags(Qt::TextBrowserInteraction | Qt::TextSelectableByKeyboard);
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
    // The caret stands at the topic, where reading starts.
    QTextCursor caret(browser_->document());
    caret.setPosition(AnchorPosition(*browser_->document(), topic.fragment()));
    browser_->setTextCursor(caret);
    show();
    raise();
    activateWindow();
    browser_->setFocus();
    if (!topic.fragment().isEmpty())
        browser_->scrollToAnchor(topic.fragment());
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
