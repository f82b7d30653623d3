// The application object both programs run on: the program-wide title, the general error display that
// shows any failure escaping an event handler instead of letting it end the program, and the style.
#pragma once

#include "controls/FontConfigPreload.h"

#include <QApplication>
#include <QString>

#include <exception>
#include <utility>

namespace controls {

// Under a file-size limit (ulimit -f) a write past it raises SIGXFSZ, which ends the program; ignored,
// the write fails with "File too large" and the program reports it. The constructor below calls this.
void IgnoreFileSizeSignal();

class TApplication : public QApplication {
    Q_OBJECT
public:
    // Ignores the file-size signal and sets the style (controls/FusionStyle.h). The font configuration
    // is read on a second core meanwhile (controls/FontConfigPreload.h).
    TApplication(int& argc, char** argv);

    // The title shown for the program outside its windows (error boxes, the task switcher). It belongs to
    // the application object: set once that exists.
    static QString Title();
    static void SetTitle(const QString& title);

    // Shows a failure in a modal error box titled with the program's title.
    static void ShowException(const std::exception& failure);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    // The preload is made as the argument, so it runs while QApplication's constructor opens the display.
    TApplication(int& argc, char** argv, TFontConfigPreload&& fontConfig);
};

// Runs a handler; a failure it raises goes to the error display rather than through the toolkit.
// Handlers connected to signals run through this, so no exception ever unwinds through Qt's dispatch.
template <class Handler> void RunGuarded(Handler&& handler) {
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& failure) {
        TApplication::ShowException(failure);
    }
}

// A slot for connect() that runs `object`'s member `handler` guarded, passing the signal's arguments.
template <class Object, class... Args> auto Guarded(Object* object, void (Object::*handler)(Args...)) {
    return [object, handler](Args... args) {
        RunGuarded([&] { (object->*handler)(args...); });
    };
}

} // namespace controls
