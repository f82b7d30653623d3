// The programs' own help window: shows a help page scrolled to a topic's anchor. Desktop openers drop the
// "#topic" of a file address, so F1 shows its topic here rather than in the desktop's browser.
#pragma once

#include <QUrl>
#include <QWidget>

#include <functional>

class QTextBrowser;

namespace controls {

// Non-modal, one per main window (a child window of it, freed with it), reused for every topic;
// Escape closes it.
class THelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit THelpWindow(QWidget* mainWindow);

    // Shows the page of the local file address `topic` at its fragment's anchor (its top without one).
    void ShowTopic(const QUrl& topic);
    QUrl Topic() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTextBrowser* browser_;
    QUrl topic_;
};

using HelpViewerFunction = std::function<void(QWidget* mainWindow, const QUrl& topic)>;

// Shows `topic` in `mainWindow`'s help window (created on first use), or through the replaced viewer.
void ShowHelpTopic(QWidget* mainWindow, const QUrl& topic);

// Replaces the viewer and returns the one it replaces; an empty function restores the help window.
// Tests see the page and anchor asked for without a window.
HelpViewerFunction SetHelpViewer(HelpViewerFunction viewer);

} // namespace controls
