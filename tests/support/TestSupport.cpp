#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <clocale>
#include <memory>

namespace testsupport {

namespace {
QString TextOf(QWidget* modal) {
    if (auto* box = qobject_cast<QMessageBox*>(modal))
        return box->text();
    return modal->windowTitle();
}
} // namespace

QString LauncherSettingsPath() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("ktxlauncher.ini"));
}

bool WriteLauncherSettings(const QByteArray& contents) {
    QFile file(LauncherSettingsPath());
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(contents) == contents.size();
}

QByteArray ReadLauncherSettings() {
    QFile file(LauncherSettingsPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void RemoveLauncherSettings() {
    QFile::remove(LauncherSettingsPath());
    QDir().rmdir(LauncherSettingsPath());
}

void ShowActive(QWidget* window) {
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        qFatal("%s did not become active", qPrintable(window->objectName()));
}

void LauncherSettingsTest::AddSettingsColumn() {
    QTest::addColumn<QByteArray>("settings");
}

bool LauncherSettingsTest::PutSettingsOfRow() {
    QFETCH(QByteArray, settings);
    RemoveLauncherSettings();
    return settings.isNull() || WriteLauncherSettings(settings);
}

void LauncherSettingsTest::init() {
    RemoveLauncherSettings();
}

void LauncherSettingsTest::cleanup() {
    CloseWindow();
    RemoveLauncherSettings();
}

void WhenModalOpens(std::function<void(QWidget* modal)> onModal, int timeoutMs) {
    auto* timer = new QTimer(qApp);
    auto elapsed = std::make_shared<QElapsedTimer>();
    elapsed->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer,
                     [timer, elapsed, onModal = std::move(onModal), timeoutMs] {
                         if (QWidget* modal = QApplication::activeModalWidget()) {
                             timer->stop();
                             timer->deleteLater();
                             onModal(modal);
                         } else if (elapsed->elapsed() > timeoutMs) {
                             timer->stop();
                             timer->deleteLater();
                         }
                     });
    timer->start();
}

void RunQueuedCalls() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
}

struct ModalRecorder::State {
    QTimer timer;
    QStringList texts;
};

ModalRecorder::ModalRecorder()
    : state_(new State) {
    state_->timer.setInterval(10);
    QObject::connect(&state_->timer, &QTimer::timeout, [state = state_] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            state->texts << TextOf(modal);
            modal->close();
        }
    });
    state_->timer.start();
}

ModalRecorder::~ModalRecorder() {
    delete state_;
}

const QStringList& ModalRecorder::Texts() const {
    return state_->texts;
}

ScopedLocale::ScopedLocale(const char* name)
    : previousC_(QString::fromLatin1(std::setlocale(LC_ALL, nullptr))) {
    active_ = std::setlocale(LC_ALL, name) != nullptr;
    QLocale::setDefault(QLocale(QString::fromLatin1(name).section(QLatin1Char('.'), 0, 0)));
}

ScopedLocale::~ScopedLocale() {
    std::setlocale(LC_ALL, previousC_.toLatin1().constData());
    QLocale::setDefault(QLocale::system());
}

} // namespace testsupport
