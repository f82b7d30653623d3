// Context help: each control carries a topic number, and F1 shows the program's HTML help page at the
// topic of the control that has the keyboard focus.
#pragma once

#include <QString>
#include <QUrl>

class QWidget;

namespace controls {

void SetHelpContext(QWidget* control, int context);

// The control's own topic, or else its nearest parent's; 0 when none has one.
int HelpContext(const QWidget* control);

// The help page `fileName` where FindDataFile finds it, in the language in force where that version ships
// (LocalizedFileName), at the anchor "context-N" (the page itself for 0).
QUrl HelpTopicUrl(const QString& fileName, int context);

// Makes F1 in `window` show `fileName` at the topic of the focused control, in the program's own help
// window (see HelpWindow.h).
void InstallContextHelp(QWidget* window, const QString& fileName);

} // namespace controls
