// Helpers the Qt tests share: answering modal boxes from a timer, temporary locales, child lookup.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QWidget>

#include <functional>

namespace testsupport {

// Calls `onModal` with the first modal window that opens within `timeoutMs`, from the event loop;
// the test goes on to the call that opens it. The callback should close the window.
void WhenModalOpens(std::function<void(QWidget* modal)> onModal, int timeoutMs = 5000);

// Runs the calls that handlers queued for the event loop (a dialog that opens once the click on its
// button has returned), as the event loop would run them next.
void RunQueuedCalls();

// Closes every modal window that opens from now on until the object is destroyed, keeping its text.
class ModalRecorder {
public:
    ModalRecorder();
    ~ModalRecorder();
    ModalRecorder(const ModalRecorder&) = delete;
    ModalRecorder& operator=(const ModalRecorder&) = delete;
    const QStringList& Texts() const;

private:
    struct State;
    State* state_;
};

// The launcher's settings file beside the test program, as the programs look for it.
QString LauncherSettingsPath();
// Writes the file with exactly these bytes; false when it cannot be written.
bool WriteLauncherSettings(const QByteArray& contents);
// Its bytes; empty when it is missing.
QByteArray ReadLauncherSettings();
// Removes the file, or a folder a test put in its place.
void RemoveLauncherSettings();

// Shows the window and waits until it is active; a window that never becomes active ends the test program.
void ShowActive(QWidget* window);

// Base of the tests of a program's windows, which start from the launcher's settings file: each test
// function starts without the file, and after it the window is closed and the file removed.
class LauncherSettingsTest : public QObject {
    Q_OBJECT

protected:
    // Closes the window under test, before the file goes.
    virtual void CloseWindow() = 0;
    // The data column "settings": the file's bytes, or a null array for no file.
    static void AddSettingsColumn();
    // Puts the current row's "settings" beside the program; false when the file cannot be written.
    static bool PutSettingsOfRow();

private slots:
    void init();
    void cleanup();
};

// The child of `parent` with that object name and type; fails the current test when there is none.
template <class T> T* Child(const QObject* parent, const QString& name) {
    T* child = parent->findChild<T*>(name);
    if (child == nullptr)
        qFatal("no child named %s", qPrintable(name));
    return child;
}

// Sets the process locale (C library and Qt default) for its lifetime and restores the previous one.
class ScopedLocale {
public:
    explicit ScopedLocale(const char* name);
    ~ScopedLocale();
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;
    bool Active() const { return active_; }

private:
    QString previousC_;
    bool active_ = false;
};

} // namespace testsupport
