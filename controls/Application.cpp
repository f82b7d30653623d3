#include "controls/Application.h"

#include "controls/FusionStyle.h"

#include <QMessageBox>
#include <QWidget>

#include <csignal>
#include <stdexcept>

namespace controls {

namespace {
// The title is kept on the application object rather than in this file: a window loaded later from a
// module of its own (designer/RoutinePreview.h) carries its own copy of these controls, and reads it
// from there too.
constexpr char TitleProperty[] = "handviseProgramTitle";
} // namespace

void IgnoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

TApplication::TApplication(int& argc, char** argv)
    : TApplication(argc, argv, TFontConfigPreload()) {}

TApplication::TApplication(int& argc, char** argv, TFontConfigPreload&& fontConfig)
    : QApplication(argc, argv) {
    IgnoreFileSizeSignal();
    fontConfig.WaitForFontConfig(); // before anything looks up a font
    UseFusionWithoutImagePlugins();
}

QString TApplication::Title() {
    const QCoreApplication* application = QCoreApplication::instance();
    return application != nullptr ? application->property(TitleProperty).toString() : QString();
}

void TApplication::SetTitle(const QString& title) {
    if (QCoreApplication* application = QCoreApplication::instance())
        application->setProperty(TitleProperty, title);
}

void TApplication::ShowException(const std::exception& failure) {
    QMessageBox::critical(QApplication::activeWindow(), Title(), QString::fromUtf8(failure.what()));
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& failure) {
        ShowException(failure);
    } catch (...) {
        ShowException(std::runtime_error(tr("An unexpected error occurred.").toStdString()));
    }
    return false;
}

} // namespace controls
