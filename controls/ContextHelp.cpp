#include "controls/ContextHelp.h"

#include "controls/DataFiles.h"
#include "controls/HelpWindow.h"
#include "controls/Language.h"

#include <QApplication>
#include <QFileInfo>
#include <QShortcut>
#include <QWidget>

namespace controls {

namespace {
constexpr char HelpContextProperty[] = "helpContext";
}

void SetHelpContext(QWidget* control, int context) {
    control->setProperty(HelpContextProperty, context);
}

int HelpContext(const QWidget* control) {
    for (const QWidget* w = control; w != nullptr; w = w->parentWidget()) {
        const QVariant context = w->property(HelpContextProperty);
        if (context.isValid() && context.toInt() != 0)
            return context.toInt();
    }
    return 0;
}

QUrl HelpTopicUrl(const QString& fileName, int context) {
    // The page in the language in force where one ships, else the English one.
    QString page = FindDataFile(LocalizedFileName(fileName, CurrentLanguage()));
    if (!QFileInfo::exists(page))
        page = FindDataFile(fileName);
    QUrl url = QUrl::fromLocalFile(page);
    if (context != 0)
        url.setFragment(QStringLiteral("context-%1").arg(context));
    return url;
}

void InstallContextHelp(QWidget* window, const QString& fileName) {
    auto* shortcut = new QShortcut(QKeySequence(Qt::Key_F1), window);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, window, [window, fileName] {
        QWidget* focused = QApplication::focusWidget();
        const bool inWindow = focused != nullptr && focused->window() == window;
        ShowHelpTopic(window, HelpTopicUrl(fileName, inWindow ? HelpContext(focused) : 0));
    });
}

} // namespace controls
